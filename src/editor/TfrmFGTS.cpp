#include "TfrmFGTS.h"

#include "Campos.h"
#include "PreparaPadrao.h"
#include "Registros.h"
#include "RegrasEditores.h"
#include "Rotinas.h"
#include "Vinculos.h"
#include "ui_TfrmFGTS.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QPushButton>

namespace quintar {

TfrmFGTS::TfrmFGTS(Motor& motor, QWidget* pai)
    : TfrmBaseDados(motor, QStringLiteral("TAB_FGTS"), pai), ui_(std::make_unique<Ui::TfrmFGTS>())
{
    setWindowTitle(QStringLiteral("Apuração de FGTS"));
    ui_->setupUi(conteudo());
    grbBaseCalc()->setTitle(QStringLiteral("&Base de Cálculo"));
    chkAvisoPrevio = acrescentaBase(ItemBase::AvisoPrevio);
    chkAdicPeric = acrescentaBase(ItemBase::Periculosidade);
    ligaBaseCalc();

    for (QComboBox* mes : {ui_->cmbMesInicial, ui_->cmbMesFinal})
        PreencheMeses(mes);
    for (CampoNumero* ano : {ui_->edtAnoInicial, ui_->edtAnoFinal}) {
        ano->completaAoSair = [](const QString& digitado) { return AnoCompleto(digitado); };
        ano->setMaximumWidth(fontMetrics().horizontalAdvance(QStringLiteral("000000")) + 16);
    }
    percentual_ = new QButtonGroup(this);
    percentual_->addButton(ui_->rbtPercentual2, 0);
    percentual_->addButton(ui_->rbtPercentual8, 1);
    multa_ = new QButtonGroup(this);
    multa_->addButton(ui_->rbtMultaNao, 0);
    multa_->addButton(ui_->rbtMulta20, 1);
    multa_->addButton(ui_->rbtMulta40, 2);

    Vinculos& v = vinculos();
    const std::pair<QCheckBox*, const char*> caixas[] = {
        {ui_->chkPeriodo, "IND_APURA_PERIODO"},
        {ui_->chkVerbas, "IND_APURA_VERBAS_RESCISOR"},
    };
    for (const auto& [caixa, coluna] : caixas)
        v.liga(caixa, QString::fromLatin1(coluna));
    v.liga(percentual_, QStringLiteral("TIPO_PERCENTUAL"), {QStringLiteral("1"), QStringLiteral("2")});
    v.liga(multa_, QStringLiteral("TIPO_MULTA"), {QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2")});
    v.liga(ui_->cmbMesInicial, QStringLiteral("MES_INICIAL"));
    v.liga(ui_->edtAnoInicial, QStringLiteral("ANO_INICIAL"));
    v.liga(ui_->cmbMesFinal, QStringLiteral("MES_FINAL"));
    v.liga(ui_->edtAnoFinal, QStringLiteral("ANO_FINAL"));

    // A year typed to its four digits hands on to what follows it.
    const auto editando = [this] { return que1()->emEdicao(); };
    EncadeiaCampos({ui_->edtAnoInicial, ui_->cmbMesFinal}, editando);
    connect(ui_->edtAnoFinal, &QLineEdit::textEdited, this, [this, editando] {
        if (ui_->edtAnoFinal->hasFocus() && ui_->edtAnoFinal->text().size() >= 4 && editando())
            (multa_->checkedButton() ? multa_->checkedButton() : ui_->rbtMultaNao)->setFocus(Qt::TabFocusReason);
    });
    connect(ui_->chkPeriodo, &QCheckBox::toggled, this, &TfrmFGTS::habilitaPeriodo);

    que1()->antesDePostar = [this](Registros& linha) { ValidaPeriodo(linha, inicioPacto_, fimPacto_); };
    ordenaTabulacao(ui_->rbtMulta40);
}

TfrmFGTS::~TfrmFGTS() = default;

void TfrmFGTS::criaRegistro()
{
    const DatasProcesso datas = LeDatasProcesso(banco_, processoId_);
    PreparaFGTS(banco_, processoId_, datas.inicioPacto, datas.fimPacto);
}

void TfrmFGTS::FormShow()
{
    const DatasProcesso datas = LeDatasProcesso(banco_, processoId_);
    inicioPacto_ = datas.inicioPacto;
    fimPacto_ = datas.fimPacto;
    TfrmBaseDados::FormShow();
    habilitaPeriodo();
    (percentual_->checkedButton() ? percentual_->checkedButton() : ui_->rbtPercentual8)->setFocus(Qt::OtherFocusReason);
}

void TfrmFGTS::habilitaPeriodo()
{
    const bool periodo = ui_->chkPeriodo->isChecked();
    for (QWidget* w : std::initializer_list<QWidget*>{ui_->lblInicial, ui_->cmbMesInicial, ui_->lblBarraInicial,
             ui_->edtAnoInicial, ui_->lblA, ui_->lblFinal, ui_->cmbMesFinal, ui_->lblBarraFinal, ui_->edtAnoFinal})
        w->setEnabled(periodo);
}

} // namespace quintar
