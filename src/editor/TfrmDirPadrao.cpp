#include "TfrmDirPadrao.h"

#include "Interface.h"
#include "Pastas.h"
#include "ui_TfrmDirPadrao.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace quintar {

TfrmDirPadrao::TfrmDirPadrao(const QString& diretorio, QWidget* pai)
    : QDialog(pai, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      ui_(std::make_unique<Ui::TfrmDirPadrao>())
{
    ui_->setupUi(this);
    setWindowTitle(QStringLiteral("Diretório Padrão"));
    connect(ui_->btnOk, &QPushButton::clicked, this, &TfrmDirPadrao::btnOkClick);
    connect(ui_->btnCancelar, &QPushButton::clicked, this, &QDialog::reject);
    connect(ui_->btnProcurar, &QToolButton::clicked, this, &TfrmDirPadrao::btnProcurarClick);
    setDiretorio(diretorio);
}

TfrmDirPadrao::~TfrmDirPadrao() = default;

void TfrmDirPadrao::setDiretorio(const QString& diretorio)
{
    ui_->edtDiretorio->setText(diretorio);
    inicial_ = diretorio;
}

void TfrmDirPadrao::btnProcurarClick()
{
    QFileDialog procura(this, QStringLiteral("Diretório Padrão"), inicial_);
    procura.setOption(QFileDialog::DontUseNativeDialog);
    procura.setFileMode(QFileDialog::Directory);
    procura.setOption(QFileDialog::ShowDirsOnly);
    if (procura.exec() == QDialog::Accepted && !procura.selectedFiles().isEmpty())
        ui_->edtDiretorio->setText(ComBarra(procura.selectedFiles().first()));
}

void TfrmDirPadrao::btnOkClick()
{
    const QString pasta = ComBarra(ui_->edtDiretorio->text().trimmed());
    if (pasta.isEmpty() || !QFileInfo(pasta).isDir()) {
        MostraErro(this, QStringLiteral("Diretório inexistente!"));
        ui_->edtDiretorio->setFocus();
        return;
    }
    escolhido_ = pasta;
    accept();
}

} // namespace quintar
