#include "Erro.h"
#include "Money.h"

#include <gtest/gtest.h>

#include <limits>

using quintar::Money;

TEST(Money, SumsAreExact)
{
    Money total;
    for (int i = 0; i < 10; ++i)
        total += Money::fromRaw(1000); // 0.1 ten times, which a double would not add up to 1
    EXPECT_EQ(total, Money::fromCents(100));
    EXPECT_EQ(Money::fromCents(150) - Money::fromCents(200), -Money::fromCents(50));
}

TEST(Money, StoredAsMoneyDecidesTiesOnTheDecimalValue)
{
    // Each expected value worked out by hand from the decimal operands; a tie (a 5 in the
    // fifth decimal and nothing after it) goes to the even neighbour.
    struct Caso {
        const char* conta;
        Money resultado;
        std::int64_t raw;
    };
    const Money a = Money::fromRaw(6192987); // 619,2987
    const Money b = Money::fromRaw(3894250); // 389,4250
    const Money c = Money::fromRaw(1281470); // 128,1470
    const Money d = Money::fromRaw(10375003); // 1037,5003
    const Caso casos[] = {
        // weekly rest: 619,2987 / 6 = 103,21645 → 103,2164
        {"619,2987 / 6", a.divHalfEven(6), 1032164},
        // RAT: 389,4250 × 3 / 100 = 11,68275 → 11,6828
        {"389,4250 × 3 %", b.percentHalfEven(Money::fromUnits(3)), 116828},
        // employer: 128,1470 × 15 / 100 = 19,22205 → 19,2220
        {"128,1470 × 15 %", c.percentHalfEven(Money::fromUnits(15)), 192220},
        // a quotient: 0,0003 / 2 = 0,00015 → 0,0002; 0,0005 / 2 = 0,00025 → 0,0002
        {"0,0003 / 2", Money::fromRaw(3).divHalfEven(2), 2},
        {"0,0005 / 2", Money::fromRaw(5).divHalfEven(2), 2},
        {"-0,0003 / 2", Money::fromRaw(-3).divHalfEven(2), -2},
        // twelfths: 1 000,0001 × 7 / 12 = 583,33339166… → 583,3334
        {"1 000,0001 × 7 / 12", Money::fromRaw(10000001).mulDivHalfEven(7, 12), 5833334},
        // a percentage of a DECIMAL rate: 100,0100 × 5,8 % = 5,800580 → 5,8006
        {"100,0100 × 5,8 %", Money::fromRaw(1000100).percentHalfEven(Money::fromRaw(58000)), 58006},
        // hours × hour value: 16,3333 × 15,0001 = 245,00113333 → 245,0011
        {"16,3333 × 15,0001", Money::fromRaw(163333).mulHalfEven(Money::fromRaw(150001)), 2450011},
        // with the correction index (a FLOAT): 1 037,5003 × 1,5 = 1 556,25045 → 1 556,2504,
        // and 0,0001 × 1,5 = 0,00015 → 0,0002, whatever side of the half the binary value falls
        {"1 037,5003 × 1,5", Money::fromRealHalfEven(d.toReal() * 1.5), 15562504},
        {"0,0001 × 1,5", Money::fromRealHalfEven(Money::fromRaw(1).toReal() * 1.5), 2},
        {"1 166,66666666", Money::fromRealHalfEven(1166.66666666L), 11666667},
        {"0,00005", Money::fromRealHalfEven(0.00005L), 0},
        {"0,00025", Money::fromRealHalfEven(0.00025L), 2},
        {"-0,00015", Money::fromRealHalfEven(-0.00015L), -2},
        // cents by Arredonda: halves away from zero
        {"2,675 to cents", Money::fromRealArredonda(2.675L), 26800},
        {"-2,675 to cents", Money::fromRealArredonda(-2.675L), -26700},
    };
    for (const Caso& k : casos)
        EXPECT_EQ(k.resultado.raw(), k.raw) << k.conta;
}

TEST(Money, AnAmountThatDoesNotFitIsAnError)
{
    const Money maior = Money::fromRaw(std::numeric_limits<std::int64_t>::max());
    const auto mensagem = [](const auto& conta) {
        try {
            conta();
        } catch (const quintar::Erro& e) {
            return e.mensagem();
        }
        return QString();
    };
    const QString esperada = QStringLiteral("Valor fora da faixa dos valores monetários.");
    EXPECT_EQ(mensagem([&] { return maior + Money::fromRaw(1); }), esperada);
    EXPECT_EQ(mensagem([&] { return -maior - Money::fromRaw(2); }), esperada);
    EXPECT_EQ(mensagem([&] { return maior.mulDivHalfEven(3, 2); }), esperada);
    EXPECT_EQ(mensagem([] { return Money::fromRealHalfEven(1e15L); }), esperada);
    EXPECT_EQ(
        mensagem([] { return Money::fromRealHalfEven(std::numeric_limits<long double>::quiet_NaN()); }), esperada);
    EXPECT_EQ(mensagem([] { return Money::fromCents(std::numeric_limits<std::int64_t>::max() / 10); }), esperada);
    EXPECT_EQ(mensagem([&] { return maior.divHalfEven(2); }), QString()); // halving fits
}

TEST(Money, TextForms)
{
    EXPECT_EQ(Money::fromCents(123456).toString(), QStringLiteral("1234,56"));
    EXPECT_EQ(Money().toString(), QStringLiteral("0"));
    EXPECT_EQ(Money::fromRaw(-833).toString(), QStringLiteral("-0,0833"));
    EXPECT_EQ(Money::fromRaw(2200000).toString(), QStringLiteral("220"));
    EXPECT_EQ(Money::fromCents(123456789).formatado(), QStringLiteral("1.234.567,89"));
    EXPECT_EQ(Money::fromRaw(-12345).formatado(), QStringLiteral("-1,23"));
    EXPECT_EQ(Money::fromRaw(5).formatado(), QStringLiteral("0,00"));
    EXPECT_EQ(Money::fromRaw(50).formatado(), QStringLiteral("0,01")); // half a centavo rounds away from zero
}

TEST(Money, Parse)
{
    struct Caso { const char* texto; bool ok; std::int64_t raw; };
    const Caso casos[] = {
        {"1234,56", true, 12345600},
        {"0", true, 0},
        {"-0,0833", true, -833},
        {"8,5", true, 85000},
        {"1E3", true, 10000000},
        {"0,00005", true, 0},
        {"0,00015", true, 2},
        {"0,000151", true, 2},
        {"1.234,56", false, 0},
        {"12,3,4", false, 0},
        {"abc", false, 0},
        {"", false, 0},
        {"1234.56", false, 0},
        {"0,000051", true, 1},
        {"0,0000051", true, 0},
        {"12,34567", true, 123457},
        {"+5", true, 50000},
        {"1e-4", true, 1},
        {"5e", false, 0},
        {"5e12345", false, 0},
        {"99999999999999,9999", true, 999999999999999999},
        {"999999999999999", false, 0},
    };
    for (const auto& c : casos) {
        bool ok = false;
        const Money m = Money::parse(QString::fromLatin1(c.texto), u',', &ok);
        EXPECT_EQ(ok, c.ok) << c.texto;
        if (c.ok) {
            EXPECT_EQ(m.raw(), c.raw) << c.texto;
        }
    }
}
