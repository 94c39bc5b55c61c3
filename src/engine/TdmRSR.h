#pragma once

#include "Money.h"

#include <QDate>
#include <QString>
#include <QVariant>
#include <QVector>

namespace quintar {

class Motor;

// Paid weekly rest: the item itself (one sixth of the chosen statement columns) and the
// service that tells the other items, column by column, whether to add one sixth.
class TdmRSR {
public:
    explicit TdmRSR(Motor& motor);

    // Closes the case's TAB_RSR row, then opens it again only when both flags are "S".
    void AbreDadosRSR(const QString& calculaRSR, const QString& sobreRSR, qint64 processoId);
    // Whether the open row holds "S" in that column ("sobre_hora_extra", ...); false when no
    // row is open or the column is empty.
    bool IncideRSR(QStringView coluna) const;

    Money CalculaRSR(qint64 processoId, QDate inicio, QDate fim);
    Money ValorDevidoRSR(qint64 processoId);

private:
    bool abreLinha(qint64 processoId);

    Motor& m_;
    bool aberto_ = false;
    QVector<QVariant> linha_;
};

} // namespace quintar
