#pragma once

#include <QDate>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

namespace quintar {

class BancoDados;
class Registros;

// What the case dialogs do with a case that is not about windows: the new case's defaults
// and checks, the small text files of the program folder, the search's file name and the
// renumbering of a case saved under another number.

// The name=value lines of a small text file of the program folder (NovoProcesso.txt,
// Pesquisa.txt), in file order; empty when the file does not exist.
using Parametros = QList<QPair<QString, QString>>;
Parametros LeParametros(const QString& arquivo);
QString Parametro(const Parametros& parametros, QStringView nome);
// Sets a line (replacing one of the same name, compared without regard to case).
void DefineParametro(Parametros& parametros, const QString& nome, const QString& valor);
// Writes the lines; a failure throws Erro.
void GravaParametros(const QString& arquivo, const Parametros& parametros);
// The program folder's files.
QString ArquivoNovoProcesso(); // NovoProcesso.txt
QString ArquivoPesquisa(); // Pesquisa.txt

// The new-case dialog's new TAB_PROCESSO row: "N" in every one-character column,
// UNIDADE_SALARIO_FIXO "V", the default update date, then NUMERO (only when the file has
// that line), ANO, VARA, REGIONAL and SEQUENCIAL from NovoProcesso.txt.
void NovoRegistroProcesso(Registros& processo, BancoDados& banco, QDate hoje);
// The new-case dialog's checks before its row is posted, in order: the mandatory fields
// ("Field '%s' must have a value" with the field's label), PROCESSO_ID = NUMERO, no case
// file of that identification in DiretorioPadrao, the contract dates against their indices,
// today and each other; then the check digit. A refusal throws Erro with the column that
// gets the focus.
void ValidaNovoProcesso(Registros& processo, BancoDados& banco, QDate hoje);
// After the new case was posted: NovoProcesso.txt holds just ANO, VARA, REGIONAL and SEQ.
void GravaNovoProcesso(const Registros& processo);

// The save-as dialog's mandatory fields, before its six columns are posted as typed.
void ValidaSalvarComo(const Registros& processo);
// Every row of the case, in every working table, moves from one PROCESSO_ID to another, in
// one unit of work; "Key violation." when the new number belongs to another case.
void RenumeraProcesso(BancoDados& banco, qint64 antigo, qint64 novo);

// The search dialog's file name: each of number, year, court unit, region and sequence,
// followed by ".", or "*." when blank; then "QNT.XML".
QString NomePesquisa(const QStringList& campos);
// The search dialog's "&Novo": the non-blank fields (number, year, court unit, region,
// sequence) replace their lines NUMERO, ANO, VARA, REGIONAL, SEQ of NovoProcesso.txt.
void MesclaNovoProcesso(const QStringList& campos);

} // namespace quintar
