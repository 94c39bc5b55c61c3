#pragma once

#include "Feedback.h"

#include <QHash>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>

#include <initializer_list>
#include <memory>
#include <unordered_map>
#include <utility>

namespace quintar {

struct Tabela;

// The working database: one SQLite file in TabelasParadox/ reached through the
// connection named "Orvane". It holds the 21 working tables of the open case, the four
// reference tables and the four lookup tables; only the working tables are ever reset.
class BancoDados {
public:
    static const QString NomeConexao; // "Orvane"
    static const QString NomeArquivo; // "quintar.db"

    BancoDados();
    ~BancoDados();
    BancoDados(const BancoDados&) = delete;
    BancoDados& operator=(const BancoDados&) = delete;

    // Opens (creating the folder and the file when needed) the database in pastaTabelas and
    // creates the reference and lookup tables that are missing. Throws Erro on failure.
    void abre(const QString& pastaTabelas);
    void fecha();
    bool aberto() const;
    QSqlDatabase conexao() const { return db_; }

    // Drops the 21 working tables in TabelasCaso order (errors ignored) and creates them
    // again in the creation order with the status texts; a failed creation throws.
    void ReiniciaTabelas(Feedback& feedback);
    // The drop half of the reset.
    void ApagaTabelas();

    // A prepared statement for the text, kept for reuse. Do not hold it across a call that
    // may run the same text (read the rows first).
    QSqlQuery& consulta(const QString& sql);
    // Prepares (cached), binds the named parameters and executes; throws Erro on failure.
    using Parametros = std::initializer_list<std::pair<const char*, QVariant>>;
    QSqlQuery& executa(const QString& sql, Parametros parametros = {});
    // Executes a text once, without caching; throws Erro on failure.
    void executaDireto(const QString& sql);

    // The first column of the first row, or a null value when there is no row.
    QVariant escalar(const QString& sql, Parametros parametros = {});

    int profundidadeTransacao() const { return profundidade_; }

private:
    friend class Transacao;
    void criaPermanentes();
    void limpaCache();
    void encerraConsultas();

    QSqlDatabase db_;
    // Node-based, so that a statement handed out stays where it is while others are added.
    std::unordered_map<QString, std::unique_ptr<QSqlQuery>> cache_;
    QHash<const QChar*, QSqlQuery*> literais_;
    int profundidade_ = 0;
};

// The text a database error reaches the user with: a duplicate primary key is
// "Key violation."; anything else is the database's own message.
QString MensagemErroBanco(const QSqlError& erro);

// One unit of work: everything done between construction and confirma() is kept, and
// anything else is undone when the object goes away (also by an exception). Units nest.
class Transacao {
public:
    explicit Transacao(BancoDados& banco);
    ~Transacao();
    Transacao(const Transacao&) = delete;
    Transacao& operator=(const Transacao&) = delete;

    void confirma();

private:
    BancoDados& banco_;
    QString nome_;
    bool ativa_ = true;
};

} // namespace quintar
