#pragma once

#include <QWidget>

namespace quintar {

// A pie-shaped progress gauge: the done part of a circle filled, the percentage in the middle.
class GaugePizza : public QWidget {
    Q_OBJECT

public:
    explicit GaugePizza(QWidget* pai = nullptr);

    void defineProgresso(int posicao, int maximo);
    int posicao() const { return posicao_; }
    int maximo() const { return maximo_; }
    int percentual() const;

    QSize sizeHint() const override { return {110, 110}; }

protected:
    void paintEvent(QPaintEvent* evento) override;

private:
    int posicao_ = 0;
    int maximo_ = 100;
};

} // namespace quintar
