#pragma once

#include "TfrmBaseDados.h"

#include <memory>

class QButtonGroup;
class QComboBox;

namespace Ui {
class TfrmINSS;
}

namespace quintar {

class CampoMoney;

// "Apuração de INSS": the items social security is worked out on, the employee's share (by
// the contribution brackets or as self-employed 20 %, and whether the defendant pays it),
// and the employer's share with its three rates: the employer's, the work-accident risk and
// the other entities', each proposed from the activity chosen in its list. The employer's
// six controls are off while its share is not calculated, keeping what they hold.
class TfrmINSS : public TfrmBaseDados {
    Q_OBJECT

public:
    explicit TfrmINSS(Motor& motor, QWidget* pai = nullptr);
    ~TfrmINSS() override;

    Ui::TfrmINSS& ui() const { return *ui_; }

protected:
    void FormShow() override;
    void criaRegistro() override;
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    struct Atividade {
        QComboBox* lista;
        CampoMoney* percentual;
        QString codigo;
        QString coluna;
    };
    void habilita();
    // Leaving an activity list: its rate into the percentage (the employer's code also
    // preselects the risk line's activity).
    void saiDaLista(const Atividade& atividade);

    std::unique_ptr<Ui::TfrmINSS> ui_;
    QButtonGroup* recolhimento_;
    QVector<Atividade> atividades_;
};

} // namespace quintar
