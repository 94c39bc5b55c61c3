#pragma once

#include "TfrmJornada.h"

#include <memory>

namespace Ui {
class TfrmJornadaHEN;
}

namespace quintar {

// "Jornada de Trabalho Noturna": the night schedule of the case (TAB_JT_NOTURNO), which
// starts from the overtime shifts while it has none of its own; it hands the monthly night
// hours back to the night-premium editor.
class TfrmJornadaHEN : public TfrmJornada {
    Q_OBJECT

public:
    explicit TfrmJornadaHEN(Motor& motor, QWidget* pai = nullptr);
    ~TfrmJornadaHEN() override;

    // The monthly night hours, two decimals; 0 until "&Apurar".
    long double MediaHorasNoturnas() const;
    Ui::TfrmJornadaHEN& ui() const { return *ui_; }

protected:
    void mostraResultado(const ResultadoJornada& resultado) override;
    void preparaLinhas() override;

private:
    std::unique_ptr<Ui::TfrmJornadaHEN> ui_;
};

} // namespace quintar
