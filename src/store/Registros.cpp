#include "Registros.h"

#include "BancoDados.h"
#include "Erro.h"
#include "Esquema.h"

#include <QSqlError>

namespace quintar {

namespace {

const Tabela& tabelaExistente(QStringView nome)
{
    const Tabela* t = TabelaTrabalho(nome);
    if (!t)
        t = TabelaPermanente(nome);
    if (!t)
        throw Erro(QStringLiteral("Tabela %1 não existe.").arg(nome));
    return *t;
}

} // namespace

Registros::Registros(BancoDados& banco, QStringView tabela, QObject* pai)
    : FonteDados(pai), banco_(banco), tabela_(tabelaExistente(tabela))
{
}

int Registros::coluna(QStringView nome) const
{
    const int i = tabela_.indice(nome);
    if (i < 0)
        throw Erro(QStringLiteral("Campo %1 não existe na tabela %2.").arg(nome, tabela_.nome));
    return i;
}

QVariant Registros::valor(int linha, int coluna) const
{
    if (linha < 0 || linha >= linhas_.size() || coluna < 0 || coluna >= tabela_.colunas.size())
        return {};
    return linhas_[linha].valores[coluna];
}

QVariant Registros::valor(QStringView coluna) const
{
    return valor(atual_, this->coluna(coluna));
}

void Registros::abre(qint64 processoId)
{
    processoId_ = processoId;
    abrePor(u"PROCESSO_ID", processoId);
}

void Registros::abrePor(QStringView coluna, const QVariant& valor)
{
    const int filtro = this->coluna(coluna);
    emit antesDeRedefinir();
    colunaFiltro_ = filtro;
    valorFiltro_ = valor;
    linhas_.clear();
    excluidas_.clear();
    estado_ = Estado::Navegando;
    modificado_ = false;
    QString sql =
        QStringLiteral("SELECT rowid, * FROM %1 WHERE %2 = :valor").arg(tabela_.nome, tabela_.colunas[filtro].nome);
    if (!ordem.isEmpty())
        sql += QStringLiteral(" ORDER BY ") + ordem;
    QSqlQuery& q = banco_.executa(sql, {{"valor", valor}});
    const int n = tabela_.colunas.size();
    while (q.next()) {
        Linha l;
        l.rowid = q.value(0).toLongLong();
        l.valores.resize(n);
        for (int i = 0; i < n; ++i)
            l.valores[i] = q.value(i + 1);
        l.originais = l.valores;
        linhas_.append(std::move(l));
    }
    q.finish();
    atual_ = linhas_.isEmpty() ? -1 : 0;
    emit linhasRedefinidas();
    emit registroAlterado();
    emit estadoAlterado();
}

void Registros::emiteLinha(int linha)
{
    for (int c = 0; c < tabela_.colunas.size(); ++c)
        emit celulaAlterada(linha, c);
}

void Registros::Edita()
{
    if (estado_ != Estado::Navegando)
        return;
    if (atual_ < 0) {
        Acrescenta();
        return;
    }
    antesDaEdicao_ = linhas_[atual_].valores;
    estado_ = Estado::Editando;
    modificado_ = false;
    emit estadoAlterado();
}

void Registros::define(QStringView coluna, const QVariant& valorBanco)
{
    define(this->coluna(coluna), valorBanco);
}

void Registros::define(int coluna, const QVariant& valorBanco)
{
    Edita();
    // No row and the insertion refused: the value is abandoned with it.
    if (atual_ < 0)
        return;
    QVariant& v = linhas_[atual_].valores[coluna];
    if (v == valorBanco && v.isNull() == valorBanco.isNull())
        return;
    v = valorBanco;
    modificado_ = true;
    emit celulaAlterada(atual_, coluna);
    emit valorAlterado(tabela_.colunas[coluna].nome);
}

void Registros::preencheFlags(const QString& valor)
{
    for (int i = 0; i < tabela_.colunas.size(); ++i) {
        const Coluna& c = tabela_.colunas[i];
        if (c.tipo == TipoColuna::Char && c.tamanho == 1)
            define(i, valor);
    }
}

void Registros::Posta()
{
    if (estado_ == Estado::Navegando)
        return;
    if (antesDePostar)
        antesDePostar(*this);
    Linha& l = linhas_[atual_];
    if (estado_ == Estado::Editando && l.situacao == Situacao::Original && l.valores != l.originais)
        l.situacao = Situacao::Alterada;
    if (!emCache && l.situacao != Situacao::Original) {
        const Linha antes = l;
        try {
            Transacao t(banco_);
            gravaLinha(l);
            t.confirma();
        } catch (...) {
            l = antes;
            throw;
        }
        l.situacao = Situacao::Original;
        l.originais = l.valores;
    }
    estado_ = Estado::Navegando;
    emit estadoAlterado();
}

void Registros::Cancela()
{
    if (estado_ == Estado::Navegando)
        return;
    const Estado era = estado_;
    estado_ = Estado::Navegando;
    if (era == Estado::Inserindo) {
        removeAtual();
    } else {
        linhas_[atual_].valores = antesDaEdicao_;
        emiteLinha(atual_);
    }
    emit registroAlterado();
    emit estadoAlterado();
}

void Registros::vaiPara(int linha)
{
    if (linha == atual_ || linha < 0 || linha >= quantidade())
        return;
    Posta();
    atual_ = linha;
    emit atualAlterado(atual_);
    emit registroAlterado();
}

void Registros::novaLinha(int posicao)
{
    if (!permiteInserir)
        return;
    Posta();
    Linha l;
    l.valores.resize(tabela_.colunas.size());
    l.valores[colunaFiltro_] = valorFiltro_;
    l.situacao = Situacao::Nova;
    emit antesDeInserir(posicao);
    linhas_.insert(posicao, std::move(l));
    atual_ = posicao;
    estado_ = Estado::Inserindo;
    emit linhaInserida(posicao);
    emit atualAlterado(atual_);
    // The defaults are set in insertion, so a refused posting keeps them with what was typed.
    if (aoNovoRegistro)
        aoNovoRegistro(*this);
    modificado_ = false;
    emit registroAlterado();
    emit estadoAlterado();
}

void Registros::Acrescenta()
{
    novaLinha(quantidade());
}

void Registros::Insere()
{
    novaLinha(std::max(atual_, 0));
}

void Registros::Exclui()
{
    if (atual_ < 0)
        return;
    if (estado_ == Estado::Inserindo) {
        Cancela();
        return;
    }
    if (!permiteExcluir)
        return;
    Linha& l = linhas_[atual_];
    if (l.situacao != Situacao::Nova) {
        if (emCache) {
            excluidas_.append(l.rowid);
        } else {
            Transacao t(banco_);
            excluiLinha(l.rowid);
            t.confirma();
        }
    }
    estado_ = Estado::Navegando;
    removeAtual();
    emit registroAlterado();
    emit estadoAlterado();
}

void Registros::removeAtual()
{
    const int linha = atual_;
    emit antesDeRemover(linha);
    linhas_.removeAt(linha);
    emit linhaRemovida(linha);
    atual_ = std::min(linha, quantidade() - 1);
    emit atualAlterado(atual_);
}

bool Registros::alterado() const
{
    if (!excluidas_.isEmpty() || estado_ == Estado::Inserindo)
        return true;
    for (const Linha& l : linhas_)
        if (l.situacao != Situacao::Original || l.valores != l.originais)
            return true;
    return false;
}

void Registros::excluiLinha(qint64 rowid)
{
    banco_.executa(QStringLiteral("DELETE FROM %1 WHERE rowid = :rowid").arg(tabela_.nome), {{"rowid", rowid}});
}

// Writes one row (a new one learns its rowid); the caller marks it written once its unit of
// work is kept.
void Registros::gravaLinha(Linha& l)
{
    QSqlQuery* q = nullptr;
    if (l.situacao == Situacao::Nova) {
        QStringList nomes, marcadores;
        for (const Coluna& c : tabela_.colunas) {
            nomes.append(c.nome);
            marcadores.append(QStringLiteral("?"));
        }
        q = &banco_.consulta(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                 .arg(tabela_.nome, nomes.join(u','), marcadores.join(u',')));
        for (int i = 0; i < l.valores.size(); ++i)
            q->bindValue(i, l.valores[i]);
    } else {
        QStringList atribuicoes;
        QVector<int> colunas;
        for (int i = 0; i < tabela_.colunas.size(); ++i) {
            const QString& nome = tabela_.colunas[i].nome;
            if (colunasAtualizadas.isEmpty() || colunasAtualizadas.contains(nome, Qt::CaseInsensitive)) {
                atribuicoes.append(nome + QStringLiteral(" = ?"));
                colunas.append(i);
            }
        }
        if (atribuicoes.isEmpty())
            return; // none of the columns this dialog writes
        q = &banco_.consulta(
            QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?").arg(tabela_.nome, atribuicoes.join(u',')));
        for (int i = 0; i < colunas.size(); ++i)
            q->bindValue(i, l.valores[colunas[i]]);
        q->bindValue(colunas.size(), l.rowid);
    }
    if (!q->exec())
        throw Erro(MensagemErroBanco(q->lastError()));
    if (l.situacao == Situacao::Nova)
        l.rowid = q->lastInsertId().toLongLong();
    q->finish();
}

void Registros::Aplica(const std::function<void()>& tambem)
{
    Posta();
    if (!alterado() && !tambem)
        return;
    // Remember what the rows were, so a failure leaves them exactly as they were.
    const QVector<Linha> antes = linhas_;
    const QVector<qint64> excluidasAntes = excluidas_;
    try {
        Transacao t(banco_);
        for (qint64 rowid : excluidas_)
            excluiLinha(rowid);
        for (Linha& l : linhas_) {
            if (l.situacao == Situacao::Original && l.valores != l.originais)
                l.situacao = Situacao::Alterada;
            if (l.situacao != Situacao::Original)
                gravaLinha(l);
        }
        if (tambem)
            tambem();
        t.confirma();
    } catch (...) {
        linhas_ = antes;
        excluidas_ = excluidasAntes;
        throw;
    }
    excluidas_.clear();
    for (Linha& l : linhas_) {
        l.situacao = Situacao::Original;
        l.originais = l.valores;
    }
}

} // namespace quintar
