// The premium editors as a clerk uses them, on the sample case (contract 03/02/2022 to
// 14/02/2025): insalubrity and periculosity with their period, weekly rest with its bases,
// the reflexes dialog with the items the case calculates, the main window's ticking; and,
// for every dialog of the work-schedule, overtime and premium editors, the keyboard and
// the names a screen reader reads.

#include "test_editor_itens.h"

#include "Grade.h"
#include "Registros.h"

#include "BancoDados.h"
#include "Campos.h"
#include "Motor.h"
#include "Programa.h"
#include "TfrmHoraExtraValor.h"
#include "TfrmHorasExtras.h"
#include "TfrmInsalub.h"
#include "TfrmJornadaHE.h"
#include "TfrmJornadaHEN.h"
#include "TfrmModJornada.h"
#include "TfrmNoturno.h"
#include "TfrmNoturnoValor.h"
#include "TfrmPeric.h"
#include "TfrmRSR.h"
#include "TfrmReflexos.h"
#include "ui_TfrmInsalub.h"
#include "ui_TfrmPeric.h"
#include "ui_TfrmRSR.h"
#include "ui_TfrmReflexos.h"

#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

using namespace quintar;
using namespace quintar::teste;

namespace {

constexpr qint64 IdCaso = 1234;

QString Valor(JanelaTeste& t, const QString& sql)
{
    return t.valor(sql).toString();
}

const char* const PeriodoInsalubridade = "SELECT MES_INICIAL || '/' || ANO_INICIAL || '-' || MES_FINAL || '/' || "
                                         "ANO_FINAL || '-' || GRAU || BASE_CALCULO || IND_APENAS_REFLEXO FROM "
                                         "TAB_INSALUBRIDADE WHERE PROCESSO_ID = 1234";

} // namespace

TEST(Insalubridade, ItsRowIsSavedWithTheDefaultsBeforeTheClerkSeesIt)
{
    JanelaTeste t;
    t.mostra(t.copiaExemplo());
    TfrmInsalub d(t.j().motor(), &t.j());
    Ui::TfrmInsalub& ui = d.ui();
    QuandoModal([&](QWidget*) {
        EXPECT_EQ(d.windowTitle(), u"Apuração de Insalubridade");
        EXPECT_EQ(Valor(t, QString::fromLatin1(PeriodoInsalubridade)), u"2/2022-2/2025-1MN");
        EXPECT_EQ(ui.rbtMinimo->text(), u"Mínimo (10 %)");
        EXPECT_EQ(ui.rbtMedio->text(), u"Médio (20 %)");
        EXPECT_EQ(ui.rbtMaximo->text(), u"Máximo (40 %)");
        EXPECT_TRUE(ui.rbtMinimo->isChecked());
        EXPECT_TRUE(ui.rbtSalarioMinimo->isChecked());
        EXPECT_EQ(ui.cmbMesInicial->currentText(), u"2");
        EXPECT_EQ(ui.edtAnoInicial->text(), u"2022");
        EXPECT_EQ(ui.cmbMesFinal->currentText(), u"2");
        EXPECT_EQ(ui.edtAnoFinal->text(), u"2025");
        EXPECT_TRUE(TemFoco(ui.rbtMinimo));
        Clica(ui.rbtMaximo);
        d.reject();
    });
    EXPECT_FALSE(d.Executa(IdCaso));
    EsperaModais();
    // Cancel leaves the default row, and only it.
    EXPECT_EQ(Valor(t, QString::fromLatin1(PeriodoInsalubridade)), u"2/2022-2/2025-1MN");
}

