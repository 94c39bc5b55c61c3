// The notice, 13th-salary and vacation editors on the sample case, opened from the main
// window: the notice's projection into the other two, the checks of the grids, the options
// written into every row.

#include "test_editor_itens.h"

#include "Grade.h"
#include "Tfrm13.h"
#include "TfrmAvisoPrevio.h"
#include "TfrmFerias.h"
#include "ui_TfrmAvisoPrevio.h"
#include "ui_TfrmBaseSobre.h"
#include "ui_TfrmFerias.h"

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace quintar;
using namespace quintar::teste;

namespace {

QString Projecao(const char* meio, int meses)
{
    return QStringLiteral("Devido a incidência do aviso prévio sobre %1 automaticamente\n(Adição ou Exclusão de %2 "
                          "Mês(es) ).")
        .arg(QString::fromUtf8(meio))
        .arg(meses);
}

int Numero(JanelaTeste& t, const char* sql)
{
    return t.valor(QString::fromLatin1(sql)).toInt();
}

} // namespace

TEST(EditorAviso, OkRegeneratesOnlyWhatTheProjectionChangedAndSaysSo)
{
    const QString ambos = Projecao("o 13º Salário e Férias,\nos períodos de 13º Salário e Férias serão gerados", 2);
    const QString ferias = Projecao("Férias,\no período de Férias será gerado", 1);
    struct Caso {
        const char* nome;
        bool semItens; // 13th salary and vacation unticked first
        const char* dias;
        bool semProjecaoFerias;
        QString mensagem;
        bool novos13, novasFerias;
        int meses2025, mesesUltimoPeriodo; // -1: no row
    };
    const Caso casos[] = {
        {"45 dias", false, "45", false, ambos, true, true, 3, 2},
        {"31 dias: o mesmo mês", false, "31", false, QString(), false, false, 2, 1},
        {"sem projeção nas férias", false, nullptr, true, ferias, false, true, 2, 0},
        {"nada mudou", false, nullptr, false, QString(), false, false, 2, 1},
        {"sem 13º nem férias", true, "45", false, QString(), false, false, -1, -1},
    };
    for (const Caso& k : casos) {
        SCOPED_TRACE(k.nome);
        JanelaTeste t;
        t.mostra(t.copiaExemplo());
        if (k.semItens) {
            Clica(CaixaItem(t, "CALCULA_13_SALARIO"));
            Clica(CaixaItem(t, "CALCULA_FERIAS"));
        }
        // Marks a regeneration would lose.
        t.valor(QStringLiteral("UPDATE TAB_13_SALARIO SET NUMERO_MESES = 7 WHERE ANO = 2023"));
        t.valor(QStringLiteral("UPDATE TAB_FERIAS SET IND_DOBRO = 'S'"));

        QuandoModal([&](QWidget* w) {
            auto* d = static_cast<TfrmAvisoPrevio*>(w);
            EXPECT_EQ(d->windowTitle(), u"Apuração de Aviso Prévio");
            EXPECT_TRUE(TemFoco(d->ui().edtDias));
            EXPECT_EQ(d->ui().edtDias->text(), u"39");
            if (k.dias)
                Digita(d->ui().edtDias, QString::fromLatin1(k.dias));
            if (k.semProjecaoFerias)
                Clica(d->ui().chkReflexoFerias);
            QTest::mouseClick(d->btnOk(), Qt::LeftButton);
        });
        QStringList mensagens;
        if (!k.mensagem.isEmpty())
            AnotaCaixa(mensagens);
        QTest::mouseClick(OpcoesItem(t, "CALCULA_AVISO_PREVIO"), Qt::LeftButton);
        EsperaModais();

        EXPECT_EQ(mensagens, k.mensagem.isEmpty() ? QStringList() : QStringList{k.mensagem});
        if (k.dias) {
            EXPECT_EQ(Numero(t, "SELECT QUANTIDADE_DIAS FROM TAB_AVISO_PREVIO"), QString::fromLatin1(k.dias).toInt());
        }
        if (k.meses2025 < 0) {
            EXPECT_EQ(Contagem(t, QStringLiteral("TAB_13_SALARIO")), 0);
            EXPECT_EQ(Contagem(t, QStringLiteral("TAB_FERIAS")), 0);
            continue;
        }
        EXPECT_EQ(Numero(t, "SELECT NUMERO_MESES FROM TAB_13_SALARIO WHERE ANO = 2023"), k.novos13 ? 12 : 7);
        EXPECT_EQ(Numero(t, "SELECT NUMERO_MESES FROM TAB_13_SALARIO WHERE ANO = 2025"), k.meses2025);
        EXPECT_EQ(Numero(t, "SELECT COUNT(*) FROM TAB_FERIAS WHERE IND_DOBRO = 'S'"), k.novasFerias ? 0 : 4);
        EXPECT_EQ(Numero(t, "SELECT NUMERO_MESES FROM TAB_FERIAS ORDER BY PERIODO_INICIAL DESC LIMIT 1"),
            k.mesesUltimoPeriodo);
    }
}

