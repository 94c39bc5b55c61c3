// The schedule dialogs as a clerk uses them, on the sample case (contract 03/02/2022 to
// 14/02/2025): a week from a model with its shifts typed in hours and minutes, "&Apurar"
// and its table, the figures handed back, the refusals that keep what was typed and write
// nothing, and the night schedule that starts from the overtime shifts.

#include "test_editor_itens.h"

#include "Grade.h"
#include "Registros.h"

#include "BancoDados.h"
#include "Motor.h"
#include "Programa.h"
#include "TfrmJornadaHE.h"
#include "TfrmJornadaHEN.h"
#include "TfrmModJornada.h"
#include "ui_TfrmJornadaHE.h"
#include "ui_TfrmJornadaHEN.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>

#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

using namespace quintar;
using namespace quintar::teste;

namespace {

constexpr qint64 IdCaso = 1234;

// A row of the results table, its cells trimmed and joined by "|".
QString Linha(QTableWidget* resultado, int linha)
{
    QStringList celulas;
    for (int c = 0; c < resultado->columnCount(); ++c)
        celulas.append(resultado->item(linha, c)->text().trimmed());
    return celulas.join(u'|');
}

QString Horas(long double horas)
{
    return QString::number(static_cast<double>(horas), 'f', 2);
}

// "Modelos p/Semana" answered with the model of that index.
void EscolheModelo(QPushButton* botao, int indice)
{
    QuandoModal([indice](QWidget* janela) {
        auto* modelos = static_cast<TfrmModJornada*>(janela);
        Clica(modelos->modelos()->button(indice));
        QTest::mouseClick(modelos->btnOk(), Qt::LeftButton);
    });
    QTest::mouseClick(botao, Qt::LeftButton);
}

int LinhasGravadas(JanelaTeste& t, const char* tabela)
{
    return t.valor(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE PROCESSO_ID = 1234").arg(QLatin1String(tabela)))
        .toInt();
}

} // namespace

TEST(Jornada, TheFortyFourHourWeekWithTwoExtraHoursADay)
{
    JanelaTeste t;
    t.mostra(t.copiaExemplo());
    TfrmJornadaHE d(t.j().motor(), &t.j());
    Ui::TfrmJornadaHE& ui = d.ui();
    QuandoModal([&](QWidget*) {
        EXPECT_EQ(d.windowTitle(), u"Jornada de Trabalho - Horas Extras");
        // No schedule yet: the settings of a new case.
        EXPECT_EQ(ui.edtEntradaNoturno->text(), u"2200");
        EXPECT_EQ(ui.edtSaidaNoturno->text(), u"0500");
        EXPECT_TRUE(ui.chkReducaoHora->isChecked());
        EXPECT_TRUE(ui.rbtDiaria->isChecked());
        EXPECT_EQ(ui.edtAcimaDa->text(), u"08");
        EXPECT_EQ(ui.edtAteA->text(), QString());
        EXPECT_TRUE(ui.chkCopiarResultado->isChecked());
        EXPECT_EQ(ui.btnApurar->text(), u"&Apurar");

        QStringList modelos;
        QuandoModal([&modelos](QWidget* janela) {
            auto* m = static_cast<TfrmModJornada*>(janela);
            EXPECT_EQ(m->windowTitle(), u"Modelos de Jornada");
            for (QAbstractButton* b : m->modelos()->buttons())
                modelos.append(b->text());
            EXPECT_TRUE(m->modelos()->button(0)->isChecked());
            Clica(m->modelos()->button(3));
            QTest::mouseClick(m->btnOk(), Qt::LeftButton);
        });
        QTest::mouseClick(ui.btnModelo, Qt::LeftButton);
        EXPECT_EQ(modelos, QStringList({"Nenhum", "30 Horas Semanais", "40 Horas Semanais", "44 Horas Semanais"}));
        Grade* g = d.gri1();
        ASSERT_EQ(g->model()->rowCount(), 2);
        EXPECT_EQ(TextoCelula(g, 0, QStringLiteral("ENTRADA")), u"08:00");
        EXPECT_EQ(TextoCelula(g, 0, QStringLiteral("SAIDA")), u"18:00");
        EXPECT_EQ(TextoCelula(g, 0, QStringLiteral("INTERVALO")), u"02:00");
        EXPECT_EQ(TextoCelula(g, 1, QStringLiteral("SAIDA")), u"12:00");
        EXPECT_EQ(Celula(g, 1, QStringLiteral("IND_SABADO")).data(Qt::CheckStateRole).toInt(), Qt::Checked);
        EXPECT_EQ(Celula(g, 1, QStringLiteral("IND_SEXTA")).data(Qt::CheckStateRole).toInt(), Qt::Unchecked);
        EXPECT_TRUE(ui.rbtSemanal->isChecked());
        EXPECT_EQ(ui.edtAcimaDa->text(), u"44");

        DigitaCelula(g, 0, QStringLiteral("SAIDA"), QStringLiteral("2000"));
        EXPECT_EQ(TextoCelula(g, 0, QStringLiteral("SAIDA")), u"20:00");
        QTest::mouseClick(ui.btnApurar, Qt::LeftButton);
        QTableWidget* r = ui.griResultado;
        EXPECT_EQ(r->verticalHeaderItem(0)->text(), u"Hs Trabalhadas");
        EXPECT_EQ(r->horizontalHeaderItem(8)->text(), u"Mês");
        EXPECT_EQ(Linha(r, 0), u"10:00|10:00|10:00|10:00|10:00|4:00||54:00|231,45");
        EXPECT_EQ(Linha(r, 1), u"||||||||0,00");
        // Counted on the week: nothing day by day.
        EXPECT_EQ(Linha(r, 2), u"|||||||10:00|42,87");
        EXPECT_EQ(Linha(r, 3), u"||||||||0,00");
        EXPECT_EQ(Horas(d.MediaExtrasDiurnas()), u"42.87");
        QTest::mouseClick(d.btnOk(), Qt::LeftButton);
    });
    EXPECT_TRUE(d.Executa(IdCaso));
    EsperaModais();
    EXPECT_TRUE(d.CopiarResultado());
    EXPECT_EQ(Horas(d.MediaExtrasDiurnas()), u"42.87");
    EXPECT_EQ(Horas(d.MediaExtrasNoturnas()), u"0.00");
    // The week and its settings in every row.
    EXPECT_EQ(t.valor(QStringLiteral("SELECT GROUP_CONCAT(ENTRADA || '-' || SAIDA || '-' || INTERVALO || '-' || "
                                     "ENTRADA_NOTURNO || '-' || SAIDA_NOTURNO || '-' || IND_REDUCAO_HORA || '-' || "
                                     "TIPO_APURACAO || '-' || JORNADA_EXTRA || '-' || TETO_JORNADA_EXTRA, ' ') FROM "
                                     "TAB_JT_EXTRA WHERE PROCESSO_ID = 1234"))
                  .toString(),
        u"800-2000-200-2200-500-S-S-44-0 800-1200-0-2200-500-S-S-44-0");
}

TEST(Jornada, RefusalsKeepWhatWasTypedAndWriteNothing)
{
    struct Caso {
        const char* nome;
        std::function<void(TfrmJornadaHE&)> digita;
        bool apura; // "&Apurar", else OK
        const char* mensagem;
        std::function<QWidget*(TfrmJornadaHE&)> foco;
    };
    const auto turno = [](const char* entrada, const char* saida, const char* intervalo) {
        return [=](TfrmJornadaHE& d) {
            DigitaCelula(d.gri1(), 0, QStringLiteral("ENTRADA"), QString::fromLatin1(entrada));
            DigitaCelula(d.gri1(), 0, QStringLiteral("SAIDA"), QString::fromLatin1(saida));
            DigitaCelula(d.gri1(), 0, QStringLiteral("INTERVALO"), QString::fromLatin1(intervalo));
        };
    };
    const auto grade = [](TfrmJornadaHE& d) -> QWidget* { return d.gri1(); };
    const Caso casos[] = {
        {"intervalo igual ao turno", turno("0800", "1800", "1000"), true,
            "Intervalo maior ou igual ao tempo trabalhado!", grade},
        {"intervalo maior que o turno noturno", turno("2200", "0200", "0500"), false,
            "Intervalo maior ou igual ao tempo trabalhado!", grade},
        {"entrada noturna 2500",
            [turno](TfrmJornadaHE& d) {
                turno("0800", "1700", "0100")(d);
                Digita(d.ui().edtEntradaNoturno, QStringLiteral("2500"));
            },
            false, "Entrada noturna inválida!", [](TfrmJornadaHE& d) -> QWidget* { return d.ui().edtEntradaNoturno; }},
        {"saída noturna 2460",
            [turno](TfrmJornadaHE& d) {
                turno("2200", "0600", "0000")(d);
                Digita(d.ui().edtSaidaNoturno, QStringLiteral("2460"));
            },
            true, "Saída noturna inválida!", [](TfrmJornadaHE& d) -> QWidget* { return d.ui().edtSaidaNoturno; }},
    };
    for (const Caso& k : casos) {
        SCOPED_TRACE(k.nome);
        JanelaTeste t;
        t.mostra(t.copiaExemplo());
        TfrmJornadaHE d(t.j().motor(), &t.j());
        QStringList mensagens;
        QuandoModal([&](QWidget*) {
            k.digita(d);
            const QString intervalo = TextoCelula(d.gri1(), 0, QStringLiteral("INTERVALO"));
            const QString entrada = d.ui().edtEntradaNoturno->text();
            AnotaCaixa(mensagens);
            QTest::mouseClick(k.apura ? d.ui().btnApurar : d.btnOk(), Qt::LeftButton);
            QTest::qWait(10);
            EXPECT_TRUE(d.isVisible());
            EXPECT_TRUE(TemFoco(k.foco(d)));
            if (k.foco(d) == d.gri1()) {
                EXPECT_EQ(CampoAtual(d.gri1()), u"INTERVALO");
            }
            EXPECT_TRUE(d.que1()->emEdicao());
            EXPECT_EQ(TextoCelula(d.gri1(), 0, QStringLiteral("INTERVALO")), intervalo);
            EXPECT_EQ(d.ui().edtEntradaNoturno->text(), entrada);
            EXPECT_EQ(Linha(d.ui().griResultado, 0), u"||||||||");
            d.reject();
        });
        EXPECT_FALSE(d.Executa(IdCaso));
        EsperaModais();
        EXPECT_EQ(mensagens, QStringList({QString::fromUtf8(k.mensagem)}));
        EXPECT_EQ(LinhasGravadas(t, "TAB_JT_EXTRA"), 0);
    }
}

TEST(Jornada, LettersCannotBeTypedIntoHourBoxesOrCells)
{
    JanelaTeste t;
    t.mostra(t.copiaExemplo());
    TfrmJornadaHE d(t.j().motor(), &t.j());
    QuandoModal([&](QWidget*) {
        DigitaCelula(d.gri1(), 0, QStringLiteral("ENTRADA"), QStringLiteral("0a8:3z0"));
        EXPECT_EQ(TextoCelula(d.gri1(), 0, QStringLiteral("ENTRADA")), u"08:30");
        DigitaCelula(d.gri1(), 0, QStringLiteral("SAIDA"), QStringLiteral("2x2"));
        EXPECT_EQ(TextoCelula(d.gri1(), 0, QStringLiteral("SAIDA")), u"22:00");
        Digita(d.ui().edtEntradaNoturno, QStringLiteral("2a1b3c0"));
        EXPECT_EQ(d.ui().edtEntradaNoturno->text(), u"2130");
        Digita(d.ui().edtAcimaDa, QStringLiteral("x0y9"));
        EXPECT_EQ(d.ui().edtAcimaDa->text(), u"09");
        Digita(d.ui().edtAteA, QStringLiteral("dez"));
        EXPECT_EQ(d.ui().edtAteA->text(), QString());
        d.reject();
    });
    d.Executa(IdCaso);
    EsperaModais();
}

TEST(Jornada, TheFiguresHandedBackAreTheOnesShown)
{
    JanelaTeste t;
    t.mostra(t.copiaExemplo());
    TfrmJornadaHE d(t.j().motor(), &t.j());
    Ui::TfrmJornadaHE& ui = d.ui();
    QuandoModal([&](QWidget*) {
        EscolheModelo(ui.btnModelo, 2); // 40 hours
        EXPECT_TRUE(ui.rbtDiaria->isChecked());
        EXPECT_EQ(ui.edtAcimaDa->text(), u"08");
        QTest::mouseClick(ui.btnApurar, Qt::LeftButton);
        EXPECT_EQ(Linha(ui.griResultado, 0), u"8:00|8:00|8:00|8:00|8:00|||40:00|171,43");
        EXPECT_EQ(Horas(d.MediaExtrasDiurnas()), u"0.00");

        Digita(ui.edtAcimaDa, QStringLiteral("07"));
        EXPECT_EQ(Linha(ui.griResultado, 0), u"||||||||"); // a setting changed: the figures are gone
        QTest::mouseClick(ui.btnApurar, Qt::LeftButton);
        EXPECT_EQ(Linha(ui.griResultado, 2), u"1:00|1:00|1:00|1:00|1:00|||5:00|21,43");
        EXPECT_EQ(Horas(d.MediaExtrasDiurnas()), u"21.43");

        DigitaCelula(d.gri1(), 0, QStringLiteral("SAIDA"), QStringLiteral("1900"));
        QTest::mouseClick(d.btnOk(), Qt::LeftButton);
    });
    EXPECT_TRUE(d.Executa(IdCaso));
    EsperaModais();
    // The shift changed after "&Apurar": nothing is handed back.
    EXPECT_TRUE(d.CopiarResultado());
    EXPECT_EQ(Horas(d.MediaExtrasDiurnas()), u"0.00");
    EXPECT_EQ(t.valor(QStringLiteral("SELECT SAIDA FROM TAB_JT_EXTRA WHERE PROCESSO_ID = 1234")).toInt(), 1900);
    EXPECT_EQ(t.valor(QStringLiteral("SELECT JORNADA_EXTRA FROM TAB_JT_EXTRA WHERE PROCESSO_ID = 1234")).toInt(), 7);

    // Choosing the count proposes its normal hours; the settings come back from the first row.
    TfrmJornadaHE outra(t.j().motor(), &t.j());
    QuandoModal([&](QWidget*) {
        EXPECT_EQ(outra.ui().edtAcimaDa->text(), u"07");
        Clica(outra.ui().rbtSemanal);
        EXPECT_EQ(outra.ui().edtAcimaDa->text(), u"44");
        Clica(outra.ui().rbtDiaria);
        EXPECT_EQ(outra.ui().edtAcimaDa->text(), u"08");
        Clica(outra.ui().chkCopiarResultado);
        QTest::mouseClick(outra.btnOk(), Qt::LeftButton);
    });
    EXPECT_TRUE(outra.Executa(IdCaso));
    EsperaModais();
    EXPECT_FALSE(outra.CopiarResultado());
}

TEST(Jornada, TheNightScheduleStartsFromTheOvertimeShifts)
{
    JanelaTeste t;
    t.mostra(t.copiaExemplo());
    BancoDados& banco = t.j().programa().banco();
    banco.executaDireto(QStringLiteral("INSERT INTO TAB_JT_EXTRA (PROCESSO_ID, ENTRADA_NOTURNO, SAIDA_NOTURNO, "
                                       "IND_REDUCAO_HORA, TIPO_APURACAO, JORNADA_EXTRA) VALUES (1234, 2200, 500, 'S', "
                                       "'D', 8)"));
    banco.executaDireto(QStringLiteral(
        "INSERT INTO TAB_JT_EXTRA (PROCESSO_ID, ENTRADA, SAIDA, INTERVALO, IND_SEGUNDA, IND_TERCA, IND_QUARTA, "
        "IND_QUINTA, IND_SEXTA, IND_SABADO, IND_DOMINGO, ENTRADA_NOTURNO, SAIDA_NOTURNO, IND_REDUCAO_HORA) VALUES "
        "(1234, 2200, 500, 100, 'S', 'S', 'S', 'S', 'S', 'S', 'N', 2200, 500, 'S')"));
    banco.executaDireto(QStringLiteral("INSERT INTO TAB_JT_NOTURNO (PROCESSO_ID, ENTRADA_NOTURNO, SAIDA_NOTURNO, "
                                       "IND_REDUCAO_HORA) VALUES (1234, 2200, 500, 'S')"));

    // Cancel keeps the night schedule as it was.
    TfrmJornadaHEN cancelada(t.j().motor(), &t.j());
    QuandoModal([&](QWidget*) {
        EXPECT_EQ(cancelada.gri1()->model()->rowCount(), 1);
        cancelada.reject();
    });
    EXPECT_FALSE(cancelada.Executa(IdCaso));
    EsperaModais();
    EXPECT_EQ(t.valor(QStringLiteral("SELECT COUNT(ENTRADA) FROM TAB_JT_NOTURNO")).toInt(), 0);

    TfrmJornadaHEN d(t.j().motor(), &t.j());
    Ui::TfrmJornadaHEN& ui = d.ui();
    QuandoModal([&](QWidget*) {
        EXPECT_EQ(d.windowTitle(), u"Jornada de Trabalho Noturna");
        Grade* g = d.gri1();
        ASSERT_EQ(g->model()->rowCount(), 1);
        EXPECT_EQ(TextoCelula(g, 0, QStringLiteral("ENTRADA")), u"22:00");
        EXPECT_EQ(TextoCelula(g, 0, QStringLiteral("SAIDA")), u"05:00");
        EXPECT_EQ(TextoCelula(g, 0, QStringLiteral("INTERVALO")), u"00:00"); // the break is not copied
        EXPECT_EQ(ui.edtEntradaNoturno->text(), u"2200");
        EXPECT_TRUE(ui.chkReducaoHora->isChecked());
        EXPECT_EQ(ui.griResultado->rowCount(), 2);
        QTest::mouseClick(ui.btnApurar, Qt::LeftButton);
        // 420 night minutes count as 480.
        EXPECT_EQ(Linha(ui.griResultado, 0), u"8:00|8:00|8:00|8:00|8:00|8:00||48:00|205,73");
        EXPECT_EQ(Linha(ui.griResultado, 1), u"8:00|8:00|8:00|8:00|8:00|8:00||48:00|205,73");
        QTest::mouseClick(d.btnOk(), Qt::LeftButton);
    });
    EXPECT_TRUE(d.Executa(IdCaso));
    EsperaModais();
    EXPECT_EQ(Horas(d.MediaHorasNoturnas()), u"205.73");
    EXPECT_EQ(t.valor(QStringLiteral("SELECT GROUP_CONCAT(ENTRADA || '-' || SAIDA || '-' || INTERVALO || "
                                     "'-' || IND_SABADO || '-' || ENTRADA_NOTURNO || '-' || IND_REDUCAO_HORA) FROM "
                                     "TAB_JT_NOTURNO WHERE PROCESSO_ID = 1234"))
                  .toString(),
        u"2200-500-0-S-2200-S");
}
