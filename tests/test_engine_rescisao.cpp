// 13th salary, vacation and notice period.

#include "MotorTeste.h"
#include "PreparaPadrao.h"
#include "Rotinas.h"
#include "TdmAviso.h"

using namespace quintar;
using namespace quintar::teste;

namespace {

struct Contrato : Calculo {
    Contrato(QDate inicio, QDate fim, const char* salario = "1000")
    {
        NovoCaso(1, inicio, fim, fim.addMonths(2), R(salario));
        Indices(a.banco, inicio.addMonths(-1), fim.addMonths(6), [](QDate) { return 1.0; });
        motor.rapido.GeraVariacaoSalarial(caso);
    }
    void Aviso(int dias, const char* reflexo13, const char* reflexoFerias)
    {
        PreparaAviso(a.banco, 1);
        Executa(QStringLiteral("UPDATE TAB_AVISO_PREVIO SET QUANTIDADE_DIAS = %1, IND_REFLEXO_13_SALARIO = '%2', "
                               "IND_REFLEXO_FERIAS = '%3'")
                    .arg(dias)
                    .arg(QString::fromLatin1(reflexo13), QString::fromLatin1(reflexoFerias)));
    }
    QList<std::tuple<int, QString, int>> Anos13()
    {
        QList<std::tuple<int, QString, int>> anos;
        QSqlQuery q(a.banco.conexao());
        q.exec(QStringLiteral("SELECT ANO, IND_CALCULA, NUMERO_MESES FROM TAB_13_SALARIO ORDER BY ANO"));
        while (q.next())
            anos.append({q.value(0).toInt(), q.value(1).toString(), q.value(2).toInt()});
        return anos;
    }
    QList<std::tuple<QDate, QDate, QString, int>> Periodos()
    {
        QList<std::tuple<QDate, QDate, QString, int>> p;
        QSqlQuery q(a.banco.conexao());
        q.exec(QStringLiteral("SELECT PERIODO_INICIAL, PERIODO_FINAL, IND_FERIAS || IND_TERCO, NUMERO_MESES FROM TAB_FERIAS ORDER BY PERIODO_INICIAL"));
        while (q.next())
            p.append({lerData(q.value(0)), lerData(q.value(1)), q.value(2).toString(), q.value(3).toInt()});
        return p;
    }
};

using Anos = QList<std::tuple<int, QString, int>>;
const QString S = QStringLiteral("S"), N = QStringLiteral("N");

} // namespace

TEST(DecimoTerceiro, DefaultYearsCountMonthsWorkedUpToThe15th)
{
    struct Caso { QDate inicio, fim; int avisoDias; Anos anos; };
    const Caso casos[] = {
        {QDate(2005, 3, 10), QDate(2005, 10, 20), 0, {{2005, S, 8}}},
        {QDate(2003, 3, 20), QDate(2005, 12, 20), 0, {{2003, N, 9}, {2004, N, 12}, {2005, S, 12}}},
        {QDate(2004, 5, 1), QDate(2006, 1, 10), 0, {{2004, N, 8}, {2005, N, 12}, {2006, S, 0}}},
        {QDate(2003, 12, 20), QDate(2005, 6, 10), 0, {{2003, N, 0}, {2004, N, 12}, {2005, S, 5}}},
        {QDate(2005, 12, 20), QDate(2005, 12, 31), 0, {{2005, S, 0}}},
        {QDate(2004, 1, 1), QDate(2005, 12, 20), 30, {{2004, N, 12}, {2005, S, 13}}},
        {QDate(2005, 3, 10), QDate(2005, 12, 20), 30, {{2005, S, 11}}},
        {QDate(2005, 3, 10), QDate(2005, 10, 20), 45, {{2005, S, 10}}}, // 45 days project 2 months
    };
    for (const Caso& c : casos) {
        Contrato k(c.inicio, c.fim);
        if (c.avisoDias)
            k.Aviso(c.avisoDias, "S", "S");
        k.motor.decimo.GeraAnos13Salario(1);
        EXPECT_EQ(k.Anos13(), c.anos) << c.inicio.toString().toStdString() << " a " << c.fim.toString().toStdString();
        k.Executa(QStringLiteral("UPDATE TAB_13_SALARIO SET NUMERO_MESES = 3"));
        k.motor.decimo.GeraAnos13Salario(1); // a case with rows keeps them
        EXPECT_EQ(k.Valor(QStringLiteral("SELECT MAX(NUMERO_MESES) FROM TAB_13_SALARIO")).toInt(), 3);
    }
}

