#include "HabilitaReflexos.h"

#include "CasoAberto.h"

#include <QCheckBox>

namespace quintar {

void HabilitaReflexos(const CasoAberto& caso, const CaixasReflexo& caixas)
{
    const std::pair<QCheckBox*, const char*> itens[] = {
        {caixas.horasExtras, "CALCULA_HORAS_EXTRAS"},
        {caixas.noturno, "CALCULA_NOTURNO"},
        {caixas.insalubridade, "CALCULA_INSALUBRIDADE"},
        {caixas.periculosidade, "CALCULA_PERICULOSIDADE"},
        {caixas.rsr, "CALCULA_RSR"},
    };
    for (const auto& [caixa, flag] : itens)
        caixa->setEnabled(caso.marcado(QString::fromLatin1(flag)));
}

} // namespace quintar
