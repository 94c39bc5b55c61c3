#pragma once

#include "TfrmBaseDados.h"

#include <memory>

namespace Ui {
class TfrmAvisoPrevio;
}

namespace quintar {

class CasoAberto;

// "Apuração de Aviso Prévio": the notice's days, the pay it is worked out on, its reflexes,
// and whether it projects into the 13th salary and vacation. OK with a change of the
// projected months or of a projection choice generates again the 13th-salary years and the
// vacation periods of the items the case calculates, after telling the user.
class TfrmAvisoPrevio : public TfrmBaseDados {
    Q_OBJECT

public:
    explicit TfrmAvisoPrevio(Motor& motor, QWidget* pai = nullptr);
    ~TfrmAvisoPrevio() override;

    // Runs the editor for the case row; true when it was closed with OK.
    bool Executa(const CasoAberto& caso);
    Ui::TfrmAvisoPrevio& ui() const { return *ui_; }

protected:
    void FormShow() override;
    void criaRegistro() override;

private:
    std::unique_ptr<Ui::TfrmAvisoPrevio> ui_;
};

} // namespace quintar
