#pragma once

// Support of the tests of the item editors: the main window's items, clicks as the clerk
// makes them, and typing into a grid's cells.

#include "test_editor_apoio.h"

#include <QString>
#include <QStringList>
#include <QVariant>

class QAbstractButton;
class QCheckBox;
class QComboBox;
class QModelIndex;
class QToolButton;

namespace quintar {
class Grade;
}

namespace quintar::teste {

// The item's check box and options button on the main window.
QCheckBox* CaixaItem(JanelaTeste& t, const char* flag);
QToolButton* OpcoesItem(JanelaTeste& t, const char* flag);
// A click on the box itself (the row stretches wider than the box and its caption), of a
// check box or a radio button.
void Clica(QAbstractButton* caixa);
// The field has the focus in its window (the window itself may not be active right after
// a message box on the offscreen platform).
bool TemFoco(QWidget* campo);
int Contagem(JanelaTeste& t, const QString& tabela);
// Every row of the case's rows of a table, each as "COLUNA=valor ..." of the columns named.
QStringList Linhas(JanelaTeste& t, const QString& tabela, const QStringList& colunas, const QString& ordem);
// Types into a cell of the grid as the clerk does: the cursor to it (as the arrow keys move
// it), F2, the text over what it holds (nothing: it is deleted), Enter.
void DigitaCelula(Grade* grade, int linha, const QString& campo, const QString& texto);
// A grid's cell by its table column, and what it shows.
QModelIndex Celula(Grade* grade, int linha, const QString& campo);
QString TextoCelula(Grade* grade, int linha, const QString& campo);
// A click in the middle of a cell (a box toggles); `duplo` adds the second click of a double
// click, as the mouse makes it.
void ClicaCelula(Grade* grade, int linha, const QString& campo, bool duplo = false);
// The table column of the grid's cursor.
QString CampoAtual(Grade* grade);
// Every row of a table, every column (TodasAsLinhas): to see that nothing was written.
QStringList Conteudo(JanelaTeste& t, const QString& tabela);
// Chooses the item carrying the value in a drop-down list with the keyboard, then leaves it
// with Tab.
void Escolhe(QComboBox* lista, const QVariant& valor);

// The dialog active again after a message box (its shortcuts work only then).
void Reativa(QWidget* dialogo);

} // namespace quintar::teste
