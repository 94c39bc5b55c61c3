#pragma once

#include "BancoDados.h"
#include "Feedback.h"

namespace quintar {

// A new program folder gets its reference and lookup tables from the data shipped with
// the program, through the same record-file import as an update. Does nothing when the
// tables are already filled.
void GaranteTabelasReferencia(BancoDados& banco, Feedback& feedback);

} // namespace quintar
