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

static_assert(DM::Quantidade <= 64, "one bit per column for NULL");

namespace {

// How a column is held: flags as text, INDICE_CM as a double, everything else as an integer.
bool ehFlag(int c)
{
    return c >= DM::IND_APENAS_REFLEXO_HE && c <= DM::IND_APENAS_REFLEXO_RSR;
}

} // namespace

LinhaDemonstrativo::LinhaDemonstrativo(qint64 processoId, int ano, int mes) : nova_(true)
{
    const Tabela& t = tabela();
    for (int i = 0; i < DM::Quantidade; ++i)
        if (t.colunas[i].tipo != TipoColuna::Money)
            nulos_ |= quint64(1) << i;
    inteiros_[DM::PROCESSO_ID] = processoId;
    inteiros_[DM::ANO] = ano;
    inteiros_[DM::MES] = mes;
    nulos_ &= ~((quint64(1) << DM::PROCESSO_ID) | (quint64(1) << DM::ANO) | (quint64(1) << DM::MES));
}

LinhaDemonstrativo::LinhaDemonstrativo(const Sentenca& linha)
{
    for (int i = 0; i < DM::Quantidade; ++i) {
        if (linha.nulo(i)) {
            nulos_ |= quint64(1) << i;
        } else if (ehFlag(i)) {
            textos_[i - DM::IND_APENAS_REFLEXO_HE] = linha.texto(i);
        } else if (i == DM::INDICE_CM) {
            indice_ = linha.real(i);
        } else {
            inteiros_[i] = linha.inteiro(i);
        }
    }
}

void LinhaDemonstrativo::define(int c, bool nulo)
{
    if (nulo)
        nulos_ |= quint64(1) << c;
    else
        nulos_ &= ~(quint64(1) << c);
    alterada_ = true;
}

void LinhaDemonstrativo::defineMoney(DM::Coluna c, Money valor)
{
    inteiros_[c] = valor.raw();
    define(c, false);
}

void LinhaDemonstrativo::defineDecimal(DM::Coluna c, Money valor)
{
    inteiros_[c] = bancoDecimal(valor, tabela().colunas[c].escala).toLongLong();
    define(c, false);
}

void LinhaDemonstrativo::defineIndiceCm(double indice)
{
    indice_ = indice;
    define(DM::INDICE_CM, false);
}

void LinhaDemonstrativo::defineFlag(DM::Coluna c, const QString& valor)
{
    textos_[c - DM::IND_APENAS_REFLEXO_HE] = valor;
    define(c, valor.isEmpty());
}

QVariant LinhaDemonstrativo::valor(int c) const
{
    if (nulo(c))
        return {};
    if (ehFlag(c))
        return textos_[c - DM::IND_APENAS_REFLEXO_HE];
    if (c == DM::INDICE_CM)
        return indice_;
    return QVariant::fromValue<qlonglong>(inteiros_[c]);
}

void LinhaDemonstrativo::defineValor(int c, const QVariant& valorBanco)
{
    const Coluna& coluna = tabela().colunas[c];
    if (valorBanco.isNull()) {
        inteiros_[c] = 0;
        if (c == DM::INDICE_CM)
            indice_ = 0;
        if (ehFlag(c))
            textos_[c - DM::IND_APENAS_REFLEXO_HE].clear();
        define(c, true);
    } else if (ehFlag(c))
        defineFlag(DM::Coluna(c), valorBanco.toString());
    else if (c == DM::INDICE_CM)
        defineIndiceCm(valorBanco.toDouble());
    else if (coluna.tipo == TipoColuna::Decimal)
        defineDecimal(DM::Coluna(c), Money::fromRaw(valorBanco.toLongLong()));
    else
        defineMoney(DM::Coluna(c), Money::fromRaw(valorBanco.toLongLong()));
}

void LinhaDemonstrativo::liga(Sentenca& sentenca) const
{
    for (int i = 0; i < DM::Quantidade; ++i) {
        if (nulo(i))
            sentenca.ligaNulo(i);
        else if (ehFlag(i))
            sentenca.liga(i, QStringView(textos_[i - DM::IND_APENAS_REFLEXO_HE]));
        else if (i == DM::INDICE_CM)
            sentenca.liga(i, indice_);
        else
            sentenca.liga(i, inteiros_[i]);
    }
}

} // namespace quintar
