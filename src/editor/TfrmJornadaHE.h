#pragma once

#include "TfrmJornada.h"

#include <memory>

namespace Ui {
class TfrmJornadaHE;
}

namespace quintar {

// "Jornada de Trabalho - Horas Extras": the overtime schedule of the case (TAB_JT_EXTRA),
// with the daily or weekly count, "Acima da" and "Até a"; it hands the monthly day and night
// overtime back to the overtime editor.
class TfrmJornadaHE : public TfrmJornada {
    Q_OBJECT

public:
    explicit TfrmJornadaHE(Motor& motor, QWidget* pai = nullptr);
    ~TfrmJornadaHE() override;

    // The monthly day and night overtime in hours, two decimals; 0 until "&Apurar".
    long double MediaExtrasDiurnas() const;
    long double MediaExtrasNoturnas() const;
    Ui::TfrmJornadaHE& ui() const { return *ui_; }

protected:
    OpcoesJornada opcoes() const override;
    void mostraOpcoes(const OpcoesJornada& opcoes) override;
    void mostraResultado(const ResultadoJornada& resultado) override;
    void aplicaModelo(const ModeloJornada& modelo) override;

private:
    std::unique_ptr<Ui::TfrmJornadaHE> ui_;
};

} // namespace quintar
