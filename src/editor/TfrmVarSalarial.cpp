#include "TfrmVarSalarial.h"

#include "BancoDados.h"
#include "Erro.h"
#include "Registros.h"
#include "TfrmVarSalPeriodo.h"
#include "Valores.h"
#include "ui_TfrmVarSalarial.h"

#include <QButtonGroup>
#include <QHBoxLayout>

namespace quintar {

TfrmVarSalarial::TfrmVarSalarial(Motor& motor, QWidget* pai)
    : TfrmGrades(motor, QStringLiteral("TAB_VARIACAO_SALARIAL"), pai), ui_(std::make_unique<Ui::TfrmVarSalarial>())
{
    setWindowTitle(QStringLiteral("Variação Salarial"));
    auto* unidades = new QWidget(panDados());
    ui_->setupUi(unidades);
    static_cast<QHBoxLayout*>(panDados()->layout())->addWidget(unidades);
    unidadeFixo_ = new QButtonGroup(this);
    unidadeFixo_->addButton(ui_->rbtFixoMoeda, 0);
    unidadeFixo_->addButton(ui_->rbtFixoMinimo, 1);
    unidadeParadigma_ = new QButtonGroup(this);
    unidadeParadigma_->addButton(ui_->rbtParadigmaMoeda, 0);
    unidadeParadigma_->addButton(ui_->rbtParadigmaMinimo, 1);
    connect(ui_->btnPeriodo, &QPushButton::clicked, this, &TfrmVarSalarial::abrePeriodo);

    Registros& r = *que1();
    r.ordem = QStringLiteral("ANO DESC, MES DESC");
    r.colunasAtualizadas = {
        QStringLiteral("SALARIO_FIXO"), QStringLiteral("SALARIO_VARIAVEL"), QStringLiteral("PARADIGMA")};
    r.permiteInserir = false;
    r.permiteExcluir = false;

    using T = ColunaGrade::Tipo;
    defineColunas({
        {.campo = QStringLiteral("MES"), .titulo = QStringLiteral("Mês"), .tipo = T::Mes, .somenteLeitura = true},
        {.campo = QStringLiteral("ANO"), .titulo = QStringLiteral("Ano"), .somenteLeitura = true, .largura = 5},
        {.campo = QStringLiteral("SALARIO_FIXO"), .titulo = QStringLiteral("Parcela Fixa"), .largura = 12},
        {.campo = QStringLiteral("PARADIGMA"),
            .titulo = QStringLiteral("Paradigma"),
            .cor = QColor(Qt::red),
            .largura = 12},
        {.campo = QStringLiteral("SALARIO_VARIAVEL"), .titulo = QStringLiteral("Parcela Variável"), .largura = 12},
    });
    r.antesDePostar = [this](Registros& linha) {
        for (const char* c : {"SALARIO_FIXO", "SALARIO_VARIAVEL", "PARADIGMA"}) {
            const QString coluna = QString::fromLatin1(c);
            if (lerMoney(linha.valor(coluna)) < Money())
                throw Erro(modelo()->colunaGrade(modelo()->colunaDoCampo(coluna)).titulo
                        + QStringLiteral(" deve ser maior ou igual a zero."),
                    coluna);
        }
    };
    resize(620, 440);
}

TfrmVarSalarial::~TfrmVarSalarial() = default;

void TfrmVarSalarial::FormShow()
{
    TfrmGrades::FormShow();
    const Registros& r = *que1();
    const bool temLinha = r.quantidade() > 0;
    (temLinha && r.valor(0, u"UNIDADE_SALARIO_FIXO").toString() == u"V" ? ui_->rbtFixoMoeda : ui_->rbtFixoMinimo)
        ->setChecked(true);
    (temLinha && r.valor(0, u"UNIDADE_PARADIGMA").toString() == u"V" ? ui_->rbtParadigmaMoeda : ui_->rbtParadigmaMinimo)
        ->setChecked(true);
    if (temLinha)
        gri1()->vaiParaCampo(r.atual(), QStringLiteral("SALARIO_FIXO"));
}

void TfrmVarSalarial::gravaDepois()
{
    const auto unidade = [](QButtonGroup* g) {
        return g->checkedId() == 0 ? QStringLiteral("V") : QStringLiteral("M");
    };
    try {
        banco_.executa(QStringLiteral("UPDATE TAB_VARIACAO_SALARIAL SET UNIDADE_SALARIO_FIXO = :fixo, "
                                      "UNIDADE_PARADIGMA = :paradigma WHERE PROCESSO_ID = :id"),
            {{"fixo", unidade(unidadeFixo_)}, {"paradigma", unidade(unidadeParadigma_)}, {"id", processoId_}});
    } catch (const Erro&) {
        // The units are a convenience over the months already written.
    }
}

void TfrmVarSalarial::abrePeriodo()
{
    gri1()->confirmaCelula();
    if (!periodo_)
        periodo_ = std::make_unique<TfrmVarSalPeriodo>(motor_, *this);
    periodo_->exec();
    gri1()->setFocus(Qt::OtherFocusReason);
}

} // namespace quintar
