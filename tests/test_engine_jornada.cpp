// The hour averaging of a typical week, without a window: worked and night minutes of a
// shift, the reduced night hour, the daily and the weekly count with its ceiling, the
// monthly figures; and the schedule rows the dialogs keep: the checks of a shift and of the
// night window, the models, the night schedule's copy of the overtime shifts, the settings.

#include "Ambiente.h"
#include "ApuraJornada.h"
#include "Erro.h"
#include "Registros.h"
#include "Rotinas.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

using namespace quintar;
using namespace quintar::teste;

namespace {

const auto SegundaASexta = {0, 1, 2, 3, 4};

TurnoJornada Turno(int entrada, int saida, int intervalo, std::initializer_list<int> dias)
{
    TurnoJornada t{entrada, saida, intervalo, {}};
    for (int d : dias)
        t.dias[d] = true;
    return t;
}

OpcoesJornada Diaria(int acima, int ate = 0, bool reducao = false)
{
    return {2200, 500, reducao, false, acima, ate};
}

OpcoesJornada Semanal(int acima, int ate = 0)
{
    return {2200, 500, false, true, acima, ate};
}

// A schedule of case 1 held as the dialogs hold it.
struct Jornada {
    explicit Jornada(const char* tabela = "TAB_JT_EXTRA") : linhas(a.banco, QString::fromLatin1(tabela))
    {
        linhas.abre(1);
    }
    void Executa(const QString& sql) { a.banco.executaDireto(sql); }
    Ambiente a;
    Registros linhas;
};

} // namespace

TEST(ApuraJornada, NightMinutesOfAShiftInTheWindowFrom22To5)
{
    struct Caso {
        int entrada, saida, noturnos;
    };
    for (const Caso& c : {Caso{2000, 400, 360}, Caso{2300, 700, 360}, Caso{100, 600, 240}, Caso{600, 1400, 0},
             Caso{1800, 200, 240}, Caso{2200, 500, 420}, Caso{300, 1200, 120}}) {
        const MinutosTurno m = ApuraTurno(Turno(c.entrada, c.saida, 0, {0}), Diaria(8));
        EXPECT_EQ(m.noturnos, c.noturnos) << c.entrada << "-" << c.saida;
    }
}

TEST(ApuraJornada, WeeksOfTheExamples)
{
    struct Caso {
        const char* nome;
        QVector<TurnoJornada> turnos;
        OpcoesJornada opcoes;
        int trabalhadasDia, trabalhadasSemana, noturnasDia, extrasDiurnasDia, extrasNoturnasDia;
        int extrasDiurnasSemana, extrasNoturnasSemana;
        const char* mesTrabalhadas;
        const char* mesExtrasDiurnas;
    };
    const Caso casos[] = {
        {"40 horas, acima da 8ª", {Turno(800, 1800, 200, SegundaASexta)}, Diaria(8), 480, 2400, 0, 0, 0, 0, 0, "171,43",
            "0,00"},
        {"2 horas extras por dia", {Turno(800, 2000, 200, SegundaASexta)}, Diaria(8), 600, 3000, 0, 120, 0, 600, 0,
            "214,30", "42,87"},
        // 420 night minutes count as 480, and the worked time grows with them.
        {"noturno reduzido", {Turno(2200, 500, 0, {0, 1, 2, 3, 4, 5})}, Diaria(8, 0, true), 480, 2880, 480, 0, 0, 0, 0,
            "205,73", "0,00"},
        // Capped at 2:00 by "Até a" 10, and all of it day time: the day part alone covers the
        // normal hours and the day passes the ceiling.
        {"teto diário", {Turno(1200, 0, 0, {0})}, Diaria(8, 10), 720, 720, 120, 120, 0, 120, 0, "51,43", "8,57"},
        // Without a ceiling the last two hours are night overtime.
        {"extras noturnas", {Turno(1400, 2400, 0, {0})}, Diaria(8), 600, 600, 120, 0, 120, 0, 120, "42,87", "0,00"},
        // 50:00 a week above 44: 6:00 for the week and nothing day by day.
        {"semanal", {Turno(800, 1900, 100, SegundaASexta)}, Semanal(44), 600, 3000, 0, 0, 0, 360, 0, "214,30", "25,72"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nome);
        const ResultadoJornada r = ApuraJornada(c.turnos, c.opcoes);
        EXPECT_EQ(r.trabalhadas[0], c.trabalhadasDia);
        EXPECT_EQ(r.trabalhadas[Semana], c.trabalhadasSemana);
        EXPECT_EQ(r.noturnas[0], c.noturnasDia);
        EXPECT_EQ(r.extrasDiurnas[0], c.extrasDiurnasDia);
        EXPECT_EQ(r.extrasNoturnas[0], c.extrasNoturnasDia);
        EXPECT_EQ(r.extrasDiurnas[Semana], c.extrasDiurnasSemana);
        EXPECT_EQ(r.extrasNoturnas[Semana], c.extrasNoturnasSemana);
        EXPECT_EQ(TextoHorasMes(r.mesTrabalhadas), QString::fromLatin1(c.mesTrabalhadas));
        EXPECT_EQ(TextoHorasMes(r.mesExtrasDiurnas), QString::fromLatin1(c.mesExtrasDiurnas));
        EXPECT_EQ(r.trabalhadas[6], 0); // nobody works on Sunday here
    }
}

