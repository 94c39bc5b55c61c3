#pragma once

#include <QString>
#include <QStringView>

#include <compare>
#include <cstdint>

namespace quintar {

// An amount of money held exactly as a 64-bit count of ten-thousandths.
//
// Sums and differences are exact. Anything computed in floating point comes back
// through fromReal(), which rounds to the nearest ten-thousandth with ties to the even
// neighbour ("stored as Money"). Rounding to cents with halves away from zero is a
// different rule and lives in Arredonda (Rotinas.h); call it explicitly where it applies.
class Money {
public:
    static constexpr std::int64_t Escala = 10000;

    constexpr Money() = default;

    static constexpr Money fromRaw(std::int64_t decimosMilesimos) { return Money(decimosMilesimos); }
    // Whole reais and centavos, exact: fromCents(123456) is 1234.56.
    static constexpr Money fromCents(std::int64_t centavos) { return Money(centavos * 100); }
    // Nearest ten-thousandth, ties to even. The value must fit (|x| < 9e14).
    static Money fromReal(long double valor);
    // Parses "1234,56", "-0,5", "1e3" with the given decimal separator and no thousands
    // separator. More than four decimals round to the nearest, ties to even.
    // Returns false in *ok (and 0) when the text is not such a number.
    static Money parse(QStringView texto, QChar separadorDecimal, bool* ok);

    constexpr std::int64_t raw() const { return valor_; }
    long double toReal() const { return static_cast<long double>(valor_) / Escala; }
    double toDouble() const { return static_cast<double>(toReal()); }
    constexpr bool isZero() const { return valor_ == 0; }

    // Shortest exact form: no thousands separator, no trailing zeros ("1234,56", "0", "-0,0833").
    QString toString(QChar separadorDecimal = u',') const;
    // Grouped with two decimals, halves away from zero: "1.234,56".
    QString formatado(QChar milhar = u'.', QChar decimal = u',') const;

    constexpr Money operator-() const { return Money(-valor_); }
    constexpr Money operator+(Money o) const { return Money(valor_ + o.valor_); }
    constexpr Money operator-(Money o) const { return Money(valor_ - o.valor_); }
    constexpr Money& operator+=(Money o) { valor_ += o.valor_; return *this; }
    constexpr Money& operator-=(Money o) { valor_ -= o.valor_; return *this; }
    constexpr auto operator<=>(const Money&) const = default;

private:
    constexpr explicit Money(std::int64_t v) : valor_(v) {}
    std::int64_t valor_ = 0;
};

} // namespace quintar
