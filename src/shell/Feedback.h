#pragma once

#include <QString>

#include <functional>

namespace quintar {

// Where long operations report to, one interface for all of them (the calculation, the
// downloads, the archives): the status-bar text, the progress gauge and its panel, the
// abort button of work that can be stopped, an information message the user must see, and
// a chance to let the window repaint. The command-line front end prints; the main window
// shows them; tests record them.
class Feedback {
public:
    virtual ~Feedback() = default;

    virtual void status(const QString& /*texto*/) { }
    virtual void progresso(int /*posicao*/, int /*maximo*/) { }
    // A plain information message that does not stop the operation.
    virtual void informa(const QString& /*texto*/) { }
    // Let pending window messages be processed.
    virtual void processaEventos() { }
    // The progress panel (the gauge, with the hourglass cursor) in front, or away.
    virtual void mostraProgresso(bool /*visivel*/) { }
    // While work that the user may stop runs, `aborta` is what its abort button does; an
    // empty function takes the button away again.
    virtual void permiteAbortar(std::function<void()> /*aborta*/) { }
};

// A sink that ignores everything.
Feedback& semFeedback();

} // namespace quintar
