#pragma once

class QCheckBox;

namespace quintar {

class CasoAberto;

// The reflex check boxes of an editor: each is enabled only when the case calculates its
// item (CALCULA_HORAS_EXTRAS, CALCULA_NOTURNO, CALCULA_INSALUBRIDADE, CALCULA_PERICULOSIDADE,
// CALCULA_RSR); a disabled box keeps the value it shows.
struct CaixasReflexo {
    QCheckBox* horasExtras;
    QCheckBox* noturno;
    QCheckBox* insalubridade;
    QCheckBox* periculosidade;
    QCheckBox* rsr;
};
void HabilitaReflexos(const CasoAberto& caso, const CaixasReflexo& caixas);

} // namespace quintar
