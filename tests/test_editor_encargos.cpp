// The FGTS, fines, social-security, income-tax and interest editors on the sample case, and
// the refusals of bad input in the editors of the items, opened from the main window.

#include "test_editor_itens.h"

#include "Campos.h"
#include "Grade.h"
#include "Motor.h"
#include "Tfrm13.h"
#include "TfrmAvisoPrevio.h"
#include "TfrmFGTS.h"
#include "TfrmFerias.h"
#include "TfrmINSS.h"
#include "TfrmIR.h"
#include "TfrmJuros.h"
#include "TfrmMultas.h"
#include "TfrmOutros.h"
#include "TfrmOutrosDeb.h"
#include "ui_TfrmFGTS.h"
#include "ui_TfrmINSS.h"
#include "ui_TfrmJuros.h"
#include "ui_TfrmMultas.h"

#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace quintar;
using namespace quintar::teste;

namespace {

// Opens the item's editor as the clerk does (its options button when ticked, else its box)
// and runs `acao` on it while it is open.
void NoEditor(JanelaTeste& t, const char* flag, std::function<void(TfrmOkCan&)> acao)
{
    QuandoModal([acao](QWidget* w) { acao(*static_cast<TfrmOkCan*>(w)); });
    if (CaixaItem(t, flag)->isChecked())
        QTest::mouseClick(OpcoesItem(t, flag), Qt::LeftButton);
    else
        Clica(CaixaItem(t, flag));
    EsperaModais();
}

// The check boxes of the group, top to bottom.
QVector<QCheckBox*> Caixas(QGroupBox* grupo)
{
    QVector<QCheckBox*> caixas;
    for (int i = 0; i < grupo->layout()->count(); ++i)
        if (auto* c = qobject_cast<QCheckBox*>(grupo->layout()->itemAt(i)->widget()))
            caixas.append(c);
    return caixas;
}

} // namespace

TEST(EditoresItens, BadInputGetsItsMessageKeepsTheDialogOpenAndWritesNothing)
{
    struct Caso {
        const char* nome;
        const char* flag;
        const char* tabela;
        std::function<void(TfrmOkCan&)> digita;
        const char* mensagem;
    };
    const Caso casos[] = {
        {"zero meses", "CALCULA_13_SALARIO", "TAB_13_SALARIO",
            [](TfrmOkCan& d) {
                DigitaCelula(static_cast<Tfrm13&>(d).gri1(), 1, QStringLiteral("NUMERO_MESES"), QStringLiteral("0"));
            },
            "Número de Meses deve ser maior que zero."},
        {"período depois da dispensa", "CALCULA_FGTS", "TAB_FGTS",
            [](TfrmOkCan& d) {
                const Ui::TfrmFGTS& ui = static_cast<TfrmFGTS&>(d).ui();
                Clica(ui.chkPeriodo);
                Digita(ui.edtAnoFinal, QStringLiteral("2026"));
            },
            "Mês/Ano Final deve ser menor ou igual a data da Dispensa."},
        {"valor negativo", "CALCULA_OUTROS_CRED", "TAB_OUTROS_CREDITO",
            [](TfrmOkCan& d) {
                Grade* g = static_cast<TfrmOutrosCred&>(d).gri1();
                DigitaCelula(g, 0, QStringLiteral("DESCRICAO"), QStringLiteral("Salário-família"));
                DigitaCelula(g, 0, QStringLiteral("MES"), QStringLiteral("5"));
                DigitaCelula(g, 0, QStringLiteral("ANO"), QStringLiteral("2024"));
                DigitaCelula(g, 0, QStringLiteral("VALOR"), QStringLiteral("-5"));
            },
            "-5,00 is not a valid value for field 'Valor'. The allowed range is 0,01 to 999.999.999,00."},
        {"juros sem início", "CALCULA_JUROS", "TAB_JUROS",
            [](TfrmOkCan& d) {
                CampoData* inicio = static_cast<TfrmJuros&>(d).ui().datInicio;
                inicio->setFocus();
                inicio->selectAll();
                QTest::keyClick(inicio, Qt::Key_Delete);
                QTest::keyClick(inicio, Qt::Key_Tab);
            },
            "A Data Inicial deve ser maior ou igual a 03/02/2022!"},
        {"nenhuma multa", "CALCULA_MULTAS", "TAB_MULTAS", [](TfrmOkCan&) {},
            "Escolha uma das multas ou saia pelo botão Cancelar."},
    };
    for (const Caso& k : casos) {
        SCOPED_TRACE(k.nome);
        JanelaTeste t;
        t.mostra(t.copiaExemplo());
        const QString tabela = QString::fromLatin1(k.tabela);
        QStringList mensagens;
        NoEditor(t, k.flag, [&](TfrmOkCan& d) {
            const QStringList antes = Conteudo(t, tabela); // with the row an opening creates
            k.digita(d);
            AnotaCaixa(mensagens);
            QTest::mouseClick(d.btnOk(), Qt::LeftButton);
            EsperaModais();
            EXPECT_TRUE(d.isVisible());
            EXPECT_EQ(Conteudo(t, tabela), antes);
            QTest::mouseClick(d.btnCancelar(), Qt::LeftButton);
        });
        EXPECT_EQ(mensagens, QStringList{QString::fromUtf8(k.mensagem)});
    }
}

