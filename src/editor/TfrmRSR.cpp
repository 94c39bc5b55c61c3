#include "TfrmRSR.h"

#include "Erro.h"
#include "Interface.h"
#include "PreparaPadrao.h"
#include "TfrmReflexos.h"
#include "Vinculos.h"
#include "ui_TfrmRSR.h"

#include <QGroupBox>
#include <QPushButton>

namespace quintar {

TfrmRSR::TfrmRSR(Motor& motor, QWidget* pai)
    : TfrmBaseDados(motor, QStringLiteral("TAB_RSR"), pai), ui_(std::make_unique<Ui::TfrmRSR>())
{
    setWindowTitle(QStringLiteral("Repouso Semanal Remunerado"));
    ui_->setupUi(conteudo());
    grbBaseCalc()->hide(); // its own groups say what enters the weekly rest
    Vinculos& v = vinculos();
    v.liga(ui_->chkSalarioFixo, QStringLiteral("SOBRE_SALARIO_FIXO"));
    v.liga(ui_->chkDiferencaSalarial, QStringLiteral("SOBRE_DIFERENCA_SALARIAL"));
    v.liga(ui_->chkSalarioVariavel, QStringLiteral("SOBRE_SALARIO_VARIAVEL"));
    v.liga(ui_->chkHoraExtra, QStringLiteral("SOBRE_HORA_EXTRA"));
    v.liga(ui_->chkNoturno, QStringLiteral("SOBRE_NOTURNO"));
    v.liga(ui_->chkInsalubridade, QStringLiteral("SOBRE_INSALUBRIDADE"));
    v.liga(ui_->chkPericulosidade, QStringLiteral("SOBRE_PERICULOSIDADE"));
    ligaComando(ui_->btnReflexos, [this] { btnReflexosClick(); });
    setTabOrder(ui_->btnReflexos, btnOk());
    setTabOrder(btnOk(), btnCancelar());
}

TfrmRSR::~TfrmRSR() = default;

void TfrmRSR::FormShow()
{
    TfrmBaseDados::FormShow();
    ui_->chkSalarioFixo->setFocus(Qt::OtherFocusReason);
}

void TfrmRSR::criaRegistro()
{
    PreparaRSR(banco_, processoId_);
}

void TfrmRSR::btnReflexosClick()
{
    TfrmReflexos reflexos(motor_, QStringLiteral("RSR"), *que1(), this);
    reflexos.Abre(processoId_);
}

} // namespace quintar
