#include "TdmPericulosidade.h"

#include "Motor.h"
#include "Rotinas.h"
#include "TdmInsalubridade.h"
#include "Valores.h"

namespace quintar {

TdmPericulosidade::TdmPericulosidade(Motor& motor) : m_(motor) {}

Money TdmPericulosidade::CalculaPericulosidade(qint64 processoId)
{
    QSqlQuery& q = m_.banco.executa(
        QStringLiteral("SELECT ANO_INICIAL, MES_INICIAL, ANO_FINAL, MES_FINAL, PERCENTUAL, IND_APENAS_REFLEXO "
                       "FROM TAB_PERICULOSIDADE WHERE PROCESSO_ID = :id"),
        {{"id", processoId}});
    if (!q.next()) {
        q.finish();
        return {};
    }
    // The item's period limits the premium, as for insalubrity, and every month of it gets
    // its statement row: no month is skipped because another item did not create it.
    const QDate inicial(q.value(0).toInt(), q.value(1).toInt(), 1);
    const QDate ultimo(q.value(2).toInt(), q.value(3).toInt(), 1);
    const Money percentual = lerMoney(q.value(4));
    const QString reflexo = q.value(5).toString();
    q.finish();

    const Money total = LancaAdicional(m_, processoId, inicial, ultimo, DM::PERICULOSIDADE, DM::IND_APENAS_REFLEXO_AP,
        reflexo, percentual, [](const LinhaDemonstrativo& l) { return l.money(DM::SALARIO_FIXO); });
    m_.banco.executa(QStringLiteral("UPDATE TAB_PERICULOSIDADE SET VALOR_APURADO = :total WHERE PROCESSO_ID = :id"),
                     {{"total", bancoMoney(total)}, {"id", processoId}});
    return total;
}

Money TdmPericulosidade::ValorApuradoPericulosidade(qint64 processoId)
{
    return lerMoney(m_.banco.escalar(QStringLiteral("SELECT VALOR_APURADO FROM TAB_PERICULOSIDADE WHERE PROCESSO_ID = :id"),
                                     {{"id", processoId}}));
}

Money TdmPericulosidade::ReflexoPericulosidade(const QString& calculaPericulosidade, const QString& sobrePericulosidade,
                                               qint64 processoId, QDate referencia, bool sexto)
{
    if (calculaPericulosidade != u"S" || sobrePericulosidade != u"S")
        return {};
    const Money percentual = lerMoney(m_.banco.escalar(
        QStringLiteral("SELECT PERCENTUAL FROM TAB_PERICULOSIDADE WHERE PROCESSO_ID = :id"), {{"id", processoId}}));
    const Money base = m_.comuns.ComposicaoSalarial(Composicao{.fixo = true, .sexto = sexto}, referencia, processoId);
    return base.percentHalfEven(percentual);
}

} // namespace quintar
