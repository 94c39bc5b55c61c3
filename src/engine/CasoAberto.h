#pragma once

#include "FonteDados.h"
#include "Money.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

#include <functional>

namespace quintar {

class BancoDados;
class Feedback;
class Motor;

// The open case: the TAB_PROCESSO row the main window shows and edits, with the commands
// that work on it without a window (posting with its validation and the case-file write,
// reading a case file, the table validation, the Calcular command, and what ticking and
// unticking items does to the item tables).
//
// Every posting validates the row and writes the case file; a refused validation throws
// Erro with the message and the column that gets the focus, and leaves the row in editing.
// Every change of a value is announced (valorAlterado), so a window shows what a command
// changed. The contract dates of the row are the ones the calculators work with.
class CasoAberto : public FonteDados {
    Q_OBJECT

public:
    explicit CasoAberto(Motor& motor, QObject* pai = nullptr);

    // "Now", for DATA_CALCULO and the checks against today; the computer clock unless set.
    std::function<QDateTime()> relogio;
    QDateTime agora() const;
    QDate hoje() const { return agora().date(); }

    // Reads a case file into freshly reset working tables, shows its row and brings the item
    // tables in line with the items switched on (ValidaTabelas), in one unit of work: on
    // failure the working tables, the row shown and its file are as they were.
    void AbreArquivo(const QString& caminho);
    // Saved under another number: every row of the case, in every working table, moves to
    // the new NUMERO (the row already holds it), and the row is shown again. "Key violation."
    // when another case of the working tables has that number.
    void Renumera();
    // Shows the row of TAB_PROCESSO with that PROCESSO_ID (false when there is none).
    bool Localiza(qint64 processoId);
    bool aberto() const { return aberto_; }

    bool temRegistro() const override { return aberto_; }

    qint64 processoId() const { return valor(u"PROCESSO_ID").toLongLong(); }
    const Tabela& tabela() const override;
    // Throws Erro for a column TAB_PROCESSO does not have.
    QVariant valor(QStringView coluna) const override;
    // The value the column had when the row went into editing (its value when it is not).
    QVariant valorAntesDaEdicao(QStringView coluna) const;
    Money money(QStringView coluna) const;
    QDate data(QStringView coluna) const;
    QString texto(QStringView coluna) const { return valor(coluna).toString(); }
    // The item's check box: its CALCULA_ flag holds exactly "S".
    bool marcado(QStringView flag) const { return texto(flag) == u"S"; }

    bool emEdicao() const override { return estado_ != Estado::Navegando; }
    // Puts the row into editing (remembering the dates and the reference salary) if it is not.
    void Edita() override;
    void define(QStringView coluna, const QVariant& valorBanco) override;
    void defineMoney(QStringView coluna, Money valor);
    // Posts the row: validation, then the row is stored and the case file written.
    void Posta();

    // The case file's path: the file chosen last, else DiretorioPadrao + NomeArquivo.
    QString arquivoEscolhido;
    QString CaminhoArquivo();

    int ContaItensMarcados() const;
    // The tables whose case rows go when the item of that CALCULA_ flag is switched off.
    static QStringList TabelasDoItem(QStringView flag);
    // An item was unticked: its rows are deleted. For the notice period, RetiraAviso with
    // whether the 13th salary and the vacation are ticked. Totals and statement stay.
    void DesmarcaItem(QStringView flag, bool marcado13, bool marcadoFerias);
    // Every item unticked, in the fixed order (so the notice is switched off after the 13th
    // salary and the vacation, and regenerates nothing), then every flag "N".
    void DesmarcaTodos();
    // The reference salary as typed: stored; while the row is edited (not inserted) every
    // month of the salary history takes it; the results are cleared.
    void AlteraSalarioReferencia(Money salario);
    // Whether leaving a contract date must ask before switching every item off: the row is
    // edited (not inserted), an item is ticked, and a contract date differs from its value
    // when the editing began.
    bool PedeConfirmacaoPacto() const;
    // The answer to that question: Yes unticks every item and deletes the salary history; No
    // clears the results and puts the remembered contract dates back.
    void ConfirmaMudancaPacto(bool sim);
    // After the salary-history editor's OK: the newest month's fixed salary and unit become
    // the case's when they differ (the row is posted then), then GravaProcesso.
    void AplicaVariacaoSalarial();
    // Zeroes the totals, deletes the monthly statement and disables printing (row in editing).
    void LimpaTotais();
    void GravaProcesso();
    void ValidaTabelas();
    void CalculoPadrao();
    // The Calcular command: posts a pending edit, prepares the default items when none is
    // ticked, runs the calculation and posts the totals; one unit of work.
    void Calcular();

    // Printing is possible only for results that belong to the posted data.
    bool impressaoHabilitada() const { return impressao_; }

    // The number shown as "Número Único": 00123.2008.001.05.00.5.
    QString Chave() const;

    // The calculation gauge: one step per prepared default item and per calculator run.
    void AvancaProgresso();

private:
    enum class Estado { Navegando, Editando, Inserindo };
    // A calculation item: its flag, its preparation when ticked, its tables when not.
    struct Item {
        const char* flag;
        std::function<void()> prepara;
        QStringList tabelas;
    };
    QVector<Item> itens();
    void validaAntesDePostar();
    void gravaArquivo();
    int indice(QStringView coluna) const;
    void defineEstado(Estado estado);

    Motor& m_;
    QVector<QVariant> valores_;
    QVector<QVariant> antesDaEdicao_;
    Estado estado_ = Estado::Navegando;
    qint64 idGravado_ = 0;
    bool aberto_ = false;
    bool impressao_ = false;
    bool adiaArquivo_ = false;
    bool arquivoPendente_ = false;
    int progresso_ = 0;
    int progressoMaximo_ = 0;
};

// Whether DIARIO holds the index of code 1 for that exact day.
bool ExisteIndice(BancoDados& banco, QDate data);
// A new case's update date: the latest day with an index of code 1, or today when that
// latest day is today or later.
QDate DataAtualizacaoPadrao(BancoDados& banco, QDate hoje);
// The check digit of the identification: DigitoVerificador of the five numbers zero-padded
// to 5, 4, 3, 2 and 2 digits and written one after the other.
int DV(int numero, int ano, int vara, int regional, int sequencial);

} // namespace quintar
