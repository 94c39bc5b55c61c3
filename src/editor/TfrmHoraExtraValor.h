#pragma once

#include "TfrmValorHora.h"

#include <memory>

namespace Ui {
class TfrmHoraExtraValor;
}

namespace quintar {

// "Apuração de Valor de Hora Extra": the wage options of an overtime line: the salary parts
// of the hour value, only the premium, the overtime and night percentages, the divisor.
class TfrmHoraExtraValor : public TfrmValorHora {
    Q_OBJECT

public:
    TfrmHoraExtraValor(Motor& motor, Registros& linhas, QWidget* pai = nullptr);
    ~TfrmHoraExtraValor() override;
    Ui::TfrmHoraExtraValor& ui() const { return *ui_; }

private:
    std::unique_ptr<Ui::TfrmHoraExtraValor> ui_;
};

} // namespace quintar
