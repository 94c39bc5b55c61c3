#include "Erro.h"
#include "MotorTeste.h"
#include "Rotinas.h"

using namespace quintar;
using namespace quintar::teste;

namespace {

// A salary history of one month per row from 01/2008 to 12/2008 at 1 200,00, and an index
// that grows 1 % a month (the same over each month's days).
struct Comuns : Calculo {
    Comuns()
    {
        NovoCaso(1, QDate(2008, 1, 10), QDate(2008, 6, 20), QDate(2008, 12, 31), R("1200"));
        Indices(a.banco, QDate(2007, 12, 1), QDate(2009, 1, 31),
                [](QDate d) { return 1.0 + 0.01 * (AnoMes(d) - AnoMes(2008, 1)); });
        for (int mes = 1; mes <= 12; ++mes)
            SalarioMinimo(a.banco, 2008, mes, 415.00);
        motor.rapido.GeraVariacaoSalarial(caso);
    }
    void Historico(int mes, const char* coluna, const QVariant& valor)
    {
        a.banco.executa(QStringLiteral("UPDATE TAB_VARIACAO_SALARIAL SET %1 = :v WHERE PROCESSO_ID = 1 AND MES = :m").arg(QString::fromLatin1(coluna)),
                        {{"v", valor}, {"m", mes}});
    }
};

} // namespace

TEST(Comuns, MontaMesTakesTheSalaryHistoryAndItsUnits)
{
    Comuns c;
    c.Historico(3, "UNIDADE_SALARIO_FIXO", QStringLiteral("M"));
    c.Historico(3, "SALARIO_FIXO", bancoMoney(R("2.5")));
    c.Historico(4, "PARADIGMA", bancoMoney(R("1000")));   // lower than the fixed salary
    c.Historico(5, "PARADIGMA", bancoMoney(R("1500")));
    c.Historico(5, "SALARIO_VARIAVEL", bancoMoney(R("333.33")));
    EXPECT_EQ(c.motor.comuns.MontaMes(QDate(2008, 3, 5), 1), R("1037.50")); // 2.5 × 415,00
    c.motor.comuns.MontaMes(QDate(2008, 4, 1), 1);
    c.motor.comuns.MontaMes(QDate(2008, 5, 1), 1);
    EXPECT_EQ(c.Mes(1, 2008, 4)->money(DM::DIFERENCA_SALARIAL), Money());
    EXPECT_EQ(c.Mes(1, 2008, 5)->money(DM::DIFERENCA_SALARIAL), R("300"));
    EXPECT_EQ(c.Mes(1, 2008, 5)->money(DM::SALARIO_VARIAVEL), R("333.33"));

    // A month after the dismissal (a notice projection) takes the dismissal month's salary.
    c.Historico(6, "SALARIO_FIXO", bancoMoney(R("1300")));
    c.Executa(QStringLiteral("DELETE FROM TAB_VARIACAO_SALARIAL WHERE MES > 6"));
    EXPECT_EQ(c.motor.comuns.MontaMes(QDate(2008, 8, 1), 1), R("1300"));
    c.Executa(QStringLiteral("DELETE FROM TAB_VARIACAO_SALARIAL WHERE MES = 6"));
    try {
        c.motor.comuns.MontaMes(QDate(2008, 9, 1), 1);
        ADD_FAILURE();
    } catch (const Erro& e) {
        EXPECT_EQ(e.mensagem(), QStringLiteral("Variação Salarial não encontrada."));
    }
}

TEST(Comuns, TheFactorRunsFromTheMonthToTheUpdateDate)
{
    Comuns c;
    c.motor.comuns.MontaMes(QDate(2008, 2, 1), 1);
    // Update date 31/12/2008 is the month's last day: December is corrected from its 1st.
    c.motor.comuns.MontaMes(QDate(2008, 12, 1), 1);
    EXPECT_DOUBLE_EQ(c.Mes(1, 2008, 2)->indiceCm(), static_cast<double>(Arredonda(9, 1.11L / 1.01L)));
    EXPECT_DOUBLE_EQ(c.Mes(1, 2008, 12)->indiceCm(), 1.0);
}

TEST(Comuns, AMonthEndingAfterTheUpdateDateHasTheFactorOne)
{
    Comuns d;
    d.Executa(QStringLiteral("UPDATE TAB_PROCESSO SET DATA_ATUALIZACAO = '2008-03-15'"));
    d.motor.comuns.MontaMes(QDate(2008, 2, 1), 1);
    d.motor.comuns.MontaMes(QDate(2008, 3, 1), 1);
    d.motor.comuns.MontaMes(QDate(2008, 5, 1), 1);
    EXPECT_DOUBLE_EQ(d.Mes(1, 2008, 2)->indiceCm(), static_cast<double>(Arredonda(9, 1.02L / 1.01L)));
    EXPECT_DOUBLE_EQ(d.Mes(1, 2008, 3)->indiceCm(), 1.0);
    EXPECT_DOUBLE_EQ(d.Mes(1, 2008, 5)->indiceCm(), 1.0);
}

