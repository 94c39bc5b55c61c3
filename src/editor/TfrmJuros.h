#pragma once

#include "TfrmBaseDados.h"

#include <QDate>

#include <memory>

class QButtonGroup;

namespace Ui {
class TfrmJuros;
}

namespace quintar {

// "Apuração de Juros": the items interest runs on, from which date (the filing of the
// claim, not before the contract's start) to which, and by which method. Unlike the other
// single-row editors, a case without its row gets a new one that only OK saves.
class TfrmJuros : public TfrmBaseDados {
    Q_OBJECT

public:
    explicit TfrmJuros(Motor& motor, QWidget* pai = nullptr);
    ~TfrmJuros() override;

    Ui::TfrmJuros& ui() const { return *ui_; }
    QCheckBox *chkAvisoPrevio, *chkFerias, *chkFGTS, *chkAdicPeric, *chkMultas;

protected:
    void FormShow() override;
    void padroes(Registros& registro) override;

private:
    std::unique_ptr<Ui::TfrmJuros> ui_;
    QButtonGroup* metodo_;
    QDate inicioPacto_;
    QDate atualizacao_;
};

} // namespace quintar
