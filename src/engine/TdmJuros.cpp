#include "TdmJuros.h"

#include "CasoAberto.h"
#include "Erro.h"
#include "Motor.h"
#include "Rotinas.h"
#include "Valores.h"

#include <cmath>

namespace quintar {

TdmJuros::TdmJuros(Motor& motor) : m_(motor) {}

int TdmJuros::DiasComerciais(QDate s, QDate e)
{
    const int d = s.day();
    const int n = AnoMes(s) + 1;
    int dia = e.day();
    if (dia == 31 || (e.month() == 2 && dia >= 28))
        dia = 30;
    return (31 - d) + 30 * (AnoMes(e) - n) + dia;
}

Money TdmJuros::TaxaAcumulada(QDate inicio, QDate fim, const QString& metodo)
{
    struct Regime {
        QDate de, ate;
        int decimosPorMes; // the monthly rate in tenths of a percent
        bool composto;
    };
    Regime regimes[] = {
        {QDate(1900, 1, 1), QDate(1987, 2, 26), 5, false},
        {QDate(1987, 2, 27), QDate(1991, 3, 3), 10, true},
        {QDate(1991, 3, 4), QDate(2001, 8, 23), 10, false},
        {QDate(2001, 8, 24), QDate(2900, 1, 1), metodo == u"P" ? 10 : 5, false},
    };
    const auto contem = [&](QDate d) {
        for (int i = 0; i < 4; ++i)
            if (d >= regimes[i].de && d <= regimes[i].ate)
                return i;
        return -1;
    };
    int primeiro = contem(inicio);
    if (primeiro < 0)
        primeiro = 0;
    int ultimo = contem(fim);
    if (ultimo < 0)
        ultimo = 3;
    regimes[primeiro].de = inicio;
    regimes[ultimo].ate = fim;

    long double taxa = 0;
    for (int i = primeiro; i <= ultimo; ++i) {
        const Regime& r = regimes[i];
        if (r.de > r.ate)
            continue;
        const int dias = DiasComerciais(r.de, r.ate);
        if (r.composto)
            taxa += std::pow(1.01L, static_cast<long double>(dias) / 30) - 1;
        else // dias × rate % / 3000, to four decimals
            taxa += Money::fromUnits(dias).mulDivHalfEven(r.decimosPorMes, 30000).toReal();
    }
    const Money acumulada = Money::fromRealHalfEven(Arredonda(4, taxa));
    return acumulada < Money() ? Money() : acumulada;
}

Money TdmJuros::CalculaJuros(const CasoAberto& caso)
{
    const qint64 id = caso.processoId();
    QDate inicio, fim;
    QString metodo;
    QStringList flags;
    QSqlQuery& q = m_.banco.executa(
        QStringLiteral("SELECT DATA_INICIO_JUROS, DATA_FIM_JUROS, METODO_JUROS, IND_AVISO_PREVIO, IND_SALARIO, "
                       "IND_13_SALARIO, IND_FERIAS, IND_FGTS, IND_HORA_EXTRA, IND_NOTURNO, IND_INSALUBRIDADE, "
                       "IND_PERICULOSIDADE, IND_RSR, IND_MULTAS FROM TAB_JUROS WHERE PROCESSO_ID = :id"),
        {{"id", id}});
    if (q.next()) {
        inicio = lerData(q.value(0));
        fim = lerData(q.value(1));
        metodo = q.value(2).toString();
        for (int i = 3; i < 14; ++i)
            flags.append(q.value(i).toString());
    }
    q.finish();
    // A missing row reads as empty dates, which are before 1900.
    const QDate limiteInferior(1900, 1, 1);
    const QDate limiteSuperior(2050, 1, 1);
    if (!inicio.isValid() || !fim.isValid() || inicio < limiteInferior || fim < limiteInferior)
        throw Erro(QStringLiteral("Uma data anterior a 1900 está sendo usada no cálculo de juros."));
    if (inicio > limiteSuperior || fim > limiteSuperior)
        throw Erro(QStringLiteral("Uma data posterior a 2050 está sendo usada no cálculo de juros."));

    const auto entra = [&](const char* calcula, int indice) {
        return caso.texto(QString::fromLatin1(calcula)) == u"S" && flags.value(indice) == u"S";
    };
    Money base;
    if (entra("CALCULA_AVISO_PREVIO", 0))
        base += m_.aviso.ValorDevidoAviso(id);
    if (entra("CALCULA_SALARIO", 1))
        base += m_.rapido.ValorDevidoSalario(id);
    if (entra("CALCULA_13_SALARIO", 2))
        base += m_.decimo.ValorDevido13Salario(id);
    if (entra("CALCULA_FERIAS", 3))
        base += m_.ferias.ValorDevidoFerias(id);
    if (entra("CALCULA_FGTS", 4))
        base += m_.fgts.ValorApuradoFGTS(id);
    if (entra("CALCULA_HORAS_EXTRAS", 5))
        base += m_.horasExtras.ValorApuradoHorasExtras(id);
    if (entra("CALCULA_NOTURNO", 6))
        base += m_.noturno.ValorApuradoNoturno(id);
    if (entra("CALCULA_INSALUBRIDADE", 7))
        base += m_.insalubridade.ValorApuradoInsalubridade(id);
    if (entra("CALCULA_PERICULOSIDADE", 8))
        base += m_.periculosidade.ValorApuradoPericulosidade(id);
    if (entra("CALCULA_RSR", 9))
        base += m_.rsr.ValorDevidoRSR(id);
    if (entra("CALCULA_MULTAS", 10))
        base += m_.rapido.ValorApuradoMultas(id);

    const Money taxa = TaxaAcumulada(inicio, fim, metodo);
    const Money juros = base.mulHalfEven(taxa);
    m_.banco.executa(QStringLiteral("UPDATE TAB_JUROS SET BASE_CALCULO = :base_calculo, ALIQUOTA = :aliquota, "
                                    "JUROS = :juros WHERE PROCESSO_ID = :id"),
                     {{"base_calculo", bancoMoney(base)}, {"aliquota", bancoDecimal(taxa, 4)},
                      {"juros", bancoMoney(juros)}, {"id", id}});
    return juros;
}

Money TdmJuros::ValorJuros(qint64 processoId)
{
    return lerMoney(m_.banco.escalar(QStringLiteral("SELECT JUROS FROM TAB_JUROS WHERE PROCESSO_ID = :id"),
                                     {{"id", processoId}}));
}

bool TdmJuros::SemJuros(qint64 processoId)
{
    return m_.banco.escalar(QStringLiteral("SELECT COUNT(*) FROM TAB_JUROS WHERE PROCESSO_ID = :id"), {{"id", processoId}})
               .toInt() == 0;
}

} // namespace quintar