TEST(EditoresItens, EachBaseGroupListsItsItemsInOrder)
{
    JanelaTeste t;
    t.mostra(t.copiaExemplo());
    const std::pair<const char*, QStringList> casos[] = {
        {"CALCULA_FGTS",
            {"Aviso Prévio", "Salário", "13 Salário", "Horas Extras", "Adicional Noturno", "Adicional Insalubridade",
                "Adicional Periculosidade", "Repouso Semanal Remunerado"}},
        {"CALCULA_INSS",
            {"Salário", "13 Salário", "Horas Extras", "Adicional Noturno", "Adicional Insalubridade",
                "Repouso Semanal Remunerado"}},
        {"CALCULA_IR",
            {"Aviso Prévio", "Salário", "13º Salário (em separado)", "Férias", "Horas Extras", "Adicional Noturno",
                "Adicional Insalubridade", "Adicional Periculosidade", "Repouso Semanal Remunerado",
                "Juros (em separado)"}},
        {"CALCULA_JUROS",
            {"Aviso Prévio", "Salário", "13 Salário", "Férias", "FGTS", "Horas Extras", "Adicional Noturno",
                "Adicional Insalubridade", "Adicional Periculosidade", "Repouso Semanal Remunerado", "Multas"}},
    };
    for (const auto& [flag, caixas] : casos)
        NoEditor(t, flag, [&, flag = flag, caixas = caixas](TfrmOkCan& d) {
            const QVector<QCheckBox*> base = Caixas(static_cast<TfrmBaseDados&>(d).grbBaseCalc());
            QStringList textos;
            for (QCheckBox* c : base)
                textos.append(c->text());
            EXPECT_EQ(textos, caixas) << flag;
            // Tab runs down the group, then to OK.
            for (int i = 0; i < base.size(); ++i) {
                base[i]->setFocus(Qt::TabFocusReason);
                QTest::keyClick(base[i], Qt::Key_Tab);
                EXPECT_TRUE(TemFoco(i + 1 < base.size() ? static_cast<QWidget*>(base[i + 1]) : d.btnOk()))
                    << flag << ' ' << i;
            }
            QTest::keyClick(&d, Qt::Key_Escape);
        });
}

