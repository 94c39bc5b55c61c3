#pragma once

// Working a dialog's grid as a clerk does: the cursor to a cell, F2, the text, Enter; a click
// on a box or a command cell; what a cell shows.

#include "Grade.h"
#include "Registros.h"
#include "test_editor_apoio.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace quintar::teste {

inline QModelIndex Celula(Grade* grade, int linha, const QString& campo)
{
    const int coluna = grade->modelo()->colunaDoCampo(campo);
    EXPECT_GE(coluna, 0) << campo.toStdString();
    return grade->model()->index(linha, coluna);
}

// What the cell shows.
inline QString TextoCelula(Grade* grade, int linha, const QString& campo)
{
    return Celula(grade, linha, campo).data(Qt::DisplayRole).toString();
}

// Types into a cell with its editor (a month is chosen from its list), and Enter.
inline void DigitaCelula(Grade* grade, int linha, const QString& campo, const QString& texto)
{
    grade->setFocus();
    grade->setCurrentIndex(Celula(grade, linha, campo)); // as the arrow keys move it
    QTest::keyClick(grade, Qt::Key_F2);
    QWidget* editor = grade->indexWidget(grade->currentIndex());
    ASSERT_NE(editor, nullptr) << campo.toStdString();
    if (auto* meses = qobject_cast<QComboBox*>(editor)) {
        meses->setCurrentIndex(meses->findText(texto));
    } else {
        static_cast<QLineEdit*>(editor)->selectAll();
        if (texto.isEmpty())
            QTest::keyClick(editor, Qt::Key_Delete);
        Tecla(editor, texto);
    }
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents(); // the editor hands its text over once the key is handled
}

// A click in the middle of a cell (a box toggles); `duplo` adds the second click of a
// double click, as the mouse makes it.
inline void ClicaCelula(Grade* grade, int linha, const QString& campo, bool duplo = false)
{
    const QPoint meio = grade->visualRect(Celula(grade, linha, campo)).center();
    QTest::mouseClick(grade->viewport(), Qt::LeftButton, {}, meio);
    if (duplo)
        QTest::mouseDClick(grade->viewport(), Qt::LeftButton, {}, meio);
}

// The table column of the grid's cursor.
inline QString CampoAtual(Grade* grade)
{
    return grade->modelo()->colunaGrade(grade->currentIndex().column()).campo;
}

// The field that has the focus in its window (the window itself may not be active right
// after a message box on the offscreen platform).
inline bool TemFoco(QWidget* campo)
{
    return campo->window()->focusWidget() == campo;
}

} // namespace quintar::teste
