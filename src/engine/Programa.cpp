#include "Programa.h"

#include "DadosIniciais.h"
#include "Pastas.h"

#include <QDir>

namespace quintar {

Programa::Programa(const QString& opcaoPasta, Feedback& feedback, const QString& arquivoConfiguracao)
    : feedback_(feedback)
{
    DefinePastaPrograma(ResolvePastaPrograma(opcaoPasta));
    // A folder given with --pasta may not exist yet; everything else lives inside it.
    QDir().mkpath(PastaPrograma());
    configuracao_ = std::make_unique<Configuracao>(arquivoConfiguracao);
    IniciaConfiguracao(*configuracao_);
    GarantePastas();
    banco_.abre(PastaTabelas());
    GaranteTabelasReferencia(banco_, feedback_);
    banco_.ReiniciaTabelas(feedback_);
}

Programa::~Programa()
{
    configuracao_->grava();
}

} // namespace quintar
