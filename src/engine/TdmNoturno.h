#pragma once

#include "Money.h"

#include <QDate>
#include <QString>

namespace quintar {

class Motor;

struct FigurasNoturno {
    Money mediaHoras, valorHora;
};

// Night premium: only the increment is owed, month by month from the night-work lines.
class TdmNoturno {
public:
    explicit TdmNoturno(Motor& motor);

    Money CalculaNoturno(qint64 processoId);
    Money ValorApuradoNoturno(qint64 processoId);
    // Average monthly night premium of the period, uncorrected; 0 unless both flags are "S".
    Money ReflexoNoturno(const QString& calculaNoturno, const QString& sobreNoturno, qint64 processoId, QDate inicio,
                         QDate fim, bool sexto, FigurasNoturno* figuras = nullptr);

private:
    Motor& m_;
};

} // namespace quintar
