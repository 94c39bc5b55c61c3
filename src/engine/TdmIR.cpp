#include "TdmIR.h"

#include "CasoAberto.h"
#include "Erro.h"
#include "Motor.h"
#include "Rotinas.h"
#include "Valores.h"

namespace quintar {

TdmIR::TdmIR(Motor& motor) : m_(motor) {}

TdmIR::Imposto TdmIR::ImpostoFaixa(Money valor, QDate data)
{
    Imposto imposto;
    if (!(valor > Money()))
        return imposto;
    QSqlQuery& q = m_.banco.executa(
        QStringLiteral("SELECT LimiteMinimo, Limite1, Percentual1, Deducao1, Limite2, Percentual2, Deducao2, Limite3, "
                       "Percentual3, Deducao3, PercentualMaximo, DeducaoMaximo FROM FAIXASIR WHERE Ano = :ano AND Mes = :mes"),
        {{"ano", data.year()}, {"mes", data.month()}});
    if (!q.next()) {
        q.finish();
        throw Erro(QStringLiteral("Não Existe Alíquota de IR para a data %1.").arg(data.toString(QStringLiteral("dd/MM/yyyy"))));
    }
    double v[12];
    for (int i = 0; i < 12; ++i)
        v[i] = q.value(i).toDouble();
    q.finish();
    const auto money = [](double x) { return Money::fromRealHalfEven(x); };
    if (valor > money(v[0])) {
        int faixa; // the column of the bracket's rate
        if (valor <= money(v[1]))
            faixa = 2;
        else if (valor <= money(v[4]))
            faixa = 5;
        else if (valor <= money(v[7]))
            faixa = 8;
        else
            faixa = 10;
        imposto.aliquota = money(v[faixa]);
        imposto.deducao = money(v[faixa + 1]);
    }
    const long double t = valor.toReal() * imposto.aliquota.toReal() / 100 - imposto.deducao.toReal();
    imposto.valor = Money::fromRealArredonda(t);
    if (imposto.valor < Money())
        imposto.valor = Money();
    return imposto;
}

Money TdmIR::CalculaIR(const CasoAberto& caso)
{
    const qint64 id = caso.processoId();
    QStringList flags;
    QSqlQuery& q = m_.banco.executa(
        QStringLiteral("SELECT IND_AVISO_PREVIO, IND_SALARIO, IND_13_SALARIO, IND_FERIAS, IND_JUROS, IND_HORA_EXTRA, "
                       "IND_NOTURNO, IND_INSALUBRIDADE, IND_PERICULOSIDADE, IND_RSR FROM TAB_IR WHERE PROCESSO_ID = :id"),
        {{"id", id}});
    if (q.next())
        for (int i = 0; i < 10; ++i)
            flags.append(q.value(i).toString());
    q.finish();
    const auto entra = [&](const char* calcula, int indice) {
        return caso.texto(QString::fromLatin1(calcula)) == u"S" && flags.value(indice) == u"S";
    };

    const Money inss = m_.inss.ValorINSS(id);
    Money total;
    if (entra("CALCULA_AVISO_PREVIO", 0))
        total += m_.aviso.ValorDevidoAviso(id);
    if (entra("CALCULA_SALARIO", 1))
        total += m_.rapido.ValorDevidoSalario(id);
    if (entra("CALCULA_FERIAS", 3))
        total += m_.ferias.ValorDevidoFerias(id);
    if (entra("CALCULA_HORAS_EXTRAS", 5))
        total += m_.horasExtras.ValorApuradoHorasExtras(id);
    if (entra("CALCULA_NOTURNO", 6))
        total += m_.noturno.ValorApuradoNoturno(id);
    if (entra("CALCULA_INSALUBRIDADE", 7))
        total += m_.insalubridade.ValorApuradoInsalubridade(id);
    if (entra("CALCULA_PERICULOSIDADE", 8))
        total += m_.periculosidade.ValorApuradoPericulosidade(id);
    if (entra("CALCULA_RSR", 9))
        total += m_.rsr.ValorDevidoRSR(id);
    const Money decimo = entra("CALCULA_13_SALARIO", 2) ? m_.decimo.ValorDevido13Salario(id) : Money();
    const Money juros = entra("CALCULA_JUROS", 4) ? m_.juros.ValorJuros(id) : Money();

    const QDate fim = caso.data(u"DATA_FIM_PACTO");
    const Money base = total - inss;
    const Imposto principal = base > Money() ? ImpostoFaixa(base, fim) : Imposto{};
    const Imposto sobre13 = decimo > Money() ? ImpostoFaixa(decimo, fim) : Imposto{};
    const Imposto sobreJuros = juros > Money() ? ImpostoFaixa(juros, fim) : Imposto{};
    const Money ir = principal.valor + sobre13.valor + sobreJuros.valor;

    m_.banco.executa(
        QStringLiteral("UPDATE TAB_IR SET TOTAL_CALCULO = :total, INSS_EMPREGADO = :inss, BASE_CALCULO = :base, "
                       "ALIQUOTA_PRINCIPAL = :a1, DEDUCAO_PRINCIPAL = :d1, IR_PRINCIPAL = :i1, "
                       "ALIQUOTA_13_SALARIO = :a2, DEDUCAO_13_SALARIO = :d2, IR_13_SALARIO = :i2, "
                       "ALIQUOTA_JUROS = :a3, DEDUCAO_JUROS = :d3, IR_JUROS = :i3, IR = :ir WHERE PROCESSO_ID = :id"),
        {{"total", bancoMoney(total)}, {"inss", bancoMoney(inss)}, {"base", bancoMoney(base)},
         {"a1", bancoDecimal(principal.aliquota, 4)}, {"d1", bancoMoney(principal.deducao)}, {"i1", bancoMoney(principal.valor)},
         {"a2", bancoDecimal(sobre13.aliquota, 4)}, {"d2", bancoMoney(sobre13.deducao)}, {"i2", bancoMoney(sobre13.valor)},
         {"a3", bancoDecimal(sobreJuros.aliquota, 4)}, {"d3", bancoMoney(sobreJuros.deducao)}, {"i3", bancoMoney(sobreJuros.valor)},
         {"ir", bancoMoney(ir)}, {"id", id}});
    return ir;
}

} // namespace quintar
