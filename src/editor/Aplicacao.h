#pragma once

class QApplication;

namespace quintar {

// The application as the program shows itself: its name in the message boxes' captions,
// its icon, the Brazilian locale, and Qt's own buttons and questions in Portuguese ("Sim",
// "Não", "Cancelar").
void PreparaAplicacao(QApplication& aplicacao);

} // namespace quintar