TEST(Comuns, AMonthWithoutSalaryHasNoFactorAndIsBuiltAgainLater)
{
    Comuns c;
    c.Historico(4, "SALARIO_FIXO", bancoMoney(Money()));
    c.motor.comuns.MontaMes(QDate(2008, 4, 1), 1);
    EXPECT_EQ(c.Mes(1, 2008, 4)->indiceCm(), 0.0);
    c.Historico(4, "SALARIO_FIXO", bancoMoney(R("900")));
    EXPECT_EQ(c.motor.comuns.MontaMes(QDate(2008, 4, 1), 1), R("900"));
    EXPECT_GT(c.Mes(1, 2008, 4)->indiceCm(), 1.0);
    // A row with a salary is never recomputed.
    c.Historico(4, "SALARIO_FIXO", bancoMoney(R("950")));
    EXPECT_EQ(c.motor.comuns.MontaMes(QDate(2008, 4, 1), 1), R("900"));
}

TEST(Comuns, MissingReferenceDataStopsWithItsMessage)
{
    Comuns c;
    c.Executa(QStringLiteral("DELETE FROM DIARIO WHERE Data = '2008-02-01'"));
    try {
        c.motor.comuns.MontaMes(QDate(2008, 2, 10), 1);
        ADD_FAILURE();
    } catch (const Erro& e) {
        EXPECT_EQ(e.mensagem(), QStringLiteral("Não Existe Índice para a data : 01/02/2008."));
    }
    c.Historico(5, "UNIDADE_SALARIO_FIXO", QStringLiteral("M"));
    c.Executa(QStringLiteral("DELETE FROM VALORES WHERE Mes = 5"));
    try {
        c.motor.comuns.MontaMes(QDate(2008, 5, 1), 1);
        ADD_FAILURE();
    } catch (const Erro& e) {
        EXPECT_EQ(e.mensagem(), QStringLiteral("Não Existe Salário Mínimo para a data informada(5/2008)."));
    }
}

TEST(Comuns, ComposicaoSalarialAndMontaPeriodo)
{
    Comuns c;
    EXPECT_EQ(c.motor.comuns.ComposicaoSalarial({}, QDate(2008, 3, 1), 1), Money());
    EXPECT_EQ(c.motor.comuns.ComposicaoSalarial({.fixo = true, .sexto = true}, QDate(2008, 3, 1), 1), R("1400"));

    // From 31 January the running date keeps the shortened day: 29 February, then the 29th,
    // so a period ending on 15 April stops after March.
    c.motor.comuns.ExcluiTabela(QStringLiteral("TAB_DEMONSTRATIVO_MENSAL"), 1);
    c.motor.comuns.MontaPeriodo(1, QDate(2008, 1, 31), QDate(2008, 4, 15));
    EXPECT_EQ(c.motor.comuns.Demonstrativo(1).size(), 3u);
    c.motor.comuns.MontaPeriodo(1, QDate(2008, 1, 31), QDate(2008, 4, 30));
    EXPECT_EQ(c.motor.comuns.Demonstrativo(1).size(), 4u);
}

TEST(Comuns, APeriodBuiltAtOnceIsTheSameAsMonthByMonth)
{
    // MontaPeriodo reads the history and the indices of its months at once: each month must
    // come out as MontaMes alone makes it, with minimum wages, a paradigm, the months after the
    // dismissal (no history of their own) and the months after the update date.
    Comuns c;
    c.Executa(QStringLiteral("UPDATE TAB_PROCESSO SET DATA_ATUALIZACAO = '2008-09-15'"));
    c.Historico(3, "UNIDADE_SALARIO_FIXO", QStringLiteral("M"));
    c.Historico(3, "SALARIO_FIXO", bancoMoney(R("2.5")));
    c.Historico(5, "PARADIGMA", bancoMoney(R("1500")));
    c.Historico(6, "SALARIO_FIXO", bancoMoney(R("1300")));
    c.Executa(QStringLiteral("DELETE FROM TAB_VARIACAO_SALARIAL WHERE MES > 6"));
    c.motor.comuns.MontaPeriodo(1, QDate(2008, 1, 1), QDate(2008, 11, 1));
    struct Mes {
        Money fixo, diferenca;
        double indice;
    };
    QVector<Mes> junto;
    for (int mes = 1; mes <= 11; ++mes) {
        const LinhaDemonstrativo* l = c.Mes(1, 2008, mes);
        ASSERT_TRUE(l) << mes;
        junto.append({l->money(DM::SALARIO_FIXO), l->money(DM::DIFERENCA_SALARIAL), l->indiceCm()});
    }
    EXPECT_EQ(junto[2].fixo, R("1037.50"));
    EXPECT_EQ(junto[4].diferenca, R("300"));
    EXPECT_EQ(junto[9].fixo, R("1300"));
    EXPECT_EQ(junto[9].indice, 1.0);
    c.motor.comuns.ExcluiTabela(QStringLiteral("TAB_DEMONSTRATIVO_MENSAL"), 1);
    for (int mes = 1; mes <= 11; ++mes) {
        c.motor.comuns.MontaMes(QDate(2008, mes, 1), 1);
        const LinhaDemonstrativo* l = c.Mes(1, 2008, mes);
        EXPECT_EQ(l->money(DM::SALARIO_FIXO), junto[mes - 1].fixo) << mes;
        EXPECT_EQ(l->money(DM::DIFERENCA_SALARIAL), junto[mes - 1].diferenca) << mes;
        EXPECT_EQ(l->indiceCm(), junto[mes - 1].indice) << mes;
    }

    // A day without its index in the middle of the period stops with that day.
    c.motor.comuns.ExcluiTabela(QStringLiteral("TAB_DEMONSTRATIVO_MENSAL"), 1);
    c.Executa(QStringLiteral("DELETE FROM DIARIO WHERE Data = '2008-04-01'"));
    try {
        c.motor.comuns.MontaPeriodo(1, QDate(2008, 1, 1), QDate(2008, 6, 1));
        ADD_FAILURE();
    } catch (const Erro& e) {
        EXPECT_EQ(e.mensagem(), QStringLiteral("Não Existe Índice para a data : 01/04/2008."));
    }
}

