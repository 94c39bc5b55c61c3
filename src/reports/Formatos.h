#pragma once

#include "Money.h"

#include <QString>
#include <QVariant>

#include <optional>

namespace quintar {

// The value formats of the printed reports, fixed to the Brazilian conventions whatever the
// system's locale: "." between thousands, "," before the decimals, dates "dd/mm/yyyy".
// A null value (SQL NULL) prints as an empty text.

// A Money column as stored (ten-thousandths): "1.234,56", two decimals, halves away from zero.
QString FormataValor(const QVariant& banco);
// The same without the thousands separator (pattern "0.00"): "1234,56".
QString FormataValorSemMilhar(const QVariant& banco);
QString FormataValor(Money valor);
QString FormataValorSemMilhar(Money valor);

// A DATE column: "05/03/2008".
QString FormataData(const QVariant& banco);
// A TIMESTAMP column: "05/03/2008 14:07".
QString FormataDataHora(const QVariant& banco);

// A floating-point number with a fixed count of decimals and no thousands separator:
// "1,234567890". Null prints blank.
QString FormataFixo(const QVariant& numero, int casas);
// A floating-point number with two decimals, grouped: "1.106,90". Null prints blank.
QString FormataAgrupado(const QVariant& numero, int casas = 2);

// The amount as printed with two decimals (halves away from zero, as FormataValor rounds).
// Sums of a printed column add these, so a column always foots to its printed total.
Money CentavosImpressos(Money valor);

// Reads a Money column; nullopt for NULL.
std::optional<Money> MoneyOpcional(const QVariant& banco);

} // namespace quintar
