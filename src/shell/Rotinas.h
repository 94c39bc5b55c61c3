#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <QVariant>

namespace quintar {

// Period key: year × 12 + month.
constexpr int AnoMes(int ano, int mes) { return ano * 12 + mes; }
inline int AnoMes(QDate d) { return AnoMes(d.year(), d.month()); }

// Rounds to n decimals (n ≥ 1) the way the program always has: add 1e-11, write the
// number with n decimals rounding the written digits half away from zero, read it back.
// So 2.675 (stored just below) gives 2.68 and -2.675 gives -2.67.
long double Arredonda(int casas, long double valor);

// Last day of the date's month; a null date for a null date.
QDate UltimoDiaMes(QDate data);

// First character of a flag's text, 'N' when empty or null.
QChar FlagCampo(const QVariant& valor);
inline bool ehSim(const QVariant& valor) { return valor.toString() == QLatin1String("S"); }
inline QString FlagSN(bool v) { return v ? QStringLiteral("S") : QStringLiteral("N"); }

// The text with "0" in front until it has at least that length.
QString ZerosEsquerda(const QString& texto, int tamanho);

// Check digit (0 to 9) of a text of digits: weights 9..1 repeating, sum mod 11, 10 gives 0.
// Throws Erro when a character is not a digit.
int DigitoVerificador(QStringView digitos);

// Four-digit year of a year as typed: up to (current year, at least 2005) − 2000 adds 2000,
// below 100 adds 1900, anything else stays; a non-number counts as 0 (so "" gives "2000").
QString AnoCompleto(QStringView digitado, int anoAtual = QDate::currentDate().year());

// The case-file tag splitter. Given a text, the first element's name, its content and the
// text after its closing tag. Values are taken literally; the closing tag is found
// without regard to case. All three are empty when there is no complete element.
// The position of the next c from `de` on, -1 when there is none: the search for characters
// a few places apart (tags), eight compared at a time.
qsizetype ProximoCaractere(QStringView texto, qsizetype de, char16_t c);

// Whether two names are the same without regard to case, as QStringView::compare with
// Qt::CaseInsensitive says; quickly for ASCII.
bool IgualSemCaixa(QStringView a, QStringView b);

struct Elemento {
    QStringView nome;
    QStringView conteudo;
    QStringView resto;
    bool fechado = false; // the closing tag was found
};
Elemento ExtraiElemento(QStringView texto);

// Clock times in HHMM form (1730 is 17:30; 2630 is 02:30 of the next day), durations in minutes.
constexpr int Minutos(int hhmm) { return (hhmm / 100) * 60 + (hhmm % 100); }
constexpr int HoraMinuto(int minutos) { return minutos < 0 ? 0 : (minutos / 60) * 100 + minutos % 60; }
// "h:mm" of |minutos| padded with blanks on the left to six characters; empty for 0.
QString FormataHora(int minutos);
// Minutes from a to b; 0 when a is -1 or b is 0.
constexpr int Duracao(int a, int b) { return (a == -1 || b == 0) ? 0 : Minutos(b) - Minutos(a); }
// Minutes of the shift (inicio..fim) that lie in the night period (noite1..noite2).
int HorasNoturnas(int noite1, int noite2, int inicio, int fim);

// Days of a month: 30 for April, June, September, November; February 28, or 29 when the
// year is divisible by 4; 31 otherwise.
int DiasDoMes(int mes, int ano);

// The 21 working tables in their fixed order (case file and table drop follow it).
const QStringList& TabelasCaso();
// "Janeiro" .. "Dezembro", indexed 1 to 12.
const QString& NomesMeses(int mes);

} // namespace quintar
