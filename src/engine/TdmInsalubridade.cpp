#include "TdmInsalubridade.h"

#include "Motor.h"
#include "Rotinas.h"
#include "Valores.h"

namespace quintar {

long double FatorMesAdicional(int ano, int mes, QDate inicioPacto, QDate fimPacto)
{
    const int dias = DiasDoMes(mes, ano);
    const bool mesInicial = AnoMes(ano, mes) == AnoMes(inicioPacto);
    const bool mesFinal = AnoMes(ano, mes) == AnoMes(fimPacto);
    const int s = inicioPacto.day();
    const int e = fimPacto.day();
    if (mesFinal && dias > e)
        return mesInicial && s > 1 ? static_cast<long double>(e - s) / 30 : static_cast<long double>(e) / 30;
    if (mesInicial && s > 1)
        return static_cast<long double>(dias - s) / 30;
    return 1;
}

Money LancaAdicional(Motor& motor, qint64 processoId, QDate primeiroMes, QDate ultimoMes, DM::Coluna coluna,
                     DM::Coluna marcador, const QString& reflexo, long double taxa,
                     const std::function<Money(const LinhaDemonstrativo&)>& base)
{
    TdmComuns& comuns = motor.comuns;
    comuns.MontaPeriodo(processoId, primeiroMes, ultimoMes);
    auto& linhas = comuns.Demonstrativo(processoId);
    for (auto it = linhas.lower_bound(AnoMes(primeiroMes)); it != linhas.end() && it->first <= AnoMes(ultimoMes); ++it) {
        LinhaDemonstrativo& l = it->second;
        const long double fator = FatorMesAdicional(l.ano(), l.mes(), comuns.dataInicioPacto, comuns.dataFimPacto);
        l.defineFlag(marcador, reflexo);
        l.defineMoney(coluna, Money::fromReal(base(l).toReal() * taxa * fator));
        motor.feedback.processaEventos();
    }
    return reflexo == u"N" ? comuns.TotalCorrigido(processoId, coluna) : Money();
}

TdmInsalubridade::TdmInsalubridade(Motor& motor) : m_(motor) {}

long double TdmInsalubridade::PercentualGrau(int grau)
{
    switch (grau) {
    case 1: return 0.10L;
    case 2: return 0.20L;
    case 4: return 0.40L;
    default: return 0; // an unknown degree gives zero amounts, without a message
    }
}

Money TdmInsalubridade::CalculaInsalubridade(qint64 processoId)
{
    QSqlQuery& q = m_.banco.executa(
        QStringLiteral("SELECT ANO_INICIAL, MES_INICIAL, ANO_FINAL, MES_FINAL, GRAU, BASE_CALCULO, IND_APENAS_REFLEXO "
                       "FROM TAB_INSALUBRIDADE WHERE PROCESSO_ID = :id"),
        {{"id", processoId}});
    if (!q.next()) {
        q.finish();
        return {};
    }
    const QDate inicial(q.value(0).toInt(), q.value(1).toInt(), 1);
    const QDate ultimo(q.value(2).toInt(), q.value(3).toInt(), 1);
    const long double taxa = PercentualGrau(q.value(4).toInt());
    const bool salarioMinimo = q.value(5).toString() == u"M";
    const QString reflexo = q.value(6).toString();
    q.finish();

    const Money total = LancaAdicional(m_, processoId, inicial, ultimo, DM::INSALUBRIDADE, DM::IND_APENAS_REFLEXO_AI,
                                       reflexo, taxa, [&](const LinhaDemonstrativo& l) {
                                           return salarioMinimo ? m_.comuns.SalarioMinimo(l.mes(), l.ano())
                                                                : l.money(DM::SALARIO_FIXO);
                                       });
    m_.banco.executa(QStringLiteral("UPDATE TAB_INSALUBRIDADE SET VALOR_APURADO = :total WHERE PROCESSO_ID = :id"),
                     {{"total", bancoMoney(total)}, {"id", processoId}});
    return total;
}

Money TdmInsalubridade::ValorApuradoInsalubridade(qint64 processoId)
{
    return lerMoney(m_.banco.escalar(QStringLiteral("SELECT VALOR_APURADO FROM TAB_INSALUBRIDADE WHERE PROCESSO_ID = :id"),
                                     {{"id", processoId}}));
}

long double TdmInsalubridade::DadosInsalubridade(qint64 processoId, bool* salarioMinimo)
{
    QSqlQuery& q = m_.banco.executa(QStringLiteral("SELECT GRAU, BASE_CALCULO FROM TAB_INSALUBRIDADE WHERE PROCESSO_ID = :id"),
                                    {{"id", processoId}});
    long double taxa = 0;
    *salarioMinimo = false;
    if (q.next()) {
        taxa = PercentualGrau(q.value(0).toInt());
        *salarioMinimo = q.value(1).toString() == u"M";
    }
    q.finish();
    return taxa;
}

Money TdmInsalubridade::ReflexoInsalubridade(const QString& calculaInsalubridade, const QString& sobreInsalubridade,
                                             qint64 processoId, QDate referencia, bool sexto, int mes, int ano)
{
    if (calculaInsalubridade != u"S" || sobreInsalubridade != u"S")
        return {};
    bool salarioMinimo = false;
    long double taxa = DadosInsalubridade(processoId, &salarioMinimo);
    if (sexto)
        taxa += taxa / 6;
    if (salarioMinimo)
        return Money::fromReal(m_.comuns.SalarioMinimo(mes, ano).toReal() * taxa);
    const Money fixo = m_.comuns.ComposicaoSalarial(Composicao{.fixo = true}, referencia, processoId);
    return Money::fromReal(fixo.toReal() * taxa);
}

} // namespace quintar
