#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

#include <functional>

class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QWidget;

namespace quintar {

class CampoData;
class Erro;
class CampoMoney;
class CampoNumero;
class FonteDados;
struct Coluna;

// The fields of a window bound to the columns of a row (FonteDados): every field shows its
// column, and what the user types goes into the row, which enters editing at the first
// keystroke. The value of a text is written when the field is left; confirma() writes
// what is still being typed (a command calls it before it posts the row).
//
// A change of the row, by the user or by a command, is shown in the fields of that column.
class Vinculos : public QObject {
    Q_OBJECT

public:
    explicit Vinculos(FonteDados& fonte, QObject* pai = nullptr);

    void liga(QLineEdit* campo, const QString& coluna); // a text column; empty is NULL
    void liga(CampoNumero* campo, const QString& coluna); // a whole-number column, or a whole Decimal
    void liga(CampoMoney* campo, const QString& coluna); // a Money or Decimal column
    void liga(CampoData* campo, const QString& coluna); // a date column
    void liga(QCheckBox* campo, const QString& coluna); // an S/N flag: ticked is "S"
    // A drop-down list whose items carry the values stored (Qt::UserRole): the month list,
    // the code of an activity. A value no item carries shows no choice.
    void liga(QComboBox* campo, const QString& coluna);
    // One button per value; a value none of them stands for leaves all of them off.
    void liga(QButtonGroup* grupo, const QString& coluna, const QStringList& valores);

    // What the field's text setter does instead of storing the value (the value as stored,
    // or NULL); the field shows the row afterwards.
    void defineGravacao(const QString& coluna, std::function<void(const QVariant&)> grava);

    // What happens when the row refuses a typed value (a text setter's check): the message
    // and the field; the field keeps what was typed, and the command being started is
    // abandoned. Without it the refusal propagates.
    std::function<void(const Erro& erro, QWidget* campo)> aoRecusar;

    // Writes into the row what a field holds but has not written yet; false when a value
    // was refused.
    bool confirma();
    // Every field shows the row again.
    void mostra();
    // The field bound to the column (the first one), or null.
    QWidget* campo(const QString& coluna) const;
    FonteDados& fonte() const { return fonte_; }

private:
    struct Vinculo {
        QPointer<QWidget> campo;
        QString coluna;
        std::function<void()> mostra;
        std::function<bool()> confirma;
    };
    const Coluna& colunaDe(const QString& coluna) const;
    void acrescenta(
        QWidget* campo, const QString& coluna, std::function<void()> mostra, std::function<bool()> confirma);
    // Writes the value the user typed; false when the row refused it.
    bool grava(QWidget* campo, const QString& coluna, const QVariant& valor);
    void mostraColuna(const QString& coluna);

    FonteDados& fonte_;
    QVector<Vinculo> vinculos_;
    QHash<QString, std::function<void(const QVariant&)>> gravacoes_;
    QString gravando_; // the column a field is writing
};

} // namespace quintar
