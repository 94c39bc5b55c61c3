#pragma once

#include "Grade.h"
#include "TfrmOkCan.h"

#include <QVector>

class QVBoxLayout;

namespace quintar {

class Navegador;

// An editor of many rows per case in a grid. The changes live in the dialog until OK writes
// them all (a failed write reports the database's message and keeps the dialog open);
// Cancel discards them. Shown for a case that has no rows, it appends one to fill.
class TfrmGrades : public TfrmOkCan {
    Q_OBJECT

public:
    TfrmGrades(Motor& motor, const QString& tabela, QWidget* pai = nullptr);

    QWidget* panGrade() const { return panGrade_; }
    Navegador* nav1() const { return nav1_; }
    Grade* gri1() const { return gri1_; }
    ModeloRegistros* modelo() const { return modelo_; }
    // The layout below the grid, for a subclass's own controls.
    QVBoxLayout* layoutGrade() const { return layoutGrade_; }

    // Mark all / unmark all on an S/N column: the grid's pop-up menu with "&Marcar Todos"
    // (F9) and "&Desmarcar Todos" (F10), and their labels in the button panel.
    void habilitaMarcarTodos(const QString& coluna);
    // Walks every row from the first and sets the column from `de` to `para` where it holds
    // exactly `de`, posting each row; the grid does not repaint meanwhile.
    void MarcaTodos(const QString& coluna, const QString& de, const QString& para);

protected:
    // The visible columns, in order.
    void defineColunas(QVector<ColunaGrade> colunas);
    void FormShow() override;
    void btnOkClick() override;
    // Written after the grid's rows, in the same unit of work (the case-wide options).
    virtual void gravaDepois() { }
    QWidget* campoDoFoco(const QString& coluna) override;

private:
    QWidget* panGrade_;
    QVBoxLayout* layoutGrade_;
    Navegador* nav1_;
    Grade* gri1_;
    ModeloRegistros* modelo_ = nullptr;
};

} // namespace quintar
