#pragma once

#include "TfrmGrades.h"

#include <QPair>
#include <QVector>

class QCheckBox;
class QGroupBox;
class QVBoxLayout;

namespace quintar {

// A grid editor with a panel of case-wide options beside it ("Base de Cálculo"): the check
// boxes show the flags of the grid's first row when the dialog opens, and OK writes their
// state into every row of the case, after the grid's changes. The subclass's form lays the
// check boxes out in gruBase() (setupUi(gruBase())) and binds each with ligaBase().
class Tfrm1BaseNLinhas : public TfrmGrades {
    Q_OBJECT

public:
    Tfrm1BaseNLinhas(Motor& motor, const QString& tabela, QWidget* pai = nullptr);

    QWidget* panBase() const { return panBase_; }
    QGroupBox* gruBase() const { return gruBase_; }

protected:
    // A check box of the group bound to an S/N column of every row.
    void ligaBase(QCheckBox* caixa, const QString& coluna);
    // A form of several groups of options (the base and the reflexes) in place of gruBase;
    // its check boxes are bound with ligaBase() all the same.
    void substituiBase(QWidget* opcoes);
    void FormShow() override;
    void gravaDepois() override;

private:
    QWidget* panBase_;
    QGroupBox* gruBase_;
    QVector<QPair<QCheckBox*, QString>> base_;
};

} // namespace quintar
