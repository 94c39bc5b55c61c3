#include "BancoDados.h"

#include "Erro.h"
#include "Esquema.h"
#include "Rotinas.h"

#include <QDir>
#include <QSet>
#include <QSqlDriver>
#include <QSqlError>

#include <sqlite3.h>

namespace quintar {

const QString BancoDados::NomeConexao = QStringLiteral("Orvane");
const QString BancoDados::NomeArquivo = QStringLiteral("quintar.db");

QString MensagemErroBanco(int codigoEstendido, const QString& texto)
{
    // SQLITE_CONSTRAINT_PRIMARYKEY and SQLITE_CONSTRAINT_UNIQUE.
    if (codigoEstendido == SQLITE_CONSTRAINT_PRIMARYKEY || codigoEstendido == SQLITE_CONSTRAINT_UNIQUE)
        return QStringLiteral("Key violation.");
    return texto.isEmpty() ? QStringLiteral("Erro no banco de dados.") : texto;
}

QString MensagemErroBanco(const QSqlError& erro)
{
    return MensagemErroBanco(
        erro.nativeErrorCode().toInt(), erro.databaseText().isEmpty() ? erro.text() : erro.databaseText());
}

Sentenca::~Sentenca()
{
    sqlite3_finalize(sentenca_);
}

void Sentenca::falha(int codigo)
{
    const int estendido = sqlite3_extended_errcode(banco_);
    const QString texto = QString::fromUtf8(sqlite3_errmsg(banco_));
    sqlite3_reset(sentenca_);
    throw Erro(MensagemErroBanco(estendido ? estendido : codigo, texto));
}

Sentenca& Sentenca::ligaInteiro(int i, qint64 valor)
{
    sqlite3_bind_int64(sentenca_, i + 1, valor);
    return *this;
}

Sentenca& Sentenca::liga(int i, double valor)
{
    sqlite3_bind_double(sentenca_, i + 1, valor);
    return *this;
}

Sentenca& Sentenca::liga(int i, QStringView valor)
{
    // A text goes in as the UTF-8 the database keeps, made here on the stack for the usual
    // short ones (flags, dates, names) rather than translated by SQLite. A null view is an
    // empty text, as Qt binds an empty QString.
    char utf8[512];
    const qsizetype n = valor.size();
    if (n * 3 > qsizetype(sizeof utf8)) {
        sqlite3_bind_text16(sentenca_, i + 1, valor.utf16(), int(n * 2), SQLITE_TRANSIENT);
        return *this;
    }
    int k = 0;
    for (qsizetype j = 0; j < n; ++j) {
        char32_t c = valor[j].unicode();
        if (QChar::isHighSurrogate(c) && j + 1 < n && valor[j + 1].isLowSurrogate())
            c = QChar::surrogateToUcs4(char16_t(c), valor[++j].unicode());
        else if (QChar::isSurrogate(c))
            c = 0xFFFD; // a lone half of a pair, as SQLite would store it
        if (c < 0x80) {
            utf8[k++] = char(c);
        } else if (c < 0x800) {
            utf8[k++] = char(0xC0 | (c >> 6));
            utf8[k++] = char(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            utf8[k++] = char(0xE0 | (c >> 12));
            utf8[k++] = char(0x80 | ((c >> 6) & 0x3F));
            utf8[k++] = char(0x80 | (c & 0x3F));
        } else {
            utf8[k++] = char(0xF0 | (c >> 18));
            utf8[k++] = char(0x80 | ((c >> 12) & 0x3F));
            utf8[k++] = char(0x80 | ((c >> 6) & 0x3F));
            utf8[k++] = char(0x80 | (c & 0x3F));
        }
    }
    sqlite3_bind_text(sentenca_, i + 1, utf8, k, SQLITE_TRANSIENT);
    return *this;
}

Sentenca& Sentenca::ligaNulo(int i)
{
    sqlite3_bind_null(sentenca_, i + 1);
    return *this;
}

Sentenca& Sentenca::liga(int i, const QVariant& valor)
{
    if (valor.isNull())
        return ligaNulo(i);
    switch (valor.typeId()) {
    case QMetaType::LongLong:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Bool:
        return ligaInteiro(i, valor.toLongLong());
    case QMetaType::Double:
    case QMetaType::Float:
        return liga(i, valor.toDouble());
    case QMetaType::QString:
        return liga(i, QStringView(*static_cast<const QString*>(valor.constData())));
    default:
        return liga(i, QStringView(valor.toString()));
    }
}

Sentenca& Sentenca::liga(const char* nome, const QVariant& valor)
{
    char marcado[64] = ":";
    qstrncpy(marcado + 1, nome, sizeof marcado - 1);
    const int i = sqlite3_bind_parameter_index(sentenca_, marcado);
    return i > 0 ? liga(i - 1, valor) : *this;
}

bool Sentenca::proxima()
{
    const int r = sqlite3_step(sentenca_);
    if (r == SQLITE_ROW)
        return true;
    if (r != SQLITE_DONE)
        falha(r);
    sqlite3_reset(sentenca_);
    return false;
}

void Sentenca::executa()
{
    while (proxima()) { }
}

void Sentenca::reinicia()
{
    sqlite3_reset(sentenca_);
    sqlite3_clear_bindings(sentenca_);
}

int Sentenca::colunas() const
{
    return sqlite3_column_count(sentenca_);
}

Sentenca::Tipo Sentenca::tipo(int c) const
{
    switch (sqlite3_column_type(sentenca_, c)) {
    case SQLITE_INTEGER:
        return Tipo::Inteiro;
    case SQLITE_FLOAT:
        return Tipo::Real;
    case SQLITE_TEXT:
        return Tipo::Texto;
    case SQLITE_BLOB:
        return Tipo::Blob;
    default:
        return Tipo::Nulo;
    }
}

bool Sentenca::nulo(int c) const
{
    return sqlite3_column_type(sentenca_, c) == SQLITE_NULL;
}

qint64 Sentenca::inteiro(int c) const
{
    return sqlite3_column_int64(sentenca_, c);
}

double Sentenca::real(int c) const
{
    return sqlite3_column_double(sentenca_, c);
}

QString Sentenca::texto(int c) const
{
    // The database keeps UTF-8; Qt's decoder is the quick way to a QString.
    const auto* dados = reinterpret_cast<const char*>(sqlite3_column_text(sentenca_, c));
    return dados ? QString::fromUtf8(dados, sqlite3_column_bytes(sentenca_, c)) : QString();
}

QByteArrayView Sentenca::utf8(int c) const
{
    const auto* dados = reinterpret_cast<const char*>(sqlite3_column_text(sentenca_, c));
    return dados ? QByteArrayView(dados, sqlite3_column_bytes(sentenca_, c)) : QByteArrayView();
}

QVariant Sentenca::valor(int c) const
{
    switch (sqlite3_column_type(sentenca_, c)) {
    case SQLITE_INTEGER:
        return QVariant::fromValue<qlonglong>(inteiro(c));
    case SQLITE_FLOAT:
        return real(c);
    case SQLITE_NULL:
        return {};
    default:
        return texto(c);
    }
}

BancoDados::BancoDados() = default;

BancoDados::~BancoDados()
{
    fecha();
}

void BancoDados::abre(const QString& pastaTabelas)
{
    fecha();
    // The program reaches its database from one thread only: SQLite need not lock a mutex on
    // every call, nor keep memory statistics. This holds for the process and takes effect
    // only before SQLite's first use (afterwards the calls are refused, and nothing changes).
    static const bool configurado = [] {
        sqlite3_config(SQLITE_CONFIG_MULTITHREAD);
        sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0);
        return true;
    }();
    Q_UNUSED(configurado);
    QDir().mkpath(pastaTabelas);
    db_ = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), NomeConexao);
    db_.setDatabaseName(QDir(pastaTabelas).filePath(NomeArquivo));
    if (!db_.open()) {
        const QString mensagem = MensagemErroBanco(db_.lastError());
        fecha();
        throw Erro(mensagem);
    }
    // Qt's driver and this program share the process's SQLite library, so its handle serves
    // the statements of Sentenca.
    const QVariant handle = db_.driver()->handle();
    if (handle.isValid() && qstrcmp(handle.typeName(), "sqlite3*") == 0)
        sqlite_ = *static_cast<sqlite3* const*>(handle.constData());
    if (!sqlite_) {
        fecha();
        throw Erro(QStringLiteral("Banco de dados sem acesso direto ao SQLite."));
    }
    // Commits stay cheap (no sync on every one) but the file is never left corrupt. The
    // write-ahead log is kept between sessions and not copied into the database file when it
    // closes: what the working tables hold lives for one session anyway, and a command that
    // only calculates then waits for the disk once, for its case file. SQLite copies the log
    // when it grows; a change of the reference tables is made safe at once (Consolida).
    // Temporary tables of a statement stay in memory.
    int manter = 1;
    sqlite3_file_control(sqlite_, "main", SQLITE_FCNTL_PERSIST_WAL, &manter);
    sqlite3_db_config(sqlite_, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, nullptr);
    executaDireto(QStringLiteral("PRAGMA journal_mode=WAL"));
    executaDireto(QStringLiteral("PRAGMA synchronous=NORMAL"));
    executaDireto(QStringLiteral("PRAGMA temp_store=MEMORY"));
    criaPermanentes();
}

