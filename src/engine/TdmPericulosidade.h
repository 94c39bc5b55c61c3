#pragma once

#include "Money.h"

#include <QDate>
#include <QString>

namespace quintar {

class Motor;

// Periculosity premium: a percentage of the fixed salary over the item's period.
class TdmPericulosidade {
public:
    explicit TdmPericulosidade(Motor& motor);

    Money CalculaPericulosidade(qint64 processoId);
    Money ValorApuradoPericulosidade(qint64 processoId);
    // One month of the premium for reflexes; 0 unless both flags are "S".
    Money ReflexoPericulosidade(const QString& calculaPericulosidade, const QString& sobrePericulosidade,
                                qint64 processoId, QDate referencia, bool sexto);

private:
    Motor& m_;
};

} // namespace quintar
