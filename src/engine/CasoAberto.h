#pragma once

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
// reading a case file, the table validation, the Calcular command).
//
// Every posting validates the row and writes the case file; a refused validation throws
// Erro with the message and the column that gets the focus, and leaves the row in editing.
class CasoAberto {
public:
    CasoAberto(Motor& motor);

    // "Now", for DATA_CALCULO and the checks against today; the computer clock unless set.
    std::function<QDateTime()> relogio;
    QDateTime agora() const;
    QDate hoje() const { return agora().date(); }

    // Reads a case file into freshly reset working tables, shows its row and brings the item
    // tables in line with the items switched on (ValidaTabelas), in one unit of work: on
    // failure the working tables are as they were and no case is open.
    void AbreArquivo(const QString& caminho);
    // Shows the row of TAB_PROCESSO with that PROCESSO_ID (false when there is none).
    bool Localiza(qint64 processoId);
    bool aberto() const { return aberto_; }

    qint64 processoId() const { return valor(u"PROCESSO_ID").toLongLong(); }
    QVariant valor(QStringView coluna) const;
    Money money(QStringView coluna) const;
    QDate data(QStringView coluna) const;
    QString texto(QStringView coluna) const { return valor(coluna).toString(); }
    // The item's check box: its CALCULA_ flag holds exactly "S".
    bool marcado(QStringView flag) const { return texto(flag) == u"S"; }

    bool emEdicao() const { return estado_ != Estado::Navegando; }
    // Puts the row into editing (remembering the dates and the reference salary) if it is not.
    void Edita();
    void define(QStringView coluna, const QVariant& valorBanco);
    void defineMoney(QStringView coluna, Money valor);
    // Posts the row: validation, then the row is stored and the case file written.
    void Posta();

    // The case file's path: the file chosen last, else DiretorioPadrao + NomeArquivo.
    QString arquivoEscolhido;
    QString CaminhoArquivo();

    int ContaItensMarcados() const;
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
