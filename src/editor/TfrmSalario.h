#pragma once

#include "Tfrm1BaseNLinhas.h"

#include <QDate>

#include <memory>

namespace Ui {
class TfrmSalario;
}

namespace quintar {

// "Apuração de Salário": the salary months of the case, newest first; which months are
// claimed and with how many days. The months are generated from the contract when the case
// has none; rows cannot be added or removed.
class TfrmSalario : public Tfrm1BaseNLinhas {
    Q_OBJECT

public:
    explicit TfrmSalario(Motor& motor, QWidget* pai = nullptr);
    ~TfrmSalario() override;

protected:
    void FormShow() override;

private:
    std::unique_ptr<Ui::TfrmSalario> ui_;
    QDate inicioPacto_;
    QDate fimPacto_;
};

} // namespace quintar
