#include "TdmOutros.h"

#include "Motor.h"
#include "Valores.h"

namespace quintar {

TdmOutros::TdmOutros(Motor& motor) : m_(motor) {}

Money TdmOutros::CalculaCreditos(qint64 processoId)
{
    return calcula(processoId, true);
}

Money TdmOutros::CalculaDebitos(qint64 processoId)
{
    return calcula(processoId, false);
}

Money TdmOutros::calcula(qint64 processoId, bool credito)
{
    const QString tabela = credito ? QStringLiteral("TAB_OUTROS_CREDITO") : QStringLiteral("TAB_OUTROS_DEBITO");
    const QString saida = credito ? QStringLiteral("VALOR_DEVIDO") : QStringLiteral("VALOR_DESCONTADO");
    const DM::Coluna coluna = credito ? DM::OUTROS_CREDITO : DM::OUTROS_DEBITO;
    struct Lancamento {
        QString descricao;
        int ano, mes;
        Money valor;
    };
    QVector<Lancamento> lancamentos;
    QSqlQuery& q = m_.banco.executa(
        QStringLiteral("SELECT DESCRICAO, ANO, MES, VALOR FROM %1 WHERE PROCESSO_ID = :id").arg(tabela), {{"id", processoId}});
    while (q.next())
        lancamentos.append({q.value(0).toString(), q.value(1).toInt(), q.value(2).toInt(), lerMoney(q.value(3))});
    q.finish();

    const QString atualizacao =
        QStringLiteral("UPDATE %1 SET %2 = ? WHERE PROCESSO_ID = ? AND DESCRICAO = ? AND ANO = ? AND MES = ?")
            .arg(tabela, saida);
    for (const Lancamento& l : lancamentos) {
        // A month outside the contract gets its statement row so that its factor can be read.
        m_.comuns.MontaMes(QDate(l.ano, l.mes, 1), processoId);
        const double fator = m_.comuns.IndiceCorrecao(l.mes, l.ano, processoId);
        m_.banco.sentenca(atualizacao)
            .liga(0, Money::fromRealHalfEven(l.valor.toReal() * fator).raw())
            .liga(1, processoId)
            .liga(2, QStringView(l.descricao))
            .liga(3, l.ano)
            .liga(4, l.mes)
            .executa();
        m_.comuns.LinhaExistente(processoId, l.ano, l.mes).somaMoney(coluna, l.valor);
        m_.feedback.processaEventos();
    }
    return lerMoney(m_.banco.escalar(QStringLiteral("SELECT SUM(%1) FROM %2 WHERE PROCESSO_ID = :id").arg(saida, tabela),
                                     {{"id", processoId}}));
}

} // namespace quintar
