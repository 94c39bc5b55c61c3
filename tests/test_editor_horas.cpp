// The overtime and night-premium editors as a clerk uses them, on the sample case (contract
// 03/02/2022 to 14/02/2025; one overtime line from 03/2024 to 01/2025 with 20 day hours):
// from ticking the item to the calculated total, the line's wage options, new lines, the
// checks of a line, the reflex-only flag shared by every line, and the main window's
// untick path when every line is deleted.

#include "test_editor_itens.h"

#include "Grade.h"
#include "Registros.h"

#include "Ambiente.h"
#include "BancoDados.h"
#include "Motor.h"
#include "Programa.h"
#include "TfrmHoraExtraValor.h"
#include "TfrmHorasExtras.h"
#include "TfrmJornadaHE.h"
#include "TfrmJornadaHEN.h"
#include "TfrmModJornada.h"
#include "TfrmNoturno.h"
#include "TfrmReflexos.h"
#include "Valores.h"
#include "ui_TfrmHoraExtraValor.h"
#include "ui_TfrmJornadaHE.h"
#include "ui_TfrmJornadaHEN.h"
#include "ui_TfrmPrincipal.h"
#include "ui_TfrmReflexos.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFile>
#include <QPushButton>
#include <QToolButton>

#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

using namespace quintar;
using namespace quintar::teste;

