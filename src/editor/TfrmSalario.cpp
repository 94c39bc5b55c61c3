#include "TfrmSalario.h"

#include "BancoDados.h"
#include "Erro.h"
#include "Motor.h"
#include "Registros.h"
#include "RegrasEditores.h"
#include "Rotinas.h"
#include "Valores.h"
#include "ui_TfrmSalario.h"

#include <QGroupBox>

namespace quintar {

TfrmSalario::TfrmSalario(Motor& motor, QWidget* pai)
    : Tfrm1BaseNLinhas(motor, QStringLiteral("TAB_SALARIO"), pai), ui_(std::make_unique<Ui::TfrmSalario>())
{
    setWindowTitle(QStringLiteral("Apuração de Salário"));
    ui_->setupUi(gruBase());
    ligaBase(ui_->chkSalFix, QStringLiteral("SOBRE_SALARIO_FIXO"));
    ligaBase(ui_->chkDifSal, QStringLiteral("SOBRE_DIFERENCA_SALARIAL"));
    ligaBase(ui_->chkSalVar, QStringLiteral("SOBRE_SALARIO_VARIAVEL"));

    Registros& r = *que1();
    r.ordem = QStringLiteral("ANO DESC, MES DESC");
    r.colunasAtualizadas = {QStringLiteral("IND_CALCULA"), QStringLiteral("NUMERO_DIAS")};
    r.permiteInserir = false;
    r.permiteExcluir = false;
    r.aoNovoRegistro = [](Registros& novo) {
        novo.define(u"IND_CALCULA", QStringLiteral("S"));
        novo.define(u"NUMERO_DIAS", 30);
        novo.define(u"SOBRE_SALARIO_FIXO", QStringLiteral("S"));
        novo.define(u"SOBRE_DIFERENCA_SALARIAL", QStringLiteral("S"));
        novo.define(u"SOBRE_SALARIO_VARIAVEL", QStringLiteral("S"));
    };
    r.antesDePostar = [this](Registros& linha) { ValidaMesDoPacto(linha, inicioPacto_, fimPacto_); };

    using T = ColunaGrade::Tipo;
    defineColunas({
        {.campo = QStringLiteral("IND_CALCULA"), .titulo = QStringLiteral("Calcular"), .tipo = T::Flag},
        {.campo = QStringLiteral("MES"), .titulo = QStringLiteral("Mês"), .tipo = T::Mes, .somenteLeitura = true},
        {.campo = QStringLiteral("ANO"), .titulo = QStringLiteral("Ano"), .somenteLeitura = true, .largura = 5},
        {.campo = QStringLiteral("NUMERO_DIAS"), .titulo = QStringLiteral("Nro Dias")},
        {.campo = QStringLiteral("VALOR_DEVIDO"),
            .titulo = QStringLiteral("Valor Devido"),
            .somenteLeitura = true,
            .largura = 12},
    });
    habilitaMarcarTodos(QStringLiteral("IND_CALCULA"));
    resize(560, 420);
}

TfrmSalario::~TfrmSalario() = default;

void TfrmSalario::FormShow()
{
    const DatasProcesso datas = LeDatasProcesso(banco_, processoId_);
    inicioPacto_ = datas.inicioPacto;
    fimPacto_ = datas.fimPacto;
    que1()->abre(processoId_);
    if (que1()->quantidade() == 0)
        motor_.rapido.GeraMesesSalario(processoId_, inicioPacto_, fimPacto_);
    Tfrm1BaseNLinhas::FormShow();
}

} // namespace quintar
