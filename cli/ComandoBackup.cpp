#include "Comandos.h"

namespace quintar::cli {

int ComandoBackup(Contexto& contexto)
{
    contexto.erros << "Comando ainda não disponível." << Qt::endl;
    return 1;
}

int ComandoRestaura(Contexto& contexto)
{
    contexto.erros << "Comando ainda não disponível." << Qt::endl;
    return 1;
}

} // namespace quintar::cli
