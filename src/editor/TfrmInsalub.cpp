#include "TfrmInsalub.h"

#include "PreparaPadrao.h"
#include "Vinculos.h"
#include "ui_TfrmInsalub.h"

#include <QButtonGroup>

namespace quintar {

TfrmInsalub::TfrmInsalub(Motor& motor, QWidget* pai)
    : TfrmAdicional(motor, QStringLiteral("TAB_INSALUBRIDADE"), QStringLiteral("INSALUBRIDADE"), pai),
      ui_(std::make_unique<Ui::TfrmInsalub>())
{
    setWindowTitle(QStringLiteral("Apuração de Insalubridade"));
    ui_->setupUi(panDados());
    grau_ = new QButtonGroup(this);
    grau_->addButton(ui_->rbtMinimo, 0);
    grau_->addButton(ui_->rbtMedio, 1);
    grau_->addButton(ui_->rbtMaximo, 2);
    base_ = new QButtonGroup(this);
    base_->addButton(ui_->rbtSalarioMinimo, 0);
    base_->addButton(ui_->rbtSalarioFixo, 1);
    vinculos().liga(grau_, QStringLiteral("GRAU"), {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("4")});
    vinculos().liga(base_, QStringLiteral("BASE_CALCULO"), {QStringLiteral("M"), QStringLiteral("F")});
    ligaPeriodo({ui_->cmbMesInicial, ui_->edtAnoInicial, ui_->cmbMesFinal, ui_->edtAnoFinal, ui_->btnReflexos});
}

TfrmInsalub::~TfrmInsalub() = default;

void TfrmInsalub::preparaRegistro(QDate inicioPacto, QDate fimPacto)
{
    PreparaInsalubridade(banco_, processoId_, inicioPacto, fimPacto);
}

QWidget* TfrmInsalub::primeiroCampo() const
{
    return grau_->checkedButton() ? grau_->checkedButton() : ui_->rbtMinimo;
}

} // namespace quintar
