#pragma once

#include "BancoDados.h"
#include "Configuracao.h"
#include "Feedback.h"

#include <QString>

#include <memory>

namespace quintar {

// The program as the front ends start it: the program folder, the settings, the folders
// of case files, the working database with its reference tables filled, and the working
// tables freshly reset.
class Programa {
public:
    // opcaoPasta: the --pasta option (may be empty). arquivoConfiguracao: a settings file of
    // its own instead of the user's store (tests). Throws Erro when the start cannot go on.
    Programa(const QString& opcaoPasta, Feedback& feedback, const QString& arquivoConfiguracao = {});
    // The settings are written back when the program ends.
    ~Programa();

    Configuracao& configuracao() { return *configuracao_; }
    BancoDados& banco() { return banco_; }
    Feedback& feedback() { return feedback_; }

private:
    Feedback& feedback_;
    std::unique_ptr<Configuracao> configuracao_;
    BancoDados banco_;
};

} // namespace quintar
