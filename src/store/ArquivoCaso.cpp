#include "ArquivoCaso.h"

#include "BancoDados.h"
#include "Erro.h"
#include "Esquema.h"
#include "Pastas.h"
#include "Rotinas.h"
#include "TextoAnsi.h"
#include "Valores.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSqlError>
#include <QSqlRecord>
#include <QVarLengthArray>

#include <algorithm>
#include <string>
#include <vector>

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

namespace {

// The digits of a whole number, appended without a string between.
void apendaInteiro(std::string& saida, qint64 valor)
{
    const bool negativo = valor < 0;
    quint64 m = negativo ? quint64(0) - quint64(valor) : quint64(valor);
    char digitos[21];
    int n = 0;
    do {
        digitos[20 - n++] = char('0' + m % 10);
        m /= 10;
    } while (m != 0);
    if (negativo)
        digitos[20 - n++] = '-';
    saida.append(digitos + 21 - n, n);
}

// Money::toString(',') of a count of ten-thousandths.
void apendaDecimal(std::string& saida, qint64 raw)
{
    const bool negativo = raw < 0;
    const quint64 m = negativo ? quint64(0) - quint64(raw) : quint64(raw);
    if (negativo)
        saida.push_back('-');
    apendaInteiro(saida, qint64(m / Money::Escala));
    quint64 fracao = m % Money::Escala;
    if (fracao == 0)
        return;
    char casas[5] = {char('0' + fracao / 1000), char('0' + fracao / 100 % 10), char('0' + fracao / 10 % 10),
        char('0' + fracao % 10), 0};
    int n = 4;
    while (casas[n - 1] == '0')
        --n;
    saida.push_back(',');
    saida.append(casas, n);
}

// "yyyy-MM-dd" as stored, written dd/mm/yyyy; false when the text is not such a date.
bool apendaData(std::string& saida, QByteArrayView iso)
{
    if (iso.size() != 10 || iso[4] != '-' || iso[7] != '-')
        return false;
    for (int i : {0, 1, 2, 3, 5, 6, 8, 9})
        if (iso[i] < '0' || iso[i] > '9')
            return false;
    const auto numero = [&](int de, int n) {
        int v = 0;
        for (int i = de; i < de + n; ++i)
            v = v * 10 + (iso[i] - '0');
        return v;
    };
    if (!QDate(numero(0, 4), numero(5, 2), numero(8, 2)).isValid())
        return false;
    const char texto[10] = {iso[8], iso[9], '/', iso[5], iso[6], '/', iso[0], iso[1], iso[2], iso[3]};
    saida.append(texto, 10);
    return true;
}

} // namespace

namespace {

// The element lines of a table's rows, appended to a buffer that grows without Qt's checks.
void exporta(BancoDados& banco, const Tabela& tabela, std::string& saida, qint64 processoId)
{
    // The tags of the table and its columns, made once (names are ASCII).
    const std::string nome = tabela.nome.toStdString();
    const std::string abreLinha = " <" + nome + ">\r\n";
    const std::string fechaLinha = " </" + nome + ">\r\n";
    std::vector<std::string> abre, fecha;
    for (const Coluna& c : tabela.colunas) {
        abre.push_back("  <" + c.nome.toStdString() + '>');
        fecha.push_back("</" + c.nome.toStdString() + ">\r\n");
    }
    Sentenca& s =
        banco.sentenca(QStringLiteral("SELECT * FROM ") + tabela.nome + QStringLiteral(" WHERE PROCESSO_ID = ?"));
    s.liga(0, processoId);
    while (s.proxima()) {
        saida.append(abreLinha);
        for (int i = 0; i < tabela.colunas.size(); ++i) {
            const Sentenca::Tipo tipo = s.tipo(i);
            if (tipo == Sentenca::Tipo::Nulo)
                continue;
            const Coluna& c = tabela.colunas[i];
            saida.append(abre[i]);
            // The usual storage of each type is written directly; anything else through
            // TextoDoValor, which the reader mirrors.
            const bool inteiro = tipo == Sentenca::Tipo::Inteiro;
            bool feito = false;
            switch (c.tipo) {
            case TipoColuna::Decimal18:
            case TipoColuna::SmallInt:
            case TipoColuna::Integer:
                if ((feito = inteiro))
                    apendaInteiro(saida, s.inteiro(i));
                break;
            case TipoColuna::Money:
            case TipoColuna::Decimal:
                if ((feito = inteiro))
                    apendaDecimal(saida, s.inteiro(i));
                break;
            case TipoColuna::Date:
                feito = tipo == Sentenca::Tipo::Texto && apendaData(saida, s.utf8(i));
                break;
            case TipoColuna::Char:
            case TipoColuna::Varchar: {
                // ASCII is the same in UTF-8 and Windows-1252.
                const QByteArrayView texto = s.utf8(i);
                feito = tipo == Sentenca::Tipo::Texto
                    && std::all_of(texto.begin(), texto.end(), [](char b) { return b > 0; });
                if (feito)
                    saida.append(texto.data(), size_t(texto.size()));
                break;
            }
            default:
                break;
            }
            if (!feito)
                saida.append(CodificaAnsi(TextoDoValor(c, s.valor(i))).toStdString());
            saida.append(fecha[i]);
        }
        saida.append(fechaLinha);
    }
}

} // namespace

