#include "PreparaPadrao.h"

#include "BancoDados.h"
#include "Erro.h"
#include "Esquema.h"
#include "Valores.h"

#include <QSqlError>

namespace quintar {

namespace {

const QString S = QStringLiteral("S");
const QString N = QStringLiteral("N");

bool temLinha(BancoDados& banco, const QString& tabela, qint64 id)
{
    return banco.escalar(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE PROCESSO_ID = :id").arg(tabela), {{"id", id}})
               .toInt()
        > 0;
}

// Inserts the row: PROCESSO_ID, then (for the single-row editors) "S" in every one-character
// column, then the editor's own defaults.
void insere(BancoDados& banco, const QString& tabela, qint64 id, bool charS, const Valores& padroes)
{
    const Tabela& t = *TabelaTrabalho(tabela);
    QVector<QVariant> valores(t.colunas.size());
    valores[0] = id;
    if (charS)
        for (int i = 0; i < t.colunas.size(); ++i)
            if (t.colunas[i].tipo == TipoColuna::Char && t.colunas[i].tamanho == 1)
                valores[i] = S;
    for (const auto& [coluna, valor] : padroes)
        valores[t.indice(coluna)] = valor;
    QStringList nomes, marcadores;
    for (const Coluna& c : t.colunas) {
        nomes.append(c.nome);
        marcadores.append(QStringLiteral("?"));
    }
    QSqlQuery& q = banco.consulta(
        QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(t.nome, nomes.join(u','), marcadores.join(u',')));
    for (int i = 0; i < valores.size(); ++i)
        q.bindValue(i, valores[i]);
    if (!q.exec())
        throw Erro(MensagemErroBanco(q.lastError()));
}

Valores periodo(QDate inicio, QDate fim)
{
    return {{QStringLiteral("ANO_INICIAL"), inicio.year()}, {QStringLiteral("MES_INICIAL"), inicio.month()},
        {QStringLiteral("ANO_FINAL"), fim.year()}, {QStringLiteral("MES_FINAL"), fim.month()}};
}

Valores comuns(const QStringList& colunas, const QString& valor)
{
    Valores v;
    for (const QString& c : colunas)
        v.append({c, valor});
    return v;
}

QVariant valorEm(const Valores& valores, const QString& coluna, const QVariant& padrao)
{
    for (const auto& [nome, valor] : valores)
        if (nome.compare(coluna, Qt::CaseInsensitive) == 0)
            return valor;
    return padrao;
}

Valores novaLinha(BancoDados& banco, const QString& tabela, qint64 id, const Valores& atual, const Valores& opcoes)
{
    const int sequencial =
        banco
            .escalar(QStringLiteral("SELECT MAX(SEQUENCIAL) FROM %1 WHERE PROCESSO_ID = :id").arg(tabela), {{"id", id}})
            .toInt()
        + 1;
    Valores v{{QStringLiteral("PROCESSO_ID"), id}, {QStringLiteral("SEQUENCIAL"), sequencial}};
    for (const auto& [coluna, padrao] : opcoes)
        v.append({coluna, valorEm(atual, coluna, padrao)});
    return v;
}

Valores opcoesHorasExtras()
{
    return {{QStringLiteral("IND_APENAS_REFLEXO"), N}, {QStringLiteral("IND_SALARIO_FIXO"), S},
        {QStringLiteral("IND_DIFERENCA_SALARIAL"), N}, {QStringLiteral("IND_SALARIO_VARIAVEL"), N},
        {QStringLiteral("IND_DIVISOR_HORA"), 220},
        {QStringLiteral("ACRESCIMO_NOTURNO"), bancoMoney(Money::fromCents(2000))},
        {QStringLiteral("IND_APENAS_ADICIONAL"), N},
        {QStringLiteral("PERCENTUAL"), bancoMoney(Money::fromCents(5000))}};
}

Valores opcoesNoturno()
{
    Valores v = opcoesHorasExtras();
    v.removeLast();
    v.removeLast();
    return v;
}

} // namespace

void PreparaAviso(BancoDados& banco, qint64 id)
{
    if (temLinha(banco, QStringLiteral("TAB_AVISO_PREVIO"), id))
        return;
    Valores v{{QStringLiteral("QUANTIDADE_DIAS"), 30}};
    v += comuns({QStringLiteral("IND_REFLEXO_13_SALARIO"), QStringLiteral("IND_REFLEXO_FERIAS"),
                    QStringLiteral("SOBRE_SALARIO_FIXO")},
        S);
    v += comuns(
        {QStringLiteral("SOBRE_SALARIO_VARIAVEL"), QStringLiteral("SOBRE_DIFERENCA_SALARIAL"),
            QStringLiteral("SOBRE_HORA_EXTRA"), QStringLiteral("SOBRE_NOTURNO"), QStringLiteral("SOBRE_INSALUBRIDADE"),
            QStringLiteral("SOBRE_PERICULOSIDADE"), QStringLiteral("SOBRE_RSR")},
        N);
    insere(banco, QStringLiteral("TAB_AVISO_PREVIO"), id, true, v);
}

void PreparaFGTS(BancoDados& banco, qint64 id, QDate inicio, QDate fim)
{
    if (temLinha(banco, QStringLiteral("TAB_FGTS"), id))
        return;
    Valores v = periodo(inicio, fim);
    v += {{QStringLiteral("TIPO_PERCENTUAL"), 2}, {QStringLiteral("TIPO_MULTA"), 0},
        {QStringLiteral("IND_APURA_PERIODO"), N}, {QStringLiteral("IND_APURA_VERBAS_RESCISOR"), S}};
    insere(banco, QStringLiteral("TAB_FGTS"), id, true, v);
}

void PreparaINSS(BancoDados& banco, qint64 id)
{
    if (temLinha(banco, QStringLiteral("TAB_INSS"), id))
        return;
    insere(banco, QStringLiteral("TAB_INSS"), id, true,
        {{QStringLiteral("TIPO_RECOLHIMENTO_RECLAMA"), 1}, {QStringLiteral("IND_DESCONTAR_RECLAMADO"), N},
            {QStringLiteral("IND_CALCULA_RECLAMADO"), N}});
}

void PreparaIR(BancoDados& banco, qint64 id)
{
    if (!temLinha(banco, QStringLiteral("TAB_IR"), id))
        insere(banco, QStringLiteral("TAB_IR"), id, true, {});
}

void PreparaRSR(BancoDados& banco, qint64 id)
{
    if (temLinha(banco, QStringLiteral("TAB_RSR"), id))
        return;
    insere(banco, QStringLiteral("TAB_RSR"), id, true,
        comuns({QStringLiteral("SOBRE_SALARIO_FIXO"), QStringLiteral("SOBRE_SALARIO_VARIAVEL"),
                   QStringLiteral("SOBRE_DIFERENCA_SALARIAL"), QStringLiteral("IND_APENAS_REFLEXO")},
            N));
}

void PreparaMultas(BancoDados& banco, qint64 id)
{
    if (!temLinha(banco, QStringLiteral("TAB_MULTAS"), id))
        insere(banco, QStringLiteral("TAB_MULTAS"), id, true,
            comuns({QStringLiteral("IND_CALCULA_467"), QStringLiteral("IND_CALCULA_477")}, N));
}

Valores PadroesJuros(QDate inicioPacto, QDate atualizacao)
{
    Valores v{{QStringLiteral("METODO_JUROS"), QStringLiteral("P")}, {QStringLiteral("IND_FGTS"), N}};
    if (!(inicioPacto > atualizacao))
        v.append({QStringLiteral("DATA_FIM_JUROS"), bancoData(atualizacao)});
    return v;
}

void PreparaJuros(BancoDados& banco, qint64 id, QDate inicioPacto, QDate atualizacao)
{
    if (!temLinha(banco, QStringLiteral("TAB_JUROS"), id))
        insere(banco, QStringLiteral("TAB_JUROS"), id, true, PadroesJuros(inicioPacto, atualizacao));
}

void PreparaInsalubridade(BancoDados& banco, qint64 id, QDate inicio, QDate fim)
{
    if (temLinha(banco, QStringLiteral("TAB_INSALUBRIDADE"), id))
        return;
    Valores v = periodo(inicio, fim);
    v += {{QStringLiteral("GRAU"), 1}, {QStringLiteral("BASE_CALCULO"), QStringLiteral("M")},
        {QStringLiteral("IND_APENAS_REFLEXO"), N}};
    insere(banco, QStringLiteral("TAB_INSALUBRIDADE"), id, false, v);
}

void PreparaPericulosidade(BancoDados& banco, qint64 id, QDate inicio, QDate fim)
{
    if (temLinha(banco, QStringLiteral("TAB_PERICULOSIDADE"), id))
        return;
    Valores v = periodo(inicio, fim);
    v += {{QStringLiteral("PERCENTUAL"), bancoDecimal(Money::fromCents(3000), 2)},
        {QStringLiteral("IND_APENAS_REFLEXO"), N}};
    insere(banco, QStringLiteral("TAB_PERICULOSIDADE"), id, false, v);
}

Valores NovaLinhaHorasExtras(BancoDados& banco, qint64 id, const Valores& atual)
{
    Valores v = novaLinha(banco, QStringLiteral("TAB_HORAS_EXTRAS"), id, atual, opcoesHorasExtras());
    v += {{QStringLiteral("NUMERO_MEDIO_DIURNO"), bancoMoney(Money())},
        {QStringLiteral("NUMERO_MEDIO_NOTURNO"), bancoMoney(Money())}};
    return v;
}

Valores NovaLinhaNoturno(BancoDados& banco, qint64 id, const Valores& atual)
{
    Valores v = novaLinha(banco, QStringLiteral("TAB_NOTURNO"), id, atual, opcoesNoturno());
    v.append({QStringLiteral("NUMERO_MEDIO"), bancoMoney(Money())});
    return v;
}

void PreparaHorasExtras(BancoDados& banco, qint64 id, QDate inicio, QDate fim)
{
    if (temLinha(banco, QStringLiteral("TAB_HORAS_EXTRAS"), id))
        return;
    Valores v = NovaLinhaHorasExtras(banco, id, {});
    v += periodo(inicio, fim);
    insere(banco, QStringLiteral("TAB_HORAS_EXTRAS"), id, false, v);
    try {
        banco.executaDireto(
            QStringLiteral("insert into tab_jt_extra (processo_id, entrada_noturno, saida_noturno, "
                           "ind_reducao_hora, tipo_apuracao, jornada_extra) values( %1, 2200, 500, 'S', 'D', 8)")
                .arg(id));
    } catch (const Erro&) {
        // The settings row usually exists already.
    }
}

void PreparaNoturno(BancoDados& banco, qint64 id, QDate inicio, QDate fim)
{
    if (temLinha(banco, QStringLiteral("TAB_NOTURNO"), id))
        return;
    Valores v = NovaLinhaNoturno(banco, id, {});
    v += periodo(inicio, fim);
    insere(banco, QStringLiteral("TAB_NOTURNO"), id, false, v);
    try {
        banco.executaDireto(QStringLiteral("insert into tab_jt_noturno (processo_id, entrada_noturno, saida_noturno, "
                                           "ind_reducao_hora) values( %1, 2200, 500, 'S')")
                                .arg(id));
    } catch (const Erro&) {
    }
}

} // namespace quintar
