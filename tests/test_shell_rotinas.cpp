#include "Erro.h"
#include "Rotinas.h"
#include "TextoAnsi.h"

#include <gtest/gtest.h>

using namespace quintar;

TEST(Arredonda, HalvesAwayFromZeroAfterTheSmallNudge)
{
    struct Caso { int casas; double valor; double esperado; };
    const Caso casos[] = {
        {2, 2.675, 2.68},  // stored just below the half, the 1e-11 lifts it
        {2, 2.665, 2.67},
        {2, -2.675, -2.67}, // for negatives an exact half goes towards zero
        {2, 0.125, 0.13},
        {2, 1599.995, 1600.00},
        {2, 0.004, 0.00},
        {2, 0.005, 0.01},
        {9, 1.0123456785, 1.012345679},
        {9, 2.0 / 3.0, 0.666666667},
        {4, 12.22225, 12.2223},
    };
    for (const auto& c : casos)
        EXPECT_DOUBLE_EQ(static_cast<double>(Arredonda(c.casas, c.valor)), c.esperado) << c.valor;
}

TEST(Rotinas, DigitoVerificador)
{
    EXPECT_EQ(DigitoVerificador(u"0012320080010500"), 5); // sum 82
    EXPECT_EQ(DigitoVerificador(u"1234520070020301"), 0); // sum 142, remainder 10
    EXPECT_THROW(DigitoVerificador(u"00123x"), Erro);
}

TEST(Rotinas, AnoCompleto)
{
    struct Caso { const char* digitado; int anoAtual; const char* esperado; };
    const Caso casos[] = {
        {"5", 2008, "2005"}, {"8", 2008, "2008"}, {"9", 2008, "1909"}, {"98", 2008, "1998"},
        {"2010", 2008, "2010"}, {"", 2008, "2000"}, {"abc", 2026, "2000"}, {"26", 2026, "2026"},
        {"27", 2026, "1927"}, {"5", 2001, "2005"}, // the current year counts as at least 2005
    };
    for (const auto& c : casos)
        EXPECT_EQ(AnoCompleto(QString::fromLatin1(c.digitado), c.anoAtual), QString::fromLatin1(c.esperado))
            << c.digitado;
}

TEST(Rotinas, ExtraiElemento)
{
    const QString texto = QStringLiteral("  <A>x<y</A>rest");
    Elemento e = ExtraiElemento(texto);
    EXPECT_EQ(e.nome, u"A");
    EXPECT_EQ(e.conteudo, u"x<y");
    EXPECT_EQ(e.resto, u"rest");
    EXPECT_TRUE(e.fechado);

    e = ExtraiElemento(u"sem colchetes");
    EXPECT_TRUE(e.nome.isEmpty() && e.conteudo.isEmpty() && e.resto.isEmpty());

    e = ExtraiElemento(u"<A>x");
    EXPECT_EQ(e.nome, u"A");
    EXPECT_TRUE(e.conteudo.isEmpty() && e.resto.isEmpty());
    EXPECT_FALSE(e.fechado);

    // The closing tag is found without regard to case; the rest starts right after it.
    e = ExtraiElemento(u"<tab_rsr><A>1</a></TAB_RSR></processo>");
    EXPECT_EQ(e.nome, u"tab_rsr");
    EXPECT_EQ(e.conteudo, u"<A>1</a>");
    EXPECT_EQ(e.resto, u"</processo>");

    // A '>' with no '<' in the text: the name is everything in front of it.
    e = ExtraiElemento(u"B>1");
    EXPECT_EQ(e.nome, u"B");
    EXPECT_FALSE(e.fechado);
}

TEST(Rotinas, RelogioDeJornada)
{
    EXPECT_EQ(Minutos(2630), 1590);
    EXPECT_EQ(Minutos(800), 480);
    EXPECT_EQ(HoraMinuto(-5), 0);
    EXPECT_EQ(HoraMinuto(1590), 2630);
    EXPECT_EQ(Duracao(800, 1730), 570);
    EXPECT_EQ(Duracao(-1, 1730), 0);
    EXPECT_EQ(Duracao(800, 0), 0);
    EXPECT_EQ(FormataHora(0), QString());
    EXPECT_EQ(FormataHora(65), QStringLiteral("  1:05"));
    EXPECT_EQ(FormataHora(-65), QStringLiteral("  1:05"));
    EXPECT_EQ(FormataHora(750), QStringLiteral(" 12:30"));
    EXPECT_EQ(FormataHora(6000), QStringLiteral("100:00"));
    EXPECT_EQ(FormataHora(425), QStringLiteral("  7:05"));
    EXPECT_EQ(FormataHora(2640), QStringLiteral(" 44:00"));
}

