#pragma once

#include "Money.h"

#include <QDate>

namespace quintar {

class Motor;
class CasoAberto;

// Income tax withheld from the plaintiff: on the ordinary items less the employee's social
// security, and apart on the 13th salary and on interest, each by the monthly table of the
// month the contract ended.
class TdmIR {
public:
    explicit TdmIR(Motor& motor);

    struct Imposto {
        Money aliquota; // %
        Money deducao;
        Money valor;
    };
    // The tax of one amount by the table of the date's month (all 0 for an amount ≤ 0).
    // Throws "Não Existe Alíquota de IR para a data " + date + "." when the month has no table.
    Imposto ImpostoFaixa(Money valor, QDate data);
    Money CalculaIR(const CasoAberto& caso);

private:
    Motor& m_;
};

} // namespace quintar
