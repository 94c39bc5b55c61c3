#include "Esquema.h"

#include "Rotinas.h"

#include <QRegularExpression>

namespace quintar {

namespace {

// Columns are written as "NAME TYPE" with the types of the table definitions:
// DECIMAL(18), DECIMAL(p,s), MONEY, FLOAT, SMALLINT, INTEGER, DATE, TIMESTAMP, CHAR(n),
// VARCHAR(n). The four names longer than 25 characters exist only in their 25-character form.
Coluna leColuna(const QString& definicao)
{
    static const QRegularExpression re(QStringLiteral(R"(^(\w+)\s+(\w+)(?:\((\d+)(?:,(\d+))?\))?$)"));
    const auto m = re.match(definicao.trimmed());
    Q_ASSERT_X(m.hasMatch(), "Esquema", qPrintable(definicao));
    Coluna c;
    c.nome = m.captured(1);
    Q_ASSERT(c.nome.size() <= 25);
    const QString tipo = m.captured(2);
    const int a = m.captured(3).toInt();
    const int b = m.captured(4).toInt();
    if (tipo == u"DECIMAL" && m.captured(4).isEmpty())
        c.tipo = TipoColuna::Decimal18;
    else if (tipo == u"DECIMAL")
        c = {c.nome, TipoColuna::Decimal, a, b};
    else if (tipo == u"MONEY")
        c.tipo = TipoColuna::Money;
    else if (tipo == u"FLOAT")
        c.tipo = TipoColuna::Float;
    else if (tipo == u"SMALLINT")
        c.tipo = TipoColuna::SmallInt;
    else if (tipo == u"INTEGER")
        c.tipo = TipoColuna::Integer;
    else if (tipo == u"DATE")
        c.tipo = TipoColuna::Date;
    else if (tipo == u"TIMESTAMP")
        c.tipo = TipoColuna::Timestamp;
    else if (tipo == u"CHAR")
        c = {c.nome, TipoColuna::Char, a, 0};
    else if (tipo == u"VARCHAR")
        c = {c.nome, TipoColuna::Varchar, a, 0};
    else
        Q_ASSERT_X(false, "Esquema", qPrintable(definicao));
    return c;
}

Tabela defineTabela(const char* nome, const char* chave, const char* textoCriacao, std::initializer_list<const char*> colunas)
{
    Tabela t;
    t.nome = QString::fromLatin1(nome);
    t.textoCriacao = QString::fromUtf8(textoCriacao);
    if (*chave)
        t.chave = QString::fromLatin1(chave).split(u',');
    for (const char* linha : colunas)
        for (const QString& definicao : QString::fromLatin1(linha).split(u';', Qt::SkipEmptyParts))
            t.colunas.append(leColuna(definicao));
    for (int i = 0; i < t.colunas.size(); ++i)
        t.indices.insert(t.colunas[i].nome.toUpper(), i);
    return t;
}

// Flag columns shared by several item tables.
#define SOBRE_SALARIO_E_REFLEXOS \
    "SOBRE_SALARIO_FIXO CHAR(1); SOBRE_SALARIO_VARIAVEL CHAR(1); SOBRE_HORA_EXTRA CHAR(1); " \
    "SOBRE_NOTURNO CHAR(1); SOBRE_INSALUBRIDADE CHAR(1); SOBRE_PERICULOSIDADE CHAR(1); SOBRE_RSR CHAR(1); " \
    "SOBRE_DIFERENCA_SALARIAL CHAR(1)"
#define PERIODO "ANO_INICIAL SMALLINT; MES_INICIAL SMALLINT; ANO_FINAL SMALLINT; MES_FINAL SMALLINT"
#define DIAS_DA_SEMANA \
    "IND_SEGUNDA CHAR(1); IND_TERCA CHAR(1); IND_QUARTA CHAR(1); IND_QUINTA CHAR(1); " \
    "IND_SEXTA CHAR(1); IND_SABADO CHAR(1); IND_DOMINGO CHAR(1); IND_REDUCAO_HORA CHAR(1)"

QVector<Tabela> criaTabelasTrabalho()
{
    return {
        defineTabela("TAB_PROCESSO", "PROCESSO_ID", "Criando Tabelas - Processo.", {
            "PROCESSO_ID DECIMAL(18); NUMERO INTEGER; ANO SMALLINT; VARA INTEGER; REGIONAL SMALLINT",
            "SEQUENCIAL SMALLINT; DV SMALLINT; RECLAMANTE_PRINCIPAL VARCHAR(180); RECLAMADO_PRINCIPAL VARCHAR(180)",
            "DATA_AJUIZAMENTO DATE; DATA_ATUALIZACAO DATE; DATA_CALCULO TIMESTAMP; DATA_INICIO_PACTO DATE",
            "DATA_FIM_PACTO DATE; CALCULA_AVISO_PREVIO CHAR(1); CALCULA_SALARIO CHAR(1); CALCULA_13_SALARIO CHAR(1)",
            "CALCULA_FERIAS CHAR(1); CALCULA_FGTS CHAR(1); CALCULA_INSS CHAR(1); CALCULA_IR CHAR(1)",
            "CALCULA_JUROS CHAR(1); CALCULA_HORAS_EXTRAS CHAR(1); CALCULA_NOTURNO CHAR(1)",
            "CALCULA_INSALUBRIDADE CHAR(1); CALCULA_PERICULOSIDADE CHAR(1); CALCULA_RSR CHAR(1)",
            "CALCULA_MULTAS CHAR(1); CALCULA_OUTROS_CRED CHAR(1); CALCULA_OUTROS_DEB CHAR(1)",
            "UNIDADE_SALARIO_FIXO CHAR(1); SALARIO_FIXO MONEY; VALOR_AVISO_PREVIO MONEY; VALOR_SALARIO MONEY",
            "VALOR_13_SALARIO MONEY; VALOR_FERIAS MONEY; VALOR_FGTS MONEY; VALOR_INSS_TOTAL MONEY",
            "VALOR_INSS_RECLAMANTE MONEY; VALOR_INSS_EMPREGADOR MONEY; VALOR_INSS_RAT MONEY",
            "VALOR_INSS_TERCEIROS MONEY; VALOR_IR MONEY; VALOR_JUROS MONEY; VALOR_HORAS_EXTRAS MONEY",
            "VALOR_NOTURNO MONEY; VALOR_INSALUBRIDADE MONEY; VALOR_PERICULOSIDADE MONEY; VALOR_RSR MONEY",
            "VALOR_MULTAS MONEY; VALOR_OUTROS_CRED MONEY; VALOR_OUTROS_DEB MONEY; TOTAL_CALCULO MONEY",
            "LIQUIDO_RECLAMANTE MONEY"}),
        defineTabela("TAB_HORAS_EXTRAS", "PROCESSO_ID,SEQUENCIAL,ANO_INICIAL,MES_INICIAL", "Criando Tabelas - Horas Extras.", {
            "PROCESSO_ID DECIMAL(18); SEQUENCIAL SMALLINT", PERIODO,
            "IND_APENAS_ADICIONAL CHAR(1); IND_SALARIO_FIXO CHAR(1); IND_SALARIO_VARIAVEL CHAR(1)",
            "IND_APENAS_REFLEXO CHAR(1); IND_DIFERENCA_SALARIAL CHAR(1); IND_DIVISOR_HORA SMALLINT",
            "OUTRO_DIVISOR DECIMAL(6,2); PERCENTUAL DECIMAL(7,4); ACRESCIMO_NOTURNO DECIMAL(7,4)",
            "NUMERO_MEDIO_DIURNO DECIMAL(6,2); NUMERO_MEDIO_NOTURNO DECIMAL(6,2); VALOR_APURADO MONEY"}),
        defineTabela("TAB_AVISO_PREVIO", "PROCESSO_ID", "Criando Tabelas - Aviso Prévio.", {
            "PROCESSO_ID DECIMAL(18); IND_REFLEXO_13_SALARIO CHAR(1); IND_REFLEXO_FERIAS CHAR(1)",
            SOBRE_SALARIO_E_REFLEXOS,
            "QUANTIDADE_DIAS SMALLINT; NUMERO_MEDIO_HE_DIURNAS DECIMAL(6,2); VALOR_HE_DIURNA MONEY",
            "NUMERO_MEDIO_HE_NOTURNAS DECIMAL(6,2); VALOR_HE_NOTURNA MONEY; NUMERO_MEDIO_HN DECIMAL(6,2)",
            "VALOR_HN MONEY; VALOR_DEVIDO MONEY"}),
        defineTabela("TAB_FGTS", "PROCESSO_ID", "Criando Tabelas - FGTS.", {
            "PROCESSO_ID DECIMAL(18)", PERIODO,
            "IND_AVISO_PREVIO CHAR(1); IND_SALARIO CHAR(1); IND_13_SALARIO CHAR(1); IND_HORA_EXTRA CHAR(1)",
            "IND_NOTURNO CHAR(1); IND_INSALUBRIDADE CHAR(1); IND_PERICULOSIDADE CHAR(1); IND_RSR CHAR(1)",
            "IND_APURA_PERIODO CHAR(1); IND_APURA_VERBAS_RESCISOR CHAR(1); TIPO_PERCENTUAL SMALLINT",
            "TIPO_MULTA SMALLINT; VALOR_APURADO MONEY"}),
        defineTabela("TAB_INSALUBRIDADE", "PROCESSO_ID", "Criando Tabelas - Insalubridade.", {
            "PROCESSO_ID DECIMAL(18)", PERIODO,
            "GRAU SMALLINT; IND_APENAS_REFLEXO CHAR(1); BASE_CALCULO CHAR(1); VALOR_APURADO MONEY"}),
        defineTabela("TAB_INSS", "PROCESSO_ID", "Criando Tabelas - INSS.", {
            "PROCESSO_ID DECIMAL(18); IND_CALCULA_RECLAMANTE CHAR(1); IND_DESCONTAR_RECLAMADO CHAR(1)",
            "IND_CALCULA_RECLAMADO CHAR(1); IND_SALARIO CHAR(1); IND_13_SALARIO CHAR(1); IND_HORA_EXTRA CHAR(1)",
            "IND_NOTURNO CHAR(1); IND_INSALUBRIDADE CHAR(1); IND_PERICULOSIDADE CHAR(1); IND_RSR CHAR(1)",
            "TIPO_RECOLHIMENTO_RECLAMA SMALLINT; CODPREVEMPREGADOR INTEGER; PERCENTUAL_EMPREGADOR DECIMAL(7,4)",
            "CODPREVSAT INTEGER; PERCENTUAL_RAT DECIMAL(7,4); CODPREVTERCEIRO INTEGER",
            "PERCENTUAL_TERCEIROS DECIMAL(7,4); VALOR_INSS MONEY; VALOR_INSS_EMPREGADOR MONEY",
            "VALOR_INSS_RAT MONEY; VALOR_INSS_TERCEIROS MONEY"}),
        defineTabela("TAB_IR", "PROCESSO_ID", "Criando Tabelas - Imposto de Renda.", {
            "PROCESSO_ID DECIMAL(18); IND_AVISO_PREVIO CHAR(1); IND_SALARIO CHAR(1); IND_13_SALARIO CHAR(1)",
            "IND_FERIAS CHAR(1); IND_JUROS CHAR(1); IND_HORA_EXTRA CHAR(1); IND_NOTURNO CHAR(1)",
            "IND_INSALUBRIDADE CHAR(1); IND_PERICULOSIDADE CHAR(1); IND_RSR CHAR(1); TOTAL_CALCULO MONEY",
            "INSS_EMPREGADO MONEY; BASE_CALCULO MONEY; ALIQUOTA_PRINCIPAL DECIMAL(7,4); DEDUCAO_PRINCIPAL MONEY",
            "IR_PRINCIPAL MONEY; ALIQUOTA_13_SALARIO DECIMAL(7,4); DEDUCAO_13_SALARIO MONEY; IR_13_SALARIO MONEY",
            "ALIQUOTA_JUROS DECIMAL(7,4); DEDUCAO_JUROS MONEY; IR_JUROS MONEY; IR MONEY"}),
        defineTabela("TAB_JT_EXTRA", "", "Criando Tabelas - Jornada de Horas Extras.", {
            "PROCESSO_ID DECIMAL(18)", DIAS_DA_SEMANA,
            "TIPO_APURACAO CHAR(1); ENTRADA INTEGER; SAIDA INTEGER; INTERVALO INTEGER; ENTRADA_NOTURNO INTEGER",
            "SAIDA_NOTURNO INTEGER; JORNADA_EXTRA INTEGER; TETO_JORNADA_EXTRA INTEGER"}),
        defineTabela("TAB_JT_NOTURNO", "", "Criando Tabelas - Jornada de Adicional Noturno.", {
            "PROCESSO_ID DECIMAL(18)", DIAS_DA_SEMANA,
            "ENTRADA INTEGER; SAIDA INTEGER; INTERVALO INTEGER; ENTRADA_NOTURNO INTEGER; SAIDA_NOTURNO INTEGER"}),
        defineTabela("TAB_JUROS", "PROCESSO_ID", "Criando Tabelas - Juros.", {
            "PROCESSO_ID DECIMAL(18); DATA_INICIO_JUROS DATE; DATA_FIM_JUROS DATE; METODO_JUROS CHAR(1)",
            "IND_AVISO_PREVIO CHAR(1); IND_SALARIO CHAR(1); IND_13_SALARIO CHAR(1); IND_FERIAS CHAR(1)",
            "IND_FGTS CHAR(1); IND_HORA_EXTRA CHAR(1); IND_NOTURNO CHAR(1); IND_INSALUBRIDADE CHAR(1)",
            "IND_PERICULOSIDADE CHAR(1); IND_RSR CHAR(1); IND_MULTAS CHAR(1); BASE_CALCULO MONEY",
            "ALIQUOTA DECIMAL(7,4); JUROS MONEY"}),
        defineTabela("TAB_MULTAS", "PROCESSO_ID", "Criando Tabelas - Multas.", {
            "PROCESSO_ID DECIMAL(18); IND_CALCULA_467 CHAR(1); SOBRE_467_AVISO_PREVIO CHAR(1)",
            "SOBRE_467_SALARIO CHAR(1); SOBRE_467_13_SALARIO CHAR(1); SOBRE_467_FERIAS CHAR(1)",
            "SOBRE_467_FGTS CHAR(1); SOBRE_467_HORA_EXTRA CHAR(1); SOBRE_467_NOTURNO CHAR(1)",
            "SOBRE_467_INSALUBRIDADE CHAR(1); SOBRE_467_PERICULOSIDADE CHAR(1); SOBRE_467_RSR CHAR(1)",
            "VALOR_APURADO_467 MONEY; IND_CALCULA_477 CHAR(1); SOBRE_477_SALARIO_FIXO CHAR(1)",
            "SOBRE_477_SALARIO_VARIAVE CHAR(1); SOBRE_477_HORA_EXTRA CHAR(1); SOBRE_477_NOTURNO CHAR(1)",
            "SOBRE_477_INSALUBRIDADE CHAR(1); SOBRE_477_PERICULOSIDADE CHAR(1); VALOR_APURADO_477 MONEY",
            "SOBRE_477_DIFERENCA_SALAR CHAR(1)"}),
        defineTabela("TAB_OUTROS_CREDITO", "PROCESSO_ID,DESCRICAO,ANO,MES", "Criando Tabelas - Outros (Crédito).", {
            "PROCESSO_ID DECIMAL(18); DESCRICAO VARCHAR(100); ANO SMALLINT; MES SMALLINT; VALOR MONEY",
            "VALOR_DEVIDO MONEY"}),
        defineTabela("TAB_OUTROS_DEBITO", "PROCESSO_ID,DESCRICAO,ANO,MES", "Criando Tabelas - Outros (Débito).", {
            "PROCESSO_ID DECIMAL(18); DESCRICAO VARCHAR(100); ANO SMALLINT; MES SMALLINT; VALOR MONEY",
            "VALOR_DESCONTADO MONEY"}),
        defineTabela("TAB_PERICULOSIDADE", "PROCESSO_ID", "Criando Tabelas - Periculosidade.", {
            "PROCESSO_ID DECIMAL(18)", PERIODO,
            "PERCENTUAL DECIMAL(4,2); IND_APENAS_REFLEXO CHAR(1); VALOR_APURADO MONEY"}),
        defineTabela("TAB_RSR", "PROCESSO_ID", "Criando Tabelas - Repouso Semanal Remunerado.", {
            "PROCESSO_ID DECIMAL(18); SOBRE_SALARIO_FIXO CHAR(1); SOBRE_SALARIO_VARIAVEL CHAR(1)",
            "SOBRE_HORA_EXTRA CHAR(1); SOBRE_NOTURNO CHAR(1); SOBRE_INSALUBRIDADE CHAR(1)",
            "SOBRE_PERICULOSIDADE CHAR(1); IND_APENAS_REFLEXO CHAR(1); SOBRE_DIFERENCA_SALARIAL CHAR(1)",
            "VALOR_DEVIDO MONEY"}),
        defineTabela("TAB_SALARIO", "PROCESSO_ID,ANO,MES", "Criando Tabelas - Salário.", {
            "PROCESSO_ID DECIMAL(18); ANO SMALLINT; MES SMALLINT; IND_CALCULA CHAR(1)",
            "SOBRE_SALARIO_FIXO CHAR(1); SOBRE_SALARIO_VARIAVEL CHAR(1); SOBRE_DIFERENCA_SALARIAL CHAR(1)",
            "NUMERO_DIAS SMALLINT; BASE_CALCULO MONEY; VALOR_DEVIDO MONEY"}),
        defineTabela("TAB_VARIACAO_SALARIAL", "PROCESSO_ID,ANO,MES", "Criando Tabelas - Variação Salarial.", {
            "PROCESSO_ID DECIMAL(18); ANO SMALLINT; MES SMALLINT; SALARIO_FIXO MONEY; SALARIO_VARIAVEL MONEY",
            "UNIDADE_SALARIO_FIXO CHAR(1); PARADIGMA MONEY; UNIDADE_PARADIGMA CHAR(1)"}),
        defineTabela("TAB_13_SALARIO", "PROCESSO_ID,ANO", "Criando Tabelas - 13º Salário.", {
            "PROCESSO_ID DECIMAL(18); ANO SMALLINT; IND_CALCULA CHAR(1)", SOBRE_SALARIO_E_REFLEXOS,
            "NUMERO_MESES SMALLINT; BASE_CALCULO MONEY; VALOR_DEVIDO MONEY"}),
        defineTabela("TAB_FERIAS", "PROCESSO_ID,PERIODO_INICIAL", "Criando Tabelas - Férias.", {
            "PROCESSO_ID DECIMAL(18); PERIODO_INICIAL DATE; PERIODO_FINAL DATE; IND_FERIAS CHAR(1)",
            "IND_TERCO CHAR(1); IND_DOBRO CHAR(1); IND_REFERENCIA CHAR(1)", SOBRE_SALARIO_E_REFLEXOS,
            "NUMERO_MESES SMALLINT; BASE_CALCULO MONEY; VALOR_DEVIDO MONEY"}),
        defineTabela("TAB_NOTURNO", "PROCESSO_ID,SEQUENCIAL,ANO_INICIAL,MES_INICIAL", "Criando Tabelas - Adicional Noturno.", {
            "PROCESSO_ID DECIMAL(18); SEQUENCIAL SMALLINT", PERIODO,
            "IND_SALARIO_FIXO CHAR(1); IND_SALARIO_VARIAVEL CHAR(1); IND_APENAS_REFLEXO CHAR(1)",
            "IND_DIFERENCA_SALARIAL CHAR(1); IND_DIVISOR_HORA SMALLINT; OUTRO_DIVISOR DECIMAL(6,2)",
            "ACRESCIMO_NOTURNO DECIMAL(7,4); NUMERO_MEDIO DECIMAL(7,2); VALOR_APURADO MONEY"}),
        defineTabela("TAB_DEMONSTRATIVO_MENSAL", "PROCESSO_ID,ANO,MES", "Criando Tabelas - Demonstrativo Mensal.", {
            "PROCESSO_ID DECIMAL(18); ANO SMALLINT; MES SMALLINT; IND_APENAS_REFLEXO_HE CHAR(1)",
            "IND_APENAS_REFLEXO_AN CHAR(1); IND_APENAS_REFLEXO_AI CHAR(1); IND_APENAS_REFLEXO_AP CHAR(1)",
            "IND_APENAS_REFLEXO_RSR CHAR(1); SALARIO_FIXO MONEY; SALARIO_VARIAVEL MONEY; INDICE_CM FLOAT",
            "SALARIO MONEY; AVISO_PREVIO MONEY; DECIMO_TERCEIRO_SALARIO MONEY; FERIAS MONEY; HORA_EXTRA MONEY",
            "NUMERO_MEDIO_HE_DIURNO DECIMAL(6,2); SALARIO_HE_DIURNO MONEY; NUMERO_MEDIO_HE_NOTURNO DECIMAL(6,2)",
            "SALARIO_HE_NOTURNO MONEY; FGTS MONEY; INSS MONEY; ALIQUOTA_INSS DECIMAL(7,4); INSS_EMPREGADOR MONEY",
            "ALIQUOTA_INSS_EMPREGADOR DECIMAL(7,4); INSS_RAT MONEY; ALIQUOTA_INSS_RAT DECIMAL(7,4)",
            "INSS_TERCEIROS MONEY; ALIQUOTA_INSS_TERCEIROS DECIMAL(7,4); NOTURNO MONEY",
            "NUMERO_MEDIO_HN DECIMAL(6,2); SALARIO_HORA_NOTURNO MONEY; INSALUBRIDADE MONEY; PERICULOSIDADE MONEY",
            "OUTROS_CREDITO MONEY; OUTROS_DEBITO MONEY; RSR MONEY; DIFERENCA_SALARIAL MONEY"}),
    };
}

QVector<Tabela> criaTabelasPermanentes()
{
    return {
        defineTabela("DIARIO", "CodIndice,Data", "", {"CodIndice INTEGER; Data DATE; Indice FLOAT"}),
        defineTabela("FAIXASINSS", "Ano,Mes", "", {
            "Ano SMALLINT; Mes SMALLINT; LimiteMinimo FLOAT; Limite1 FLOAT; Percentual1 FLOAT",
            "Limite2 FLOAT; Percentual2 FLOAT; Limite3 FLOAT; Percentual3 FLOAT; Limite4 FLOAT",
            "Percentual4 FLOAT; Limite5 FLOAT; Percentual5 FLOAT"}),
        defineTabela("FAIXASIR", "Ano,Mes", "", {
            "Ano SMALLINT; Mes SMALLINT; LimiteMinimo FLOAT; Limite1 FLOAT; Percentual1 FLOAT; Deducao1 FLOAT",
            "Limite2 FLOAT; Percentual2 FLOAT; Deducao2 FLOAT; Limite3 FLOAT; Percentual3 FLOAT",
            "Deducao3 FLOAT; PercentualMaximo FLOAT; DeducaoMaximo FLOAT; DeducaoDependente FLOAT",
            "DeducaoDaBase FLOAT"}),
        defineTabela("VALORES", "Ano,Mes", "", {
            "Ano SMALLINT; Mes SMALLINT; SalMin FLOAT; SalFam1 FLOAT; SalFam2 FLOAT; LimMinimo FLOAT",
            "LimMaximo FLOAT; ValorMaximo FLOAT"}),
        defineTabela("PrevEmpregador", "Codigo", "", {"Codigo INTEGER; Natureza VARCHAR(100); Taxa FLOAT"}),
        defineTabela("PrevSAT", "Codigo", "", {"Codigo INTEGER; Natureza VARCHAR(100); Taxa FLOAT"}),
        defineTabela("PrevTerceiro", "Codigo", "", {"Codigo INTEGER; Natureza VARCHAR(100); Taxa FLOAT"}),
        defineTabela("TAB_OUTROS_DESCRICAO", "", "", {"IND_CREDITO_DEBITO CHAR(1); DESCRICAO VARCHAR(100)"}),
    };
}

const Tabela* procuraTabela(const QVector<Tabela>& tabelas, QStringView nome)
{
    for (const Tabela& t : tabelas)
        if (IgualSemCaixa(nome, t.nome))
            return &t;
    return nullptr;
}

} // namespace

int Tabela::indice(QStringView nomeColuna) const
{
    // Column names are ASCII: upper-cased into a buffer of the stack, the lookup allocates
    // nothing. Anything else takes the general way.
    char16_t maiusculas[64];
    const qsizetype n = nomeColuna.size();
    bool ascii = n <= 64;
    for (qsizetype i = 0; ascii && i < n; ++i) {
        char16_t c = nomeColuna[i].unicode();
        if (c >= u'a' && c <= u'z')
            c = char16_t(c - (u'a' - u'A'));
        ascii = c < 0x80;
        maiusculas[i] = c;
    }
    if (!ascii)
        return indices.value(nomeColuna.toString().toUpper(), -1);
    return indices.value(QString::fromRawData(reinterpret_cast<const QChar*>(maiusculas), n), -1);
}

const Coluna* Tabela::coluna(QStringView nomeColuna) const
{
    const int i = indice(nomeColuna);
    return i < 0 ? nullptr : &colunas[i];
}

const QVector<Tabela>& TabelasTrabalho()
{
    static const QVector<Tabela> tabelas = criaTabelasTrabalho();
    return tabelas;
}

const Tabela* TabelaTrabalho(QStringView nome)
{
    return procuraTabela(TabelasTrabalho(), nome);
}

QVector<const Tabela*> OrdemCriacao()
{
    static const char* ordem[] = {
        "TAB_NOTURNO", "TAB_AVISO_PREVIO", "TAB_DEMONSTRATIVO_MENSAL", "TAB_FERIAS", "TAB_FGTS",
        "TAB_HORAS_EXTRAS", "TAB_INSALUBRIDADE", "TAB_INSS", "TAB_IR", "TAB_JT_EXTRA", "TAB_JT_NOTURNO",
        "TAB_JUROS", "TAB_MULTAS", "TAB_OUTROS_CREDITO", "TAB_OUTROS_DEBITO", "TAB_PERICULOSIDADE",
        "TAB_PROCESSO", "TAB_RSR", "TAB_SALARIO", "TAB_VARIACAO_SALARIAL", "TAB_13_SALARIO",
    };
    QVector<const Tabela*> lista;
    for (const char* nome : ordem)
        lista.append(TabelaTrabalho(QString::fromLatin1(nome)));
    return lista;
}

const QVector<Tabela>& TabelasPermanentes()
{
    static const QVector<Tabela> tabelas = criaTabelasPermanentes();
    return tabelas;
}

const Tabela* TabelaPermanente(QStringView nome)
{
    return procuraTabela(TabelasPermanentes(), nome);
}

QString SqlCriacao(const Tabela& tabela, bool seNaoExiste)
{
    QStringList partes;
    for (const Coluna& c : tabela.colunas) {
        QString tipo;
        switch (c.tipo) {
        case TipoColuna::Decimal18: case TipoColuna::Decimal: case TipoColuna::Money:
        case TipoColuna::SmallInt: case TipoColuna::Integer:
            // INT, not INTEGER: a lone INTEGER primary key would be SQLite's row id, and a row
            // inserted without its PROCESSO_ID would be given one instead of being refused.
            tipo = QStringLiteral("INT");
            break;
        case TipoColuna::Float:
            tipo = QStringLiteral("REAL");
            break;
        case TipoColuna::Date: case TipoColuna::Timestamp: case TipoColuna::Char: case TipoColuna::Varchar:
            tipo = QStringLiteral("TEXT");
            break;
        }
        const bool chave = tabela.chave.contains(c.nome, Qt::CaseInsensitive);
        partes.append(c.nome + u' ' + tipo + (chave ? QStringLiteral(" NOT NULL") : QString()));
    }
    if (!tabela.chave.isEmpty())
        partes.append(QStringLiteral("PRIMARY KEY (") + tabela.chave.join(QStringLiteral(", ")) + u')');
    // A keyed table is kept in the order of its key (no row id besides it): reading a row by
    // its key, or a case's rows in order, is one search.
    return QStringLiteral("CREATE TABLE ") + (seNaoExiste ? QStringLiteral("IF NOT EXISTS ") : QString()) + tabela.nome
        + QStringLiteral(" (") + partes.join(QStringLiteral(", ")) + u')'
        + (tabela.chave.isEmpty() ? QString() : QStringLiteral(" WITHOUT ROWID"));
}

} // namespace quintar
