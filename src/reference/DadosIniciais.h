#pragma once

#include "BancoDados.h"
#include "Feedback.h"
#include "RegistrosDat.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

namespace quintar {

// A new program folder gets its reference and lookup tables from the data shipped with
// the program, through the same record-file import as an update: each empty reference
// table gets its record file written into TabelasParadox/ (as a download leaves it) and
// merged; each empty lookup table is filled from its data file. Does nothing when the
// tables are already filled. Throws Erro when a file cannot be written or imported.
void GaranteTabelasReferencia(BancoDados& banco, Feedback& feedback);

// The shipped tables as the four record files, written into the folder.
void GravaArquivosIniciais(const QString& pasta);

// The record file of the shipped data (FaixasINSS, Valores and FaixasIR2 from their CSV
// files, Diario from the IPCA-E series).
QByteArray ArquivoInicial(ArquivoDat arquivo);

// The daily correction index (code 1) from a monthly series of % variations: 1.0 on the
// first day of the month `inicio`; month m's variation v carries the index from day 1 of m
// to day 1 of m + 1, spread pro rata die (index of day d = index of day 1 × (1 + v/100)^
// ((d − 1) / days of m)); one record for every day up to the last day of the series'
// last month. Months before `inicio` are ignored; a gap in the series throws Erro.
struct VariacaoMensal {
    int ano;
    int mes;
    double variacao;
};
QVector<RegistroDat> IndiceDiario(const QVector<VariacaoMensal>& serie, QDate inicio);

// A small CSV reader for the shipped files: a header line, comma-separated fields,
// double quotes around a field that holds a comma. Throws Erro on a malformed line.
QList<QStringList> LeCsv(const QByteArray& bytes);

// The bytes of a shipped data file ("valores.csv", "prev_sat.csv", ...). Throws Erro
// when the program was built without it.
QByteArray DadoEmbutido(const QString& nome);

} // namespace quintar
