#include "Formatos.h"

#include "Valores.h"

#include <cmath>

namespace quintar {

namespace {

bool nulo(const QVariant& v)
{
    return v.isNull() || !v.isValid();
}

// "1234567.891" in C notation -> "1.234.567,891" (or without grouping).
QString numeroBrasileiro(QString texto, bool agrupa)
{
    QString sinal;
    if (texto.startsWith(u'-')) {
        sinal = QStringLiteral("-");
        texto.remove(0, 1);
    }
    const qsizetype ponto = texto.indexOf(u'.');
    QString inteiro = ponto < 0 ? texto : texto.left(ponto);
    const QString fracao = ponto < 0 ? QString() : texto.mid(ponto + 1);
    if (agrupa)
        for (qsizetype p = inteiro.size() - 3; p > 0; p -= 3)
            inteiro.insert(p, u'.');
    // No "-0,00": a value that rounds to zero prints without a sign.
    bool soZeros = true;
    for (const QChar c : texto)
        soZeros = soZeros && (c == u'0' || c == u'.');
    if (soZeros)
        sinal.clear();
    return sinal + inteiro + (fracao.isEmpty() ? QString() : u',' + fracao);
}

} // namespace

QString FormataValor(Money valor)
{
    return valor.formatado(u'.', u',');
}

QString FormataValorSemMilhar(Money valor)
{
    // The decimal separator is a comma, so every full stop is a thousands separator.
    return valor.formatado(u'.', u',').remove(u'.');
}

QString FormataValor(const QVariant& banco)
{
    return nulo(banco) ? QString() : FormataValor(lerMoney(banco));
}

QString FormataValorSemMilhar(const QVariant& banco)
{
    return nulo(banco) ? QString() : FormataValorSemMilhar(lerMoney(banco));
}

QString FormataData(const QVariant& banco)
{
    const QDate d = nulo(banco) ? QDate() : lerData(banco);
    return d.isValid() ? d.toString(QStringLiteral("dd/MM/yyyy")) : QString();
}

QString FormataDataHora(const QVariant& banco)
{
    const QDateTime m = nulo(banco) ? QDateTime() : lerTimestamp(banco);
    return m.isValid() ? m.toString(QStringLiteral("dd/MM/yyyy HH:mm")) : QString();
}

QString FormataFixo(const QVariant& numero, int casas)
{
    if (nulo(numero))
        return {};
    const double v = numero.toDouble();
    if (!std::isfinite(v))
        return {};
    return numeroBrasileiro(QString::number(v, 'f', casas), false);
}

QString FormataAgrupado(const QVariant& numero, int casas)
{
    if (nulo(numero))
        return {};
    const double v = numero.toDouble();
    if (!std::isfinite(v))
        return {};
    return numeroBrasileiro(QString::number(v, 'f', casas), true);
}

Money CentavosImpressos(Money valor)
{
    const std::int64_t r = valor.raw();
    const std::int64_t m = r < 0 ? -r : r;
    const std::int64_t centavos = m / 100 + ((m % 100) >= 50 ? 1 : 0);
    return Money::fromCents(r < 0 ? -centavos : centavos);
}

std::optional<Money> MoneyOpcional(const QVariant& banco)
{
    if (nulo(banco))
        return std::nullopt;
    return lerMoney(banco);
}

} // namespace quintar
