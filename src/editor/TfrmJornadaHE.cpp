#include "TfrmJornadaHE.h"

#include "Campos.h"
#include "Rotinas.h"
#include "ui_TfrmJornadaHE.h"

namespace quintar {

TfrmJornadaHE::TfrmJornadaHE(Motor& motor, QWidget* pai)
    : TfrmJornada(motor, QStringLiteral("TAB_JT_EXTRA"), pai), ui_(std::make_unique<Ui::TfrmJornadaHE>())
{
    setWindowTitle(QStringLiteral("Jornada de Trabalho - Horas Extras"));
    auto* painel = new QWidget(panGrade());
    ui_->setupUi(painel);
    montaJornada(painel,
        {ui_->edtEntradaNoturno, ui_->edtSaidaNoturno, ui_->chkReducaoHora, ui_->btnModelo, ui_->btnApurar,
            ui_->chkCopiarResultado, ui_->griResultado},
        {QStringLiteral("Hs Trabalhadas"), QStringLiteral("Hs Noturnas"), QStringLiteral("Extras Diurnas"),
            QStringLiteral("Extras Noturnas")});
    for (QLineEdit* horas : {ui_->edtAcimaDa, ui_->edtAteA}) {
        ApenasDigitos(horas);
        horas->setMaximumWidth(horas->fontMetrics().horizontalAdvance(QStringLiteral("000")) + 14);
        connect(horas, &QLineEdit::textEdited, this, &TfrmJornadaHE::opcaoAlterada);
    }
    // Choosing the count proposes its usual normal hours.
    connect(ui_->rbtDiaria, &QRadioButton::clicked, this, [this] {
        ui_->edtAcimaDa->setText(QStringLiteral("08"));
        opcaoAlterada();
    });
    connect(ui_->rbtSemanal, &QRadioButton::clicked, this, [this] {
        ui_->edtAcimaDa->setText(QStringLiteral("44"));
        opcaoAlterada();
    });
    resize(760, 510);
}

TfrmJornadaHE::~TfrmJornadaHE() = default;

long double TfrmJornadaHE::MediaExtrasDiurnas() const
{
    return HorasMes(resultado().mesExtrasDiurnas);
}

long double TfrmJornadaHE::MediaExtrasNoturnas() const
{
    return HorasMes(resultado().mesExtrasNoturnas);
}

OpcoesJornada TfrmJornadaHE::opcoes() const
{
    OpcoesJornada o = TfrmJornada::opcoes();
    o.semanal = ui_->rbtSemanal->isChecked();
    o.acimaDa = NumeroCaixa(ui_->edtAcimaDa->text());
    o.ateA = NumeroCaixa(ui_->edtAteA->text());
    return o;
}

void TfrmJornadaHE::mostraOpcoes(const OpcoesJornada& o)
{
    TfrmJornada::mostraOpcoes(o);
    (o.semanal ? ui_->rbtSemanal : ui_->rbtDiaria)->setChecked(true);
    ui_->edtAcimaDa->setText(o.acimaDa == 0 ? QString() : ZerosEsquerda(QString::number(o.acimaDa), 2));
    ui_->edtAteA->setText(o.ateA == 0 ? QString() : ZerosEsquerda(QString::number(o.ateA), 2));
}

void TfrmJornadaHE::mostraResultado(const ResultadoJornada& r)
{
    mostraLinha(0, r.trabalhadas, r.mesTrabalhadas);
    mostraLinha(1, r.noturnas, r.mesNoturnas);
    mostraLinha(2, r.extrasDiurnas, r.mesExtrasDiurnas);
    mostraLinha(3, r.extrasNoturnas, r.mesExtrasNoturnas);
}

void TfrmJornadaHE::aplicaModelo(const ModeloJornada& modelo)
{
    ui_->edtAcimaDa->setText(modelo.acimaDa);
    ui_->edtAteA->clear();
    (modelo.semanal ? ui_->rbtSemanal : ui_->rbtDiaria)->setChecked(true);
}

} // namespace quintar