TEST(Rotinas, HorasNoturnas)
{
    struct Caso { int n1, n2, entrada, saida, minutos; };
    const Caso casos[] = {
        {2200, 500, 1800, 200, 240},  // the shift ends the next day
        {2200, 500, 800, 1700, 0},    // a day shift
        {2200, 500, 2300, 400, 300},  // inside the night
        {2200, 500, 2000, 400, 360},
        {2200, 500, 2300, 700, 360},  // passes the end of the night
        {2200, 500, 2500, 600, 240},  // 01:00 to 06:00, the entry given as 2500
        {2200, 500, 600, 1400, 0},
    };
    for (const auto& c : casos)
        EXPECT_EQ(HorasNoturnas(c.n1, c.n2, c.entrada, c.saida), c.minutos) << c.entrada << "-" << c.saida;
}

TEST(Rotinas, Datas)
{
    EXPECT_EQ(DiasDoMes(7, 2005), 31);
    EXPECT_EQ(DiasDoMes(2, 2008), 29);
    EXPECT_EQ(DiasDoMes(2, 2007), 28);
    EXPECT_EQ(DiasDoMes(11, 2007), 30);
    EXPECT_EQ(UltimoDiaMes(QDate(2008, 2, 10)), QDate(2008, 2, 29));
    EXPECT_EQ(UltimoDiaMes(QDate(2007, 12, 31)), QDate(2007, 12, 31));
    EXPECT_FALSE(UltimoDiaMes(QDate()).isValid());
    EXPECT_EQ(AnoMes(2008, 3), 2008 * 12 + 3);
}

TEST(Rotinas, TextosEFlags)
{
    EXPECT_EQ(ZerosEsquerda(QStringLiteral("123"), 5), QStringLiteral("00123"));
    EXPECT_EQ(ZerosEsquerda(QStringLiteral("123456"), 5), QStringLiteral("123456"));
    EXPECT_EQ(FlagCampo(QVariant()), u'N');
    EXPECT_EQ(FlagCampo(QStringLiteral("")), u'N');
    EXPECT_EQ(FlagCampo(QStringLiteral("Sim")), u'S');
    EXPECT_EQ(FlagSN(true), QStringLiteral("S"));
    EXPECT_FALSE(ehSim(QStringLiteral("s"))); // only "S" is yes
    ASSERT_EQ(TabelasCaso().size(), 21);
    EXPECT_EQ(TabelasCaso().first(), QStringLiteral("TAB_PROCESSO"));
    EXPECT_EQ(TabelasCaso().last(), QStringLiteral("TAB_DEMONSTRATIVO_MENSAL"));
    EXPECT_EQ(NomesMeses(3), QStringLiteral("Março"));
    EXPECT_EQ(NomesMeses(12), QStringLiteral("Dezembro"));
}

TEST(TextoAnsi, Windows1252BothWays)
{
    const QString texto = QStringLiteral("Conceição – “Ltda” € ß");
    const QByteArray bytes = CodificaAnsi(texto);
    EXPECT_EQ(bytes, QByteArray("Concei\xE7\xE3o \x96 \x93Ltda\x94 \x80 \xDF"));
    EXPECT_EQ(DecodificaAnsi(bytes), texto);
    // Any byte reads and writes back unchanged, the unassigned ones included.
    QByteArray todos;
    for (int b = 0; b < 256; ++b)
        todos.append(char(b));
    EXPECT_EQ(CodificaAnsi(DecodificaAnsi(todos)), todos);
    EXPECT_EQ(CodificaAnsi(QStringLiteral("ł😀")), QByteArray("??"));
    EXPECT_EQ(SeparaLinhas(QStringLiteral("a\r\nb\rc\nd\r\n")), QStringList({"a", "b", "c", "d"}));
}
