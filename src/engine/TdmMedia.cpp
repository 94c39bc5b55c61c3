#include "TdmMedia.h"

#include "Motor.h"
#include "Rotinas.h"

namespace quintar {

TdmMedia::TdmMedia(Motor& motor) : m_(motor) {}

Money TdmMedia::MediaPeriodo(qint64 processoId, QDate inicio, QDate fim, const Media& c)
{
    const int y1 = inicio.year(), m1 = inicio.month();
    const int y2 = fim.year(), m2 = fim.month();
    m_.comuns.MontaPeriodo(processoId, QDate(y1, m1, 1), QDate(y2, m2, 1));

    auto& linhas = m_.comuns.Demonstrativo(processoId);
    Money soma;
    long long horas = 0;
    int naoZeros = 0;
    int meses = 0;
    const auto horasInteiras = [](Money h) {
        // Whole hours, a half going to the even neighbour: 10.50 counts 10, 11.50 counts 12
        // (the quotient's ten-thousandths are the whole hours).
        return h.divHalfEven(Money::Escala).raw();
    };
    for (auto it = linhas.lower_bound(AnoMes(y1, m1)); it != linhas.end() && it->first <= AnoMes(y2, m2); ++it) {
        const LinhaDemonstrativo& l = it->second;
        if (c.fixo)
            soma += l.money(DM::SALARIO_FIXO);
        if (c.diferenca)
            soma += l.money(DM::DIFERENCA_SALARIAL);
        if (c.variavel)
            soma += l.money(DM::SALARIO_VARIAVEL);
        if (c.insalubridade)
            soma += l.money(DM::INSALUBRIDADE);
        if (c.periculosidade)
            soma += l.money(DM::PERICULOSIDADE);
        for (const auto& [usa, coluna] : {std::pair{c.valorHEDiurno, DM::SALARIO_HE_DIURNO},
                                          std::pair{c.valorHENoturno, DM::SALARIO_HE_NOTURNO},
                                          std::pair{c.valorHN, DM::SALARIO_HORA_NOTURNO}}) {
            if (usa && !l.money(coluna).isZero()) {
                soma += l.money(coluna);
                ++naoZeros;
            }
        }
        if (c.horasHEDiurno)
            horas += horasInteiras(l.decimal(DM::NUMERO_MEDIO_HE_DIURNO));
        if (c.horasHENoturno)
            horas += horasInteiras(l.decimal(DM::NUMERO_MEDIO_HE_NOTURNO));
        if (c.horasHN)
            horas += horasInteiras(l.decimal(DM::NUMERO_MEDIO_HN));
        ++meses;
        m_.feedback.processaEventos();
    }

    // The average is the exact quotient, rounded once; the one-sixth add-on makes it
    // total × 7 / (6 × count). A period without months (first month after the last) has no
    // average: 0.
    Money total = soma;
    int quantos = meses;
    if (c.horasHEDiurno || c.horasHENoturno || c.horasHN)
        total = Money::fromUnits(horas);
    else if (c.valorHEDiurno || c.valorHENoturno || c.valorHN)
        quantos = naoZeros;
    if (quantos == 0)
        return {};
    return c.sexto ? total.mulDivHalfEven(7, 6 * std::int64_t(quantos)) : total.divHalfEven(quantos);
}

} // namespace quintar
