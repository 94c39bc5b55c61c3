#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class TfrmDirPadrao;
}

namespace quintar {

// "Diretório Padrão": the folder of case files. OK accepts only a folder that exists; its
// name is given a trailing separator.
class TfrmDirPadrao : public QDialog {
    Q_OBJECT

public:
    explicit TfrmDirPadrao(const QString& diretorio, QWidget* pai = nullptr);
    ~TfrmDirPadrao() override;

    // The field and the browse dialog's starting folder.
    void setDiretorio(const QString& diretorio);
    // The folder chosen, once OK was accepted.
    const QString& diretorio() const { return escolhido_; }
    Ui::TfrmDirPadrao& ui() const { return *ui_; }

private:
    void btnOkClick();
    void btnProcurarClick();

    std::unique_ptr<Ui::TfrmDirPadrao> ui_;
    QString inicial_;
    QString escolhido_;
};

} // namespace quintar