TEST(EditorFGTS, ThePeriodIsCheckedEvenUntickedAndAShortYearIsCompleted)
{
    JanelaTeste t;
    t.mostra(t.copiaExemplo());
    QStringList mensagens;
    NoEditor(t, "CALCULA_FGTS", [&](TfrmOkCan& d) {
        const Ui::TfrmFGTS& ui = static_cast<TfrmFGTS&>(d).ui();
        EXPECT_EQ(d.windowTitle(), u"Apuração de FGTS");
        EXPECT_TRUE(TemFoco(ui.rbtPercentual8));
        EXPECT_FALSE(ui.chkPeriodo->isChecked());
        EXPECT_FALSE(ui.edtAnoFinal->isEnabled());
        EXPECT_EQ(ui.cmbMesInicial->currentText(), u"2");
        EXPECT_EQ(ui.edtAnoInicial->text(), u"2022");

        Clica(ui.chkPeriodo);
        EXPECT_TRUE(ui.edtAnoFinal->isEnabled());
        // A year typed to its four digits moves on: the final one to the fine.
        ui.edtAnoFinal->setFocus();
        ui.edtAnoFinal->selectAll();
        Tecla(ui.edtAnoFinal, QStringLiteral("2026"));
        EXPECT_TRUE(TemFoco(ui.rbtMulta40));
        Clica(ui.chkPeriodo); // unticked: the period is still the calculation's
        EXPECT_FALSE(ui.edtAnoFinal->isEnabled());
        AnotaCaixa(mensagens);
        QTest::mouseClick(d.btnOk(), Qt::LeftButton);
        EsperaModais();
        ASSERT_TRUE(d.isVisible());
        Reativa(&d);

        Clica(ui.chkPeriodo);
        Digita(ui.edtAnoFinal, QStringLiteral("25"));
        EXPECT_EQ(ui.edtAnoFinal->text(), u"2025");
        Digita(ui.edtAnoInicial, QStringLiteral("05"));
        EXPECT_EQ(ui.edtAnoInicial->text(), u"2005");
        AnotaCaixa(mensagens);
        QTest::mouseClick(d.btnOk(), Qt::LeftButton);
        EsperaModais();
        EXPECT_TRUE(TemFoco(ui.cmbMesFinal));
        Reativa(&d);

        Digita(ui.edtAnoInicial, QStringLiteral("2023"));
        Clica(ui.chkPeriodo);
        QTest::mouseClick(ui.rbtMulta20, Qt::LeftButton);
        QTest::mouseClick(d.btnOk(), Qt::LeftButton);
    });
    EXPECT_EQ(mensagens,
        QStringList({"Mês/Ano Final deve ser menor ou igual a data da Dispensa.",
            "Mês/Ano Inicial deve ser maior ou igual ao Inicio do Pacto."}));
    EXPECT_EQ(Linhas(t, QStringLiteral("TAB_FGTS"),
                  {QStringLiteral("ANO_INICIAL"), QStringLiteral("ANO_FINAL"), QStringLiteral("IND_APURA_PERIODO"),
                      QStringLiteral("TIPO_MULTA")},
                  QStringLiteral("PROCESSO_ID")),
        QStringList{"ANO_INICIAL=2023 ANO_FINAL=2025 IND_APURA_PERIODO=N TIPO_MULTA=1"});
}

TEST(EditorMultas, EachFinesBaseIsOnOnlyWithItsFine)
{
    JanelaTeste t;
    t.mostra(t.copiaExemplo());
    NoEditor(t, "CALCULA_MULTAS", [&](TfrmOkCan& d) {
        const Ui::TfrmMultas& ui = static_cast<TfrmMultas&>(d).ui();
        EXPECT_EQ(d.windowTitle(), u"Apuração de Multas");
        EXPECT_EQ(Contagem(t, QStringLiteral("TAB_MULTAS")), 1); // created and saved as it opened
        EXPECT_FALSE(ui.chk467Ferias->isEnabled());
        EXPECT_FALSE(ui.chk477SalFix->isEnabled());
        EXPECT_TRUE(ui.chk467Ferias->isChecked());
        Clica(ui.chkCalcula477);
        EXPECT_TRUE(ui.chk477SalFix->isEnabled());
        EXPECT_FALSE(ui.chk467Ferias->isEnabled());
        Clica(ui.chk477DifSal);
        QTest::mouseClick(d.btnOk(), Qt::LeftButton);
    });
    EXPECT_EQ(t.caso().texto(u"CALCULA_MULTAS"), u"S");
    EXPECT_EQ(Linhas(t, QStringLiteral("TAB_MULTAS"),
                  {QStringLiteral("IND_CALCULA_467"), QStringLiteral("IND_CALCULA_477"),
                      QStringLiteral("SOBRE_477_DIFERENCA_SALAR"), QStringLiteral("SOBRE_467_RSR")},
                  QStringLiteral("PROCESSO_ID")),
        QStringList{"IND_CALCULA_467=N IND_CALCULA_477=S SOBRE_477_DIFERENCA_SALAR=N SOBRE_467_RSR=S"});
}

