#include "Demonstrativo.h"

#include "Esquema.h"
#include "Valores.h"

namespace quintar {

namespace {

const Tabela& tabela()
{
    static const Tabela* t = [] {
        const Tabela* dm = TabelaTrabalho(u"TAB_DEMONSTRATIVO_MENSAL");
        Q_ASSERT(dm->colunas.size() == DM::Quantidade);
        Q_ASSERT(dm->colunas[DM::DIFERENCA_SALARIAL].nome == u"DIFERENCA_SALARIAL");
        Q_ASSERT(dm->colunas[DM::ALIQUOTA_INSS_TERCEIROS].nome == u"ALIQUOTA_INSS_TERCEIROS");
        return dm;
    }();
    return *t;
}

} // namespace

LinhaDemonstrativo::LinhaDemonstrativo(qint64 processoId, int ano, int mes)
    : v_(DM::Quantidade), nova_(true)
{
    const Tabela& t = tabela();
    for (int i = 0; i < DM::Quantidade; ++i)
        if (t.colunas[i].tipo == TipoColuna::Money)
            v_[i] = bancoMoney(Money());
    v_[DM::PROCESSO_ID] = processoId;
    v_[DM::ANO] = ano;
    v_[DM::MES] = mes;
}

LinhaDemonstrativo::LinhaDemonstrativo(QVector<QVariant> valores)
    : v_(std::move(valores))
{
    v_.resize(DM::Quantidade);
}

void LinhaDemonstrativo::defineMoney(DM::Coluna c, Money valor)
{
    v_[c] = bancoMoney(valor);
    alterada_ = true;
}

void LinhaDemonstrativo::defineDecimal(DM::Coluna c, Money valor)
{
    v_[c] = bancoDecimal(valor, tabela().colunas[c].escala);
    alterada_ = true;
}

void LinhaDemonstrativo::defineIndiceCm(double indice)
{
    v_[DM::INDICE_CM] = indice;
    alterada_ = true;
}

void LinhaDemonstrativo::defineFlag(DM::Coluna c, const QString& valor)
{
    v_[c] = valor.isEmpty() ? QVariant() : QVariant(valor);
    alterada_ = true;
}

void LinhaDemonstrativo::defineValor(int c, const QVariant& valorBanco)
{
    const Coluna& coluna = tabela().colunas[c];
    if (coluna.tipo == TipoColuna::Decimal)
        v_[c] = bancoDecimal(Money::fromRaw(valorBanco.toLongLong()), coluna.escala);
    else
        v_[c] = valorBanco;
    alterada_ = true;
}

} // namespace quintar
