#include "BancoDados.h"

#include "Erro.h"
#include "Esquema.h"
#include "Rotinas.h"

#include <QDir>
#include <QSet>
#include <QSqlError>

namespace quintar {

const QString BancoDados::NomeConexao = QStringLiteral("Orvane");
const QString BancoDados::NomeArquivo = QStringLiteral("quintar.db");

QString MensagemErroBanco(const QSqlError& erro)
{
    const QString codigo = erro.nativeErrorCode();
    // SQLITE_CONSTRAINT_PRIMARYKEY and SQLITE_CONSTRAINT_UNIQUE.
    if (codigo == u"1555" || codigo == u"2067")
        return QStringLiteral("Key violation.");
    const QString texto = erro.databaseText().isEmpty() ? erro.text() : erro.databaseText();
    return texto.isEmpty() ? QStringLiteral("Erro no banco de dados.") : texto;
}

BancoDados::BancoDados() = default;

BancoDados::~BancoDados()
{
    fecha();
}

void BancoDados::abre(const QString& pastaTabelas)
{
    fecha();
    QDir().mkpath(pastaTabelas);
    db_ = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), NomeConexao);
    db_.setDatabaseName(QDir(pastaTabelas).filePath(NomeArquivo));
    if (!db_.open()) {
        const QString mensagem = MensagemErroBanco(db_.lastError());
        fecha();
        throw Erro(mensagem);
    }
    // Commits stay cheap (no sync on every one) but the file is never left corrupt.
    executaDireto(QStringLiteral("PRAGMA journal_mode=WAL"));
    executaDireto(QStringLiteral("PRAGMA synchronous=NORMAL"));
    criaPermanentes();
}

void BancoDados::fecha()
{
    limpaCache();
    if (db_.isValid()) {
        db_.close();
        db_ = QSqlDatabase();
    }
    if (QSqlDatabase::contains(NomeConexao))
        QSqlDatabase::removeDatabase(NomeConexao);
    profundidade_ = 0;
}

bool BancoDados::aberto() const
{
    return db_.isValid() && db_.isOpen();
}

void BancoDados::encerraConsultas()
{
    // A statement left open would keep a table busy (DROP TABLE, ROLLBACK TO); a finished
    // one stays prepared and SQLite prepares it again by itself if the schema changed.
    for (auto& [texto, q] : cache_)
        q->finish();
}

void BancoDados::limpaCache()
{
    for (auto& [texto, q] : cache_)
        q->finish();
    literais_.clear();
    cache_.clear();
}

void BancoDados::criaPermanentes()
{
    for (const Tabela& t : TabelasPermanentes())
        executaDireto(SqlCriacao(t, true));
}

void BancoDados::ApagaTabelas()
{
    encerraConsultas();
    for (const QString& nome : TabelasCaso()) {
        QSqlQuery q(db_);
        q.exec(QStringLiteral("DROP TABLE ") + nome); // a table that is not there is fine
    }
}

void BancoDados::ReiniciaTabelas(Feedback& feedback)
{
    // A table that already has its definition is emptied rather than dropped and created:
    // the same empty table, without rebuilding the schema 21 times at every case opened.
    encerraConsultas();
    QHash<QString, QString> existentes;
    {
        QSqlQuery q(db_);
        q.exec(QStringLiteral("SELECT name, sql FROM sqlite_master WHERE type = 'table'"));
        while (q.next())
            existentes.insert(q.value(0).toString().toUpper(), q.value(1).toString());
    }
    feedback.status(QStringLiteral("Apagando Tabelas."));
    QSet<QString> esvaziadas;
    for (const QString& nome : TabelasCaso()) {
        const Tabela* t = TabelaTrabalho(nome);
        QSqlQuery q(db_);
        if (existentes.value(nome) == SqlCriacao(*t) && q.exec(QStringLiteral("DELETE FROM ") + nome))
            esvaziadas.insert(nome);
        else
            q.exec(QStringLiteral("DROP TABLE ") + nome); // a table that is not there is fine
    }
    for (const Tabela* t : OrdemCriacao()) {
        feedback.status(t->textoCriacao);
        if (!esvaziadas.contains(t->nome))
            executaDireto(SqlCriacao(*t));
    }
    feedback.status(QStringLiteral("Tabelas Criadas."));
}

QSqlQuery& BancoDados::consulta(const QString& sql)
{
    // The texts are mostly literals, whose storage never moves: find those by address
    // before hashing the whole text.
    const bool literal = !sql.data_ptr().isMutable();
    if (literal) {
        const auto rapido = literais_.constFind(sql.constData());
        if (rapido != literais_.constEnd())
            return **rapido;
    }
    auto it = cache_.find(sql);
    if (it == cache_.end()) {
        auto q = std::make_unique<QSqlQuery>(db_);
        q->setForwardOnly(true);
        if (!q->prepare(sql))
            throw Erro(MensagemErroBanco(q->lastError()));
        it = cache_.emplace(sql, std::move(q)).first;
    }
    if (literal)
        literais_.insert(sql.constData(), it->second.get());
    return *it->second;
}

QSqlQuery& BancoDados::executa(const QString& sql, Parametros parametros)
{
    QSqlQuery& q = consulta(sql);
    for (const auto& [nome, valor] : parametros)
        q.bindValue(u':' + QString::fromLatin1(nome), valor);
    if (!q.exec())
        throw Erro(MensagemErroBanco(q.lastError()));
    return q;
}

void BancoDados::executaDireto(const QString& sql)
{
    QSqlQuery q(db_);
    if (!q.exec(sql))
        throw Erro(MensagemErroBanco(q.lastError()));
}

QVariant BancoDados::escalar(const QString& sql, Parametros parametros)
{
    QSqlQuery& q = executa(sql, parametros);
    QVariant v = q.next() ? q.value(0) : QVariant();
    q.finish();
    return v;
}

Transacao::Transacao(BancoDados& banco)
    : banco_(banco), nome_(QStringLiteral("t%1").arg(banco.profundidade_ + 1))
{
    banco_.executaDireto(QStringLiteral("SAVEPOINT ") + nome_);
    ++banco_.profundidade_;
}

Transacao::~Transacao()
{
    if (!ativa_)
        return;
    // Undo everything since the savepoint; statements still open would keep it busy.
    banco_.encerraConsultas();
    QSqlQuery q(banco_.db_);
    q.exec(QStringLiteral("ROLLBACK TO ") + nome_);
    q.exec(QStringLiteral("RELEASE ") + nome_);
    --banco_.profundidade_;
}

void Transacao::confirma()
{
    if (!ativa_)
        return;
    banco_.executaDireto(QStringLiteral("RELEASE ") + nome_);
    ativa_ = false;
    --banco_.profundidade_;
}

} // namespace quintar