TEST(DecimoTerceiro, TwelfthsOfTheBaseCorrected)
{
    Contrato c(QDate(2004, 1, 1), QDate(2005, 12, 31));
    c.Executa(QStringLiteral("UPDATE DIARIO SET Indice = 1.5 WHERE Data = '%1'").arg(QDate(2006, 2, 28).toString(Qt::ISODate)));
    c.motor.decimo.GeraAnos13Salario(1);
    c.Executa(QStringLiteral("UPDATE TAB_13_SALARIO SET IND_CALCULA = 'S'"));
    c.Executa(QStringLiteral("UPDATE TAB_13_SALARIO SET NUMERO_MESES = 5 WHERE ANO = 2004"));
    EXPECT_EQ(c.motor.decimo.Calcula13Salario(c.caso), R("2125")); // 625 + 1500
    EXPECT_EQ(c.ValorMoney(QStringLiteral("SELECT BASE_CALCULO FROM TAB_13_SALARIO WHERE ANO = 2005")), R("1500"));
    EXPECT_EQ(c.ValorMoney(QStringLiteral("SELECT VALOR_DEVIDO FROM TAB_13_SALARIO WHERE ANO = 2004")), R("625"));
    EXPECT_EQ(c.Mes(1, 2004, 12)->money(DM::DECIMO_TERCEIRO_SALARIO), R("416.6667"));
    EXPECT_EQ(c.Mes(1, 2005, 12)->money(DM::DECIMO_TERCEIRO_SALARIO), R("1000"));

    c.Executa(QStringLiteral("UPDATE TAB_13_SALARIO SET IND_CALCULA = 'N'"));
    EXPECT_EQ(c.motor.decimo.Calcula13Salario(c.caso), Money());
    EXPECT_EQ(c.motor.decimo.ValorDevido13Salario(1), R("2125")); // earlier values still count
}

TEST(DecimoTerceiro, ReflexesAndTheWeeklyRestEnterTheBase)
{
    Contrato c(QDate(2005, 1, 1), QDate(2005, 12, 31));
    c.motor.decimo.GeraAnos13Salario(1);
    c.Executa(QStringLiteral("UPDATE TAB_13_SALARIO SET SOBRE_SALARIO_VARIAVEL = 'S', SOBRE_RSR = 'S'"));
    c.Executa(QStringLiteral("UPDATE TAB_VARIACAO_SALARIAL SET SALARIO_VARIAVEL = 6000000")); // 600,00 a month
    c.caso.define(u"CALCULA_RSR", S);
    PreparaRSR(c.a.banco, 1);
    c.Executa(QStringLiteral("UPDATE TAB_RSR SET SOBRE_SALARIO_VARIAVEL = 'S'"));
    // 1 000,00 fixed + the variable average of 600,00 plus one sixth (700,00).
    EXPECT_EQ(c.motor.decimo.Calcula13Salario(c.caso), R("1700"));
}

