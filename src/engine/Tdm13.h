#pragma once

#include "Money.h"

namespace quintar {

class Motor;
class CasoAberto;

// 13th salary: one row per calendar year of the contract, as many twelfths of one month's
// remuneration as the year has counted months, corrected by the factor of its reference month.
class Tdm13 {
public:
    explicit Tdm13(Motor& motor);

    // Creates the default year rows when the case has none (contract dates from the common
    // services; the notice projection added to the last year when it reflects on the 13th).
    void GeraAnos13Salario(qint64 processoId);
    Money Calcula13Salario(const CasoAberto& caso);
    Money ValorDevido13Salario(qint64 processoId);

private:
    Motor& m_;
};

// Months projected by a notice of that many days: days / 30 to the nearest, halves to even.
int MesesProjetados(int dias);

} // namespace quintar