TEST(EditorINSS, AnActivityProposesItsRateAndTheEmployerControlsKeepTheirValuesWhenOff)
{
    JanelaTeste t;
    t.mostra(t.copiaExemplo());
    NoEditor(t, "CALCULA_INSS", [&](TfrmOkCan& d) {
        const Ui::TfrmINSS& ui = static_cast<TfrmINSS&>(d).ui();
        EXPECT_EQ(d.windowTitle(), u"Apuração de INSS");
        EXPECT_TRUE(TemFoco(ui.chkCalculaReclamante));
        ASSERT_TRUE(ui.chkCalculaReclamado->isChecked());
        Digita(ui.edtPercEmpregador, QStringLiteral("12,5"));
        Escolhe(ui.cmbEmpregador, qlonglong(4)); // Construção civil: 20 %
        EXPECT_EQ(ui.edtPercEmpregador->text(), u"20,0");
        EXPECT_EQ(ui.cmbRAT->currentData(), QVariant(qlonglong(4)));
        EXPECT_EQ(ui.edtPercRAT->text(), u"2,0"); // until its own list is left
        Escolhe(ui.cmbRAT, qlonglong(4));
        EXPECT_EQ(ui.edtPercRAT->text(), u"3,0");

        Clica(ui.chkCalculaReclamado);
        for (QWidget* w : std::initializer_list<QWidget*>{ui.cmbEmpregador, ui.cmbRAT, ui.cmbTerceiros,
                 ui.edtPercEmpregador, ui.edtPercRAT, ui.edtPercTerceiros})
            EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
        EXPECT_EQ(ui.cmbEmpregador->currentText(), u"Construção civil");
        Clica(ui.chkCalculaReclamante);
        EXPECT_FALSE(ui.rbtAutonomo->isEnabled());
        EXPECT_FALSE(ui.chkDescontar->isEnabled());
        QTest::mouseClick(d.btnOk(), Qt::LeftButton);
    });
    EXPECT_EQ(
        Linhas(t, QStringLiteral("TAB_INSS"),
            {QStringLiteral("IND_CALCULA_RECLAMANTE"), QStringLiteral("IND_CALCULA_RECLAMADO"),
                QStringLiteral("CODPREVEMPREGADOR"), QStringLiteral("PERCENTUAL_EMPREGADOR"),
                QStringLiteral("CODPREVSAT"), QStringLiteral("PERCENTUAL_RAT"), QStringLiteral("PERCENTUAL_TERCEIROS")},
            QStringLiteral("PROCESSO_ID")),
        QStringList{"IND_CALCULA_RECLAMANTE=N IND_CALCULA_RECLAMADO=N CODPREVEMPREGADOR=4 PERCENTUAL_EMPREGADOR=200000 "
                    "CODPREVSAT=4 PERCENTUAL_RAT=30000 PERCENTUAL_TERCEIROS=58000"});
}

TEST(EditorJuros, ANewRowIsSavedOnlyByOkAndItsDatesAreChecked)
{
    JanelaTeste t;
    t.mostra(t.copiaExemplo());
    Clica(CaixaItem(t, "CALCULA_JUROS")); // off: its row goes
    ASSERT_EQ(Contagem(t, QStringLiteral("TAB_JUROS")), 0);

    NoEditor(t, "CALCULA_JUROS", [&](TfrmOkCan& d) { QTest::keyClick(&d, Qt::Key_Escape); });
    EXPECT_FALSE(CaixaItem(t, "CALCULA_JUROS")->isChecked());
    EXPECT_EQ(t.caso().texto(u"CALCULA_JUROS"), u"N");
    EXPECT_EQ(Contagem(t, QStringLiteral("TAB_JUROS")), 0);

    QStringList mensagens;
    NoEditor(t, "CALCULA_JUROS", [&](TfrmOkCan& d) {
        auto& j = static_cast<TfrmJuros&>(d);
        const Ui::TfrmJuros& ui = j.ui();
        EXPECT_FALSE(ui.datInicio->data().isValid());
        EXPECT_EQ(ui.datFim->text(), u"30/04/2026"); // the update date
        EXPECT_TRUE(ui.rbtPadrao->isChecked());
        EXPECT_FALSE(j.chkFGTS->isChecked());
        EXPECT_TRUE(j.chkMultas->isChecked());
        EXPECT_EQ(Contagem(t, QStringLiteral("TAB_JUROS")), 0); // not before OK

        Digita(ui.datInicio, QStringLiteral("01052026"));
        AnotaCaixa(mensagens);
        QTest::mouseClick(d.btnOk(), Qt::LeftButton);
        EsperaModais();
        EXPECT_TRUE(TemFoco(ui.datFim));
        Reativa(&d);
        Digita(ui.datInicio, QStringLiteral("20032025"));
        QTest::mouseClick(ui.rbtMP, Qt::LeftButton);
        QTest::mouseClick(d.btnOk(), Qt::LeftButton);
    });
    EXPECT_EQ(mensagens, QStringList{"A Data Final deve ser maior ou igual a Data Inicial!"});
    EXPECT_TRUE(CaixaItem(t, "CALCULA_JUROS")->isChecked());
    EXPECT_EQ(Linhas(t, QStringLiteral("TAB_JUROS"),
                  {QStringLiteral("DATA_INICIO_JUROS"), QStringLiteral("DATA_FIM_JUROS"),
                      QStringLiteral("METODO_JUROS"), QStringLiteral("IND_FGTS")},
                  QStringLiteral("PROCESSO_ID")),
        QStringList{"DATA_INICIO_JUROS=2025-03-20 DATA_FIM_JUROS=2026-04-30 METODO_JUROS=M IND_FGTS=N"});
}

