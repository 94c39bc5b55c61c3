#pragma once

#include "TfrmAdicional.h"

#include <memory>

namespace Ui {
class TfrmPeric;
}

namespace quintar {

// "Apuração de Periculosidade": the percentage and the period of the periculosity premium
// (TAB_PERICULOSIDADE).
class TfrmPeric : public TfrmAdicional {
    Q_OBJECT

public:
    explicit TfrmPeric(Motor& motor, QWidget* pai = nullptr);
    ~TfrmPeric() override;
    Ui::TfrmPeric& ui() const { return *ui_; }

protected:
    void preparaRegistro(QDate inicioPacto, QDate fimPacto) override;
    QWidget* primeiroCampo() const override;

private:
    std::unique_ptr<Ui::TfrmPeric> ui_;
};

} // namespace quintar