TEST(Insalubridade, TwoDigitYearsAreCompletedAndAFullYearMovesOn)
{
    JanelaTeste t;
    t.mostra(t.copiaExemplo());
    TfrmInsalub d(t.j().motor(), &t.j());
    Ui::TfrmInsalub& ui = d.ui();
    QuandoModal([&](QWidget*) {
        for (const auto& [digitado, ano] :
            {std::pair{"06", "2006"}, std::pair{"98", "1998"}, std::pair{"2004", "2004"}}) {
            Digita(ui.edtAnoInicial, QString::fromLatin1(digitado));
            EXPECT_EQ(ui.edtAnoInicial->text(), QString::fromLatin1(ano)) << digitado;
        }
        ui.edtAnoInicial->setFocus();
        ui.edtAnoInicial->selectAll();
        Tecla(ui.edtAnoInicial, QStringLiteral("2023"));
        EXPECT_TRUE(TemFoco(ui.cmbMesFinal));
        ui.edtAnoFinal->setFocus();
        ui.edtAnoFinal->selectAll();
        Tecla(ui.edtAnoFinal, QStringLiteral("2024"));
        EXPECT_TRUE(TemFoco(ui.btnReflexos));
        Clica(ui.rbtMedio);
        Clica(ui.rbtSalarioFixo);
        QTest::mouseClick(d.btnOk(), Qt::LeftButton);
    });
    EXPECT_TRUE(d.Executa(IdCaso));
    EsperaModais();
    EXPECT_EQ(Valor(t, QString::fromLatin1(PeriodoInsalubridade)), u"2/2023-2/2024-2FN");
}

TEST(Adicionais, APeriodOutsideTheContractIsRefusedAndNothingIsStored)
{
    struct Caso {
        const char* nome;
        const char *mesInicial, *anoInicial, *mesFinal, *anoFinal;
        const char* mensagem;
    };
    const Caso casos[] = {
        {"final após a dispensa", nullptr, nullptr, "3", nullptr,
            "Mês/Ano Final deve ser menor ou igual a data da Dispensa."},
        {"final antes do inicial", nullptr, "2024", nullptr, "2023",
            "Mês/Ano Final deve ser maior que Mês/Ano Inicial."},
        {"inicial antes do pacto", "1", nullptr, nullptr, nullptr,
            "Mês/Ano Inicial deve ser maior ou igual ao Inicio do Pacto."},
    };
    for (const bool periculosidade : {false, true}) {
        for (const Caso& k : casos) {
            SCOPED_TRACE(std::string(periculosidade ? "periculosidade: " : "insalubridade: ") + k.nome);
            JanelaTeste t;
            t.mostra(t.copiaExemplo());
            std::unique_ptr<TfrmOkCan> d;
            QComboBox *mesInicial, *mesFinal;
            QLineEdit *anoInicial, *anoFinal;
            if (periculosidade) {
                auto* p = new TfrmPeric(t.j().motor(), &t.j());
                d.reset(p);
                mesInicial = p->ui().cmbMesInicial, anoInicial = p->ui().edtAnoInicial;
                mesFinal = p->ui().cmbMesFinal, anoFinal = p->ui().edtAnoFinal;
            } else {
                auto* i = new TfrmInsalub(t.j().motor(), &t.j());
                d.reset(i);
                mesInicial = i->ui().cmbMesInicial, anoInicial = i->ui().edtAnoInicial;
                mesFinal = i->ui().cmbMesFinal, anoFinal = i->ui().edtAnoFinal;
            }
            const QString tabela =
                periculosidade ? QStringLiteral("TAB_PERICULOSIDADE") : QStringLiteral("TAB_INSALUBRIDADE");
            const QString sql = QStringLiteral("SELECT MES_INICIAL || '/' || ANO_INICIAL || '-' || MES_FINAL || '/' || "
                                               "ANO_FINAL FROM %1")
                                    .arg(tabela);
            QStringList mensagens;
            QuandoModal([&](QWidget*) {
                if (k.mesInicial)
                    Escolhe(mesInicial, QByteArray(k.mesInicial).toInt());
                if (k.anoInicial)
                    Digita(anoInicial, QString::fromLatin1(k.anoInicial));
                if (k.mesFinal)
                    Escolhe(mesFinal, QByteArray(k.mesFinal).toInt());
                if (k.anoFinal)
                    Digita(anoFinal, QString::fromLatin1(k.anoFinal));
                const QString digitado = mesInicial->currentText() + u'/' + anoInicial->text() + u'-'
                    + mesFinal->currentText() + u'/' + anoFinal->text();
                AnotaCaixa(mensagens);
                QTest::mouseClick(d->btnOk(), Qt::LeftButton);
                QTest::qWait(10);
                EXPECT_TRUE(d->isVisible());
                EXPECT_TRUE(TemFoco(mesFinal));
                EXPECT_EQ(mesInicial->currentText() + u'/' + anoInicial->text() + u'-' + mesFinal->currentText() + u'/'
                        + anoFinal->text(),
                    digitado);
                d->reject();
            });
            EXPECT_FALSE(d->Executa(IdCaso));
            EsperaModais();
            EXPECT_EQ(mensagens, QStringList({QString::fromUtf8(k.mensagem)}));
            EXPECT_EQ(Valor(t, sql), u"2/2022-2/2025");
        }
    }
}

