#include "DadosIniciais.h"

#include "Erro.h"
#include "ImportaTabelas.h"
#include "Pastas.h"
#include "TextoAnsi.h"

#include <QDir>
#include <QFile>
#include <QSqlError>

#include <cmath>

namespace quintar {

namespace {

// The index starts with the Real: 1.0 on 01/07/1994.
const QDate InicioIndice(1994, 7, 1);

bool tabelaVazia(BancoDados& banco, const QString& tabela)
{
    return banco.escalar(QStringLiteral("SELECT 1 FROM ") + tabela + QStringLiteral(" LIMIT 1")).isNull();
}

double numero(const QString& texto, const QString& arquivo, int linha)
{
    bool ok = false;
    const double v = texto.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(v))
        throw Erro(QStringLiteral("Valor inválido \"%1\" na linha %2 de %3.").arg(texto).arg(linha).arg(arquivo));
    return v;
}

// The CSV rows with their header: a row is reached by column name.
struct TabelaCsv {
    QString arquivo;
    QStringList cabecalho;
    QList<QStringList> linhas;

    int coluna(const QString& nome) const
    {
        const int i = static_cast<int>(cabecalho.indexOf(nome));
        if (i < 0)
            throw Erro(QStringLiteral("A coluna %1 falta em %2.").arg(nome, arquivo));
        return i;
    }
};

TabelaCsv leTabelaCsv(const QString& arquivo)
{
    QList<QStringList> linhas = LeCsv(DadoEmbutido(arquivo));
    if (linhas.isEmpty())
        throw Erro(QStringLiteral("O arquivo %1 está vazio.").arg(arquivo));
    TabelaCsv t{arquivo, linhas.takeFirst(), std::move(linhas)};
    for (int i = 0; i < t.linhas.size(); ++i)
        if (t.linhas[i].size() != t.cabecalho.size())
            throw Erro(
                QStringLiteral("A linha %1 de %2 não tem %3 colunas.").arg(i + 2).arg(arquivo).arg(t.cabecalho.size()));
    return t;
}

QVector<RegistroDat> registrosMensais(const LayoutDat& layout, const QString& arquivo)
{
    const TabelaCsv csv = leTabelaCsv(arquivo);
    const QVector<CampoDat> campos = layout.valores();
    QVector<int> colunas;
    for (const CampoDat& c : campos)
        colunas.append(csv.coluna(c.nome));
    QVector<RegistroDat> registros;
    registros.reserve(csv.linhas.size());
    for (int i = 0; i < csv.linhas.size(); ++i) {
        RegistroDat r;
        for (int c = 0; c < campos.size(); ++c) {
            const double v = numero(csv.linhas[i][colunas[c]], arquivo, i + 2);
            if (campos[c].tipo == TipoCampo::Inteiro)
                r.append(static_cast<int>(v));
            else
                r.append(v);
        }
        registros.append(std::move(r));
    }
    return registros;
}

QVector<VariacaoMensal> serieIpcaE()
{
    const TabelaCsv csv = leTabelaCsv(QStringLiteral("ipca_e.csv"));
    const int ano = csv.coluna(QStringLiteral("Ano"));
    const int mes = csv.coluna(QStringLiteral("Mes"));
    const int variacao = csv.coluna(QStringLiteral("Variacao"));
    QVector<VariacaoMensal> serie;
    for (int i = 0; i < csv.linhas.size(); ++i) {
        const QStringList& l = csv.linhas[i];
        serie.append({static_cast<int>(numero(l[ano], csv.arquivo, i + 2)),
            static_cast<int>(numero(l[mes], csv.arquivo, i + 2)), numero(l[variacao], csv.arquivo, i + 2)});
    }
    return serie;
}

void preencheConsulta(BancoDados& banco, const QString& tabela, const QString& arquivo)
{
    const TabelaCsv csv = leTabelaCsv(arquivo);
    Transacao t(banco);
    if (tabela == u"TAB_OUTROS_DESCRICAO") {
        const int tipo = csv.coluna(QStringLiteral("IND_CREDITO_DEBITO"));
        const int descricao = csv.coluna(QStringLiteral("DESCRICAO"));
        for (const QStringList& l : csv.linhas)
            banco.executa(QStringLiteral("INSERT INTO TAB_OUTROS_DESCRICAO (IND_CREDITO_DEBITO, DESCRICAO) "
                                         "VALUES (:tipo, :descricao)"),
                {{"tipo", l[tipo]}, {"descricao", l[descricao]}});
    } else {
        const int codigo = csv.coluna(QStringLiteral("Codigo"));
        const int natureza = csv.coluna(QStringLiteral("Natureza"));
        const int taxa = csv.coluna(QStringLiteral("Taxa"));
        for (int i = 0; i < csv.linhas.size(); ++i) {
            const QStringList& l = csv.linhas[i];
            banco.executa(QStringLiteral("INSERT INTO ") + tabela
                    + QStringLiteral(" (Codigo, Natureza, Taxa) VALUES (:codigo, :natureza, :taxa)"),
                {{"codigo", static_cast<int>(numero(l[codigo], arquivo, i + 2))}, {"natureza", l[natureza]},
                    {"taxa", numero(l[taxa], arquivo, i + 2)}});
        }
    }
    t.confirma();
}

} // namespace

