// FGTS, other credits and debits, the fines, interest, social security and income tax.

#include "DadosIniciais.h"
#include "Erro.h"
#include "MotorTeste.h"
#include "PreparaPadrao.h"
#include "Rotinas.h"
#include "TdmJuros.h"

using namespace quintar;
using namespace quintar::teste;

namespace {

struct Contrato : Calculo {
    Contrato(QDate inicio = QDate(2008, 3, 10), QDate fim = QDate(2008, 6, 10), const char* salario = "2000")
    {
        NovoCaso(1, inicio, fim, fim.addMonths(3), R(salario));
        Indices(a.banco, inicio.addMonths(-12), fim.addMonths(12), [](QDate) { return 1.0; });
        motor.rapido.GeraVariacaoSalarial(caso);
    }
    LinhaDemonstrativo& Linha(int ano, int mes)
    {
        motor.comuns.MontaMes(QDate(ano, mes, 1), 1);
        return *Mes(1, ano, mes);
    }
};

} // namespace

TEST(FGTS, DepositsOnTheAwardedItemsTheSalaryAndTheFine)
{
    Contrato c(QDate(2008, 1, 1), QDate(2008, 12, 31));
    PreparaFGTS(c.a.banco, 1, QDate(2008, 1, 1), QDate(2008, 12, 31));
    EXPECT_EQ(c.Valor(QStringLiteral("SELECT TIPO_PERCENTUAL * 10 + TIPO_MULTA FROM TAB_FGTS")).toInt(), 20);
    c.Linha(2008, 4).defineMoney(DM::SALARIO, R("1000"));
    c.Linha(2008, 4).defineMoney(DM::DECIMO_TERCEIRO_SALARIO, R("500"));
    c.Linha(2008, 4).defineMoney(DM::HORA_EXTRA, R("300"));
    c.Linha(2008, 4).defineFlag(DM::IND_APENAS_REFLEXO_HE, QStringLiteral("S")); // paid already: left out
    EXPECT_EQ(c.motor.fgts.CalculaFGTS(QDate(2008, 12, 31), QDate(2008, 1, 1), 1), R("120"));
    EXPECT_EQ(c.Linha(2008, 4).money(DM::FGTS), R("120"));

    c.Executa(QStringLiteral("UPDATE TAB_FGTS SET IND_APURA_PERIODO = 'S', TIPO_MULTA = 2"));
    c.motor.fgts.CalculaFGTS(QDate(2008, 12, 31), QDate(2008, 1, 1), 1);
    // 120 + 2 000 × 8 % + (1 500 + 2 000) × 8 % × 40 %
    EXPECT_EQ(c.Linha(2008, 4).money(DM::FGTS), R("392"));
    EXPECT_EQ(c.Linha(2008, 5).money(DM::FGTS), R("224"));  // a month with the salary only: 160 + 64

    c.Executa(QStringLiteral("UPDATE TAB_FGTS SET TIPO_PERCENTUAL = 1, IND_APURA_PERIODO = 'S', TIPO_MULTA = 0"));
    c.motor.fgts.CalculaFGTS(QDate(2008, 12, 31), QDate(2008, 1, 1), 1);
    EXPECT_EQ(c.Linha(2008, 4).money(DM::FGTS), R("70")); // 2 % of 1 500 + 2 % of 2 000
}

TEST(FGTS, PartialFirstAndLastMonthsAndThePeriod)
{
    Contrato c(QDate(2008, 3, 10), QDate(2008, 6, 10));
    PreparaFGTS(c.a.banco, 1, QDate(2008, 3, 10), QDate(2008, 6, 10));
    c.Executa(QStringLiteral("UPDATE TAB_FGTS SET IND_APURA_PERIODO = 'S', IND_APURA_VERBAS_RESCISOR = 'N', MES_FINAL = 5"));
    const Money total = c.motor.fgts.CalculaFGTS(QDate(2008, 6, 10), QDate(2008, 3, 10), 1);
    EXPECT_EQ(c.Linha(2008, 3).money(DM::FGTS), R("112"));   // 160 × 21 / 30
    EXPECT_EQ(c.Linha(2008, 4).money(DM::FGTS), R("160"));
    EXPECT_EQ(c.Linha(2008, 6).money(DM::FGTS), Money()); // after the FGTS period: nothing
    EXPECT_EQ(total, R("432"));

    c.Executa(QStringLiteral("UPDATE TAB_FGTS SET MES_FINAL = 6"));
    c.motor.fgts.CalculaFGTS(QDate(2008, 6, 10), QDate(2008, 3, 10), 1);
    EXPECT_EQ(c.Linha(2008, 6).money(DM::FGTS), R("53.3333")); // 160 × 10 / 30
}

