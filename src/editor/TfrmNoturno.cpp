#include "TfrmNoturno.h"

#include "Erro.h"
#include "Registros.h"
#include "RegrasAdicionais.h"
#include "TfrmJornadaHEN.h"
#include "TfrmNoturnoValor.h"
#include "Valores.h"
#include "ui_TfrmNoturno.h"

namespace quintar {

TfrmNoturno::TfrmNoturno(Motor& motor, QWidget* pai)
    : TfrmLinhasHoras(motor,
        {QStringLiteral("TAB_NOTURNO"), QStringLiteral("NOTURNO"), &PreparaNoturno, &NovaLinhaNoturno,
            &ValidaLinhaNoturno, {QStringLiteral("NUMERO_MEDIO")}},
        pai),
      ui_(std::make_unique<Ui::TfrmNoturno>())
{
    setWindowTitle(QStringLiteral("Apuração de Adicional Noturno"));
    auto* painel = new QWidget(panGrade());
    ui_->setupUi(painel);
    montaLinhas(painel, ui_->btnApurar, ui_->btnReflexos);
    resize(640, 380);
}

TfrmNoturno::~TfrmNoturno() = default;

std::optional<Valores> TfrmNoturno::apuraJornada()
{
    TfrmJornadaHEN jornada(motor_, this);
    if (!jornada.Executa(processoId_) || !jornada.CopiarResultado())
        return std::nullopt;
    return Valores{{QStringLiteral("NUMERO_MEDIO"), bancoDecimal(jornada.MediaHorasNoturnas(), 2)}};
}

std::optional<Erro> TfrmNoturno::valorHora()
{
    TfrmNoturnoValor valor(motor_, *que1(), this);
    valor.Executa(processoId_);
    return valor.recusaDaLinha();
}

} // namespace quintar
