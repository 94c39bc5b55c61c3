#pragma once

#include "Money.h"

namespace quintar {

class Motor;

// Other credits and debits: free monthly amounts, each corrected by its month's factor.
class TdmOutros {
public:
    explicit TdmOutros(Motor& motor);

    Money CalculaCreditos(qint64 processoId);
    Money CalculaDebitos(qint64 processoId);

private:
    Money calcula(qint64 processoId, bool credito);
    Motor& m_;
};

} // namespace quintar
