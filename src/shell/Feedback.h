#pragma once

#include <QString>

namespace quintar {

// Where long operations report to: the status-bar text, a progress gauge, an
// information message the user must see, and a chance to let the window repaint.
// The command-line front end prints; the main window shows them; tests record them.
class Feedback {
public:
    virtual ~Feedback() = default;

    virtual void status(const QString& /*texto*/) {}
    virtual void progresso(int /*posicao*/, int /*maximo*/) {}
    // A plain information message that does not stop the operation.
    virtual void informa(const QString& /*texto*/) {}
    // Let pending window messages be processed.
    virtual void processaEventos() {}
};

// A sink that ignores everything.
Feedback& semFeedback();

} // namespace quintar
