#pragma once

#include "TfrmValorHora.h"

#include <memory>

namespace Ui {
class TfrmNoturnoValor;
}

namespace quintar {

// "Apuração de Valor de Hora Noturna": the wage options of a night-premium line: the salary
// parts of the hour value, the night percentage, the divisor.
class TfrmNoturnoValor : public TfrmValorHora {
    Q_OBJECT

public:
    TfrmNoturnoValor(Motor& motor, Registros& linhas, QWidget* pai = nullptr);
    ~TfrmNoturnoValor() override;
    Ui::TfrmNoturnoValor& ui() const { return *ui_; }

private:
    std::unique_ptr<Ui::TfrmNoturnoValor> ui_;
};

} // namespace quintar
