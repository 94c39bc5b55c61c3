#include "TfrmSalvarComo.h"

#include "TfrmNovoProcesso.h"

#include "BancoDados.h"
#include "Campos.h"
#include "CasoAberto.h"
#include "CicloCaso.h"
#include "Erro.h"
#include "Registros.h"
#include "Rotinas.h"
#include "Vinculos.h"
#include "ui_TfrmSalvarComo.h"

#include <QPushButton>

namespace quintar {

TfrmSalvarComo::TfrmSalvarComo(Motor& motor, CasoAberto& caso, QWidget* pai)
    : TfrmOkCan(motor, pai), ui_(std::make_unique<Ui::TfrmSalvarComo>()), caso_(caso)
{
    setWindowTitle(QStringLiteral("Salvar Como"));
    ui_->setupUi(panDados());
    auto registros = std::make_unique<Registros>(banco_, QStringLiteral("TAB_PROCESSO"));
    registros->emCache = false;
    registros->colunasAtualizadas = {QStringLiteral("NUMERO"), QStringLiteral("ANO"), QStringLiteral("VARA"),
        QStringLiteral("REGIONAL"), QStringLiteral("SEQUENCIAL"), QStringLiteral("DV")};
    registros->antesDePostar = [this](Registros& r) {
        ValidaSalvarComo(r);
        // Another case of the working tables with that number would take this one's rows.
        const qint64 novo = r.valor(u"NUMERO").toLongLong();
        if (novo != processoId_
            && !banco_
                    .escalar(
                        QStringLiteral("SELECT PROCESSO_ID FROM TAB_PROCESSO WHERE PROCESSO_ID = :id"), {{"id", novo}})
                    .isNull())
            throw Erro(QStringLiteral("Key violation."), QStringLiteral("NUMERO"));
    };
    defineQue1(std::move(registros));

    Vinculos& v = vinculos();
    v.liga(ui_->edtNumero, QStringLiteral("NUMERO"));
    v.liga(ui_->edtAno, QStringLiteral("ANO"));
    v.liga(ui_->edtVara, QStringLiteral("VARA"));
    v.liga(ui_->edtRegional, QStringLiteral("REGIONAL"));
    v.liga(ui_->edtSequencial, QStringLiteral("SEQUENCIAL"));
    v.liga(ui_->edtDV, QStringLiteral("DV"));
    EncadeiaCampos(
        {ui_->edtNumero, ui_->edtAno, ui_->edtVara, ui_->edtRegional, ui_->edtSequencial, ui_->edtDV, btnOk()});
    ui_->edtAno->completaAoSair = [](const QString& ano) { return AnoCompleto(ano); };
}

TfrmSalvarComo::~TfrmSalvarComo() = default;

void TfrmSalvarComo::FormShow()
{
    que1()->abre(processoId_);
    ui_->edtNumero->setFocus();
}

void TfrmSalvarComo::btnOkClick()
{
    if (!vinculos().confirma())
        return;
    Transacao t(banco_);
    que1()->Posta();
    caso_.Renumera();
    t.confirma();
    accept();
}

} // namespace quintar
