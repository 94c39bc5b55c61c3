#include "Tdm13.h"

#include "CasoAberto.h"
#include "Motor.h"
#include "Rotinas.h"
#include "Valores.h"

#include <cmath>

namespace quintar {

int MesesProjetados(int dias)
{
    return static_cast<int>(std::nearbyint(dias / 30.0));
}

namespace {

// A month counts when at least its first 15 days are worked: a date after the 15th stands
// for the first day of the following month.
QDate ajustada(QDate d)
{
    const QDate primeiro(d.year(), d.month(), 1);
    return d.day() >= 16 ? primeiro.addMonths(1) : primeiro;
}

} // namespace

Tdm13::Tdm13(Motor& motor) : m_(motor) {}

void Tdm13::GeraAnos13Salario(qint64 processoId)
{
    if (m_.banco.escalar(QStringLiteral("SELECT COUNT(*) FROM TAB_13_SALARIO WHERE PROCESSO_ID = :id"), {{"id", processoId}}).toInt() > 0)
        return;
    const QDate inicio = m_.comuns.dataInicioPacto;
    const QDate fim = m_.comuns.dataFimPacto;
    const QDate inicioAjustado = ajustada(inicio);
    const QDate fimAjustado = ajustada(fim);

    int projecao = 0;
    QSqlQuery& q = m_.banco.executa(
        QStringLiteral("SELECT QUANTIDADE_DIAS, IND_REFLEXO_13_SALARIO FROM TAB_AVISO_PREVIO WHERE PROCESSO_ID = :id"),
        {{"id", processoId}});
    if (q.next() && q.value(1).toString() == u"S")
        projecao = MesesProjetados(q.value(0).toInt());
    q.finish();

    const auto insere = [&](int ano, bool calcula, int meses) {
        m_.banco.executa(QStringLiteral(
                             "INSERT INTO TAB_13_SALARIO (PROCESSO_ID, ANO, IND_CALCULA, SOBRE_SALARIO_FIXO, "
                             "SOBRE_SALARIO_VARIAVEL, SOBRE_HORA_EXTRA, SOBRE_NOTURNO, SOBRE_INSALUBRIDADE, "
                             "SOBRE_PERICULOSIDADE, SOBRE_RSR, SOBRE_DIFERENCA_SALARIAL, NUMERO_MESES) "
                             "VALUES (:id, :ano, :calcula, 'S', 'N', 'N', 'N', 'N', 'N', 'N', 'N', :meses)"),
                         {{"id", processoId}, {"ano", ano}, {"calcula", FlagSN(calcula)}, {"meses", meses}});
    };
    if (inicio.year() == fim.year()) {
        insere(inicio.year(), true, AnoMes(fimAjustado) - AnoMes(inicioAjustado) + projecao);
        return;
    }
    insere(inicio.year(), false, inicioAjustado.year() > inicio.year() ? 0 : 13 - inicioAjustado.month());
    for (int ano = inicio.year() + 1; ano < fim.year(); ++ano)
        insere(ano, false, 12);
    insere(fim.year(), true, (fimAjustado.year() > fim.year() ? 12 : fimAjustado.month() - 1) + projecao);
}

Money Tdm13::Calcula13Salario(const CasoAberto& caso)
{
    const qint64 id = caso.processoId();
    struct Ano {
        int ano, meses;
        QString fixo, variavel, horaExtra, noturno, insalubridade, periculosidade, rsr, diferenca;
    };
    QVector<Ano> anos;
    QSqlQuery& q = m_.banco.executa(
        QStringLiteral("SELECT ANO, NUMERO_MESES, SOBRE_SALARIO_FIXO, SOBRE_SALARIO_VARIAVEL, SOBRE_HORA_EXTRA, "
                       "SOBRE_NOTURNO, SOBRE_INSALUBRIDADE, SOBRE_PERICULOSIDADE, SOBRE_RSR, SOBRE_DIFERENCA_SALARIAL "
                       "FROM TAB_13_SALARIO WHERE PROCESSO_ID = :id AND IND_CALCULA = 'S'"),
        {{"id", id}});
    while (q.next())
        anos.append({q.value(0).toInt(), q.value(1).toInt(), q.value(2).toString(), q.value(3).toString(),
                     q.value(4).toString(), q.value(5).toString(), q.value(6).toString(), q.value(7).toString(),
                     q.value(8).toString(), q.value(9).toString()});
    q.finish();
    if (anos.isEmpty())
        return {};

    const QDate inicioPacto = caso.data(u"DATA_INICIO_PACTO");
    const QDate fimPacto = caso.data(u"DATA_FIM_PACTO");
    // The weekly-rest flags are read from the first row only: the editor writes the same
    // choices into every row.
    m_.rsr.AbreDadosRSR(caso.texto(u"CALCULA_RSR"), anos.first().rsr, id);
    const TdmRSR& rsr = m_.rsr;

    for (const Ano& a : anos) {
        const QDate dezembro(a.ano, 12, 1);
        const QDate r = fimPacto < dezembro ? fimPacto : dezembro;
        const QDate janeiro(a.ano, 1, 1);
        const QDate s = inicioPacto > janeiro ? inicioPacto : janeiro;
        const int mesReferencia = r.month();

        Money base = m_.comuns.ComposicaoSalarial(
            Composicao{.fixo = a.fixo == u"S", .sexto = rsr.IncideRSR(u"sobre_salario_fixo")}, r, id);
        if (a.diferenca == u"S")
            base += m_.comuns.ComposicaoSalarial(
                Composicao{.diferenca = true, .sexto = rsr.IncideRSR(u"sobre_diferenca_salarial")}, r, id);
        if (a.variavel == u"S")
            base += m_.media.MediaPeriodo(id, s, r, Media{.variavel = true, .sexto = rsr.IncideRSR(u"sobre_salario_variavel")});
        base += m_.horasExtras.ReflexoHorasExtras(caso.texto(u"CALCULA_HORAS_EXTRAS"), a.horaExtra, id, s, r,
                                                  rsr.IncideRSR(u"sobre_hora_extra"));
        base += m_.noturno.ReflexoNoturno(caso.texto(u"CALCULA_NOTURNO"), a.noturno, id, s, r,
                                          rsr.IncideRSR(u"sobre_noturno"));
        base += m_.insalubridade.ReflexoInsalubridade(caso.texto(u"CALCULA_INSALUBRIDADE"), a.insalubridade, id,
                                                      fimPacto, rsr.IncideRSR(u"sobre_insalubridade"), mesReferencia,
                                                      a.ano);
        base += m_.periculosidade.ReflexoPericulosidade(caso.texto(u"CALCULA_PERICULOSIDADE"), a.periculosidade, id,
                                                        fimPacto, rsr.IncideRSR(u"sobre_periculosidade"));

        const Money proporcional = base.mulDivHalfEven(a.meses, 12);
        const double fator = m_.comuns.IndiceCorrecao(mesReferencia, a.ano, id);
        const Money baseCorrigida = Money::fromRealArredonda(base.toReal() * fator);
        const Money devido = Money::fromRealArredonda(proporcional.toReal() * fator);
        m_.banco
            .sentenca(QStringLiteral("UPDATE TAB_13_SALARIO SET BASE_CALCULO = ?, VALOR_DEVIDO = ? "
                                     "WHERE PROCESSO_ID = ? AND ANO = ?"))
            .liga(0, baseCorrigida.raw())
            .liga(1, devido.raw())
            .liga(2, id)
            .liga(3, a.ano)
            .executa();
        m_.comuns.AtualizaColuna(a.ano, mesReferencia, QStringLiteral("DECIMO_TERCEIRO_SALARIO"), proporcional, id);
        m_.feedback.processaEventos();
    }
    return lerMoney(m_.banco.escalar(
        QStringLiteral("SELECT SUM(VALOR_DEVIDO) FROM TAB_13_SALARIO WHERE PROCESSO_ID = :id AND IND_CALCULA = 'S'"),
        {{"id", id}}));
}

Money Tdm13::ValorDevido13Salario(qint64 processoId)
{
    return lerMoney(m_.banco.escalar(QStringLiteral("SELECT SUM(VALOR_DEVIDO) FROM TAB_13_SALARIO WHERE PROCESSO_ID = :id"),
                                     {{"id", processoId}}));
}

} // namespace quintar
