// The item calculators one by one, on a contract of 2008 at 2 200,00 with a flat index
// (every factor 1) unless a test says otherwise.

#include "Erro.h"
#include "MotorTeste.h"
#include "PreparaPadrao.h"
#include "Rotinas.h"

using namespace quintar;
using namespace quintar::teste;

namespace {

struct Contrato : Calculo {
    explicit Contrato(QDate inicio = QDate(2008, 1, 1), QDate fim = QDate(2008, 12, 31), const char* salario = "2200")
    {
        NovoCaso(1, inicio, fim, QDate(2009, 1, 31), R(salario));
        Indices(a.banco, QDate(2007, 1, 1), QDate(2009, 1, 31), [](QDate) { return 1.0; });
        for (int mes = 1; mes <= 12; ++mes)
            SalarioMinimo(a.banco, 2008, mes, 300.00);
        motor.rapido.GeraVariacaoSalarial(caso);
    }
    LinhaDemonstrativo& Linha(int mes) { return *Mes(1, 2008, mes); }
    // One overtime (or night) line over the months given, after the default preparation.
    void LinhaHoras(const char* tabela, int sequencial, int mesInicial, int mesFinal, const QString& colunas)
    {
        Executa(QStringLiteral("INSERT INTO %1 (PROCESSO_ID, SEQUENCIAL, ANO_INICIAL, MES_INICIAL, ANO_FINAL, MES_FINAL, "
                               "IND_SALARIO_FIXO, IND_DIFERENCA_SALARIAL, IND_SALARIO_VARIAVEL, IND_APENAS_REFLEXO, "
                               "IND_DIVISOR_HORA %2) VALUES (1, %3, 2008, %4, 2008, %5, 'S', 'N', 'N', 'N', 220 %6)")
                    .arg(QString::fromLatin1(tabela), colunas.section(u'|', 0, 0))
                    .arg(sequencial)
                    .arg(mesInicial)
                    .arg(mesFinal)
                    .arg(colunas.section(u'|', 1, 1)));
    }
};

} // namespace

TEST(Salario, MonthRowsOfANewCase)
{
    struct Caso {
        QDate inicio, fim;
        QList<std::tuple<int, int, const char*>> meses; // month, days, claimed
    };
    const Caso casos[] = {
        {QDate(2008, 3, 15), QDate(2008, 6, 10), {{3, 16, "N"}, {4, 30, "N"}, {5, 30, "N"}, {6, 10, "S"}}},
        {QDate(2008, 3, 1), QDate(2008, 3, 20), {{3, 20, "S"}}},
        {QDate(2007, 12, 31), QDate(2008, 2, 28), {{12, 0, "N"}, {1, 30, "N"}, {2, 30, "S"}}},
        {QDate(2008, 1, 10), QDate(2008, 2, 29), {{1, 21, "N"}, {2, 30, "S"}}},
        {QDate(2008, 4, 1), QDate(2008, 5, 31), {{4, 30, "N"}, {5, 30, "S"}}},
    };
    for (const Caso& c : casos) {
        Contrato k(c.inicio, c.fim);
        k.motor.rapido.GeraMesesSalario(1, c.inicio, c.fim);
        QSqlQuery q(k.a.banco.conexao());
        q.exec(QStringLiteral("SELECT MES, NUMERO_DIAS, IND_CALCULA, SOBRE_SALARIO_FIXO, SOBRE_SALARIO_VARIAVEL "
                              "FROM TAB_SALARIO ORDER BY ANO, MES"));
        for (const auto& [mes, dias, calcula] : c.meses) {
            ASSERT_TRUE(q.next()) << c.inicio.toString().toStdString();
            EXPECT_EQ(q.value(0).toInt(), mes);
            EXPECT_EQ(q.value(1).toInt(), dias) << c.inicio.toString().toStdString() << " mês " << mes;
            EXPECT_EQ(q.value(2).toString(), QString::fromLatin1(calcula));
            EXPECT_EQ(q.value(3).toString(), QStringLiteral("S"));
            EXPECT_EQ(q.value(4).toString(), QStringLiteral("N"));
        }
        EXPECT_FALSE(q.next());
        // A case that has its rows keeps them.
        k.Executa(QStringLiteral("UPDATE TAB_SALARIO SET NUMERO_DIAS = 7"));
        k.motor.rapido.GeraMesesSalario(1, c.inicio, c.fim);
        EXPECT_EQ(k.Valor(QStringLiteral("SELECT MIN(NUMERO_DIAS) FROM TAB_SALARIO")).toInt(), 7);
    }
}

