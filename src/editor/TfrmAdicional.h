#pragma once

#include "TfrmOkCan.h"

#include <QDate>

class QComboBox;
class QPushButton;

namespace quintar {

class CampoNumero;

// What the insalubrity and periculosity dialogs share: the case's one row of the premium,
// created with its defaults (and saved) when the dialog opens; the period, "&Inicial" and
// "&Final", checked against the contract before the row is saved, with two-digit years
// completed on leaving their box and the focus moving on from a complete year; and
// "Reflexos sobre Aviso Prévio, 13º e Férias".
class TfrmAdicional : public TfrmOkCan {
    Q_OBJECT

public:
    // The opening's row, without showing the dialog.
    void PreparaPadrao(qint64 processoId);
    void btnReflexosClick();

protected:
    struct Periodo {
        QComboBox* mesInicial;
        CampoNumero* anoInicial;
        QComboBox* mesFinal;
        CampoNumero* anoFinal;
        QPushButton* reflexos;
    };
    // item: the reflexes dialog's name of the premium.
    TfrmAdicional(Motor& motor, const QString& tabela, const QString& item, QWidget* pai);
    void ligaPeriodo(const Periodo& periodo);

    // The core's row of a case without one.
    virtual void preparaRegistro(QDate inicioPacto, QDate fimPacto) = 0;
    // The field that has the focus when the dialog opens.
    virtual QWidget* primeiroCampo() const = 0;

    void FormShow() override;

    QDate inicioPacto_;
    QDate fimPacto_;

private:
    QString item_;
};

} // namespace quintar
