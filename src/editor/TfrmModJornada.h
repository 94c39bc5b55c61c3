#pragma once

#include "TfrmOkCan.h"

#include <memory>

class QButtonGroup;

namespace Ui {
class TfrmModJornada;
}

namespace quintar {

// "Modelos de Jornada": the ready-made weeks a schedule dialog can start from.
class TfrmModJornada : public TfrmOkCan {
    Q_OBJECT

public:
    explicit TfrmModJornada(Motor& motor, QWidget* pai = nullptr);
    ~TfrmModJornada() override;

    // Shows the models ("Nenhum" chosen); the index chosen on OK, -1 on Cancel.
    int EscolheModelo();
    QButtonGroup* modelos() const { return modelos_; }

private:
    std::unique_ptr<Ui::TfrmModJornada> ui_;
    QButtonGroup* modelos_;
};

} // namespace quintar
