#include "TdmHorasExtras.h"

#include "Motor.h"
#include "Rotinas.h"
#include "Valores.h"

namespace quintar {

TdmHorasExtras::TdmHorasExtras(Motor& motor) : m_(motor) {}

Money TdmHorasExtras::CalculaHorasExtras(qint64 processoId)
{
    struct Linha {
        int anoInicial, mesInicial, anoFinal, mesFinal;
        QString apenasAdicional, apenasReflexo;
        Composicao partes;
        int divisor;
        Money percentual, acrescimoNoturno, mediaDiurno, mediaNoturno;
    };
    QVector<Linha> linhas;
    QSqlQuery& q = m_.banco.executa(
        QStringLiteral("SELECT ANO_INICIAL, MES_INICIAL, ANO_FINAL, MES_FINAL, IND_APENAS_ADICIONAL, IND_APENAS_REFLEXO, "
                       "IND_SALARIO_FIXO, IND_DIFERENCA_SALARIAL, IND_SALARIO_VARIAVEL, IND_DIVISOR_HORA, PERCENTUAL, "
                       "ACRESCIMO_NOTURNO, NUMERO_MEDIO_DIURNO, NUMERO_MEDIO_NOTURNO "
                       "FROM TAB_HORAS_EXTRAS WHERE PROCESSO_ID = :id"),
        {{"id", processoId}});
    while (q.next())
        linhas.append({q.value(0).toInt(), q.value(1).toInt(), q.value(2).toInt(), q.value(3).toInt(),
                       q.value(4).toString(), q.value(5).toString(),
                       Composicao{.fixo = ehSim(q.value(6)), .diferenca = ehSim(q.value(7)), .variavel = ehSim(q.value(8))},
                       q.value(9).toInt(), lerMoney(q.value(10)), lerMoney(q.value(11)), lerMoney(q.value(12)),
                       lerMoney(q.value(13))});
    q.finish();

    // The first line governs the whole item: whether only reflexes are claimed, and whether
    // the whole hour or only the premium is owed.
    const QString reflexo = linhas.isEmpty() ? QStringLiteral("N") : QString(FlagCampo(linhas.first().apenasReflexo));
    const long double horaCheia = (!linhas.isEmpty() && linhas.first().apenasAdicional == u"N") ? 1 : 0;

    for (const Linha& linha : linhas) {
        const long double divisor = linha.divisor == 0 ? 220 : linha.divisor;
        const long double percentual = linha.percentual.toReal() / 100;
        const long double noturno = linha.acrescimoNoturno.toReal() / 100;
        // The first month is processed even when the last one lies before it.
        QDate mes(linha.anoInicial, linha.mesInicial, 1);
        const int fim = AnoMes(linha.anoFinal, linha.mesFinal);
        do {
            const Money w = m_.comuns.ComposicaoSalarial(linha.partes, mes, processoId);
            const long double h = w.toReal() / divisor;
            const long double n = (noturno + horaCheia) * h;
            const long double vd = (percentual + horaCheia) * h;
            const long double vn = (percentual + horaCheia) * n;
            const Money diurno = Money::fromRealHalfEven(linha.mediaDiurno.toReal() * vd);
            const Money noturnoMes = Money::fromRealHalfEven(linha.mediaNoturno.toReal() * vn);

            LinhaDemonstrativo& l = m_.comuns.LinhaExistente(processoId, mes.year(), mes.month());
            l.somaMoney(DM::HORA_EXTRA, diurno + noturnoMes);
            l.defineDecimal(DM::NUMERO_MEDIO_HE_DIURNO, l.decimal(DM::NUMERO_MEDIO_HE_DIURNO) + linha.mediaDiurno);
            l.defineDecimal(DM::NUMERO_MEDIO_HE_NOTURNO, l.decimal(DM::NUMERO_MEDIO_HE_NOTURNO) + linha.mediaNoturno);
            // Another line over the same month takes the mean of the stored value and its own.
            const Money antesDiurno = l.money(DM::SALARIO_HE_DIURNO);
            l.defineMoney(DM::SALARIO_HE_DIURNO,
                Money::fromRealHalfEven(antesDiurno.isZero() ? vd : (antesDiurno.toReal() + vd) / 2));
            const Money antesNoturno = l.money(DM::SALARIO_HE_NOTURNO);
            l.defineMoney(DM::SALARIO_HE_NOTURNO,
                Money::fromRealHalfEven(antesNoturno.isZero() ? vn : (antesNoturno.toReal() + vn) / 2));
            l.defineFlag(DM::IND_APENAS_REFLEXO_HE, reflexo);
            m_.feedback.processaEventos();
            mes = mes.addMonths(1);
        } while (AnoMes(mes) <= fim);
        m_.feedback.processaEventos();
    }

    const Money total = reflexo == u"N" ? m_.comuns.TotalCorrigido(processoId, DM::HORA_EXTRA) : Money();
    m_.banco.executa(QStringLiteral("UPDATE TAB_HORAS_EXTRAS SET VALOR_APURADO = :total WHERE PROCESSO_ID = :id"),
                     {{"total", bancoMoney(total)}, {"id", processoId}});
    return total;
}

Money TdmHorasExtras::ValorApuradoHorasExtras(qint64 processoId)
{
    return lerMoney(m_.banco.escalar(QStringLiteral("SELECT VALOR_APURADO FROM TAB_HORAS_EXTRAS WHERE PROCESSO_ID = :id"),
                                     {{"id", processoId}}));
}

Money TdmHorasExtras::ReflexoHorasExtras(const QString& calculaHorasExtras, const QString& sobreHoraExtra,
                                          qint64 processoId, QDate inicio, QDate fim, bool sexto,
                                          FigurasHorasExtras* figuras)
{
    if (figuras)
        *figuras = {};
    if (calculaHorasExtras != u"S" || sobreHoraExtra != u"S")
        return {};
    Money resultado;
    const Money hd = m_.media.MediaPeriodo(processoId, inicio, fim, Media{.horasHEDiurno = true, .sexto = sexto});
    if (hd > Money()) {
        const Money vd = m_.media.MediaPeriodo(processoId, inicio, fim, Media{.valorHEDiurno = true});
        resultado += hd.mulHalfEven(vd);
        if (figuras) {
            figuras->mediaDiurnas = hd;
            figuras->valorDiurna = vd;
        }
    }
    const Money hn = m_.media.MediaPeriodo(processoId, inicio, fim, Media{.horasHENoturno = true, .sexto = sexto});
    if (hn > Money()) {
        const Money vn = m_.media.MediaPeriodo(processoId, inicio, fim, Media{.valorHENoturno = true});
        resultado += hn.mulHalfEven(vn);
        if (figuras) {
            figuras->mediaNoturnas = hn;
            figuras->valorNoturna = vn;
        }
    }
    return resultado;
}

} // namespace quintar
