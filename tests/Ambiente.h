#pragma once

#include "BancoDados.h"
#include "Configuracao.h"
#include "Feedback.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>
#include <memory>

namespace quintar::teste {

// Records what the core reports.
class FeedbackGravado : public Feedback {
public:
    void status(const QString& texto) override { estados.append(texto); }
    void informa(const QString& texto) override { mensagens.append(texto); }
    void progresso(int posicao, int maximo) override { progressos.append({posicao, maximo}); }
    QStringList estados;
    QStringList mensagens;
    QList<QPair<int, int>> progressos;
};

// A fresh program folder with its own settings file, folder of case files and working
// database, torn down with the object.
class Ambiente {
public:
    Ambiente();
    ~Ambiente();

    QString pasta() const { return dir_.path() + u'/'; }
    QString caminho(const QString& relativo) const { return pasta() + relativo; }
    QString arquivoConfiguracao() const { return caminho(QStringLiteral("config/Movix.ini")); }

    BancoDados banco;
    std::unique_ptr<Configuracao> configuracao;
    FeedbackGravado feedback;

private:
    QTemporaryDir dir_;
};

// The message and the column of the refusal a check throws, "message|column", or "" when
// the check passes.
QString Recusa(const std::function<void()>& verifica);

QByteArray LeBytes(const QString& caminho);
// Every row of a table, every column as text ("<null>" for NULL), joined by "|", in the
// order they were written (a table stored without a rowid: its key's order); what a
// cancelled or refused command must leave exactly as it was.
QStringList TodasAsLinhas(BancoDados& banco, const QString& tabela);
void GravaBytes(const QString& caminho, const QByteArray& bytes);
QString Fixture(const QString& nome);

// Runs quintar-cli with the arguments; returns its exit code.
struct ResultadoCli {
    int codigo = -1;
    QString saida;
    QString erros;
};
ResultadoCli RodaCli(const QStringList& argumentos, const QStringList& ambienteExtra = {});

} // namespace quintar::teste
