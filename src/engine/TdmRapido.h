#pragma once

#include "Money.h"

#include <QDate>

namespace quintar {

class Motor;
class CasoAberto;

// The salary item, the calculation run and the fines of arts. 467 and 477.
class TdmRapido {
public:
    explicit TdmRapido(Motor& motor);

    // Creates the case's TAB_SALARIO month rows when it has none: every month of the
    // contract in commercial days, only the dismissal month claimed.
    void GeraMesesSalario(qint64 processoId, QDate inicio, QDate fim);
    // Rebuilds TAB_VARIACAO_SALARIAL flat from the case's reference salary unless it still
    // spans the contract months and its last month holds the case's fixed salary.
    void GeraVariacaoSalarial(const CasoAberto& caso);
    // The claimed months: base × days / 30, corrected; returns the total of the claimed months.
    Money CalculaSalario(qint64 processoId);
    // VALOR_DEVIDO of all the case's months, claimed or not.
    Money ValorDevidoSalario(qint64 processoId);

    // The run: the sixteen calculators in their fixed order, then the totals and the net
    // amount into the case row, which is posted.
    void ExecutaCalculo(CasoAberto& caso);

    Money CalculaMultas(const CasoAberto& caso);
    Money ValorApuradoMultas(qint64 processoId);

private:
    Motor& m_;
};

// The reflex period: the twelve months ending with the month of the dismissal, from the
// first day of the month eleven months before it, but not before the contract start.
QDate InicioPeriodoReflexo(QDate inicioPacto, QDate fimPacto);

} // namespace quintar
