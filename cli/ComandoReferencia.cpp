#include "Comandos.h"

namespace quintar::cli {

int ComandoImporta(Contexto& contexto)
{
    contexto.erros << "Comando ainda não disponível." << Qt::endl;
    return 1;
}

int ComandoPublica(Contexto& contexto)
{
    contexto.erros << "Comando ainda não disponível." << Qt::endl;
    return 1;
}

} // namespace quintar::cli
