#include "TfrmJuros.h"

#include "Campos.h"
#include "PreparaPadrao.h"
#include "Registros.h"
#include "RegrasEditores.h"
#include "Vinculos.h"
#include "ui_TfrmJuros.h"

#include <QButtonGroup>
#include <QGroupBox>

namespace quintar {

TfrmJuros::TfrmJuros(Motor& motor, QWidget* pai)
    : TfrmBaseDados(motor, QStringLiteral("TAB_JUROS"), pai), ui_(std::make_unique<Ui::TfrmJuros>())
{
    setWindowTitle(QStringLiteral("Apuração de Juros"));
    ui_->setupUi(conteudo());
    grbBaseCalc()->setTitle(QStringLiteral("Base de Cálculo"));
    chkAvisoPrevio = acrescentaBase(ItemBase::AvisoPrevio);
    chkFerias = acrescentaBase(ItemBase::Ferias);
    chkFGTS = acrescentaBase(ItemBase::FGTS);
    chkAdicPeric = acrescentaBase(ItemBase::Periculosidade);
    chkMultas = acrescentaBase(ItemBase::Multas);
    ligaBaseCalc();
    metodo_ = new QButtonGroup(this);
    metodo_->addButton(ui_->rbtPadrao, 0);
    metodo_->addButton(ui_->rbtMP, 1);

    Vinculos& v = vinculos();
    v.liga(ui_->datInicio, QStringLiteral("DATA_INICIO_JUROS"));
    v.liga(ui_->datFim, QStringLiteral("DATA_FIM_JUROS"));
    v.liga(metodo_, QStringLiteral("METODO_JUROS"), {QStringLiteral("P"), QStringLiteral("M")});
    que1()->antesDePostar = [this](Registros& linha) { ValidaJuros(linha, inicioPacto_); };
    ordenaTabulacao(ui_->rbtMP);
}

TfrmJuros::~TfrmJuros() = default;

void TfrmJuros::padroes(Registros& registro)
{
    for (const auto& [coluna, valor] : PadroesJuros(inicioPacto_, atualizacao_))
        registro.define(coluna, valor);
}

void TfrmJuros::FormShow()
{
    const DatasProcesso datas = LeDatasProcesso(banco_, processoId_);
    inicioPacto_ = datas.inicioPacto;
    atualizacao_ = datas.atualizacao;
    // Not saved until OK: Cancel leaves the case without interest.
    que1()->abre(processoId_);
    if (que1()->quantidade() == 0)
        que1()->Acrescenta();
    ui_->datInicio->setFocus(Qt::OtherFocusReason);
}

} // namespace quintar