TEST(Periculosidade, ShowsThirtyPercentAndStoresWhatIsTyped)
{
    JanelaTeste t;
    t.mostra(t.copiaExemplo());
    TfrmPeric d(t.j().motor(), &t.j());
    QuandoModal([&](QWidget*) {
        EXPECT_EQ(d.windowTitle(), u"Apuração de Periculosidade");
        EXPECT_EQ(d.ui().edtPercentual->text(), u"30,00");
        EXPECT_TRUE(TemFoco(d.ui().edtPercentual));
        Digita(d.ui().edtPercentual, QStringLiteral("2x5,5"));
        EXPECT_EQ(d.ui().edtPercentual->text(), u"25,50");
        QTest::mouseClick(d.btnOk(), Qt::LeftButton);
    });
    EXPECT_TRUE(d.Executa(IdCaso));
    EsperaModais();
    EXPECT_EQ(Valor(t,
                  QStringLiteral("SELECT PERCENTUAL || '-' || IND_APENAS_REFLEXO || '-' || MES_FINAL || '/' || "
                                 "ANO_FINAL FROM TAB_PERICULOSIDADE")),
        u"255000-N-2/2025");
}

TEST(RSR, ANewRowTicksThePremiumsAndNotTheSalaryBases)
{
    JanelaTeste t;
    t.mostra(t.copiaExemplo());
    const QString sql =
        QStringLiteral("SELECT SOBRE_SALARIO_FIXO || SOBRE_DIFERENCA_SALARIAL || SOBRE_SALARIO_VARIAVEL "
                       "|| '-' || SOBRE_HORA_EXTRA || SOBRE_NOTURNO || SOBRE_INSALUBRIDADE || "
                       "SOBRE_PERICULOSIDADE || '-' || IND_APENAS_REFLEXO FROM TAB_RSR");
    for (const bool ok : {true, false}) {
        TfrmRSR d(t.j().motor(), &t.j());
        Ui::TfrmRSR& ui = d.ui();
        QuandoModal([&](QWidget*) {
            EXPECT_EQ(d.windowTitle(), u"Repouso Semanal Remunerado");
            EXPECT_FALSE(d.grbBaseCalc()->isVisible());
            EXPECT_EQ(ui.chkSalarioFixo->text(), u"Salário Fixo (Todo o Pacto)");
            if (ok) {
                EXPECT_EQ(Valor(t, sql), u"NNN-SSSS-N");
                EXPECT_FALSE(ui.chkSalarioFixo->isChecked());
                EXPECT_FALSE(ui.chkDiferencaSalarial->isChecked());
                EXPECT_FALSE(ui.chkSalarioVariavel->isChecked());
                EXPECT_TRUE(ui.chkHoraExtra->isChecked());
                EXPECT_TRUE(ui.chkNoturno->isChecked());
                EXPECT_TRUE(ui.chkInsalubridade->isChecked());
                EXPECT_TRUE(ui.chkPericulosidade->isChecked());
                Clica(ui.chkPericulosidade);
                Clica(ui.chkSalarioFixo);
                QTest::mouseClick(d.btnOk(), Qt::LeftButton);
            } else {
                Clica(ui.chkHoraExtra); // undone by Cancel
                d.reject();
            }
        });
        EXPECT_EQ(d.Executa(IdCaso), ok);
        EsperaModais();
        EXPECT_EQ(Valor(t, sql), u"SNN-SSSN-N");
    }
}

