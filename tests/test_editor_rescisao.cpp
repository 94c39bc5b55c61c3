// A clerk's dismissal without cause from a new case: every termination item and charge
// ticked and filled in through its editor, the calculation shown as the command line works
// it out for the written case file, and the notice switched off afterwards.

#include "test_editor_itens.h"

#include "Ambiente.h"
#include "Campos.h"
#include "Grade.h"
#include "Tfrm13.h"
#include "TfrmAvisoPrevio.h"
#include "TfrmFGTS.h"
#include "TfrmFerias.h"
#include "TfrmINSS.h"
#include "TfrmIR.h"
#include "TfrmJuros.h"
#include "TfrmMultas.h"
#include "TfrmNovoProcesso.h"
#include "TfrmOutrosDeb.h"
#include "ui_TfrmAvisoPrevio.h"
#include "ui_TfrmFGTS.h"
#include "ui_TfrmINSS.h"
#include "ui_TfrmJuros.h"
#include "ui_TfrmMultas.h"
#include "ui_TfrmNovoProcesso.h"
#include "ui_TfrmPrincipal.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace quintar;
using namespace quintar::teste;

namespace {

// Ticks the item; its editor gets `preenche` and then OK.
template <typename Editor>
void Marca(JanelaTeste& t, const char* flag, std::function<void(Editor&)> preenche = {})
{
    QuandoModal([preenche](QWidget* w) {
        auto* editor = dynamic_cast<Editor*>(w);
        ASSERT_NE(editor, nullptr) << w->windowTitle().toStdString();
        if (preenche)
            preenche(*editor);
        QTest::mouseClick(editor->btnOk(), Qt::LeftButton);
    });
    Clica(CaixaItem(t, flag));
    EsperaModais();
    EXPECT_TRUE(CaixaItem(t, flag)->isChecked()) << flag;
}

// Each line of the summary, "Label: value".
QMap<QString, QString> Resumo(const QString& saida)
{
    QMap<QString, QString> r;
    for (const QString& linha : saida.split(u'\n'))
        r.insert(linha.section(QStringLiteral(": "), 0, 0), linha.section(QStringLiteral(": "), 1));
    return r;
}

} // namespace

