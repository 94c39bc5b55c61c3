// What the overtime, night-premium and premium editors check and choose, without a window:
// the checks of a line, the divisor texts, and the reflexes of a premium on notice, 13th
// salary and vacation. The contract runs from 03/02/2022 to 14/02/2025.

#include "Ambiente.h"
#include "Erro.h"
#include "Registros.h"
#include "RegrasAdicionais.h"
#include "Valores.h"

#include <gtest/gtest.h>

using namespace quintar;
using namespace quintar::teste;

namespace {

const QDate Inicio(2022, 2, 3);
const QDate Fim(2025, 2, 14);

// A line with its period and averages (hours as text, empty for none).
struct Linha {
    QVariant mesInicial, anoInicial, mesFinal, anoFinal;
    const char* diurno;
    const char* noturno;
    const char* recusa; // message|column, empty when accepted
};

QVariant Horas(const char* texto)
{
    if (!*texto)
        return {};
    bool ok = false;
    const Money m = Money::parse(QString::fromLatin1(texto), u'.', &ok);
    EXPECT_TRUE(ok) << texto;
    return bancoDecimal(m, 2);
}

void Periodo(Registros& r, const Linha& l)
{
    r.define(u"MES_INICIAL", l.mesInicial);
    r.define(u"ANO_INICIAL", l.anoInicial);
    r.define(u"MES_FINAL", l.mesFinal);
    r.define(u"ANO_FINAL", l.anoFinal);
}

} // namespace

TEST(RegrasAdicionais, OvertimeLineChecksInTheirOrder)
{
    Ambiente a;
    Registros r(a.banco, u"TAB_HORAS_EXTRAS");
    r.abre(1);
    const Linha linhas[] = {
        {2, 2022, 2, 2025, "20", "0", ""},
        {2, 2022, 2, 2025, "0", "3.5", ""},
        {6, 2023, 6, 2023, "1", "1", ""},
        {2, 2023, 1, 2023, "20", "0", "Mês/Ano Final deve ser maior que Mês/Ano Inicial.|MES_FINAL"},
        {2, 2022, 3, 2025, "20", "0", "Mês/Ano Final deve ser menor ou igual a data da Dispensa.|MES_FINAL"},
        {1, 2022, 2, 2025, "20", "0", "Mês/Ano Inicial deve ser maior ou igual ao Inicio do Pacto.|MES_INICIAL"},
        {2, 2022, 2, 2025, "0", "0", "Alguma Média deve ser maior que zero.|NUMERO_MEDIO_DIURNO"},
        {2, 2022, 2, 2025, "", "", "Alguma Média deve ser maior que zero.|NUMERO_MEDIO_DIURNO"},
        {2, 2022, 2, 2025, "-1", "5", "Média H.E.Diurnas Mês deve ser maior que zero.|NUMERO_MEDIO_DIURNO"},
        {2, 2022, 2, 2025, "5", "-0.5", "Média H.E.Noturnas Mês deve ser maior que zero.|NUMERO_MEDIO_NOTURNO"},
        // The period comes first: a line after the dismissal is refused for that.
        {2, 2022, 3, 2025, "0", "0", "Mês/Ano Final deve ser menor ou igual a data da Dispensa.|MES_FINAL"},
        {2, 2022, 2, QVariant(), "20", "0", "Field 'Ano Final' must have a value|ANO_FINAL"},
        {QVariant(), 2022, 2, 2025, "20", "0", "Field 'Mês Inicial' must have a value|MES_INICIAL"},
        {2, 1899, 2, 2025, "20", "0",
            "1899 is not a valid value for field 'Ano Inicial'. The allowed range is 1900 to 2100.|ANO_INICIAL"},
    };
    for (const Linha& l : linhas) {
        r.Acrescenta();
        Periodo(r, l);
        r.define(u"NUMERO_MEDIO_DIURNO", Horas(l.diurno));
        r.define(u"NUMERO_MEDIO_NOTURNO", Horas(l.noturno));
        EXPECT_EQ(Recusa([&] { ValidaLinhaHorasExtras(r, Inicio, Fim); }), QString::fromUtf8(l.recusa))
            << l.mesInicial.toInt() << "/" << l.anoInicial.toInt() << " a " << l.mesFinal.toInt() << "/"
            << l.anoFinal.toInt() << " " << l.diurno << " " << l.noturno;
        r.Cancela();
    }
}

