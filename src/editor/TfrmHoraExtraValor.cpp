#include "TfrmHoraExtraValor.h"

#include "Campos.h"
#include "Vinculos.h"
#include "ui_TfrmHoraExtraValor.h"

#include <QPushButton>

namespace quintar {

TfrmHoraExtraValor::TfrmHoraExtraValor(Motor& motor, Registros& linhas, QWidget* pai)
    : TfrmValorHora(motor, linhas, pai), ui_(std::make_unique<Ui::TfrmHoraExtraValor>())
{
    setWindowTitle(QStringLiteral("Apuração de Valor de Hora Extra"));
    ui_->setupUi(panDados());
    vinculos().liga(ui_->chkApenasAdicional, QStringLiteral("IND_APENAS_ADICIONAL"));
    vinculos().liga(ui_->edtPercentual, QStringLiteral("PERCENTUAL"));
    ui_->edtPercentual->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    ui_->edtPercentual->setMaximumWidth(
        ui_->edtPercentual->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 14);
    ligaValorHora({ui_->chkSalarioFixo, ui_->chkDiferencaSalarial, ui_->chkSalarioVariavel, ui_->edtAcrescimoNoturno,
        ui_->cmbDivisor});
    setTabOrder(ui_->cmbDivisor, btnOk());
    setTabOrder(btnOk(), btnCancelar());
}

TfrmHoraExtraValor::~TfrmHoraExtraValor() = default;

} // namespace quintar
