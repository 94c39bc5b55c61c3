#include "Comandos.h"

namespace quintar::cli {

int ComandoRelatorio(Contexto& contexto)
{
    contexto.erros << "Comando ainda não disponível." << Qt::endl;
    return 1;
}

} // namespace quintar::cli