TEST(Salario, OwedDaysOfTheBaseCorrected)
{
    Contrato c(QDate(2008, 1, 1), QDate(2008, 12, 31), "3000");
    // The index at the update date is 1.25 times that of 1 March.
    c.Executa(QStringLiteral("UPDATE DIARIO SET Indice = 1.25 WHERE Data = '2009-01-31'"));
    c.motor.rapido.GeraMesesSalario(1, QDate(2008, 1, 1), QDate(2008, 12, 31));
    c.Executa(QStringLiteral("UPDATE TAB_SALARIO SET IND_CALCULA = 'N'"));
    c.Executa(QStringLiteral("UPDATE TAB_SALARIO SET IND_CALCULA = 'S', NUMERO_DIAS = 16 WHERE MES = 3"));
    EXPECT_EQ(c.motor.rapido.CalculaSalario(1), R("2000"));
    EXPECT_EQ(c.ValorMoney(QStringLiteral("SELECT BASE_CALCULO FROM TAB_SALARIO WHERE MES = 3")), R("3750"));
    EXPECT_EQ(c.Linha(3).money(DM::SALARIO), R("1600"));

    // Nothing claimed: 0, and the earlier amount still counts for the other items.
    c.Executa(QStringLiteral("UPDATE TAB_SALARIO SET IND_CALCULA = 'N'"));
    EXPECT_EQ(c.motor.rapido.CalculaSalario(1), Money());
    EXPECT_EQ(c.motor.rapido.ValorDevidoSalario(1), R("2000"));
}

TEST(Salario, TheHistoryIsRebuiltWhenItNoLongerMatchesTheCase)
{
    Contrato c;
    c.Executa(QStringLiteral("UPDATE TAB_VARIACAO_SALARIAL SET SALARIO_VARIAVEL = 500 WHERE MES = 3"));
    c.motor.rapido.GeraVariacaoSalarial(c.caso); // unchanged contract and salary: kept
    EXPECT_EQ(c.ValorMoney(QStringLiteral("SELECT SALARIO_VARIAVEL FROM TAB_VARIACAO_SALARIAL WHERE MES = 3")), R("0.05"));
    c.caso.defineMoney(u"SALARIO_FIXO", R("2500"));
    c.motor.rapido.GeraVariacaoSalarial(c.caso);
    EXPECT_EQ(c.Valor(QStringLiteral("SELECT COUNT(*) FROM TAB_VARIACAO_SALARIAL")).toInt(), 12);
    EXPECT_EQ(c.ValorMoney(QStringLiteral("SELECT MIN(SALARIO_FIXO) FROM TAB_VARIACAO_SALARIAL")), R("2500"));
    EXPECT_EQ(c.ValorMoney(QStringLiteral("SELECT MAX(SALARIO_VARIAVEL) FROM TAB_VARIACAO_SALARIAL")), Money());
}

