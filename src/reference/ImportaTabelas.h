#pragma once

#include "BancoDados.h"
#include "Feedback.h"
#include "RegistrosDat.h"

#include <QString>

namespace quintar {

// Merges one record file of the folder (by default TabelasParadox/) into its table: a
// record whose key is present replaces every value column of that row, any other record
// adds a row; nothing is deleted. Status "Atualizando : " + the table's file name, then one
// progress step per record (maximum: the table's row count before the import + 1, + 31
// for Diario.db). The table's import is one unit of work.
//
// Throws Erro naming the file when it is missing or cannot be read, and when a record
// cannot go into its table (then nothing of the file is stored). A file that ends in a
// partial record stores every whole record before it and then throws the input/output error.
void ImportaArquivo(BancoDados& banco, Feedback& feedback, const LayoutDat& layout, const QString& pasta = {});

// The update's import: FaixasINSS.dat alone (apenasINSS), or else Diario.dat, Valores.dat
// and FaixasIR2.dat in that order.
void ImportaTabelas(BancoDados& banco, Feedback& feedback, bool apenasINSS, const QString& pasta = {});

// True when FAIXASINSS has the brackets of the month.
bool ExisteFaixaINSS(BancoDados& banco, int ano, int mes);

// "Tabelas atualizadas até " + month name + " de " + year + "." for the newest month of
// FAIXASINSS; empty when the table is empty.
QString TextoTabelasAtualizadas(BancoDados& banco);

// Writes the four record files of the current tables into the folder (each atomically),
// rows in key order. Returns the number of records of each file, in ArquivoDat order.
// Throws Erro when a file cannot be written.
QVector<int> GravaArquivosDat(BancoDados& banco, const QString& pasta);

// A download folder for the update server: the four record files and calcinfo.txt, whose
// first line is the version number given. Creates the folder when needed.
QVector<int> PublicaTabelas(BancoDados& banco, const QString& pasta, qint64 versao);

} // namespace quintar
