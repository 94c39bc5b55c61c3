#pragma once

#include <QFont>
#include <QMarginsF>
#include <QPageLayout>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>

class QPagedPaintDevice;
class QPainter;

namespace quintar {

// The report layer. A report is prepared once as a list of pages, each a list of drawing
// commands in millimetres from the top-left corner of an A4 sheet; the same pages are then
// drawn on any paged device (a PDF file, a printer) or on a painter of a preview.

struct Fonte {
    enum Familia { Courier, Arial }; // labels and values; titles
    Familia familia = Courier;
    qreal pontos = 10;
    bool negrito = false;

    // "Courier New" or "Arial" as asked for; fontconfig gives the metric-compatible
    // Liberation Mono and Liberation Sans where those are not installed.
    QFont qfont() const;
    // Advance of one character of the monospaced face, in millimetres.
    qreal larguraCaractere() const { return pontos * 0.6 * 25.4 / 72.0; }
    bool operator==(const Fonte&) const = default;
};

inline Fonte Rotulo(qreal pontos, bool negrito = false)
{
    return {Fonte::Courier, pontos, negrito};
}
inline Fonte Titulo(qreal pontos)
{
    return {Fonte::Arial, pontos, true};
}

struct Comando {
    enum Tipo { Texto, Linha, Retangulo };
    Tipo tipo = Texto;
    QRectF area; // Texto: its box; Linha: from topLeft to bottomRight; Retangulo: the frame
    QString texto;
    Fonte fonte;
    Qt::Alignment alinhamento = Qt::AlignLeft | Qt::AlignVCenter;
    qreal espessura = 0.25; // lines, in millimetres
};

struct Pagina {
    QPageLayout::Orientation orientacao = QPageLayout::Portrait;
    QVector<Comando> comandos;

    QSizeF tamanho() const; // 210 x 297 or 297 x 210
    // One line of text in its box. A text wider than the box is drawn smaller so that it fits
    // (never clipped, never over its neighbour).
    void texto(const QRectF& area, const QString& texto, const Fonte& fonte,
        Qt::Alignment alinhamento = Qt::AlignLeft | Qt::AlignVCenter);
    void linha(QPointF de, QPointF ate, qreal espessura = 0.25);
    void retangulo(const QRectF& area, qreal espessura = 0.25);
    // The texts of the page in reading order (top to bottom, then left to right).
    QStringList textos() const;
};

// Splits a text into lines of at most the width (millimetres) of the monospaced font,
// at blanks where possible; an empty text gives one empty line.
QStringList QuebraLinhas(const QString& texto, qreal largura, const Fonte& fonte);

// Builds the pages of one report: a header band at the top of every page, the report's
// bands below it, and a footer band at the bottom of every page once the count is known.
class MontaPaginas {
public:
    explicit MontaPaginas(
        QPageLayout::Orientation orientacao = QPageLayout::Portrait, QMarginsF margens = QMarginsF(15, 12, 15, 12));

    // Draws the page header from y = topo() and moves y below it.
    std::function<void(MontaPaginas&)> cabecalho;
    // Draws the footer of one page in the given area (height alturaRodape above the bottom margin).
    std::function<void(Pagina&, const QRectF& area, int numero, int total)> rodape;
    qreal alturaRodape = 0;

    // Starts a page and draws its header.
    void novaPagina();
    // Starts a new page when a band of this height no longer fits on the current one.
    void garante(qreal altura);

    Pagina& atual();
    qreal y = 0; // where the next band goes on the current page

    qreal esquerda() const { return margens_.left(); }
    qreal direita() const { return tamanho_.width() - margens_.right(); }
    qreal largura() const { return direita() - esquerda(); }
    qreal topo() const { return margens_.top(); }
    qreal fim() const { return tamanho_.height() - margens_.bottom() - alturaRodape; }
    int quantidade() const { return int(paginas_.size()); }

    // Finishes: draws the footers and hands the pages over.
    QVector<Pagina> paginas();

private:
    QPageLayout::Orientation orientacao_;
    QMarginsF margens_;
    QSizeF tamanho_;
    QVector<Pagina> paginas_;
    qreal inicioCorpo_ = 0; // y below the header of the current page
};

// Draws one page on a painter whose coordinates are device pixels at the given resolution,
// with the sheet's top-left corner at origem (pixels).
void DesenhaPagina(QPainter& pintor, const Pagina& pagina, qreal pixelsPorMm, QPointF origem = {});

// Draws every page on the device (a QPdfWriter, a QPrinter), one sheet each, setting A4 and
// the page's orientation before each. Throws Erro when the device cannot be painted on.
void Desenha(const QVector<Pagina>& paginas, QPagedPaintDevice& dispositivo);

// The pages as a PDF document, in memory.
QByteArray ConteudoPdf(const QVector<Pagina>& paginas, const QString& titulo);
// Writes the PDF atomically: a failed write leaves any previous file as it was and throws
// Erro with the system's reason.
void GravaPdf(const QVector<Pagina>& paginas, const QString& caminho, const QString& titulo);

} // namespace quintar
