#pragma once

#include <QDate>
#include <QList>
#include <QPair>
#include <QString>
#include <QVariant>

namespace quintar {

class BancoDados;

// The rows the item editors create for a case that has none, with their defaults, without
// showing anything: the main window uses them for the default items of a calculation and
// after reading a case file; the editors use them when they open. Each does nothing when
// the case already has its row (or lines).
void PreparaAviso(BancoDados& banco, qint64 processoId);
void PreparaFGTS(BancoDados& banco, qint64 processoId, QDate inicioPacto, QDate fimPacto);
void PreparaINSS(BancoDados& banco, qint64 processoId);
void PreparaIR(BancoDados& banco, qint64 processoId);
void PreparaRSR(BancoDados& banco, qint64 processoId);
void PreparaMultas(BancoDados& banco, qint64 processoId);
void PreparaJuros(BancoDados& banco, qint64 processoId, QDate inicioPacto, QDate atualizacao);
void PreparaInsalubridade(BancoDados& banco, qint64 processoId, QDate inicioPacto, QDate fimPacto);
void PreparaPericulosidade(BancoDados& banco, qint64 processoId, QDate inicioPacto, QDate fimPacto);
// One line over the whole contract (50 %, night 20 %, divisor 220, fixed salary only) and
// the schedule's settings row.
void PreparaHorasExtras(BancoDados& banco, qint64 processoId, QDate inicioPacto, QDate fimPacto);
void PreparaNoturno(BancoDados& banco, qint64 processoId, QDate inicioPacto, QDate fimPacto);

// Column values of a new row: (column, value as stored).
using Valores = QList<QPair<QString, QVariant>>;
// An interest row's own defaults over its "S" flags: method "P", FGTS not in the base, the
// final date the update date unless the contract starts after it; the initial date empty.
Valores PadroesJuros(QDate inicioPacto, QDate atualizacao);
// A new line of overtime or night premium: the next SEQUENCIAL, the options copied from the
// line that was current (empty: the defaults), the averages 0.
Valores NovaLinhaHorasExtras(BancoDados& banco, qint64 processoId, const Valores& linhaAtual);
Valores NovaLinhaNoturno(BancoDados& banco, qint64 processoId, const Valores& linhaAtual);

} // namespace quintar
