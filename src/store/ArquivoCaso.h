#pragma once

#include "Feedback.h"

#include <QString>
#include <QStringList>
#include <QStringView>

namespace quintar {

class BancoDados;
struct Tabela;

// The case file: a tag-structured text dump of every working-table row of one case,
// Windows-1252, CR LF, no declaration, no escaping.

// "00123.2008.001.05.00.QNT.XML" from the identification fields (the check digit is not part of it).
QString NomeArquivo(int numero, int ano, int vara, int regional, int sequencial);
// NomeArquivo of the case's TAB_PROCESSO row.
QString NomeArquivo(BancoDados& banco, qint64 processoId);
// The file chosen last in the save dialog, else DiretorioPadrao + NomeArquivo.
QString CaminhoArquivo(const QString& arquivoEscolhido, BancoDados& banco, qint64 processoId);

bool TabelaPrevista(QStringView nomeMaiusculo);

// Appends the element lines of one table's rows of the case, encoded as they are written.
void ExportaTabela(BancoDados& banco, const Tabela& tabela, QByteArray& saida, qint64 processoId);
// The whole file as it is written, already encoded.
QByteArray ConteudoArquivo(BancoDados& banco, qint64 processoId);
// Writes the case file atomically (a failed write leaves the previous file as it was and
// throws Erro with the system's reason), then records the path in the recent-files list; a
// list that cannot be written is reported in feedback.status (the case file is written).
void GravaArquivo(BancoDados& banco, const QString& caminho, qint64 processoId, Feedback& feedback);

// Reads a case file into freshly reset working tables, in one transaction: a failure
// leaves the working tables as they were and throws Erro with the program's message.
// A column the table does not have drops its row after an informa() message.
void LeArquivo(BancoDados& banco, const QString& caminho, Feedback& feedback);
// Appends one row of a table from the content of its element.
void ImportaRegistro(BancoDados& banco, const Tabela& tabela, QStringView conteudo, Feedback& feedback);

// The recent-files list, UltimosArquivos.txt in the program folder: full paths, oldest first,
// at most 9. It is written in UTF-8, since a path may hold any character; a list that is not
// valid UTF-8 is read as Windows-1252.
QStringList LeRecentes();
// Writes the list; throws Erro with the system's reason.
void GravaRecentes(const QStringList& lista);
// Moves the path to the end of the list, or appends it and drops the oldest beyond 9. Paths
// are compared exactly: on this system they are case-sensitive. False when the list cannot
// be written, with the reason (Erro's text of GravaRecentes) in *motivo; the caller reports it.
bool RegistraRecente(const QString& caminho, QString* motivo = nullptr);

} // namespace quintar