TEST(Ferias, DefaultPeriodsOfTheContract)
{
    using Periodos = QList<std::tuple<QDate, QDate, QString, int>>;
    struct Caso { QDate inicio, fim; int avisoDias; Periodos periodos; };
    const QString NN = QStringLiteral("NN"), SS = QStringLiteral("SS");
    const Caso casos[] = {
        {QDate(2003, 3, 10), QDate(2005, 10, 20), 0,
         {{QDate(2003, 3, 10), QDate(2004, 3, 9), NN, 12}, {QDate(2004, 3, 10), QDate(2005, 3, 9), NN, 12},
          {QDate(2005, 3, 10), QDate(2005, 10, 20), SS, 8}}},
        {QDate(2003, 3, 20), QDate(2004, 3, 19), 0, {{QDate(2003, 3, 20), QDate(2004, 3, 19), SS, 12}}},
        {QDate(2004, 1, 31), QDate(2005, 6, 30), 0,
         {{QDate(2004, 1, 31), QDate(2005, 1, 30), NN, 12}, {QDate(2005, 1, 31), QDate(2005, 6, 30), SS, 5}}},
        {QDate(2004, 3, 10), QDate(2005, 10, 20), 30,
         {{QDate(2004, 3, 10), QDate(2005, 3, 9), NN, 12}, {QDate(2005, 3, 10), QDate(2005, 10, 20), SS, 9}}},
    };
    for (const Caso& c : casos) {
        Contrato k(c.inicio, c.fim);
        if (c.avisoDias)
            k.Aviso(c.avisoDias, "N", "S");
        k.motor.ferias.GeraPeriodosFerias(c.fim, c.inicio, 1);
        EXPECT_EQ(k.Periodos(), c.periodos) << c.inicio.toString().toStdString();
        EXPECT_EQ(k.Valor(QStringLiteral("SELECT IND_REFERENCIA || IND_DOBRO FROM TAB_FERIAS")).toString(), QStringLiteral("UN"));
    }
}

TEST(Ferias, VacationThirdAndDouble)
{
    struct Caso { const char* ferias, *terco, *dobro; int meses; const char* base; const char* devido; const char* coluna; };
    const Caso casos[] = {
        {"N", "S", "N", 12, "3000", "1000", "3000"},
        {"S", "S", "S", 6, "1200", "1600", "1200"},
        {"S", "S", "N", 7, "1000", "777.7777", "583.3333"}, // 583,3333 + 194,4444
    };
    for (const Caso& k : casos) {
        Contrato c(QDate(2004, 3, 10), QDate(2005, 3, 9), k.base);
        c.motor.ferias.GeraPeriodosFerias(QDate(2005, 3, 9), QDate(2004, 3, 10), 1);
        c.Executa(QStringLiteral("UPDATE TAB_FERIAS SET IND_FERIAS = '%1', IND_TERCO = '%2', IND_DOBRO = '%3', NUMERO_MESES = %4")
                      .arg(QString::fromLatin1(k.ferias), QString::fromLatin1(k.terco), QString::fromLatin1(k.dobro))
                      .arg(k.meses));
        EXPECT_EQ(c.motor.ferias.CalculaFerias(c.caso), R(k.devido)) << k.meses;
        EXPECT_EQ(c.Mes(1, 2005, 3)->money(DM::FERIAS), R(k.coluna));
    }
}

TEST(Ferias, TwoPeriodsEndingInOneMonthAddUpInTheStatement)
{
    // Dismissed in the month of the admission anniversary: the last whole period ends on
    // 02/02/2025 and the proportional one on 14/02/2025.
    Contrato c(QDate(2024, 2, 3), QDate(2025, 2, 14), "1200");
    c.motor.ferias.GeraPeriodosFerias(QDate(2025, 2, 14), QDate(2024, 2, 3), 1);
    c.Executa(QStringLiteral("UPDATE TAB_FERIAS SET IND_FERIAS = 'S', IND_TERCO = 'S'"));
    ASSERT_EQ(c.Valor(QStringLiteral("SELECT COUNT(*) FROM TAB_FERIAS")).toInt(), 2);
    // 12 and 0 months: 1 200,00 + 0; then with 1 month for the second: 1 200,00 + 100,00.
    EXPECT_EQ(c.motor.ferias.CalculaFerias(c.caso), R("1600"));
    EXPECT_EQ(c.Mes(1, 2025, 2)->money(DM::FERIAS), R("1200"));
    c.Executa(QStringLiteral("UPDATE TAB_FERIAS SET NUMERO_MESES = 1 WHERE PERIODO_INICIAL = '2025-02-03'"));
    c.motor.comuns.ExcluiTabela(QStringLiteral("TAB_DEMONSTRATIVO_MENSAL"), 1);
    EXPECT_EQ(c.motor.ferias.CalculaFerias(c.caso), R("1733.3333")); // 1 600,00 + 133,3333
    EXPECT_EQ(c.Mes(1, 2025, 2)->money(DM::FERIAS), R("1300"));
}

