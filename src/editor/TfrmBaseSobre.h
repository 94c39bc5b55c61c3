#pragma once

#include "Tfrm1BaseNLinhas.h"

#include <QDate>

#include <memory>

namespace Ui {
class TfrmBaseSobre;
}

namespace quintar {

class CasoAberto;

// The grid editors of the 13th-salary years and the vacation periods: beside the grid, the
// pay each row is worked out on ("Base de Cálculo") and its reflexes ("Reflexo"), written
// into every row on OK. The rows are generated from the contract when the case has none;
// they cannot be added or removed.
class TfrmBaseSobre : public Tfrm1BaseNLinhas {
    Q_OBJECT

public:
    TfrmBaseSobre(Motor& motor, const QString& tabela, QWidget* pai = nullptr);
    ~TfrmBaseSobre() override;

    // Runs the editor for the case row: its contract, and the reflexes of the items it
    // calculates enabled; true when it was closed with OK.
    bool Executa(const CasoAberto& caso);
    Ui::TfrmBaseSobre& opcoes() const { return *ui_; }

protected:
    void FormShow() override;
    // The case's rows, for a case that has none.
    virtual void geraLinhas() = 0;
    // The layout of the panel of options, for one more group below the reflexes.
    void acrescentaOpcao(QWidget* grupo);

    QDate inicioPacto_;
    QDate fimPacto_;

private:
    std::unique_ptr<Ui::TfrmBaseSobre> ui_;
};

} // namespace quintar
