#pragma once

#include "Erro.h"
#include "TfrmOkCan.h"

#include <QVector>

#include <optional>

class QCheckBox;
class QComboBox;

namespace quintar {

class CampoNumero;

// What the two hour-value dialogs share: they edit the wage options of the current line of
// the overtime or night-premium editor (its rows, not a copy). OK stores the options and
// posts the line; a refusal of the line's checks is left for the editor to show, with its
// grid on the column to mend. Cancel puts the options back as they were.
class TfrmValorHora : public TfrmOkCan {
    Q_OBJECT

public:
    // The refusal of the line's checks at OK, if there was one.
    const std::optional<Erro>& recusaDaLinha() const { return recusaDaLinha_; }

protected:
    struct Controles {
        QCheckBox* salarioFixo;
        QCheckBox* diferencaSalarial;
        QCheckBox* salarioVariavel;
        CampoNumero* acrescimoNoturno;
        QComboBox* divisor;
    };
    TfrmValorHora(Motor& motor, Registros& linhas, QWidget* pai);
    // Binds the shared controls; the subclass binds its own first.
    void ligaValorHora(const Controles& controles);

    void FormShow() override;
    void btnOkClick() override;
    void btnCancelarClick() override;

private:
    Controles c_{};
    std::optional<Erro> recusaDaLinha_;
    bool estavaEmEdicao_ = false;
    QVector<QVariant> antes_;
};

} // namespace quintar
