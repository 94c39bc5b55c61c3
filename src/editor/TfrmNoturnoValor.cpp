#include "TfrmNoturnoValor.h"

#include "Campos.h"
#include "ui_TfrmNoturnoValor.h"

#include <QPushButton>

namespace quintar {

TfrmNoturnoValor::TfrmNoturnoValor(Motor& motor, Registros& linhas, QWidget* pai)
    : TfrmValorHora(motor, linhas, pai), ui_(std::make_unique<Ui::TfrmNoturnoValor>())
{
    setWindowTitle(QStringLiteral("Apuração de Valor de Hora Noturna"));
    ui_->setupUi(panDados());
    ligaValorHora({ui_->chkSalarioFixo, ui_->chkDiferencaSalarial, ui_->chkSalarioVariavel, ui_->edtAcrescimoNoturno,
        ui_->cmbDivisor});
    setTabOrder(ui_->cmbDivisor, btnOk());
    setTabOrder(btnOk(), btnCancelar());
}

TfrmNoturnoValor::~TfrmNoturnoValor() = default;

} // namespace quintar