void BancoDados::fecha()
{
    limpaCache();
    sqlite_ = nullptr;
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
    for (auto& [texto, c] : sentencas_)
        c->reinicia();
}

void BancoDados::limpaCache()
{
    for (auto& [texto, q] : cache_)
        q->finish();
    literais_.clear();
    cache_.clear();
    // Finalised before the connection closes.
    sentencasLiterais_.clear();
    sentencas_.clear();
}

namespace {

// The tables of the database file: upper-case name → its CREATE TABLE text.
QHash<QString, QString> tabelasExistentes(BancoDados& banco)
{
    QHash<QString, QString> existentes;
    Sentenca& s = banco.sentenca(QStringLiteral("SELECT name, sql FROM sqlite_master WHERE type = 'table'"));
    while (s.proxima())
        existentes.insert(s.texto(0).toUpper(), s.texto(1));
    return existentes;
}

// SqlCriacao of every working table, made once.
const QString& criacao(const Tabela& t)
{
    static const QHash<QString, QString> textos = [] {
        QHash<QString, QString> h;
        for (const Tabela& tabela : TabelasTrabalho())
            h.insert(tabela.nome, SqlCriacao(tabela));
        return h;
    }();
    return *textos.find(t.nome);
}

} // namespace

void BancoDados::criaPermanentes()
{
    const QHash<QString, QString> existentes = tabelasExistentes(*this);
    for (const Tabela& t : TabelasPermanentes())
        if (!existentes.contains(t.nome.toUpper()))
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
    // One transaction for all of it: one commit, and a failure leaves the tables as they were.
    encerraConsultas();
    Transacao transacao(*this);
    const QHash<QString, QString> existentes = tabelasExistentes(*this);
    feedback.status(QStringLiteral("Apagando Tabelas."));
    QSet<QString> esvaziadas;
    for (const QString& nome : TabelasCaso()) {
        const Tabela* t = TabelaTrabalho(nome);
        bool esvaziada = false;
        if (existentes.value(nome) == criacao(*t)) {
            try {
                sentenca(QStringLiteral("DELETE FROM ") + nome).executa();
                esvaziada = true;
            } catch (const Erro&) {
                // dropped and created below
            }
        }
        if (esvaziada) {
            esvaziadas.insert(nome);
        } else {
            QSqlQuery q(db_);
            q.exec(QStringLiteral("DROP TABLE ") + nome); // a table that is not there is fine
        }
    }
    for (const Tabela* t : OrdemCriacao()) {
        feedback.status(t->textoCriacao);
        if (!esvaziadas.contains(t->nome))
            executaDireto(criacao(*t));
    }
    transacao.confirma();
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

void BancoDados::Consolida()
{
    // The commit is done already: a checkpoint that cannot run now is run by SQLite later.
    encerraConsultas();
    sqlite3_wal_checkpoint_v2(sqlite_, nullptr, SQLITE_CHECKPOINT_PASSIVE, nullptr, nullptr);
}

Sentenca& BancoDados::sentenca(const QString& sql)
{
    // Literal texts are found by address first, as in consulta().
    const bool literal = !sql.data_ptr().isMutable();
    Sentenca* c = nullptr;
    if (literal)
        c = sentencasLiterais_.value(sql.constData());
    if (!c) {
        auto it = sentencas_.find(sql);
        if (it == sentencas_.end()) {
            sqlite3_stmt* preparado = nullptr;
            if (sqlite3_prepare16_v3(
                    sqlite_, sql.utf16(), int(sql.size() * 2), SQLITE_PREPARE_PERSISTENT, &preparado, nullptr)
                != SQLITE_OK) {
                const QString texto = QString::fromUtf8(sqlite3_errmsg(sqlite_));
                sqlite3_finalize(preparado);
                throw Erro(MensagemErroBanco(sqlite3_extended_errcode(sqlite_), texto));
            }
            it = sentencas_.emplace(sql, std::make_unique<Sentenca>(sqlite_, preparado)).first;
        }
        c = it->second.get();
        if (literal)
            sentencasLiterais_.insert(sql.constData(), c);
    }
    c->reinicia();
    return *c;
}

void BancoDados::executaDireto(const QString& sql)
{
    QSqlQuery q(db_);
    if (!q.exec(sql))
        throw Erro(MensagemErroBanco(q.lastError()));
}

QVariant BancoDados::escalar(const QString& sql, Parametros parametros)
{
    Sentenca& s = sentenca(sql);
    for (const auto& [nome, valor] : parametros)
        s.liga(nome, valor);
    QVariant v = s.proxima() ? s.valor(0) : QVariant();
    s.reinicia();
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
