#include "CicloCaso.h"

#include "ArquivoCaso.h"
#include "BancoDados.h"
#include "CasoAberto.h"
#include "Erro.h"
#include "Esquema.h"
#include "Pastas.h"
#include "Registros.h"
#include "Rotinas.h"
#include "TextoAnsi.h"
#include "Valores.h"

#include <QFileInfo>

namespace quintar {

namespace {

struct Obrigatorio {
    const char* coluna;
    const char* rotulo;
};

void exigeValores(const Registros& processo, std::initializer_list<Obrigatorio> obrigatorios)
{
    for (const Obrigatorio& o : obrigatorios) {
        const QString coluna = QString::fromLatin1(o.coluna);
        const QVariant v = processo.valor(coluna);
        if (v.isNull() || v.toString().isEmpty())
            throw Erro(QStringLiteral("Field '%1' must have a value").arg(QString::fromUtf8(o.rotulo)), coluna);
    }
}

int inteiro(const Registros& processo, const char* coluna)
{
    return processo.valor(QString::fromLatin1(coluna)).toInt();
}

} // namespace

Parametros LeParametros(const QString& arquivo)
{
    Parametros p;
    for (const QString& linha : LeLinhasAnsi(arquivo)) {
        const qsizetype igual = linha.indexOf(u'=');
        if (igual > 0)
            p.append({linha.left(igual), linha.mid(igual + 1)});
    }
    return p;
}

QString Parametro(const Parametros& parametros, QStringView nome)
{
    for (const auto& [n, v] : parametros)
        if (n.compare(nome, Qt::CaseInsensitive) == 0)
            return v;
    return {};
}

void DefineParametro(Parametros& parametros, const QString& nome, const QString& valor)
{
    for (auto& [n, v] : parametros)
        if (n.compare(nome, Qt::CaseInsensitive) == 0) {
            v = valor;
            return;
        }
    parametros.append({nome, valor});
}

void GravaParametros(const QString& arquivo, const Parametros& parametros)
{
    QStringList linhas;
    for (const auto& [n, v] : parametros)
        linhas.append(n + u'=' + v);
    GravaLinhasAnsi(arquivo, linhas);
}

QString ArquivoNovoProcesso()
{
    return PastaPrograma() + QStringLiteral("NovoProcesso.txt");
}

QString ArquivoPesquisa()
{
    return PastaPrograma() + QStringLiteral("Pesquisa.txt");
}

void NovoRegistroProcesso(Registros& processo, BancoDados& banco, QDate hoje)
{
    processo.preencheFlags(QStringLiteral("N"));
    processo.define(u"UNIDADE_SALARIO_FIXO", QStringLiteral("V"));
    processo.define(u"DATA_ATUALIZACAO", bancoData(DataAtualizacaoPadrao(banco, hoje)));
    const Parametros p = LeParametros(ArquivoNovoProcesso());
    if (p.isEmpty())
        return;
    const auto copia = [&](const char* coluna, const char* linha) {
        bool ok = false;
        const int v = Parametro(p, QString::fromLatin1(linha)).toInt(&ok);
        processo.define(QString::fromLatin1(coluna), ok ? QVariant(v) : QVariant());
    };
    if (!Parametro(p, u"NUMERO").isNull())
        copia("NUMERO", "NUMERO");
    copia("ANO", "ANO");
    copia("VARA", "VARA");
    copia("REGIONAL", "REGIONAL");
    copia("SEQUENCIAL", "SEQ");
}

void ValidaNovoProcesso(Registros& processo, BancoDados& banco, QDate hoje)
{
    exigeValores(processo,
        {{"NUMERO", "Número Único"}, {"ANO", "Ano"}, {"VARA", "Vara"}, {"REGIONAL", "Regional"},
            {"SEQUENCIAL", "Sequencial"}, {"DATA_ATUALIZACAO", "Atualização"}, {"DATA_INICIO_PACTO", "Inicio do Pacto"},
            {"DATA_FIM_PACTO", "Dispensa"}});
    const int numero = inteiro(processo, "NUMERO");
    const int ano = inteiro(processo, "ANO");
    const int vara = inteiro(processo, "VARA");
    const int regional = inteiro(processo, "REGIONAL");
    const int sequencial = inteiro(processo, "SEQUENCIAL");
    processo.define(u"PROCESSO_ID", numero);
    if (QFileInfo::exists(DiretorioPadrao() + NomeArquivo(numero, ano, vara, regional, sequencial)))
        throw Erro(QStringLiteral("Já existe um processo com esta identificação."), QStringLiteral("NUMERO"));
    const QDate inicio = lerData(processo.valor(u"DATA_INICIO_PACTO"));
    const QDate fim = lerData(processo.valor(u"DATA_FIM_PACTO"));
    const QString focoInicio = QStringLiteral("DATA_INICIO_PACTO");
    const QString focoDispensa = QStringLiteral("DATA_FIM_PACTO");
    if (!ExisteIndice(banco, inicio))
        throw Erro(
            QStringLiteral("Não existe indice de Correção Monetária para a data de Inídio do Pacto."), focoInicio);
    if (hoje < fim)
        throw Erro(QStringLiteral("Data da Dispensa deve ser MENOR ou IGUAL que a data do Computador."), focoDispensa);
    if (inicio >= fim)
        throw Erro(QStringLiteral("Data da Dispensa deve ser MAIOR que o Inicio do Pacto."), focoDispensa);
    if (!ExisteIndice(banco, fim))
        throw Erro(QStringLiteral("Não existe indice de Correção Monetária para a data da Dispensa."), focoDispensa);
    processo.define(u"DV", DV(numero, ano, vara, regional, sequencial));
}

void GravaNovoProcesso(const Registros& processo)
{
    const auto texto = [&](const char* coluna) { return processo.valor(QString::fromLatin1(coluna)).toString(); };
    GravaParametros(ArquivoNovoProcesso(),
        {{QStringLiteral("ANO"), texto("ANO")}, {QStringLiteral("VARA"), texto("VARA")},
            {QStringLiteral("REGIONAL"), texto("REGIONAL")}, {QStringLiteral("SEQ"), texto("SEQUENCIAL")}});
}

void ValidaSalvarComo(const Registros& processo)
{
    exigeValores(processo,
        {{"NUMERO", "Número Único"}, {"ANO", "Ano"}, {"VARA", "Vara"}, {"REGIONAL", "Regional"},
            {"SEQUENCIAL", "Sequencial"}, {"DV", "Dígito Verificador"}});
}

void RenumeraProcesso(BancoDados& banco, qint64 antigo, qint64 novo)
{
    if (antigo == novo)
        return;
    Transacao t(banco);
    for (const Tabela& tabela : TabelasTrabalho())
        banco.executa(QStringLiteral("UPDATE %1 SET PROCESSO_ID = :novo WHERE PROCESSO_ID = :antigo").arg(tabela.nome),
            {{"novo", novo}, {"antigo", antigo}});
    t.confirma();
}

QString NomePesquisa(const QStringList& campos)
{
    QString nome;
    for (const QString& c : campos)
        nome += (c.trimmed().isEmpty() ? QStringLiteral("*") : c) + u'.';
    return nome + QStringLiteral("QNT.XML");
}

void MesclaNovoProcesso(const QStringList& campos)
{
    static const char* const linhas[] = {"NUMERO", "ANO", "VARA", "REGIONAL", "SEQ"};
    Parametros p = LeParametros(ArquivoNovoProcesso());
    for (int i = 0; i < 5 && i < campos.size(); ++i)
        if (!campos[i].trimmed().isEmpty())
            DefineParametro(p, QString::fromLatin1(linhas[i]), campos[i]);
    GravaParametros(ArquivoNovoProcesso(), p);
}

} // namespace quintar
