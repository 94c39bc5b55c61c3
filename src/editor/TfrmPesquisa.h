#pragma once

#include <QDialog>
#include <QStringList>

#include <memory>

class QLineEdit;
class QListWidgetItem;

namespace Ui {
class TfrmPesquisa;
}

namespace quintar {

class BancoDados;

// "Pesquisa": finds a case file by its number (the fields left blank match anything) or in
// the list of the recent files, or starts a new case. Created once with the main window and
// shown again for every open command; it remembers its fields in Pesquisa.txt.
class TfrmPesquisa : public QDialog {
    Q_OBJECT

public:
    enum class Resultado { Abrir, Novo, Fechado };

    TfrmPesquisa(BancoDados& banco, QWidget* pai = nullptr);
    ~TfrmPesquisa() override;

    // Shows the dialog modally; how it was closed.
    Resultado Executa();
    // The file chosen with "&Abrir" or in the recent list.
    const QString& arquivoEscolhido() const { return arquivo_; }
    // Why the recent-files list could not be written when the file was chosen (empty: it was).
    const QString& avisoRecentes() const { return avisoRecentes_; }

    // "Versão: " + the program's version over the banner; the tables' line.
    void defineVersao(const QString& texto);
    Ui::TfrmPesquisa& ui() const { return *ui_; }
    // The five fields: number, year, court unit, region, sequence.
    QVector<QLineEdit*> campos() const;

    void done(int resultado) override;

protected:
    void resizeEvent(QResizeEvent* evento) override;

private:
    void btnAbrirClick();
    void btnNovoClick();
    void selecionaArquivo(const QString& caminho);
    void mostraBanner();
    void leRecentes();

    std::unique_ptr<Ui::TfrmPesquisa> ui_;
    BancoDados& banco_;
    QString versao_;
    QString arquivo_;
    QString avisoRecentes_;
    Resultado resultado_ = Resultado::Fechado;
};

} // namespace quintar
