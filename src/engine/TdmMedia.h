#pragma once

#include "Money.h"

#include <QDate>

namespace quintar {

class Motor;

// Which statement columns MediaPeriodo averages. Callers pass one group at a time.
struct Media {
    bool fixo = false;           // SALARIO_FIXO, every month
    bool diferenca = false;      // DIFERENCA_SALARIAL, every month
    bool variavel = false;       // SALARIO_VARIAVEL, every month
    bool horasHEDiurno = false;  // NUMERO_MEDIO_HE_DIURNO, hour count
    bool valorHEDiurno = false;  // SALARIO_HE_DIURNO, non-zero months
    bool horasHENoturno = false; // NUMERO_MEDIO_HE_NOTURNO, hour count
    bool valorHENoturno = false; // SALARIO_HE_NOTURNO, non-zero months
    bool horasHN = false;        // NUMERO_MEDIO_HN, hour count
    bool valorHN = false;        // SALARIO_HORA_NOTURNO, non-zero months
    bool insalubridade = false;  // INSALUBRIDADE, every month
    bool periculosidade = false; // PERICULOSIDADE, every month
    bool sexto = false;          // add the paid weekly rest: one sixth of the average
};

// Averages of the monthly statement over a period, the base of the reflexes.
class TdmMedia {
public:
    explicit TdmMedia(Motor& motor);

    // The monthly average of the chosen columns over the months of inicio..fim (only their
    // months count; missing months are built first). Hour counts are whole hours (ties to
    // even) averaged over every month; hour values are averaged over the months where they
    // are not zero; money columns over every month. Returned stored as Money.
    Money MediaPeriodo(qint64 processoId, QDate inicio, QDate fim, const Media& colunas);

private:
    Motor& m_;
};

} // namespace quintar
