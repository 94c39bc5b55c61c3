// What the item editors ask of the core: the checks of their rows before saving, the
// description list of other credits and debits, and the activities of the social-security
// lookup tables, on a real working database.

#include "Ambiente.h"
#include "DadosIniciais.h"
#include "Erro.h"
#include "Registros.h"
#include "RegrasEditores.h"
#include "Valores.h"

#include <gtest/gtest.h>

#include <functional>

using namespace quintar;
using namespace quintar::teste;

namespace {

const QDate Inicio(2022, 2, 3);
const QDate Fim(2025, 1, 31);

// A new row of the table with the values (as stored), not posted.
struct Linha {
    Linha(BancoDados& banco, const char* tabela, std::initializer_list<std::pair<const char*, QVariant>> valores)
        : r(banco, QString::fromLatin1(tabela))
    {
        r.abre(1);
        r.Acrescenta();
        for (const auto& [coluna, valor] : valores)
            r.define(QString::fromLatin1(coluna), valor);
    }
    Registros r;
};

} // namespace

TEST(RegrasEditores, TheItemPeriodIsCheckedInOrderAgainstTheContract)
{
    Ambiente a;
    struct Caso {
        int mesI, anoI, mesF, anoF;
        const char* recusa;
    };
    const Caso casos[] = {
        {2, 2022, 1, 2025, ""},
        {1, 2023, 12, 2022, "Mês/Ano Final deve ser maior que Mês/Ano Inicial.|MES_FINAL"},
        {2, 2022, 2, 2025, "Mês/Ano Final deve ser menor ou igual a data da Dispensa.|MES_FINAL"},
        {1, 2022, 1, 2025, "Mês/Ano Inicial deve ser maior ou igual ao Inicio do Pacto.|MES_FINAL"},
        // Both wrong: the end is checked first.
        {1, 2022, 3, 2025, "Mês/Ano Final deve ser menor ou igual a data da Dispensa.|MES_FINAL"},
        {5, 2024, 5, 2024, ""},
    };
    for (const Caso& k : casos) {
        Linha l(a.banco, "TAB_FGTS",
            {{"MES_INICIAL", k.mesI}, {"ANO_INICIAL", k.anoI}, {"MES_FINAL", k.mesF}, {"ANO_FINAL", k.anoF}});
        EXPECT_EQ(Recusa([&] { ValidaPeriodo(l.r, Inicio, Fim); }), QString::fromUtf8(k.recusa))
            << k.mesI << '/' << k.anoI << " a " << k.mesF << '/' << k.anoF;
    }
}

TEST(RegrasEditores, InterestDatesMustLieAfterTheContractStartAndInOrder)
{
    Ambiente a;
    const QString inicial = QStringLiteral("A Data Inicial deve ser maior ou igual a 03/02/2022!|DATA_INICIO_JUROS");
    const QString final = QStringLiteral("A Data Final deve ser maior ou igual a Data Inicial!|DATA_FIM_JUROS");
    struct Caso {
        QDate inicio, fim;
        QString recusa;
    };
    const Caso casos[] = {
        {QDate(2025, 3, 10), QDate(2026, 4, 30), QString()},
        {Inicio, Inicio, QString()},
        {QDate(), QDate(2026, 4, 30), inicial}, // empty: before any start
        {QDate(2022, 2, 2), QDate(2026, 4, 30), inicial},
        {QDate(2026, 5, 1), QDate(2026, 4, 30), final},
        {QDate(2025, 3, 10), QDate(), final},
        {QDate(), QDate(), inicial},
    };
    for (const Caso& k : casos) {
        Linha l(
            a.banco, "TAB_JUROS", {{"DATA_INICIO_JUROS", bancoData(k.inicio)}, {"DATA_FIM_JUROS", bancoData(k.fim)}});
        EXPECT_EQ(Recusa([&] { ValidaJuros(l.r, Inicio); }), k.recusa) << k.inicio.toString().toStdString();
    }
}

TEST(RegrasEditores, ALineOfOtherCreditsNeedsEveryValueInItsRangeAndTheContract)
{
    Ambiente a;
    const QVariant cem = bancoMoney(Money::fromCents(10000));
    struct Caso {
        const char* nome;
        QVariant descricao, mes, ano, valor;
        const char* recusa;
    };
    const Caso casos[] = {
        {"certa", "Salário-família", 5, 2024, cem, ""},
        {"sem descrição", QVariant(), 5, 2024, cem, "Field 'Descrição' must have a value|DESCRICAO"},
        {"descrição em branco", "   ", 5, 2024, cem, "Field 'Descrição' must have a value|DESCRICAO"},
        {"sem mês", "X", QVariant(), 2024, cem, "Field 'Mês' must have a value|MES"},
        {"sem valor", "X", 5, 2024, QVariant(), "Field 'Valor' must have a value|VALOR"},
        {"valor negativo", "X", 5, 2024, bancoMoney(-Money::fromCents(500)),
            "-5,00 is not a valid value for field 'Valor'. The allowed range is 0,01 to 999.999.999,00.|VALOR"},
        {"valor zero", "X", 5, 2024, bancoMoney(Money()),
            "0,00 is not a valid value for field 'Valor'. The allowed range is 0,01 to 999.999.999,00.|VALOR"},
        {"um centavo", "X", 5, 2024, bancoMoney(Money::fromCents(1)), ""},
        {"ano fora", "X", 5, 1899, cem,
            "1899 is not a valid value for field 'Ano'. The allowed range is 1900 to 2100.|ANO"},
        {"depois da dispensa", "X", 2, 2025, cem, "Mês/Ano deve ser menor ou igual a data da Dispensa.|MES"},
        {"antes do pacto", "X", 1, 2022, cem, "Mês/Ano deve ser maior ou igual ao Inicio do Pacto.|MES"},
        {"mês da dispensa", "X", 1, 2025, cem, ""},
    };
    for (const Caso& k : casos) {
        Linha l(a.banco, "TAB_OUTROS_CREDITO",
            {{"DESCRICAO", k.descricao}, {"MES", k.mes}, {"ANO", k.ano}, {"VALOR", k.valor}});
        EXPECT_EQ(Recusa([&] { ValidaOutros(l.r, Inicio, Fim); }), QString::fromUtf8(k.recusa)) << k.nome;
    }
}