TEST(ApuraJornada, MonthlyMinutesRoundHalvesToEvenAndHoursWithTwoDecimals)
{
    // 2 400 × 4.286 = 10 286.4; 600 × 4.286 = 2 571.6; 250 and 750 make exact halves.
    for (const auto& [semana, mes, horas] : {std::tuple{2400, 10286, "171.43"}, std::tuple{600, 2572, "42.87"},
             std::tuple{250, 1072, "17.87"}, std::tuple{750, 3214, "53.57"}, std::tuple{0, 0, "0.00"}}) {
        const ResultadoJornada r = ApuraJornada({Turno(0, HoraMinuto(semana), 0, {0})}, Diaria(0));
        ASSERT_EQ(r.trabalhadas[Semana], semana);
        EXPECT_EQ(r.mesTrabalhadas, mes) << semana;
        EXPECT_EQ(QString::number(static_cast<double>(HorasMes(mes)), 'f', 2), QString::fromLatin1(horas)) << semana;
    }
    EXPECT_EQ(FormataHora(2640), u" 44:00");
    EXPECT_EQ(FormataHora(425), u"  7:05");
}

TEST(ApuraJornada, TheOvertimeSplit)
{
    struct Caso {
        int trabalhados, noturnos, acima, ate, diurnas, noturnas;
    };
    for (const Caso& c : {Caso{480, 0, 8, 0, 0, 0}, Caso{479, 100, 8, 0, 0, 0}, Caso{600, 60, 8, 0, 60, 60},
             Caso{600, 200, 8, 0, 0, 120}, Caso{720, 120, 8, 10, 120, 0}, Caso{720, 300, 8, 10, 0, 120},
             Caso{540, 120, 8, 10, 0, 60}, Caso{3000, 0, 44, 0, 360, 0}}) {
        const Extras e = DivideExtras(c.trabalhados, c.noturnos, Diaria(c.acima, c.ate));
        EXPECT_EQ(e.diurnas, c.diurnas) << c.trabalhados << "/" << c.noturnos << " até " << c.ate;
        EXPECT_EQ(e.noturnas, c.noturnas) << c.trabalhados << "/" << c.noturnos << " até " << c.ate;
    }
}

TEST(ApuraJornada, UnreadableBoxesCountAsZero)
{
    EXPECT_EQ(NumeroCaixa(QStringLiteral("08")), 8);
    EXPECT_EQ(NumeroCaixa(QString()), 0);
    EXPECT_EQ(NumeroCaixa(QStringLiteral("8a")), 0);
    EXPECT_EQ(NumeroCaixa(QStringLiteral(" 44 ")), 44);
}

