#pragma once

#include "BancoDados.h"
#include "Money.h"

#include <QString>
#include <QVariant>
#include <QVector>

namespace quintar {

// Columns of TAB_DEMONSTRATIVO_MENSAL by position, in the table's order.
namespace DM {
enum Coluna : int {
    PROCESSO_ID, ANO, MES, IND_APENAS_REFLEXO_HE, IND_APENAS_REFLEXO_AN, IND_APENAS_REFLEXO_AI,
    IND_APENAS_REFLEXO_AP, IND_APENAS_REFLEXO_RSR, SALARIO_FIXO, SALARIO_VARIAVEL, INDICE_CM, SALARIO,
    AVISO_PREVIO, DECIMO_TERCEIRO_SALARIO, FERIAS, HORA_EXTRA, NUMERO_MEDIO_HE_DIURNO, SALARIO_HE_DIURNO,
    NUMERO_MEDIO_HE_NOTURNO, SALARIO_HE_NOTURNO, FGTS, INSS, ALIQUOTA_INSS, INSS_EMPREGADOR,
    ALIQUOTA_INSS_EMPREGADOR, INSS_RAT, ALIQUOTA_INSS_RAT, INSS_TERCEIROS, ALIQUOTA_INSS_TERCEIROS, NOTURNO,
    NUMERO_MEDIO_HN, SALARIO_HORA_NOTURNO, INSALUBRIDADE, PERICULOSIDADE, OUTROS_CREDITO, OUTROS_DEBITO, RSR,
    DIFERENCA_SALARIAL, Quantidade
};
} // namespace DM

// One month of the monthly statement as the calculators see it, with typed access. The
// common services keep the case's statement in memory during a calculation run and write the
// changed rows back. Each column is held as the database stores it: PROCESSO_ID, ANO, MES and
// the MONEY and DECIMAL columns (in ten-thousandths) as integers, INDICE_CM as a double, the
// flags as text; NULL is remembered apart (a NULL number reads as 0).
class LinhaDemonstrativo {
public:
    // A new row of the month: MONEY columns 0, the others empty.
    LinhaDemonstrativo(qint64 processoId, int ano, int mes);
    // A row as read from the table (SELECT * of TAB_DEMONSTRATIVO_MENSAL).
    explicit LinhaDemonstrativo(const Sentenca& linha);

    int ano() const { return int(inteiros_[DM::ANO]); }
    int mes() const { return int(inteiros_[DM::MES]); }

    Money money(DM::Coluna c) const { return Money::fromRaw(inteiros_[c]); }
    void defineMoney(DM::Coluna c, Money valor);
    void somaMoney(DM::Coluna c, Money valor) { defineMoney(c, money(c) + valor); }
    // DECIMAL columns (hour counts, rates) as four-decimal values; setting rounds to the
    // column's places, as the table does.
    Money decimal(DM::Coluna c) const { return Money::fromRaw(inteiros_[c]); }
    void defineDecimal(DM::Coluna c, Money valor);
    double indiceCm() const { return indice_; }
    void defineIndiceCm(double indice);
    QString flag(DM::Coluna c) const { return nulo(c) ? QString() : textos_[c - DM::IND_APENAS_REFLEXO_HE]; }
    void defineFlag(DM::Coluna c, const QString& valor);

    bool nulo(int c) const { return nulos_ & (quint64(1) << c); }
    // Any column in the form the database stores it.
    QVariant valor(int c) const;
    // Any column by position, given in the program's value (Money for MONEY and DECIMAL).
    void defineValor(int c, const QVariant& valorBanco);
    // Binds the row's columns, in the table's order, to the parameters from 0 on.
    void liga(Sentenca& sentenca) const;

    bool nova() const { return nova_; }
    bool alterada() const { return alterada_; }
    void marcaGravada() { nova_ = alterada_ = false; }

private:
    void define(int c, bool nulo);

    qint64 inteiros_[DM::Quantidade] = {};
    double indice_ = 0;
    QString textos_[5]; // IND_APENAS_REFLEXO_HE .. IND_APENAS_REFLEXO_RSR
    quint64 nulos_ = 0;
    bool nova_ = false;
    bool alterada_ = false;
};

} // namespace quintar
