#pragma once

#include "Feedback.h"
#include "Programa.h"

#include <QStringList>
#include <QTextStream>

namespace quintar::cli {

// What every command gets: the started program, its arguments (after the command's name),
// and the two output streams. A command returns the exit code: 0 success, 1 a refused or
// failed command (the program's message on standard error), 2 a usage error.
struct Contexto {
    Programa& programa;
    QStringList argumentos;
    QTextStream& saida;
    QTextStream& erros;
};

// Prints the text and the usage to standard error; returns 2.
int ErroDeUso(Contexto& contexto, const QString& texto);

// Status texts and informations of the core, printed on standard error.
class FeedbackTerminal : public Feedback {
public:
    explicit FeedbackTerminal(QTextStream& erros) : erros_(erros) {}
    void status(const QString& texto) override;
    void informa(const QString& texto) override;
    bool mostraStatus = false;

private:
    QTextStream& erros_;
};

int ComandoImporta(Contexto& contexto);   // ComandoReferencia.cpp
int ComandoPublica(Contexto& contexto);   // ComandoReferencia.cpp
int ComandoCalcula(Contexto& contexto);   // ComandoCalculo.cpp
int ComandoResumo(Contexto& contexto);    // ComandoCalculo.cpp
int ComandoRelatorio(Contexto& contexto); // ComandoRelatorio.cpp
int ComandoBackup(Contexto& contexto);    // ComandoBackup.cpp
int ComandoRestaura(Contexto& contexto);  // ComandoBackup.cpp

} // namespace quintar::cli
