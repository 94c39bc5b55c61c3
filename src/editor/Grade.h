#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <QItemSelectionModel>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QVector>

namespace quintar {

class Registros;

// A visible column of a grid: the table column it shows, its heading, and how.
struct ColunaGrade {
    enum class Tipo {
        Automatico, // from the table's column: text, number, money, date
        Flag, // an S/N check box
        Mes, // a month 1 to 12, shown "00", edited with the month drop-down
        Hora, // a time HHMM, shown and typed as hours and minutes ("08:00")
        Acao, // no table column: a fixed text, underlined, that a double click or Enter acts on
    };
    QString campo{}; // Acao: the name the grid's acionada() gives
    QString titulo{};
    Tipo tipo = Tipo::Automatico;
    bool somenteLeitura = false;
    QColor cor{}; // the text's colour, when it has one of its own
    int largura = 0; // in characters; 0: from the heading
    int zeros = 0; // a number shown with leading zeros to this many digits ("00")
    QString texto{}; // Acao: what every row shows
};

// The rows of a Registros as a table for a grid: values shown as the window shows them
// ("#,##0.00", dd/mm/aaaa, months "00"), edited as typed, flags as check boxes. Cells of
// read-only columns have the button-face background unless they are selected.
class ModeloRegistros : public QAbstractTableModel {
    Q_OBJECT

public:
    ModeloRegistros(Registros& registros, QVector<ColunaGrade> colunas, QObject* pai = nullptr);

    Registros& registros() const { return registros_; }
    const ColunaGrade& colunaGrade(int coluna) const { return colunas_[coluna]; }
    // The grid column of a table column, or -1.
    int colunaDoCampo(const QString& campo) const;

    int rowCount(const QModelIndex& pai = {}) const override;
    int columnCount(const QModelIndex& pai = {}) const override;
    QVariant data(const QModelIndex& indice, int papel) const override;
    bool setData(const QModelIndex& indice, const QVariant& valor, int papel) override;
    QVariant headerData(int secao, Qt::Orientation orientacao, int papel) const override;
    Qt::ItemFlags flags(const QModelIndex& indice) const override;

    // The text of a value of the column as the grid shows it, and the value of a typed text.
    QString texto(int coluna, const QVariant& valorBanco) const;
    QString textoEdicao(int coluna, const QVariant& valorBanco) const;
    QVariant valorDigitado(int coluna, const QString& texto) const;

signals:
    // A change the rows refused (a posting that did not pass its checks): its message, the
    // table column that gets the cursor, and the row.
    void recusado(const QString& mensagem, const QString& campo, int linha);

private:
    int colunaTabela(int coluna) const { return indices_[coluna]; }
    QVariant dadoAcao(const ColunaGrade& g, int papel) const;

    Registros& registros_;
    QVector<ColunaGrade> colunas_;
    QVector<int> indices_;
};

// The grid's cell editors: digits for numbers, the money field, the month drop-down.
class DelegadoGrade : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;
    // A flag column's box is drawn in the middle of its cell, and the whole cell toggles it.
    void paint(QPainter* pintor, const QStyleOptionViewItem& opcao, const QModelIndex& indice) const override;
    bool editorEvent(QEvent* evento, QAbstractItemModel* modelo, const QStyleOptionViewItem& opcao,
        const QModelIndex& indice) override;
    QWidget* createEditor(QWidget* pai, const QStyleOptionViewItem& opcao, const QModelIndex& indice) const override;
    void setEditorData(QWidget* editor, const QModelIndex& indice) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* modelo, const QModelIndex& indice) const override;
};

// A grid on a ModeloRegistros that moves between rows as a dataset does: leaving a row posts
// its edit, and a refused posting keeps the row current (with what was typed) and puts the
// cursor on the column the refusal names. Down on the last row appends a row, Insert inserts
// one, Ctrl+Delete deletes the current one, Escape undoes the current row's edit.
class Grade : public QTableView {
    Q_OBJECT

public:
    explicit Grade(QWidget* pai = nullptr);
    void defineModelo(ModeloRegistros* modelo);
    ModeloRegistros* modelo() const { return modelo_; }

    // Ends the cell being edited, handing its text to the row.
    void confirmaCelula();
    // The cursor to the row's cell of the table column.
    void vaiParaCampo(int linha, const QString& campo);
    // A new row the user left untouched goes away, as leaving it does (moving to another
    // row, leaving the grid, OK); true when there was one.
    bool descartaNovaIntocada();
    // A refusal of the rows: once the current event is over, the cursor goes to the row's
    // cell of the column and recusado() is emitted.
    void recusa(const QString& mensagem, const QString& campo, int linha);

signals:
    // A posting refused when leaving a row; the cursor is already back on that row.
    void recusado(const QString& mensagem, const QString& campo);
    // A double click, Enter or the space bar on a cell of an Acao column.
    void acionada(const QString& campo);

protected:
    void keyPressEvent(QKeyEvent* evento) override;
    void focusOutEvent(QFocusEvent* evento) override;
    void mouseDoubleClickEvent(QMouseEvent* evento) override;

private:
    // The Acao column of the current cell, or empty.
    QString acaoAtual() const;

    ModeloRegistros* modelo_ = nullptr;
};

} // namespace quintar
