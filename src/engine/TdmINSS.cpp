#include "TdmINSS.h"

#include "Erro.h"
#include "Motor.h"
#include "Rotinas.h"
#include "Valores.h"

namespace quintar {

namespace {

// Social-security brackets are progressive from this month on.
const QDate InicioProgressivo(2020, 3, 1);

} // namespace

TdmINSS::TdmINSS(Motor& motor) : m_(motor) {}

namespace {

// The brackets of one month of FAIXASINSS: Limite1..5 and Percentual1..5, from 1.
struct Faixas {
    Money limite[6];
    long double percentual[6] = {0, 0, 0, 0, 0, 0};
};

// The ten columns from `primeira` on: Limite1, Percentual1, ..., Limite5, Percentual5.
Faixas leFaixas(const Sentenca& q, int primeira)
{
    Faixas f;
    for (int i = 1; i <= 5; ++i) {
        f.limite[i] = Money::fromRealHalfEven(q.real(primeira + 2 * (i - 1)));
        f.percentual[i] = q.real(primeira + 2 * (i - 1) + 1);
    }
    return f;
}

TdmINSS::Contribuicao contribuicao(bool autonomo, Money base, QDate data, const Faixas& faixas);

} // namespace

TdmINSS::Contribuicao TdmINSS::ContribuicaoMes(bool autonomo, Money base, QDate data)
{
    if (base.isZero())
        throw Erro(QStringLiteral("A base de cálculo do INSS para alguma parcela informada é nula."));
    Sentenca& q = m_.banco.sentenca(
        QStringLiteral("SELECT Limite1, Percentual1, Limite2, Percentual2, Limite3, Percentual3, Limite4, Percentual4, "
                       "Limite5, Percentual5 FROM FAIXASINSS WHERE Ano = ? AND Mes = ?"));
    if (!q.liga(0, data.year()).liga(1, data.month()).proxima())
        throw Erro(QStringLiteral("Não Existe Alíquota de INSS para a data %1.")
                       .arg(data.toString(QStringLiteral("dd/MM/yyyy"))));
    const Faixas faixas = leFaixas(q, 0);
    q.reinicia();
    return contribuicao(autonomo, base, data, faixas);
}

namespace {

TdmINSS::Contribuicao contribuicao(bool autonomo, Money base, QDate data, const Faixas& faixas)
{
    const Money* limite = faixas.limite;
    const long double* percentual = faixas.percentual;
    TdmINSS::Contribuicao c;
    const long double b = base.toReal();
    if (autonomo) {
        const Money maior = !limite[4].isZero() ? limite[4] : !limite[3].isZero() ? limite[3] : !limite[2].isZero() ? limite[2] : limite[1];
        c.aliquota = Money::fromUnits(20);
        c.teto = Money::fromRealArredonda(maior.toReal() * 20 / 100);
        c.valor = Money::fromRealArredonda(b * 20 / 100);
    } else if (data >= InicioProgressivo) {
        // Each bracket's rate on the part of the base inside it, up to the highest limit.
        long double soma = 0, somaTeto = 0;
        Money anterior;
        for (int i = 1; i <= 5; ++i) {
            if (limite[i].isZero())
                break;
            const Money topo = base < limite[i] ? base : limite[i];
            if (topo > anterior)
                soma += (topo - anterior).toReal() * percentual[i] / 100;
            somaTeto += (limite[i] - anterior).toReal() * percentual[i] / 100;
            anterior = limite[i];
        }
        c.valor = Money::fromRealArredonda(soma);
        c.teto = Money::fromRealArredonda(somaTeto);
        // The effective rate valor × 100 / base, as a percentage in ten-thousandths.
        c.aliquota = c.valor.mulDivHalfEven(100 * Money::Escala, base.raw());
    } else {
        // The whole base pays the rate of the bracket it falls into.
        long double taxa;
        if (base <= limite[1])
            taxa = percentual[1];
        else if (base <= limite[2] || limite[3].isZero())
            taxa = percentual[2];
        else if (base <= limite[3] || limite[4].isZero())
            taxa = percentual[3];
        else if (base <= limite[4] || limite[5].isZero())
            taxa = percentual[4];
        else
            taxa = percentual[5];
        long double teto;
        if (limite[2].isZero())
            teto = limite[1].toReal() * percentual[1] / 100;
        else if (!limite[4].isZero())
            teto = limite[4].toReal() * percentual[4] / 100;
        else if (!limite[3].isZero())
            teto = limite[3].toReal() * percentual[3] / 100;
        else
            teto = limite[2].toReal() * percentual[2] / 100;
        c.aliquota = Money::fromRealHalfEven(taxa);
        c.teto = Money::fromRealArredonda(teto);
        c.valor = Money::fromRealArredonda(b * taxa / 100);
    }
    if (!c.teto.isZero() && c.valor > c.teto)
        c.valor = c.teto;
    return c;
}

} // namespace

Money TdmINSS::CalculaINSS(qint64 processoId)
{
    QSqlQuery& q = m_.banco.executa(
        QStringLiteral("SELECT IND_CALCULA_RECLAMANTE, IND_DESCONTAR_RECLAMADO, IND_CALCULA_RECLAMADO, IND_SALARIO, "
                       "IND_13_SALARIO, IND_HORA_EXTRA, IND_NOTURNO, IND_INSALUBRIDADE, IND_PERICULOSIDADE, IND_RSR, "
                       "TIPO_RECOLHIMENTO_RECLAMA, PERCENTUAL_EMPREGADOR, PERCENTUAL_RAT, PERCENTUAL_TERCEIROS "
                       "FROM TAB_INSS WHERE PROCESSO_ID = :id"),
        {{"id", processoId}});
    const bool temLinha = q.next();
    bool f[10] = {};
    int tipo = 0;
    Money empregador, rat, terceiros;
    if (temLinha) {
        for (int i = 0; i < 10; ++i)
            f[i] = ehSim(q.value(i));
        tipo = q.value(10).toInt();
        empregador = lerMoney(q.value(11));
        rat = lerMoney(q.value(12));
        terceiros = lerMoney(q.value(13));
    }
    q.finish();
    const auto [reclamante, descontar, reclamado, salario, decimo, horaExtra, noturno, insalubridade, periculosidade, rsr] =
        std::tuple{f[0], f[1], f[2], f[3], f[4], f[5], f[6], f[7], f[8], f[9]};
    const bool autonomo = tipo != 1;

    const auto naoReflexo = [](const LinhaDemonstrativo& l, DM::Coluna marcador) { return l.flag(marcador) == u"N"; };
    auto& linhas = m_.comuns.Demonstrativo(processoId);
    // The brackets of the statement's months, read at once; a month without them stops the run
    // with ContribuicaoMes's message.
    std::map<int, Faixas> faixas;
    if (reclamante && !linhas.empty()) {
        Sentenca& q = m_.banco.sentenca(QStringLiteral(
            "SELECT Ano, Mes, Limite1, Percentual1, Limite2, Percentual2, Limite3, Percentual3, Limite4, "
            "Percentual4, Limite5, Percentual5 FROM FAIXASINSS WHERE Ano * 12 + Mes BETWEEN ? AND ?"));
        q.liga(0, linhas.begin()->first).liga(1, linhas.rbegin()->first);
        while (q.proxima())
            faixas.emplace(AnoMes(int(q.inteiro(0)), int(q.inteiro(1))), leFaixas(q, 2));
    }
    for (auto& [chave, l] : linhas) {
        Money base;
        if (salario)
            base += l.money(DM::SALARIO);
        if (decimo)
            base += l.money(DM::DECIMO_TERCEIRO_SALARIO);
        if (horaExtra && naoReflexo(l, DM::IND_APENAS_REFLEXO_HE))
            base += l.money(DM::HORA_EXTRA);
        if (noturno && naoReflexo(l, DM::IND_APENAS_REFLEXO_AN))
            base += l.money(DM::NOTURNO);
        if (insalubridade && naoReflexo(l, DM::IND_APENAS_REFLEXO_AI))
            base += l.money(DM::INSALUBRIDADE);
        if (periculosidade && naoReflexo(l, DM::IND_APENAS_REFLEXO_AP))
            base += l.money(DM::PERICULOSIDADE);
        if (rsr && naoReflexo(l, DM::IND_APENAS_REFLEXO_RSR))
            base += l.money(DM::RSR);
        if (base.isZero())
            continue;
        Contribuicao c;
        if (reclamante) {
            const QDate mes(l.ano(), l.mes(), 1);
            const auto f = faixas.find(chave);
            c = f != faixas.end() ? contribuicao(autonomo, base, mes, f->second) : ContribuicaoMes(autonomo, base, mes);
        }
        const auto parte = [&](Money percentual) { return reclamado ? base.percentHalfEven(percentual) : Money(); };
        l.defineMoney(DM::INSS, c.valor);
        l.defineDecimal(DM::ALIQUOTA_INSS, c.aliquota);
        l.defineMoney(DM::INSS_EMPREGADOR, parte(empregador));
        l.defineMoney(DM::INSS_RAT, parte(rat));
        l.defineMoney(DM::INSS_TERCEIROS, parte(terceiros));
        l.defineDecimal(DM::ALIQUOTA_INSS_EMPREGADOR, empregador);
        l.defineDecimal(DM::ALIQUOTA_INSS_RAT, rat);
        l.defineDecimal(DM::ALIQUOTA_INSS_TERCEIROS, terceiros);
        m_.feedback.processaEventos();
    }

    long double s[4] = {0, 0, 0, 0};
    for (const auto& [chave, l] : linhas) {
        if (l.nulo(DM::INSS))
            continue;
        s[0] += l.money(DM::INSS).toReal() * l.indiceCm();
        s[1] += l.money(DM::INSS_EMPREGADOR).toReal() * l.indiceCm();
        s[2] += l.money(DM::INSS_RAT).toReal() * l.indiceCm();
        s[3] += l.money(DM::INSS_TERCEIROS).toReal() * l.indiceCm();
    }
    const Money s1 = Money::fromRealHalfEven(s[0]), s2 = Money::fromRealHalfEven(s[1]),
                s3 = Money::fromRealHalfEven(s[2]), s4 = Money::fromRealHalfEven(s[3]);
    // Charged to the defendant, the employee's share moves to the employer's.
    m_.banco.executa(QStringLiteral("UPDATE TAB_INSS SET VALOR_INSS = :inss, VALOR_INSS_EMPREGADOR = :empregador, "
                                    "VALOR_INSS_RAT = :rat, VALOR_INSS_TERCEIROS = :terceiros WHERE PROCESSO_ID = :id"),
                     {{"inss", bancoMoney(descontar ? Money() : s1)},
                      {"empregador", bancoMoney(descontar ? s2 + s1 : s2)},
                      {"rat", bancoMoney(s3)},
                      {"terceiros", bancoMoney(s4)},
                      {"id", processoId}});
    return s1 + s2 + s3 + s4;
}

Money TdmINSS::ValorINSS(qint64 processoId)
{
    return lerMoney(m_.banco.escalar(QStringLiteral("SELECT VALOR_INSS FROM TAB_INSS WHERE PROCESSO_ID = :id"),
                                     {{"id", processoId}}));
}

} // namespace quintar