TEST(Outros, CreditsAndDebitsCorrectedByTheirMonth)
{
    Contrato c(QDate(2004, 1, 1), QDate(2004, 12, 31));
    c.Executa(QStringLiteral("UPDATE DIARIO SET Indice = 1.1 WHERE Data = '2005-03-31'"));
    c.Executa(QStringLiteral("INSERT INTO TAB_OUTROS_CREDITO (PROCESSO_ID, DESCRICAO, ANO, MES, VALOR) VALUES "
                             "(1, 'Vale-transporte', 2004, 3, 1000000), (1, 'Cesta básica', 2004, 3, 500000)"));
    EXPECT_EQ(c.motor.outros.CalculaCreditos(1), R("165"));
    EXPECT_EQ(c.Linha(2004, 3).money(DM::OUTROS_CREDITO), R("150"));
    EXPECT_EQ(c.ValorMoney(QStringLiteral("SELECT VALOR_DEVIDO FROM TAB_OUTROS_CREDITO WHERE DESCRICAO = 'Vale-transporte'")), R("110"));
    // A debit in a month outside the contract gets its statement row.
    c.Executa(QStringLiteral("INSERT INTO TAB_OUTROS_DEBITO (PROCESSO_ID, DESCRICAO, ANO, MES, VALOR) VALUES "
                             "(1, 'Adiantamento', 2005, 2, 1000000)"));
    EXPECT_EQ(c.motor.outros.CalculaDebitos(1), R("110"));
    EXPECT_EQ(c.Mes(1, 2005, 2)->money(DM::OUTROS_DEBITO), R("100"));
}

TEST(Multas, Articles467And477)
{
    Contrato c(QDate(2004, 8, 1), QDate(2005, 3, 15));
    c.Executa(QStringLiteral("UPDATE DIARIO SET Indice = 1.1 WHERE Data = '2005-06-15'"));
    PreparaMultas(c.a.banco, 1);
    c.Executa(QStringLiteral("UPDATE TAB_MULTAS SET IND_CALCULA_467 = 'S', IND_CALCULA_477 = 'S', SOBRE_477_DIFERENCA_SALAR = 'N'"));
    c.caso.define(u"CALCULA_SALARIO", QStringLiteral("S"));
    c.caso.define(u"CALCULA_FGTS", QStringLiteral("S"));
    c.Executa(QStringLiteral("INSERT INTO TAB_SALARIO (PROCESSO_ID, ANO, MES, VALOR_DEVIDO) VALUES (1, 2005, 3, 10000000)"));
    PreparaFGTS(c.a.banco, 1, QDate(2004, 8, 1), QDate(2005, 3, 15));
    c.Executa(QStringLiteral("UPDATE TAB_FGTS SET VALOR_APURADO = 5000000"));
    // An item with its fine flag but not calculated adds nothing.
    PreparaRSR(c.a.banco, 1);
    c.Executa(QStringLiteral("UPDATE TAB_RSR SET VALOR_DEVIDO = 9990000"));
    // 477: the fixed salary of the dismissal month 2 000,00 + the variable average of the
    // reflex period (from 01/08/2004, the contract start) 500,00, corrected by 1,1.
    c.Executa(QStringLiteral("UPDATE TAB_VARIACAO_SALARIAL SET SALARIO_VARIAVEL = 5000000"));
    EXPECT_EQ(c.motor.rapido.CalculaMultas(c.caso), R("3500")); // 750 + 2 750
    EXPECT_EQ(c.ValorMoney(QStringLiteral("SELECT VALOR_APURADO_467 FROM TAB_MULTAS")), R("750"));
    EXPECT_EQ(c.ValorMoney(QStringLiteral("SELECT VALOR_APURADO_477 FROM TAB_MULTAS")), R("2750"));
    EXPECT_EQ(c.motor.rapido.ValorApuradoMultas(1), R("3500"));

    c.Executa(QStringLiteral("UPDATE TAB_MULTAS SET IND_CALCULA_467 = 'N', IND_CALCULA_477 = 'N'"));
    EXPECT_EQ(c.motor.rapido.CalculaMultas(c.caso), Money());
    EXPECT_EQ(c.motor.rapido.ValorApuradoMultas(1), Money());
    EXPECT_EQ(InicioPeriodoReflexo(QDate(2000, 1, 1), QDate(2005, 12, 15)), QDate(2005, 1, 1));
}

