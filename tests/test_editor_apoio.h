#pragma once

// Support of the window tests: a main window on a fresh program folder with a fixed clock,
// and the answers to the modal dialogs and message boxes the commands open.

#include "CasoAberto.h"
#include "TfrmPrincipal.h"

#include <QDateTime>
#include <QMessageBox>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>
#include <memory>

#include <ostream>

class QAbstractButton;

// Texts in the failures as text.
inline void PrintTo(const QString& texto, std::ostream* saida)
{
    *saida << '"' << texto.toStdString() << '"';
}

namespace quintar::teste {

// 10/12/2026 at noon: the shipped tables have the index to 30/04/2026.
QDateTime Agora();

// A main window started on a fresh program folder of its own (settings file included),
// not shown; its clock is Agora().
class JanelaTeste {
public:
    JanelaTeste();
    ~JanelaTeste();

    QString pasta() const { return dir_.path() + u'/'; }
    QString calculos() const { return pasta() + QStringLiteral("Calculos/"); }
    QString arquivoConfiguracao() const { return pasta() + QStringLiteral("config/Movix.ini"); }
    // The sample case copied into Calculos/ (writable); its path.
    QString copiaExemplo() const;
    // Shows the window and waits for its first activation, answering the search dialog with
    // `abre` (a path to open through its "&Abrir", or empty to close it).
    void mostra(const QString& abre = {});
    QVariant valor(const QString& sql) const;

    TfrmPrincipal& j() { return *janela_; }
    CasoAberto& caso() { return janela_->caso(); }

private:
    QTemporaryDir dir_;
    std::unique_ptr<TfrmPrincipal> janela_;
};

// Runs `acao` on the next modal window that appears (a dialog or a message box), once the
// event loop has shown it. Several may be queued: each takes the next new modal window.
// A modal window that shows with no answer waiting fails the test after three seconds and
// is closed, so that it cannot hold the test forever.
void QuandoModal(std::function<void(QWidget* janela)> acao);
// Waits until every queued answer has run (or fails the test after a few seconds).
void EsperaModais();
// The text of a message box and a click on one of its buttons.
QString TextoCaixa(QWidget* janela);
void Responde(QWidget* caixa, QMessageBox::StandardButton botao);
// A message box answered with OK, its text appended to `textos`.
void AnotaCaixa(QStringList& textos);

// Clicks a toolbar command of the main window.
void Aciona(TfrmPrincipal& janela, const QString& nome);
// Types the text, accents included, key by key.
void Tecla(QWidget* campo, const QString& texto);
// Types into a field (a line edit or an editable drop-down) after selecting what it holds,
// then leaves it with Tab. "\b" is the backspace key.
void Digita(QWidget* campo, const QString& texto);

} // namespace quintar::teste
