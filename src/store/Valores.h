#pragma once

#include "Esquema.h"
#include "Money.h"

#include <QDate>
#include <QDateTime>
#include <QVariant>

namespace quintar {

// Values as the database holds them (see TipoColuna) and as the program uses them.
// A null QVariant is SQL NULL; readers of a NULL give 0, an empty text or a null date.
Money lerMoney(const QVariant& banco);
QDate lerData(const QVariant& banco);
QDateTime lerTimestamp(const QVariant& banco);
inline qint64 lerInteiro(const QVariant& banco) { return banco.toLongLong(); }

QVariant bancoMoney(Money valor);
// A Decimal(p,s) value, rounded to s places (nearest, ties to even).
QVariant bancoDecimal(Money valor, int escala);
QVariant bancoDecimal(long double valor, int escala);
QVariant bancoData(QDate data);
QVariant bancoTimestamp(const QDateTime& momento);

// The value text of the case file, with the fixed Brazilian conventions: decimal comma,
// no thousands separator, dd/mm/yyyy, and the timestamp without its time at exactly midnight.
QString TextoDoValor(const Coluna& coluna, const QVariant& banco);
// The reverse; an empty text is NULL. Throws Erro naming the column when the text does
// not convert.
QVariant ValorDoTexto(const Coluna& coluna, QStringView texto);

// ValorDoTexto without the QVariant, for the case-file reader: a number as the database
// stores it, a text as a view of the text read (Texto) or, for a date or a timestamp, the
// text stored (TextoProprio); NULL for an empty text.
struct ValorLido {
    enum class Tipo { Nulo, Inteiro, Real, Texto, TextoProprio };
    Tipo tipo = Tipo::Nulo;
    qint64 inteiro = 0;
    double real = 0;
    QStringView texto;
    QString textoProprio;
};
ValorLido LeValorDoTexto(const Coluna& coluna, QStringView texto);

} // namespace quintar
