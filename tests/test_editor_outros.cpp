// The other credits and debits editors and their description lists, opened from the main
// window on the sample case (which has neither item).

#include "test_editor_itens.h"

#include "Ambiente.h"
#include "Erro.h"
#include "Grade.h"
#include "Navegador.h"
#include "TfrmOutros.h"
#include "TfrmOutrosDeb.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace quintar;
using namespace quintar::teste;

namespace {

// A line typed into the grid's last row.
void DigitaLinha(Grade* g, int linha, const QString& descricao, const char* mes, const char* ano, const char* valor)
{
    DigitaCelula(g, linha, QStringLiteral("DESCRICAO"), descricao);
    DigitaCelula(g, linha, QStringLiteral("MES"), QString::fromLatin1(mes));
    DigitaCelula(g, linha, QStringLiteral("ANO"), QString::fromLatin1(ano));
    DigitaCelula(g, linha, QStringLiteral("VALOR"), QString::fromLatin1(valor));
}

QStringList Descricoes(JanelaTeste& t, const char* tipo)
{
    return Linhas(t, QStringLiteral("TAB_OUTROS_DESCRICAO WHERE IND_CREDITO_DEBITO = '%1'").arg(QLatin1String(tipo)),
        {QStringLiteral("DESCRICAO")}, QStringLiteral("DESCRICAO"));
}

} // namespace

TEST(EditorOutros, AnEmptyListIsARefusalOfTheItemFromTheBoxAndFromTheOptionsButton)
{
    JanelaTeste t;
    const QString arquivo = t.copiaExemplo();
    t.mostra(arquivo);
    // Ticked: one empty line to fill; OK with it untouched closes as Cancel.
    QuandoModal([](QWidget* w) {
        auto* d = static_cast<TfrmOutrosCred*>(w);
        EXPECT_EQ(d->windowTitle(), u"Apuração de Outros Créditos");
        EXPECT_EQ(d->gri1()->model()->rowCount(), 1);
        QTest::mouseClick(d->btnOk(), Qt::LeftButton);
    });
    Clica(CaixaItem(t, "CALCULA_OUTROS_CRED"));
    EsperaModais();
    EXPECT_FALSE(CaixaItem(t, "CALCULA_OUTROS_CRED")->isChecked());
    EXPECT_EQ(t.caso().texto(u"CALCULA_OUTROS_CRED"), u"N");
    EXPECT_EQ(Contagem(t, QStringLiteral("TAB_OUTROS_CREDITO")), 0);

    // With a line: ticked and kept.
    QuandoModal([](QWidget* w) {
        auto* d = static_cast<TfrmOutrosCred*>(w);
        DigitaLinha(d->gri1(), 0, QStringLiteral("Salário-família"), "5", "2024", "62,04");
        QTest::mouseClick(d->btnOk(), Qt::LeftButton);
    });
    Clica(CaixaItem(t, "CALCULA_OUTROS_CRED"));
    EsperaModais();
    ASSERT_TRUE(CaixaItem(t, "CALCULA_OUTROS_CRED")->isChecked());
    EXPECT_EQ(Linhas(t, QStringLiteral("TAB_OUTROS_CREDITO"),
                  {QStringLiteral("DESCRICAO"), QStringLiteral("MES"), QStringLiteral("ANO"), QStringLiteral("VALOR")},
                  QStringLiteral("ANO")),
        QStringList{"DESCRICAO=Salário-família MES=5 ANO=2024 VALOR=620400"});
    EXPECT_TRUE(LeBytes(arquivo).contains("<CALCULA_OUTROS_CRED>S</CALCULA_OUTROS_CRED>"));

    // From the options button: every line deleted and Cancel unticks the item and writes the file.
    QuandoModal([](QWidget* w) {
        auto* d = static_cast<TfrmOutrosCred*>(w);
        QTest::keyClick(d->gri1(), Qt::Key_Delete, Qt::ControlModifier);
        EXPECT_TRUE(d->SemLinhas());
        QTest::mouseClick(d->btnCancelar(), Qt::LeftButton);
    });
    QTest::mouseClick(OpcoesItem(t, "CALCULA_OUTROS_CRED"), Qt::LeftButton);
    EsperaModais();
    EXPECT_FALSE(CaixaItem(t, "CALCULA_OUTROS_CRED")->isChecked());
    EXPECT_EQ(Contagem(t, QStringLiteral("TAB_OUTROS_CREDITO")), 0);
    EXPECT_TRUE(LeBytes(arquivo).contains("<CALCULA_OUTROS_CRED>N</CALCULA_OUTROS_CRED>"));
}

