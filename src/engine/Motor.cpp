#include "Motor.h"

namespace quintar {

Motor::Motor(BancoDados& b, Feedback& f)
    : banco(b), feedback(f), rapido(*this), horasExtras(*this), comuns(*this), noturno(*this), insalubridade(*this),
      media(*this), periculosidade(*this), inss(*this), fgts(*this), decimo(*this), rsr(*this), juros(*this),
      ferias(*this), outros(*this), aviso(*this), ir(*this)
{
}

} // namespace quintar
