#pragma once

#include "Feedback.h"

#include <QByteArrayView>
#include <QHash>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QStringView>
#include <QVariant>

#include <concepts>
#include <initializer_list>
#include <memory>
#include <unordered_map>
#include <utility>

struct sqlite3;
struct sqlite3_stmt;

namespace quintar {

struct Tabela;

// A prepared statement run on the connection's own SQLite handle. The bulk paths (reading
// and writing a case file, the monthly statement, the lookups a run makes month by month)
// use it where Qt's work per bound value costs more than SQLite's. Parameters and result
// columns count from 0; values are those the database stores: qint64, double, text, NULL.
// BancoDados::sentenca hands it out reset; failures throw Erro with MensagemErroBanco's texts.
// One statement serves every user of its text: do not hold it across a call that may run
// the same text.
class Sentenca {
public:
    Sentenca(sqlite3* banco, sqlite3_stmt* sentenca) : banco_(banco), sentenca_(sentenca) { }
    ~Sentenca();
    Sentenca(const Sentenca&) = delete;
    Sentenca& operator=(const Sentenca&) = delete;

    Sentenca& ligaInteiro(int i, qint64 valor);
    template <std::integral T>
    Sentenca& liga(int i, T valor)
    {
        return ligaInteiro(i, qint64(valor));
    }
    Sentenca& liga(int i, double valor);
    Sentenca& liga(int i, QStringView valor);
    Sentenca& ligaNulo(int i);
    // By the value's type (integers, doubles, texts); a null QVariant binds NULL.
    Sentenca& liga(int i, const QVariant& valor);
    // The parameter named ":" + nome; a name the text does not have is left alone.
    Sentenca& liga(const char* nome, const QVariant& valor);

    // The next row: false at the end, when the statement is reset for its next use.
    bool proxima();
    // Runs a statement that returns no rows.
    void executa();
    void reinicia();

    int colunas() const;
    // The storage class of the column's value in this row.
    enum class Tipo { Inteiro, Real, Texto, Blob, Nulo };
    Tipo tipo(int c) const;
    bool nulo(int c) const;
    qint64 inteiro(int c) const;
    double real(int c) const;
    QString texto(int c) const;
    // The column's text in UTF-8, valid until the next row.
    QByteArrayView utf8(int c) const;
    // The column as Qt's driver gives it: qlonglong, double, QString, a null QVariant.
    QVariant valor(int c) const;

private:
    [[noreturn]] void falha(int codigo);

    sqlite3* banco_;
    sqlite3_stmt* sentenca_;
};

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
    // Copies what was committed into the database file itself and waits for the disk: after
    // a change of the reference tables, which must outlive a power failure.
    void Consolida();

    // A prepared statement for the text, kept for reuse. Do not hold it across a call that
    // may run the same text (read the rows first).
    QSqlQuery& consulta(const QString& sql);
    // Prepares (cached), binds the named parameters and executes; throws Erro on failure.
    using Parametros = std::initializer_list<std::pair<const char*, QVariant>>;
    QSqlQuery& executa(const QString& sql, Parametros parametros = {});
    // Executes a text once, without caching; throws Erro on failure.
    void executaDireto(const QString& sql);
    // The statement of the text on SQLite's own handle, prepared once and kept, reset.
    Sentenca& sentenca(const QString& sql);

    // The first column of the first row, or a null value when there is no row. Run as a
    // Sentenca (named parameters as in executa).
    QVariant escalar(const QString& sql, Parametros parametros = {});

    int profundidadeTransacao() const { return profundidade_; }

private:
    friend class Transacao;
    void criaPermanentes();
    void limpaCache();
    void encerraConsultas();

    QSqlDatabase db_;
    sqlite3* sqlite_ = nullptr;
    // Node-based, so that a statement handed out stays where it is while others are added.
    std::unordered_map<QString, std::unique_ptr<QSqlQuery>> cache_;
    QHash<const QChar*, QSqlQuery*> literais_;
    std::unordered_map<QString, std::unique_ptr<Sentenca>> sentencas_;
    QHash<const QChar*, Sentenca*> sentencasLiterais_;
    int profundidade_ = 0;
};

// The text a database error reaches the user with: a duplicate primary key is
// "Key violation."; anything else is the database's own message.
QString MensagemErroBanco(const QSqlError& erro);
QString MensagemErroBanco(int codigoEstendido, const QString& texto);

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
