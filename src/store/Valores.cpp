#include "Valores.h"

#include "Erro.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace quintar {

Money lerMoney(const QVariant& banco)
{
    return Money::fromRaw(banco.toLongLong());
}

QDate lerData(const QVariant& banco)
{
    return banco.isNull() ? QDate() : QDate::fromString(banco.toString(), Qt::ISODate);
}

QDateTime lerTimestamp(const QVariant& banco)
{
    return banco.isNull() ? QDateTime() : QDateTime::fromString(banco.toString(), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

QVariant bancoMoney(Money valor)
{
    return QVariant::fromValue<qlonglong>(valor.raw());
}

QVariant bancoDecimal(Money valor, int escala)
{
    // Round the ten-thousandths to the column's places, ties to even.
    qint64 passo = 1;
    for (int i = escala; i < 4; ++i)
        passo *= 10;
    qint64 v = valor.raw();
    if (passo > 1) {
        qint64 q = v / passo;
        qint64 r = v % passo;
        if (r < 0) {
            r += passo;
            --q;
        }
        if (2 * r > passo || (2 * r == passo && (q % 2) != 0))
            ++q;
        v = q * passo;
    }
    return QVariant::fromValue<qlonglong>(v);
}

QVariant bancoDecimal(long double valor, int escala)
{
    return bancoDecimal(Money::fromRealHalfEven(valor), escala);
}

QVariant bancoData(QDate data)
{
    return data.isValid() ? QVariant(data.toString(Qt::ISODate)) : QVariant(QMetaType(QMetaType::QString));
}

QVariant bancoTimestamp(const QDateTime& momento)
{
    return momento.isValid() ? QVariant(momento.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")))
                             : QVariant(QMetaType(QMetaType::QString));
}

namespace {

QString numeroGeral(double v)
{
    // General number form with up to 15 significant digits and a decimal comma.
    QString texto = QString::number(v, 'g', 15);
    texto.replace(u'.', u',');
    texto.replace(QStringLiteral("e+"), QStringLiteral("E"));
    texto.replace(u'e', u'E');
    return texto;
}

[[noreturn]] void falhaConversao(const Coluna& coluna, QStringView texto)
{
    throw Erro(QStringLiteral("\"%1\" não é um valor válido para o campo %2.").arg(texto.toString(), coluna.nome));
}

// d/m/yy or dd/mm/yyyy: one or two digits for the day and the month, two or four for the year.
QDate leDataTexto(QStringView texto, bool* ok)
{
    *ok = false;
    int partes[3] = {0, 0, 0};
    qsizetype tamanhos[3] = {0, 0, 0};
    int p = 0;
    for (const QChar c : texto) {
        if (c == u'/' && p < 2) {
            ++p;
        } else if (c.unicode() >= u'0' && c.unicode() <= u'9' && tamanhos[p] < 4) {
            partes[p] = partes[p] * 10 + (c.unicode() - u'0');
            ++tamanhos[p];
        } else {
            return {};
        }
    }
    if (p != 2 || tamanhos[0] < 1 || tamanhos[0] > 2 || tamanhos[1] < 1 || tamanhos[1] > 2
        || (tamanhos[2] != 2 && tamanhos[2] != 4))
        return {};
    int ano = partes[2];
    if (tamanhos[2] == 2)
        ano += ano < 50 ? 2000 : 1900;
    const QDate d(ano, partes[1], partes[0]);
    *ok = d.isValid();
    return d;
}

// A number written [-]digits[,digits][E[+-]digits], as the writer writes a FLOAT, read the
// quick way (correctly rounded, as QString::toDouble reads it); false for any other form.
bool numeroSimples(QStringView t, double* v)
{
    char ascii[64];
    const qsizetype n = t.size();
    if (n == 0 || n > qsizetype(sizeof ascii))
        return false;
    qsizetype i = 0;
    const auto digitos = [&] {
        const qsizetype de = i;
        while (i < n && t[i].unicode() >= u'0' && t[i].unicode() <= u'9')
            ++i;
        return i > de;
    };
    if (t[i] == u'-')
        ++i;
    if (!digitos())
        return false;
    if (i < n && t[i] == u',') {
        ++i;
        if (!digitos())
            return false;
    }
    if (i < n && (t[i] == u'E' || t[i] == u'e')) {
        ++i;
        if (i < n && (t[i] == u'+' || t[i] == u'-'))
            ++i;
        if (!digitos())
            return false;
    }
    if (i != n)
        return false;
    for (qsizetype k = 0; k < n; ++k)
        ascii[k] = t[k] == u',' ? '.' : char(t[k].unicode());
    const auto r = std::from_chars(ascii, ascii + n, *v);
    return r.ec == std::errc() && r.ptr == ascii + n;
}

} // namespace

QString TextoDoValor(const Coluna& coluna, const QVariant& banco)
{
    if (banco.isNull())
        return {};
    switch (coluna.tipo) {
    case TipoColuna::Decimal18:
    case TipoColuna::SmallInt:
    case TipoColuna::Integer:
        return QString::number(banco.toLongLong());
    case TipoColuna::Money:
    case TipoColuna::Decimal:
        return lerMoney(banco).toString(u',');
    case TipoColuna::Float:
        return numeroGeral(banco.toDouble());
    case TipoColuna::Date:
        return lerData(banco).toString(QStringLiteral("dd/MM/yyyy"));
    case TipoColuna::Timestamp: {
        const QDateTime m = lerTimestamp(banco);
        if (m.time() == QTime(0, 0))
            return m.date().toString(QStringLiteral("dd/MM/yyyy"));
        return m.toString(QStringLiteral("dd/MM/yyyy HH:mm:ss"));
    }
    case TipoColuna::Char:
    case TipoColuna::Varchar:
        return banco.toString();
    }
    return {};
}

ValorLido LeValorDoTexto(const Coluna& coluna, QStringView texto)
{
    ValorLido v;
    if (texto.isEmpty())
        return v;
    const auto inteiro = [&](qint64 x) {
        v.tipo = ValorLido::Tipo::Inteiro;
        v.inteiro = x;
        return v;
    };
    const auto proprio = [&](const QVariant& x) {
        v.tipo = ValorLido::Tipo::TextoProprio;
        v.textoProprio = x.toString();
        return v;
    };
    bool ok = false;
    switch (coluna.tipo) {
    case TipoColuna::Decimal18:
    case TipoColuna::SmallInt:
    case TipoColuna::Integer: {
        const QStringView t = texto.trimmed();
        const qlonglong x = t.toLongLong(&ok);
        const qlonglong limite = coluna.tipo == TipoColuna::SmallInt ? 32767
                                 : coluna.tipo == TipoColuna::Integer ? 2147483647LL
                                                                      : 999999999999999999LL;
        if (!ok || x > limite || x < -limite - 1)
            falhaConversao(coluna, texto);
        return inteiro(x);
    }
    case TipoColuna::Money:
    case TipoColuna::Decimal: {
        const Money m = Money::parse(texto, u',', &ok);
        if (!ok)
            falhaConversao(coluna, texto);
        return inteiro(coluna.tipo == TipoColuna::Money ? m.raw() : bancoDecimal(m, coluna.escala).toLongLong());
    }
    case TipoColuna::Float: {
        const QStringView t = texto.trimmed();
        if (t.contains(u'.'))
            falhaConversao(coluna, texto);
        double x = 0;
        if (!numeroSimples(t, &x)) {
            QString ponto = t.toString();
            ponto.replace(u',', u'.');
            x = ponto.toDouble(&ok);
            if (!ok)
                falhaConversao(coluna, texto);
        }
        if (!std::isfinite(x))
            falhaConversao(coluna, texto);
        v.tipo = ValorLido::Tipo::Real;
        v.real = x;
        return v;
    }
    case TipoColuna::Date: {
        const QDate d = leDataTexto(texto.trimmed(), &ok);
        if (!ok)
            falhaConversao(coluna, texto);
        return proprio(bancoData(d));
    }
    case TipoColuna::Timestamp: {
        const QStringView t = texto.trimmed();
        const qsizetype espaco = t.indexOf(u' ');
        const QDate d = leDataTexto(espaco < 0 ? t : t.left(espaco), &ok);
        if (!ok)
            falhaConversao(coluna, texto);
        QTime hora(0, 0);
        if (espaco >= 0) {
            const QString h = t.mid(espaco + 1).trimmed().toString();
            hora = QTime::fromString(h, QStringLiteral("H:mm:ss"));
            if (!hora.isValid())
                hora = QTime::fromString(h, QStringLiteral("H:mm"));
            if (!hora.isValid())
                falhaConversao(coluna, texto);
        }
        return proprio(bancoTimestamp(QDateTime(d, hora)));
    }
    case TipoColuna::Char:
    case TipoColuna::Varchar:
        v.tipo = ValorLido::Tipo::Texto;
        v.texto = texto;
        return v;
    }
    return v;
}

QVariant ValorDoTexto(const Coluna& coluna, QStringView texto)
{
    ValorLido v = LeValorDoTexto(coluna, texto);
    switch (v.tipo) {
    case ValorLido::Tipo::Nulo:
        return QVariant();
    case ValorLido::Tipo::Inteiro:
        return QVariant::fromValue<qlonglong>(v.inteiro);
    case ValorLido::Tipo::Real:
        return v.real;
    case ValorLido::Tipo::Texto:
        return v.texto.toString();
    case ValorLido::Tipo::TextoProprio:
        break;
    }
    return std::move(v.textoProprio);
}

} // namespace quintar
