#include "TdmFGTS.h"

#include "Motor.h"
#include "Rotinas.h"
#include "Valores.h"

namespace quintar {

TdmFGTS::TdmFGTS(Motor& motor) : m_(motor) {}

Money TdmFGTS::CalculaFGTS(QDate fimPacto, QDate inicioPacto, qint64 processoId)
{
    QSqlQuery& q = m_.banco.executa(
        QStringLiteral("SELECT ANO_INICIAL, MES_INICIAL, ANO_FINAL, MES_FINAL, IND_AVISO_PREVIO, IND_SALARIO, "
                       "IND_13_SALARIO, IND_HORA_EXTRA, IND_NOTURNO, IND_INSALUBRIDADE, IND_PERICULOSIDADE, IND_RSR, "
                       "IND_APURA_PERIODO, IND_APURA_VERBAS_RESCISOR, TIPO_PERCENTUAL, TIPO_MULTA "
                       "FROM TAB_FGTS WHERE PROCESSO_ID = :id"),
        {{"id", processoId}});
    if (!q.next()) {
        q.finish();
        return {};
    }
    const QDate primeiroMes(q.value(0).toInt(), q.value(1).toInt(), 1);
    const QDate ultimoMes(q.value(2).toInt(), q.value(3).toInt(), 1);
    const int periodoInicial = AnoMes(q.value(0).toInt(), q.value(1).toInt());
    const int periodoFinal = AnoMes(q.value(2).toInt(), q.value(3).toInt());
    bool f[8];
    for (int i = 0; i < 8; ++i)
        f[i] = ehSim(q.value(4 + i));
    const auto [avisoPrevio, salario, decimo, horaExtra, noturno, insalubridade, periculosidade, rsr] =
        std::tuple{f[0], f[1], f[2], f[3], f[4], f[5], f[6], f[7]};
    const bool apuraPeriodo = ehSim(q.value(12));
    const bool apuraVerbas = ehSim(q.value(13));
    // Rates in percent, so that every part is an exact fraction of the month's amounts.
    const int taxa = q.value(14).toInt() == 1 ? 2 : 8;
    const int tipoMulta = q.value(15).toInt();
    const int multa = tipoMulta == 0 ? 0 : tipoMulta == 1 ? 20 : 40;
    q.finish();

    if (tipoMulta != 0)
        m_.comuns.MontaPeriodo(processoId, QDate(inicioPacto.year(), inicioPacto.month(), 1),
                               QDate(fimPacto.year(), fimPacto.month(), 1));
    else if (apuraPeriodo)
        m_.comuns.MontaPeriodo(processoId, primeiroMes, ultimoMes);

    // A premium already paid (its month marked as reflex only) stays out of the base; an
    // empty marker counts as not "N".
    const auto naoReflexo = [](const LinhaDemonstrativo& l, DM::Coluna marcador) { return l.flag(marcador) == u"N"; };
    const int mesInicio = AnoMes(inicioPacto), diaInicio = inicioPacto.day();
    const int mesFim = AnoMes(fimPacto), diaFim = fimPacto.day();
    for (auto& [chave, l] : m_.comuns.Demonstrativo(processoId)) {
        Money itens, salarioMes, verbas, periodo, parteMulta;
        if (chave >= periodoInicial && chave <= periodoFinal) {
            // The fraction of a partial month is trinta / 30.
            int trinta = 30;
            const int dias = DiasDoMes(l.mes(), l.ano());
            if (chave == mesInicio && diaInicio < dias)
                trinta = dias - diaInicio;
            else if (chave == mesFim && diaFim < dias)
                trinta = diaFim;
            salarioMes = l.money(DM::SALARIO_FIXO) + l.money(DM::SALARIO_VARIAVEL);
            if (avisoPrevio)
                itens += l.money(DM::AVISO_PREVIO);
            if (salario)
                itens += l.money(DM::SALARIO);
            if (decimo)
                itens += l.money(DM::DECIMO_TERCEIRO_SALARIO);
            if (horaExtra && naoReflexo(l, DM::IND_APENAS_REFLEXO_HE))
                itens += l.money(DM::HORA_EXTRA);
            if (noturno && naoReflexo(l, DM::IND_APENAS_REFLEXO_AN))
                itens += l.money(DM::NOTURNO);
            if (insalubridade && naoReflexo(l, DM::IND_APENAS_REFLEXO_AI))
                itens += l.money(DM::INSALUBRIDADE);
            if (periculosidade && naoReflexo(l, DM::IND_APENAS_REFLEXO_AP))
                itens += l.money(DM::PERICULOSIDADE);
            if (rsr && naoReflexo(l, DM::IND_APENAS_REFLEXO_RSR))
                itens += l.money(DM::RSR);
            if (apuraVerbas)
                verbas = itens.mulDivHalfEven(taxa, 100);
            if (apuraPeriodo)
                periodo = salarioMes.mulDivHalfEven(taxa * trinta, 100 * 30);
            // The fine falls on the deposits due on both, whether or not they are claimed.
            parteMulta = (itens + salarioMes).mulDivHalfEven(taxa * trinta * multa, 100 * 30 * 100);
        }
        l.defineMoney(DM::FGTS, verbas + periodo + parteMulta);
        m_.feedback.processaEventos();
    }
    const Money total = m_.comuns.TotalCorrigido(processoId, DM::FGTS);
    m_.banco.executa(QStringLiteral("UPDATE TAB_FGTS SET VALOR_APURADO = :total WHERE PROCESSO_ID = :id"),
                     {{"total", bancoMoney(total)}, {"id", processoId}});
    return total;
}

Money TdmFGTS::ValorApuradoFGTS(qint64 processoId)
{
    return lerMoney(m_.banco.escalar(QStringLiteral("SELECT VALOR_APURADO FROM TAB_FGTS WHERE PROCESSO_ID = :id"),
                                     {{"id", processoId}}));
}

} // namespace quintar
