#pragma once

#include "Paginas.h"

#include <QSqlRecord>
#include <QVector>

namespace quintar {

// The printed lists of the reference-table viewers: one line per row given (in the order
// given, as the viewer's grid shows them), the column headings under a rule in the header
// of every page, values right-aligned. Columns are read by name, without regard to case.

// "Índices Diários", A4 portrait: rows with Data and Indice of DIARIO.
QVector<Pagina> RelatorioIndices(const QVector<QSqlRecord>& linhas);
// "Faixas de INSS", A4 landscape: rows of FAIXASINSS.
QVector<Pagina> RelatorioFaixasInss(const QVector<QSqlRecord>& linhas);
// "Faixas de IR", A4 landscape: rows of FAIXASIR.
QVector<Pagina> RelatorioFaixasIr(const QVector<QSqlRecord>& linhas);
// "Valores Mensais", A4 portrait: rows with MES, ANO and SALMIN of VALORES.
QVector<Pagina> RelatorioValores(const QVector<QSqlRecord>& linhas);

} // namespace quintar
