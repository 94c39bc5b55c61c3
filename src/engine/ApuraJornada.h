#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

#include <array>
#include <optional>

namespace quintar {

class BancoDados;
class Registros;

// The hour averaging of a typical week: the shifts of TAB_JT_EXTRA or TAB_JT_NOTURNO, each
// worked on some weekdays, turned into worked, night and overtime minutes per weekday, per
// week and per month. The schedule dialogs show these figures and hand the monthly hours
// back to the overtime and night-premium editors.

// One shift: entry, exit and break in HHMM (an exit before the entry is on the next day),
// and the weekdays it is worked on, Monday first.
struct TurnoJornada {
    int entrada = 0;
    int saida = 0;
    int intervalo = 0;
    std::array<bool, 7> dias{};
};

// The case-wide settings of the schedule, as the dialog's boxes hold them.
struct OpcoesJornada {
    int entradaNoturno = 0; // the night window, HHMM
    int saidaNoturno = 0;
    bool reducaoHora = false; // the night hour of 52 minutes 30 seconds
    bool semanal = false; // overtime counted on the week's totals rather than day by day
    int acimaDa = 0; // normal hours of the day (daily) or of the week (weekly)
    int ateA = 0; // overtime counted only up to this hour; 0: no ceiling
};

// Minutes of the week: the seven weekdays (Monday first), then the week.
using MinutosSemana = std::array<int, 8>;
constexpr int Semana = 7;

struct ResultadoJornada {
    MinutosSemana trabalhadas{};
    MinutosSemana noturnas{};
    // Day by day with the daily count; with the weekly count only the week is filled.
    MinutosSemana extrasDiurnas{};
    MinutosSemana extrasNoturnas{};
    // The week's minutes × 4.286, to the nearest whole minute (a half to the even one).
    int mesTrabalhadas = 0;
    int mesNoturnas = 0;
    int mesExtrasDiurnas = 0;
    int mesExtrasNoturnas = 0;
};

// The averaging of the overtime schedule (worked and night minutes of each shift, the
// reduced night hour, the daily or weekly overtime with its ceiling, the monthly figures).
// The night schedule uses the worked and night figures only.
ResultadoJornada ApuraJornada(const QVector<TurnoJornada>& turnos, const OpcoesJornada& opcoes);

// Minutes of one shift that count as worked and as night time, before the weekdays.
struct MinutosTurno {
    int trabalhados = 0;
    int noturnos = 0;
};
MinutosTurno ApuraTurno(const TurnoJornada& turno, const OpcoesJornada& opcoes);

// Day and night overtime of worked W and night N minutes against the normal hours and the
// ceiling of the settings.
struct Extras {
    int diurnas = 0;
    int noturnas = 0;
};
Extras DivideExtras(int trabalhados, int noturnos, const OpcoesJornada& opcoes);

// Monthly minutes as hours with two decimals (Arredonda): 10 286 minutes are 171.43 hours.
long double HorasMes(int minutos);
// The text of the "Mês" column: the hours with two decimals and a decimal comma ("171,43").
QString TextoHorasMes(int minutos);

// The number a box of the dialog holds; an empty or unreadable text counts as 0.
int NumeroCaixa(const QString& texto);

// A time of a shift as the grid shows it: 800 is "08:00", 2400 "24:00".
QString TextoHora(int hhmm);
// A time as typed into the grid: "8", "08", "830", "0830", "8:30" or "08:30" (a minute
// left half typed counts as its tens: "8:3" is 8:30). Nothing for an empty text; -1 for a
// text that is not a time from 00:00 to 24:00.
std::optional<int> HoraDigitada(const QString& texto);
// What the grid lets the user type for a time.
QString PadraoHora();

// The shifts of the schedule rows, in their order (a settings row, with no weekday, adds
// nothing).
QVector<TurnoJornada> TurnosJornada(const Registros& linhas);
// The settings as the first row holds them; a schedule without rows has those of a new
// settings row (22:00 to 05:00, the reduced hour, daily above 8 hours).
OpcoesJornada LeOpcoesJornada(const Registros& linhas);

// Before a shift is stored: a break at least as long as the shift is refused with
// "Intervalo maior ou igual ao tempo trabalhado!" (focus on INTERVALO).
void ValidaTurno(const Registros& linha);
// The night window boxes: a number other than 0 must be a time of day once written as
// hours, colon and minutes (2200 is 22:00); otherwise "Entrada noturna inválida!" (focus on
// ENTRADA_NOTURNO) or "Saída noturna inválida!" (SAIDA_NOTURNO).
void ValidaJanelaNoturna(const QString& entrada, const QString& saida);

// The ready-made weeks: "Nenhum", "30 Horas Semanais", "40 Horas Semanais",
// "44 Horas Semanais".
const QStringList& NomesModelosJornada();
struct ModeloJornada {
    QVector<TurnoJornada> turnos;
    QString acimaDa; // the overtime dialog's "Acima da"
    bool semanal = false;
};
// The week of a model (1 to 3); nothing for "Nenhum" (0) or any other index.
ModeloJornada ModeloDeJornada(int indice);
// The schedule's rows replaced by the model's shifts (held in `linhas` until written).
void AplicaModeloJornada(Registros& linhas, const ModeloJornada& modelo);

// The night schedule when it opens: when none of its rows has an entry and the overtime
// schedule has shifts, its rows are replaced by copies of those shifts (entry, exit, the
// weekdays, the night window and the reduced hour; not the break). Held in `noturno` until
// written. True when it copied.
bool CopiaJornadaExtra(BancoDados& banco, Registros& noturno);

// OK of a schedule dialog: the case-wide settings into every row of the case's schedule.
// The overtime schedule (TAB_JT_EXTRA) also takes the count, "Acima da" and "Até a".
void GravaOpcoesJornada(BancoDados& banco, const QString& tabela, qint64 processoId, const OpcoesJornada& opcoes);

} // namespace quintar
