#include "DadosIniciais.h"

namespace quintar {

void GaranteTabelasReferencia(BancoDados&, Feedback&)
{
}

} // namespace quintar