TEST(RegrasEditores, MonthsOfAYearOrPeriodMustBeMoreThanZeroWithNoUpperLimit)
{
    Ambiente a;
    const std::pair<QVariant, const char*> casos[] = {
        {0, "Número de Meses deve ser maior que zero.|NUMERO_MESES"},
        {-1, "Número de Meses deve ser maior que zero.|NUMERO_MESES"},
        {QVariant(), "Field 'Nro Meses' must have a value|NUMERO_MESES"}, {1, ""},
        {13, ""}, // a last year lengthened by the notice
    };
    for (const char* tabela : {"TAB_13_SALARIO", "TAB_FERIAS"})
        for (const auto& [meses, recusa] : casos) {
            Linha l(a.banco, tabela, {{"NUMERO_MESES", meses}});
            EXPECT_EQ(Recusa([&] { ValidaNumeroMeses(l.r); }), QString::fromUtf8(recusa))
                << tabela << ' ' << meses.toString().toStdString();
        }
}

TEST(RegrasEditores, AtLeastOneFineMustBeChosen)
{
    Ambiente a;
    for (const auto& [f467, f477, recusa] : {std::tuple{"N", "N", true}, std::tuple{"S", "N", false},
             std::tuple{"N", "S", false}, std::tuple{"", "", true}}) {
        Linha l(a.banco, "TAB_MULTAS", {{"IND_CALCULA_467", f467}, {"IND_CALCULA_477", f477}});
        EXPECT_EQ(Recusa([&] { ValidaMultas(l.r); }),
            recusa ? QStringLiteral("Escolha uma das multas ou saia pelo botão Cancelar.|") : QString())
            << f467 << f477;
    }
}

TEST(RegrasEditores, TheDescriptionListKeepsCreditsAndDebitsApartAndTrimsWhatIsAdded)
{
    Ambiente a;
    GaranteTabelasReferencia(a.banco, a.feedback);
    const QStringList creditos = DescricoesOutros(a.banco, u"C");
    const QStringList debitos = DescricoesOutros(a.banco, u"D");
    EXPECT_TRUE(creditos.contains(u"Diferenças de comissões"));
    EXPECT_TRUE(debitos.contains(u"Adiantamento salarial"));
    EXPECT_FALSE(debitos.contains(u"Diferenças de comissões"));
    QStringList ordenados = creditos;
    ordenados.sort();
    EXPECT_EQ(creditos, ordenados);

    EXPECT_EQ(AcrescentaDescricao(a.banco, u"D", QStringLiteral("  Multa por dano ao equipamento ")),
        u"Multa por dano ao equipamento");
    EXPECT_TRUE(DescricoesOutros(a.banco, u"D").contains(u"Multa por dano ao equipamento"));
    EXPECT_FALSE(DescricoesOutros(a.banco, u"C").contains(u"Multa por dano ao equipamento"));
    EXPECT_EQ(DescricoesOutros(a.banco, u"C"), creditos);

    EXPECT_THROW(AcrescentaDescricao(a.banco, u"C", QStringLiteral("   ")), Erro);
    EXPECT_EQ(Recusa([&] { ValidaTipoOutros(u"X"); }), u"Aplicação preparada apenas para Crédito ou Débito.|");
    EXPECT_EQ(Recusa([&] { AcrescentaDescricao(a.banco, u"X", QStringLiteral("Y")); }),
        u"Aplicação preparada apenas para Crédito ou Débito.|");
    EXPECT_EQ(DescricoesOutros(a.banco, u"C").size() + DescricoesOutros(a.banco, u"D").size(),
        creditos.size() + debitos.size() + 1);
}

TEST(RegrasEditores, TheActivitiesComeInTheOrderOfTheirNamesWithTheirRates)
{
    Ambiente a;
    GaranteTabelasReferencia(a.banco, a.feedback);
    for (const char* tabela : {"PrevEmpregador", "PrevSAT", "PrevTerceiro"}) {
        const QVector<AtividadePrev> atividades = AtividadesPrev(a.banco, QString::fromLatin1(tabela));
        ASSERT_GE(atividades.size(), 5) << tabela;
        for (int i = 1; i < atividades.size(); ++i)
            EXPECT_LE(atividades[i - 1].natureza, atividades[i].natureza) << tabela;
    }
    // Code 1 of the employer's table is a company in general: 20 %; of the risk table, light risk: 1 %.
    const auto taxa = [&](const char* tabela, int codigo) {
        for (const AtividadePrev& p : AtividadesPrev(a.banco, QString::fromLatin1(tabela)))
            if (p.codigo == codigo)
                return p.taxa;
        return -Money::fromCents(1);
    };
    EXPECT_EQ(taxa("PrevEmpregador", 1), Money::fromCents(2000));
    EXPECT_EQ(taxa("PrevSAT", 1), Money::fromCents(100));
    EXPECT_THROW(AtividadesPrev(a.banco, u"TAB_PROCESSO"), Erro);
}
