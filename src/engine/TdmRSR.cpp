#include "TdmRSR.h"

#include "Esquema.h"
#include "Motor.h"
#include "Rotinas.h"
#include "Valores.h"

namespace quintar {

TdmRSR::TdmRSR(Motor& motor) : m_(motor) {}

bool TdmRSR::abreLinha(qint64 processoId)
{
    QSqlQuery& q = m_.banco.executa(QStringLiteral("SELECT * FROM TAB_RSR WHERE PROCESSO_ID = :id"), {{"id", processoId}});
    aberto_ = q.next();
    linha_.clear();
    if (aberto_) {
        const int n = TabelaTrabalho(u"TAB_RSR")->colunas.size();
        for (int i = 0; i < n; ++i)
            linha_.append(q.value(i));
    }
    q.finish();
    return aberto_;
}

void TdmRSR::AbreDadosRSR(const QString& calculaRSR, const QString& sobreRSR, qint64 processoId)
{
    aberto_ = false;
    linha_.clear();
    if (calculaRSR == u"S" && sobreRSR == u"S")
        abreLinha(processoId);
}

bool TdmRSR::IncideRSR(QStringView coluna) const
{
    if (!aberto_)
        return false;
    const int i = TabelaTrabalho(u"TAB_RSR")->indice(coluna);
    return i >= 0 && FlagCampo(linha_[i]) == u'S';
}

Money TdmRSR::CalculaRSR(qint64 processoId, QDate inicio, QDate fim)
{
    // A case without a TAB_RSR row behaves as if every flag were empty.
    abreLinha(processoId);
    const auto flag = [&](QStringView coluna) { return IncideRSR(coluna); };
    const bool fixo = flag(u"SOBRE_SALARIO_FIXO"), variavel = flag(u"SOBRE_SALARIO_VARIAVEL"),
               diferenca = flag(u"SOBRE_DIFERENCA_SALARIAL"), horaExtra = flag(u"SOBRE_HORA_EXTRA"),
               noturno = flag(u"SOBRE_NOTURNO"), insalubridade = flag(u"SOBRE_INSALUBRIDADE"),
               periculosidade = flag(u"SOBRE_PERICULOSIDADE");
    const QString apenasReflexo =
        aberto_ ? linha_[TabelaTrabalho(u"TAB_RSR")->indice(u"IND_APENAS_REFLEXO")].toString() : QString();

    if (fixo || variavel || diferenca)
        m_.comuns.MontaPeriodo(processoId, QDate(inicio.year(), inicio.month(), 1), QDate(fim.year(), fim.month(), 1));

    // Every statement row of the case from the contract's first month on, whether or not
    // that month has a row: the rest on overtime that starts later is not lost.
    auto& linhas = m_.comuns.Demonstrativo(processoId);
    for (auto it = linhas.lower_bound(AnoMes(inicio)); it != linhas.end(); ++it) {
        LinhaDemonstrativo& l = it->second;
        Money base;
        if (fixo)
            base += l.money(DM::SALARIO_FIXO);
        if (diferenca)
            base += l.money(DM::DIFERENCA_SALARIAL);
        if (variavel)
            base += l.money(DM::SALARIO_VARIAVEL);
        if (horaExtra)
            base += l.money(DM::HORA_EXTRA);
        if (noturno)
            base += l.money(DM::NOTURNO);
        if (insalubridade)
            base += l.money(DM::INSALUBRIDADE);
        if (periculosidade)
            base += l.money(DM::PERICULOSIDADE);
        l.defineFlag(DM::IND_APENAS_REFLEXO_RSR, apenasReflexo);
        l.defineMoney(DM::RSR, base.divHalfEven(6));
        m_.feedback.processaEventos();
    }

    const Money total = apenasReflexo == u"N" ? m_.comuns.TotalCorrigido(processoId, DM::RSR) : Money();
    m_.banco.executa(QStringLiteral("UPDATE TAB_RSR SET VALOR_DEVIDO = :total WHERE PROCESSO_ID = :id"),
                     {{"total", bancoMoney(total)}, {"id", processoId}});
    aberto_ = false;
    linha_.clear();
    return total;
}

Money TdmRSR::ValorDevidoRSR(qint64 processoId)
{
    return lerMoney(m_.banco.escalar(QStringLiteral("SELECT VALOR_DEVIDO FROM TAB_RSR WHERE PROCESSO_ID = :id"),
                                     {{"id", processoId}}));
}

} // namespace quintar