void ExportaTabela(BancoDados& banco, const Tabela& tabela, QByteArray& saida, qint64 processoId)
{
    std::string linhas;
    exporta(banco, tabela, linhas, processoId);
    saida.append(linhas.data(), qsizetype(linhas.size()));
}

QByteArray ConteudoArquivo(BancoDados& banco, qint64 processoId)
{
    std::string saida;
    saida.reserve(256 * 1024);
    saida.append("<PROCESSO>\r\n");
    for (const Tabela& t : TabelasTrabalho())
        exporta(banco, t, saida, processoId);
    saida.append("</PROCESSO>\r\n");
    return QByteArray(saida.data(), qsizetype(saida.size()));
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

// The statement that appends a row to the table with every column bound: a column that the
// element leaves out is bound NULL, which is what leaving it out of the INSERT gives (no
// column has a default), so one prepared statement serves every row of the table.
Sentenca& insercao(BancoDados& banco, const Tabela& tabela)
{
    static QHash<QString, QString> textos;
    QString& sql = textos[tabela.nome];
    if (sql.isEmpty()) {
        QStringList nomes, marcadores;
        for (const Coluna& c : tabela.colunas) {
            nomes.append(c.nome);
            marcadores.append(QStringLiteral("?"));
        }
        sql = QStringLiteral("INSERT INTO ") + tabela.nome + QStringLiteral(" (") + nomes.join(u',')
            + QStringLiteral(") VALUES (") + marcadores.join(u',') + u')';
    }
    return banco.sentenca(sql);
}

void importaRegistro(
    Sentenca& insercao, const Tabela& tabela, QStringView conteudo, Feedback& feedback, const QString& caminho)
{
    const qsizetype n = tabela.colunas.size();
    // A text is bound straight from the file's text; every other value as ValorDoTexto gives it.
    QVarLengthArray<QVariant, 64> valores(n);
    QVarLengthArray<QStringView, 64> textos(n);
    std::fill(textos.begin(), textos.end(), QStringView()); // a primitive type: not initialised
    bool rejeitado = false;
    const bool ehProcesso = tabela.nome == u"TAB_PROCESSO";
    QStringView resto = conteudo;
    int esperada = 0; // the columns usually come in the table's order
    for (;;) {
        const Elemento e = ExtraiElemento(resto);
        if (e.nome.isEmpty())
            break;
        if (!e.fechado)
            arquivoInvalido(caminho);
        int i = -1;
        if (ehProcesso || esperada >= n || !IgualSemCaixa(e.nome, tabela.colunas[esperada].nome)) {
            QString coluna = e.nome.toString().toUpper();
            if (ehProcesso && coluna.contains(QStringLiteral("_UNICO")))
                coluna = coluna.left(coluna.indexOf(QStringLiteral("_UNICO")));
            i = tabela.indice(coluna);
            if (i < 0) {
                feedback.informa(
                    QStringLiteral("Estrutura \"%1\" não prevista na tabela \"%2\".").arg(coluna, tabela.nome));
                rejeitado = true;
            }
        } else {
            i = esperada;
        }
        if (i >= 0) {
            const Coluna& c = tabela.colunas[i];
            const bool texto = (c.tipo == TipoColuna::Char || c.tipo == TipoColuna::Varchar) && !e.conteudo.isEmpty();
            textos[i] = texto ? e.conteudo : QStringView();
            valores[i] = texto ? QVariant() : ValorDoTexto(c, e.conteudo);
            esperada = i + 1;
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
        if (valores[i].isNull() && textos[i].isNull())
            throw Erro(QStringLiteral("Estrutura \"%1\" sem o campo \"%2\".").arg(tabela.nome, coluna));
    };
    exige(QStringLiteral("PROCESSO_ID"));
    for (const QString& coluna : tabela.chave)
        exige(coluna);

    Sentenca& s = insercao;
    for (int i = 0; i < n; ++i) {
        if (textos[i].isNull())
            s.liga(i, valores[i]);
        else
            s.liga(i, textos[i]);
    }
    try {
        s.executa();
    } catch (const Erro& e) {
        if (e.mensagem() == u"Key violation.")
            throw Erro(QStringLiteral("Estrutura com informações repetidas :") + tabela.nome);
        throw;
    }
}

// The text with every line ended by CR LF, as the reader has always joined the file's lines
// (ended by CR LF, CR or LF); a text already in that form is taken as it is.
QString juntaLinhas(QString texto)
{
    // Every CR followed by an LF and every LF after a CR (the searches for one character
    // are the quick ones).
    const qsizetype n = texto.size();
    bool pronto = true;
    for (qsizetype i = texto.indexOf(u'\r'); pronto && i >= 0; i = texto.indexOf(u'\r', i + 1))
        pronto = i + 1 < n && texto[i + 1] == u'\n';
    for (qsizetype i = texto.indexOf(u'\n'); pronto && i >= 0; i = texto.indexOf(u'\n', i + 1))
        pronto = i > 0 && texto[i - 1] == u'\r';
    if (pronto) {
        if (n > 0 && !texto.endsWith(QStringLiteral("\r\n")))
            texto += QStringLiteral("\r\n");
        return texto;
    }
    QString junto;
    junto.reserve(n + n / 16);
    for (const QString& linha : SeparaLinhas(texto))
        junto += linha + QStringLiteral("\r\n");
    return junto;
}

} // namespace

void ImportaRegistro(BancoDados& banco, const Tabela& tabela, QStringView conteudo, Feedback& feedback)
{
    importaRegistro(insercao(banco, tabela), tabela, conteudo, feedback, QString());
}

void LeArquivo(BancoDados& banco, const QString& caminho, Feedback& feedback)
{
    QFile arquivo(caminho);
    if (!arquivo.open(QIODevice::ReadOnly))
        throw Erro(QStringLiteral("Não foi possível abrir o arquivo \"%1\": %2").arg(caminho, arquivo.errorString()));
    // Lines joined with CR LF whatever the file used.
    const QString texto = juntaLinhas(DecodificaAnsi(arquivo.readAll()));
    arquivo.close();

    // The root is checked before anything changes. A root without its closing tag is a
    // truncated file: reading it would silently give an empty or partial case.
    const Elemento raiz = ExtraiElemento(texto);
    if (raiz.nome.toString().toUpper() != u"PROCESSO" || !raiz.fechado)
        arquivoInvalido(caminho);

    Transacao transacao(banco);
    banco.ReiniciaTabelas(feedback);
    QStringView resto = raiz.conteudo;
    const Tabela* anterior = nullptr;
    // The statement of each table, found once: the tables are not touched again while reading.
    QHash<const Tabela*, Sentenca*> insercoes;
    for (;;) {
        const Elemento e = ExtraiElemento(resto);
        if (e.nome.isEmpty())
            break;
        // Row elements of one table usually follow each other.
        const Tabela* tabela = anterior && IgualSemCaixa(e.nome, anterior->nome) ? anterior : TabelaTrabalho(e.nome);
        if (!tabela)
            throw Erro(QStringLiteral("Estrutura \"%1\" não prevista na aplicação.").arg(e.nome.toString().toUpper()));
        if (!e.fechado)
            arquivoInvalido(caminho);
        if (tabela != anterior) // the same text again would not change the status bar
            feedback.status(QStringLiteral("Importando ") + tabela->nome + u'.');
        Sentenca*& s = insercoes[tabela];
        if (!s)
            s = &insercao(banco, *tabela);
        importaRegistro(*s, *tabela, e.conteudo, feedback, caminho);
        anterior = tabela;
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
    if (i >= 0 && i == lista.size() - 1 && QFileInfo::exists(arquivoRecentes()))
        return; // already the newest: the file stays as it is
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
