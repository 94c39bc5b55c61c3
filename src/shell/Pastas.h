#pragma once

#include <QString>

namespace quintar {

// The program folder: --pasta DIR, else the QUINTAR_PASTA environment variable, else the
// executable's own folder, or $XDG_DATA_HOME/Quintar (~/.local/share/Quintar) when that
// folder cannot be written (an installed program); always absolute and with a trailing '/'.
// It holds TabelasParadox/, Calculos/ and the small text files.
QString ResolvePastaPrograma(const QString& opcaoPasta);
void DefinePastaPrograma(const QString& pasta);
const QString& PastaPrograma();
// PastaPrograma() + "TabelasParadox/".
QString PastaTabelas();

// The folder of case files, with a trailing '/'.
const QString& DiretorioPadrao();
void DefineDiretorioPadrao(const QString& pasta);

// Makes sure DiretorioPadrao and its Backup/ exist, each created one level at a time;
// failures are ignored (later file operations report their own errors).
void GarantePastas();

// The text with a trailing '/' when it has none (an empty text stays empty).
QString ComBarra(const QString& pasta);

} // namespace quintar
