#pragma once

#include "Erro.h"

#include <QString>
#include <QStringList>

#include <functional>

namespace quintar {

// The mail program could not be reached: the window shows mensagem() in an error box
// titled titulo().
class ErroEmail : public Erro {
public:
    ErroEmail() : Erro(QStringLiteral("Error while trying to send email")) { }
    static QString titulo() { return QStringLiteral("Error"); }
};

// The arguments for xdg-email from a message described by name=value lines: `to`,
// `subject`, `body` and `attachment0`, `attachment1`, ... (the first missing or empty one
// ends the attachments). Names are compared without regard to case.
//   --utf8 [--subject S] [--body B] [--attach FILE]... [TO]
// --utf8 because the texts are always passed as UTF-8: without it xdg-email converts them
// from the locale's character set, and under a plain C locale "Cálculo" would be cut at
// its first accent.
QStringList ArgumentosEmail(const QStringList& linhas);

// Opens the user's mail program with the message for review, through xdg-email, and waits
// until it hands back (window messages other than user input are processed meanwhile).
// Throws ErroEmail when xdg-email is not on the PATH, cannot be started, or ends with
// anything but exit code 0 (3 or 4: no mail program configured).
void EnviaEmail(const QStringList& linhas);

// The message that carries a case file: no recipient, subject "Quintar", body
// "Cálculo em anexo." and the case file as the one attachment.
QStringList MensagemProcesso(const QString& caminhoArquivo);

// The mail command of the main window. Without an open case: Erro "Processo não
// encontrado.". Otherwise postaEdicao runs first (it posts a pending edit of the case row,
// which validates it and writes the case file; a refusal throws and no mail program
// opens), then caminhoArquivo is asked for the case file's path (after the posting: the
// number-based name may have changed) and the message goes to EnviaEmail.
void EnviaProcessoPorEmail(
    bool processoAberto, const std::function<QString()>& caminhoArquivo, const std::function<void()>& postaEdicao = {});

} // namespace quintar
