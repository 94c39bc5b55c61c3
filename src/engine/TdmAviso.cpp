#include "TdmAviso.h"

#include "BancoDados.h"
#include "CasoAberto.h"
#include "Motor.h"
#include "Rotinas.h"
#include "Valores.h"

namespace quintar {

TdmAviso::TdmAviso(Motor& motor) : m_(motor)
{
}

Money TdmAviso::CalculaAviso(const CasoAberto& caso)
{
    const qint64 id = caso.processoId();
    int dias = 0;
    QString fixo, variavel, horaExtra, noturno, insalubridade, periculosidade, rsr, diferenca;
    QSqlQuery& q = m_.banco.executa(
        QStringLiteral(
            "SELECT QUANTIDADE_DIAS, SOBRE_SALARIO_FIXO, SOBRE_SALARIO_VARIAVEL, SOBRE_HORA_EXTRA, SOBRE_NOTURNO, "
            "SOBRE_INSALUBRIDADE, SOBRE_PERICULOSIDADE, SOBRE_RSR, SOBRE_DIFERENCA_SALARIAL "
            "FROM TAB_AVISO_PREVIO WHERE PROCESSO_ID = :id"),
        {{"id", id}});
    if (q.next()) {
        dias = q.value(0).toInt();
        fixo = q.value(1).toString();
        variavel = q.value(2).toString();
        horaExtra = q.value(3).toString();
        noturno = q.value(4).toString();
        insalubridade = q.value(5).toString();
        periculosidade = q.value(6).toString();
        rsr = q.value(7).toString();
        diferenca = q.value(8).toString();
    }
    q.finish();

    m_.rsr.AbreDadosRSR(caso.texto(u"CALCULA_RSR"), rsr, id);
    const TdmRSR& semana = m_.rsr;
    const QDate r = caso.data(u"DATA_FIM_PACTO");
    const QDate s = InicioPeriodoReflexo(caso.data(u"DATA_INICIO_PACTO"), r);

    Money base = m_.comuns.ComposicaoSalarial(
        Composicao{.fixo = fixo == u"S", .sexto = semana.IncideRSR(u"sobre_salario_fixo")}, r, id);
    if (diferenca == u"S")
        base += m_.comuns.ComposicaoSalarial(
            Composicao{.diferenca = true, .sexto = semana.IncideRSR(u"sobre_diferenca_salarial")}, r, id);
    if (variavel == u"S")
        base += m_.media.MediaPeriodo(
            id, s, r, Media{.variavel = true, .sexto = semana.IncideRSR(u"sobre_salario_variavel")});
    FigurasHorasExtras he;
    base += m_.horasExtras.ReflexoHorasExtras(
        caso.texto(u"CALCULA_HORAS_EXTRAS"), horaExtra, id, s, r, semana.IncideRSR(u"sobre_hora_extra"), &he);
    FigurasNoturno hn;
    base += m_.noturno.ReflexoNoturno(
        caso.texto(u"CALCULA_NOTURNO"), noturno, id, s, r, semana.IncideRSR(u"sobre_noturno"), &hn);
    base += m_.insalubridade.ReflexoInsalubridade(caso.texto(u"CALCULA_INSALUBRIDADE"), insalubridade, id, r,
        semana.IncideRSR(u"sobre_insalubridade"), r.month(), r.year());
    base += m_.periculosidade.ReflexoPericulosidade(
        caso.texto(u"CALCULA_PERICULOSIDADE"), periculosidade, id, r, semana.IncideRSR(u"sobre_periculosidade"));

    const Money valor = dias == 0 ? Money() : Money::fromReal(static_cast<long double>(dias) * base.toReal() / 30);
    m_.banco.executa(
        QStringLiteral(
            "UPDATE TAB_AVISO_PREVIO SET NUMERO_MEDIO_HE_DIURNAS = :numero_medio_he_diurnas, "
            "VALOR_HE_DIURNA = :valor_he_diurna, NUMERO_MEDIO_HE_NOTURNAS = :numero_medio_he_noturnas, "
            "VALOR_HE_NOTURNA = :valor_he_noturna, NUMERO_MEDIO_HN = :numero_medio_hn, VALOR_HN = :valor_hn, "
            "VALOR_DEVIDO = :valor_devido WHERE PROCESSO_ID = :id"),
        {{"numero_medio_he_diurnas", bancoDecimal(he.mediaDiurnas, 2)}, {"valor_he_diurna", bancoMoney(he.valorDiurna)},
            {"numero_medio_he_noturnas", bancoDecimal(he.mediaNoturnas, 2)},
            {"valor_he_noturna", bancoMoney(he.valorNoturna)}, {"numero_medio_hn", bancoDecimal(hn.mediaHoras, 2)},
            {"valor_hn", bancoMoney(hn.valorHora)}, {"valor_devido", bancoMoney(valor)}, {"id", id}});
    m_.comuns.AtualizaColuna(r.year(), r.month(), QStringLiteral("AVISO_PREVIO"), valor, id);
    const double fator = m_.comuns.IndiceCorrecao(r.month(), r.year(), id);
    return Money::fromReal(fator * valor.toReal());
}

Money TdmAviso::ValorDevidoAviso(qint64 processoId)
{
    return lerMoney(m_.banco.escalar(
        QStringLiteral("SELECT VALOR_DEVIDO FROM TAB_AVISO_PREVIO WHERE PROCESSO_ID = :id"), {{"id", processoId}}));
}

QString TdmAviso::AvisaProjecao(bool decimoTerceiro, bool ferias, int dias)
{
    if (!decimoTerceiro && !ferias)
        return {};
    QString meio;
    if (decimoTerceiro && ferias)
        meio = QStringLiteral("o 13º Salário e Férias,\ros períodos de 13º Salário e Férias serão gerados");
    else if (decimoTerceiro)
        meio = QStringLiteral("o 13º Salário,\ro período de 13º Salário será gerado");
    else
        meio = QStringLiteral("Férias,\ro período de Férias será gerado");
    return QStringLiteral("Devido a incidência do aviso prévio sobre ") + meio + QStringLiteral(" automaticamente\r")
        + QStringLiteral("(Adição ou Exclusão de %1 Mês(es) ).").arg(MesesProjetados(dias));
}

void TdmAviso::regenera(bool decimoTerceiro, bool ferias, QDate fimPacto, QDate inicioPacto, qint64 processoId)
{
    m_.comuns.defineContrato(inicioPacto, fimPacto);
    if (decimoTerceiro) {
        m_.comuns.ExcluiTabela(QStringLiteral("TAB_13_SALARIO"), processoId);
        m_.decimo.GeraAnos13Salario(processoId);
    }
    if (ferias) {
        m_.comuns.ExcluiTabela(QStringLiteral("TAB_FERIAS"), processoId);
        m_.ferias.GeraPeriodosFerias(fimPacto, inicioPacto, processoId);
    }
}

void TdmAviso::RetiraAviso(bool calcula13, bool calculaFerias, QDate fimPacto, QDate inicioPacto, qint64 processoId)
{
    int dias = 0;
    bool regenera13 = false, regeneraFerias = false;
    QSqlQuery& q = m_.banco.executa(QStringLiteral("SELECT QUANTIDADE_DIAS, IND_REFLEXO_13_SALARIO, IND_REFLEXO_FERIAS "
                                                   "FROM TAB_AVISO_PREVIO WHERE PROCESSO_ID = :id"),
        {{"id", processoId}});
    if (q.next()) {
        dias = q.value(0).toInt();
        regenera13 = calcula13 && q.value(1).toString() == u"S";
        regeneraFerias = calculaFerias && q.value(2).toString() == u"S";
    }
    q.finish();
    const QString mensagem = AvisaProjecao(regenera13, regeneraFerias, dias);
    if (!mensagem.isEmpty())
        m_.feedback.informa(mensagem);
    // The years and periods are never left deleted without their new rows.
    Transacao t(m_.banco);
    m_.comuns.ExcluiTabela(QStringLiteral("TAB_AVISO_PREVIO"), processoId);
    regenera(regenera13, regeneraFerias, fimPacto, inicioPacto, processoId);
    t.confirma();
}

TdmAviso::Projecao TdmAviso::LeProjecao(qint64 processoId)
{
    Projecao p;
    QSqlQuery& q = m_.banco.executa(QStringLiteral("SELECT QUANTIDADE_DIAS, IND_REFLEXO_13_SALARIO, IND_REFLEXO_FERIAS "
                                                   "FROM TAB_AVISO_PREVIO WHERE PROCESSO_ID = :id"),
        {{"id", processoId}});
    if (q.next()) {
        p.meses = MesesProjetados(q.value(0).toInt());
        p.reflexo13 = q.value(1).toString();
        p.reflexoFerias = q.value(2).toString();
    }
    q.finish();
    return p;
}

void TdmAviso::AplicaProjecao(
    const Projecao& antes, bool calcula13, bool calculaFerias, QDate fimPacto, QDate inicioPacto, qint64 processoId)
{
    if (!calcula13 && !calculaFerias)
        return;
    const Projecao agora = LeProjecao(processoId);
    if (agora.meses == antes.meses && agora.reflexo13 == antes.reflexo13 && agora.reflexoFerias == antes.reflexoFerias)
        return;
    const bool regenera13 = calcula13 && (agora.meses != antes.meses || agora.reflexo13 != antes.reflexo13);
    const bool regeneraFerias =
        calculaFerias && (agora.meses != antes.meses || agora.reflexoFerias != antes.reflexoFerias);
    const int dias =
        m_.banco
            .escalar(QStringLiteral("SELECT QUANTIDADE_DIAS FROM TAB_AVISO_PREVIO WHERE PROCESSO_ID = :id"),
                {{"id", processoId}})
            .toInt();
    const QString mensagem = AvisaProjecao(regenera13, regeneraFerias, dias);
    if (!mensagem.isEmpty())
        m_.feedback.informa(mensagem);
    Transacao t(m_.banco);
    regenera(regenera13, regeneraFerias, fimPacto, inicioPacto, processoId);
    t.confirma();
}

} // namespace quintar