TEST(HorasExtras, HourValuesAndMonthAmounts)
{
    struct Caso {
        const char* adicional;
        int divisor;
        const char* mes, *diurna, *noturna;
    };
    const Caso casos[] = {
        {"N", 220, "240", "15", "18"}, // h 10,00; night hour 12,00
        {"S", 220, "55", "5", "1"},    // only the premium: night hour 2,00
        {"N", 0, "240", "15", "18"},   // divisor 0 counts as 220
        {"N", 180, "293.3333", "18.3333", "22"},
    };
    for (const Caso& k : casos) {
        Contrato c;
        c.LinhaHoras("TAB_HORAS_EXTRAS", 1, 3, 3,
                     QStringLiteral(", IND_APENAS_ADICIONAL, PERCENTUAL, ACRESCIMO_NOTURNO, NUMERO_MEDIO_DIURNO, "
                                    "NUMERO_MEDIO_NOTURNO|, '%1', 500000, 200000, 100000, 50000")
                         .arg(QString::fromLatin1(k.adicional)));
        c.Executa(QStringLiteral("UPDATE TAB_HORAS_EXTRAS SET IND_DIVISOR_HORA = %1").arg(k.divisor));
        EXPECT_EQ(c.motor.horasExtras.CalculaHorasExtras(1), R(k.mes)) << k.divisor;
        EXPECT_EQ(c.Linha(3).money(DM::HORA_EXTRA), R(k.mes));
        EXPECT_EQ(c.Linha(3).money(DM::SALARIO_HE_DIURNO), R(k.diurna)) << k.adicional << k.divisor;
        EXPECT_EQ(c.Linha(3).money(DM::SALARIO_HE_NOTURNO), R(k.noturna));
        EXPECT_EQ(c.Linha(3).flag(DM::IND_APENAS_REFLEXO_HE), QStringLiteral("N"));
        EXPECT_EQ(c.ValorMoney(QStringLiteral("SELECT VALOR_APURADO FROM TAB_HORAS_EXTRAS")), R(k.mes));
    }
}

TEST(HorasExtras, LinesOverTheSameMonthAddUpAndTheirHourValuesAreMerged)
{
    Contrato c;
    const QString colunas = QStringLiteral(", IND_APENAS_ADICIONAL, PERCENTUAL, ACRESCIMO_NOTURNO, NUMERO_MEDIO_DIURNO, "
                                           "NUMERO_MEDIO_NOTURNO|, 'N', %1, 200000, 100000, 50000");
    c.LinhaHoras("TAB_HORAS_EXTRAS", 1, 2, 3, colunas.arg(500000));  // 50 %: day hour 15,00, night 18,00
    c.LinhaHoras("TAB_HORAS_EXTRAS", 2, 3, 4, colunas.arg(1000000)); // 100 %: day hour 20,00, night 24,00
    // A line whose last month lies before its first still counts its first month.
    c.LinhaHoras("TAB_HORAS_EXTRAS", 3, 6, 5, colunas.arg(500000));
    const Money total = c.motor.horasExtras.CalculaHorasExtras(1);
    EXPECT_EQ(c.Linha(3).money(DM::HORA_EXTRA), R("560"));     // 240 + (200 + 120)
    EXPECT_EQ(c.Linha(3).decimal(DM::NUMERO_MEDIO_HE_DIURNO), R("20"));
    EXPECT_EQ(c.Linha(3).money(DM::SALARIO_HE_DIURNO), R("17.5")); // the mean of 15 and 20
    EXPECT_EQ(c.Linha(3).money(DM::SALARIO_HE_NOTURNO), R("21"));
    EXPECT_EQ(c.Linha(6).money(DM::HORA_EXTRA), R("240"));
    EXPECT_EQ(c.Mes(1, 2008, 5), nullptr);
    EXPECT_EQ(total, R("1360")); // 240 + 560 + 320 + 240
}

TEST(HorasExtras, ReflexOnlyFillsTheStatementButOwesNothing)
{
    Contrato c;
    c.LinhaHoras("TAB_HORAS_EXTRAS", 1, 3, 4,
                 QStringLiteral(", IND_APENAS_ADICIONAL, PERCENTUAL, ACRESCIMO_NOTURNO, NUMERO_MEDIO_DIURNO|, 'N', 500000, 200000, 100000"));
    c.Executa(QStringLiteral("UPDATE TAB_HORAS_EXTRAS SET IND_APENAS_REFLEXO = 'S'"));
    EXPECT_EQ(c.motor.horasExtras.CalculaHorasExtras(1), Money());
    EXPECT_EQ(c.Linha(4).money(DM::HORA_EXTRA), R("150"));
    EXPECT_EQ(c.Linha(4).flag(DM::IND_APENAS_REFLEXO_HE), QStringLiteral("S"));
    EXPECT_EQ(c.motor.horasExtras.ValorApuradoHorasExtras(1), Money());
}

