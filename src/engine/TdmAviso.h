#pragma once

#include "Money.h"

#include <QDate>
#include <QString>

namespace quintar {

class Motor;
class CasoAberto;

// Notice period: days of the monthly remuneration (with the twelve-month averages) at the
// end of the contract, and its projection into the 13th salary and vacation.
class TdmAviso {
public:
    explicit TdmAviso(Motor& motor);

    // Stores VALOR_DEVIDO uncorrected and returns it corrected by the dismissal month's factor.
    Money CalculaAviso(const CasoAberto& caso);
    // The stored, uncorrected amount (0 without a row).
    Money ValorDevidoAviso(qint64 processoId);

    // The message that tells the user the 13th-salary years and/or vacation periods are being
    // generated again; empty when neither is. Line breaks are single carriage returns.
    static QString AvisaProjecao(bool decimoTerceiro, bool ferias, int dias);

    // The notice item is switched off: the notice row goes, and the 13th-salary years and
    // vacation periods it was projected into (for the items that are on) are generated
    // again without it; the projection message goes to the feedback.
    void RetiraAviso(bool calcula13, bool calculaFerias, QDate fimPacto, QDate inicioPacto, qint64 processoId);

    // What the notice editor remembers when it opens, to compare on OK.
    struct Projecao {
        int meses = 0;
        QString reflexo13;
        QString reflexoFerias;
    };
    Projecao LeProjecao(qint64 processoId);
    // The notice editor's OK: when the projected months or a reflection flag changed from
    // `antes`, the rows of the items that are on are generated again, after the message.
    void AplicaProjecao(const Projecao& antes, bool calcula13, bool calculaFerias, QDate fimPacto, QDate inicioPacto,
                        qint64 processoId);

private:
    void regenera(bool decimoTerceiro, bool ferias, QDate fimPacto, QDate inicioPacto, qint64 processoId);

    Motor& m_;
};

} // namespace quintar