TEST(Juros, CommercialDaysAndTheRegimes)
{
    EXPECT_EQ(TdmJuros::DiasComerciais(QDate(2000, 1, 10), QDate(2000, 1, 20)), 11);
    EXPECT_EQ(TdmJuros::DiasComerciais(QDate(2000, 1, 1), QDate(2000, 1, 31)), 30);
    EXPECT_EQ(TdmJuros::DiasComerciais(QDate(2000, 1, 10), QDate(2000, 3, 20)), 71);
    struct Caso { QDate inicio, fim; const char* metodo; const char* taxa; };
    const Caso casos[] = {
        {QDate(2000, 1, 10), QDate(2000, 3, 20), "P", "0.0237"},
        {QDate(2001, 8, 1), QDate(2001, 8, 31), "M", "0.0089"},  // 23 days at 1 %, 7 at 0,5 %
        {QDate(2001, 8, 1), QDate(2001, 8, 31), "P", "0.0100"},
        {QDate(1990, 1, 1), QDate(1990, 12, 31), "P", "0.1268"}, // compound: 1,01^12 − 1
        {QDate(2005, 1, 1), QDate(2004, 1, 1), "P", "0"},        // start after end
        {QDate(1986, 3, 15), QDate(1991, 3, 10), "P", "0.6753"}, // 0,0570 + 1,01^(1447/30) − 1 + 0,0023
    };
    for (const Caso& c : casos)
        EXPECT_EQ(TdmJuros::TaxaAcumulada(c.inicio, c.fim, QString::fromLatin1(c.metodo)), R(c.taxa))
            << c.inicio.toString().toStdString();
}

TEST(Juros, InterestOnTheChosenTotalsAndTheDateLimits)
{
    Contrato c(QDate(1999, 1, 1), QDate(2000, 1, 5));
    PreparaJuros(c.a.banco, 1, QDate(1999, 1, 1), QDate(2000, 4, 5));
    EXPECT_EQ(c.Valor(QStringLiteral("SELECT DATA_FIM_JUROS FROM TAB_JUROS")).toString(), QStringLiteral("2000-04-05"));
    EXPECT_EQ(c.Valor(QStringLiteral("SELECT IND_FGTS || METODO_JUROS FROM TAB_JUROS")).toString(), QStringLiteral("NP"));
    c.caso.define(u"CALCULA_SALARIO", QStringLiteral("S"));
    c.Executa(QStringLiteral("INSERT INTO TAB_SALARIO (PROCESSO_ID, ANO, MES, VALOR_DEVIDO) VALUES (1, 2000, 1, 100000000)"));
    c.Executa(QStringLiteral("UPDATE TAB_JUROS SET DATA_INICIO_JUROS = '2000-01-10', DATA_FIM_JUROS = '2000-03-20'"));
    EXPECT_EQ(c.motor.juros.CalculaJuros(c.caso), R("237"));
    EXPECT_EQ(c.ValorMoney(QStringLiteral("SELECT ALIQUOTA FROM TAB_JUROS")), R("0.0237"));
    EXPECT_EQ(c.ValorMoney(QStringLiteral("SELECT BASE_CALCULO FROM TAB_JUROS")), R("10000"));

    struct Caso { const char* inicio; const char* fim; const char* mensagem; };
    const Caso casos[] = {
        {"1899-12-31", "2000-01-01", "Uma data anterior a 1900 está sendo usada no cálculo de juros."},
        {"2000-01-01", "2050-01-02", "Uma data posterior a 2050 está sendo usada no cálculo de juros."},
        {"2000-01-01", "2050-01-01", ""},
    };
    for (const auto& k : casos) {
        c.Executa(QStringLiteral("UPDATE TAB_JUROS SET DATA_INICIO_JUROS = '%1', DATA_FIM_JUROS = '%2'")
                      .arg(QString::fromLatin1(k.inicio), QString::fromLatin1(k.fim)));
        QString mensagem;
        try {
            c.motor.juros.CalculaJuros(c.caso);
        } catch (const Erro& e) {
            mensagem = e.mensagem();
        }
        EXPECT_EQ(mensagem, QString::fromUtf8(k.mensagem));
    }
    c.Executa(QStringLiteral("DELETE FROM TAB_JUROS"));
    EXPECT_TRUE(c.motor.juros.SemJuros(1));
    EXPECT_THROW(c.motor.juros.CalculaJuros(c.caso), Erro);
}

