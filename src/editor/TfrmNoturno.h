#pragma once

#include "TfrmLinhasHoras.h"

#include <memory>

namespace Ui {
class TfrmNoturno;
}

namespace quintar {

// "Apuração de Adicional Noturno": the night-premium lines of the case (TAB_NOTURNO), each
// with its period and its monthly night hours.
class TfrmNoturno : public TfrmLinhasHoras {
    Q_OBJECT

public:
    explicit TfrmNoturno(Motor& motor, QWidget* pai = nullptr);
    ~TfrmNoturno() override;

protected:
    std::optional<Valores> apuraJornada() override;
    std::optional<Erro> valorHora() override;

private:
    std::unique_ptr<Ui::TfrmNoturno> ui_;
};

} // namespace quintar
