#include "Money.h"

#include "Erro.h"
#include "Rotinas.h"

#include <QVarLengthArray>

#include <cmath>
#include <limits>

namespace quintar {

namespace {

using Inteiro = __int128;

constexpr Inteiro Maximo = std::numeric_limits<std::int64_t>::max();
constexpr Inteiro Minimo = std::numeric_limits<std::int64_t>::min();

// numerador / denominador to the nearest whole number, a tie to the even neighbour.
std::int64_t divideHalfEven(Inteiro numerador, Inteiro denominador)
{
    if (denominador < 0) {
        numerador = -numerador;
        denominador = -denominador;
    }
    Inteiro q = numerador / denominador;
    Inteiro r = numerador % denominador;
    if (r < 0) { // the floor, so that r is the distance above q
        r += denominador;
        --q;
    }
    if (2 * r > denominador || (2 * r == denominador && (q & 1) != 0))
        ++q;
    if (q > Maximo || q < Minimo)
        Money::foraDaFaixa();
    return static_cast<std::int64_t>(q);
}

} // namespace

void Money::foraDaFaixa()
{
    throw Erro(QStringLiteral("Valor fora da faixa dos valores monetários."));
}

Money Money::fromCents(std::int64_t centavos)
{
    std::int64_t r;
    if (__builtin_mul_overflow(centavos, std::int64_t(100), &r))
        foraDaFaixa();
    return Money(r);
}

Money Money::fromUnits(std::int64_t unidades)
{
    std::int64_t r;
    if (__builtin_mul_overflow(unidades, Escala, &r))
        foraDaFaixa();
    return Money(r);
}

Money Money::fromRealHalfEven(long double valor)
{
    const long double escalado = valor * Escala;
    // 2^63 exactly: anything from there on does not fit.
    if (!(std::fabs(escalado) < 9223372036854775808.0L))
        foraDaFaixa();
    // The whole part below it (the conversion cuts towards zero) and what is above it.
    auto n = static_cast<std::int64_t>(escalado);
    long double resto = escalado - static_cast<long double>(n);
    if (resto < 0) {
        resto += 1;
        --n;
    }
    // The operands of a floating result (a double index, a quotient) carry a relative error of
    // a few units in a double's last place; a value that close to a half is that half.
    const long double magnitude = std::fabs(escalado);
    const long double ruido = (magnitude > 1 ? magnitude : 1.0L) * 0x1p-48L;
    if (std::fabs(resto - 0.5L) <= ruido) {
        if (n % 2 != 0)
            ++n;
    } else if (resto > 0.5L) {
        ++n;
    }
    return Money(n);
}

Money Money::fromRealArredonda(long double valor)
{
    return fromRealHalfEven(Arredonda(2, valor));
}

Money Money::divHalfEven(std::int64_t divisor) const
{
    return Money(divideHalfEven(valor_, divisor));
}

Money Money::mulDivHalfEven(std::int64_t numerador, std::int64_t denominador) const
{
    return Money(divideHalfEven(Inteiro(valor_) * numerador, denominador));
}

Money Money::percentHalfEven(Money taxa) const
{
    return Money(divideHalfEven(Inteiro(valor_) * taxa.valor_, Inteiro(100) * Escala));
}

Money Money::mulHalfEven(Money fator) const
{
    return Money(divideHalfEven(Inteiro(valor_) * fator.valor_, Escala));
}

Money Money::parse(QStringView texto, QChar separadorDecimal, bool* ok)
{
    *ok = false;
    texto = texto.trimmed();
    const qsizetype n = texto.size();
    const auto digito = [&](qsizetype k) { return k < n && texto[k].unicode() >= u'0' && texto[k].unicode() <= u'9'; };
    qsizetype i = 0;
    bool negativo = false;
    if (i < n && (texto[i] == u'-' || texto[i] == u'+')) {
        negativo = texto[i] == u'-';
        ++i;
    }
    // The digits of the mantissa (held on the stack for any usual text) and how many of them
    // follow the decimal separator.
    QVarLengthArray<char, 48> digitos;
    qsizetype casas = 0;
    bool temSeparador = false;
    for (; i < n; ++i) {
        if (digito(i)) {
            digitos.append(char(texto[i].unicode()));
            if (temSeparador)
                ++casas;
        } else if (texto[i] == separadorDecimal && !temSeparador) {
            temSeparador = true;
        } else {
            break;
        }
    }
    if (digitos.isEmpty())
        return {};
    int expoente = 0;
    if (i < n && (texto[i] == u'e' || texto[i] == u'E')) {
        ++i;
        bool expNegativo = false;
        if (i < n && (texto[i] == u'-' || texto[i] == u'+')) {
            expNegativo = texto[i] == u'-';
            ++i;
        }
        const qsizetype inicio = i;
        for (; digito(i); ++i)
            expoente = expoente * 10 + (texto[i].unicode() - u'0');
        if (i == inicio || i - inicio > 4)
            return {};
        if (expNegativo)
            expoente = -expoente;
    }
    if (i != n)
        return {};

    // value = digitos × 10^(expoente − casas); scale to ten-thousandths. Leading zeros are
    // left out so that the integer part fits.
    const qsizetype deslocamento = expoente - casas + 4;
    qsizetype primeiro = 0;
    while (primeiro < digitos.size() - 1 && digitos[primeiro] == '0')
        ++primeiro;
    const qsizetype tamanho = digitos.size() - primeiro;
    const auto valorDe = [&](qsizetype de, qsizetype ate) {
        std::int64_t v = 0;
        for (qsizetype k = de; k < ate; ++k)
            v = v * 10 + (digitos[k] - '0');
        return v;
    };
    if (deslocamento >= 0) {
        if (tamanho + deslocamento > 18)
            return {};
        std::int64_t v = valorDe(primeiro, digitos.size());
        for (qsizetype k = 0; k < deslocamento; ++k)
            v *= 10;
        *ok = true;
        return Money(negativo ? -v : v);
    }
    // More decimals than a ten-thousandth: round half to even on the digits dropped. With
    // corte < 0 even the first digit dropped is a zero in front of them, and the value is 0.
    const qsizetype corte = tamanho + deslocamento; // digits kept
    if (corte > 18)
        return {};
    *ok = true;
    if (corte < 0)
        return {};
    std::int64_t v = valorDe(primeiro, primeiro + corte);
    const char primeiroDescartado = digitos[primeiro + corte];
    bool restoNaoNulo = false;
    for (qsizetype k = primeiro + corte + 1; k < digitos.size(); ++k)
        restoNaoNulo = restoNaoNulo || digitos[k] != '0';
    if (primeiroDescartado > '5' || (primeiroDescartado == '5' && (restoNaoNulo || (v % 2) == 1)))
        ++v;
    return Money(negativo ? -v : v);
}

QString Money::toString(QChar separadorDecimal) const
{
    const bool negativo = valor_ < 0;
    // Work on the magnitude as unsigned to survive the most negative value.
    const std::uint64_t m = negativo ? std::uint64_t(0) - std::uint64_t(valor_) : std::uint64_t(valor_);
    QString texto = QString::number(m / Escala);
    std::uint64_t fracao = m % Escala;
    if (fracao != 0) {
        QString casas = QString::number(fracao).rightJustified(4, u'0');
        while (casas.endsWith(u'0'))
            casas.chop(1);
        texto += separadorDecimal + casas;
    }
    return negativo ? u'-' + texto : texto;
}

QString Money::formatado(QChar milhar, QChar decimal) const
{
    const bool negativo = valor_ < 0;
    std::uint64_t m = negativo ? std::uint64_t(0) - std::uint64_t(valor_) : std::uint64_t(valor_);
    // Two decimals, halves away from zero.
    std::uint64_t centavos = m / 100 + ((m % 100) >= 50 ? 1 : 0);
    QString inteiro = QString::number(centavos / 100);
    for (qsizetype p = inteiro.size() - 3; p > 0; p -= 3)
        inteiro.insert(p, milhar);
    const QString texto = inteiro + decimal + QString::number(centavos % 100).rightJustified(2, u'0');
    return negativo && centavos != 0 ? u'-' + texto : texto;
}

} // namespace quintar