TEST(INSS, ContributionByBracketsAndSelfEmployed)
{
    Contrato c;
    FaixasINSS(c.a.banco, 2008, 3, {1000, 8, 2000, 9, 3000, 11});
    FaixasINSS(c.a.banco, 2024, 1, {1412.00, 7.5, 2666.68, 9, 4000.03, 12, 7786.02, 14});
    struct Caso { bool autonomo; int ano, mes; const char* base; const char* valor; const char* aliquota; };
    const Caso casos[] = {
        {false, 2008, 3, "1000", "80", "8"},
        {false, 2008, 3, "1500", "135", "9"},
        {false, 2008, 3, "2500", "275", "11"},
        {false, 2008, 3, "5000", "330", "11"},  // capped at 3 000 × 11 %
        {true, 2008, 3, "1000", "200", "20"},
        {true, 2008, 3, "5000", "600", "20"},
        {false, 2024, 1, "3000", "258.82", "8.6273"}, // progressive: 105,90 + 112,92 + 40,00
        {false, 2024, 1, "10000", "908.86", "9.0886"}, // everything up to the ceiling
        {true, 2024, 1, "3000", "600", "20"},
    };
    for (const Caso& k : casos) {
        const auto r = c.motor.inss.ContribuicaoMes(k.autonomo, R(k.base), QDate(k.ano, k.mes, 1));
        EXPECT_EQ(r.valor, R(k.valor)) << k.base << " " << k.ano;
        EXPECT_EQ(r.aliquota, R(k.aliquota)) << k.base << " " << k.ano;
    }
    try {
        c.motor.inss.ContribuicaoMes(false, Money(), QDate(2008, 3, 1));
        ADD_FAILURE();
    } catch (const Erro& e) {
        EXPECT_EQ(e.mensagem(), QStringLiteral("A base de cálculo do INSS para alguma parcela informada é nula."));
    }
    try {
        c.motor.inss.ContribuicaoMes(false, R("100"), QDate(2008, 4, 1));
        ADD_FAILURE();
    } catch (const Erro& e) {
        EXPECT_EQ(e.mensagem(), QStringLiteral("Não Existe Alíquota de INSS para a data 01/04/2008."));
    }
}

