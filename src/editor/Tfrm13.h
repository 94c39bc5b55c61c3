#pragma once

#include "TfrmBaseSobre.h"

namespace quintar {

// "Apuração 13o Salário": the 13th-salary years of the case, latest first; which years are
// claimed and with how many months (more than zero, no upper limit). F9 marks every year,
// F10 unmarks them.
class Tfrm13 : public TfrmBaseSobre {
    Q_OBJECT

public:
    explicit Tfrm13(Motor& motor, QWidget* pai = nullptr);

protected:
    void geraLinhas() override;
};

} // namespace quintar