TEST(ApuraJornada, TimesAsTheGridShowsAndReadsThem)
{
    EXPECT_EQ(TextoHora(800), u"08:00");
    EXPECT_EQ(TextoHora(0), u"00:00");
    EXPECT_EQ(TextoHora(2400), u"24:00");
    EXPECT_EQ(TextoHora(1730), u"17:30");
    for (const auto& [texto, hora] : {std::pair{"8", 800}, std::pair{"08", 800}, std::pair{"830", 830},
             std::pair{"0830", 830}, std::pair{"8:30", 830}, std::pair{"08:30", 830}, std::pair{"8:3", 830},
             std::pair{"8:", 800}, std::pair{"083", 830}, std::pair{"2400", 2400}, std::pair{"0", 0},
             std::pair{"2430", -1}, std::pair{"1760", -1}, std::pair{"25:00", -1}, std::pair{"x", -1}})
        EXPECT_EQ(HoraDigitada(QString::fromLatin1(texto)), hora) << texto;
    EXPECT_EQ(HoraDigitada(QStringLiteral("  ")), std::nullopt);

    const QRegularExpression padrao(QStringLiteral("^(?:%1)$").arg(PadraoHora()));
    for (const char* aceito : {"8", "0800", "08:00", "24:00", "2400", "23:59", "830"})
        EXPECT_TRUE(padrao.match(QString::fromLatin1(aceito)).hasMatch()) << aceito;
    for (const char* recusado : {"2430", "25:00", "8a", "08:60", "12345"})
        EXPECT_FALSE(padrao.match(QString::fromLatin1(recusado)).hasMatch()) << recusado;
}

TEST(ApuraJornada, ShiftAndNightWindowChecks)
{
    Jornada j;
    struct Caso {
        QVariant entrada, saida, intervalo;
        const char* recusa;
    };
    const Caso casos[] = {
        {800, 1800, 200, ""},
        {800, 1800, 1000, "Intervalo maior ou igual ao tempo trabalhado!|INTERVALO"},
        {800, 1800, 1100, "Intervalo maior ou igual ao tempo trabalhado!|INTERVALO"},
        {2200, 600, 759, ""},
        {2200, 600, 800, "Intervalo maior ou igual ao tempo trabalhado!|INTERVALO"},
        {800, QVariant(), 100, ""}, // no exit yet: the shift runs to midnight
        {800, 1200, QVariant(), ""},
    };
    for (const Caso& c : casos) {
        j.linhas.Acrescenta();
        j.linhas.define(u"ENTRADA", c.entrada);
        j.linhas.define(u"SAIDA", c.saida);
        j.linhas.define(u"INTERVALO", c.intervalo);
        EXPECT_EQ(Recusa([&] { ValidaTurno(j.linhas); }), QString::fromUtf8(c.recusa))
            << c.entrada.toInt() << "-" << c.saida.toInt();
        j.linhas.Cancela();
    }

    for (const auto& [entrada, saida, recusa] :
        {std::tuple{"2200", "500", ""}, std::tuple{"", "", ""}, std::tuple{"0", "0", ""}, std::tuple{"2359", "0", ""},
            std::tuple{"2500", "500", "Entrada noturna inválida!|ENTRADA_NOTURNO"},
            std::tuple{"2360", "500", "Entrada noturna inválida!|ENTRADA_NOTURNO"},
            std::tuple{"2400", "500", "Entrada noturna inválida!|ENTRADA_NOTURNO"},
            std::tuple{"2500", "2500", "Entrada noturna inválida!|ENTRADA_NOTURNO"},
            std::tuple{"2200", "570", "Saída noturna inválida!|SAIDA_NOTURNO"}}) {
        EXPECT_EQ(Recusa([&] { ValidaJanelaNoturna(QString::fromLatin1(entrada), QString::fromLatin1(saida)); }),
            QString::fromUtf8(recusa))
            << entrada << "-" << saida;
    }
}

