#include "Money.h"

#include <gtest/gtest.h>

using quintar::Money;

TEST(Money, SumsAreExact)
{
    Money total;
    for (int i = 0; i < 10; ++i)
        total += Money::fromRaw(1000); // 0.1 ten times, which a double would not add up to 1
    EXPECT_EQ(total, Money::fromCents(100));
    EXPECT_EQ(Money::fromCents(150) - Money::fromCents(200), -Money::fromCents(50));
}

TEST(Money, StoredAsMoneyRoundsToNearestTenThousandthTiesToEven)
{
    struct Caso { long double valor; std::int64_t raw; };
    const Caso casos[] = {
        {1166.66666666L, 11666667},
        {0.00005L, 0},    // a tie goes to the even neighbour: 0.0000
        {0.00015L, 2},    // 0.0002
        {0.00025L, 2},    // 0.0002
        {-0.00015L, -2},
        {1600.0L, 16000000},
        {12.22222222L, 122222},
    };
    for (const auto& c : casos)
        EXPECT_EQ(Money::fromReal(c.valor).raw(), c.raw) << static_cast<double>(c.valor);
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
        {"1234,56", true, 12345600}, {"0", true, 0},         {"-0,0833", true, -833},
        {"8,5", true, 85000},        {"1E3", true, 10000000}, {"0,00005", true, 0},
        {"0,00015", true, 2},        {"0,000151", true, 2},   {"1.234,56", false, 0},
        {"12,3,4", false, 0},        {"abc", false, 0},       {"", false, 0},
        {"1234.56", false, 0},
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
