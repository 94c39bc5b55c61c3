#pragma once

#include "TfrmBaseSobre.h"

#include <memory>

namespace Ui {
class TfrmFerias;
}

namespace quintar {

// "Apuração de Férias": the vacation periods of the case; for each, whether the vacation, its
// third and the double are claimed, and its months (1 to 12 from the list). Beside them the
// base, the reflexes and the pay of reference ("Média Período Aquisitivo" or "Último
// Salário"), written into every period on OK.
class TfrmFerias : public TfrmBaseSobre {
    Q_OBJECT

public:
    explicit TfrmFerias(Motor& motor, QWidget* pai = nullptr);
    ~TfrmFerias() override;

    Ui::TfrmFerias& ui() const { return *ui_; }

protected:
    void FormShow() override;
    void geraLinhas() override;
    void gravaDepois() override;

private:
    std::unique_ptr<Ui::TfrmFerias> ui_;
};

} // namespace quintar
