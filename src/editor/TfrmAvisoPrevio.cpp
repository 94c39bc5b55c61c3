#include "TfrmAvisoPrevio.h"

#include "CasoAberto.h"
#include "HabilitaReflexos.h"
#include "Motor.h"
#include "PreparaPadrao.h"
#include "Vinculos.h"
#include "ui_TfrmAvisoPrevio.h"

#include <QGroupBox>
#include <QPushButton>

namespace quintar {

TfrmAvisoPrevio::TfrmAvisoPrevio(Motor& motor, QWidget* pai)
    : TfrmBaseDados(motor, QStringLiteral("TAB_AVISO_PREVIO"), pai), ui_(std::make_unique<Ui::TfrmAvisoPrevio>())
{
    setWindowTitle(QStringLiteral("Apuração de Aviso Prévio"));
    ui_->setupUi(conteudo());
    grbBaseCalc()->hide();
    ui_->edtDias->setMaximumWidth(fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 16);

    Vinculos& v = vinculos();
    v.liga(ui_->edtDias, QStringLiteral("QUANTIDADE_DIAS"));
    const std::pair<QCheckBox*, const char*> caixas[] = {
        {ui_->chkSalFix, "SOBRE_SALARIO_FIXO"},
        {ui_->chkDifSal, "SOBRE_DIFERENCA_SALARIAL"},
        {ui_->chkSalVar, "SOBRE_SALARIO_VARIAVEL"},
        {ui_->chkReflexoHE, "SOBRE_HORA_EXTRA"},
        {ui_->chkReflexoAN, "SOBRE_NOTURNO"},
        {ui_->chkReflexoAI, "SOBRE_INSALUBRIDADE"},
        {ui_->chkReflexoAP, "SOBRE_PERICULOSIDADE"},
        {ui_->chkReflexoRSR, "SOBRE_RSR"},
        {ui_->chkReflexo13, "IND_REFLEXO_13_SALARIO"},
        {ui_->chkReflexoFerias, "IND_REFLEXO_FERIAS"},
    };
    for (const auto& [caixa, coluna] : caixas)
        v.liga(caixa, QString::fromLatin1(coluna));
    ordenaTabulacao(ui_->chkReflexoFerias);
}

TfrmAvisoPrevio::~TfrmAvisoPrevio() = default;

void TfrmAvisoPrevio::criaRegistro()
{
    PreparaAviso(banco_, processoId_);
}

void TfrmAvisoPrevio::FormShow()
{
    TfrmBaseDados::FormShow();
    ui_->edtDias->setFocus(Qt::OtherFocusReason);
}

bool TfrmAvisoPrevio::Executa(const CasoAberto& caso)
{
    const qint64 id = caso.processoId();
    HabilitaReflexos(
        caso, {ui_->chkReflexoHE, ui_->chkReflexoAN, ui_->chkReflexoAI, ui_->chkReflexoAP, ui_->chkReflexoRSR});
    const bool calcula13 = caso.marcado(u"CALCULA_13_SALARIO");
    const bool calculaFerias = caso.marcado(u"CALCULA_FERIAS");
    // As the row stands before the dialog (no row: no months projected yet).
    const TdmAviso::Projecao antes = motor_.aviso.LeProjecao(id);
    if (!TfrmOkCan::Executa(id))
        return false;
    motor_.aviso.AplicaProjecao(
        antes, calcula13, calculaFerias, caso.data(u"DATA_FIM_PACTO"), caso.data(u"DATA_INICIO_PACTO"), id);
    return true;
}

} // namespace quintar
