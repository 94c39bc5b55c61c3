#pragma once

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

// One month of the monthly statement as the calculators see it: the row's values in the
// form the database stores them, with typed access. The common services keep the case's
// statement in memory during a calculation run and write the changed rows back.
class LinhaDemonstrativo {
public:
    // A new row of the month: MONEY columns 0, the others empty.
    LinhaDemonstrativo(qint64 processoId, int ano, int mes);
    // A row as read from the table.
    explicit LinhaDemonstrativo(QVector<QVariant> valores);

    int ano() const { return v_[DM::ANO].toInt(); }
    int mes() const { return v_[DM::MES].toInt(); }

    Money money(DM::Coluna c) const { return Money::fromRaw(v_[c].toLongLong()); }
    void defineMoney(DM::Coluna c, Money valor);
    void somaMoney(DM::Coluna c, Money valor) { defineMoney(c, money(c) + valor); }
    // DECIMAL columns (hour counts, rates) as four-decimal values; setting rounds to the
    // column's places, as the table does.
    Money decimal(DM::Coluna c) const { return Money::fromRaw(v_[c].toLongLong()); }
    void defineDecimal(DM::Coluna c, Money valor);
    double indiceCm() const { return v_[DM::INDICE_CM].toDouble(); }
    void defineIndiceCm(double indice);
    QString flag(DM::Coluna c) const { return v_[c].toString(); }
    void defineFlag(DM::Coluna c, const QString& valor);

    bool nulo(int c) const { return v_[c].isNull(); }
    const QVariant& valor(int c) const { return v_[c]; }
    // Any column by position, given in the program's value (Money for MONEY and DECIMAL).
    void defineValor(int c, const QVariant& valorBanco);

    const QVector<QVariant>& valores() const { return v_; }
    bool nova() const { return nova_; }
    bool alterada() const { return alterada_; }
    void marcaGravada() { nova_ = alterada_ = false; }

private:
    QVector<QVariant> v_;
    bool nova_ = false;
    bool alterada_ = false;
};

} // namespace quintar