TEST(Reflexos, OnlyTheItemsTheCaseCalculatesCanBeChosen)
{
    JanelaTeste t;
    t.mostra(t.copiaExemplo());
    BancoDados& banco = t.j().programa().banco();
    banco.executaDireto(QStringLiteral("UPDATE TAB_PROCESSO SET CALCULA_13_SALARIO = 'N'"));
    const auto reflexo = [&](const char* tabela) {
        return Valor(t,
            QStringLiteral("SELECT GROUP_CONCAT(SOBRE_HORA_EXTRA || SOBRE_NOTURNO || SOBRE_INSALUBRIDADE || "
                           "SOBRE_PERICULOSIDADE || SOBRE_RSR, ' ') FROM %1")
                .arg(QLatin1String(tabela)));
    };
    const QString decimo = reflexo("TAB_13_SALARIO");
    ASSERT_EQ(reflexo("TAB_AVISO_PREVIO"), u"SNNNN");
    const QString apenas = QStringLiteral("SELECT IND_APENAS_REFLEXO FROM TAB_INSALUBRIDADE");

    TfrmInsalub d(t.j().motor(), &t.j());
    QuandoModal([&](QWidget*) {
        QuandoModal([&](QWidget* janela) {
            auto* r = static_cast<TfrmReflexos*>(janela);
            EXPECT_EQ(r->windowTitle(), u"Reflexos - Insalubridade");
            EXPECT_EQ(r->ui().grbItens->title(), u"Itens de Cálculo");
            EXPECT_TRUE(r->ui().chkAvisoPrevio->isEnabled());
            EXPECT_FALSE(r->ui().chkAvisoPrevio->isChecked());
            EXPECT_FALSE(r->ui().chk13Salario->isEnabled());
            EXPECT_FALSE(r->ui().chk13Salario->isChecked());
            EXPECT_TRUE(r->ui().chkFerias->isEnabled());
            EXPECT_FALSE(r->ui().chkApenasReflexo->isChecked());
            Clica(r->ui().chkAvisoPrevio);
            Clica(r->ui().chkApenasReflexo);
            QTest::mouseClick(r->btnOk(), Qt::LeftButton);
        });
        QTest::mouseClick(d.ui().btnReflexos, Qt::LeftButton);
        EsperaModais();
        // The changed flag is saved with the row at once.
        EXPECT_EQ(Valor(t, apenas), u"S");

        // Cancel puts "Calcular Apenas os Reflexos" back as it was.
        QuandoModal([&](QWidget* janela) {
            auto* r = static_cast<TfrmReflexos*>(janela);
            EXPECT_TRUE(r->ui().chkApenasReflexo->isChecked());
            EXPECT_TRUE(r->ui().chkAvisoPrevio->isChecked());
            Clica(r->ui().chkApenasReflexo);
            Clica(r->ui().chkFerias);
            r->reject();
        });
        QTest::mouseClick(d.ui().btnReflexos, Qt::LeftButton);
        EsperaModais();
        EXPECT_FALSE(d.que1()->emEdicao());
        EXPECT_EQ(d.que1()->valor(u"IND_APENAS_REFLEXO").toString(), u"S");
        d.reject();
    });
    d.Executa(IdCaso);
    EsperaModais();
    EXPECT_EQ(Valor(t, apenas), u"S");
    EXPECT_EQ(reflexo("TAB_AVISO_PREVIO"), u"SNSNN");
    EXPECT_EQ(reflexo("TAB_13_SALARIO"), decimo);
    const QStringList ferias = reflexo("TAB_FERIAS").split(u' ');
    EXPECT_EQ(ferias, QStringList(ferias.size(), QStringLiteral("SNNNN"))); // the box left unticked
}

