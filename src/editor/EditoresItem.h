#pragma once

#include <QStringView>

#include <functional>

class QWidget;

namespace quintar {

class CasoAberto;
class Motor;

// What the main window runs for a calculation item: its editor dialog, and, for the items
// edited as a list of lines, whether the case has none.
struct EditorItem {
    // Runs the item's editor for the open case; true when it closed with OK.
    std::function<bool(QWidget* pai, Motor& motor, CasoAberto& caso)> executa;
    // Overtime, night premium, other credits and other debits: whether the case has no line.
    std::function<bool(Motor& motor, qint64 processoId)> listaVazia;
};

// The editor of the item of that CALCULA_ flag. An item whose dialog is not part of the
// program yet gets its default rows, as a calculation would prepare them, and counts as OK.
EditorItem EditorDoItem(QStringView flag);

} // namespace quintar
