#include "TfrmINSS.h"

#include "Campos.h"
#include "PreparaPadrao.h"
#include "Registros.h"
#include "RegrasEditores.h"
#include "Valores.h"
#include "Vinculos.h"
#include "ui_TfrmINSS.h"

#include <QButtonGroup>
#include <QFocusEvent>
#include <QRegularExpressionValidator>

namespace quintar {

namespace {

const int PapelTaxa = Qt::UserRole + 1;

} // namespace

TfrmINSS::TfrmINSS(Motor& motor, QWidget* pai)
    : TfrmBaseDados(motor, QStringLiteral("TAB_INSS"), pai), ui_(std::make_unique<Ui::TfrmINSS>())
{
    setWindowTitle(QStringLiteral("Apuração de INSS"));
    ui_->setupUi(conteudo());
    grbBaseCalc()->setTitle(QStringLiteral("Base de Cálculo"));
    ligaBaseCalc();
    recolhimento_ = new QButtonGroup(this);
    recolhimento_->addButton(ui_->rbtFaixa, 0);
    recolhimento_->addButton(ui_->rbtAutonomo, 1);

    atividades_ = {
        {ui_->cmbEmpregador, ui_->edtPercEmpregador, QStringLiteral("CODPREVEMPREGADOR"),
            QStringLiteral("PERCENTUAL_EMPREGADOR")},
        {ui_->cmbRAT, ui_->edtPercRAT, QStringLiteral("CODPREVSAT"), QStringLiteral("PERCENTUAL_RAT")},
        {ui_->cmbTerceiros, ui_->edtPercTerceiros, QStringLiteral("CODPREVTERCEIRO"),
            QStringLiteral("PERCENTUAL_TERCEIROS")},
    };
    const QString tabelas[] = {
        QStringLiteral("PrevEmpregador"), QStringLiteral("PrevSAT"), QStringLiteral("PrevTerceiro")};
    const int largura = fontMetrics().horizontalAdvance(QStringLiteral("000,00")) + 12;
    for (int i = 0; i < atividades_.size(); ++i) {
        const Atividade& a = atividades_[i];
        for (const AtividadePrev& p : AtividadesPrev(banco_, tabelas[i])) {
            a.lista->addItem(p.natureza, qlonglong(p.codigo));
            a.lista->setItemData(a.lista->count() - 1, QVariant::fromValue(p.taxa.raw()), PapelTaxa);
        }
        a.lista->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        a.lista->setMinimumContentsLength(34);
        a.lista->installEventFilter(this);
        // At most 99,9.
        a.percentual->defineCasas(1);
        a.percentual->setValidator(
            new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,2}(,[0-9]?)?")), a.percentual));
        a.percentual->setMaximumWidth(largura);
    }

    Vinculos& v = vinculos();
    const std::pair<QCheckBox*, const char*> caixas[] = {
        {ui_->chkCalculaReclamante, "IND_CALCULA_RECLAMANTE"},
        {ui_->chkDescontar, "IND_DESCONTAR_RECLAMADO"},
        {ui_->chkCalculaReclamado, "IND_CALCULA_RECLAMADO"},
    };
    for (const auto& [caixa, coluna] : caixas)
        v.liga(caixa, QString::fromLatin1(coluna));
    v.liga(recolhimento_, QStringLiteral("TIPO_RECOLHIMENTO_RECLAMA"), {QStringLiteral("1"), QStringLiteral("2")});
    for (const Atividade& a : atividades_) {
        v.liga(a.lista, a.codigo);
        v.liga(a.percentual, a.coluna);
    }
    connect(ui_->chkCalculaReclamante, &QCheckBox::toggled, this, &TfrmINSS::habilita);
    connect(ui_->chkCalculaReclamado, &QCheckBox::toggled, this, &TfrmINSS::habilita);
    ordenaTabulacao(ui_->edtPercTerceiros);
}

TfrmINSS::~TfrmINSS() = default;

void TfrmINSS::criaRegistro()
{
    PreparaINSS(banco_, processoId_);
}

void TfrmINSS::FormShow()
{
    TfrmBaseDados::FormShow();
    habilita();
    ui_->chkCalculaReclamante->setFocus(Qt::OtherFocusReason);
}

void TfrmINSS::habilita()
{
    const bool reclamante = ui_->chkCalculaReclamante->isChecked();
    ui_->rgrRecolhimento->setEnabled(reclamante);
    ui_->chkDescontar->setEnabled(reclamante);
    const bool reclamado = ui_->chkCalculaReclamado->isChecked();
    for (QWidget* w : std::initializer_list<QWidget*>{ui_->lblEmpregador, ui_->lblRAT, ui_->lblTerceiros,
             ui_->lblPorcento1, ui_->lblPorcento2, ui_->lblPorcento3})
        w->setEnabled(reclamado);
    for (const Atividade& a : atividades_) {
        a.lista->setEnabled(reclamado);
        a.percentual->setEnabled(reclamado);
    }
}

bool TfrmINSS::eventFilter(QObject* objeto, QEvent* evento)
{
    if (evento->type() == QEvent::FocusOut) {
        const auto reason = static_cast<QFocusEvent*>(evento)->reason();
        // The list's own pop-up, or another window in front, is not leaving it.
        if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason)
            for (const Atividade& a : atividades_)
                if (a.lista == objeto)
                    saiDaLista(a);
    }
    return TfrmBaseDados::eventFilter(objeto, evento);
}

void TfrmINSS::saiDaLista(const Atividade& atividade)
{
    Registros& r = *que1();
    const int i = atividade.lista->currentIndex();
    if (!r.emEdicao() || i < 0)
        return;
    const Money taxa = Money::fromRaw(atividade.lista->itemData(i, PapelTaxa).toLongLong());
    r.define(atividade.coluna, bancoDecimal(taxa, 4));
    if (atividade.lista == ui_->cmbEmpregador)
        r.define(u"CODPREVSAT", atividade.lista->itemData(i));
}

} // namespace quintar
