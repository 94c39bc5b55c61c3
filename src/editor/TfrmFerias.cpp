#include "TfrmFerias.h"

#include "BancoDados.h"
#include "Motor.h"
#include "Registros.h"
#include "RegrasEditores.h"
#include "ui_TfrmFerias.h"

namespace quintar {

TfrmFerias::TfrmFerias(Motor& motor, QWidget* pai)
    : TfrmBaseSobre(motor, QStringLiteral("TAB_FERIAS"), pai), ui_(std::make_unique<Ui::TfrmFerias>())
{
    setWindowTitle(QStringLiteral("Apuração de Férias"));
    auto* referencia = new QGroupBox(panBase());
    ui_->setupUi(referencia);
    acrescentaOpcao(referencia);

    Registros& r = *que1();
    r.ordem = QStringLiteral("PERIODO_INICIAL");
    r.colunasAtualizadas = {QStringLiteral("IND_FERIAS"), QStringLiteral("IND_TERCO"), QStringLiteral("IND_DOBRO"),
        QStringLiteral("NUMERO_MESES")};
    r.antesDePostar = [](Registros& linha) { ValidaNumeroMeses(linha); };

    using T = ColunaGrade::Tipo;
    defineColunas({
        {.campo = QStringLiteral("IND_FERIAS"), .titulo = QStringLiteral("Férias"), .tipo = T::Flag},
        {.campo = QStringLiteral("IND_TERCO"), .titulo = QStringLiteral("1/3"), .tipo = T::Flag},
        {.campo = QStringLiteral("IND_DOBRO"), .titulo = QStringLiteral("Dobro"), .tipo = T::Flag},
        {.campo = QStringLiteral("PERIODO_INICIAL"),
            .titulo = QStringLiteral("Período Inicial"),
            .somenteLeitura = true,
            .largura = 10},
        {.campo = QStringLiteral("PERIODO_FINAL"),
            .titulo = QStringLiteral("Período Final"),
            .somenteLeitura = true,
            .largura = 10},
        // The list 1 to 12 is the column's range.
        {.campo = QStringLiteral("NUMERO_MESES"), .titulo = QStringLiteral("Nro Meses"), .tipo = T::Mes},
        {.campo = QStringLiteral("VALOR_DEVIDO"),
            .titulo = QStringLiteral("Valor Devido"),
            .somenteLeitura = true,
            .largura = 12},
    });
    resize(720, 400);
}

TfrmFerias::~TfrmFerias() = default;

void TfrmFerias::geraLinhas()
{
    motor_.ferias.GeraPeriodosFerias(fimPacto_, inicioPacto_, processoId_);
}

void TfrmFerias::FormShow()
{
    TfrmBaseSobre::FormShow();
    const Registros& r = *que1();
    const bool ultimo = r.quantidade() > 0 && r.valor(0, u"IND_REFERENCIA").toString() == u"U";
    (ultimo ? ui_->rbtUltimo : ui_->rbtMedia)->setChecked(true);
}

void TfrmFerias::gravaDepois()
{
    TfrmBaseSobre::gravaDepois();
    banco_.executa(QStringLiteral("UPDATE TAB_FERIAS SET IND_REFERENCIA = :referencia WHERE PROCESSO_ID = :id"),
        {{"referencia", ui_->rbtUltimo->isChecked() ? QStringLiteral("U") : QStringLiteral("M")}, {"id", processoId_}});
}

} // namespace quintar
