#pragma once

#include <QString>
#include <QStringView>

#include <compare>
#include <cstdint>

namespace quintar {

// An amount of money held exactly as a 64-bit count of ten-thousandths.
//
// Sums and differences are exact. Every other way to a new amount names its rounding:
//
//  - HalfEven: the nearest ten-thousandth, a tie going to the even neighbour ("stored as
//    Money"). divHalfEven, mulDivHalfEven, percentHalfEven and mulHalfEven work on the
//    exact decimal values in integers, so a tie is a tie of the decimal value.
//    fromRealHalfEven takes a floating result (one with a FLOAT operand such as INDICE_CM,
//    or a quotient that is not a decimal): a value within floating-point noise of a half
//    ten-thousandth counts as that half.
//  - Arredonda: cents by Arredonda(2, ·) (Rotinas.h), halves away from zero after adding 1e-11.
//
// An amount that does not fit (about ±922 trillion) is never wrapped: the operation
// throws Erro with "Valor fora da faixa dos valores monetários.".
class Money {
public:
    static constexpr std::int64_t Escala = 10000;

    constexpr Money() = default;

    static constexpr Money fromRaw(std::int64_t decimosMilesimos) { return Money(decimosMilesimos); }
    // Whole reais and centavos, exact: fromCents(123456) is 1234.56.
    static Money fromCents(std::int64_t centavos);
    // A whole number of units (reais, hours), exact.
    static Money fromUnits(std::int64_t unidades);

    // A floating value, nearest ten-thousandth, ties (within noise) to even.
    static Money fromRealHalfEven(long double valor);
    // A floating value to cents the way Arredonda(2, ·) rounds it.
    static Money fromRealArredonda(long double valor);

    // Parses "1234,56", "-0,5", "1e3" with the given decimal separator and no thousands
    // separator. More than four decimals round to the nearest, ties to even.
    // Returns false in *ok (and 0) when the text is not such a number or does not fit.
    static Money parse(QStringView texto, QChar separadorDecimal, bool* ok);

    // this / divisor (divisor ≠ 0), exact, HalfEven.
    Money divHalfEven(std::int64_t divisor) const;
    // this × numerador / denominador (denominador ≠ 0), exact, HalfEven.
    Money mulDivHalfEven(std::int64_t numerador, std::int64_t denominador) const;
    // this × taxa / 100 for a percentage held to four decimals (a DECIMAL column), exact, HalfEven.
    Money percentHalfEven(Money taxa) const;
    // this × fator for a factor held to four decimals (hours, an average, a rate), exact, HalfEven.
    Money mulHalfEven(Money fator) const;

    constexpr std::int64_t raw() const { return valor_; }
    long double toReal() const { return static_cast<long double>(valor_) / Escala; }
    double toDouble() const { return static_cast<double>(toReal()); }
    constexpr bool isZero() const { return valor_ == 0; }

    // Shortest exact form: no thousands separator, no trailing zeros ("1234,56", "0", "-0,0833").
    QString toString(QChar separadorDecimal = u',') const;
    // Grouped with two decimals, halves away from zero: "1.234,56".
    QString formatado(QChar milhar = u'.', QChar decimal = u',') const;

    Money operator-() const { return Money(0) - *this; }
    Money operator+(Money o) const
    {
        std::int64_t r;
        if (__builtin_add_overflow(valor_, o.valor_, &r))
            foraDaFaixa();
        return Money(r);
    }
    Money operator-(Money o) const
    {
        std::int64_t r;
        if (__builtin_sub_overflow(valor_, o.valor_, &r))
            foraDaFaixa();
        return Money(r);
    }
    Money& operator+=(Money o) { return *this = *this + o; }
    Money& operator-=(Money o) { return *this = *this - o; }
    constexpr auto operator<=>(const Money&) const = default;

    // Throws the out-of-range Erro.
    [[noreturn]] static void foraDaFaixa();

private:
    constexpr explicit Money(std::int64_t v) : valor_(v) {}
    std::int64_t valor_ = 0;
};

} // namespace quintar
