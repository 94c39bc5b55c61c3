#include "RegrasEditores.h"

#include "BancoDados.h"
#include "Erro.h"
#include "FonteDados.h"
#include "Rotinas.h"
#include "Valores.h"

#include <limits>

namespace quintar {

namespace {

bool vazio(const QVariant& v)
{
    return v.isNull() || v.toString().trimmed().isEmpty();
}

[[noreturn]] void foraDaFaixa(
    const QString& valor, const QString& coluna, const QString& rotulo, const QString& minimo, const QString& maximo)
{
    throw Erro(QStringLiteral("%1 is not a valid value for field '%2'. The allowed range is %3 to %4.")
                   .arg(valor, rotulo, minimo, maximo),
        coluna);
}

} // namespace

DatasProcesso LeDatasProcesso(BancoDados& banco, qint64 processoId)
{
    DatasProcesso d;
    QSqlQuery& q = banco.executa(QStringLiteral("SELECT DATA_INICIO_PACTO, DATA_FIM_PACTO, DATA_ATUALIZACAO "
                                                "FROM TAB_PROCESSO WHERE PROCESSO_ID = :id"),
        {{"id", processoId}});
    if (q.next()) {
        d.inicioPacto = lerData(q.value(0));
        d.fimPacto = lerData(q.value(1));
        d.atualizacao = lerData(q.value(2));
    }
    q.finish();
    return d;
}

void ExigeValor(const FonteDados& linha, const QString& coluna, const QString& rotulo)
{
    if (vazio(linha.valor(coluna)))
        throw Erro(QStringLiteral("Field '%1' must have a value").arg(rotulo), coluna);
}

void ExigeFaixa(const FonteDados& linha, const QString& coluna, const QString& rotulo, qint64 minimo, qint64 maximo)
{
    const QVariant v = linha.valor(coluna);
    if (vazio(v))
        return;
    const qint64 n = v.toLongLong();
    if (n < minimo || n > maximo)
        foraDaFaixa(QString::number(n), coluna, rotulo, QString::number(minimo), QString::number(maximo));
}

void ExigeFaixa(const FonteDados& linha, const QString& coluna, const QString& rotulo, Money minimo, Money maximo)
{
    const QVariant v = linha.valor(coluna);
    if (vazio(v))
        return;
    const Money m = lerMoney(v);
    if (m < minimo || m > maximo)
        foraDaFaixa(m.formatado(), coluna, rotulo, minimo.formatado(), maximo.formatado());
}

void ValidaNumeroMeses(const FonteDados& linha)
{
    const QString coluna = QStringLiteral("NUMERO_MESES");
    ExigeValor(linha, coluna, QStringLiteral("Nro Meses"));
    if (linha.valor(coluna).toLongLong() <= 0)
        throw Erro(QStringLiteral("Número de Meses deve ser maior que zero."), coluna);
}

void ValidaMesDoPacto(const FonteDados& linha, QDate inicioPacto, QDate fimPacto)
{
    const int mes = AnoMes(linha.valor(u"ANO").toInt(), linha.valor(u"MES").toInt());
    if (mes > AnoMes(fimPacto))
        throw Erro(QStringLiteral("Mês/Ano deve ser menor ou igual a data da Dispensa."), QStringLiteral("MES"));
    if (mes < AnoMes(inicioPacto))
        throw Erro(QStringLiteral("Mês/Ano deve ser maior ou igual ao Inicio do Pacto."), QStringLiteral("MES"));
}

void ValidaPeriodo(const FonteDados& linha, QDate inicioPacto, QDate fimPacto, const QString& focoInicial)
{
    const int inicial = AnoMes(linha.valor(u"ANO_INICIAL").toInt(), linha.valor(u"MES_INICIAL").toInt());
    const int final = AnoMes(linha.valor(u"ANO_FINAL").toInt(), linha.valor(u"MES_FINAL").toInt());
    const QString foco = QStringLiteral("MES_FINAL");
    if (final < inicial)
        throw Erro(QStringLiteral("Mês/Ano Final deve ser maior que Mês/Ano Inicial."), foco);
    if (final > AnoMes(fimPacto))
        throw Erro(QStringLiteral("Mês/Ano Final deve ser menor ou igual a data da Dispensa."), foco);
    if (inicial < AnoMes(inicioPacto))
        throw Erro(QStringLiteral("Mês/Ano Inicial deve ser maior ou igual ao Inicio do Pacto."), focoInicial);
}

void ValidaMultas(const FonteDados& linha)
{
    if (!ehSim(linha.valor(u"IND_CALCULA_467")) && !ehSim(linha.valor(u"IND_CALCULA_477")))
        throw Erro(QStringLiteral("Escolha uma das multas ou saia pelo botão Cancelar."));
}

void ValidaJuros(const FonteDados& linha, QDate inicioPacto)
{
    // An empty date is the earliest of all.
    const auto dia = [&](QStringView coluna) {
        const QDate d = lerData(linha.valor(coluna));
        return d.isValid() ? d.toJulianDay() : std::numeric_limits<qint64>::min();
    };
    if (dia(u"DATA_INICIO_JUROS") > dia(u"DATA_FIM_JUROS"))
        throw Erro(
            QStringLiteral("A Data Final deve ser maior ou igual a Data Inicial!"), QStringLiteral("DATA_FIM_JUROS"));
    if (dia(u"DATA_INICIO_JUROS") < inicioPacto.toJulianDay())
        throw Erro(QStringLiteral("A Data Inicial deve ser maior ou igual a ")
                + inicioPacto.toString(QStringLiteral("dd/MM/yyyy")) + u'!',
            QStringLiteral("DATA_INICIO_JUROS"));
}

void ValidaOutros(const FonteDados& linha, QDate inicioPacto, QDate fimPacto)
{
    const std::pair<const char*, const char*> obrigatorios[] = {
        {"DESCRICAO", "Descrição"}, {"MES", "Mês"}, {"ANO", "Ano"}, {"VALOR", "Valor"}};
    for (const auto& [coluna, rotulo] : obrigatorios)
        ExigeValor(linha, QString::fromLatin1(coluna), QString::fromUtf8(rotulo));
    ExigeFaixa(linha, QStringLiteral("MES"), QStringLiteral("Mês"), 1, 12);
    ExigeFaixa(linha, QStringLiteral("ANO"), QStringLiteral("Ano"), 1900, 2100);
    ExigeFaixa(
        linha, QStringLiteral("VALOR"), QStringLiteral("Valor"), Money::fromCents(1), Money::fromCents(99999999900));
    ValidaMesDoPacto(linha, inicioPacto, fimPacto);
}

QVector<AtividadePrev> AtividadesPrev(BancoDados& banco, QStringView tabela)
{
    if (tabela != u"PrevEmpregador" && tabela != u"PrevSAT" && tabela != u"PrevTerceiro")
        throw Erro(QStringLiteral("Tabela %1 não existe.").arg(tabela));
    QVector<AtividadePrev> atividades;
    QSqlQuery& q = banco.executa(QStringLiteral("SELECT Codigo, Natureza, Taxa FROM %1 ORDER BY Natureza").arg(tabela));
    while (q.next())
        atividades.append({q.value(0).toInt(), q.value(1).toString(), Money::fromRealHalfEven(q.value(2).toDouble())});
    q.finish();
    return atividades;
}

void ValidaTipoOutros(QStringView tipo)
{
    if (tipo != u"C" && tipo != u"D")
        throw Erro(QStringLiteral("Aplicação preparada apenas para Crédito ou Débito."));
}

QStringList DescricoesOutros(BancoDados& banco, QStringView tipo)
{
    QStringList lista;
    QSqlQuery& q = banco.executa(QStringLiteral("SELECT DESCRICAO FROM TAB_OUTROS_DESCRICAO "
                                                "WHERE IND_CREDITO_DEBITO = :tipo ORDER BY DESCRICAO"),
        {{"tipo", tipo.toString()}});
    while (q.next())
        lista.append(q.value(0).toString());
    q.finish();
    return lista;
}

QString AcrescentaDescricao(BancoDados& banco, QStringView tipo, const QString& digitada)
{
    ValidaTipoOutros(tipo);
    const QString descricao = digitada.trimmed();
    if (descricao.isEmpty())
        throw Erro(QString(), QStringLiteral("DESCRICAO"));
    Transacao t(banco);
    banco.executa(QStringLiteral("INSERT INTO TAB_OUTROS_DESCRICAO (IND_CREDITO_DEBITO, DESCRICAO) "
                                 "VALUES (:tipo, :descricao)"),
        {{"tipo", tipo.toString()}, {"descricao", descricao.left(100)}});
    t.confirma();
    return descricao.left(100);
}

} // namespace quintar