TEST(INSS, MonthlySharesAndWhoBearsTheEmployeesPart)
{
    Contrato c(QDate(2008, 1, 1), QDate(2008, 12, 31));
    for (int mes = 1; mes <= 12; ++mes)
        FaixasINSS(c.a.banco, 2008, mes, {1000, 8, 2000, 9, 3000, 11});
    PreparaINSS(c.a.banco, 1);
    c.Executa(QStringLiteral("UPDATE TAB_INSS SET IND_CALCULA_RECLAMADO = 'S', PERCENTUAL_EMPREGADOR = 200000, "
                             "PERCENTUAL_RAT = 20000, PERCENTUAL_TERCEIROS = 58000"));
    c.Linha(2008, 3).defineMoney(DM::SALARIO, R("1000"));
    c.Linha(2008, 4).defineMoney(DM::HORA_EXTRA, R("500"));
    c.Linha(2008, 4).defineFlag(DM::IND_APENAS_REFLEXO_HE, QStringLiteral("S")); // paid: out of the base
    c.Linha(2008, 5).defineMoney(DM::SALARIO, R("1500"));
    // 80 + 200 + 20 + 58 in March; 135 + 300 + 30 + 87 in May.
    EXPECT_EQ(c.motor.inss.CalculaINSS(1), R("910"));
    EXPECT_EQ(c.Linha(2008, 3).decimal(DM::ALIQUOTA_INSS), R("8"));
    EXPECT_TRUE(c.Linha(2008, 4).nulo(DM::ALIQUOTA_INSS)); // a month without base is left alone
    EXPECT_EQ(c.motor.inss.ValorINSS(1), R("215"));
    EXPECT_EQ(c.ValorMoney(QStringLiteral("SELECT VALOR_INSS_EMPREGADOR FROM TAB_INSS")), R("500"));

    c.Executa(QStringLiteral("UPDATE TAB_INSS SET IND_DESCONTAR_RECLAMADO = 'S'"));
    EXPECT_EQ(c.motor.inss.CalculaINSS(1), R("910"));
    EXPECT_EQ(c.motor.inss.ValorINSS(1), Money());
    EXPECT_EQ(c.ValorMoney(QStringLiteral("SELECT VALOR_INSS_EMPREGADOR FROM TAB_INSS")), R("715"));
}

TEST(INSS, TiesOfTheSharesAndOfTheWeeklyRestGoToTheEvenNeighbour)
{
    // By hand: 389,4250 × 3 % = 11,68275 → 11,6828 and × 15 % = 58,41375 → 58,4138;
    // 128,1470 × 15 % = 19,22205 → 19,2220 and × 3 % = 3,844410 → 3,8444;
    // the weekly rest on 619,2987 of overtime is 103,21645 → 103,2164.
    Contrato c(QDate(2008, 1, 1), QDate(2008, 12, 31));
    for (int mes = 1; mes <= 12; ++mes)
        FaixasINSS(c.a.banco, 2008, mes, {1000, 8, 2000, 9, 3000, 11});
    PreparaRSR(c.a.banco, 1);
    c.Linha(2008, 3).defineMoney(DM::HORA_EXTRA, R("619.2987"));
    c.motor.rsr.CalculaRSR(1, QDate(2008, 1, 1), QDate(2008, 12, 31));
    EXPECT_EQ(c.Linha(2008, 3).money(DM::RSR), R("103.2164"));

    PreparaINSS(c.a.banco, 1);
    c.Executa(QStringLiteral("UPDATE TAB_INSS SET IND_CALCULA_RECLAMADO = 'S', PERCENTUAL_EMPREGADOR = 150000, "
                             "PERCENTUAL_RAT = 30000, PERCENTUAL_TERCEIROS = 0"));
    c.Linha(2008, 4).defineMoney(DM::SALARIO, R("389.425"));
    c.Linha(2008, 5).defineMoney(DM::SALARIO, R("128.147"));
    c.motor.inss.CalculaINSS(1);
    EXPECT_EQ(c.Linha(2008, 4).money(DM::INSS_RAT), R("11.6828"));
    EXPECT_EQ(c.Linha(2008, 4).money(DM::INSS_EMPREGADOR), R("58.4138"));
    EXPECT_EQ(c.Linha(2008, 5).money(DM::INSS_EMPREGADOR), R("19.222"));
    EXPECT_EQ(c.Linha(2008, 5).money(DM::INSS_RAT), R("3.8444"));
}