QByteArray DadoEmbutido(const QString& nome)
{
    QFile f(QStringLiteral(":/dados/") + nome);
    if (!f.open(QIODevice::ReadOnly))
        throw Erro(QStringLiteral("Os dados de ") + nome + QStringLiteral(" não estão no programa."));
    return f.readAll();
}

QList<QStringList> LeCsv(const QByteArray& bytes)
{
    QList<QStringList> linhas;
    const QStringList texto = SeparaLinhas(QString::fromUtf8(bytes));
    for (int n = 0; n < texto.size(); ++n) {
        const QString& linha = texto[n];
        if (linha.trimmed().isEmpty())
            continue;
        QStringList campos;
        QString campo;
        bool aspas = false;
        for (qsizetype i = 0; i < linha.size(); ++i) {
            const QChar c = linha[i];
            if (aspas) {
                if (c == u'"' && i + 1 < linha.size() && linha[i + 1] == u'"') {
                    campo += u'"';
                    ++i;
                } else if (c == u'"') {
                    aspas = false;
                } else {
                    campo += c;
                }
            } else if (c == u'"') {
                aspas = true;
            } else if (c == u',') {
                campos.append(campo);
                campo.clear();
            } else {
                campo += c;
            }
        }
        if (aspas)
            throw Erro(QStringLiteral("Aspas não fechadas na linha %1.").arg(n + 1));
        campos.append(campo);
        linhas.append(campos);
    }
    return linhas;
}

QVector<RegistroDat> IndiceDiario(const QVector<VariacaoMensal>& serie, QDate inicio)
{
    QVector<RegistroDat> registros;
    double indice = 1.0; // on day 1 of the month being spread
    QDate mes(inicio.year(), inicio.month(), 1);
    for (const VariacaoMensal& v : serie) {
        if (QDate(v.ano, v.mes, 1) < mes)
            continue;
        if (QDate(v.ano, v.mes, 1) != mes)
            throw Erro(QStringLiteral("A série do índice diário pula de %1 para %2/%3.")
                           .arg(mes.toString(QStringLiteral("MM/yyyy")))
                           .arg(v.mes, 2, 10, QLatin1Char('0'))
                           .arg(v.ano));
        const double fator = 1.0 + v.variacao / 100.0;
        const int dias = mes.daysInMonth();
        for (int d = 1; d <= dias; ++d)
            registros.append({1, QDate(mes.year(), mes.month(), d),
                d == 1 ? indice : indice * std::pow(fator, double(d - 1) / dias)});
        indice *= fator;
        mes = mes.addMonths(1);
    }
    return registros;
}

QByteArray ArquivoInicial(ArquivoDat arquivo)
{
    const LayoutDat& layout = Layout(arquivo);
    switch (arquivo) {
    case ArquivoDat::FaixasINSS:
        return CodificaRegistros(layout, registrosMensais(layout, QStringLiteral("faixasinss.csv")));
    case ArquivoDat::Valores:
        return CodificaRegistros(layout, registrosMensais(layout, QStringLiteral("valores.csv")));
    case ArquivoDat::FaixasIR2:
        return CodificaRegistros(layout, registrosMensais(layout, QStringLiteral("faixasir.csv")));
    case ArquivoDat::Diario:
        return CodificaRegistros(layout, IndiceDiario(serieIpcaE(), InicioIndice));
    }
    return {};
}

void GravaArquivosIniciais(const QString& pasta)
{
    QDir().mkpath(pasta);
    for (ArquivoDat a : {ArquivoDat::FaixasINSS, ArquivoDat::Valores, ArquivoDat::FaixasIR2, ArquivoDat::Diario})
        GravaAtomico(ComBarra(pasta) + Layout(a).arquivo, ArquivoInicial(a));
}

void GaranteTabelasReferencia(BancoDados& banco, Feedback& feedback)
{
    // Each table on its own: a table that was filled (or refreshed by a download) keeps its
    // rows, since the shipped data may be older than what the server published.
    for (ArquivoDat a : {ArquivoDat::FaixasINSS, ArquivoDat::Diario, ArquivoDat::Valores, ArquivoDat::FaixasIR2}) {
        const LayoutDat& layout = Layout(a);
        if (!tabelaVazia(banco, layout.tabela))
            continue;
        GravaAtomico(PastaTabelas() + layout.arquivo, ArquivoInicial(a));
        ImportaArquivo(banco, feedback, layout);
    }
    const std::pair<const char*, const char*> consultas[] = {
        {"PrevEmpregador", "prev_empregador.csv"},
        {"PrevSAT", "prev_sat.csv"},
        {"PrevTerceiro", "prev_terceiro.csv"},
        {"TAB_OUTROS_DESCRICAO", "outros_descricao.csv"},
    };
    bool preenchida = false;
    for (const auto& [tabela, arquivo] : consultas)
        if (tabelaVazia(banco, QString::fromLatin1(tabela))) {
            preencheConsulta(banco, QString::fromLatin1(tabela), QString::fromLatin1(arquivo));
            preenchida = true;
        }
    if (preenchida && banco.profundidadeTransacao() == 0)
        banco.Consolida();
}

} // namespace quintar