TEST(RegrasAdicionais, NightLineChecks)
{
    Ambiente a;
    Registros noturno(a.banco, u"TAB_NOTURNO");
    noturno.abre(1);
    for (const Linha& l : {Linha{2, 2022, 2, 2025, "3", "", ""},
             Linha{2, 2022, 2, 2025, "0", "", "Nro Médio Horas Mês deve ser maior que zero.|NUMERO_MEDIO"},
             Linha{2, 2022, 2, 2025, "", "", "Nro Médio Horas Mês deve ser maior que zero.|NUMERO_MEDIO"},
             Linha{2, 2022, 2, 2025, "-2", "", "Nro Médio Horas Mês deve ser maior que zero.|NUMERO_MEDIO"},
             Linha{5, 2024, 4, 2024, "3", "", "Mês/Ano Final deve ser maior que Mês/Ano Inicial.|MES_FINAL"}}) {
        noturno.Acrescenta();
        Periodo(noturno, l);
        noturno.define(u"NUMERO_MEDIO", Horas(l.diurno));
        EXPECT_EQ(Recusa([&] { ValidaLinhaNoturno(noturno, Inicio, Fim); }), QString::fromUtf8(l.recusa)) << l.diurno;
        noturno.Cancela();
    }
}

TEST(RegrasAdicionais, DivisorTexts)
{
    EXPECT_EQ(TextoDivisor(220), u"220 - (8 Horas Diárias)");
    EXPECT_EQ(TextoDivisor(180), u"180 - (6 Horas Diárias)");
    EXPECT_EQ(TextoDivisor(200), u"200");
    EXPECT_EQ(TextoDivisor(std::nullopt), QString());
    EXPECT_EQ(DivisorDoTexto(QStringLiteral("180 - (6 Horas Diárias)")), 180);
    EXPECT_EQ(DivisorDoTexto(QStringLiteral("220 - (8 Horas Diárias)")), 220);
    EXPECT_EQ(DivisorDoTexto(QStringLiteral("200")), 200);
    EXPECT_EQ(DivisorDoTexto(QString()), std::nullopt);
    EXPECT_EQ(DivisorDoTexto(QStringLiteral("180 - (6")), std::nullopt);
    EXPECT_EQ(TextosDivisor(), QStringList({"220 - (8 Horas Diárias)", "180 - (6 Horas Diárias)"}));
}

