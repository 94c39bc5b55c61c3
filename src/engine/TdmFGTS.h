#pragma once

#include "Money.h"

#include <QDate>

namespace quintar {

class Motor;

// FGTS deposits month by month, on the awarded items and on the monthly salary of the
// period, with the termination fine.
class TdmFGTS {
public:
    explicit TdmFGTS(Motor& motor);

    Money CalculaFGTS(QDate fimPacto, QDate inicioPacto, qint64 processoId);
    Money ValorApuradoFGTS(qint64 processoId);

private:
    Motor& m_;
};

} // namespace quintar
