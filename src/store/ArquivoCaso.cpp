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
                feito = tipo == Sentenca::Tipo::Texto && std::all_of(texto.begin(), texto.end(), [](char b) {
                    return static_cast<unsigned char>(b) - 1u < 0x7Fu; // 1 to 127
                });
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
    // The case file is written; a list that cannot be written is only said.
    QString motivo;
    if (!RegistraRecente(caminho, &motivo))
        feedback.status(motivo);
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

// The next column element of a row: "<NAME>value</NAME>" in the usual form is split here
// (the first '<' and '>' open it and the next '<' closes it), anything else by ExtraiElemento,
// which gives the same for the usual form.
Elemento elementoDaLinha(QStringView texto)
{
    const qsizetype a = ProximoCaractere(texto, 0, u'<');
    const qsizetype b = a < 0 ? -1 : ProximoCaractere(texto, a + 1, u'>');
    if (b < 0 || ProximoCaractere(texto.left(a), 0, u'>') >= 0 || texto[a + 1] == u'/')
        return ExtraiElemento(texto);
    const QStringView nome = texto.mid(a + 1, b - a - 1);
    if (ProximoCaractere(nome, 0, u'<') >= 0)
        return ExtraiElemento(texto);
    const qsizetype c = ProximoCaractere(texto, b + 1, u'<');
    const qsizetype fim = c + 2 + nome.size();
    if (c < 0 || fim >= texto.size() || texto[c + 1] != u'/' || texto[fim] != u'>'
        || !IgualSemCaixa(texto.mid(c + 2, nome.size()), nome))
        return ExtraiElemento(texto);
    Elemento e;
    e.nome = nome;
    e.conteudo = texto.mid(b + 1, c - b - 1);
    e.resto = texto.mid(fim + 1);
    e.fechado = true;
    return e;
}

// The columns a row must have: PROCESSO_ID, which says which case it belongs to, and every
// column of the key. Left out, a PROCESSO_ID alone would be given the next free number by
// the database and the row would join another case.
QVector<int> obrigatorias(const Tabela& tabela)
{
    QVector<int> colunas{tabela.indice(u"PROCESSO_ID")};
    for (const QString& coluna : tabela.chave)
        if (!colunas.contains(tabela.indice(coluna)))
            colunas.append(tabela.indice(coluna));
    return colunas;
}

// A column element of a row: its name and its value text.
struct ColunaLida {
    QStringView nome;
    QStringView valor;
};
using ColunasLidas = QVarLengthArray<ColunaLida, 64>;

// The row element at the start of the text in the usual form: its opening tag, column
// elements "<NAME>value</NAME>" with nothing but blanks and line breaks between them, its
// closing tag. Then its name, its columns and the text after it are found in one pass, and
// they are what ExtraiElemento would find; false for any other form, which ExtraiElemento
// splits.
bool linhaSimples(QStringView texto, QStringView* nome, ColunasLidas* colunas, QStringView* resto)
{
    const auto semFecho = [](QStringView trecho) { return ProximoCaractere(trecho, 0, u'>') < 0; };
    const qsizetype a = ProximoCaractere(texto, 0, u'<');
    const qsizetype b = a < 0 ? -1 : ProximoCaractere(texto, a + 1, u'>');
    if (b < 0 || !semFecho(texto.left(a)) || texto[a + 1] == u'/')
        return false;
    const QStringView linha = texto.mid(a + 1, b - a - 1);
    if (ProximoCaractere(linha, 0, u'<') >= 0)
        return false;
    for (qsizetype pos = b + 1;;) {
        const qsizetype c = ProximoCaractere(texto, pos, u'<');
        if (c < 0 || c + 1 >= texto.size() || !semFecho(texto.mid(pos, c - pos)))
            return false;
        if (texto[c + 1] == u'/') { // the row's closing tag, or another form
            const qsizetype f = c + 2 + linha.size();
            if (f >= texto.size() || texto[f] != u'>' || !IgualSemCaixa(texto.mid(c + 2, linha.size()), linha))
                return false;
            *nome = linha;
            *resto = texto.mid(f + 1);
            return true;
        }
        const qsizetype d = ProximoCaractere(texto, c + 1, u'>');
        if (d < 0)
            return false;
        const QStringView coluna = texto.mid(c + 1, d - c - 1);
        // An empty name, a '<' in it or a column named like its row: the general way decides.
        if (coluna.isEmpty() || ProximoCaractere(coluna, 0, u'<') >= 0 || IgualSemCaixa(coluna, linha))
            return false;
        const qsizetype e = ProximoCaractere(texto, d + 1, u'<');
        const qsizetype g = e + 2 + coluna.size();
        if (e < 0 || g >= texto.size() || texto[e + 1] != u'/' || texto[g] != u'>'
            || !IgualSemCaixa(texto.mid(e + 2, coluna.size()), coluna))
            return false;
        colunas->append({coluna, texto.mid(d + 1, e - d - 1)});
        pos = g + 1;
    }
}

