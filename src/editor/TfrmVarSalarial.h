#pragma once

#include "TfrmGrades.h"

#include <memory>

class QButtonGroup;

namespace Ui {
class TfrmVarSalarial;
}

namespace quintar {

class TfrmVarSalPeriodo;

// "Variação Salarial": the salary history of the case, newest month first: the fixed pay,
// the paradigm and the variable pay of each month, and the units of the fixed pay and of
// the paradigm for all months. Rows cannot be added or removed; no value may be negative.
// "Informar valores por Período" fills a range of months at once.
class TfrmVarSalarial : public TfrmGrades {
    Q_OBJECT

public:
    explicit TfrmVarSalarial(Motor& motor, QWidget* pai = nullptr);
    ~TfrmVarSalarial() override;

    QButtonGroup* unidadeFixo() const { return unidadeFixo_; }
    QButtonGroup* unidadeParadigma() const { return unidadeParadigma_; }
    // The period dialog, once it was opened.
    TfrmVarSalPeriodo* periodo() const { return periodo_.get(); }
    void abrePeriodo();

protected:
    void FormShow() override;
    void gravaDepois() override;

private:
    std::unique_ptr<Ui::TfrmVarSalarial> ui_;
    QButtonGroup* unidadeFixo_;
    QButtonGroup* unidadeParadigma_;
    std::unique_ptr<TfrmVarSalPeriodo> periodo_;
};

} // namespace quintar
