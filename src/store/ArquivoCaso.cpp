#include "ArquivoCaso.h"

#include "BancoDados.h"
#include "Erro.h"
#include "Esquema.h"
#include "Pastas.h"
#include "Rotinas.h"
#include "TextoAnsi.h"
#include "Valores.h"

#include <QFile>
#include <QSqlError>
#include <QSqlRecord>

namespace quintar {

QString NomeArquivo(int numero, int ano, int vara, int regional, int sequencial)
{
    const auto parte = [](int v, int largura) { return ZerosEsquerda(QString::number(v), largura); };
    return parte(numero, 5) + u'.' + parte(ano, 4) + u'.' + parte(vara, 3) + u'.' + parte(regional, 2) + u'.'
           + parte(sequencial, 2) + QStringLiteral(".QNT.XML");
}

QString NomeArquivo(BancoDados& banco, qint64 processoId)
{
    QSqlQuery& q = banco.executa(
        QStringLiteral("SELECT NUMERO, ANO, VARA, REGIONAL, SEQUENCIAL FROM TAB_PROCESSO WHERE PROCESSO_ID = :id"),
        {{"id", processoId}});
    QString nome;
    if (q.next())
        nome = NomeArquivo(q.value(0).toInt(), q.value(1).toInt(), q.value(2).toInt(), q.value(3).toInt(),
                           q.value(4).toInt());
    q.finish();
    return nome;
}

QString CaminhoArquivo(const QString& arquivoEscolhido, BancoDados& banco, qint64 processoId)
{
    if (!arquivoEscolhido.isEmpty())
        return arquivoEscolhido;
    return DiretorioPadrao() + NomeArquivo(banco, processoId);
}

bool TabelaPrevista(QStringView nomeMaiusculo)
{
    for (const QString& t : TabelasCaso())
        if (nomeMaiusculo == t)
            return true;
    return false;
}

void ExportaTabela(BancoDados& banco, const Tabela& tabela, QStringList& linhas, qint64 processoId)
{
    QSqlQuery& q = banco.executa(QStringLiteral("SELECT * FROM ") + tabela.nome + QStringLiteral(" WHERE PROCESSO_ID = :id"),
                                 {{"id", processoId}});
    while (q.next()) {
        linhas.append(u' ' + (u'<' + tabela.nome + u'>'));
        for (int i = 0; i < tabela.colunas.size(); ++i) {
            const QVariant valor = q.value(i);
            if (valor.isNull())
                continue;
            const Coluna& c = tabela.colunas[i];
            linhas.append(QStringLiteral("  <%1>%2</%1>").arg(c.nome, TextoDoValor(c, valor)));
        }
        linhas.append(QStringLiteral(" </") + tabela.nome + u'>');
    }
    q.finish();
}

QByteArray ConteudoArquivo(BancoDados& banco, qint64 processoId)
{
    QStringList linhas{QStringLiteral("<PROCESSO>")};
    for (const Tabela& t : TabelasTrabalho())
        ExportaTabela(banco, t, linhas, processoId);
    linhas.append(QStringLiteral("</PROCESSO>"));
    QString texto;
    for (const QString& linha : linhas)
        texto += linha + QStringLiteral("\r\n");
    return CodificaAnsi(texto);
}

void GravaArquivo(BancoDados& banco, const QString& caminho, qint64 processoId, Feedback& feedback)
{
    GravaAtomico(caminho, ConteudoArquivo(banco, processoId));
    try {
        RegistraRecente(caminho);
    } catch (const Erro& e) {
        // The case file is written; the list only serves the search dialog.
        feedback.status(e.mensagem());
    }
}

namespace {

[[noreturn]] void arquivoInvalido(const QString& caminho)
{
    throw Erro(QStringLiteral("Arquivo \"%1\" não respeita as regras definidas.").arg(caminho));
}

void importaRegistro(BancoDados& banco, const Tabela& tabela, QStringView conteudo, Feedback& feedback,
                     const QString& caminho)
{
    QVector<QVariant> valores(tabela.colunas.size());
    QVector<bool> definidos(tabela.colunas.size(), false);
    bool rejeitado = false;
    const bool ehProcesso = tabela.nome == u"TAB_PROCESSO";
    QStringView resto = conteudo;
    for (;;) {
        const Elemento e = ExtraiElemento(resto);
        QString coluna = e.nome.toString().toUpper();
        if (coluna.isEmpty())
            break;
        if (!e.fechado)
            arquivoInvalido(caminho);
        if (ehProcesso && coluna.contains(QStringLiteral("_UNICO")))
            coluna = coluna.left(coluna.indexOf(QStringLiteral("_UNICO")));
        const int i = tabela.indice(coluna);
        if (i < 0) {
            feedback.informa(QStringLiteral("Estrutura \"%1\" não prevista na tabela \"%2\".").arg(coluna, tabela.nome));
            rejeitado = true;
        } else {
            valores[i] = ValorDoTexto(tabela.colunas[i], e.conteudo);
            definidos[i] = true;
        }
        resto = e.resto;
    }
    if (rejeitado)
        return;
    // A row must say which case it belongs to, and every column of its key: left out, a
    // PROCESSO_ID alone would be given the next free number by the database (it is SQLite's
    // row id) and the row would join another case.
    const auto exige = [&](const QString& coluna) {
        const int i = tabela.indice(coluna);
        if (!definidos[i] || valores[i].isNull())
            throw Erro(QStringLiteral("Estrutura \"%1\" sem o campo \"%2\".").arg(tabela.nome, coluna));
    };
    exige(QStringLiteral("PROCESSO_ID"));
    for (const QString& coluna : tabela.chave)
        exige(coluna);

    QStringList nomes, marcadores;
    QVector<QVariant> ligados;
    for (int i = 0; i < tabela.colunas.size(); ++i) {
        if (!definidos[i] || valores[i].isNull())
            continue;
        nomes.append(tabela.colunas[i].nome);
        marcadores.append(QStringLiteral("?"));
        ligados.append(valores[i]);
    }
    const QString sql = nomes.isEmpty()
                            ? QString(QStringLiteral("INSERT INTO ") + tabela.nome + QStringLiteral(" DEFAULT VALUES"))
                            : QString(QStringLiteral("INSERT INTO ") + tabela.nome + QStringLiteral(" (") + nomes.join(u',')
                                      + QStringLiteral(") VALUES (") + marcadores.join(u',') + u')');
    QSqlQuery& q = banco.consulta(sql);
    for (int i = 0; i < ligados.size(); ++i)
        q.bindValue(i, ligados[i]);
    if (!q.exec()) {
        const QString mensagem = MensagemErroBanco(q.lastError());
        if (mensagem == u"Key violation.")
            throw Erro(QStringLiteral("Estrutura com informações repetidas :") + tabela.nome);
        throw Erro(mensagem);
    }
}

} // namespace

void ImportaRegistro(BancoDados& banco, const Tabela& tabela, QStringView conteudo, Feedback& feedback)
{
    importaRegistro(banco, tabela, conteudo, feedback, QString());
}

void LeArquivo(BancoDados& banco, const QString& caminho, Feedback& feedback)
{
    QFile arquivo(caminho);
    if (!arquivo.open(QIODevice::ReadOnly))
        throw Erro(QStringLiteral("Não foi possível abrir o arquivo \"%1\": %2").arg(caminho, arquivo.errorString()));
    // Lines joined with CR LF whatever the file used.
    const QStringList linhas = SeparaLinhas(DecodificaAnsi(arquivo.readAll()));
    arquivo.close();
    QString texto;
    texto.reserve(linhas.size() * 40);
    for (const QString& linha : linhas)
        texto += linha + QStringLiteral("\r\n");

    // The root is checked before anything changes. A root without its closing tag is a
    // truncated file: reading it would silently give an empty or partial case.
    const Elemento raiz = ExtraiElemento(texto);
    if (raiz.nome.toString().toUpper() != u"PROCESSO" || !raiz.fechado)
        arquivoInvalido(caminho);

    Transacao transacao(banco);
    banco.ReiniciaTabelas(feedback);
    QStringView resto = raiz.conteudo;
    for (;;) {
        const Elemento e = ExtraiElemento(resto);
        const QString nome = e.nome.toString().toUpper();
        if (nome.isEmpty())
            break;
        if (!TabelaPrevista(nome))
            throw Erro(QStringLiteral("Estrutura \"%1\" não prevista na aplicação.").arg(nome));
        if (!e.fechado)
            arquivoInvalido(caminho);
        feedback.status(QStringLiteral("Importando ") + nome + u'.');
        importaRegistro(banco, *TabelaTrabalho(nome), e.conteudo, feedback, caminho);
        resto = e.resto;
    }
    transacao.confirma();
}

namespace {

QString arquivoRecentes()
{
    return PastaPrograma() + QStringLiteral("UltimosArquivos.txt");
}

} // namespace

QStringList LeRecentes()
{
    QFile arquivo(arquivoRecentes());
    if (!arquivo.open(QIODevice::ReadOnly))
        return {};
    QStringList lista = SeparaLinhas(DecodificaUtf8OuAnsi(arquivo.readAll()));
    lista.removeAll(QString());
    return lista;
}

void GravaRecentes(const QStringList& lista)
{
    QString texto;
    for (const QString& linha : lista)
        texto += linha + QStringLiteral("\r\n");
    GravaAtomico(arquivoRecentes(), texto.toUtf8());
}

void RegistraRecente(const QString& caminho)
{
    QStringList lista = LeRecentes();
    const qsizetype i = lista.lastIndexOf(caminho);
    if (i < 0) {
        lista.append(caminho);
        if (lista.size() > 9)
            lista.removeFirst();
    } else {
        lista.append(lista.takeAt(i));
    }
    GravaRecentes(lista);
}

} // namespace quintar
