#pragma once

#include "Money.h"

#include <QDate>
#include <QString>

namespace quintar {

class Motor;

// The figures a reflex hands back to the notice period (0 when not computed).
struct FigurasHorasExtras {
    Money mediaDiurnas, valorDiurna, mediaNoturnas, valorNoturna;
};

// Overtime: the item, month by month from the case's overtime lines, and its reflex.
class TdmHorasExtras {
public:
    explicit TdmHorasExtras(Motor& motor);

    Money CalculaHorasExtras(qint64 processoId);
    Money ValorApuradoHorasExtras(qint64 processoId);
    // Average monthly overtime remuneration of the period, uncorrected; 0 unless both the
    // case flag and the item's reflex flag are "S". sexto adds the paid weekly rest to the
    // hour averages. The averages found go to *figuras when given.
    Money ReflexoHorasExtras(const QString& calculaHorasExtras, const QString& sobreHoraExtra, qint64 processoId,
                             QDate inicio, QDate fim, bool sexto, FigurasHorasExtras* figuras = nullptr);

private:
    Motor& m_;
};

} // namespace quintar
