#include "TdmInsalubridade.h"

#include "Motor.h"
#include "Rotinas.h"
#include "Valores.h"

namespace quintar {

int DiasMesAdicional(int ano, int mes, QDate inicioPacto, QDate fimPacto)
{
    const int dias = DiasDoMes(mes, ano);
    const bool mesInicial = AnoMes(ano, mes) == AnoMes(inicioPacto);
    const bool mesFinal = AnoMes(ano, mes) == AnoMes(fimPacto);
    const int s = inicioPacto.day();
    const int e = fimPacto.day();
    if (mesFinal && dias > e)
        return mesInicial && s > 1 ? e - s : e;
    if (mesInicial && s > 1)
        return dias - s;
    return 30;
}

Money LancaAdicional(Motor& motor, qint64 processoId, QDate primeiroMes, QDate ultimoMes, DM::Coluna coluna,
    DM::Coluna marcador, const QString& reflexo, Money percentual,
    const std::function<Money(const LinhaDemonstrativo&)>& base)
{
    TdmComuns& comuns = motor.comuns;
    comuns.MontaPeriodo(processoId, primeiroMes, ultimoMes);
    auto& linhas = comuns.Demonstrativo(processoId);
    const int mesInicial = AnoMes(comuns.dataInicioPacto), mesFinal = AnoMes(comuns.dataFimPacto);
    for (auto it = linhas.lower_bound(AnoMes(primeiroMes)); it != linhas.end() && it->first <= AnoMes(ultimoMes); ++it) {
        LinhaDemonstrativo& l = it->second;
        // Only the first and the last month of the contract can be partial.
        const int dias = it->first == mesInicial || it->first == mesFinal
            ? DiasMesAdicional(l.ano(), l.mes(), comuns.dataInicioPacto, comuns.dataFimPacto)
            : 30;
        l.defineFlag(marcador, reflexo);
        // base × percentual / 100 × dias / 30, in ten-thousandths of the percentage.
        l.defineMoney(coluna, base(l).mulDivHalfEven(percentual.raw() * dias, 100 * Money::Escala * 30));
        motor.feedback.processaEventos();
    }
    return reflexo == u"N" ? comuns.TotalCorrigido(processoId, coluna) : Money();
}

TdmInsalubridade::TdmInsalubridade(Motor& motor) : m_(motor) {}

Money TdmInsalubridade::PercentualGrau(int grau)
{
    switch (grau) {
    case 1:
        return Money::fromUnits(10);
    case 2:
        return Money::fromUnits(20);
    case 4:
        return Money::fromUnits(40);
    default:
        return {}; // an unknown degree gives zero amounts, without a message
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
    const Money percentual = PercentualGrau(q.value(4).toInt());
    const bool salarioMinimo = q.value(5).toString() == u"M";
    const QString reflexo = q.value(6).toString();
    q.finish();

    // The minimum wages of the period, read at once; a month without one stops the run with
    // SalarioMinimo's message.
    std::map<int, Money> minimos;
    if (salarioMinimo) {
        Sentenca& s = m_.banco.sentenca(
            QStringLiteral("SELECT Ano, Mes, SalMin FROM VALORES WHERE Ano * 12 + Mes BETWEEN ? AND ?"));
        s.liga(0, AnoMes(inicial)).liga(1, AnoMes(ultimo));
        while (s.proxima())
            minimos.emplace(AnoMes(int(s.inteiro(0)), int(s.inteiro(1))), Money::fromRealHalfEven(s.real(2)));
    }
    const Money total = LancaAdicional(m_, processoId, inicial, ultimo, DM::INSALUBRIDADE, DM::IND_APENAS_REFLEXO_AI,
        reflexo, percentual, [&](const LinhaDemonstrativo& l) {
            if (!salarioMinimo)
                return l.money(DM::SALARIO_FIXO);
            const auto m = minimos.find(AnoMes(l.ano(), l.mes()));
            return m != minimos.end() && !m->second.isZero() ? m->second : m_.comuns.SalarioMinimo(l.mes(), l.ano());
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

Money TdmInsalubridade::DadosInsalubridade(qint64 processoId, bool* salarioMinimo)
{
    QSqlQuery& q = m_.banco.executa(QStringLiteral("SELECT GRAU, BASE_CALCULO FROM TAB_INSALUBRIDADE WHERE PROCESSO_ID = :id"),
                                    {{"id", processoId}});
    Money percentual;
    *salarioMinimo = false;
    if (q.next()) {
        percentual = PercentualGrau(q.value(0).toInt());
        *salarioMinimo = q.value(1).toString() == u"M";
    }
    q.finish();
    return percentual;
}

Money TdmInsalubridade::ReflexoInsalubridade(const QString& calculaInsalubridade, const QString& sobreInsalubridade,
                                             qint64 processoId, QDate referencia, bool sexto, int mes, int ano)
{
    if (calculaInsalubridade != u"S" || sobreInsalubridade != u"S")
        return {};
    bool salarioMinimo = false;
    const Money percentual = DadosInsalubridade(processoId, &salarioMinimo);
    const Money base = salarioMinimo ? m_.comuns.SalarioMinimo(mes, ano)
                                     : m_.comuns.ComposicaoSalarial(Composicao{.fixo = true}, referencia, processoId);
    // The rate plus one sixth of it is the rate × 7 / 6.
    return sexto ? base.mulDivHalfEven(percentual.raw() * 7, 100 * Money::Escala * 6)
                 : base.percentHalfEven(percentual);
}

} // namespace quintar