TEST(ApuraJornada, TheFortyFourHourModelPlusTwoHoursADay)
{
    Jornada j;
    j.Executa(QStringLiteral("INSERT INTO TAB_JT_EXTRA (PROCESSO_ID, ENTRADA_NOTURNO, SAIDA_NOTURNO, IND_REDUCAO_HORA, "
                             "TIPO_APURACAO, JORNADA_EXTRA) VALUES (1, 2200, 500, 'S', 'D', 8)"));
    j.linhas.abre(1);
    j.linhas.antesDePostar = [](Registros&) { throw Erro(QStringLiteral("checagem de linha digitada")); };
    const ModeloJornada modelo = ModeloDeJornada(3);
    EXPECT_EQ(modelo.acimaDa, u"44");
    EXPECT_TRUE(modelo.semanal);
    AplicaModeloJornada(j.linhas, modelo);
    ASSERT_EQ(j.linhas.quantidade(), 2); // the settings row went with the old week
    EXPECT_EQ(j.linhas.valor(1, u"ENTRADA").toInt(), 800);
    EXPECT_EQ(j.linhas.valor(1, u"SAIDA").toInt(), 1200);
    EXPECT_EQ(j.linhas.valor(1, u"IND_SABADO").toString(), u"S");
    EXPECT_EQ(j.linhas.valor(1, u"IND_SEXTA").toString(), u"N");
    EXPECT_TRUE(j.linhas.antesDePostar) << "the typed rows' check is back";

    OpcoesJornada opcoes = Semanal(44);
    ResultadoJornada r = ApuraJornada(TurnosJornada(j.linhas), opcoes);
    EXPECT_EQ(r.trabalhadas[Semana], 44 * 60);
    EXPECT_EQ(r.extrasDiurnas[Semana], 0);

    j.linhas.antesDePostar = {};
    j.linhas.vaiPara(0);
    j.linhas.define(u"SAIDA", 2000);
    j.linhas.Posta();
    r = ApuraJornada(TurnosJornada(j.linhas), opcoes);
    EXPECT_EQ(FormataHora(r.extrasDiurnas[Semana]), u" 10:00");
    EXPECT_EQ(r.mesExtrasDiurnas, 2572);
    EXPECT_EQ(TextoHorasMes(r.mesExtrasDiurnas), u"42,87");
    EXPECT_EQ(TextoHorasMes(r.mesExtrasNoturnas), u"0,00");

    // Nothing reaches the table before it is written.
    EXPECT_EQ(
        j.a.banco.escalar(QStringLiteral("SELECT COUNT(*) FROM TAB_JT_EXTRA WHERE ENTRADA IS NOT NULL")).toInt(), 0);
    for (int m : {1, 2})
        EXPECT_FALSE(ModeloDeJornada(m).semanal) << m;
    EXPECT_TRUE(ModeloDeJornada(0).turnos.isEmpty());
    EXPECT_EQ(
        NomesModelosJornada(), QStringList({"Nenhum", "30 Horas Semanais", "40 Horas Semanais", "44 Horas Semanais"}));
}

