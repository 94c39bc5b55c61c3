#pragma once

#include "TfrmBaseDados.h"

#include <memory>

namespace Ui {
class TfrmRSR;
}

namespace quintar {

// "Repouso Semanal Remunerado": on which salary parts and premiums the paid weekly rest is
// calculated (TAB_RSR), and its reflexes.
class TfrmRSR : public TfrmBaseDados {
    Q_OBJECT

public:
    explicit TfrmRSR(Motor& motor, QWidget* pai = nullptr);
    ~TfrmRSR() override;
    Ui::TfrmRSR& ui() const { return *ui_; }
    void btnReflexosClick();

protected:
    void FormShow() override;
    // The core's row: the salary bases off, every premium on, not only as a reflex.
    void criaRegistro() override;

private:
    std::unique_ptr<Ui::TfrmRSR> ui_;
};

} // namespace quintar