TEST(EditorOutros, ANewDescriptionIsKeptTrimmedOnlyWhenTheClerkSaysYes)
{
    for (const QMessageBox::StandardButton resposta : {QMessageBox::Yes, QMessageBox::No}) {
        const bool sim = resposta == QMessageBox::Yes;
        SCOPED_TRACE(sim ? "sim" : "não");
        JanelaTeste t;
        t.mostra(t.copiaExemplo());
        const QStringList antes = Descricoes(t, "D");
        QStringList perguntas;
        QuandoModal([&](QWidget* w) {
            auto* d = static_cast<TfrmOutrosDeb*>(w);
            EXPECT_EQ(d->windowTitle(), u"Apuração de Outros Débitos");
            QuandoModal([&](QWidget* caixa) {
                perguntas.append(TextoCaixa(caixa));
                Responde(caixa, resposta);
            });
            DigitaCelula(d->gri1(), 0, QStringLiteral("DESCRICAO"), QStringLiteral("  Uniforme não devolvido "));
            EsperaModais();
            Reativa(d);
            DigitaLinha(
                d->gri1(), 0, d->gri1()->model()->index(0, 0).data(Qt::EditRole).toString(), "1", "2025", "150");
            QTest::mouseClick(d->btnOk(), Qt::LeftButton);
        });
        Clica(CaixaItem(t, "CALCULA_OUTROS_DEB"));
        EsperaModais();
        EXPECT_EQ(perguntas, QStringList{"Descrição não existe, deseja salva-la para usar em outros cálculos?"});
        EXPECT_EQ(t.valor(QStringLiteral("SELECT DESCRICAO FROM TAB_OUTROS_DEBITO")).toString(),
            sim ? u"Uniforme não devolvido" : u"  Uniforme não devolvido ");
        QStringList depois = antes;
        if (sim) {
            depois.append(QStringLiteral("DESCRICAO=Uniforme não devolvido"));
            depois.sort();
        }
        EXPECT_EQ(Descricoes(t, "D"), depois);
    }
}

TEST(EditorOutros, TwoLinesOfTheSameDescriptionAndMonthAreAKeyViolation)
{
    JanelaTeste t;
    t.mostra(t.copiaExemplo());
    QStringList mensagens;
    QuandoModal([&](QWidget* w) {
        auto* d = static_cast<TfrmOutrosCred*>(w);
        Grade* g = d->gri1();
        DigitaLinha(g, 0, QStringLiteral("Diferenças de comissões"), "11", "2024", "487,35");
        QTest::keyClick(g, Qt::Key_Down); // a new line below
        DigitaLinha(g, 1, QStringLiteral("Diferenças de comissões"), "11", "2024", "512,90");
        AnotaCaixa(mensagens);
        QTest::mouseClick(d->btnOk(), Qt::LeftButton);
        EsperaModais();
        EXPECT_TRUE(d->isVisible());
        EXPECT_EQ(g->model()->rowCount(), 2);
        Reativa(d);
        DigitaCelula(g, 1, QStringLiteral("MES"), QStringLiteral("12"));
        QTest::mouseClick(d->btnOk(), Qt::LeftButton);
    });
    Clica(CaixaItem(t, "CALCULA_OUTROS_CRED"));
    EsperaModais();
    EXPECT_EQ(mensagens, QStringList{"Key violation."});
    EXPECT_EQ(Linhas(t, QStringLiteral("TAB_OUTROS_CREDITO"), {QStringLiteral("MES"), QStringLiteral("VALOR")},
                  QStringLiteral("MES")),
        QStringList({"MES=11 VALOR=4873500", "MES=12 VALOR=5129000"}));
}

TEST(EditorOutros, TheDebitsListShowsOnlyDebitDescriptionsAndItsOwnDialogEditsThem)
{
    JanelaTeste t;
    t.mostra(t.copiaExemplo());
    QuandoModal([&](QWidget* w) {
        auto* d = static_cast<TfrmOutrosDeb*>(w);
        QStringList debitos;
        for (const QString& l : Descricoes(t, "D"))
            debitos.append(l.section(u'=', 1));
        EXPECT_EQ(d->descricoes(), debitos);
        EXPECT_FALSE(d->descricoes().contains(u"Diferenças de comissões"));

        QuandoModal([&](QWidget* lista) {
            auto* o = static_cast<TfrmOutros*>(lista);
            EXPECT_EQ(o->windowTitle(), u"Manter Descrição de Outros Débitos.");
            EXPECT_EQ(o->gri1()->model()->rowCount(), debitos.size());
            EXPECT_EQ(o->nav1()->botao(Navegador::Gravar)->toolTip(), u"Gravar alterações no registro");
            o->gri1()->vaiParaCampo(o->gri1()->model()->rowCount() - 1, QStringLiteral("DESCRICAO"));
            QTest::keyClick(o->gri1(), Qt::Key_Down);
            DigitaCelula(o->gri1(), o->gri1()->model()->rowCount() - 1, QStringLiteral("DESCRICAO"),
                QStringLiteral("Danos ao veículo da empresa"));
            QTest::mouseClick(o->btnOk(), Qt::LeftButton);
        });
        QTest::keyClick(d, Qt::Key_D, Qt::AltModifier); // "Tabela de &Descrição"
        EsperaModais();
        EXPECT_TRUE(d->descricoes().contains(u"Danos ao veículo da empresa"));
        QTest::mouseClick(d->btnCancelar(), Qt::LeftButton);
    });
    Clica(CaixaItem(t, "CALCULA_OUTROS_DEB"));
    EsperaModais();
    EXPECT_EQ(t.valor(QStringLiteral("SELECT IND_CREDITO_DEBITO FROM TAB_OUTROS_DESCRICAO "
                                     "WHERE DESCRICAO = 'Danos ao veículo da empresa'"))
                  .toString(),
        u"D");

    TfrmOutros lista(t.j().motor(), &t.j());
    try {
        lista.ExecutaTipo(QStringLiteral("X"));
        ADD_FAILURE() << "a kind other than C or D was shown";
    } catch (const Erro& e) {
        EXPECT_EQ(e.mensagem(), u"Aplicação preparada apenas para Crédito ou Débito.");
    }
}
