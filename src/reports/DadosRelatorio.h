#pragma once

#include <QSqlRecord>
#include <QString>
#include <QVariant>
#include <QVector>

namespace quintar {

class BancoDados;

// What the calculation reports are filled from: the case row (que1) and the case's
// monthly-statement rows in year-month order (QueDemoMensal), read once as posted.
struct DadosRelatorio {
    QSqlRecord que1;
    QVector<QSqlRecord> QueDemoMensal;

    QVariant processo(const char* coluna) const { return que1.value(QLatin1String(coluna)); }
};

// Reads the case of the working tables. Throws Erro when the case is not there.
DadosRelatorio LeDadosRelatorio(BancoDados& banco, qint64 processoId);

// The case number with its check digit, "00123.2008.001.03.00.5" (Chave).
QString Chave(const QSqlRecord& processo);
// The same without the check digit, "00123.2008.001.03.00": the name proposed for exports.
QString ChaveArquivo(const QSqlRecord& processo);

} // namespace quintar
