#include "TfrmJornadaHEN.h"

#include "ui_TfrmJornadaHEN.h"

namespace quintar {

TfrmJornadaHEN::TfrmJornadaHEN(Motor& motor, QWidget* pai)
    : TfrmJornada(motor, QStringLiteral("TAB_JT_NOTURNO"), pai), ui_(std::make_unique<Ui::TfrmJornadaHEN>())
{
    setWindowTitle(QStringLiteral("Jornada de Trabalho Noturna"));
    auto* painel = new QWidget(panGrade());
    ui_->setupUi(painel);
    montaJornada(painel,
        {ui_->edtEntradaNoturno, ui_->edtSaidaNoturno, ui_->chkReducaoHora, ui_->btnModelo, ui_->btnApurar,
            ui_->chkCopiarResultado, ui_->griResultado},
        {QStringLiteral("Hs Trabalhadas"), QStringLiteral("Hs Noturnas")});
    resize(700, 440);
}

TfrmJornadaHEN::~TfrmJornadaHEN() = default;

long double TfrmJornadaHEN::MediaHorasNoturnas() const
{
    return HorasMes(resultado().mesNoturnas);
}

void TfrmJornadaHEN::mostraResultado(const ResultadoJornada& r)
{
    mostraLinha(0, r.trabalhadas, r.mesTrabalhadas);
    mostraLinha(1, r.noturnas, r.mesNoturnas);
}

void TfrmJornadaHEN::preparaLinhas()
{
    CopiaJornadaExtra(banco_, *que1());
}

} // namespace quintar
