#pragma once

#include "Demonstrativo.h"
#include "Money.h"

#include <QDate>
#include <QString>

#include <functional>

namespace quintar {

class Motor;

// The share of a month that a hazard premium covers in the first and the last month of
// the contract, in a commercial month of 30 days: (days of month − start day) / 30 when the
// contract starts after the 1st; end day / 30 when it ends before the month's last day, or
// (end day − start day) / 30 when it also starts in that month after the 1st; else 1.
long double FatorMesAdicional(int ano, int mes, QDate inicioPacto, QDate fimPacto);

// Writes a hazard premium into the statement months of its period (every month built first):
// base × rate × the month factor, with the item's reflex-only marker. Returns the corrected
// total, 0 unless `reflexo` is "N".
Money LancaAdicional(Motor& motor, qint64 processoId, QDate primeiroMes, QDate ultimoMes, DM::Coluna coluna,
                     DM::Coluna marcador, const QString& reflexo, long double taxa,
                     const std::function<Money(const LinhaDemonstrativo&)>& base);

// Insalubrity premium: a percentage by degree of the minimum wage or of the fixed salary.
class TdmInsalubridade {
public:
    explicit TdmInsalubridade(Motor& motor);

    Money CalculaInsalubridade(qint64 processoId);
    Money ValorApuradoInsalubridade(qint64 processoId);
    // The rate of the case's degree (1 → 0.10, 2 → 0.20, 4 → 0.40, else 0); *salarioMinimo
    // tells whether the base is the minimum wage.
    long double DadosInsalubridade(qint64 processoId, bool* salarioMinimo);
    // One month of the premium for reflexes; 0 unless both flags are "S".
    Money ReflexoInsalubridade(const QString& calculaInsalubridade, const QString& sobreInsalubridade,
                               qint64 processoId, QDate referencia, bool sexto, int mes, int ano);

    static long double PercentualGrau(int grau);

private:
    Motor& m_;
};

} // namespace quintar