TEST(HorasExtras, TheReflexIsTheAverageRemuneration)
{
    Contrato c;
    c.LinhaHoras("TAB_HORAS_EXTRAS", 1, 1, 12,
                 QStringLiteral(", IND_APENAS_ADICIONAL, PERCENTUAL, ACRESCIMO_NOTURNO, NUMERO_MEDIO_DIURNO, "
                                "NUMERO_MEDIO_NOTURNO|, 'N', 500000, 200000, 0, 60000"));
    c.motor.horasExtras.CalculaHorasExtras(1);
    FigurasHorasExtras f;
    f.mediaDiurnas = R("99"); // overwritten
    const Money reflexo = c.motor.horasExtras.ReflexoHorasExtras(QStringLiteral("S"), QStringLiteral("S"), 1,
                                                                 QDate(2008, 1, 1), QDate(2008, 12, 31), true, &f);
    // No day hours: the day part adds nothing and its figures stay 0. Night: 6 h + one sixth = 7 h × 18,00.
    EXPECT_EQ(f.mediaDiurnas, Money());
    EXPECT_EQ(f.valorDiurna, Money());
    EXPECT_EQ(f.mediaNoturnas, R("7"));
    EXPECT_EQ(f.valorNoturna, R("18"));
    EXPECT_EQ(reflexo, R("126"));
    EXPECT_EQ(c.motor.horasExtras.ReflexoHorasExtras(QStringLiteral("S"), QStringLiteral("N"), 1, QDate(2008, 1, 1),
                                                     QDate(2008, 12, 31), true, &f),
              Money());
}

TEST(Noturno, PremiumMonthByMonthAndItsReflex)
{
    Contrato c;
    const QString colunas = QStringLiteral(", ACRESCIMO_NOTURNO, NUMERO_MEDIO|, %1, %2");
    c.LinhaHoras("TAB_NOTURNO", 1, 1, 12, colunas.arg(200000).arg(300000)); // 20 %, 30 h: hour 2,00
    c.LinhaHoras("TAB_NOTURNO", 2, 6, 6, colunas.arg(300000).arg(100000));  // 30 %, 10 h: hour 3,00
    c.Executa(QStringLiteral("UPDATE TAB_NOTURNO SET IND_DIVISOR_HORA = 0 WHERE SEQUENCIAL = 2"));
    EXPECT_EQ(c.motor.noturno.CalculaNoturno(1), R("750")); // 12 × 60 + 30
    EXPECT_EQ(c.Linha(1).money(DM::NOTURNO), R("60"));
    EXPECT_EQ(c.Linha(1).money(DM::SALARIO_HORA_NOTURNO), R("2"));
    EXPECT_EQ(c.Linha(1).decimal(DM::NUMERO_MEDIO_HN), R("30"));
    EXPECT_EQ(c.Linha(6).money(DM::NOTURNO), R("90"));
    EXPECT_EQ(c.Linha(6).money(DM::SALARIO_HORA_NOTURNO), R("2.5"));
    EXPECT_EQ(c.Linha(6).decimal(DM::NUMERO_MEDIO_HN), R("40"));

    FigurasNoturno f;
    EXPECT_EQ(c.motor.noturno.ReflexoNoturno(QStringLiteral("S"), QStringLiteral("S"), 1, QDate(2008, 1, 1),
                                             QDate(2008, 5, 31), true, &f),
              R("70")); // 30 h + one sixth = 35 h × 2,00
    EXPECT_EQ(f.mediaHoras, R("35"));

    c.Executa(QStringLiteral("UPDATE TAB_NOTURNO SET IND_APENAS_REFLEXO = 'S'"));
    c.motor.comuns.ExcluiTabela(QStringLiteral("TAB_DEMONSTRATIVO_MENSAL"), 1);
    EXPECT_EQ(c.motor.noturno.CalculaNoturno(1), Money());
    EXPECT_EQ(c.Linha(1).money(DM::NOTURNO), R("60"));
}

