#pragma once

#include "TfrmBaseDados.h"

#include <QDate>

#include <memory>

class QButtonGroup;

namespace Ui {
class TfrmFGTS;
}

namespace quintar {

// "Apuração de FGTS": the items the deposits are worked out on, the rate (2 % or 8 %), the
// period of the deposits and the termination pay, and the fine of 20 % or 40 %. The period
// is checked against the contract even while "Período" is unticked: the calculation always
// uses it.
class TfrmFGTS : public TfrmBaseDados {
    Q_OBJECT

public:
    explicit TfrmFGTS(Motor& motor, QWidget* pai = nullptr);
    ~TfrmFGTS() override;

    Ui::TfrmFGTS& ui() const { return *ui_; }
    QCheckBox *chkAvisoPrevio, *chkAdicPeric;

protected:
    void FormShow() override;
    void criaRegistro() override;

private:
    void habilitaPeriodo();

    std::unique_ptr<Ui::TfrmFGTS> ui_;
    QButtonGroup* percentual_;
    QButtonGroup* multa_;
    QDate inicioPacto_;
    QDate fimPacto_;
};

} // namespace quintar
