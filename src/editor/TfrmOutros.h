#pragma once

#include "TfrmGrades.h"

namespace quintar {

// The description list of other credits or of other debits ("Manter Descrição de Outros
// Créditos."), kept across cases; its changes are written on OK.
class TfrmOutros : public TfrmGrades {
    Q_OBJECT

public:
    explicit TfrmOutros(Motor& motor, QWidget* pai = nullptr);

    // Shows the list of the kind ("C" or "D"; another kind throws Erro) modally; true when
    // it was closed with OK.
    bool ExecutaTipo(const QString& tipo);

protected:
    // The list is not the case's: nothing is read on show.
    void FormShow() override { }
};

} // namespace quintar
