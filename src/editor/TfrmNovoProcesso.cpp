#include "TfrmNovoProcesso.h"

#include "Campos.h"
#include "CicloCaso.h"
#include "Registros.h"
#include "Rotinas.h"
#include "Vinculos.h"
#include "ui_TfrmNovoProcesso.h"

#include <QButtonGroup>
#include <QPushButton>

namespace quintar {

void LigaIdentificacao(
    Vinculos& vinculos, const QVector<CampoNumero*>& campos, QWidget* seguinte, std::function<bool()> enquanto)
{
    static const char* const colunas[] = {"NUMERO", "ANO", "VARA", "REGIONAL", "SEQUENCIAL", "DV"};
    QVector<QWidget*> ordem;
    for (int i = 0; i < campos.size(); ++i) {
        vinculos.liga(campos[i], QString::fromLatin1(colunas[i]));
        ordem.append(campos[i]);
    }
    ordem.append(seguinte);
    EncadeiaCampos(ordem, std::move(enquanto));
    campos[1]->completaAoSair = [](const QString& ano) { return AnoCompleto(ano); };
}

TfrmNovoProcesso::TfrmNovoProcesso(Motor& motor, QDate hoje, QWidget* pai)
    : TfrmOkCan(motor, pai), ui_(std::make_unique<Ui::TfrmNovoProcesso>()), hoje_(hoje)
{
    setWindowTitle(QStringLiteral("Novo Processo"));
    ui_->setupUi(panDados());
    auto registros = std::make_unique<Registros>(banco_, QStringLiteral("TAB_PROCESSO"));
    registros->emCache = false;
    registros->aoNovoRegistro = [this](Registros& r) { NovoRegistroProcesso(r, banco_, hoje_); };
    registros->antesDePostar = [this](Registros& r) { ValidaNovoProcesso(r, banco_, hoje_); };
    defineQue1(std::move(registros));

    Vinculos& v = vinculos();
    // The focus moves on only while the row is being inserted.
    LigaIdentificacao(v, {ui_->edtNumero, ui_->edtAno, ui_->edtVara, ui_->edtRegional, ui_->edtSequencial},
        ui_->datInicioPacto, [this] { return que1()->estado() == Registros::Estado::Inserindo; });
    v.liga(ui_->datInicioPacto, QStringLiteral("DATA_INICIO_PACTO"));
    v.liga(ui_->datFimPacto, QStringLiteral("DATA_FIM_PACTO"));
    v.liga(ui_->edtSalarioFixo, QStringLiteral("SALARIO_FIXO"));
    unidade_ = new QButtonGroup(this);
    unidade_->addButton(ui_->rbtMoedaVigente, 0);
    unidade_->addButton(ui_->rbtSalarioMinimo, 1);
    v.liga(unidade_, QStringLiteral("UNIDADE_SALARIO_FIXO"), {QStringLiteral("V"), QStringLiteral("M")});

    // The focus moves on only while the row is being inserted.
    EncadeiaCampos(
        {ui_->edtNumero, ui_->edtAno, ui_->edtVara, ui_->edtRegional, ui_->edtSequencial, ui_->datInicioPacto},
        [this] { return que1()->estado() == Registros::Estado::Inserindo; });
    ui_->edtAno->completaAoSair = [](const QString& ano) { return AnoCompleto(ano); };
    setTabOrder(ui_->rbtSalarioMinimo, btnOk());
    setTabOrder(btnOk(), btnCancelar());
}

TfrmNovoProcesso::~TfrmNovoProcesso() = default;

void TfrmNovoProcesso::FormShow()
{
    que1()->abre(-1); // no case has that number: the dialog starts from an empty set
    que1()->Acrescenta();
    const auto preenchido = [this](
                                const char* coluna) { return que1()->valor(QString::fromLatin1(coluna)).toInt() != 0; };
    if (preenchido("NUMERO") && preenchido("ANO") && preenchido("VARA") && preenchido("REGIONAL"))
        ui_->datInicioPacto->setFocus();
    else
        ui_->edtNumero->setFocus();
}

void TfrmNovoProcesso::btnOkClick()
{
    if (!vinculos().confirma())
        return;
    que1()->Posta();
    processoIdNovo_ = que1()->valor(u"PROCESSO_ID").toLongLong();
    GravaNovoProcesso(*que1());
    accept();
}

} // namespace quintar
