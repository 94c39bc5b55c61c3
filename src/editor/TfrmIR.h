#pragma once

#include "TfrmBaseDados.h"

namespace quintar {

// "Apuração de Imposto de Renda": the items the income tax is worked out on; the 13th salary
// and the interest are taxed apart.
class TfrmIR : public TfrmBaseDados {
    Q_OBJECT

public:
    explicit TfrmIR(Motor& motor, QWidget* pai = nullptr);

    QCheckBox *chkAvisoPrevio, *chkFerias, *chkAdicPeric, *chkJuros;

protected:
    void FormShow() override;
    void criaRegistro() override;
};

} // namespace quintar
