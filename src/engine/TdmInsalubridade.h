#pragma once

#include "Demonstrativo.h"
#include "Money.h"

#include <QDate>
#include <QString>

#include <functional>

namespace quintar {

class Motor;

// The days of a commercial month of 30 that a hazard premium covers in a month of the
// contract (the month factor is these days / 30): days of month − start day when the contract
// starts after the 1st; the end day when it ends before the month's last day, or end day −
// start day when it also starts in that month after the 1st; else 30.
int DiasMesAdicional(int ano, int mes, QDate inicioPacto, QDate fimPacto);

// Writes a hazard premium into the statement months of its period (every month built first):
// base × percentual / 100 × the month factor, exact and stored as Money (HalfEven), with the
// item's reflex-only marker. Returns the corrected total, 0 unless `reflexo` is "N".
Money LancaAdicional(Motor& motor, qint64 processoId, QDate primeiroMes, QDate ultimoMes, DM::Coluna coluna,
    DM::Coluna marcador, const QString& reflexo, Money percentual,
    const std::function<Money(const LinhaDemonstrativo&)>& base);

// Insalubrity premium: a percentage by degree of the minimum wage or of the fixed salary.
class TdmInsalubridade {
public:
    explicit TdmInsalubridade(Motor& motor);

    Money CalculaInsalubridade(qint64 processoId);
    Money ValorApuradoInsalubridade(qint64 processoId);
    // The percentage of the case's degree (PercentualGrau); *salarioMinimo tells whether the
    // base is the minimum wage.
    Money DadosInsalubridade(qint64 processoId, bool* salarioMinimo);
    // One month of the premium for reflexes; 0 unless both flags are "S".
    Money ReflexoInsalubridade(const QString& calculaInsalubridade, const QString& sobreInsalubridade,
                               qint64 processoId, QDate referencia, bool sexto, int mes, int ano);

    // The premium's percentage by degree: 1 → 10, 2 → 20, 4 → 40, any other code → 0.
    static Money PercentualGrau(int grau);

private:
    Motor& m_;
};

} // namespace quintar