TEST(Ferias, TheAverageOfThePeriodTakesEachSalaryPartOnItsOwn)
{
    Contrato c(QDate(2004, 1, 1), QDate(2004, 12, 31));
    c.motor.ferias.GeraPeriodosFerias(QDate(2004, 12, 31), QDate(2004, 1, 1), 1);
    c.Executa(QStringLiteral("UPDATE TAB_FERIAS SET IND_REFERENCIA = 'M', SOBRE_SALARIO_VARIAVEL = 'S'"));
    c.Executa(QStringLiteral("UPDATE TAB_VARIACAO_SALARIAL SET SALARIO_FIXO = 20000000 WHERE MES > 6")); // 2 000,00 from July
    c.Executa(QStringLiteral("UPDATE TAB_VARIACAO_SALARIAL SET SALARIO_VARIAVEL = 12000000 WHERE MES = 1")); // 1 200,00 once
    // fixed average 1 500,00 + variable average 100,00; twelve months plus the third.
    EXPECT_EQ(c.motor.ferias.CalculaFerias(c.caso), R("2133.3333"));
}

TEST(Aviso, DaysOfTheMonthlyRemunerationAndItsReflexPeriod)
{
    Contrato c(QDate(2003, 1, 1), QDate(2006, 3, 15), "1500");
    c.Executa(QStringLiteral("UPDATE DIARIO SET Indice = 1.2 WHERE Data = '2006-05-15'"));
    c.Aviso(30, "S", "S");
    EXPECT_EQ(c.motor.aviso.CalculaAviso(c.caso), R("1800"));
    EXPECT_EQ(c.motor.aviso.ValorDevidoAviso(1), R("1500")); // stored uncorrected
    EXPECT_EQ(c.Mes(1, 2006, 3)->money(DM::AVISO_PREVIO), R("1500"));

    c.Executa(QStringLiteral("UPDATE TAB_AVISO_PREVIO SET QUANTIDADE_DIAS = 45"));
    c.Executa(QStringLiteral("UPDATE TAB_VARIACAO_SALARIAL SET SALARIO_FIXO = 10000000"));
    c.motor.comuns.ExcluiTabela(QStringLiteral("TAB_DEMONSTRATIVO_MENSAL"), 1);
    c.motor.aviso.CalculaAviso(c.caso);
    EXPECT_EQ(c.motor.aviso.ValorDevidoAviso(1), R("1500")); // 45 × 1 000,00 / 30
    EXPECT_EQ(MesesProjetados(45), 2);
    EXPECT_EQ(MesesProjetados(75), 2);
    EXPECT_EQ(MesesProjetados(90), 3);

    c.Executa(QStringLiteral("UPDATE TAB_AVISO_PREVIO SET QUANTIDADE_DIAS = 0"));
    EXPECT_EQ(c.motor.aviso.CalculaAviso(c.caso), Money());
    EXPECT_EQ(c.Valor(QStringLiteral("SELECT NUMERO_MEDIO_HN FROM TAB_AVISO_PREVIO")).toInt(), 0); // averages still written
    EXPECT_FALSE(c.Valor(QStringLiteral("SELECT NUMERO_MEDIO_HN FROM TAB_AVISO_PREVIO")).isNull());

    EXPECT_EQ(InicioPeriodoReflexo(QDate(2003, 1, 1), QDate(2006, 3, 15)), QDate(2005, 4, 1));
    EXPECT_EQ(InicioPeriodoReflexo(QDate(2003, 1, 1), QDate(2006, 12, 15)), QDate(2006, 1, 1));
    EXPECT_EQ(InicioPeriodoReflexo(QDate(2005, 9, 10), QDate(2006, 3, 15)), QDate(2005, 9, 10));
}