TEST(Adicionais, TickingAPremiumOpensItsEditorAndCancelUnticksIt)
{
    for (const auto& [flag, titulo, tabela] :
        {std::tuple{"CALCULA_INSALUBRIDADE", "Apuração de Insalubridade", "TAB_INSALUBRIDADE"},
            std::tuple{"CALCULA_PERICULOSIDADE", "Apuração de Periculosidade", "TAB_PERICULOSIDADE"},
            std::tuple{"CALCULA_RSR", "Repouso Semanal Remunerado", "TAB_RSR"}}) {
        SCOPED_TRACE(flag);
        JanelaTeste t;
        t.mostra(t.copiaExemplo());
        QCheckBox* caixa = CaixaItem(t, flag);
        for (const bool ok : {false, true}) {
            QString visto;
            QuandoModal([&visto, ok](QWidget* janela) {
                visto = janela->windowTitle();
                auto* d = static_cast<TfrmOkCan*>(janela);
                if (ok)
                    QTest::mouseClick(d->btnOk(), Qt::LeftButton);
                else
                    d->reject();
            });
            Clica(caixa);
            EsperaModais();
            EXPECT_EQ(visto, QString::fromUtf8(titulo));
            EXPECT_EQ(caixa->isChecked(), ok);
            EXPECT_EQ(t.caso().texto(QString::fromLatin1(flag)), ok ? u"S" : u"N");
            EXPECT_EQ(
                t.valor(QStringLiteral("SELECT COUNT(*) FROM %1").arg(QLatin1String(tabela))).toInt(), ok ? 1 : 0);
        }
    }
}

TEST(Adicionais, EveryControlHasANameAndTheButtonsCloseTheTabOrder)
{
    JanelaTeste t;
    t.mostra(t.copiaExemplo());
    Motor& m = t.j().motor();
    Registros linhas(t.j().programa().banco(), u"TAB_HORAS_EXTRAS");
    linhas.abre(IdCaso);
    // Each dialog with the control the tab order starts from, after OK and Cancel.
    std::vector<std::pair<std::unique_ptr<TfrmOkCan>, const char*>> dialogos;
    dialogos.emplace_back(std::make_unique<TfrmJornadaHE>(m), "gri1");
    dialogos.emplace_back(std::make_unique<TfrmJornadaHEN>(m), "gri1");
    dialogos.emplace_back(std::make_unique<TfrmModJornada>(m), "rbtModelo0");
    dialogos.emplace_back(std::make_unique<TfrmHorasExtras>(m), "gri1");
    dialogos.emplace_back(std::make_unique<TfrmNoturno>(m), "gri1");
    dialogos.emplace_back(std::make_unique<TfrmHoraExtraValor>(m, linhas), "chkSalarioFixo");
    dialogos.emplace_back(std::make_unique<TfrmNoturnoValor>(m, linhas), "chkSalarioFixo");
    dialogos.emplace_back(std::make_unique<TfrmReflexos>(m, QStringLiteral("HORA_EXTRA"), linhas), "chkAvisoPrevio");
    dialogos.emplace_back(std::make_unique<TfrmInsalub>(m), "rbtMinimo");
    dialogos.emplace_back(std::make_unique<TfrmPeric>(m), "edtPercentual");
    dialogos.emplace_back(std::make_unique<TfrmRSR>(m), "chkSalarioFixo");
    for (const auto& [d, primeiro] : dialogos) {
        SCOPED_TRACE(d->metaObject()->className());
        QSet<QWidget*> comRotulo;
        for (QLabel* l : d->findChildren<QLabel*>())
            if (l->buddy())
                comRotulo.insert(l->buddy());
        // The chain is a ring: from the control after Cancel round to Cancel.
        QList<QWidget*> anel;
        for (QWidget* w = d->nextInFocusChain(); w != d.get(); w = w->nextInFocusChain())
            if ((w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(d.get()) && w->isEnabled()
                && !qobject_cast<QComboBox*>(w->parentWidget()))
                anel.append(w);
        const qsizetype cancelar = anel.indexOf(d->btnCancelar());
        ASSERT_GE(cancelar, 0);
        const QList<QWidget*> ordem = anel.mid(cancelar + 1) + anel.mid(0, cancelar + 1);
        ASSERT_GE(ordem.size(), 3);
        EXPECT_EQ(ordem.first()->objectName(), QString::fromLatin1(primeiro));
        EXPECT_EQ(ordem.at(ordem.size() - 2), d->btnOk());
        for (QWidget* w : ordem) {
            const auto* botao = qobject_cast<QAbstractButton*>(w);
            const bool temTexto = botao && !botao->text().isEmpty();
            const bool temNome = !w->accessibleName().isEmpty() || comRotulo.contains(w);
            EXPECT_TRUE(temTexto || temNome) << w->metaObject()->className() << " " << w->objectName().toStdString();
        }
    }
}
