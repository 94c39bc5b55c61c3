#include "TfrmReflexos.h"

#include "Registros.h"
#include "Vinculos.h"
#include "ui_TfrmReflexos.h"

#include <QCheckBox>
#include <QPushButton>

namespace quintar {

TfrmReflexos::TfrmReflexos(Motor& motor, const QString& item, Registros& premio, QWidget* pai)
    : TfrmOkCan(motor, pai), ui_(std::make_unique<Ui::TfrmReflexos>()), item_(item)
{
    setWindowTitle(QStringLiteral("Reflexos"));
    ui_->setupUi(panDados());
    defineQue1(premio);
    vinculos().liga(ui_->chkApenasReflexo, QStringLiteral("IND_APENAS_REFLEXO"));
    setTabOrder(ui_->chkApenasReflexo, btnOk());
    setTabOrder(btnOk(), btnCancelar());
}

TfrmReflexos::~TfrmReflexos() = default;

QCheckBox* TfrmReflexos::caixa(int item) const
{
    QCheckBox* caixas[] = {ui_->chkAvisoPrevio, ui_->chk13Salario, ui_->chkFerias};
    return caixas[item];
}

void TfrmReflexos::FormShow()
{
    reflexos_ = LeReflexos(banco_, processoId_, item_);
    setWindowTitle(reflexos_.titulo);
    for (int i = 0; i < 3; ++i) {
        caixa(i)->setEnabled(reflexos_.itens[i].habilitado);
        caixa(i)->setChecked(reflexos_.itens[i].marcado);
    }
    Registros& premio = *que1();
    estavaEmEdicao_ = premio.emEdicao();
    apenasAntes_ = premio.valor(u"IND_APENAS_REFLEXO");
    vinculos().mostra();
    for (int i = 0; i < 3; ++i)
        if (caixa(i)->isEnabled()) {
            caixa(i)->setFocus();
            return;
        }
    ui_->chkApenasReflexo->setFocus();
}

void TfrmReflexos::btnOkClick()
{
    for (int i = 0; i < 3; ++i)
        reflexos_.itens[i].marcado = caixa(i)->isChecked();
    GravaReflexos(banco_, processoId_, reflexos_);
    accept();
}

void TfrmReflexos::btnCancelarClick()
{
    Registros& premio = *que1();
    if (!estavaEmEdicao_)
        premio.Cancela();
    else
        premio.define(u"IND_APENAS_REFLEXO", apenasAntes_);
}

bool TfrmReflexos::Abre(qint64 processoId)
{
    if (!Executa(processoId))
        return false;
    Registros& premio = *que1();
    const QVariant apenas = premio.valor(u"IND_APENAS_REFLEXO");
    if (apenas == apenasAntes_)
        return true;
    premio.Posta();
    // Every line of the item shares it.
    if (item_ == u"HORA_EXTRA" || item_ == u"NOTURNO") {
        const int atual = premio.atual();
        for (int linha = 0; linha < premio.quantidade(); ++linha) {
            premio.vaiPara(linha);
            premio.define(u"IND_APENAS_REFLEXO", apenas);
            premio.Posta();
        }
        premio.vaiPara(atual);
    }
    return true;
}

} // namespace quintar
