#pragma once

#include <QString>

class QWidget;

namespace quintar {

class Erro;

// The program's message boxes. Their caption is the application's title ("Quintar").

// An information box with one OK button.
void Informa(QWidget* pai, const QString& texto);
// A Yes/No question; true for Yes.
bool Confirma(QWidget* pai, const QString& texto);
// An error box with one OK button.
void MostraErro(QWidget* pai, const QString& texto, const QString& titulo = {});

// A refusal of the core: its message in an information box, then the focus to the field,
// when there is one (the dialog and what was typed into it stay as they were).
void Recusa(QWidget* pai, const Erro& erro, QWidget* campo);

// A check that refuses while the focus leaves a field (the user clicked a button, say)
// abandons the command that click would start: AbandonaAcao() when refusing, and every
// command begins with `if (AcaoAbandonada()) return;`. The mark lasts until the next mouse
// press or key press.
void AbandonaAcao();
bool AcaoAbandonada();

// The hourglass while the object lives.
class CursorEspera {
public:
    CursorEspera();
    ~CursorEspera();
    CursorEspera(const CursorEspera&) = delete;
    CursorEspera& operator=(const CursorEspera&) = delete;
};

} // namespace quintar
