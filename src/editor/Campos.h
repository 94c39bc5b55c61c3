#pragma once

#include "Money.h"

#include <QDate>
#include <QLineEdit>
#include <QPointer>
#include <QValidator>

#include <functional>
#include <optional>

class QCalendarWidget;
class QComboBox;

namespace quintar {

// The text of a date as typed into "dd/mm/aaaa": a day and month that cannot exist together
// (31/02, 31/04, 30/02) are refused as they are typed, and so is 29/02 of a year that is not
// a leap year. Positions not typed yet hold any character but a digit.
class ValidadorData : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& texto, int& posicao) const override;
    // The date of a complete text; a year of two digits is read with the 1950 pivot
    // (50–99 → 1950–1999, 00–49 → 2000–2049). A null date when the text is blank or incomplete.
    static QDate data(const QString& texto);
};

// A calendar date picker: the date is typed as dd/mm/aaaa (two-digit years read with the
// 1950 pivot) or picked from a drop-down calendar (the button at its right, F4 or Alt+Down).
// It may be empty. A text left incomplete goes back to the last date.
class CampoData : public QLineEdit {
    Q_OBJECT

public:
    explicit CampoData(QWidget* pai = nullptr);

    QDate data() const { return data_; }
    // Shows the date (null: empty) without announcing it.
    void defineData(QDate data);
    // Opens the calendar (as the button does).
    void abreCalendario();
    QCalendarWidget* calendario() const { return calendario_; }

signals:
    // The user changed the date (typed and left the field, pressed Enter, or picked a day).
    void dataDigitada(QDate data);
    // The field lost the focus, or its calendar closed.
    void saiu();

protected:
    void focusOutEvent(QFocusEvent* evento) override;
    void keyPressEvent(QKeyEvent* evento) override;

public:
    // Takes what was typed (as leaving the field does).
    void confirma();

private:
    void mostraTexto();

    QDate data_;
    QPointer<QWidget> janelaCalendario_;
    QCalendarWidget* calendario_ = nullptr;
};

// A field whose typed text becomes its value when it is left or Enter is pressed: shown
// formatted while it is not edited, plainly while it is. A value the row refuses stays in
// the field, still to be taken.
class CampoValor : public QLineEdit {
public:
    explicit CampoValor(QWidget* pai = nullptr);

    // Takes what was typed (as leaving the field does); true unless that was refused.
    bool confirma();
    // The row refused the value just typed: it stays in the field, still to be written.
    void recusa();

protected:
    // Reads the typed text into the value and announces it.
    virtual void aceitaTexto() = 0;
    // Shows the value: plainly while the field has the focus, formatted otherwise.
    virtual void mostraTexto() = 0;
    // A value set from outside replaces whatever was being typed.
    void esqueceDigitado() { digitado_ = false; }
    void focusInEvent(QFocusEvent* evento) override;
    void focusOutEvent(QFocusEvent* evento) override;

private:
    bool digitado_ = false;
    bool recusado_ = false;
};

// A money amount: digits with a decimal comma (and thousands dots, which are ignored), an
// optional minus sign, up to four decimals; letters cannot be typed. Shown "#,##0.00",
// right-aligned, and as plain digits while it is being edited.
class CampoMoney : public CampoValor {
    Q_OBJECT

public:
    explicit CampoMoney(QWidget* pai = nullptr, int casas = 2);

    std::optional<Money> valor() const { return valor_; }
    void defineValor(std::optional<Money> valor);
    // The decimals shown when the field is not edited (a percentage "20,0").
    void defineCasas(int casas);
    // The amount of a typed text ("1.234,56", "-0,5", "1234"); nothing for an empty or
    // unreadable text.
    static std::optional<Money> leTexto(const QString& texto);

signals:
    // The user changed the amount and left the field (or pressed Enter).
    void valorDigitado(std::optional<Money> valor);

protected:
    void aceitaTexto() override;
    void mostraTexto() override;

private:
    std::optional<Money> valor_;
    int casas_;
};

// A whole number typed with digits only, at most maxLength() of them. When `largura` is
// set, the number is shown with leading zeros to that width while the field is not edited.
class CampoNumero : public CampoValor {
    Q_OBJECT

public:
    explicit CampoNumero(QWidget* pai = nullptr);

    void defineLargura(int largura) { largura_ = largura; }
    // Applied to what was typed when it is taken (the four-digit year of a year field).
    std::function<QString(const QString&)> completaAoSair;
    std::optional<qint64> numero() const { return numero_; }
    void defineNumero(std::optional<qint64> numero);

signals:
    void numeroDigitado(std::optional<qint64> numero);

protected:
    void aceitaTexto() override;
    void mostraTexto() override;

private:
    std::optional<qint64> numero_;
    int largura_ = 0;
};

// Only the digits 0 to 9 (and backspace) reach the field.
void ApenasDigitos(QLineEdit* campo);

// Each field, filled to its maximum length by typing, hands the focus to the next one of
// the list (the last one only receives it); `enquanto`, when given, must hold as well.
void EncadeiaCampos(const QVector<QWidget*>& ordem, std::function<bool()> enquanto = {});

// The month list "1" to "12" of a drop-down, each item carrying its number.
void PreencheMeses(QComboBox* lista);

// The tab order of a dialog, from the first widget of the list to the last.
void OrdemTabulacao(const QVector<QWidget*>& ordem);

} // namespace quintar
