#include "TfrmMultas.h"

#include "Erro.h"
#include "Interface.h"
#include "PreparaPadrao.h"
#include "Registros.h"
#include "RegrasEditores.h"
#include "Vinculos.h"
#include "ui_TfrmMultas.h"

#include <QGroupBox>

namespace quintar {

TfrmMultas::TfrmMultas(Motor& motor, QWidget* pai)
    : TfrmBaseDados(motor, QStringLiteral("TAB_MULTAS"), pai), ui_(std::make_unique<Ui::TfrmMultas>())
{
    setWindowTitle(QStringLiteral("Apuração de Multas"));
    ui_->setupUi(conteudo());
    grbBaseCalc()->hide();

    // The table keeps 25 characters of a column's name.
    const std::pair<QCheckBox*, const char*> caixas[] = {
        {ui_->chkCalcula467, "IND_CALCULA_467"},
        {ui_->chk467AvisoPrevio, "SOBRE_467_AVISO_PREVIO"},
        {ui_->chk467Salario, "SOBRE_467_SALARIO"},
        {ui_->chk467Decimo, "SOBRE_467_13_SALARIO"},
        {ui_->chk467Ferias, "SOBRE_467_FERIAS"},
        {ui_->chk467FGTS, "SOBRE_467_FGTS"},
        {ui_->chk467HorExt, "SOBRE_467_HORA_EXTRA"},
        {ui_->chk467AdicNot, "SOBRE_467_NOTURNO"},
        {ui_->chk467Insalub, "SOBRE_467_INSALUBRIDADE"},
        {ui_->chk467Peric, "SOBRE_467_PERICULOSIDADE"},
        {ui_->chk467RSR, "SOBRE_467_RSR"},
        {ui_->chkCalcula477, "IND_CALCULA_477"},
        {ui_->chk477SalFix, "SOBRE_477_SALARIO_FIXO"},
        {ui_->chk477DifSal, "SOBRE_477_DIFERENCA_SALAR"},
        {ui_->chk477SalVar, "SOBRE_477_SALARIO_VARIAVE"},
        {ui_->chk477HorExt, "SOBRE_477_HORA_EXTRA"},
        {ui_->chk477AdicNot, "SOBRE_477_NOTURNO"},
        {ui_->chk477Insalub, "SOBRE_477_INSALUBRIDADE"},
        {ui_->chk477Peric, "SOBRE_477_PERICULOSIDADE"},
    };
    for (const auto& [caixa, coluna] : caixas)
        vinculos().liga(caixa, QString::fromLatin1(coluna));
    connect(ui_->chkCalcula467, &QCheckBox::toggled, this, &TfrmMultas::habilitaBases);
    connect(ui_->chkCalcula477, &QCheckBox::toggled, this, &TfrmMultas::habilitaBases);
    ordenaTabulacao(ui_->chk477Peric);
    resize(560, 0);
}

TfrmMultas::~TfrmMultas() = default;

void TfrmMultas::criaRegistro()
{
    PreparaMultas(banco_, processoId_);
}

void TfrmMultas::FormShow()
{
    TfrmBaseDados::FormShow();
    habilitaBases();
    ui_->chkCalcula467->setFocus(Qt::OtherFocusReason);
}

void TfrmMultas::habilitaBases()
{
    ui_->panBase467->setEnabled(ui_->chkCalcula467->isChecked());
    ui_->panBase477->setEnabled(ui_->chkCalcula477->isChecked());
}

void TfrmMultas::btnOkClick()
{
    if (!vinculos().confirma())
        return;
    try {
        ValidaMultas(*que1());
    } catch (const Erro& e) {
        // Raised as an error, not shown as a refusal of a field.
        MostraErro(this, e.mensagem());
        return;
    }
    TfrmBaseDados::btnOkClick();
}

} // namespace quintar
