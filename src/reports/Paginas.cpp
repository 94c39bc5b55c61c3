#include "Paginas.h"

#include "Erro.h"
#include "TextoAnsi.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <cmath>

namespace quintar {

namespace {

// Pages are drawn in hundredths of a millimetre, with fonts sized in the same unit, so that
// text measures the same on every device and at every zoom.
constexpr qreal Unidade = 100.0;

int pixelsFonte(qreal pontos)
{
    return std::max(1, qRound(pontos * 25.4 / 72.0 * Unidade));
}

QRectF emUnidades(const QRectF& mm)
{
    return QRectF(mm.x() * Unidade, mm.y() * Unidade, mm.width() * Unidade, mm.height() * Unidade);
}

void desenhaTexto(QPainter& pintor, const Comando& c)
{
    if (c.texto.isEmpty())
        return;
    QFont fonte = c.fonte.qfont();
    const QRectF area = emUnidades(c.area);
    const qreal largura = QFontMetricsF(fonte).horizontalAdvance(c.texto);
    if (largura > area.width() && area.width() > 0)
        fonte.setPixelSize(std::max(1, int(std::floor(fonte.pixelSize() * area.width() / largura))));
    pintor.setFont(fonte);
    pintor.drawText(area, int(c.alinhamento) | Qt::TextSingleLine | Qt::TextDontClip, c.texto);
}

} // namespace

QFont Fonte::qfont() const
{
    QFont f(familia == Courier ? QStringLiteral("Courier New") : QStringLiteral("Arial"));
    f.setStyleHint(familia == Courier ? QFont::Monospace : QFont::SansSerif);
    f.setPixelSize(pixelsFonte(pontos));
    f.setBold(negrito);
    // Unhinted outlines: the advance of a text is the same at every scale.
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

QSizeF Pagina::tamanho() const
{
    return orientacao == QPageLayout::Portrait ? QSizeF(210, 297) : QSizeF(297, 210);
}

void Pagina::texto(const QRectF& area, const QString& texto, const Fonte& fonte, Qt::Alignment alinhamento)
{
    Comando c;
    c.tipo = Comando::Texto;
    c.area = area;
    c.texto = texto;
    c.fonte = fonte;
    c.alinhamento = alinhamento;
    comandos.append(c);
}

void Pagina::linha(QPointF de, QPointF ate, qreal espessura)
{
    Comando c;
    c.tipo = Comando::Linha;
    c.area = QRectF(de, ate);
    c.espessura = espessura;
    comandos.append(c);
}

void Pagina::retangulo(const QRectF& area, qreal espessura)
{
    Comando c;
    c.tipo = Comando::Retangulo;
    c.area = area;
    c.espessura = espessura;
    comandos.append(c);
}

QStringList Pagina::textos() const
{
    QVector<const Comando*> ordem;
    for (const Comando& c : comandos)
        if (c.tipo == Comando::Texto && !c.texto.isEmpty())
            ordem.append(&c);
    // Texts of one line share the line's box: order by its middle (to a tenth of a
    // millimetre), then from the left.
    std::stable_sort(ordem.begin(), ordem.end(), [](const Comando* a, const Comando* b) {
        const qint64 ya = qRound64(a->area.center().y() * 10), yb = qRound64(b->area.center().y() * 10);
        return ya != yb ? ya < yb : a->area.left() < b->area.left();
    });
    QStringList lista;
    for (const Comando* c : ordem)
        lista.append(c->texto);
    return lista;
}

QStringList QuebraLinhas(const QString& texto, qreal largura, const Fonte& fonte)
{
    const int maximo = std::max(1, int(std::floor(largura / fonte.larguraCaractere() + 1e-9)));
    QStringList linhas;
    QString atual;
    const QStringList palavras = texto.simplified().split(u' ', Qt::SkipEmptyParts);
    for (QString palavra : palavras) {
        while (palavra.size() > maximo) {
            // A word longer than the line is cut where the line ends.
            if (!atual.isEmpty()) {
                linhas.append(atual);
                atual.clear();
            }
            linhas.append(palavra.left(maximo));
            palavra.remove(0, maximo);
        }
        if (palavra.isEmpty())
            continue;
        if (atual.isEmpty())
            atual = palavra;
        else if (atual.size() + 1 + palavra.size() <= maximo)
            atual += u' ' + palavra;
        else {
            linhas.append(atual);
            atual = palavra;
        }
    }
    if (!atual.isEmpty() || linhas.isEmpty())
        linhas.append(atual);
    return linhas;
}

MontaPaginas::MontaPaginas(QPageLayout::Orientation orientacao, QMarginsF margens)
    : orientacao_(orientacao), margens_(margens),
      tamanho_(orientacao == QPageLayout::Portrait ? QSizeF(210, 297) : QSizeF(297, 210))
{
}

void MontaPaginas::novaPagina()
{
    Pagina p;
    p.orientacao = orientacao_;
    paginas_.append(p);
    y = topo();
    if (cabecalho)
        cabecalho(*this);
    inicioCorpo_ = y;
}

void MontaPaginas::garante(qreal altura)
{
    // A band never starts a page it cannot fit on: a fresh page takes it whatever its height.
    if (paginas_.isEmpty() || (y + altura > fim() + 1e-9 && y > inicioCorpo_ + 1e-9))
        novaPagina();
}

Pagina& MontaPaginas::atual()
{
    if (paginas_.isEmpty())
        novaPagina();
    return paginas_.last();
}

QVector<Pagina> MontaPaginas::paginas()
{
    const int total = quantidade();
    if (rodape)
        for (int i = 0; i < total; ++i)
            rodape(paginas_[i], QRectF(esquerda(), fim(), largura(), alturaRodape), i + 1, total);
    QVector<Pagina> prontas;
    prontas.swap(paginas_);
    return prontas;
}

void DesenhaPagina(QPainter& pintor, const Pagina& pagina, qreal pixelsPorMm, QPointF origem)
{
    pintor.save();
    pintor.translate(origem);
    pintor.scale(pixelsPorMm / Unidade, pixelsPorMm / Unidade);
    pintor.setRenderHint(QPainter::Antialiasing);
    pintor.setRenderHint(QPainter::TextAntialiasing);
    pintor.setBrush(Qt::NoBrush);
    for (const Comando& c : pagina.comandos) {
        switch (c.tipo) {
        case Comando::Texto:
            pintor.setPen(Qt::black);
            desenhaTexto(pintor, c);
            break;
        case Comando::Linha:
            pintor.setPen(QPen(Qt::black, c.espessura * Unidade, Qt::SolidLine, Qt::FlatCap));
            pintor.drawLine(emUnidades(c.area).topLeft(), emUnidades(c.area).bottomRight());
            break;
        case Comando::Retangulo:
            pintor.setPen(QPen(Qt::black, c.espessura * Unidade, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
            pintor.drawRect(emUnidades(c.area));
            break;
        }
    }
    pintor.restore();
}

namespace {

void preparaFolha(QPagedPaintDevice& dispositivo, const Pagina& pagina)
{
    const QPageLayout folha(
        QPageSize(QPageSize::A4), pagina.orientacao, QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    // A printer may refuse margins it cannot print in; it then keeps its own, and the
    // drawing is moved by them below.
    if (!dispositivo.setPageLayout(folha)) {
        dispositivo.setPageSize(QPageSize(QPageSize::A4));
        dispositivo.setPageOrientation(pagina.orientacao);
    }
}

} // namespace

void Desenha(const QVector<Pagina>& paginas, QPagedPaintDevice& dispositivo)
{
    if (paginas.isEmpty())
        throw Erro(QStringLiteral("O relatório não tem páginas."));
    preparaFolha(dispositivo, paginas.first());
    QPainter pintor;
    if (!pintor.begin(&dispositivo))
        throw Erro(QStringLiteral("Não foi possível iniciar a impressão do relatório."));
    for (qsizetype i = 0; i < paginas.size(); ++i) {
        if (i > 0) {
            preparaFolha(dispositivo, paginas[i]);
            if (!dispositivo.newPage()) {
                pintor.end();
                throw Erro(QStringLiteral("Não foi possível iniciar uma nova página do relatório."));
            }
        }
        const int dpi = dispositivo.logicalDpiX();
        const QRect area = dispositivo.pageLayout().paintRectPixels(dpi);
        DesenhaPagina(pintor, paginas[i], dpi / 25.4, QPointF(-area.left(), -area.top()));
    }
    if (!pintor.end())
        throw Erro(QStringLiteral("Não foi possível concluir a impressão do relatório."));
}

QByteArray ConteudoPdf(const QVector<Pagina>& paginas, const QString& titulo)
{
    QBuffer memoria;
    memoria.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&memoria);
        pdf.setResolution(600);
        pdf.setTitle(titulo);
        pdf.setCreator(QStringLiteral("Quintar"));
        Desenha(paginas, pdf);
    }
    return memoria.data();
}

void GravaPdf(const QVector<Pagina>& paginas, const QString& caminho, const QString& titulo)
{
    GravaAtomico(caminho, ConteudoPdf(paginas, titulo));
}

} // namespace quintar
