#include "TextoRico.h"

#include "TextoAnsi.h"

#include <QHash>
#include <QMimeData>
#include <QStringDecoder>

#include <algorithm>
#include <cmath>

namespace quintar {

namespace {

constexpr qreal TwipsPorMm = 1440.0 / 25.4;

int twips(qreal mm)
{
    return qRound(mm * TwipsPorMm);
}

BlocoTexto novoParagrafo(const Fonte& fonte, Qt::Alignment alinhamento)
{
    BlocoTexto b;
    b.tipo = BlocoTexto::Paragrafo;
    b.fonte = fonte;
    b.alinhamento = alinhamento;
    return b;
}

// Unicode -> Windows-1252 byte for the characters above 127 that the code page has.
const QHash<char16_t, uchar>& tabelaCp1252()
{
    static const QHash<char16_t, uchar> tabela = [] {
        QHash<char16_t, uchar> t;
        QStringDecoder decodificador("windows-1252");
        for (int b = 0x80; b <= 0xFF; ++b) {
            const QString c = decodificador(QByteArray(1, char(b)));
            // Undefined bytes decode to the replacement or to a C1 control character.
            if (c.size() == 1 && c[0] != QChar::ReplacementCharacter
                && !(c[0].unicode() >= 0x80 && c[0].unicode() < 0xA0))
                t.insert(c[0].unicode(), uchar(b));
        }
        return t;
    }();
    return tabela;
}

// Text of the document in RTF: the control characters escaped, Windows-1252 bytes as \'hh,
// any other character as \uN followed by "?" for readers that do not know \u.
QByteArray rtfTexto(const QString& texto)
{
    static const char* const hexa = "0123456789abcdef";
    QByteArray saida;
    for (const QChar c : texto) {
        const char16_t u = c.unicode();
        if (u == u'\\' || u == u'{' || u == u'}') {
            saida += '\\';
            saida += char(u);
        } else if (u == u'\t') {
            saida += "\\tab ";
        } else if (u == u'\n') {
            saida += "\\line ";
        } else if (u >= 0x20 && u < 0x80) {
            saida += char(u);
        } else if (u < 0x20) {
            // Other control characters have no place in a report.
        } else if (const auto it = tabelaCp1252().constFind(u); it != tabelaCp1252().constEnd()) {
            saida += "\\'";
            saida += hexa[*it >> 4];
            saida += hexa[*it & 0xF];
        } else {
            saida += "\\u" + QByteArray::number(qint16(u)) + '?';
        }
    }
    return saida;
}

QByteArray rtfFonte(const Fonte& fonte)
{
    return (fonte.familia == Fonte::Courier ? QByteArray("\\f0") : QByteArray("\\f1")) + "\\fs"
        + QByteArray::number(qRound(fonte.pontos * 2));
}

QByteArray rtfAlinhamento(Qt::Alignment a)
{
    if (a & Qt::AlignHCenter)
        return "\\qc";
    if (a & Qt::AlignRight)
        return "\\qr";
    return "\\ql";
}

QByteArray rtfTrechos(const QVector<TrechoTexto>& trechos)
{
    QByteArray saida;
    for (const TrechoTexto& t : trechos) {
        if (t.tabulacao)
            saida += "\\tab ";
        else if (t.negrito)
            saida += "{\\b " + rtfTexto(t.texto) + '}';
        else
            saida += "{" + rtfTexto(t.texto) + '}';
    }
    return saida;
}

QString htmlTrechos(const QVector<TrechoTexto>& trechos)
{
    QString saida;
    for (const TrechoTexto& t : trechos) {
        if (t.tabulacao)
            saida += u' ';
        else if (t.negrito)
            saida += QStringLiteral("<b>") + t.texto.toHtmlEscaped() + QStringLiteral("</b>");
        else
            saida += t.texto.toHtmlEscaped();
    }
    return saida;
}

QString htmlFonte(const Fonte& fonte)
{
    return QStringLiteral("font-family:'%1';font-size:%2pt")
        .arg(fonte.familia == Fonte::Courier ? QStringLiteral("Courier New") : QStringLiteral("Arial"))
        .arg(fonte.pontos);
}

QString htmlAlinhamento(Qt::Alignment a)
{
    if (a & Qt::AlignHCenter)
        return QStringLiteral("center");
    if (a & Qt::AlignRight)
        return QStringLiteral("right");
    return QStringLiteral("left");
}

// Splits a paragraph at its first tab: the text before it and the text after it.
void divideNaTabulacao(const BlocoTexto& b, QVector<TrechoTexto>& antes, QVector<TrechoTexto>& depois)
{
    bool passou = false;
    for (const TrechoTexto& t : b.trechos) {
        if (t.tabulacao && !passou) {
            passou = true;
            continue;
        }
        (passou ? depois : antes).append(t);
    }
}

QString textoDe(const QVector<TrechoTexto>& trechos)
{
    QString s;
    for (const TrechoTexto& t : trechos)
        s += t.tabulacao ? QStringLiteral(" ") : t.texto;
    return s;
}

// One cell of a table row as laid out: where it starts and ends, and how many columns it spans.
struct Celula {
    TrechoTexto trecho;
    qreal inicio = 0;
    qreal fim = 0;
    int colunas = 1;
    Qt::Alignment alinhamento;
};

QVector<Celula> celulasDaLinha(const BlocoTexto& b, qsizetype linha)
{
    QVector<Celula> celulas;
    const QVector<TrechoTexto>& pecas = b.linhas[linha];
    const int junta = linha < b.juntaPrimeiras.size() ? std::max(1, b.juntaPrimeiras[linha]) : 1;
    qreal x = 0;
    qsizetype peca = 0;
    for (qsizetype k = 0; k < b.colunas.size();) {
        Celula c;
        c.inicio = x;
        c.colunas = k == 0 ? int(std::min<qsizetype>(junta, b.colunas.size())) : 1;
        c.alinhamento = b.colunas[k].alinhamento;
        for (int j = 0; j < c.colunas; ++j)
            x += b.colunas[k + j].largura;
        c.fim = x;
        c.trecho = peca < pecas.size() ? pecas[peca] : TrechoTexto{};
        ++peca;
        k += c.colunas;
        celulas.append(c);
    }
    return celulas;
}

int caracteres(qreal mm, const Fonte& fonte)
{
    return std::max(1, int(std::floor(mm / fonte.larguraCaractere() + 0.5)));
}

} // namespace

void DocumentoTexto::paragrafo(const QVector<TrechoTexto>& trechos, const Fonte& fonte, Qt::Alignment alinhamento)
{
    BlocoTexto b = novoParagrafo(fonte, alinhamento);
    b.trechos = trechos;
    blocos.append(b);
}

void DocumentoTexto::titulo(const QString& texto, qreal pontos, Qt::Alignment alinhamento, qreal espacoAntes)
{
    BlocoTexto b = novoParagrafo(Titulo(pontos), alinhamento);
    b.trechos.append({texto, true, false});
    b.espacoAntes = espacoAntes;
    blocos.append(b);
}

void DocumentoTexto::campo(const QString& rotulo, const QString& valor, qreal tabulacao, const Fonte& fonte)
{
    BlocoTexto b = novoParagrafo(fonte, Qt::AlignLeft);
    b.trechos = {{rotulo, true, false}, {QString(), false, true}, {valor, false, false}};
    b.tabulacao = tabulacao;
    blocos.append(b);
}

void DocumentoTexto::valor(
    const QString& rotulo, const QString& valor, qreal tabulacao, const Fonte& fonte, bool negrito)
{
    BlocoTexto b = novoParagrafo(fonte, Qt::AlignLeft);
    b.trechos = {{rotulo, negrito, false}, {QString(), false, true}, {valor, negrito, false}};
    b.tabulacao = tabulacao;
    b.tabulacaoDireita = true;
    blocos.append(b);
}

void DocumentoTexto::tabela(const QVector<ColunaTexto>& colunas, const QVector<QVector<TrechoTexto>>& linhas,
    int linhasCabecalho, const Fonte& fonte, const QVector<int>& juntaPrimeiras)
{
    BlocoTexto b;
    b.tipo = BlocoTexto::Tabela;
    b.juntaPrimeiras = juntaPrimeiras;
    b.fonte = fonte;
    b.colunas = colunas;
    b.linhas = linhas;
    b.linhasCabecalho = linhasCabecalho;
    blocos.append(b);
}

void DocumentoTexto::quebraPagina()
{
    BlocoTexto b;
    b.tipo = BlocoTexto::QuebraPagina;
    blocos.append(b);
}

void DocumentoTexto::acrescenta(const DocumentoTexto& outro)
{
    blocos += outro.blocos;
}

QByteArray DocumentoTexto::rtf() const
{
    const int m = twips(margem);
    QByteArray s =
        "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1\r\n"
        "{\\fonttbl{\\f0\\fmodern\\fprq1\\fcharset0 Courier New;}{\\f1\\fswiss\\fprq2\\fcharset0 Arial;}}\r\n"
        "\\paperw11906\\paperh16838\\margl"
        + QByteArray::number(m) + "\\margr" + QByteArray::number(m) + "\\margt" + QByteArray::number(m) + "\\margb"
        + QByteArray::number(m) + "\\widowctrl\r\n";
    for (const BlocoTexto& b : blocos) {
        switch (b.tipo) {
        case BlocoTexto::Paragrafo: {
            s += "\\pard\\plain" + rtfAlinhamento(b.alinhamento) + rtfFonte(b.fonte);
            if (b.espacoAntes > 0)
                s += "\\sb" + QByteArray::number(qRound(b.espacoAntes * 20));
            if (b.tabulacao > 0)
                s += QByteArray(b.tabulacaoDireita ? "\\tqr" : "") + "\\tx" + QByteArray::number(twips(b.tabulacao));
            s += ' ' + rtfTrechos(b.trechos) + "\\par\r\n";
            break;
        }
        case BlocoTexto::Tabela: {
            for (qsizetype i = 0; i < b.linhas.size(); ++i) {
                const QVector<Celula> celulas = celulasDaLinha(b, i);
                QByteArray definicao;
                for (const Celula& c : celulas)
                    definicao += "\\cellx" + QByteArray::number(twips(c.fim));
                s += "\\trowd\\trgaph57\\trleft0" + QByteArray(i < b.linhasCabecalho ? "\\trhdr" : "") + definicao
                    + "\r\n";
                for (const Celula& c : celulas)
                    s += "\\pard\\plain\\intbl" + rtfAlinhamento(c.alinhamento) + rtfFonte(b.fonte) + ' '
                        + rtfTrechos({c.trecho}) + "\\cell\r\n";
                s += "\\row\r\n";
            }
            s += "\\pard\\plain\r\n";
            break;
        }
        case BlocoTexto::QuebraPagina:
            s += "\\pard\\plain\\page\r\n";
            break;
        }
    }
    s += "}\r\n";
    return s;
}

QString DocumentoTexto::html() const
{
    QString s = QStringLiteral("<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"></head><body>\n");
    bool tabelaAberta = false;
    const auto fechaTabela = [&] {
        if (tabelaAberta)
            s += QStringLiteral("</table>\n");
        tabelaAberta = false;
    };
    for (const BlocoTexto& b : blocos) {
        switch (b.tipo) {
        case BlocoTexto::Paragrafo:
            if (b.tabulacao > 0) {
                // Consecutive label-and-value lines share one table, so the values align.
                if (!tabelaAberta)
                    s += QStringLiteral("<table style=\"border-collapse:collapse;%1\">\n").arg(htmlFonte(b.fonte));
                tabelaAberta = true;
                QVector<TrechoTexto> antes, depois;
                divideNaTabulacao(b, antes, depois);
                s += QStringLiteral(
                    "<tr><td style=\"padding-right:2em\">%1</td><td style=\"text-align:%2\">%3</td></tr>\n")
                         .arg(htmlTrechos(antes), b.tabulacaoDireita ? QStringLiteral("right") : QStringLiteral("left"),
                             htmlTrechos(depois));
            } else {
                fechaTabela();
                s += QStringLiteral("<p style=\"%1;text-align:%2;margin:%3pt 0 0 0;white-space:pre-wrap\">%4</p>\n")
                         .arg(htmlFonte(b.fonte), htmlAlinhamento(b.alinhamento))
                         .arg(b.espacoAntes)
                         .arg(htmlTrechos(b.trechos));
            }
            break;
        case BlocoTexto::Tabela: {
            fechaTabela();
            s += QStringLiteral("<table style=\"border-collapse:collapse;%1\">\n").arg(htmlFonte(b.fonte));
            for (qsizetype i = 0; i < b.linhas.size(); ++i) {
                const bool cabecalho = i < b.linhasCabecalho;
                s += QStringLiteral("<tr>");
                for (const Celula& c : celulasDaLinha(b, i))
                    s += QStringLiteral("<%1%4 style=\"text-align:%2;padding:0 0.5em\">%3</%1>")
                             .arg(cabecalho ? QStringLiteral("th") : QStringLiteral("td"),
                                 htmlAlinhamento(c.alinhamento), htmlTrechos({c.trecho}),
                                 c.colunas > 1 ? QStringLiteral(" colspan=\"%1\"").arg(c.colunas) : QString());
                s += QStringLiteral("</tr>\n");
            }
            s += QStringLiteral("</table>\n");
            break;
        }
        case BlocoTexto::QuebraPagina:
            fechaTabela();
            s += QStringLiteral("<div style=\"page-break-before:always\"></div>\n");
            break;
        }
    }
    fechaTabela();
    s += QStringLiteral("</body></html>\n");
    return s;
}

QString DocumentoTexto::textoSimples() const
{
    // First every line but the centred ones, whose width is then that of the widest line.
    struct Linha {
        QString texto;
        Qt::Alignment alinhamento;
    };
    QVector<Linha> linhas;
    for (const BlocoTexto& b : blocos) {
        switch (b.tipo) {
        case BlocoTexto::Paragrafo: {
            if (b.espacoAntes > 0 && !linhas.isEmpty())
                linhas.append({QString(), Qt::AlignLeft});
            if (b.tabulacao > 0) {
                QVector<TrechoTexto> antes, depois;
                divideNaTabulacao(b, antes, depois);
                const QString esquerda = textoDe(antes), direita = textoDe(depois);
                const int parada = caracteres(b.tabulacao, b.fonte);
                QString l;
                if (b.tabulacaoDireita)
                    l = esquerda + QString(std::max<qsizetype>(1, parada - esquerda.size() - direita.size()), u' ')
                        + direita;
                else
                    l = esquerda.leftJustified(std::max<qsizetype>(parada, esquerda.size() + 1), u' ') + direita;
                linhas.append({l, Qt::AlignLeft});
            } else {
                linhas.append({textoDe(b.trechos), b.alinhamento});
            }
            break;
        }
        case BlocoTexto::Tabela:
            for (qsizetype i = 0; i < b.linhas.size(); ++i) {
                QStringList textos;
                for (const Celula& c : celulasDaLinha(b, i)) {
                    const int largura = caracteres(c.fim - c.inicio, b.fonte) - 1;
                    textos.append(c.alinhamento & Qt::AlignRight ? c.trecho.texto.rightJustified(largura, u' ')
                                                                 : c.trecho.texto.leftJustified(largura, u' '));
                }
                linhas.append({textos.join(u' '), Qt::AlignLeft});
            }
            break;
        case BlocoTexto::QuebraPagina:
            linhas.append({QString(), Qt::AlignLeft});
            linhas.append({QString(), Qt::AlignLeft});
            break;
        }
    }
    qsizetype largura = 0;
    for (const Linha& l : linhas)
        if (!(l.alinhamento & Qt::AlignHCenter))
            largura = std::max(largura, l.texto.size());
    QString s;
    for (const Linha& l : linhas) {
        QString t = l.texto;
        if (l.alinhamento & Qt::AlignHCenter)
            t = QString(std::max<qsizetype>(0, (largura - t.size()) / 2), u' ') + t;
        else if (l.alinhamento & Qt::AlignRight)
            t = t.rightJustified(largura, u' ');
        while (t.endsWith(u' '))
            t.chop(1);
        s += t + u'\n';
    }
    return s;
}

void GravaRtf(const DocumentoTexto& documento, const QString& caminho)
{
    GravaAtomico(caminho, documento.rtf());
}

QMimeData* ConteudoAreaTransferencia(const DocumentoTexto& documento)
{
    auto* dados = new QMimeData;
    dados->setData(QStringLiteral("text/rtf"), documento.rtf());
    dados->setHtml(documento.html());
    dados->setText(documento.textoSimples());
    return dados;
}

} // namespace quintar
