#pragma once

#include "BancoDados.h"
#include "ClienteHttp.h"
#include "Configuracao.h"
#include "Feedback.h"

#include <QDate>
#include <QString>
#include <QStringList>

namespace quintar {

enum class ModoAtualizacao { Automatico, Manual };

// What the reference update needs from the window besides its Feedback (the messages, the
// status bar, the gauge and its panel, the abort button "Abortar transferência..." with the
// toolbar disabled): the question and today's date. The update runs its downloads in a
// local event loop, so the window's own events (the abort button) keep flowing;
// processaEventos is called between steps as well.
class InterfaceAtualizacao : public Feedback {
public:
    // A Yes/No confirmation; true for Yes.
    virtual bool confirma(const QString& pergunta) = 0;
    virtual QDate hoje() { return QDate::currentDate(); }
};

// The reference-table update and the program's version check. One object lives as long
// as the main window: it keeps the abort flag, the new-version flag and the lines of the
// last calcinfo.txt. Downloads go into TabelasParadox/ from the LinkTabelas and LinkExe
// addresses of the settings.
class Atualizacao {
public:
    Atualizacao(BancoDados& banco, Configuracao& configuracao, InterfaceAtualizacao& interface);

    enum class Resultado {
        Continua, // the program goes on
        Encerra, // the updater was started: the program must end now (the case is not saved)
    };

    // The whole update command: clears the abort flag, VerificaTabelas, and when a newer
    // version is published (and nothing was aborted) starts the updater `movix` of the
    // program folder. The abort button, panel and status bar are restored in every case,
    // also when a failure (Erro) ends the command. A missing updater is reported through
    // informa and the program goes on.
    Resultado AtualizaSistema(ModoAtualizacao modo);

    // The question (automatic mode: only from the 5th of a month whose brackets are
    // missing), the downloads and imports, their message, and the version checks.
    void VerificaTabelas(ModoAtualizacao modo);

    // Downloads LinkTabelas + nome into TabelasParadox/nome. Throws Erro on failure.
    void BaixaArquivo(const QString& nome);

    // Downloads LinkExe + "calcinfo.txt" and answers whether its first line (a whole
    // number; anything else counts as 0) is greater than the program's version number.
    // False without a download when the abort flag is set. Throws Erro on failure.
    bool VerificaNovaVersao();

    // The abort button: cancels the running download and sets the abort flag.
    void aborta();
    bool abortado() const { return abortado_; }
    bool transferindo() const { return cliente_.transferindo(); }
    bool novaVersao() const { return novaVersao_; }
    const QStringList& linhasCalcinfo() const { return calcinfo_; }

    // The version number compared with calcinfo.txt; VersaoPrograma() unless changed.
    void defineVersao(qint64 numero) { versao_ = numero; }
    qint64 versao() const { return versao_; }

    ClienteHttp& cliente() { return cliente_; }

    // The updater's path: the program folder + "movix".
    static QString CaminhoAtualizador();

private:
    void baixa(const QUrl& endereco, const QString& destino);
    Resultado iniciaAtualizador();

    BancoDados& banco_;
    Configuracao& configuracao_;
    InterfaceAtualizacao& interface_;
    ClienteHttp cliente_;
    bool abortado_ = false;
    bool novaVersao_ = false;
    QStringList calcinfo_;
    qint64 versao_;
};

} // namespace quintar