TEST(Adicionais, MonthFactorsOfTheFirstAndLastMonths)
{
    // Days out of a commercial month of 30.
    struct Caso {
        QDate inicio, fim;
        int ano, mes;
        int dias;
    };
    const Caso casos[] = {
        {QDate(2008, 7, 10), QDate(2009, 3, 31), 2008, 7, 21}, // (31 − 10) / 30 = 0,7
        {QDate(2008, 6, 10), QDate(2009, 3, 31), 2008, 6, 20},
        {QDate(2008, 6, 1), QDate(2009, 3, 31), 2008, 6, 30},
        {QDate(2008, 6, 1), QDate(2009, 3, 31), 2009, 3, 30}, // ends on the month's last day
        {QDate(2008, 6, 1), QDate(2009, 3, 20), 2009, 3, 20},
        {QDate(2009, 3, 5), QDate(2009, 3, 20), 2009, 3, 15}, // starts and ends in the month
        {QDate(2009, 3, 5), QDate(2009, 3, 31), 2009, 3, 26},
        {QDate(2008, 1, 1), QDate(2008, 12, 31), 2008, 5, 30},
    };
    for (const Caso& c : casos)
        EXPECT_EQ(DiasMesAdicional(c.ano, c.mes, c.inicio, c.fim), c.dias)
            << c.inicio.toString().toStdString() << " " << c.mes;
}

TEST(Adicionais, InsalubrityByDegreeAndBase)
{
    Contrato c(QDate(2008, 1, 1), QDate(2008, 12, 31), "1500");
    PreparaInsalubridade(c.a.banco, 1, QDate(2008, 1, 1), QDate(2008, 12, 31));
    EXPECT_EQ(c.Valor(QStringLiteral("SELECT GRAU FROM TAB_INSALUBRIDADE")).toInt(), 1);
    EXPECT_EQ(c.Valor(QStringLiteral("SELECT BASE_CALCULO FROM TAB_INSALUBRIDADE")).toString(), QStringLiteral("M"));
    c.Executa(QStringLiteral("UPDATE TAB_INSALUBRIDADE SET GRAU = 2, BASE_CALCULO = 'F', MES_INICIAL = 3, MES_FINAL = 4"));
    EXPECT_EQ(c.motor.insalubridade.CalculaInsalubridade(1), R("600"));
    EXPECT_EQ(c.Linha(3).money(DM::INSALUBRIDADE), R("300"));
    EXPECT_EQ(c.Mes(1, 2008, 5), nullptr);

    // Degree 4 on the minimum wage, corrected once by the month's factor.
    c.Executa(QStringLiteral("UPDATE TAB_INSALUBRIDADE SET GRAU = 4, BASE_CALCULO = 'M', MES_INICIAL = 5, MES_FINAL = 5"));
    c.Executa(QStringLiteral("UPDATE DIARIO SET Indice = 2 WHERE Data = '2009-01-31'"));
    c.motor.comuns.DescartaDemonstrativo();
    c.motor.comuns.ExcluiTabela(QStringLiteral("TAB_DEMONSTRATIVO_MENSAL"), 1);
    EXPECT_EQ(c.motor.insalubridade.CalculaInsalubridade(1), R("240"));
    EXPECT_EQ(c.Linha(5).money(DM::INSALUBRIDADE), R("120"));

    // An unknown degree gives nothing; reflex only fills the statement but owes nothing.
    c.Executa(QStringLiteral("UPDATE TAB_INSALUBRIDADE SET GRAU = 3"));
    EXPECT_EQ(c.motor.insalubridade.CalculaInsalubridade(1), Money());
    c.Executa(QStringLiteral("UPDATE TAB_INSALUBRIDADE SET GRAU = 1, IND_APENAS_REFLEXO = 'S'"));
    EXPECT_EQ(c.motor.insalubridade.CalculaInsalubridade(1), Money());
    EXPECT_EQ(c.Linha(5).money(DM::INSALUBRIDADE), R("30"));
    EXPECT_EQ(c.Linha(5).flag(DM::IND_APENAS_REFLEXO_AI), QStringLiteral("S"));

    // The reflex of degree 1 on a minimum wage of 300,00 with one sixth.
    EXPECT_EQ(c.motor.insalubridade.ReflexoInsalubridade(QStringLiteral("S"), QStringLiteral("S"), 1, QDate(2008, 5, 1),
                                                         true, 5, 2008),
              R("35"));
}

