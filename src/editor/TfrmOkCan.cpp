#include "TfrmOkCan.h"

#include "Erro.h"
#include "Interface.h"
#include "Motor.h"
#include "Registros.h"
#include "Vinculos.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace quintar {

TfrmOkCan::TfrmOkCan(Motor& motor, QWidget* pai)
    : QDialog(pai, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      motor_(motor), banco_(motor.banco)
{
    auto* layout = new QVBoxLayout(this);
    panDados_ = new QWidget(this);
    panDados_->setObjectName(QStringLiteral("panDados"));
    layout->addWidget(panDados_, 1);

    panBotoes_ = new QWidget(this);
    panBotoes_->setObjectName(QStringLiteral("panBotoes"));
    auto* botoes = new QHBoxLayout(panBotoes_);
    botoes->setContentsMargins(0, 0, 0, 0);
    botoes->addStretch();
    btnOk_ = new QPushButton(QStringLiteral("&OK"), panBotoes_);
    btnOk_->setObjectName(QStringLiteral("btnOk"));
    btnOk_->setDefault(true);
    btnCancelar_ = new QPushButton(QStringLiteral("&Cancelar"), panBotoes_);
    btnCancelar_->setObjectName(QStringLiteral("btnCancelar"));
    btnCancelar_->setAutoDefault(false);
    botoes->addWidget(btnOk_);
    botoes->addWidget(btnCancelar_);
    layout->addWidget(panBotoes_);

    ligaComando(btnOk_, [this] { btnOkClick(); });
    connect(btnCancelar_, &QPushButton::clicked, this, &TfrmOkCan::reject);
}

TfrmOkCan::~TfrmOkCan() = default;

Vinculos& TfrmOkCan::vinculos()
{
    if (!vinculos_) {
        vinculos_ = std::make_unique<Vinculos>(*que1());
        vinculos_->aoRecusar = [this](const Erro& e, QWidget* campo) { Recusa(this, e, campo); };
    }
    return *vinculos_;
}

void TfrmOkCan::defineQue1(std::unique_ptr<Registros> que1)
{
    vinculos_.reset();
    que1Externo_ = nullptr;
    que1_ = std::move(que1);
}

void TfrmOkCan::defineQue1(Registros& externo)
{
    vinculos_.reset();
    que1_.reset();
    que1Externo_ = &externo;
}

bool TfrmOkCan::Executa(qint64 processoId)
{
    processoId_ = processoId;
    try {
        FormShow();
    } catch (const Erro& e) {
        MostraErro(parentWidget(), e.mensagem());
        return false;
    }
    return exec() == QDialog::Accepted;
}

void TfrmOkCan::btnOkClick()
{
    if (vinculos_ && !vinculos_->confirma())
        return;
    if (que1() && que1()->emEdicao())
        que1()->Posta();
    accept();
}

void TfrmOkCan::btnCancelarClick()
{
    if (que1())
        que1()->Cancela();
}

void TfrmOkCan::reject()
{
    btnCancelarClick();
    QDialog::reject();
}

QWidget* TfrmOkCan::campoDoFoco(const QString& coluna)
{
    return vinculos_ ? vinculos_->campo(coluna) : nullptr;
}

void TfrmOkCan::executaComando(const std::function<void()>& comando)
{
    if (AcaoAbandonada())
        return;
    try {
        comando();
    } catch (const Erro& e) {
        recusa(e);
    }
}

void TfrmOkCan::ligaComando(QAbstractButton* botao, std::function<void()> comando)
{
    connect(botao, &QAbstractButton::clicked, this, [this, comando = std::move(comando)] { executaComando(comando); });
}

void TfrmOkCan::recusa(const Erro& erro)
{
    Recusa(this, erro, erro.foco().isEmpty() ? nullptr : campoDoFoco(erro.foco()));
}

} // namespace quintar
