#include "TfrmPeric.h"

#include "Campos.h"
#include "PreparaPadrao.h"
#include "Vinculos.h"
#include "ui_TfrmPeric.h"

namespace quintar {

TfrmPeric::TfrmPeric(Motor& motor, QWidget* pai)
    : TfrmAdicional(motor, QStringLiteral("TAB_PERICULOSIDADE"), QStringLiteral("PERICULOSIDADE"), pai),
      ui_(std::make_unique<Ui::TfrmPeric>())
{
    setWindowTitle(QStringLiteral("Apuração de Periculosidade"));
    ui_->setupUi(panDados());
    vinculos().liga(ui_->edtPercentual, QStringLiteral("PERCENTUAL"));
    ui_->edtPercentual->setMaximumWidth(
        ui_->edtPercentual->fontMetrics().horizontalAdvance(QStringLiteral("000,00")) + 14);
    ligaPeriodo({ui_->cmbMesInicial, ui_->edtAnoInicial, ui_->cmbMesFinal, ui_->edtAnoFinal, ui_->btnReflexos});
}

TfrmPeric::~TfrmPeric() = default;

void TfrmPeric::preparaRegistro(QDate inicioPacto, QDate fimPacto)
{
    PreparaPericulosidade(banco_, processoId_, inicioPacto, fimPacto);
}

QWidget* TfrmPeric::primeiroCampo() const
{
    return ui_->edtPercentual;
}

} // namespace quintar