namespace {

constexpr qint64 IdCaso = 1234;

int Conta(JanelaTeste& t, const char* tabela)
{
    return t.valor(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE PROCESSO_ID = 1234").arg(QLatin1String(tabela)))
        .toInt();
}

QString ColunaGravada(JanelaTeste& t, const char* tabela, const char* expressao)
{
    return t
        .valor(QStringLiteral("SELECT GROUP_CONCAT(v, ' ') FROM (SELECT %1 AS v FROM %2 WHERE PROCESSO_ID = 1234 "
                              "ORDER BY SEQUENCIAL)")
                   .arg(QLatin1String(expressao), QLatin1String(tabela)))
        .toString();
}

// The 44-hour model plus two hours a day, averaged, OK.
void SemanaDe54Horas(QWidget* janela)
{
    auto* jornada = static_cast<TfrmJornadaHE*>(janela);
    QuandoModal([](QWidget* m) {
        auto* modelos = static_cast<TfrmModJornada*>(m);
        Clica(modelos->modelos()->button(3));
        QTest::mouseClick(modelos->btnOk(), Qt::LeftButton);
    });
    QTest::mouseClick(jornada->ui().btnModelo, Qt::LeftButton);
    DigitaCelula(jornada->gri1(), 0, QStringLiteral("SAIDA"), QStringLiteral("2000"));
    QTest::mouseClick(jornada->ui().btnApurar, Qt::LeftButton);
    QTest::mouseClick(jornada->btnOk(), Qt::LeftButton);
}

} // namespace

TEST(HorasExtras, AClerkDescribesTheWeekAndGetsTheTotalTheCommandLineGives)
{
    JanelaTeste t;
    const QString arquivo = t.copiaExemplo();
    t.mostra(arquivo);
    QCheckBox* horas = CaixaItem(t, "CALCULA_HORAS_EXTRAS");
    ASSERT_TRUE(horas->isChecked());
    Clica(horas); // off: the sample's line goes
    ASSERT_EQ(Conta(t, "TAB_HORAS_EXTRAS"), 0);

    QuandoModal([](QWidget* janela) {
        auto* e = static_cast<TfrmHorasExtras*>(janela);
        EXPECT_EQ(e->windowTitle(), u"Apuração de Horas Extras");
        Grade* g = e->gri1();
        // One line over the whole contract.
        ASSERT_EQ(g->model()->rowCount(), 1);
        QStringList linha;
        for (int c = 0; c < g->model()->columnCount(); ++c)
            linha.append(g->model()->index(0, c).data().toString());
        EXPECT_EQ(linha.join(u'|'), u"02|2022|02|2025|Apurar Médias|0,00|0,00|Opções");
        QStringList titulos;
        for (int c = 0; c < g->model()->columnCount(); ++c)
            titulos.append(g->model()->headerData(c, Qt::Horizontal).toString());
        EXPECT_EQ(titulos,
            QStringList({"Mês Inicial", "Ano Inicial", "Mês Final", "Ano Final", "Jornada de Trabalho",
                "Média H.E.Diurnas Mês", "Média H.E.Noturnas Mês", "Valor da Hora"}));
        EXPECT_EQ(e->btnApurar()->text(), u"&Apurar Jornada");
        EXPECT_EQ(e->btnReflexos()->text(), u"Reflexos sobre Aviso Prévio, 13º e Férias");

        QuandoModal(SemanaDe54Horas);
        QTest::mouseClick(e->btnApurar(), Qt::LeftButton);
        EXPECT_EQ(TextoCelula(g, 0, QStringLiteral("NUMERO_MEDIO_DIURNO")), u"42,87");
        EXPECT_EQ(TextoCelula(g, 0, QStringLiteral("NUMERO_MEDIO_NOTURNO")), u"0,00");
        EXPECT_FALSE(e->que1()->emEdicao()); // saved with its checks
        QTest::mouseClick(e->btnOk(), Qt::LeftButton);
    });
    Clica(horas);
    EsperaModais();
    ASSERT_TRUE(horas->isChecked());
    EXPECT_EQ(ColunaGravada(t, "TAB_HORAS_EXTRAS", "NUMERO_MEDIO_DIURNO"), QString::number(4287 * 100));
    EXPECT_EQ(Conta(t, "TAB_JT_EXTRA"), 2);
    EXPECT_TRUE(LeBytes(arquivo).contains("<NUMERO_MEDIO_DIURNO>42,87</NUMERO_MEDIO_DIURNO>"));

    QTest::mouseClick(t.j().ui().btnCalcula, Qt::LeftButton);
    const QString mostrado = t.j().itens()[t.j().indiceItem(QStringLiteral("CALCULA_HORAS_EXTRAS"))].edt->text();
    EXPECT_NE(mostrado, u"0,00");

    // The command line on the case file the window wrote, in a program folder of its own.
    QTemporaryDir outra;
    const QString copia = outra.path() + QStringLiteral("/01234.2025.002.02.00.QNT.XML");
    ASSERT_TRUE(QFile::copy(arquivo, copia));
    const ResultadoCli r = RodaCli({QStringLiteral("--pasta"), outra.path(), QStringLiteral("calcula"), copia,
        QStringLiteral("--agora"), QStringLiteral("10/12/2026 12:00:00")});
    ASSERT_EQ(r.codigo, 0) << r.erros.toStdString();
    QString impresso;
    for (const QString& linha : r.saida.split(u'\n'))
        if (linha.startsWith(u"Horas Extras: "))
            impresso = linha.section(QStringLiteral(": "), 1).trimmed();
    EXPECT_EQ(mostrado, impresso);
}

TEST(HorasExtras, TheLinesWageOptionsAndANewLineThatCopiesThem)
{
    JanelaTeste t;
    t.mostra(t.copiaExemplo());
    TfrmHorasExtras e(t.j().motor(), &t.j());
    QuandoModal([&](QWidget*) {
        Grade* g = e.gri1();
        ASSERT_EQ(g->model()->rowCount(), 1);
        // "Valor da Hora" with a double click: 70 % and six hours a day.
        QuandoModal([](QWidget* janela) {
            auto* v = static_cast<TfrmHoraExtraValor*>(janela);
            Ui::TfrmHoraExtraValor& ui = v->ui();
            EXPECT_EQ(v->windowTitle(), u"Apuração de Valor de Hora Extra");
            EXPECT_TRUE(ui.chkSalarioFixo->isChecked());
            EXPECT_FALSE(ui.chkDiferencaSalarial->isChecked());
            EXPECT_TRUE(ui.chkSalarioVariavel->isChecked());
            EXPECT_FALSE(ui.chkApenasAdicional->isChecked());
            EXPECT_EQ(ui.edtPercentual->text(), u"50");
            EXPECT_EQ(ui.edtAcrescimoNoturno->text(), u"20");
            EXPECT_EQ(ui.cmbDivisor->currentText(), u"220 - (8 Horas Diárias)");
            Digita(ui.edtPercentual, QStringLiteral("7x0"));
            EXPECT_EQ(ui.edtPercentual->text(), u"70");
            Clica(ui.chkApenasAdicional);
            ui.cmbDivisor->setFocus();
            QTest::keyClick(ui.cmbDivisor, Qt::Key_Down);
            EXPECT_EQ(ui.cmbDivisor->currentText(), u"180 - (6 Horas Diárias)");
            QTest::mouseClick(v->btnOk(), Qt::LeftButton);
        });
        ClicaCelula(g, 0, QStringLiteral("VALOR_HORA"), true);
        EsperaModais();
        EXPECT_EQ(e.que1()->valor(u"IND_DIVISOR_HORA").toInt(), 180);
        EXPECT_EQ(lerMoney(e.que1()->valor(u"PERCENTUAL")), Money::fromCents(7000));

        // Down on the last line: a new line with the current line's options and the next number.
        g->vaiParaCampo(0, QStringLiteral("ANO_FINAL"));
        QTest::keyClick(g, Qt::Key_Down);
        ASSERT_EQ(g->model()->rowCount(), 2);
        EXPECT_EQ(g->currentIndex().row(), 1);
        EXPECT_EQ(CampoAtual(g), u"MES_INICIAL");
        const Registros& r = *e.que1();
        EXPECT_EQ(r.valor(u"SEQUENCIAL").toInt(), 2);
        EXPECT_EQ(r.valor(u"IND_DIVISOR_HORA").toInt(), 180);
        EXPECT_EQ(lerMoney(r.valor(u"PERCENTUAL")), Money::fromCents(7000));
        EXPECT_EQ(r.valor(u"IND_APENAS_ADICIONAL").toString(), u"S");
        EXPECT_EQ(TextoCelula(g, 1, QStringLiteral("NUMERO_MEDIO_DIURNO")), u"0,00");
        EXPECT_EQ(TextoCelula(g, 1, QStringLiteral("ANO_INICIAL")), QString());
        DigitaCelula(g, 1, QStringLiteral("MES_INICIAL"), QStringLiteral("2"));
        DigitaCelula(g, 1, QStringLiteral("ANO_INICIAL"), QStringLiteral("2025"));
        DigitaCelula(g, 1, QStringLiteral("MES_FINAL"), QStringLiteral("2"));
        DigitaCelula(g, 1, QStringLiteral("ANO_FINAL"), QStringLiteral("2025"));
        DigitaCelula(g, 1, QStringLiteral("NUMERO_MEDIO_NOTURNO"), QStringLiteral("3,5"));
        // A third line from the pop-up menu, deleted again.
        e.mnuIncluirClick();
        EXPECT_EQ(e.que1()->valor(u"SEQUENCIAL").toInt(), 3);
        e.mnuExcluirClick();
        QTest::mouseClick(e.btnOk(), Qt::LeftButton);
    });
    EXPECT_TRUE(e.Executa(IdCaso));
    EsperaModais();
    EXPECT_EQ(ColunaGravada(t, "TAB_HORAS_EXTRAS",
                  "SEQUENCIAL || '-' || MES_INICIAL || '/' || ANO_INICIAL || '-' || "
                  "IND_DIVISOR_HORA || '-' || (PERCENTUAL / 10000) || '-' || "
                  "NUMERO_MEDIO_NOTURNO"),
        u"1-3/2024-180-70-0 2-2/2025-180-70-35000");

    // Enter on "Valor da Hora": any other number is stored and shown as its digits.
    TfrmHorasExtras outra(t.j().motor(), &t.j());
    QuandoModal([&](QWidget*) {
        QString mostrado;
        QuandoModal([&mostrado](QWidget* janela) {
            auto* v = static_cast<TfrmHoraExtraValor*>(janela);
            EXPECT_EQ(v->ui().cmbDivisor->currentText(), u"180 - (6 Horas Diárias)");
            Digita(v->ui().cmbDivisor->lineEdit(), QStringLiteral("2a00"));
            mostrado = v->ui().cmbDivisor->currentText();
            QTest::mouseClick(v->btnOk(), Qt::LeftButton);
        });
        outra.gri1()->vaiParaCampo(1, QStringLiteral("VALOR_HORA"));
        QTest::keyClick(outra.gri1(), Qt::Key_Return);
        EsperaModais();
        EXPECT_EQ(mostrado, u"200");
        EXPECT_TRUE(outra.isVisible()); // Enter opened the options, it did not press OK
        QuandoModal([](QWidget* janela) {
            EXPECT_EQ(static_cast<TfrmHoraExtraValor*>(janela)->ui().cmbDivisor->currentText(), u"200");
            static_cast<QDialog*>(janela)->reject();
        });
        QTest::keyClick(outra.gri1(), Qt::Key_Return);
        EsperaModais();
        QTest::mouseClick(outra.btnOk(), Qt::LeftButton);
    });
    EXPECT_TRUE(outra.Executa(IdCaso));
    EsperaModais();
    EXPECT_EQ(
        t.valor(QStringLiteral("SELECT IND_DIVISOR_HORA FROM TAB_HORAS_EXTRAS WHERE SEQUENCIAL = 2")).toInt(), 200);
}

TEST(HorasExtras, ALineIsCheckedBeforeItIsStored)
{
    struct Caso {
        const char* nome;
        const char *mesFinal, *anoFinal, *diurnas, *noturnas;
        const char* mensagem; // empty: accepted
        const char* campo;
    };
    const Caso casos[] = {
        {"final após a dispensa", "3", "2025", nullptr, nullptr,
            "Mês/Ano Final deve ser menor ou igual a data da Dispensa.", "MES_FINAL"},
        {"final no mês da dispensa", "2", "2025", nullptr, nullptr, "", ""},
        {"final antes do inicial", "2", "2024", nullptr, nullptr, "Mês/Ano Final deve ser maior que Mês/Ano Inicial.",
            "MES_FINAL"},
        {"médias zero", nullptr, nullptr, "0", "0", "Alguma Média deve ser maior que zero.", "NUMERO_MEDIO_DIURNO"},
        {"média vazia", nullptr, nullptr, "", "", "Alguma Média deve ser maior que zero.", "NUMERO_MEDIO_DIURNO"},
        {"só noturnas", nullptr, nullptr, "0", "3,50", "", ""},
        {"letras na média", nullptr, nullptr, "1a,5", nullptr, "", ""},
    };
    for (const Caso& k : casos) {
        SCOPED_TRACE(k.nome);
        JanelaTeste t;
        t.mostra(t.copiaExemplo());
        TfrmHorasExtras e(t.j().motor(), &t.j());
        QStringList mensagens;
        QuandoModal([&](QWidget*) {
            Grade* g = e.gri1();
            const std::pair<const char*, const char*> campos[] = {{"MES_FINAL", k.mesFinal}, {"ANO_FINAL", k.anoFinal},
                {"NUMERO_MEDIO_DIURNO", k.diurnas}, {"NUMERO_MEDIO_NOTURNO", k.noturnas}};
            for (const auto& [campo, texto] : campos)
                if (texto)
                    DigitaCelula(g, 0, QString::fromLatin1(campo), QString::fromUtf8(texto));
            QStringList digitado;
            for (const auto& [campo, texto] : campos)
                digitado.append(TextoCelula(g, 0, QString::fromLatin1(campo)));
            if (*k.mensagem)
                AnotaCaixa(mensagens);
            QTest::mouseClick(e.btnOk(), Qt::LeftButton);
            if (!*k.mensagem)
                return;
            QTest::qWait(10);
            EXPECT_TRUE(e.isVisible());
            EXPECT_TRUE(TemFoco(g));
            EXPECT_EQ(CampoAtual(g), QString::fromLatin1(k.campo));
            EXPECT_TRUE(e.que1()->emEdicao());
            QStringList mantido;
            for (const auto& [campo, texto] : campos)
                mantido.append(TextoCelula(g, 0, QString::fromLatin1(campo)));
            EXPECT_EQ(mantido, digitado);
            e.reject();
        });
        const bool ok = e.Executa(IdCaso);
        EsperaModais();
        EXPECT_EQ(ok, !*k.mensagem);
        EXPECT_EQ(mensagens, *k.mensagem ? QStringList({QString::fromUtf8(k.mensagem)}) : QStringList());
        if (*k.mensagem) {
            EXPECT_EQ(
                ColunaGravada(t, "TAB_HORAS_EXTRAS", "MES_FINAL || '/' || ANO_FINAL || '-' || NUMERO_MEDIO_DIURNO"),
                u"1/2025-200000"); // nothing written
        }
    }
}

TEST(HorasExtras, AScheduleClosedWithoutApurarHandsBackNothingWhichTheLineRefuses)
{
    JanelaTeste t;
    t.mostra(t.copiaExemplo());
    TfrmHorasExtras e(t.j().motor(), &t.j());
    QStringList mensagens;
    QuandoModal([&](QWidget*) {
        QuandoModal([](QWidget* j) { QTest::mouseClick(static_cast<TfrmJornadaHE*>(j)->btnOk(), Qt::LeftButton); });
        AnotaCaixa(mensagens);
        QTest::mouseClick(e.btnApurar(), Qt::LeftButton);
        EsperaModais();
        EXPECT_EQ(TextoCelula(e.gri1(), 0, QStringLiteral("NUMERO_MEDIO_DIURNO")), u"0,00");
        EXPECT_EQ(CampoAtual(e.gri1()), u"NUMERO_MEDIO_DIURNO");
        EXPECT_TRUE(e.que1()->emEdicao());
        QTest::keyClick(e.gri1(), Qt::Key_Escape); // the line as it was
        EXPECT_EQ(TextoCelula(e.gri1(), 0, QStringLiteral("NUMERO_MEDIO_DIURNO")), u"20,00");
        e.reject();
    });
    e.Executa(IdCaso);
    EsperaModais();
    EXPECT_EQ(mensagens, QStringList({"Alguma Média deve ser maior que zero."}));
}

TEST(HorasExtras, EveryLineDeletedSwitchesTheItemOffFromItsOptionsButton)
{
    for (const bool ok : {true, false}) {
        SCOPED_TRACE(ok ? "OK" : "Cancelar");
        JanelaTeste t;
        const QString arquivo = t.copiaExemplo();
        t.mostra(arquivo);
        t.j().programa().banco().executaDireto(
            QStringLiteral("INSERT INTO TAB_JT_EXTRA (PROCESSO_ID, ENTRADA, SAIDA) VALUES (1234, 800, 1700)"));
        bool cancelado = false;
        QuandoModal([ok, &cancelado](QWidget* janela) {
            auto* e = static_cast<TfrmHorasExtras*>(janela);
            e->gri1()->vaiParaCampo(0, QStringLiteral("MES_INICIAL"));
            QTest::keyClick(e->gri1(), Qt::Key_Delete, Qt::ControlModifier);
            EXPECT_EQ(e->gri1()->model()->rowCount(), 0);
            if (ok)
                QTest::mouseClick(e->btnOk(), Qt::LeftButton);
            else
                e->reject();
            cancelado = e->result() == QDialog::Rejected;
        });
        QTest::mouseClick(OpcoesItem(t, "CALCULA_HORAS_EXTRAS"), Qt::LeftButton);
        EsperaModais();
        EXPECT_TRUE(cancelado);
        EXPECT_FALSE(CaixaItem(t, "CALCULA_HORAS_EXTRAS")->isChecked());
        EXPECT_FALSE(OpcoesItem(t, "CALCULA_HORAS_EXTRAS")->isEnabled());
        EXPECT_EQ(Conta(t, "TAB_HORAS_EXTRAS"), 0);
        EXPECT_EQ(Conta(t, "TAB_JT_EXTRA"), 0);
        EXPECT_TRUE(LeBytes(arquivo).contains("<CALCULA_HORAS_EXTRAS>N</CALCULA_HORAS_EXTRAS>"));
    }

    // Cancel with the lines still there changes nothing.
    JanelaTeste t;
    t.mostra(t.copiaExemplo());
    QuandoModal([](QWidget* janela) { static_cast<QDialog*>(janela)->reject(); });
    QTest::mouseClick(OpcoesItem(t, "CALCULA_HORAS_EXTRAS"), Qt::LeftButton);
    EsperaModais();
    EXPECT_TRUE(CaixaItem(t, "CALCULA_HORAS_EXTRAS")->isChecked());
    EXPECT_EQ(Conta(t, "TAB_HORAS_EXTRAS"), 1);
}

TEST(HorasExtras, OnlyTheReflexesIsMarkedOnEveryLine)
{
    JanelaTeste t;
    t.mostra(t.copiaExemplo());
    for (int sequencial : {2, 3})
        t.j().programa().banco().executaDireto(QStringLiteral(
            "INSERT INTO TAB_HORAS_EXTRAS (PROCESSO_ID, SEQUENCIAL, ANO_INICIAL, MES_INICIAL, ANO_FINAL, "
            "MES_FINAL, IND_APENAS_REFLEXO, NUMERO_MEDIO_DIURNO) VALUES (1234, %1, 2022, %1, 2022, %1, "
            "'N', 100000)")
                                                   .arg(sequencial));
    TfrmHorasExtras e(t.j().motor(), &t.j());
    QString titulo;
    QuandoModal([&](QWidget*) {
        ASSERT_EQ(e.gri1()->model()->rowCount(), 3);
        ClicaCelula(e.gri1(), 1, QStringLiteral("MES_INICIAL"));
        QuandoModal([&titulo](QWidget* janela) {
            auto* r = static_cast<TfrmReflexos*>(janela);
            titulo = r->windowTitle();
            Clica(r->ui().chkApenasReflexo);
            QTest::mouseClick(r->btnOk(), Qt::LeftButton);
        });
        QTest::mouseClick(e.btnReflexos(), Qt::LeftButton);
        EsperaModais();
        EXPECT_EQ(e.gri1()->currentIndex().row(), 1);
        QTest::mouseClick(e.btnOk(), Qt::LeftButton);
    });
    EXPECT_TRUE(e.Executa(IdCaso));
    EsperaModais();
    EXPECT_EQ(titulo, u"Reflexos - Horas Extras");
    EXPECT_EQ(ColunaGravada(t, "TAB_HORAS_EXTRAS", "IND_APENAS_REFLEXO"), u"S S S");
}

TEST(Noturno, TickedTheLineNeedsItsHoursWhichTheNightScheduleGives)
{
    JanelaTeste t;
    t.mostra(t.copiaExemplo());
    QCheckBox* noturno = CaixaItem(t, "CALCULA_NOTURNO");
    ASSERT_FALSE(noturno->isChecked());
    QStringList mensagens;
    QuandoModal([&](QWidget* janela) {
        auto* e = static_cast<TfrmNoturno*>(janela);
        EXPECT_EQ(e->windowTitle(), u"Apuração de Adicional Noturno");
        Grade* g = e->gri1();
        ASSERT_EQ(g->model()->rowCount(), 1);
        EXPECT_EQ(g->model()->headerData(5, Qt::Horizontal).toString(), u"Nro Médio Horas Mês");
        EXPECT_EQ(TextoCelula(g, 0, QStringLiteral("NUMERO_MEDIO")), u"0,00");
        // The line and the night schedule's settings row were made as the editor opened.
        EXPECT_EQ(Conta(t, "TAB_NOTURNO"), 1);
        EXPECT_EQ(t.valor(QStringLiteral("SELECT ENTRADA_NOTURNO || '-' || SAIDA_NOTURNO || '-' || IND_REDUCAO_HORA "
                                         "FROM TAB_JT_NOTURNO"))
                      .toString(),
            u"2200-500-S");
        // An untouched line is not checked again; a line typed into is.
        DigitaCelula(g, 0, QStringLiteral("NUMERO_MEDIO"), QStringLiteral("0"));
        AnotaCaixa(mensagens);
        QTest::mouseClick(e->btnOk(), Qt::LeftButton);
        QTest::qWait(10);
        EXPECT_TRUE(e->isVisible());
        EXPECT_EQ(CampoAtual(g), u"NUMERO_MEDIO");

        // "Jornada de Trabalho" with a double click: five nights from 22:00 to 05:00.
        QuandoModal([](QWidget* j) {
            auto* jornada = static_cast<TfrmJornadaHEN*>(j);
            Grade* turnos = jornada->gri1();
            DigitaCelula(turnos, 0, QStringLiteral("ENTRADA"), QStringLiteral("2200"));
            DigitaCelula(turnos, 0, QStringLiteral("SAIDA"), QStringLiteral("0500"));
            for (const char* dia : {"IND_SEGUNDA", "IND_TERCA", "IND_QUARTA", "IND_QUINTA", "IND_SEXTA"})
                ClicaCelula(turnos, 0, QString::fromLatin1(dia));
            QTest::mouseClick(jornada->ui().btnApurar, Qt::LeftButton);
            QTest::mouseClick(jornada->btnOk(), Qt::LeftButton);
        });
        ClicaCelula(g, 0, QStringLiteral("JORNADA"), true);
        EsperaModais();
        EXPECT_EQ(TextoCelula(g, 0, QStringLiteral("NUMERO_MEDIO")), u"171,43");
        QTest::mouseClick(e->btnOk(), Qt::LeftButton);
    });
    Clica(noturno);
    EsperaModais();
    EXPECT_EQ(mensagens, QStringList({"Nro Médio Horas Mês deve ser maior que zero."}));
    EXPECT_TRUE(noturno->isChecked());
    EXPECT_EQ(t.caso().texto(u"CALCULA_NOTURNO"), u"S");
    EXPECT_EQ(ColunaGravada(t, "TAB_NOTURNO", "NUMERO_MEDIO"), QString::number(17143 * 100));
    EXPECT_EQ(
        t.valor(QStringLiteral("SELECT ENTRADA || '-' || SAIDA || '-' || IND_SEXTA || IFNULL(IND_SABADO, '') FROM "
                               "TAB_JT_NOTURNO"))
            .toString(),
        u"2200-500-S");

    // Unticked: its lines and its schedule go.
    Clica(noturno);
    EXPECT_EQ(Conta(t, "TAB_NOTURNO"), 0);
    EXPECT_EQ(Conta(t, "TAB_JT_NOTURNO"), 0);
}
