#pragma once

#include <QObject>
#include <QString>
#include <QStringView>
#include <QVariant>

namespace quintar {

struct Tabela;

// A row whose columns the window's fields show and edit: the open case, or the current row
// of a dialog's table. Values are as the database holds them (see Valores.h). Asking for a
// column the table does not have throws Erro.
class FonteDados : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    virtual const Tabela& tabela() const = 0;
    virtual QVariant valor(QStringView coluna) const = 0;
    // Puts the row into editing when it is not.
    virtual void Edita() = 0;
    // Puts the row into editing when it is not, then sets the column.
    virtual void define(QStringView coluna, const QVariant& valorBanco) = 0;
    // The row is being edited or inserted.
    virtual bool emEdicao() const = 0;
    // Whether there is a row to show at all.
    virtual bool temRegistro() const = 0;

signals:
    // One column of the row changed (by the user or by a command).
    void valorAlterado(const QString& coluna);
    // The whole row may have changed: another row, a row read again, an edit undone.
    void registroAlterado();
    // The row went into editing or out of it.
    void estadoAlterado();
};

} // namespace quintar
