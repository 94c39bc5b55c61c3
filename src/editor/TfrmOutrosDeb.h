#pragma once

#include "TfrmOutrosCred.h"

namespace quintar {

// "Apuração de Outros Débitos": the other-credits editor on the amounts to be deducted, with
// the debit descriptions.
class TfrmOutrosDeb : public TfrmOutrosCred {
    Q_OBJECT

public:
    explicit TfrmOutrosDeb(Motor& motor, QWidget* pai = nullptr);
};

} // namespace quintar
