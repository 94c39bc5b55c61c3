#include "TdmNoturno.h"

#include "Motor.h"
#include "Rotinas.h"
#include "Valores.h"

namespace quintar {

TdmNoturno::TdmNoturno(Motor& motor) : m_(motor) {}

Money TdmNoturno::CalculaNoturno(qint64 processoId)
{
    struct Linha {
        int anoInicial, mesInicial, anoFinal, mesFinal;
        QString apenasReflexo;
        Composicao partes;
        int divisor;
        Money acrescimo, media;
    };
    QVector<Linha> linhas;
    QSqlQuery& q = m_.banco.executa(
        QStringLiteral("SELECT ANO_INICIAL, MES_INICIAL, ANO_FINAL, MES_FINAL, IND_APENAS_REFLEXO, IND_SALARIO_FIXO, "
                       "IND_DIFERENCA_SALARIAL, IND_SALARIO_VARIAVEL, IND_DIVISOR_HORA, ACRESCIMO_NOTURNO, NUMERO_MEDIO "
                       "FROM TAB_NOTURNO WHERE PROCESSO_ID = :id"),
        {{"id", processoId}});
    while (q.next())
        linhas.append({q.value(0).toInt(), q.value(1).toInt(), q.value(2).toInt(), q.value(3).toInt(), q.value(4).toString(),
                       Composicao{.fixo = ehSim(q.value(5)), .diferenca = ehSim(q.value(6)), .variavel = ehSim(q.value(7))},
                       q.value(8).toInt(), lerMoney(q.value(9)), lerMoney(q.value(10))});
    q.finish();

    const bool reflexo = !linhas.isEmpty() && linhas.first().apenasReflexo == u"S";
    for (const Linha& linha : linhas) {
        const long double divisor = linha.divisor == 0 ? 220 : linha.divisor;
        const QDate ultimo(linha.anoFinal, linha.mesFinal, 1);
        QDate mes(linha.anoInicial, linha.mesInicial, 1);
        do {
            const Money w = m_.comuns.ComposicaoSalarial(linha.partes, mes, processoId);
            const long double p = linha.acrescimo.toReal() / 100 * w.toReal() / divisor;
            const Money valorMes = Money::fromRealHalfEven(linha.media.toReal() * p);
            LinhaDemonstrativo& l = m_.comuns.LinhaExistente(processoId, mes.year(), mes.month());
            l.somaMoney(DM::NOTURNO, valorMes);
            const Money antes = l.money(DM::SALARIO_HORA_NOTURNO);
            l.defineMoney(
                DM::SALARIO_HORA_NOTURNO, Money::fromRealHalfEven(antes.isZero() ? p : (antes.toReal() + p) / 2));
            l.defineDecimal(DM::NUMERO_MEDIO_HN, l.decimal(DM::NUMERO_MEDIO_HN) + linha.media);
            l.defineFlag(DM::IND_APENAS_REFLEXO_AN, linha.apenasReflexo);
            m_.feedback.processaEventos();
            mes = mes.addMonths(1);
        } while (mes <= ultimo);
        m_.feedback.processaEventos();
    }

    const Money total = !reflexo ? m_.comuns.TotalCorrigido(processoId, DM::NOTURNO) : Money();
    m_.banco.executa(QStringLiteral("UPDATE TAB_NOTURNO SET VALOR_APURADO = :total WHERE PROCESSO_ID = :id"),
                     {{"total", bancoMoney(total)}, {"id", processoId}});
    return total;
}

Money TdmNoturno::ValorApuradoNoturno(qint64 processoId)
{
    return lerMoney(m_.banco.escalar(QStringLiteral("SELECT VALOR_APURADO FROM TAB_NOTURNO WHERE PROCESSO_ID = :id"),
                                     {{"id", processoId}}));
}

Money TdmNoturno::ReflexoNoturno(const QString& calculaNoturno, const QString& sobreNoturno, qint64 processoId,
                                 QDate inicio, QDate fim, bool sexto, FigurasNoturno* figuras)
{
    if (figuras)
        *figuras = {};
    if (calculaNoturno != u"S" || sobreNoturno != u"S")
        return {};
    const Money hn = m_.media.MediaPeriodo(processoId, inicio, fim, Media{.horasHN = true, .sexto = sexto});
    if (!(hn > Money()))
        return {};
    const Money vh = m_.media.MediaPeriodo(processoId, inicio, fim, Media{.valorHN = true});
    if (figuras)
        *figuras = {hn, vh};
    return hn.mulHalfEven(vh);
}

} // namespace quintar