TEST(Adicionais, PericulosityOverItsPeriodWithEveryMonthBuilt)
{
    Contrato c(QDate(2008, 1, 20), QDate(2008, 4, 10), "2000");
    PreparaPericulosidade(c.a.banco, 1, QDate(2008, 1, 20), QDate(2008, 4, 10));
    EXPECT_EQ(c.ValorMoney(QStringLiteral("SELECT PERCENTUAL FROM TAB_PERICULOSIDADE")), R("30"));
    const Money total = c.motor.periculosidade.CalculaPericulosidade(1);
    EXPECT_EQ(c.Linha(1).money(DM::PERICULOSIDADE), R("220"));     // 600 × (31 − 20) / 30
    EXPECT_EQ(c.Linha(2).money(DM::PERICULOSIDADE), R("600"));
    EXPECT_EQ(c.Linha(4).money(DM::PERICULOSIDADE), R("200"));     // the dismissal month: 600 × 10 / 30
    EXPECT_EQ(total, R("1620"));
    // The item's period limits it.
    c.Executa(QStringLiteral("UPDATE TAB_PERICULOSIDADE SET MES_INICIAL = 2, MES_FINAL = 3"));
    c.motor.comuns.ExcluiTabela(QStringLiteral("TAB_DEMONSTRATIVO_MENSAL"), 1);
    EXPECT_EQ(c.motor.periculosidade.CalculaPericulosidade(1), R("1200"));
    EXPECT_EQ(c.motor.periculosidade.ReflexoPericulosidade(QStringLiteral("S"), QStringLiteral("S"), 1, QDate(2008, 4, 10), false),
              R("600"));
}

TEST(RSR, OneSixthOfTheChosenColumns)
{
    Contrato c;
    PreparaRSR(c.a.banco, 1);
    // Overtime starting in March only: the rest is not lost although January has no row.
    c.motor.comuns.MontaMes(QDate(2008, 3, 1), 1);
    c.motor.comuns.MontaMes(QDate(2008, 4, 1), 1);
    c.Linha(3).defineMoney(DM::HORA_EXTRA, R("240"));
    c.Linha(3).defineMoney(DM::NOTURNO, R("60"));
    c.Linha(4).defineMoney(DM::HORA_EXTRA, R("100"));
    EXPECT_EQ(c.motor.rsr.CalculaRSR(1, QDate(2008, 1, 1), QDate(2008, 12, 31)), R("66.6667"));
    EXPECT_EQ(c.Linha(3).money(DM::RSR), R("50"));
    EXPECT_EQ(c.Linha(4).money(DM::RSR), R("16.6667"));
    EXPECT_EQ(c.Linha(3).flag(DM::IND_APENAS_REFLEXO_RSR), QStringLiteral("N"));
    EXPECT_EQ(c.motor.rsr.ValorDevidoRSR(1), R("66.6667"));

    c.Executa(QStringLiteral("UPDATE TAB_RSR SET IND_APENAS_REFLEXO = 'S'"));
    EXPECT_EQ(c.motor.rsr.CalculaRSR(1, QDate(2008, 1, 1), QDate(2008, 12, 31)), Money());
    EXPECT_EQ(c.Linha(3).money(DM::RSR), R("50"));
    EXPECT_EQ(c.motor.rsr.ValorDevidoRSR(1), Money());
}

TEST(RSR, TheReflexServiceAnswersFromTheOpenRow)
{
    Contrato c;
    PreparaRSR(c.a.banco, 1);
    TdmRSR& rsr = c.motor.rsr;
    rsr.AbreDadosRSR(QStringLiteral("N"), QStringLiteral("S"), 1);
    EXPECT_FALSE(rsr.IncideRSR(u"sobre_hora_extra"));
    rsr.AbreDadosRSR(QStringLiteral("S"), QStringLiteral("S"), 1);
    EXPECT_TRUE(rsr.IncideRSR(u"sobre_hora_extra"));
    EXPECT_FALSE(rsr.IncideRSR(u"sobre_salario_fixo"));
    c.Executa(QStringLiteral("UPDATE TAB_RSR SET SOBRE_SALARIO_FIXO = 'S'"));
    rsr.AbreDadosRSR(QStringLiteral("S"), QStringLiteral("S"), 1);
    EXPECT_TRUE(rsr.IncideRSR(u"sobre_salario_fixo"));
    rsr.AbreDadosRSR(QStringLiteral("S"), QStringLiteral("s"), 1);
    EXPECT_FALSE(rsr.IncideRSR(u"sobre_salario_fixo"));
}
