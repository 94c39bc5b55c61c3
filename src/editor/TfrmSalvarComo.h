#pragma once

#include "TfrmOkCan.h"

#include <memory>

namespace Ui {
class TfrmSalvarComo;
}

namespace quintar {

class CasoAberto;

// "Salvar Como": the case's identification and check digit as typed (no check digit is
// computed). OK writes them and moves every row of the case to the new number, so the case
// keeps its items; "Key violation." when another case of the working tables has it.
class TfrmSalvarComo : public TfrmOkCan {
    Q_OBJECT

public:
    TfrmSalvarComo(Motor& motor, CasoAberto& caso, QWidget* pai = nullptr);
    ~TfrmSalvarComo() override;

    Ui::TfrmSalvarComo& ui() const { return *ui_; }

protected:
    void FormShow() override;
    void btnOkClick() override;

private:
    std::unique_ptr<Ui::TfrmSalvarComo> ui_;
    CasoAberto& caso_;
};

} // namespace quintar
