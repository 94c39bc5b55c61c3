#include "Comandos.h"

namespace quintar::cli {

int ComandoCalcula(Contexto& contexto)
{
    contexto.erros << "Comando ainda não disponível." << Qt::endl;
    return 1;
}

int ComandoResumo(Contexto& contexto)
{
    contexto.erros << "Comando ainda não disponível." << Qt::endl;
    return 1;
}

} // namespace quintar::cli
