#pragma once

#include "RegrasAdicionais.h"
#include "TfrmOkCan.h"

#include <QVariant>

#include <memory>

class QCheckBox;

namespace Ui {
class TfrmReflexos;
}

namespace quintar {

// "Reflexos - ...": on which of notice period, 13th salary and vacation a premium reflects
// (only the items the case calculates can be chosen), and "Calcular Apenas os Reflexos" of
// the premium's own row. Opened by the premium editors on their rows.
class TfrmReflexos : public TfrmOkCan {
    Q_OBJECT

public:
    // item: "HORA_EXTRA", "NOTURNO", "INSALUBRIDADE", "PERICULOSIDADE" or "RSR"; premio: the
    // editor's rows, whose current row holds IND_APENAS_REFLEXO.
    TfrmReflexos(Motor& motor, const QString& item, Registros& premio, QWidget* pai = nullptr);
    ~TfrmReflexos() override;

    // Shows the dialog for the case; true on OK. A changed "Calcular Apenas os Reflexos" is
    // then posted with the premium's row and, for overtime and night premium, given to every
    // line (a refusal of the row's checks throws Erro).
    bool Abre(qint64 processoId);
    Ui::TfrmReflexos& ui() const { return *ui_; }

protected:
    void FormShow() override;
    void btnOkClick() override;
    void btnCancelarClick() override;

private:
    QCheckBox* caixa(int item) const;

    std::unique_ptr<Ui::TfrmReflexos> ui_;
    QString item_;
    ReflexosPremio reflexos_;
    QVariant apenasAntes_;
    bool estavaEmEdicao_ = false;
};

} // namespace quintar