TEST(EditorAviso, ANoticeTickedAfterTheOtherItemsOpensWithItsDefaultsAndProjectsIntoThem)
{
    JanelaTeste t;
    t.mostra(t.copiaExemplo());
    QStringList mensagens;
    AnotaCaixa(mensagens); // switched off: the years and periods lose its projection
    Clica(CaixaItem(t, "CALCULA_AVISO_PREVIO"));
    EsperaModais();
    ASSERT_EQ(mensagens.size(), 1);
    EXPECT_EQ(Numero(t, "SELECT NUMERO_MESES FROM TAB_13_SALARIO WHERE ANO = 2025"), 1);
    EXPECT_EQ(Contagem(t, QStringLiteral("TAB_AVISO_PREVIO")), 0);

    QuandoModal([](QWidget* w) {
        const Ui::TfrmAvisoPrevio& ui = static_cast<TfrmAvisoPrevio*>(w)->ui();
        EXPECT_EQ(ui.edtDias->text(), u"30");
        EXPECT_TRUE(TemFoco(ui.edtDias));
        EXPECT_TRUE(ui.chkSalFix->isChecked());
        for (QCheckBox* c : {ui.chkDifSal, ui.chkSalVar, ui.chkReflexoHE, ui.chkReflexoAN, ui.chkReflexoAI,
                 ui.chkReflexoAP, ui.chkReflexoRSR})
            EXPECT_FALSE(c->isChecked()) << c->text().toStdString();
        EXPECT_TRUE(ui.chkReflexo13->isChecked());
        EXPECT_TRUE(ui.chkReflexoFerias->isChecked());
        QTest::mouseClick(static_cast<TfrmOkCan*>(w)->btnOk(), Qt::LeftButton);
    });
    AnotaCaixa(mensagens);
    Clica(CaixaItem(t, "CALCULA_AVISO_PREVIO"));
    EsperaModais();
    ASSERT_EQ(mensagens.size(), 2);
    EXPECT_EQ(mensagens[1], Projecao("o 13º Salário e Férias,\nos períodos de 13º Salário e Férias serão gerados", 1));
    EXPECT_EQ(Numero(t, "SELECT NUMERO_MESES FROM TAB_13_SALARIO WHERE ANO = 2025"), 2);
    EXPECT_TRUE(CaixaItem(t, "CALCULA_AVISO_PREVIO")->isChecked());
    EXPECT_EQ(t.caso().texto(u"CALCULA_AVISO_PREVIO"), u"S");
}

TEST(EditorAviso, TheReflexesOfItemsTheCaseDoesNotCalculateAreOffButKeepTheirValues)
{
    // The sample case calculates overtime and none of the other four premiums.
    JanelaTeste t;
    t.mostra(t.copiaExemplo());
    t.valor(QStringLiteral("UPDATE TAB_13_SALARIO SET SOBRE_NOTURNO = 'S'"));
    struct Caso {
        const char* flag;
        std::function<QVector<QCheckBox*>(QWidget*)> caixas; // overtime, night, insalubrity, periculosity, rest
    };
    const auto sobre = [](QWidget* w) {
        const Ui::TfrmBaseSobre& o = static_cast<TfrmBaseSobre*>(w)->opcoes();
        return QVector<QCheckBox*>{o.chkHorExt, o.chkAdicNot, o.chkAdicInsalub, o.chkAdicPeric, o.chkRepSRem};
    };
    const Caso casos[] = {
        {"CALCULA_AVISO_PREVIO",
            [](QWidget* w) {
                const Ui::TfrmAvisoPrevio& ui = static_cast<TfrmAvisoPrevio*>(w)->ui();
                return QVector<QCheckBox*>{
                    ui.chkReflexoHE, ui.chkReflexoAN, ui.chkReflexoAI, ui.chkReflexoAP, ui.chkReflexoRSR};
            }},
        {"CALCULA_13_SALARIO", sobre},
        {"CALCULA_FERIAS", sobre},
    };
    for (const Caso& k : casos) {
        QuandoModal([&](QWidget* w) {
            const QVector<QCheckBox*> c = k.caixas(w);
            EXPECT_TRUE(c[0]->isEnabled()) << k.flag;
            for (int i = 1; i < c.size(); ++i)
                EXPECT_FALSE(c[i]->isEnabled()) << k.flag << ' ' << c[i]->text().toStdString();
            if (QString::fromLatin1(k.flag) == u"CALCULA_13_SALARIO") {
                EXPECT_TRUE(c[1]->isChecked()); // disabled, still showing what is stored
            }
            QTest::keyClick(w, Qt::Key_Escape);
        });
        QTest::mouseClick(OpcoesItem(t, k.flag), Qt::LeftButton);
        EsperaModais();
    }
}

