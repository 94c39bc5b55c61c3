#include "TfrmHorasExtras.h"

#include "Erro.h"
#include "Registros.h"
#include "RegrasAdicionais.h"
#include "TfrmHoraExtraValor.h"
#include "TfrmJornadaHE.h"
#include "Valores.h"
#include "ui_TfrmHorasExtras.h"

namespace quintar {

TfrmHorasExtras::TfrmHorasExtras(Motor& motor, QWidget* pai)
    : TfrmLinhasHoras(motor,
        {QStringLiteral("TAB_HORAS_EXTRAS"), QStringLiteral("HORA_EXTRA"), &PreparaHorasExtras, &NovaLinhaHorasExtras,
            &ValidaLinhaHorasExtras, {QStringLiteral("NUMERO_MEDIO_DIURNO"), QStringLiteral("NUMERO_MEDIO_NOTURNO")}},
        pai),
      ui_(std::make_unique<Ui::TfrmHorasExtras>())
{
    setWindowTitle(QStringLiteral("Apuração de Horas Extras"));
    auto* painel = new QWidget(panGrade());
    ui_->setupUi(painel);
    montaLinhas(painel, ui_->btnApurar, ui_->btnReflexos);
    resize(720, 380);
}

TfrmHorasExtras::~TfrmHorasExtras() = default;

std::optional<Valores> TfrmHorasExtras::apuraJornada()
{
    TfrmJornadaHE jornada(motor_, this);
    if (!jornada.Executa(processoId_) || !jornada.CopiarResultado())
        return std::nullopt;
    return Valores{{QStringLiteral("NUMERO_MEDIO_DIURNO"), bancoDecimal(jornada.MediaExtrasDiurnas(), 2)},
        {QStringLiteral("NUMERO_MEDIO_NOTURNO"), bancoDecimal(jornada.MediaExtrasNoturnas(), 2)}};
}

std::optional<Erro> TfrmHorasExtras::valorHora()
{
    TfrmHoraExtraValor valor(motor_, *que1(), this);
    valor.Executa(processoId_);
    return valor.recusaDaLinha();
}

} // namespace quintar