TEST(RegrasAdicionais, ReflexesOfAPremiumOnTheItemsTheCaseCalculates)
{
    Ambiente a;
    const auto executa = [&](const char* sql) { a.banco.executaDireto(QString::fromLatin1(sql)); };
    executa("INSERT INTO TAB_PROCESSO (PROCESSO_ID, NUMERO, CALCULA_AVISO_PREVIO, CALCULA_13_SALARIO, CALCULA_FERIAS) "
            "VALUES (1, 1, 'S', 'N', 'S')");
    executa("INSERT INTO TAB_AVISO_PREVIO (PROCESSO_ID, SOBRE_HORA_EXTRA, SOBRE_NOTURNO) VALUES (1, 'S', 'N')");
    executa("INSERT INTO TAB_13_SALARIO (PROCESSO_ID, ANO, SOBRE_HORA_EXTRA) VALUES (1, 2023, 'S')");
    executa("INSERT INTO TAB_13_SALARIO (PROCESSO_ID, ANO, SOBRE_HORA_EXTRA) VALUES (1, 2022, 'S')");
    // Vacation periods stored out of order: the first one is the earliest.
    executa("INSERT INTO TAB_FERIAS (PROCESSO_ID, PERIODO_INICIAL, SOBRE_HORA_EXTRA, SOBRE_NOTURNO, SOBRE_RSR) VALUES "
            "(1, '2023-02-03', 'S', 'N', 'N')");
    executa("INSERT INTO TAB_FERIAS (PROCESSO_ID, PERIODO_INICIAL, SOBRE_HORA_EXTRA, SOBRE_NOTURNO, SOBRE_RSR) VALUES "
            "(1, '2022-02-03', 'N', 'S', 'S')");
    executa("INSERT INTO TAB_FERIAS (PROCESSO_ID, PERIODO_INICIAL, SOBRE_HORA_EXTRA) VALUES (2, '2022-02-03', 'N')");

    ReflexosPremio r = LeReflexos(a.banco, 1, QStringLiteral("HORA_EXTRA"));
    EXPECT_EQ(r.coluna, u"SOBRE_HORA_EXTRA");
    EXPECT_EQ(r.titulo, u"Reflexos - Horas Extras");
    EXPECT_TRUE(r.itens[0].habilitado);
    EXPECT_TRUE(r.itens[0].marcado);
    EXPECT_FALSE(r.itens[1].habilitado); // the 13th salary is not calculated: unticked, whatever it holds
    EXPECT_FALSE(r.itens[1].marcado);
    EXPECT_TRUE(r.itens[2].habilitado);
    EXPECT_FALSE(r.itens[2].marcado);

    r.itens[0].marcado = false;
    r.itens[1].marcado = true; // disabled: never written
    r.itens[2].marcado = true;
    GravaReflexos(a.banco, 1, r);
    const auto valores = [&](const char* sql) {
        QStringList v;
        QSqlQuery q(a.banco.conexao());
        q.exec(QString::fromLatin1(sql));
        while (q.next())
            v.append(q.value(0).toString());
        return v.join(u',');
    };
    EXPECT_EQ(valores("SELECT SOBRE_HORA_EXTRA || SOBRE_NOTURNO FROM TAB_AVISO_PREVIO"), u"NN");
    EXPECT_EQ(valores("SELECT SOBRE_HORA_EXTRA FROM TAB_13_SALARIO ORDER BY ANO"), u"S,S");
    // Every vacation row takes the first row's other reflexes, and the premium's box.
    EXPECT_EQ(valores("SELECT SOBRE_HORA_EXTRA || SOBRE_NOTURNO || SOBRE_RSR FROM TAB_FERIAS WHERE PROCESSO_ID = 1"),
        u"SSS,SSS");
    EXPECT_EQ(valores("SELECT SOBRE_HORA_EXTRA FROM TAB_FERIAS WHERE PROCESSO_ID = 2"), u"N");
    EXPECT_TRUE(LeReflexos(a.banco, 1, QStringLiteral("HORA_EXTRA")).itens[2].marcado);

    for (const auto& [item, titulo] :
        {std::pair{"NOTURNO", "Reflexos - Adicional Noturno"}, std::pair{"INSALUBRIDADE", "Reflexos - Insalubridade"},
            std::pair{"PERICULOSIDADE", "Reflexos - Periculosidade"},
            std::pair{"RSR", "Reflexos - Descanso Semanal Remunerado"}})
        EXPECT_EQ(LeReflexos(a.banco, 1, QString::fromLatin1(item)).titulo, QString::fromUtf8(titulo));
    for (const char* item : {"SALARIO_FIXO", "FGTS"})
        EXPECT_EQ(Recusa([&] { LeReflexos(a.banco, 1, QString::fromLatin1(item)); }),
            u"Tipo deve ser Hora_Extra ou Noturno ou Insalubridade ou Periculosidade ou RSR.|")
            << item;
}
