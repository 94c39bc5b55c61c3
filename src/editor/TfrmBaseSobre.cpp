#include "TfrmBaseSobre.h"

#include "CasoAberto.h"
#include "HabilitaReflexos.h"
#include "Navegador.h"
#include "Registros.h"
#include "ui_TfrmBaseSobre.h"

#include <QToolButton>

namespace quintar {

TfrmBaseSobre::TfrmBaseSobre(Motor& motor, const QString& tabela, QWidget* pai)
    : Tfrm1BaseNLinhas(motor, tabela, pai), ui_(std::make_unique<Ui::TfrmBaseSobre>())
{
    auto* opcoes = new QWidget(panBase());
    ui_->setupUi(opcoes);
    substituiBase(opcoes);
    const std::pair<QCheckBox*, const char*> caixas[] = {
        {ui_->chkSalFix, "SOBRE_SALARIO_FIXO"},
        {ui_->chkDifSal, "SOBRE_DIFERENCA_SALARIAL"},
        {ui_->chkSalVar, "SOBRE_SALARIO_VARIAVEL"},
        {ui_->chkHorExt, "SOBRE_HORA_EXTRA"},
        {ui_->chkAdicNot, "SOBRE_NOTURNO"},
        {ui_->chkAdicInsalub, "SOBRE_INSALUBRIDADE"},
        {ui_->chkAdicPeric, "SOBRE_PERICULOSIDADE"},
        {ui_->chkRepSRem, "SOBRE_RSR"},
    };
    for (const auto& [caixa, coluna] : caixas)
        ligaBase(caixa, QString::fromLatin1(coluna));

    Registros& r = *que1();
    r.permiteInserir = false;
    r.permiteExcluir = false;
    nav1()->botao(Navegador::Novo)->hide();
    nav1()->botao(Navegador::Excluir)->hide();
}

TfrmBaseSobre::~TfrmBaseSobre() = default;

void TfrmBaseSobre::acrescentaOpcao(QWidget* grupo)
{
    ui_->layoutOpcoes->insertWidget(ui_->layoutOpcoes->count() - 1, grupo);
}

bool TfrmBaseSobre::Executa(const CasoAberto& caso)
{
    inicioPacto_ = caso.data(u"DATA_INICIO_PACTO");
    fimPacto_ = caso.data(u"DATA_FIM_PACTO");
    HabilitaReflexos(caso, {ui_->chkHorExt, ui_->chkAdicNot, ui_->chkAdicInsalub, ui_->chkAdicPeric, ui_->chkRepSRem});
    return TfrmOkCan::Executa(caso.processoId());
}

void TfrmBaseSobre::FormShow()
{
    que1()->abre(processoId_);
    if (que1()->quantidade() == 0)
        geraLinhas();
    Tfrm1BaseNLinhas::FormShow();
}

} // namespace quintar