TEST(Aviso, TheProjectionMessageAndSwitchingTheItemOff)
{
    EXPECT_EQ(TdmAviso::AvisaProjecao(false, false, 30), QString());
    EXPECT_EQ(TdmAviso::AvisaProjecao(true, true, 30),
              QStringLiteral("Devido a incidência do aviso prévio sobre o 13º Salário e Férias,\ros períodos de 13º Salário "
                             "e Férias serão gerados automaticamente\r(Adição ou Exclusão de 1 Mês(es) )."));
    EXPECT_EQ(TdmAviso::AvisaProjecao(true, false, 45),
              QStringLiteral("Devido a incidência do aviso prévio sobre o 13º Salário,\ro período de 13º Salário será gerado "
                             "automaticamente\r(Adição ou Exclusão de 2 Mês(es) )."));
    EXPECT_EQ(TdmAviso::AvisaProjecao(false, true, 30),
              QStringLiteral("Devido a incidência do aviso prévio sobre Férias,\ro período de Férias será gerado "
                             "automaticamente\r(Adição ou Exclusão de 1 Mês(es) )."));

    Contrato c(QDate(2005, 3, 10), QDate(2005, 12, 20));
    c.Aviso(30, "S", "S");
    c.motor.decimo.GeraAnos13Salario(1);
    c.motor.ferias.GeraPeriodosFerias(QDate(2005, 12, 20), QDate(2005, 3, 10), 1);
    EXPECT_EQ(c.Anos13(), (Anos{{2005, S, 11}}));
    c.motor.aviso.RetiraAviso(true, true, QDate(2005, 12, 20), QDate(2005, 3, 10), 1);
    EXPECT_EQ(c.a.feedback.mensagens, QStringList{TdmAviso::AvisaProjecao(true, true, 30)});
    EXPECT_EQ(c.Anos13(), (Anos{{2005, S, 10}}));
    EXPECT_EQ(std::get<3>(c.Periodos().first()), 10);
    EXPECT_EQ(c.Valor(QStringLiteral("SELECT COUNT(*) FROM TAB_AVISO_PREVIO")).toInt(), 0);
}

TEST(Aviso, TheEditorsOkRegeneratesOnlyWhatChanged)
{
    Contrato c(QDate(2005, 3, 10), QDate(2005, 12, 20));
    c.Aviso(30, "S", "S");
    c.motor.decimo.GeraAnos13Salario(1);
    c.motor.ferias.GeraPeriodosFerias(QDate(2005, 12, 20), QDate(2005, 3, 10), 1);
    c.Executa(QStringLiteral("UPDATE TAB_13_SALARIO SET IND_CALCULA = 'N'"));
    c.Executa(QStringLiteral("UPDATE TAB_FERIAS SET IND_DOBRO = 'S'"));

    TdmAviso::Projecao antes = c.motor.aviso.LeProjecao(1);
    c.Executa(QStringLiteral("UPDATE TAB_AVISO_PREVIO SET QUANTIDADE_DIAS = 31")); // still one month
    c.motor.aviso.AplicaProjecao(antes, true, true, QDate(2005, 12, 20), QDate(2005, 3, 10), 1);
    EXPECT_TRUE(c.a.feedback.mensagens.isEmpty());
    EXPECT_EQ(c.Anos13(), (Anos{{2005, N, 11}}));

    antes = c.motor.aviso.LeProjecao(1);
    c.Executa(QStringLiteral("UPDATE TAB_AVISO_PREVIO SET IND_REFLEXO_FERIAS = 'N'"));
    c.motor.aviso.AplicaProjecao(antes, true, true, QDate(2005, 12, 20), QDate(2005, 3, 10), 1);
    EXPECT_EQ(c.a.feedback.mensagens, QStringList{TdmAviso::AvisaProjecao(false, true, 31)});
    EXPECT_EQ(c.Anos13(), (Anos{{2005, N, 11}}));           // the 13th rows stay
    EXPECT_EQ(std::get<3>(c.Periodos().first()), 10);        // vacation rebuilt without the projection
    EXPECT_EQ(c.Valor(QStringLiteral("SELECT IND_DOBRO FROM TAB_FERIAS")).toString(), N);
}
