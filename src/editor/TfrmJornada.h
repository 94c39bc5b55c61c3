#pragma once

#include "ApuraJornada.h"
#include "TfrmGrades.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace quintar {

// What the two schedule dialogs share: the grid of a week's shifts (entry, exit and break as
// hours and minutes, the weekdays each is worked on), the night window with the reduced
// hour, "&Apurar" with "Copiar Resultado", the ready-made weeks of "Modelos p/Semana", and
// the table of results. The rows stay in the dialog until OK writes them, with the
// case-wide settings in every row; the figures handed back are the ones shown, so a shift or
// a setting changed after "&Apurar" hands back nothing until it is pressed again.
class TfrmJornada : public TfrmGrades {
    Q_OBJECT

public:
    // Whether "Copiar Resultado" was ticked when the dialog closed.
    bool CopiarResultado() const;
    const ResultadoJornada& resultado() const { return resultado_; }

protected:
    // The controls of the subclass's form that the shared behaviour works on.
    struct Controles {
        QLineEdit* entradaNoturno;
        QLineEdit* saidaNoturno;
        QCheckBox* reducaoHora;
        QPushButton* modelo;
        QPushButton* apurar;
        QCheckBox* copiarResultado;
        QTableWidget* resultado;
    };
    TfrmJornada(Motor& motor, const QString& tabela, QWidget* pai);
    // Lays the form's panel below the grid and connects its controls; `linhas` are the rows
    // of the results table.
    void montaJornada(QWidget* painel, const Controles& controles, const QStringList& linhas);

    // The settings as the boxes hold them, and the boxes from the settings.
    virtual OpcoesJornada opcoes() const;
    virtual void mostraOpcoes(const OpcoesJornada& opcoes);
    // The results table's rows of a result.
    virtual void mostraResultado(const ResultadoJornada& resultado) = 0;
    // What a model sets besides the shifts.
    virtual void aplicaModelo(const ModeloJornada&) { }
    // Before the settings are read from the first row (the night dialog copies shifts here).
    virtual void preparaLinhas() { }

    // One row of the results table: the weekdays, the week and the month.
    void mostraLinha(int linha, const MinutosSemana& minutos, int mes);
    // The results shown and kept are gone.
    void limpaResultado();
    // A settings box changed by the user.
    void opcaoAlterada() { limpaResultado(); }

    void FormShow() override;
    void btnOkClick() override;
    QWidget* campoDoFoco(const QString& coluna) override;

    // "&Apurar": the week averaged and shown, "Copiar Resultado" ticked.
    void btnApurarClick();
    void ApuraJornada();
    // "Modelos p/Semana".
    void btnModeloClick();

private:
    Controles c_{};
    ResultadoJornada resultado_;
};

} // namespace quintar