TEST(EditorIR, ANewRowHasEveryItemInItsBase)
{
    JanelaTeste t;
    t.mostra(t.copiaExemplo());
    Clica(CaixaItem(t, "CALCULA_IR"));
    NoEditor(t, "CALCULA_IR", [&](TfrmOkCan& d) {
        EXPECT_EQ(d.windowTitle(), u"Apuração de Imposto de Renda");
        auto& ir = static_cast<TfrmIR&>(d);
        for (QCheckBox* c : ir.grbBaseCalc()->findChildren<QCheckBox*>())
            EXPECT_TRUE(c->isChecked()) << c->text().toStdString();
        EXPECT_TRUE(TemFoco(ir.chkAvisoPrevio));
        Clica(ir.chkJuros);
        QTest::keyClick(ir.chkJuros, Qt::Key_Return); // OK is the default button
    });
    EXPECT_EQ(t.valor(QStringLiteral("SELECT IND_JUROS || IND_FERIAS FROM TAB_IR")).toString(), u"NS");
    EXPECT_TRUE(CaixaItem(t, "CALCULA_IR")->isChecked());
}

TEST(EditoresItens, EveryControlThatTakesTheFocusHasANameForAScreenReader)
{
    JanelaTeste t;
    t.mostra(t.copiaExemplo());
    Motor& m = t.j().motor();
    std::vector<std::unique_ptr<QDialog>> dialogos;
    dialogos.push_back(std::make_unique<TfrmAvisoPrevio>(m, &t.j()));
    dialogos.push_back(std::make_unique<Tfrm13>(m, &t.j()));
    dialogos.push_back(std::make_unique<TfrmFerias>(m, &t.j()));
    dialogos.push_back(std::make_unique<TfrmFGTS>(m, &t.j()));
    dialogos.push_back(std::make_unique<TfrmMultas>(m, &t.j()));
    dialogos.push_back(std::make_unique<TfrmINSS>(m, &t.j()));
    dialogos.push_back(std::make_unique<TfrmIR>(m, &t.j()));
    dialogos.push_back(std::make_unique<TfrmJuros>(m, &t.j()));
    dialogos.push_back(std::make_unique<TfrmOutrosCred>(m, &t.j()));
    dialogos.push_back(std::make_unique<TfrmOutrosDeb>(m, &t.j()));
    dialogos.push_back(std::make_unique<TfrmOutros>(m, &t.j()));
    for (const auto& d : dialogos) {
        for (QWidget* w : d->findChildren<QWidget*>()) {
            if (w->focusPolicy() == Qt::NoFocus || !w->isVisibleTo(d.get()) || w->focusProxy())
                continue;
            QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
            ASSERT_NE(a, nullptr);
            const QString nome = a->text(QAccessible::Name).trimmed();
            // A field without a name of its own is read with the title of its group.
            bool soGrupo = false;
            if (!qobject_cast<QAbstractButton*>(w))
                for (QWidget* p = w->parentWidget(); p; p = p->parentWidget())
                    if (auto* g = qobject_cast<QGroupBox*>(p); g && g->title().remove(u'&') == nome)
                        soGrupo = true;
            EXPECT_TRUE(!nome.isEmpty() && !soGrupo)
                << d->windowTitle().toStdString() << ": " << w->metaObject()->className() << ' '
                << w->objectName().toStdString() << " \"" << nome.toStdString() << '"';
        }
    }
}
