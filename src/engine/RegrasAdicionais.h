#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <array>
#include <optional>

namespace quintar {

class BancoDados;
class FonteDados;

// What the overtime, night-premium and premium editors check and choose, without a window:
// the checks of a line before it is stored (the premiums' period is ValidaPeriodo of
// RegrasEditores.h), the divisor texts, and the reflexes of a premium on notice, 13th salary
// and vacation.

// The heading of a column of the overtime and night-premium grids ("Mês Inicial",
// "Média H.E.Diurnas Mês", "Nro Médio Horas Mês", ...), as the messages name it.
QString TituloColunaLinha(QStringView coluna);

// Before an overtime line is stored, in this order: the four period columns filled (months
// 1 to 12, years 1900 to 2100); the final month not before the initial one, not after the
// dismissal month; the initial month not before the contract's; neither average negative;
// not both 0 ("Alguma Média deve ser maior que zero."). A refusal throws Erro with the
// column that gets the cursor.
void ValidaLinhaHorasExtras(const FonteDados& linha, QDate inicioPacto, QDate fimPacto);
// The same for a night-premium line, whose one average must be above 0.
void ValidaLinhaNoturno(const FonteDados& linha, QDate inicioPacto, QDate fimPacto);

// The hour divisor as its box shows it: "220 - (8 Horas Diárias)", "180 - (6 Horas
// Diárias)", any other number as its digits, nothing for none.
QString TextoDivisor(std::optional<int> divisor);
// The divisor of a text of the box: the two texts, or digits; nothing when empty or not a
// number.
std::optional<int> DivisorDoTexto(const QString& texto);
// The box's choices.
QStringList TextosDivisor();

// The reflexes dialog of a premium (N: "HORA_EXTRA", "NOTURNO", "INSALUBRIDADE",
// "PERICULOSIDADE" or "RSR") on the three items it can reflect on.
struct ReflexoItem {
    QString tabela; // TAB_AVISO_PREVIO, TAB_13_SALARIO, TAB_FERIAS
    bool habilitado = false; // the case calculates the item
    bool marcado = false; // the item's first row holds "S" in the reflex column
};
struct ReflexosPremio {
    QString coluna; // "SOBRE_" + N
    QString titulo; // "Reflexos - " + the column's label
    std::array<ReflexoItem, 3> itens; // notice, 13th salary, vacation
};
// Throws "Tipo deve ser Hora_Extra ou Noturno ou Insalubridade ou Periculosidade ou RSR."
// for another name.
ReflexosPremio LeReflexos(BancoDados& banco, qint64 processoId, const QString& item);
// OK of the dialog: every row of each enabled item takes the five reflex columns of its
// first row, with the premium's column "S" when ticked and "N" when not; the items not
// enabled are left as they are. One unit of work.
void GravaReflexos(BancoDados& banco, qint64 processoId, const ReflexosPremio& reflexos);

} // namespace quintar
