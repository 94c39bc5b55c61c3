#include "Formatos.h"
#include "Valores.h"

#include <gtest/gtest.h>

using namespace quintar;

TEST(Formatos, AmountsGroupedOrPlainWithTwoDecimalsHalvesAwayFromZero)
{
    struct Caso {
        qint64 bruto; // ten-thousandths
        const char* agrupado;
        const char* semMilhar;
    } casos[] = {
        {12345000, "1.234,50", "1234,50"},
        {0, "0,00", "0,00"},
        {50, "0,01", "0,01"},
        {49, "0,00", "0,00"},
        {-49, "0,00", "0,00"},
        {-12345678910, "-1.234.567,89", "-1234567,89"},
        {9999999950, "1.000.000,00", "1000000,00"},
        {1000000, "100,00", "100,00"},
    };
    for (const Caso& c : casos) {
        const QVariant v = bancoMoney(Money::fromRaw(c.bruto));
        EXPECT_EQ(FormataValor(v), QString::fromUtf8(c.agrupado)) << c.bruto;
        EXPECT_EQ(FormataValorSemMilhar(v), QString::fromUtf8(c.semMilhar)) << c.bruto;
        // A printed column adds what it prints.
        EXPECT_EQ(FormataValor(CentavosImpressos(Money::fromRaw(c.bruto))), QString::fromUtf8(c.agrupado));
    }
    EXPECT_EQ(FormataValor(QVariant()), QString());
    EXPECT_EQ(FormataValorSemMilhar(QVariant()), QString());
}

TEST(Formatos, DatesNumbersAndEmptyValues)
{
    EXPECT_EQ(FormataData(bancoData(QDate(2008, 3, 5))), QStringLiteral("05/03/2008"));
    EXPECT_EQ(FormataDataHora(bancoTimestamp(QDateTime(QDate(2008, 3, 5), QTime(14, 7, 59)))),
        QStringLiteral("05/03/2008 14:07"));
    EXPECT_EQ(FormataData(QVariant()), QString());
    EXPECT_EQ(FormataDataHora(QVariant()), QString());

    struct Caso {
        double valor;
        int casas;
        const char* fixo;
        const char* agrupado;
    } casos[] = {
        {1.0114865812, 9, "1,011486581", "1,011486581"},
        {1.0114865812, 8, "1,01148658", "1,01148658"},
        {0.000123456789012, 12, "0,000123456789", "0,000123456789"},
        {1106.9, 2, "1106,90", "1.106,90"},
        {27.5, 2, "27,50", "27,50"},
        {-1234567.5, 2, "-1234567,50", "-1.234.567,50"},
        {-0.001, 2, "0,00", "0,00"},
    };
    for (const Caso& c : casos) {
        EXPECT_EQ(FormataFixo(c.valor, c.casas), QString::fromUtf8(c.fixo)) << c.valor;
        EXPECT_EQ(FormataAgrupado(c.valor, c.casas), QString::fromUtf8(c.agrupado)) << c.valor;
    }
    EXPECT_EQ(FormataFixo(QVariant(), 9), QString());
    EXPECT_EQ(FormataAgrupado(QVariant()), QString());
}