TEST(Rescisao, ADismissalWithoutCauseThroughEveryEditorCalculatesAsTheCommandLine)
{
    JanelaTeste t;
    t.mostra();
    QuandoModal([](QWidget* w) {
        Ui::TfrmNovoProcesso& ui = static_cast<TfrmNovoProcesso*>(w)->ui();
        const std::pair<QWidget*, const char*> campos[] = {{ui.edtNumero, "512"}, {ui.edtAno, "2025"},
            {ui.edtVara, "3"}, {ui.edtRegional, "2"}, {ui.edtSequencial, "0"}, {ui.datInicioPacto, "01032023"},
            {ui.datFimPacto, "31012025"}, {ui.edtSalarioFixo, "3.200,00"}};
        for (const auto& [campo, texto] : campos)
            Digita(campo, QString::fromLatin1(texto));
        QTest::mouseClick(static_cast<TfrmOkCan*>(w)->btnOk(), Qt::LeftButton);
    });
    Aciona(t.j(), QStringLiteral("btnNovo"));
    EsperaModais();
    ASSERT_TRUE(t.caso().temRegistro());
    Digita(t.j().ui().edtReclamante, QStringLiteral("Márcia Conceição Prado"));

    // The notice first: 45 days, reflected in the 13th salary and the vacation ticked next.
    Marca<TfrmAvisoPrevio>(t, "CALCULA_AVISO_PREVIO", [](TfrmAvisoPrevio& d) {
        Digita(d.ui().edtDias, QStringLiteral("45"));
        EXPECT_TRUE(d.ui().chkReflexo13->isChecked());
        EXPECT_TRUE(d.ui().chkReflexoFerias->isChecked());
    });
    Marca<Tfrm13>(t, "CALCULA_13_SALARIO");
    Marca<TfrmFerias>(t, "CALCULA_FERIAS");
    // The last year and period carry the notice's two months (January 2025 counts).
    EXPECT_EQ(t.valor(QStringLiteral("SELECT NUMERO_MESES FROM TAB_13_SALARIO WHERE ANO = 2025")).toInt(), 3);
    Marca<TfrmFGTS>(t, "CALCULA_FGTS", [](TfrmFGTS& d) { QTest::mouseClick(d.ui().rbtMulta40, Qt::LeftButton); });
    Marca<TfrmMultas>(t, "CALCULA_MULTAS", [](TfrmMultas& d) {
        Clica(d.ui().chkCalcula467);
        Clica(d.ui().chkCalcula477);
    });
    Marca<TfrmINSS>(t, "CALCULA_INSS", [](TfrmINSS& d) {
        EXPECT_TRUE(d.ui().chkCalculaReclamante->isChecked());
        Clica(d.ui().chkCalculaReclamado);
        Escolhe(d.ui().cmbEmpregador, qlonglong(1));
        Escolhe(d.ui().cmbRAT, qlonglong(1));
        Escolhe(d.ui().cmbTerceiros, qlonglong(515));
        EXPECT_EQ(d.ui().edtPercTerceiros->text(), u"5,8");
    });
    Marca<TfrmIR>(t, "CALCULA_IR");
    Marca<TfrmJuros>(t, "CALCULA_JUROS", [](TfrmJuros& d) { Digita(d.ui().datInicio, QStringLiteral("10032025")); });
    Marca<TfrmOutrosCred>(t, "CALCULA_OUTROS_CRED", [](TfrmOutrosCred& d) {
        DigitaCelula(d.gri1(), 0, QStringLiteral("DESCRICAO"), QStringLiteral("Diferenças de comissões"));
        DigitaCelula(d.gri1(), 0, QStringLiteral("MES"), QStringLiteral("12"));
        DigitaCelula(d.gri1(), 0, QStringLiteral("ANO"), QStringLiteral("2024"));
        DigitaCelula(d.gri1(), 0, QStringLiteral("VALOR"), QStringLiteral("1.250,40"));
    });
    Marca<TfrmOutrosDeb>(t, "CALCULA_OUTROS_DEB", [](TfrmOutrosDeb& d) {
        DigitaCelula(d.gri1(), 0, QStringLiteral("DESCRICAO"), QStringLiteral("Adiantamento salarial"));
        DigitaCelula(d.gri1(), 0, QStringLiteral("MES"), QStringLiteral("1"));
        DigitaCelula(d.gri1(), 0, QStringLiteral("ANO"), QStringLiteral("2025"));
        DigitaCelula(d.gri1(), 0, QStringLiteral("VALOR"), QStringLiteral("800"));
    });

    QTest::mouseClick(t.j().ui().btnCalcula, Qt::LeftButton);
    ASSERT_EQ(t.j().textoStatus(), u"Cálculo completo.");
    const QString arquivo = t.calculos() + QStringLiteral("00512.2025.003.02.00.QNT.XML");
    // A program folder of its own: the command line resets the working tables it opens.
    QTemporaryDir pastaCli;
    const ResultadoCli r = RodaCli({QStringLiteral("--pasta"), pastaCli.path(), QStringLiteral("calcula"), arquivo,
        QStringLiteral("--agora"), QStringLiteral("10/12/2026 12:00:00"), QStringLiteral("--saida"),
        pastaCli.path() + QStringLiteral("/calculado.QNT.XML")});
    ASSERT_EQ(r.codigo, 0) << r.erros.toStdString();
    const QMap<QString, QString> impresso = Resumo(r.saida);
    for (const auto& item : t.j().itens()) {
        EXPECT_EQ(item.edt->text(), impresso.value(item.legenda)) << item.legenda.toStdString();
        if (item.chk->isChecked()) {
            EXPECT_NE(item.edt->text(), u"0,00") << item.legenda.toStdString();
        }
    }
    const Ui::TfrmPrincipal& ui = t.j().ui();
    const std::pair<QLineEdit*, const char*> resumo[] = {{ui.edtTotalReclamado, "Total Reclamado"},
        {ui.edtINSSReclamado, "INSS Reclamado"}, {ui.edtINSSReclamante, "INSS Reclamante"},
        {ui.edtImpostoRenda, "Imposto de Renda"}, {ui.edtLiquidoReclamante, "Líquido Reclamante"}};
    for (const auto& [campo, rotulo] : resumo)
        EXPECT_EQ(campo->text(), impresso.value(QString::fromUtf8(rotulo))) << rotulo;
    EXPECT_EQ(ui.lblDataCalculo->text(), impresso.value(QStringLiteral("Data do Último Cálculo")));
    EXPECT_NE(ui.edtINSSReclamado->text(), u"0,00");

    // The notice switched off: the years and periods are generated again without it.
    QStringList mensagens;
    AnotaCaixa(mensagens);
    Clica(CaixaItem(t, "CALCULA_AVISO_PREVIO"));
    EsperaModais();
    EXPECT_EQ(mensagens,
        QStringList{"Devido a incidência do aviso prévio sobre o 13º Salário e Férias,\nos períodos "
                    "de 13º Salário e Férias serão gerados automaticamente\n(Adição ou Exclusão de 2 "
                    "Mês(es) )."});
    EXPECT_EQ(t.valor(QStringLiteral("SELECT NUMERO_MESES FROM TAB_13_SALARIO WHERE ANO = 2025")).toInt(), 1);
    EXPECT_EQ(
        t.valor(QStringLiteral("SELECT NUMERO_MESES FROM TAB_FERIAS ORDER BY PERIODO_INICIAL DESC LIMIT 1")).toInt(),
        11);
    EXPECT_EQ(Contagem(t, QStringLiteral("TAB_AVISO_PREVIO")), 0);
}
