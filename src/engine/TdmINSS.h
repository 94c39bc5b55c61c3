#pragma once

#include "Money.h"

#include <QDate>

namespace quintar {

class Motor;

// Social security on the awarded amounts, month by month: the employee's contribution by the
// month's brackets (or 20 % for a self-employed contributor) and the employer's three shares.
class TdmINSS {
public:
    explicit TdmINSS(Motor& motor);

    struct Contribuicao {
        Money aliquota;    // the rate in %, four decimals (the effective rate for progressive months)
        Money valor;       // the contribution, in cents
        Money teto;        // the contribution at the ceiling
    };
    // The employee's contribution on a month's base. Until 02/2020 the whole base pays the rate
    // of its bracket; from 03/2020 each bracket's rate falls on the part of the base inside it.
    // Throws when the base is 0 or the month has no brackets.
    Contribuicao ContribuicaoMes(bool autonomo, Money base, QDate data);

    // Stores the four corrected totals in TAB_INSS and returns their sum.
    Money CalculaINSS(qint64 processoId);
    Money ValorINSS(qint64 processoId);

private:
    Motor& m_;
};

} // namespace quintar
