#pragma once

#include "Money.h"

#include <QDate>

namespace quintar {

class Motor;
class CasoAberto;

// Vacation: per acquisition period, the vacation pay, its one-third bonus, or both,
// optionally doubled, corrected by the factor of the month in which the period ends.
class TdmFerias {
public:
    explicit TdmFerias(Motor& motor);

    // Creates the default acquisition periods when the case has none; the last one is
    // marked and lengthened by the notice projection when the notice reflects on vacation.
    void GeraPeriodosFerias(QDate fimPacto, QDate inicioPacto, qint64 processoId);
    Money CalculaFerias(const CasoAberto& caso);
    Money ValorDevidoFerias(qint64 processoId);

private:
    Motor& m_;
};

} // namespace quintar
