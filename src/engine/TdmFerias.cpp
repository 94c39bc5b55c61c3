#include "TdmFerias.h"

#include "CasoAberto.h"
#include "Motor.h"
#include "Rotinas.h"
#include "Tdm13.h"
#include "Valores.h"

namespace quintar {

namespace {

// A date after the 15th stands for the following month.
int mesContado(QDate d)
{
    return AnoMes(d) + (d.day() >= 16 ? 1 : 0);
}

} // namespace

TdmFerias::TdmFerias(Motor& motor) : m_(motor) {}

void TdmFerias::GeraPeriodosFerias(QDate fimPacto, QDate inicioPacto, qint64 processoId)
{
    if (m_.banco.escalar(QStringLiteral("SELECT COUNT(*) FROM TAB_FERIAS WHERE PROCESSO_ID = :id"), {{"id", processoId}}).toInt() > 0)
        return;
    int projecao = 0;
    QSqlQuery& q = m_.banco.executa(
        QStringLiteral("SELECT QUANTIDADE_DIAS, IND_REFLEXO_FERIAS FROM TAB_AVISO_PREVIO WHERE PROCESSO_ID = :id"),
        {{"id", processoId}});
    if (q.next() && q.value(1).toString() == u"S")
        projecao = MesesProjetados(q.value(0).toInt());
    q.finish();

    QDate p = inicioPacto;
    QDate fimPeriodo;
    do {
        fimPeriodo = p.addMonths(12).addDays(-1);
        if (fimPeriodo > fimPacto)
            fimPeriodo = fimPacto;
        int meses = mesContado(fimPeriodo) - mesContado(p);
        const bool ultimo = fimPeriodo == fimPacto;
        if (ultimo)
            meses += projecao;
        m_.banco.executa(QStringLiteral(
                             "INSERT INTO TAB_FERIAS (PROCESSO_ID, PERIODO_INICIAL, PERIODO_FINAL, IND_FERIAS, IND_TERCO, "
                             "IND_DOBRO, IND_REFERENCIA, SOBRE_SALARIO_FIXO, SOBRE_SALARIO_VARIAVEL, SOBRE_HORA_EXTRA, "
                             "SOBRE_NOTURNO, SOBRE_INSALUBRIDADE, SOBRE_PERICULOSIDADE, SOBRE_RSR, "
                             "SOBRE_DIFERENCA_SALARIAL, NUMERO_MESES) VALUES (:id, :inicial, :final, :ferias, :terco, "
                             "'N', 'U', 'S', 'N', 'N', 'N', 'N', 'N', 'N', 'N', :meses)"),
                         {{"id", processoId}, {"inicial", bancoData(p)}, {"final", bancoData(fimPeriodo)},
                          {"ferias", FlagSN(ultimo)}, {"terco", FlagSN(ultimo)}, {"meses", meses}});
        p = p.addMonths(12);
    } while (fimPeriodo < fimPacto);
}

Money TdmFerias::CalculaFerias(const CasoAberto& caso)
{
    const qint64 id = caso.processoId();
    struct Periodo {
        QDate inicial, final_;
        QString ferias, terco, dobro, referencia, fixo, variavel, horaExtra, noturno, insalubridade, periculosidade, rsr,
            diferenca;
        int meses;
    };
    QVector<Periodo> periodos;
    QSqlQuery& q = m_.banco.executa(
        QStringLiteral("SELECT PERIODO_INICIAL, PERIODO_FINAL, IND_FERIAS, IND_TERCO, IND_DOBRO, IND_REFERENCIA, "
                       "SOBRE_SALARIO_FIXO, SOBRE_SALARIO_VARIAVEL, SOBRE_HORA_EXTRA, SOBRE_NOTURNO, SOBRE_INSALUBRIDADE, "
                       "SOBRE_PERICULOSIDADE, SOBRE_RSR, SOBRE_DIFERENCA_SALARIAL, NUMERO_MESES FROM TAB_FERIAS "
                       "WHERE PROCESSO_ID = :id AND (IND_FERIAS = 'S' OR IND_TERCO = 'S')"),
        {{"id", id}});
    while (q.next()) {
        Periodo p;
        p.inicial = lerData(q.value(0));
        p.final_ = lerData(q.value(1));
        QString* textos[] = {&p.ferias, &p.terco, &p.dobro, &p.referencia, &p.fixo, &p.variavel, &p.horaExtra,
                             &p.noturno, &p.insalubridade, &p.periculosidade, &p.rsr, &p.diferenca};
        for (int i = 0; i < 12; ++i)
            *textos[i] = q.value(2 + i).toString();
        p.meses = q.value(14).toInt();
        periodos.append(p);
    }
    q.finish();
    if (periodos.isEmpty())
        return {};

    const QDate inicioPacto = caso.data(u"DATA_INICIO_PACTO");
    const QDate fimPacto = caso.data(u"DATA_FIM_PACTO");
    m_.rsr.AbreDadosRSR(caso.texto(u"CALCULA_RSR"), periodos.first().rsr, id);
    const TdmRSR& rsr = m_.rsr;
    const bool sextoFixo = rsr.IncideRSR(u"sobre_salario_fixo");
    const bool sextoDiferenca = rsr.IncideRSR(u"sobre_diferenca_salarial");
    const bool sextoVariavel = rsr.IncideRSR(u"sobre_salario_variavel");

    for (const Periodo& p : periodos) {
        const QDate mes(p.final_.year(), p.final_.month(), 1);
        m_.comuns.MontaPeriodo(id, mes, mes);

        QDate s, e;
        Money base;
        if (p.referencia != u"U") {
            // The average of the acquisition period, each salary part on its own.
            s = p.inicial;
            e = p.final_;
            if (FlagCampo(p.fixo) == u'S')
                base += m_.media.MediaPeriodo(id, s, e, Media{.fixo = true, .sexto = sextoFixo});
            if (FlagCampo(p.diferenca) == u'S')
                base += m_.media.MediaPeriodo(id, s, e, Media{.diferenca = true, .sexto = sextoDiferenca});
            if (FlagCampo(p.variavel) == u'S')
                base += m_.media.MediaPeriodo(id, s, e, Media{.variavel = true, .sexto = sextoVariavel});
        } else {
            // The last salary: the month of the dismissal.
            const QDate janeiro(fimPacto.year(), 1, 1);
            s = inicioPacto > janeiro ? inicioPacto : janeiro;
            e = fimPacto;
            if (FlagCampo(p.fixo) == u'S')
                base += m_.comuns.ComposicaoSalarial(Composicao{.fixo = true, .sexto = sextoFixo}, fimPacto, id);
            if (FlagCampo(p.diferenca) == u'S')
                base += m_.comuns.ComposicaoSalarial(Composicao{.diferenca = true, .sexto = sextoDiferenca}, fimPacto, id);
            if (FlagCampo(p.variavel) == u'S')
                base += m_.comuns.ComposicaoSalarial(Composicao{.variavel = true, .sexto = sextoVariavel}, fimPacto, id);
        }
        base += m_.horasExtras.ReflexoHorasExtras(caso.texto(u"CALCULA_HORAS_EXTRAS"), p.horaExtra, id, s, e,
                                                  rsr.IncideRSR(u"sobre_hora_extra"));
        base += m_.noturno.ReflexoNoturno(caso.texto(u"CALCULA_NOTURNO"), p.noturno, id, s, e,
                                          rsr.IncideRSR(u"sobre_noturno"));
        base += m_.insalubridade.ReflexoInsalubridade(caso.texto(u"CALCULA_INSALUBRIDADE"), p.insalubridade, id,
                                                      fimPacto, rsr.IncideRSR(u"sobre_insalubridade"),
                                                      p.final_.month(), p.final_.year());
        base += m_.periculosidade.ReflexoPericulosidade(caso.texto(u"CALCULA_PERICULOSIDADE"), p.periculosidade, id,
                                                        fimPacto, rsr.IncideRSR(u"sobre_periculosidade"));

        Money ferias = base.mulDivHalfEven(p.meses, 12);
        // A third of a whole number of ten-thousandths is never a tie, so the exact quotient
        // rounds like the product with the extended-precision 0.33333333333333333334.
        Money terco = ferias.divHalfEven(3);
        if (p.dobro == u"S") {
            ferias = ferias + ferias;
            terco = terco + terco;
        }
        const Money devido = (p.ferias == u"S" ? ferias : Money()) + (p.terco == u"S" ? terco : Money());
        // The last whole period and the proportional one end in the same month when the
        // contract ends in its anniversary month: each adds its amount. The run starts from an
        // empty statement, so nothing is counted twice.
        if (LinhaDemonstrativo* linha = m_.comuns.Linha(id, mes.year(), mes.month()))
            linha->somaMoney(DM::FERIAS, ferias);
        const double fator = m_.comuns.IndiceCorrecao(mes.month(), mes.year(), id);
        m_.banco
            .sentenca(QStringLiteral("UPDATE TAB_FERIAS SET BASE_CALCULO = ?, VALOR_DEVIDO = ? "
                                     "WHERE PROCESSO_ID = ? AND PERIODO_INICIAL = ?"))
            .liga(0, Money::fromRealHalfEven(base.toReal() * fator).raw())
            .liga(1, Money::fromRealHalfEven(devido.toReal() * fator).raw())
            .liga(2, id)
            .liga(3, bancoData(p.inicial))
            .executa();
        m_.feedback.processaEventos();
    }
    return lerMoney(m_.banco.escalar(
        QStringLiteral("SELECT SUM(VALOR_DEVIDO) FROM TAB_FERIAS WHERE PROCESSO_ID = :id AND (IND_FERIAS = 'S' OR IND_TERCO = 'S')"),
        {{"id", id}}));
}

Money TdmFerias::ValorDevidoFerias(qint64 processoId)
{
    return lerMoney(m_.banco.escalar(QStringLiteral("SELECT SUM(VALOR_DEVIDO) FROM TAB_FERIAS WHERE PROCESSO_ID = :id"),
                                     {{"id", processoId}}));
}

} // namespace quintar
