#pragma once

#include <QString>

#include <exception>

namespace quintar {

// A failure the user is told about, with the program's own text.
//
// The core never shows a message box: it throws Erro and the front end shows
// mensagem(). A refused validation also names the field that gets the focus.
class Erro : public std::exception {
public:
    explicit Erro(QString mensagem, QString foco = {})
        : mensagem_(std::move(mensagem)), foco_(std::move(foco)), utf8_(mensagem_.toUtf8()) {}

    const QString& mensagem() const { return mensagem_; }
    const QString& foco() const { return foco_; }
    const char* what() const noexcept override { return utf8_.constData(); }

private:
    QString mensagem_;
    QString foco_;
    QByteArray utf8_;
};

} // namespace quintar
