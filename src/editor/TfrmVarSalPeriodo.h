#pragma once

#include "TfrmOkCan.h"

#include <memory>

class QComboBox;
class QLineEdit;

namespace Ui {
class TfrmVarSalPeriodo;
}

namespace quintar {

class TfrmVarSalarial;

// "Variação Salarial por Período": the fixed pay, paradigm and variable pay typed once and
// given to every month of a period of the salary-history editor's grid (into its cache, so
// its own checks apply; nothing reaches the table before that editor's OK). Created on
// first use and kept, hidden, with the editor; it then proposes the period after the last.
class TfrmVarSalPeriodo : public TfrmOkCan {
    Q_OBJECT

public:
    TfrmVarSalPeriodo(Motor& motor, TfrmVarSalarial& editor);
    ~TfrmVarSalPeriodo() override;

    QComboBox* mesInicial() const;
    QLineEdit* anoInicial() const;
    QComboBox* mesFinal() const;
    QLineEdit* anoFinal() const;

protected:
    void btnOkClick() override;
    void btnCancelarClick() override { }

private:
    void mostraPeriodo(QComboBox* mes, QLineEdit* ano, int anoMes);

    std::unique_ptr<Ui::TfrmVarSalPeriodo> ui_;
    TfrmVarSalarial& editor_;
    int primeiro_ = 0; // AnoMes of the history's first and last months
    int ultimo_ = 0;
};

} // namespace quintar