// Appends one row: from its columns found by linhaSimples, or (lidas null) from the content
// of its element, split here.
void importaRegistro(Sentenca& insercao, const QVector<int>& obrigatorias, const Tabela& tabela, QStringView conteudo,
    const ColunasLidas* lidas, Feedback& feedback, const QString& caminho)
{
    const qsizetype n = tabela.colunas.size();
    QVarLengthArray<ValorLido, 64> valores(n);
    bool rejeitado = false;
    const bool ehProcesso = tabela.nome == u"TAB_PROCESSO";
    QStringView resto = conteudo;
    int esperada = 0; // the columns usually come in the table's order
    for (qsizetype k = 0;; ++k) {
        Elemento e;
        if (lidas) {
            if (k == lidas->size())
                break;
            e.nome = (*lidas)[k].nome;
            e.conteudo = (*lidas)[k].valor;
        } else {
            e = elementoDaLinha(resto);
            if (e.nome.isEmpty())
                break;
            if (!e.fechado)
                arquivoInvalido(caminho);
        }
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
            valores[i] = LeValorDoTexto(tabela.colunas[i], e.conteudo);
            esperada = i + 1;
        }
        resto = e.resto;
    }
    if (rejeitado)
        return;
    for (const int i : obrigatorias)
        if (valores[i].tipo == ValorLido::Tipo::Nulo)
            throw Erro(QStringLiteral("Estrutura \"%1\" sem o campo \"%2\".").arg(tabela.nome, tabela.colunas[i].nome));

    Sentenca& s = insercao;
    for (int i = 0; i < n; ++i) {
        const ValorLido& v = valores[i];
        switch (v.tipo) {
        case ValorLido::Tipo::Nulo:
            s.ligaNulo(i);
            break;
        case ValorLido::Tipo::Inteiro:
            s.liga(i, v.inteiro);
            break;
        case ValorLido::Tipo::Real:
            s.liga(i, v.real);
            break;
        case ValorLido::Tipo::Texto:
            s.liga(i, v.texto);
            break;
        case ValorLido::Tipo::TextoProprio:
            s.liga(i, QStringView(v.textoProprio));
            break;
        }
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
    // Every CR followed by an LF and every LF after a CR.
    const qsizetype n = texto.size();
    bool pronto = true;
    for (qsizetype i = ProximoCaractere(texto, 0, u'\r'); pronto && i >= 0; i = ProximoCaractere(texto, i + 1, u'\r'))
        pronto = i + 1 < n && texto[i + 1] == u'\n';
    for (qsizetype i = ProximoCaractere(texto, 0, u'\n'); pronto && i >= 0; i = ProximoCaractere(texto, i + 1, u'\n'))
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
    importaRegistro(insercao(banco, tabela), obrigatorias(tabela), tabela, conteudo, nullptr, feedback, QString());
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
    // The statement and the columns a row must have of each table, found once: the tables are
    // not touched again while reading.
    struct Insercao {
        Sentenca* sentenca = nullptr;
        QVector<int> obrigatorias;
    };
    QHash<const Tabela*, Insercao> insercoes;
    ColunasLidas lidas;
    for (;;) {
        lidas.clear();
        Elemento e;
        const bool simples = linhaSimples(resto, &e.nome, &lidas, &e.resto);
        if (simples)
            e.fechado = true;
        else
            e = ExtraiElemento(resto);
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
        Insercao& ins = insercoes[tabela];
        if (!ins.sentenca)
            ins = {&insercao(banco, *tabela), obrigatorias(*tabela)};
        importaRegistro(
            *ins.sentenca, ins.obrigatorias, *tabela, e.conteudo, simples ? &lidas : nullptr, feedback, caminho);
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

bool RegistraRecente(const QString& caminho, QString* motivo)
{
    QStringList lista = LeRecentes();
    const qsizetype i = lista.lastIndexOf(caminho);
    if (i >= 0 && i == lista.size() - 1 && QFileInfo::exists(arquivoRecentes()))
        return true; // already the newest: the file stays as it is
    if (i < 0) {
        lista.append(caminho);
        if (lista.size() > 9)
            lista.removeFirst();
    } else {
        lista.append(lista.takeAt(i));
    }
    try {
        GravaRecentes(lista);
    } catch (const Erro& e) {
        if (motivo)
            *motivo = e.mensagem();
        return false;
    }
    return true;
}

} // namespace quintar
