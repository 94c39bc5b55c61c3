#pragma once

#include "Feedback.h"

#include <QMainWindow>
#include <QVector>

#include <functional>
#include <memory>

class QAction;
class QCheckBox;
class QLabel;
class QToolBar;
class QToolButton;

namespace Ui {
class TfrmPrincipal;
}

namespace quintar {

class CampoData;
class CampoMoney;
class CasoAberto;
class Erro;
class Motor;
class Programa;
class TfrmPesquisa;
class Vinculos;

// The program's main window: the open case with its base information, the sixteen
// calculation items (ticking one opens its editor, unticking it deletes its rows), the
// summary with "Calcular ", and the toolbar that reaches every other command. It works on
// the live case row: every posting validates the row and writes the case file.
class TfrmPrincipal : public QMainWindow, public Feedback {
    Q_OBJECT

public:
    // Starts the program on its folder: settings, folders, the working database with its
    // reference tables, the working tables reset. Throws Erro when the start cannot go on.
    // arquivoConfiguracao: a settings file of its own instead of the user's store (tests).
    explicit TfrmPrincipal(const QString& opcaoPasta = {}, const QString& arquivoConfiguracao = {});
    ~TfrmPrincipal() override;

    // A case file to open at the first activation instead of showing the search dialog.
    void defineArquivoInicial(const QString& caminho) { arquivoInicial_ = caminho; }
    // Opens a case file handed over from outside (a second start, the file manager).
    void AbreArquivoExterno(const QString& caminho);

    Programa& programa() const { return *programa_; }
    Motor& motor() const { return *motor_; }
    CasoAberto& caso() const { return *caso_; }
    TfrmPesquisa& pesquisa() const { return *pesquisa_; }
    Ui::TfrmPrincipal& ui() const { return *ui_; }
    Vinculos& vinculos() const { return *vinculos_; }

    // One calculation item's row of controls.
    struct Item {
        QString legenda;
        QString flag;
        QString total;
        QCheckBox* chk = nullptr;
        QToolButton* btn = nullptr;
        CampoMoney* edt = nullptr;
    };
    const QVector<Item>& itens() const { return itens_; }
    int indiceItem(const QString& flag) const;
    QAction* acao(const QString& nome) const;
    QString textoStatus() const;

    // The commands of the toolbar and of the window.
    void btnNovoClick();
    void btnAbrirClick();
    void btnSalvarClick();
    void btnSalvarComoClick();
    void btnDiretorioClick();
    void btnDesmarcarClick();
    void btnSairClick();
    void btnCalculaClick();
    void btnVariaSalClick();

    // Feedback: the status bar, the gauge and its panel, the abort button, the messages.
    void status(const QString& texto) override;
    void progresso(int posicao, int maximo) override;
    void informa(const QString& texto) override;
    void processaEventos() override;
    void mostraProgresso(bool visivel) override;
    void permiteAbortar(std::function<void()> aborta) override;

signals:
    // The first activation's work is done (the case given at the start open, or the search
    // dialog closed).
    void primeiraAtivacaoConcluida();

protected:
    void showEvent(QShowEvent* evento) override;
    bool event(QEvent* evento) override;
    void closeEvent(QCloseEvent* evento) override;

private:
    void criaBarraFerramentas();
    void criaItens();
    void ligaCampos();
    void FormShow();
    void FormActivate();

    // Ticking and unticking items.
    void MarcaItem(int item);
    void itemClick(int item);
    void opcoesClick(int item, bool doCheckBox);
    void DesmarcaTodos();
    bool ExisteItemMarcado() const;

    void HabilitaComandos(bool ligado);
    void MostraProcesso(bool ligado);
    // queProcessoAfterOpen: the item boxes from the row's flags, the commands on or off.
    void mostraMarcas();
    void mostraValor(const QString& coluna);
    void atualizaImpressao();
    // Posts a pending edit of the case row; false (after its message) when it was refused.
    bool postaCaso();
    void recusa(const Erro& erro);
    QWidget* campoDoFoco(const QString& coluna) const;
    void datInicioPactoExit(CampoData* campo);
    void abreArquivo(const QString& caminho);
    bool tabelaProcessoVazia() const;

    std::unique_ptr<Ui::TfrmPrincipal> ui_;
    std::unique_ptr<Programa> programa_;
    std::unique_ptr<Motor> motor_;
    std::unique_ptr<CasoAberto> caso_;
    std::unique_ptr<Vinculos> vinculos_;
    std::unique_ptr<TfrmPesquisa> pesquisa_;
    QToolBar* barra_ = nullptr;
    QLabel* lblStatus_ = nullptr;
    QVector<Item> itens_;
    QString arquivoInicial_;
    std::function<void()> aborta_;
    bool carregando_ = false; // the loading guard
    bool primeiraAtivacao_ = true;
    bool mostrada_ = false;
    bool comandosLigados_ = false;
    bool perguntandoPacto_ = false;
};

} // namespace quintar
