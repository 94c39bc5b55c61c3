#pragma once

#include "TfrmAdicional.h"

#include <memory>

class QButtonGroup;

namespace Ui {
class TfrmInsalub;
}

namespace quintar {

// "Apuração de Insalubridade": the degree, the base and the period of the insalubrity premium
// (TAB_INSALUBRIDADE).
class TfrmInsalub : public TfrmAdicional {
    Q_OBJECT

public:
    explicit TfrmInsalub(Motor& motor, QWidget* pai = nullptr);
    ~TfrmInsalub() override;
    Ui::TfrmInsalub& ui() const { return *ui_; }

protected:
    void preparaRegistro(QDate inicioPacto, QDate fimPacto) override;
    QWidget* primeiroCampo() const override;

private:
    std::unique_ptr<Ui::TfrmInsalub> ui_;
    QButtonGroup* grau_;
    QButtonGroup* base_;
};

} // namespace quintar
