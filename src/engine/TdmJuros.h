#pragma once

#include "Money.h"

#include <QDate>

namespace quintar {

class Motor;
class CasoAberto;

// Late-payment interest on the chosen item totals, under the succession of legal regimes
// since 1900 (simple or compound, each with its monthly rate).
class TdmJuros {
public:
    explicit TdmJuros(Motor& motor);

    Money CalculaJuros(const CasoAberto& caso);
    Money ValorJuros(qint64 processoId);
    bool SemJuros(qint64 processoId);

    // Days from s to e, both counted, in commercial months of 30 days.
    static int DiasComerciais(QDate s, QDate e);
    // The accumulated rate (a fraction, to four decimals) from inicio to fim; "P" or "M" method.
    static Money TaxaAcumulada(QDate inicio, QDate fim, const QString& metodo);

private:
    Motor& m_;
};

} // namespace quintar
