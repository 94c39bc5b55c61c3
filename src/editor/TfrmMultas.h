#pragma once

#include "TfrmBaseDados.h"

#include <memory>

namespace Ui {
class TfrmMultas;
}

namespace quintar {

// "Apuração de Multas": the fines of arts. 467 (50 % of the amounts chosen) and 477 (one
// month's pay) and what each is worked out on; a fine's base can be chosen only while the
// fine is ticked. OK needs at least one of them.
class TfrmMultas : public TfrmBaseDados {
    Q_OBJECT

public:
    explicit TfrmMultas(Motor& motor, QWidget* pai = nullptr);
    ~TfrmMultas() override;

    Ui::TfrmMultas& ui() const { return *ui_; }

protected:
    void FormShow() override;
    void criaRegistro() override;
    void btnOkClick() override;

private:
    void habilitaBases();

    std::unique_ptr<Ui::TfrmMultas> ui_;
};

} // namespace quintar