TEST(IR, TaxByTheTableOfTheDismissalMonth)
{
    Contrato c;
    FaixasIR(c.a.banco, 2008, 6, {1000, 2000, 15, 150, 1e9, 27.5, 400, 1e9, 27.5, 400, 27.5, 400});
    struct Caso { const char* valor; const char* imposto; const char* aliquota; };
    const Caso casos[] = {{"900", "0", "0"}, {"1000", "0", "0"}, {"1500", "75", "15"}, {"1000.01", "0", "15"}};
    for (const Caso& k : casos) {
        const auto r = c.motor.ir.ImpostoFaixa(R(k.valor), QDate(2008, 6, 10));
        EXPECT_EQ(r.valor, R(k.imposto)) << k.valor;
        EXPECT_EQ(r.aliquota, R(k.aliquota)) << k.valor;
    }
    try {
        c.motor.ir.ImpostoFaixa(R("1500"), QDate(2008, 7, 1));
        ADD_FAILURE();
    } catch (const Erro& e) {
        EXPECT_EQ(e.mensagem(), QStringLiteral("Não Existe Alíquota de IR para a data 01/07/2008."));
    }

    PreparaIR(c.a.banco, 1);
    for (const char* flag : {"CALCULA_SALARIO", "CALCULA_13_SALARIO", "CALCULA_JUROS", "CALCULA_INSS"})
        c.caso.define(QString::fromLatin1(flag), QStringLiteral("S"));
    c.Executa(QStringLiteral("INSERT INTO TAB_SALARIO (PROCESSO_ID, ANO, MES, VALOR_DEVIDO) VALUES (1, 2008, 6, 50000000)"));
    c.Executa(QStringLiteral("INSERT INTO TAB_13_SALARIO (PROCESSO_ID, ANO, VALOR_DEVIDO) VALUES (1, 2008, 15000000)"));
    c.Executa(QStringLiteral("INSERT INTO TAB_JUROS (PROCESSO_ID, JUROS) VALUES (1, 8000000)"));
    c.Executa(QStringLiteral("INSERT INTO TAB_INSS (PROCESSO_ID, VALOR_INSS) VALUES (1, 5000000)"));
    // Principal 5 000 − 500 = 4 500 at 27,5 % − 400; 13th 1 500 at 15 % − 150; interest 800 exempt.
    EXPECT_EQ(c.motor.ir.CalculaIR(c.caso), R("912.5"));
    EXPECT_EQ(c.ValorMoney(QStringLiteral("SELECT BASE_CALCULO FROM TAB_IR")), R("4500"));
    EXPECT_EQ(c.ValorMoney(QStringLiteral("SELECT IR_13_SALARIO FROM TAB_IR")), R("75"));

    // Social security larger than the items: a negative base and no principal tax.
    c.Executa(QStringLiteral("UPDATE TAB_INSS SET VALOR_INSS = 60000000"));
    EXPECT_EQ(c.motor.ir.CalculaIR(c.caso), R("75"));
    EXPECT_EQ(c.ValorMoney(QStringLiteral("SELECT BASE_CALCULO FROM TAB_IR")), R("-1000"));
}

TEST(INSS, TheShippedTablesBeforeAndAfterMarch2020)
{
    Contrato c;
    GaranteTabelasReferencia(c.a.banco, c.a.feedback);
    struct Caso { int ano, mes; const char* base; const char* valor; };
    const Caso casos[] = {
        {2020, 2, "2500", "225"},    // 9 % on the whole base (1 830,29 < 2 500 ≤ 3 050,52)
        {2020, 2, "7000", "671.12"}, // capped: 6 101,06 × 11 %
        {2020, 3, "2500", "221.64"}, // 78,375 + 94,014 + 49,248
        {2020, 3, "7000", "713.10"}, // every bracket up to 6 101,06
        {2024, 1, "3000", "258.82"}, // 105,90 + 112,92 + 40,00
    };
    for (const Caso& k : casos)
        EXPECT_EQ(c.motor.inss.ContribuicaoMes(false, R(k.base), QDate(k.ano, k.mes, 1)).valor, R(k.valor))
            << k.ano << "/" << k.mes << " " << k.base;
}
