#pragma once

#include "Paginas.h"

#include <QByteArray>
#include <QString>
#include <QVector>

class QMimeData;

namespace quintar {

// A flowing document for the destinations that are not pages: an RTF file, and the
// clipboard (RTF with HTML and plain text beside it). Positions are in millimetres from
// the left margin; the sheet is A4 portrait.

struct TrechoTexto {
    QString texto;
    bool negrito = false;
    bool tabulacao = false; // a jump to the paragraph's tab stop instead of text
};

struct ColunaTexto {
    qreal largura = 20;
    Qt::Alignment alinhamento = Qt::AlignRight;
};

struct BlocoTexto {
    enum Tipo { Paragrafo, Tabela, QuebraPagina };
    Tipo tipo = Paragrafo;
    Fonte fonte;
    Qt::Alignment alinhamento = Qt::AlignLeft; // of a paragraph
    QVector<TrechoTexto> trechos; // of a paragraph
    qreal tabulacao = 0; // the paragraph's tab stop
    bool tabulacaoDireita = false; // the text after the tab ends at the stop
    qreal espacoAntes = 0; // points above the paragraph
    QVector<ColunaTexto> colunas; // of a table
    QVector<QVector<TrechoTexto>> linhas; // of a table: one piece per cell
    QVector<int> juntaPrimeiras; // of a table: per row, how many leading columns
                                 // its first cell spans (missing or 1: none)
    int linhasCabecalho = 0; // the first rows, repeated on every page
};

class DocumentoTexto {
public:
    qreal margem = 10; // millimetres, on every side
    QVector<BlocoTexto> blocos;

    void paragrafo(const QVector<TrechoTexto>& trechos, const Fonte& fonte, Qt::Alignment alinhamento = Qt::AlignLeft);
    // A bold title in Arial.
    void titulo(const QString& texto, qreal pontos, Qt::Alignment alinhamento, qreal espacoAntes = 0);
    // "RÓTULO:" then the value from the tab stop on.
    void campo(const QString& rotulo, const QString& valor, qreal tabulacao, const Fonte& fonte);
    // The label on the left, the value right-aligned so that it ends at the tab stop.
    void valor(const QString& rotulo, const QString& valor, qreal tabulacao, const Fonte& fonte, bool negrito = false);
    void tabela(const QVector<ColunaTexto>& colunas, const QVector<QVector<TrechoTexto>>& linhas, int linhasCabecalho,
        const Fonte& fonte, const QVector<int>& juntaPrimeiras = {});
    void quebraPagina();
    void acrescenta(const DocumentoTexto& outro);

    // RTF 1.x: Windows-1252 text, \uN for anything else, Courier New and Arial.
    QByteArray rtf() const;
    QString html() const;
    // Monospaced plain text: tab stops and columns become blanks.
    QString textoSimples() const;
};

// Writes the RTF atomically; a failure throws Erro with the system's reason.
void GravaRtf(const DocumentoTexto& documento, const QString& caminho);
// The clipboard content: "text/rtf", "text/html" and "text/plain", built in memory.
// The caller owns the object (QClipboard::setMimeData takes it over).
QMimeData* ConteudoAreaTransferencia(const DocumentoTexto& documento);

} // namespace quintar
