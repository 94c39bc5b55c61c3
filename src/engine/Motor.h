#pragma once

#include "BancoDados.h"
#include "Feedback.h"

#include "Tdm13.h"
#include "TdmAviso.h"
#include "TdmComuns.h"
#include "TdmFGTS.h"
#include "TdmFerias.h"
#include "TdmHorasExtras.h"
#include "TdmINSS.h"
#include "TdmIR.h"
#include "TdmInsalubridade.h"
#include "TdmJuros.h"
#include "TdmMedia.h"
#include "TdmNoturno.h"
#include "TdmOutros.h"
#include "TdmPericulosidade.h"
#include "TdmRSR.h"
#include "TdmRapido.h"

namespace quintar {

// The sixteen calculator modules, created once in this order and living as long as the
// program. A module reaches the others (and the database) through the Motor it belongs to.
class Motor {
public:
    Motor(BancoDados& banco, Feedback& feedback);
    Motor(const Motor&) = delete;
    Motor& operator=(const Motor&) = delete;

    BancoDados& banco;
    Feedback& feedback;

    TdmRapido rapido;
    TdmHorasExtras horasExtras;
    TdmComuns comuns;
    TdmNoturno noturno;
    TdmInsalubridade insalubridade;
    TdmMedia media;
    TdmPericulosidade periculosidade;
    TdmINSS inss;
    TdmFGTS fgts;
    Tdm13 decimo;
    TdmRSR rsr;
    TdmJuros juros;
    TdmFerias ferias;
    TdmOutros outros;
    TdmAviso aviso;
    TdmIR ir;
};

} // namespace quintar
