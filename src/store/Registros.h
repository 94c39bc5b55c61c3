#pragma once

#include "FonteDados.h"

#include <QStringList>
#include <QVector>

#include <functional>

namespace quintar {

class BancoDados;
struct Tabela;

// The rows of one working table that belong to one case, as an editor dialog works on them:
// read once, changed in memory and written back together by Aplica() (the dialog's OK), or
// each posting written at once when emCache is off.
//
// Like a data-aware dataset, one row is current and may be in editing: values typed into it
// are kept there (and shown) until Posta() accepts them or Cancela() undoes them. A posting
// refused by antesDePostar leaves the row in editing with everything typed.
class Registros : public FonteDados {
    Q_OBJECT

public:
    enum class Estado { Navegando, Editando, Inserindo };

    // Throws Erro when the name is neither a working table nor a lookup table.
    Registros(BancoDados& banco, QStringView tabela, QObject* pai = nullptr);

    // How the rows are read and written; set before abre().
    QString ordem; // ORDER BY text ("ANO DESC, MES DESC"); empty: as stored
    QStringList colunasAtualizadas; // an UPDATE writes only these columns; empty: all of them
    bool emCache = true; // false: every posting and deletion reaches the table at once
    bool permiteInserir = true; // false: an insertion is silently abandoned
    bool permiteExcluir = true; // false: a deletion is silently abandoned
    // The defaults of a new row; PROCESSO_ID is already set.
    std::function<void(Registros&)> aoNovoRegistro;
    // Checks the current row before it is posted; throws Erro (text and column) to refuse.
    std::function<void(Registros&)> antesDePostar;

    // Reads the case's rows; the first becomes current. Discards whatever was held.
    void abre(qint64 processoId);
    // The same for a table that is not kept per case: the rows whose column holds the value
    // (the credit descriptions of the description list); a new row gets that value.
    void abrePor(QStringView coluna, const QVariant& valor);
    qint64 processoId() const { return processoId_; }

    int quantidade() const { return static_cast<int>(linhas_.size()); }
    int atual() const { return atual_; }
    Estado estado() const { return estado_; }
    // Position of a column in the table; throws Erro when it has none of that name.
    int coluna(QStringView nome) const;
    QVariant valor(int linha, int coluna) const;
    QVariant valor(int linha, QStringView coluna) const { return valor(linha, this->coluna(coluna)); }

    const Tabela& tabela() const override { return tabela_; }
    QVariant valor(QStringView coluna) const override;
    void define(QStringView coluna, const QVariant& valorBanco) override;
    void define(int coluna, const QVariant& valorBanco);
    bool emEdicao() const override { return estado_ != Estado::Navegando; }
    bool temRegistro() const override { return atual_ >= 0; }
    // Whether a value of the row in editing changed since it went into editing (the defaults
    // of a new row do not count): a grid drops a new row the user left untouched.
    bool modificado() const { return modificado_; }

    void Edita() override;
    // Runs antesDePostar and keeps the row; a refusal throws and leaves the row in editing.
    void Posta();
    // Undoes the edit of the current row; an inserted row goes away.
    void Cancela();
    // Makes another row current, posting a pending edit first (which may refuse).
    void vaiPara(int linha);
    // A new row at the end, or before the current one, in insertion.
    void Acrescenta();
    void Insere();
    // Removes the current row (an inserted one is simply dropped).
    void Exclui();
    // Sets every one-character text column of the current row (the S/N flags).
    void preencheFlags(const QString& valor);

    // Whether the rows hold changes the table does not have yet.
    bool alterado() const;
    // Posts a pending edit, then writes the changes in one unit of work: deletions, updates of
    // colunasAtualizadas, insertions, and then whatever `tambem` writes. A failure throws Erro
    // with the database's message ("Key violation.") and leaves both the table and the rows
    // held here as they were.
    void Aplica(const std::function<void()>& tambem = {});

signals:
    // Around every change of the set of rows, so that a grid's model can follow.
    void antesDeRedefinir();
    void linhasRedefinidas();
    void antesDeInserir(int linha);
    void linhaInserida(int linha);
    void antesDeRemover(int linha);
    void linhaRemovida(int linha);
    void atualAlterado(int linha);
    void celulaAlterada(int linha, int coluna);

private:
    enum class Situacao { Original, Nova, Alterada };
    struct Linha {
        QVector<QVariant> valores;
        QVector<QVariant> originais;
        qint64 rowid = 0;
        Situacao situacao = Situacao::Original;
    };
    void novaLinha(int posicao);
    // The current row leaves the set; the next one (or the new last one) becomes current.
    void removeAtual();
    void gravaLinha(Linha& linha);
    void excluiLinha(qint64 rowid);
    void emiteLinha(int linha);

    BancoDados& banco_;
    const Tabela& tabela_;
    qint64 processoId_ = 0;
    int colunaFiltro_ = 0; // the column abre() selects by, and its value
    QVariant valorFiltro_{qint64(0)};
    QVector<Linha> linhas_;
    QVector<qint64> excluidas_; // rowids of deleted rows that the table still has
    QVector<QVariant> antesDaEdicao_;
    int atual_ = -1;
    Estado estado_ = Estado::Navegando;
    bool modificado_ = false;
};

} // namespace quintar
