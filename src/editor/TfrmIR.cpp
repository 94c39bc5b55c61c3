#include "TfrmIR.h"

#include "PreparaPadrao.h"
#include "Vinculos.h"

#include <QCheckBox>
#include <QGroupBox>

namespace quintar {

TfrmIR::TfrmIR(Motor& motor, QWidget* pai) : TfrmBaseDados(motor, QStringLiteral("TAB_IR"), pai)
{
    setWindowTitle(QStringLiteral("Apuração de Imposto de Renda"));
    conteudo()->hide();
    grbBaseCalc()->setTitle(QStringLiteral("Base de Cálculo"));
    chk13sal->setText(QStringLiteral("13º Salário (em separado)"));
    chkAvisoPrevio = acrescentaBase(ItemBase::AvisoPrevio);
    chkFerias = acrescentaBase(ItemBase::Ferias);
    chkAdicPeric = acrescentaBase(ItemBase::Periculosidade);
    chkJuros = acrescentaBase(ItemBase::Juros);
    ligaBaseCalc();
    ordenaTabulacao(chkAvisoPrevio);
}

void TfrmIR::criaRegistro()
{
    PreparaIR(banco_, processoId_);
}

void TfrmIR::FormShow()
{
    TfrmBaseDados::FormShow();
    chkAvisoPrevio->setFocus(Qt::OtherFocusReason);
}

} // namespace quintar