TEST(ApuraJornada, TheNightScheduleCopiesTheOvertimeShiftsOnlyWhenItHasNone)
{
    Jornada j("TAB_JT_NOTURNO");
    j.Executa(QStringLiteral("INSERT INTO TAB_JT_EXTRA (PROCESSO_ID, ENTRADA_NOTURNO, SAIDA_NOTURNO, IND_REDUCAO_HORA, "
                             "TIPO_APURACAO, JORNADA_EXTRA) VALUES (1, 2200, 500, 'S', 'D', 8)"));
    j.Executa(
        QStringLiteral("INSERT INTO TAB_JT_EXTRA (PROCESSO_ID, ENTRADA, SAIDA, INTERVALO, IND_SEGUNDA, IND_TERCA, "
                       "IND_QUARTA, IND_QUINTA, IND_SEXTA, IND_SABADO, IND_DOMINGO, ENTRADA_NOTURNO, "
                       "SAIDA_NOTURNO, IND_REDUCAO_HORA) VALUES (1, 1800, 200, 100, 'S', 'S', 'S', 'S', 'S', "
                       "'N', 'N', 2100, 500, 'N')"));
    j.Executa(QStringLiteral("INSERT INTO TAB_JT_EXTRA (PROCESSO_ID, ENTRADA, SAIDA, IND_SABADO) VALUES (2, 800, "
                             "1200, 'S')")); // another case
    j.Executa(QStringLiteral("INSERT INTO TAB_JT_NOTURNO (PROCESSO_ID, ENTRADA_NOTURNO, SAIDA_NOTURNO, "
                             "IND_REDUCAO_HORA) VALUES (1, 2200, 500, 'S')"));
    j.linhas.abre(1);
    ASSERT_TRUE(CopiaJornadaExtra(j.a.banco, j.linhas));
    ASSERT_EQ(j.linhas.quantidade(), 1);
    EXPECT_EQ(j.linhas.valor(0, u"ENTRADA").toInt(), 1800);
    EXPECT_EQ(j.linhas.valor(0, u"SAIDA").toInt(), 200);
    EXPECT_TRUE(j.linhas.valor(0, u"INTERVALO").isNull());
    EXPECT_EQ(j.linhas.valor(0, u"IND_SEXTA").toString(), u"S");
    EXPECT_EQ(j.linhas.valor(0, u"IND_SABADO").toString(), u"N");
    EXPECT_EQ(j.linhas.valor(0, u"ENTRADA_NOTURNO").toInt(), 2100);
    EXPECT_EQ(j.linhas.valor(0, u"IND_REDUCAO_HORA").toString(), u"N");
    const OpcoesJornada o = LeOpcoesJornada(j.linhas);
    EXPECT_EQ(o.entradaNoturno, 2100);
    EXPECT_FALSE(o.reducaoHora);

    // A night schedule with a shift of its own is never replaced, even behind its settings row.
    j.linhas.abre(1);
    j.linhas.Acrescenta();
    j.linhas.define(u"ENTRADA", 2300);
    j.linhas.define(u"SAIDA", 600);
    j.linhas.Aplica();
    j.linhas.abre(1);
    EXPECT_FALSE(CopiaJornadaExtra(j.a.banco, j.linhas));
    EXPECT_EQ(j.linhas.quantidade(), 2);

    // Nothing to copy from an overtime schedule of settings only.
    j.Executa(QStringLiteral("DELETE FROM TAB_JT_EXTRA WHERE ENTRADA IS NOT NULL"));
    j.Executa(QStringLiteral("DELETE FROM TAB_JT_NOTURNO WHERE ENTRADA IS NOT NULL"));
    j.linhas.abre(1);
    EXPECT_FALSE(CopiaJornadaExtra(j.a.banco, j.linhas));
    EXPECT_EQ(j.linhas.quantidade(), 1);
}

TEST(ApuraJornada, SettingsReadFromTheFirstRowAndWrittenIntoEveryRow)
{
    Jornada j;
    OpcoesJornada o = LeOpcoesJornada(j.linhas);
    EXPECT_EQ(o.entradaNoturno, 2200);
    EXPECT_EQ(o.saidaNoturno, 500);
    EXPECT_TRUE(o.reducaoHora);
    EXPECT_FALSE(o.semanal);
    EXPECT_EQ(o.acimaDa, 8);
    EXPECT_EQ(o.ateA, 0);

    for (int entrada : {800, 1300}) {
        j.linhas.Acrescenta();
        j.linhas.define(u"ENTRADA", entrada);
    }
    j.linhas.Aplica();
    j.Executa(QStringLiteral("INSERT INTO TAB_JT_EXTRA (PROCESSO_ID, ENTRADA) VALUES (2, 700)"));
    GravaOpcoesJornada(j.a.banco, QStringLiteral("TAB_JT_EXTRA"), 1, {2100, 600, false, true, 44, 50});
    j.linhas.abre(1);
    ASSERT_EQ(j.linhas.quantidade(), 2);
    for (int l = 0; l < 2; ++l) {
        EXPECT_EQ(j.linhas.valor(l, u"ENTRADA_NOTURNO").toInt(), 2100);
        EXPECT_EQ(j.linhas.valor(l, u"SAIDA_NOTURNO").toInt(), 600);
        EXPECT_EQ(j.linhas.valor(l, u"IND_REDUCAO_HORA").toString(), u"N");
        EXPECT_EQ(j.linhas.valor(l, u"TIPO_APURACAO").toString(), u"S");
        EXPECT_EQ(j.linhas.valor(l, u"JORNADA_EXTRA").toInt(), 44);
        EXPECT_EQ(j.linhas.valor(l, u"TETO_JORNADA_EXTRA").toInt(), 50);
    }
    o = LeOpcoesJornada(j.linhas);
    EXPECT_TRUE(o.semanal);
    EXPECT_EQ(o.ateA, 50);
    EXPECT_TRUE(
        j.a.banco.escalar(QStringLiteral("SELECT ENTRADA_NOTURNO FROM TAB_JT_EXTRA WHERE PROCESSO_ID = 2")).isNull());
}
