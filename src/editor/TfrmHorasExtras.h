#pragma once

#include "TfrmLinhasHoras.h"

#include <memory>

namespace Ui {
class TfrmHorasExtras;
}

namespace quintar {

// "Apuração de Horas Extras": the overtime lines of the case (TAB_HORAS_EXTRAS), each with
// its period and its monthly day and night overtime.
class TfrmHorasExtras : public TfrmLinhasHoras {
    Q_OBJECT

public:
    explicit TfrmHorasExtras(Motor& motor, QWidget* pai = nullptr);
    ~TfrmHorasExtras() override;

protected:
    std::optional<Valores> apuraJornada() override;
    std::optional<Erro> valorHora() override;

private:
    std::unique_ptr<Ui::TfrmHorasExtras> ui_;
};

} // namespace quintar
