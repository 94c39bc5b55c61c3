#include "TfrmOutrosDeb.h"

namespace quintar {

TfrmOutrosDeb::TfrmOutrosDeb(Motor& motor, QWidget* pai)
    : TfrmOutrosCred(motor, QStringLiteral("TAB_OUTROS_DEBITO"), QStringLiteral("D"),
        QStringLiteral("Apuração de Outros Débitos"), pai)
{
}

} // namespace quintar