TEST(Editor13, ZeroMonthsAreRefusedAndKeptThirteenAreAcceptedAndF9F10MarkEveryYear)
{
    JanelaTeste t;
    t.mostra(t.copiaExemplo());
    const QStringList colunas{QStringLiteral("ANO"), QStringLiteral("IND_CALCULA"), QStringLiteral("NUMERO_MESES"),
        QStringLiteral("SOBRE_DIFERENCA_SALARIAL")};
    const QStringList antes = Linhas(t, QStringLiteral("TAB_13_SALARIO"), colunas, QStringLiteral("ANO"));
    QStringList mensagens;
    QuandoModal([&](QWidget* w) {
        auto* d = static_cast<Tfrm13*>(w);
        EXPECT_EQ(d->windowTitle(), u"Apuração 13o Salário");
        Grade* g = d->gri1();
        ASSERT_EQ(g->model()->rowCount(), 4);
        EXPECT_EQ(g->model()->index(0, 1).data().toString(), u"2025"); // latest first
        EXPECT_EQ(g->model()->index(0, 2).data().toString(), u"02");

        AnotaCaixa(mensagens);
        DigitaCelula(g, 0, QStringLiteral("NUMERO_MESES"), QStringLiteral("0"));
        QTest::mouseClick(d->btnOk(), Qt::LeftButton);
        EsperaModais();
        EXPECT_TRUE(d->isVisible());
        EXPECT_EQ(g->currentIndex().column(), 2);
        EXPECT_EQ(g->model()->index(0, 2).data().toString(), u"00"); // what was typed stays
        EXPECT_EQ(Linhas(t, QStringLiteral("TAB_13_SALARIO"), colunas, QStringLiteral("ANO")), antes);

        Reativa(d);
        DigitaCelula(g, 0, QStringLiteral("NUMERO_MESES"), QStringLiteral("13"));
        QTest::keyClick(d, Qt::Key_F10);
        for (int linha = 0; linha < 4; ++linha)
            EXPECT_EQ(g->model()->index(linha, 0).data(Qt::CheckStateRole).toInt(), Qt::Unchecked);
        QTest::keyClick(d, Qt::Key_F9);
        Clica(d->opcoes().chkDifSal);
        QTest::mouseClick(d->btnOk(), Qt::LeftButton);
    });
    QTest::mouseClick(OpcoesItem(t, "CALCULA_13_SALARIO"), Qt::LeftButton);
    EsperaModais();
    EXPECT_EQ(mensagens, QStringList{"Número de Meses deve ser maior que zero."});
    EXPECT_EQ(Linhas(t, QStringLiteral("TAB_13_SALARIO"), colunas, QStringLiteral("ANO")),
        QStringList({"ANO=2022 IND_CALCULA=S NUMERO_MESES=11 SOBRE_DIFERENCA_SALARIAL=S",
            "ANO=2023 IND_CALCULA=S NUMERO_MESES=12 SOBRE_DIFERENCA_SALARIAL=S",
            "ANO=2024 IND_CALCULA=S NUMERO_MESES=12 SOBRE_DIFERENCA_SALARIAL=S",
            "ANO=2025 IND_CALCULA=S NUMERO_MESES=13 SOBRE_DIFERENCA_SALARIAL=S"}));
}

TEST(EditorFerias, TheChoicesOfTheBasePanelAreStoredInEveryPeriod)
{
    JanelaTeste t;
    t.mostra(t.copiaExemplo());
    t.valor(QStringLiteral("UPDATE TAB_FERIAS SET IND_REFERENCIA = 'U'"));
    QuandoModal([&](QWidget* w) {
        auto* d = static_cast<TfrmFerias*>(w);
        EXPECT_EQ(d->windowTitle(), u"Apuração de Férias");
        EXPECT_TRUE(d->ui().rbtUltimo->isChecked());
        Grade* g = d->gri1();
        EXPECT_EQ(g->model()->index(0, 3).data().toString(), u"03/02/2022");
        DigitaCelula(g, 0, QStringLiteral("NUMERO_MESES"), QStringLiteral("5"));
        g->vaiParaCampo(1, QStringLiteral("IND_DOBRO"));
        QTest::keyClick(g, Qt::Key_Space);
        QTest::mouseClick(d->ui().rbtMedia, Qt::LeftButton);
        Clica(d->opcoes().chkSalVar); // was ticked
        QTest::mouseClick(d->btnOk(), Qt::LeftButton);
    });
    QTest::mouseClick(OpcoesItem(t, "CALCULA_FERIAS"), Qt::LeftButton);
    EsperaModais();
    EXPECT_EQ(Linhas(t, QStringLiteral("TAB_FERIAS"),
                  {QStringLiteral("NUMERO_MESES"), QStringLiteral("IND_DOBRO"), QStringLiteral("IND_REFERENCIA"),
                      QStringLiteral("SOBRE_SALARIO_VARIAVEL")},
                  QStringLiteral("PERIODO_INICIAL")),
        QStringList({"NUMERO_MESES=5 IND_DOBRO=N IND_REFERENCIA=M SOBRE_SALARIO_VARIAVEL=N",
            "NUMERO_MESES=12 IND_DOBRO=S IND_REFERENCIA=M SOBRE_SALARIO_VARIAVEL=N",
            "NUMERO_MESES=12 IND_DOBRO=N IND_REFERENCIA=M SOBRE_SALARIO_VARIAVEL=N",
            "NUMERO_MESES=1 IND_DOBRO=N IND_REFERENCIA=M SOBRE_SALARIO_VARIAVEL=N"}));
}
