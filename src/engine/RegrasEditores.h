#pragma once

#include "Money.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <QVector>

namespace quintar {

class BancoDados;
class FonteDados;

// What the item editors ask of the core: the case's dates, the checks they run on a row
// before it is saved, and the description list of other credits and debits. A refusal
// throws Erro with the program's text and the column whose field (or grid cell) gets the
// focus; the row keeps what was typed.

// The dates of the case row an editor works with (null dates when the case has no row).
struct DatasProcesso {
    QDate inicioPacto;
    QDate fimPacto;
    QDate atualizacao;
};
DatasProcesso LeDatasProcesso(BancoDados& banco, qint64 processoId);

// A column that must have a value: "Field 'Nro Meses' must have a value".
void ExigeValor(const FonteDados& linha, const QString& coluna, const QString& rotulo);
// A whole number or an amount within its column's range (both ends allowed): "-5,00 is not a
// valid value for field 'Valor'. The allowed range is 0,01 to 999.999.999,00." An empty value
// passes (ExigeValor refuses it).
void ExigeFaixa(const FonteDados& linha, const QString& coluna, const QString& rotulo, qint64 minimo, qint64 maximo);
void ExigeFaixa(const FonteDados& linha, const QString& coluna, const QString& rotulo, Money minimo, Money maximo);

// A 13th-salary year or a vacation period: NUMERO_MESES given and above 0 ("Número de Meses
// deve ser maior que zero."). No upper limit: the last period may carry the notice's months
// beyond 12 (a vacation period's count is typed from the list 1 to 12).
void ValidaNumeroMeses(const FonteDados& linha);

// The (ANO, MES) of a line within the contract's months (salary months, other credits and
// debits): "Mês/Ano deve ser menor ou igual a data da Dispensa." after the dismissal month,
// "Mês/Ano deve ser maior ou igual ao Inicio do Pacto." before the start month; focus MES.
void ValidaMesDoPacto(const FonteDados& linha, QDate inicioPacto, QDate fimPacto);

// The period of an item (MES_INICIAL/ANO_INICIAL to MES_FINAL/ANO_FINAL), in this order: the
// final month before the initial one, after the dismissal month, the initial one before the
// contract's start month. Focus MES_FINAL (the initial month's refusal: focoInicial). An
// empty month or year counts as 0.
void ValidaPeriodo(const FonteDados& linha, QDate inicioPacto, QDate fimPacto,
    const QString& focoInicial = QStringLiteral("MES_FINAL"));

// Fines: at least one of the two ticked ("Escolha uma das multas ou saia pelo botão Cancelar.").
void ValidaMultas(const FonteDados& linha);

// Interest: the start not after the end ("A Data Final deve ser maior ou igual a Data
// Inicial!", focus DATA_FIM_JUROS), then not before the contract's start ("A Data Inicial deve
// ser maior ou igual a 03/02/2022!", focus DATA_INICIO_JUROS). An empty date counts as the
// earliest of all, so an empty start is refused by the second message.
void ValidaJuros(const FonteDados& linha, QDate inicioPacto);

// A line of other credits or debits: description, month, year and value given, the year in
// 1900 to 2100, the month in 1 to 12, the value in 0,01 to 999.999.999,00, the month within
// the contract.
void ValidaOutros(const FonteDados& linha, QDate inicioPacto, QDate fimPacto);

// An activity of the lookup tables of the social-security editor (PrevEmpregador, PrevSAT,
// PrevTerceiro): its code, its name and its rate in %.
struct AtividadePrev {
    int codigo;
    QString natureza;
    Money taxa; // the table's rate to four decimals
};
// The activities of one of those tables, in the order of their names.
QVector<AtividadePrev> AtividadesPrev(BancoDados& banco, QStringView tabela);

// The description list's kinds: "C" credits, "D" debits; another kind is refused with
// "Aplicação preparada apenas para Crédito ou Débito.".
void ValidaTipoOutros(QStringView tipo);
// The descriptions of one kind, in alphabetical order.
QStringList DescricoesOutros(BancoDados& banco, QStringView tipo);
// A description typed in an editor, without its surrounding spaces, added to the list of
// its kind at once; the text as stored. An empty text is refused (Erro without a message
// of its own: the line keeps what it held).
QString AcrescentaDescricao(BancoDados& banco, QStringView tipo, const QString& digitada);

} // namespace quintar
