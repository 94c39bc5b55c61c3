#pragma once

#include "TfrmGrades.h"

#include <QDate>
#include <QStringList>

#include <optional>

class QMenuBar;

namespace quintar {

// "Apuração de Outros Créditos": free amounts owed to the plaintiff, one line per
// description and month. A description is chosen from the list of credit descriptions, or
// typed: a new one may be kept in the list for other cases ("Tabela de &Descrição" edits the
// list). OK with no line left closes as Cancel, so the caller drops the item.
class TfrmOutrosCred : public TfrmGrades {
    Q_OBJECT

public:
    explicit TfrmOutrosCred(Motor& motor, QWidget* pai = nullptr);

    // The grid holds no line.
    bool SemLinhas() const;
    // "C" or "D".
    const QString& tipo() const { return tipo_; }
    QMenuBar* menu() const { return menu_; }
    const QStringList& descricoes() const { return descricoes_; }
    // A description typed into a line: a new one (not empty once trimmed) raises the
    // question of keeping it, once the cell's editing is over; one of the list takes the
    // list's text.
    void descricaoDigitada(int linha, const QString& texto);
    // "Tabela de &Descrição": the description list of the dialog's kind.
    void abreDescricoes();

    void accept() override;

protected:
    // The debits editor: another table and kind.
    TfrmOutrosCred(Motor& motor, const QString& tabela, const QString& tipo, const QString& titulo, QWidget* pai);
    void FormShow() override;
    void btnOkClick() override;

private:
    void carregaDescricoes();
    // The question raised by a typed description, when one is waiting.
    void perguntaDescricao();

    QString tipo_;
    QMenuBar* menu_;
    QStringList descricoes_;
    QDate inicioPacto_;
    QDate fimPacto_;
    struct Digitada {
        int linha;
        QString texto;
    };
    std::optional<Digitada> pendente_;
};

} // namespace quintar
