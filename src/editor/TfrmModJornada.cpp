#include "TfrmModJornada.h"

#include "ApuraJornada.h"
#include "ui_TfrmModJornada.h"

#include <QButtonGroup>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace quintar {

TfrmModJornada::TfrmModJornada(Motor& motor, QWidget* pai)
    : TfrmOkCan(motor, pai), ui_(std::make_unique<Ui::TfrmModJornada>())
{
    setWindowTitle(QStringLiteral("Modelos de Jornada"));
    ui_->setupUi(panDados());
    modelos_ = new QButtonGroup(this);
    auto* layout = static_cast<QVBoxLayout*>(ui_->grbModelos->layout());
    const QStringList& nomes = NomesModelosJornada();
    QWidget* anterior = nullptr;
    for (int i = 0; i < nomes.size(); ++i) {
        auto* opcao = new QRadioButton(nomes[i], ui_->grbModelos);
        opcao->setObjectName(QStringLiteral("rbtModelo%1").arg(i));
        layout->addWidget(opcao);
        modelos_->addButton(opcao, i);
        if (anterior)
            setTabOrder(anterior, opcao);
        anterior = opcao;
    }
    setTabOrder(anterior, btnOk());
    setTabOrder(btnOk(), btnCancelar());
}

TfrmModJornada::~TfrmModJornada() = default;

int TfrmModJornada::EscolheModelo()
{
    modelos_->button(0)->setChecked(true);
    modelos_->button(0)->setFocus();
    return exec() == QDialog::Accepted ? modelos_->checkedId() : -1;
}

} // namespace quintar
