#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace quintar {

// Text files of the program are Windows-1252 with CR LF line ends.
QString DecodificaAnsi(const QByteArray& bytes);
QByteArray CodificaAnsi(const QString& texto);

// UTF-8 when the bytes are valid UTF-8, else Windows-1252.
QString DecodificaUtf8OuAnsi(const QByteArray& bytes);

// Lines of a text file (CR LF, CR or LF); an empty list when the file does not exist.
QStringList LeLinhasAnsi(const QString& caminho);
// Writes bytes atomically: a temporary file beside the target, then a rename, so a failed
// write leaves the previous file untouched. Throws Erro with the system's reason.
void GravaAtomico(const QString& caminho, const QByteArray& bytes);
// Each line followed by CR LF, encoded as Windows-1252, written atomically.
void GravaLinhasAnsi(const QString& caminho, const QStringList& linhas);

// Splits a text on CR LF, CR or LF; a final line break does not make an empty last line.
QStringList SeparaLinhas(const QString& texto);

} // namespace quintar