TEST(Comuns, TheStatementIsWrittenBackWithNullsKept)
{
    Comuns c;
    c.motor.comuns.MontaMes(QDate(2008, 3, 1), 1);
    c.motor.comuns.AtualizaColuna(2008, 3, QStringLiteral("SALARIO"), R("12.34"), 1);
    c.motor.comuns.AtualizaColuna(2008, 9, QStringLiteral("SALARIO"), R("1"), 1); // no row: left alone
    c.motor.comuns.GravaDemonstrativo();
    EXPECT_EQ(c.ValorMoney(QStringLiteral("SELECT SALARIO FROM TAB_DEMONSTRATIVO_MENSAL WHERE MES = 3")), R("12.34"));
    EXPECT_EQ(c.Valor(QStringLiteral("SELECT COUNT(*) FROM TAB_DEMONSTRATIVO_MENSAL")).toInt(), 1);
    EXPECT_TRUE(c.Valor(QStringLiteral("SELECT NUMERO_MEDIO_HN FROM TAB_DEMONSTRATIVO_MENSAL")).isNull());
    EXPECT_EQ(c.ValorMoney(QStringLiteral("SELECT HORA_EXTRA FROM TAB_DEMONSTRATIVO_MENSAL")), Money());
}

TEST(Media, AveragesOfTheStatement)
{
    Comuns c;
    const auto poe = [&](int mes, DM::Coluna coluna, const char* valor) {
        c.motor.comuns.MontaMes(QDate(2008, mes, 1), 1);
        if (coluna == DM::NUMERO_MEDIO_HE_DIURNO)
            c.Mes(1, 2008, mes)->defineDecimal(coluna, R(valor));
        else
            c.Mes(1, 2008, mes)->defineMoney(coluna, R(valor));
    };
    poe(1, DM::SALARIO_VARIAVEL, "1000");
    poe(2, DM::SALARIO_VARIAVEL, "0");
    poe(3, DM::SALARIO_VARIAVEL, "2000");
    poe(1, DM::SALARIO_HE_DIURNO, "12");
    poe(3, DM::SALARIO_HE_DIURNO, "15");
    poe(1, DM::NUMERO_MEDIO_HE_DIURNO, "10.50");
    poe(2, DM::NUMERO_MEDIO_HE_DIURNO, "11.50");
    poe(3, DM::NUMERO_MEDIO_HE_DIURNO, "20");
    TdmMedia& m = c.motor.media;
    const QDate jan(2008, 1, 20), mar(2008, 3, 5);
    struct Caso { Media colunas; const char* media; };
    const Caso casos[] = {
        {{.variavel = true}, "1000"},
        {{.variavel = true, .sexto = true}, "1166.6667"},
        {{.valorHEDiurno = true}, "13.50"},       // the zero month does not dilute
        {{.horasHEDiurno = true}, "14"},          // 10 + 12 + 20: halves to even
        {{.horasHEDiurno = true, .sexto = true}, "16.3333"},
        {{.valorHENoturno = true}, "0"},          // no month with a value
    };
    for (const auto& caso : casos)
        EXPECT_EQ(m.MediaPeriodo(1, jan, mar, caso.colunas), R(caso.media)) << caso.media;
    EXPECT_EQ(m.MediaPeriodo(1, mar, QDate(2008, 3, 31), Media{.variavel = true}), R("2000"));
}
