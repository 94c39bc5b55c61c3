#include "GaugePizza.h"

#include <QAccessible>
#include <QPainter>

namespace quintar {

GaugePizza::GaugePizza(QWidget* pai) : QWidget(pai)
{
    setMinimumSize(90, 90);
}

int GaugePizza::percentual() const
{
    if (maximo_ <= 0)
        return 0;
    return static_cast<int>(qint64(std::clamp(posicao_, 0, maximo_)) * 100 / maximo_);
}

void GaugePizza::defineProgresso(int posicao, int maximo)
{
    if (posicao == posicao_ && maximo == maximo_)
        return;
    posicao_ = posicao;
    maximo_ = maximo;
    setAccessibleDescription(QStringLiteral("%1%").arg(percentual()));
    update();
}

void GaugePizza::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const int lado = std::min(width(), height()) - 4;
    const QRectF circulo((width() - lado) / 2.0, (height() - lado) / 2.0, lado, lado);
    p.setPen(QPen(palette().color(QPalette::Dark), 1));
    p.setBrush(palette().color(QPalette::Base));
    p.drawEllipse(circulo);
    if (maximo_ > 0 && posicao_ > 0) {
        p.setBrush(palette().color(QPalette::Highlight));
        const int angulo = static_cast<int>(qint64(std::clamp(posicao_, 0, maximo_)) * 360 * 16 / maximo_);
        p.drawPie(circulo, 90 * 16, -angulo);
    }
    QFont f = font();
    f.setBold(true);
    p.setFont(f);
    const QString texto = QStringLiteral("%1%").arg(percentual());
    const QRectF caixa = p.fontMetrics().boundingRect(texto).adjusted(-4, -2, 4, 2);
    QRectF fundo = caixa;
    fundo.moveCenter(circulo.center());
    p.setPen(Qt::NoPen);
    p.setBrush(palette().color(QPalette::Base));
    p.drawRoundedRect(fundo, 3, 3);
    p.setPen(palette().color(QPalette::Text));
    p.drawText(circulo, Qt::AlignCenter, texto);
}

} // namespace quintar
