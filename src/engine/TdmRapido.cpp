#include "TdmRapido.h"

#include "CasoAberto.h"
#include "Erro.h"
#include "Motor.h"
#include "Rotinas.h"
#include "Valores.h"

namespace quintar {

TdmRapido::TdmRapido(Motor& motor) : m_(motor) {}

QDate InicioPeriodoReflexo(QDate inicioPacto, QDate fimPacto)
{
    const QDate p = fimPacto.month() == 12 ? QDate(fimPacto.year(), 1, 1)
                                           : QDate(fimPacto.year() - 1, fimPacto.month() + 1, 1);
    return inicioPacto > p ? inicioPacto : p;
}

void TdmRapido::GeraMesesSalario(qint64 processoId, QDate inicio, QDate fim)
{
    if (m_.banco.escalar(QStringLiteral("SELECT COUNT(*) FROM TAB_SALARIO WHERE PROCESSO_ID = :id"), {{"id", processoId}}).toInt() > 0)
        return;
    const auto insere = [&](int ano, int mes, int dias, bool calcula) {
        m_.banco.executa(QStringLiteral(
                             "INSERT INTO TAB_SALARIO (PROCESSO_ID, ANO, MES, IND_CALCULA, SOBRE_SALARIO_FIXO, "
                             "SOBRE_SALARIO_VARIAVEL, SOBRE_DIFERENCA_SALARIAL, NUMERO_DIAS) "
                             "VALUES (:id, :ano, :mes, :calcula, 'S', 'N', 'N', :dias)"),
                         {{"id", processoId}, {"ano", ano}, {"mes", mes}, {"calcula", FlagSN(calcula)}, {"dias", dias}});
    };
    if (AnoMes(inicio) == AnoMes(fim)) {
        insere(inicio.year(), inicio.month(), fim.day() - inicio.day() + 1, true);
        return;
    }
    insere(inicio.year(), inicio.month(), std::max(0, 30 - inicio.day() + 1), false);
    for (QDate d = QDate(inicio.year(), inicio.month(), 1).addMonths(1); AnoMes(d) < AnoMes(fim); d = d.addMonths(1))
        insere(d.year(), d.month(), 30, false);
    // A commercial month: the 31st counts as 30, and so does the end of February.
    const int dias = (fim.month() == 2 && fim.day() >= 28) ? 30 : std::min(fim.day(), 30);
    insere(fim.year(), fim.month(), dias, true);
}

void TdmRapido::GeraVariacaoSalarial(const CasoAberto& caso)
{
    const qint64 id = caso.processoId();
    const QDate f = caso.data(u"DATA_INICIO_PACTO");
    const QDate l = caso.data(u"DATA_FIM_PACTO");
    const Money salario = caso.money(u"SALARIO_FIXO");
    const QString unidade = caso.texto(u"UNIDADE_SALARIO_FIXO");

    Sentenca& q = m_.banco.sentenca(QStringLiteral(
        "SELECT ANO, MES, SALARIO_FIXO FROM TAB_VARIACAO_SALARIAL WHERE PROCESSO_ID = ? ORDER BY ANO, MES"));
    q.liga(0, id);
    bool temLinhas = false;
    int primeiro = 0, ultimo = 0;
    Money ultimoSalario;
    while (q.proxima()) {
        const int am = AnoMes(int(q.inteiro(0)), int(q.inteiro(1)));
        if (!temLinhas)
            primeiro = am;
        temLinhas = true;
        ultimo = am;
        ultimoSalario = Money::fromRaw(q.inteiro(2));
    }
    if (temLinhas) {
        if (primeiro == AnoMes(f) && ultimo == AnoMes(l) && ultimoSalario == salario)
            return; // the user's edits of the history stay
        m_.comuns.ExcluiTabela(QStringLiteral("TAB_VARIACAO_SALARIAL"), id);
    }
    for (QDate d = QDate(f.year(), f.month(), 1); AnoMes(d) <= AnoMes(l); d = d.addMonths(1))
        m_.banco
            .sentenca(QStringLiteral("INSERT INTO TAB_VARIACAO_SALARIAL (PROCESSO_ID, ANO, MES, SALARIO_FIXO, "
                                     "UNIDADE_SALARIO_FIXO, PARADIGMA, UNIDADE_PARADIGMA, SALARIO_VARIAVEL) "
                                     "VALUES (?, ?, ?, ?, ?, 0, ?, 0)"))
            .liga(0, id)
            .liga(1, d.year())
            .liga(2, d.month())
            .liga(3, salario.raw())
            .liga(4, QStringView(unidade))
            .liga(5, QStringView(unidade))
            .executa();
}

Money TdmRapido::CalculaSalario(qint64 processoId)
{
    struct Mes {
        int ano, mes, dias;
        Composicao partes;
    };
    QVector<Mes> meses;
    QSqlQuery& q = m_.banco.executa(QStringLiteral(
                                        "SELECT ANO, MES, NUMERO_DIAS, SOBRE_SALARIO_FIXO, SOBRE_DIFERENCA_SALARIAL, "
                                        "SOBRE_SALARIO_VARIAVEL FROM TAB_SALARIO WHERE PROCESSO_ID = :id AND IND_CALCULA = 'S'"),
                                    {{"id", processoId}});
    while (q.next())
        meses.append({q.value(0).toInt(), q.value(1).toInt(), q.value(2).toInt(),
                      Composicao{.fixo = ehSim(q.value(3)), .diferenca = ehSim(q.value(4)), .variavel = ehSim(q.value(5))}});
    q.finish();

    for (const Mes& mes : meses) {
        const QDate d(mes.ano, mes.mes, 1);
        const Money base = m_.comuns.ComposicaoSalarial(mes.partes, d, processoId);
        const Money valorMes = base.mulDivHalfEven(mes.dias, 30);
        const double indice = m_.comuns.IndiceCorrecao(mes.mes, mes.ano, processoId);
        const Money baseCorrigida = Money::fromRealArredonda(base.toReal() * indice);
        const Money devido = Money::fromRealArredonda(valorMes.toReal() * indice);
        m_.banco
            .sentenca(QStringLiteral("UPDATE TAB_SALARIO SET BASE_CALCULO = ?, VALOR_DEVIDO = ? "
                                     "WHERE PROCESSO_ID = ? AND ANO = ? AND MES = ?"))
            .liga(0, baseCorrigida.raw())
            .liga(1, devido.raw())
            .liga(2, processoId)
            .liga(3, mes.ano)
            .liga(4, mes.mes)
            .executa();
        m_.comuns.AtualizaColuna(mes.ano, mes.mes, QStringLiteral("SALARIO"), valorMes, processoId);
        m_.feedback.processaEventos();
    }
    return lerMoney(m_.banco.escalar(
        QStringLiteral("SELECT SUM(VALOR_DEVIDO) FROM TAB_SALARIO WHERE PROCESSO_ID = :id AND IND_CALCULA = 'S'"),
        {{"id", processoId}}));
}

Money TdmRapido::ValorDevidoSalario(qint64 processoId)
{
    return lerMoney(m_.banco.escalar(QStringLiteral("SELECT SUM(VALOR_DEVIDO) FROM TAB_SALARIO WHERE PROCESSO_ID = :id"),
                                     {{"id", processoId}}));
}

} // namespace quintar

namespace quintar {

Money TdmRapido::CalculaMultas(const CasoAberto& caso)
{
    const qint64 id = caso.processoId();
    const QDate inicioPacto = caso.data(u"DATA_INICIO_PACTO");
    const QDate fimPacto = caso.data(u"DATA_FIM_PACTO");
    const QDate p = InicioPeriodoReflexo(inicioPacto, fimPacto);

    QStringList f;
    QSqlQuery& q = m_.banco.executa(
        QStringLiteral("SELECT IND_CALCULA_467, SOBRE_467_AVISO_PREVIO, SOBRE_467_SALARIO, SOBRE_467_13_SALARIO, "
                       "SOBRE_467_FERIAS, SOBRE_467_FGTS, SOBRE_467_HORA_EXTRA, SOBRE_467_NOTURNO, "
                       "SOBRE_467_INSALUBRIDADE, SOBRE_467_PERICULOSIDADE, SOBRE_467_RSR, IND_CALCULA_477, "
                       "SOBRE_477_SALARIO_FIXO, SOBRE_477_DIFERENCA_SALAR, SOBRE_477_SALARIO_VARIAVE, "
                       "SOBRE_477_HORA_EXTRA, SOBRE_477_NOTURNO, SOBRE_477_INSALUBRIDADE, SOBRE_477_PERICULOSIDADE "
                       "FROM TAB_MULTAS WHERE PROCESSO_ID = :id"),
        {{"id", id}});
    const bool temLinha = q.next();
    for (int i = 0; i < 19; ++i)
        f.append(temLinha ? q.value(i).toString() : QString());
    q.finish();
    const auto ligado = [&](const char* calcula, int indice) {
        return caso.texto(QString::fromLatin1(calcula)) == u"S" && f[indice] == u"S";
    };

    Money multa467;
    if (f[0] == u"S") {
        if (ligado("CALCULA_AVISO_PREVIO", 1))
            multa467 += m_.aviso.ValorDevidoAviso(id);
        if (ligado("CALCULA_SALARIO", 2))
            multa467 += ValorDevidoSalario(id);
        if (ligado("CALCULA_13_SALARIO", 3))
            multa467 += m_.decimo.ValorDevido13Salario(id);
        if (ligado("CALCULA_FERIAS", 4))
            multa467 += m_.ferias.ValorDevidoFerias(id);
        if (ligado("CALCULA_FGTS", 5))
            multa467 += m_.fgts.ValorApuradoFGTS(id);
        if (ligado("CALCULA_HORAS_EXTRAS", 6))
            multa467 += m_.horasExtras.ValorApuradoHorasExtras(id);
        if (ligado("CALCULA_NOTURNO", 7))
            multa467 += m_.noturno.ValorApuradoNoturno(id);
        if (ligado("CALCULA_INSALUBRIDADE", 8))
            multa467 += m_.insalubridade.ValorApuradoInsalubridade(id);
        if (ligado("CALCULA_PERICULOSIDADE", 9))
            multa467 += m_.periculosidade.ValorApuradoPericulosidade(id);
        if (ligado("CALCULA_RSR", 10))
            multa467 += m_.rsr.ValorDevidoRSR(id);
        multa467 = multa467.divHalfEven(2);
    }

    Money multa477;
    if (f[11] == u"S") {
        multa477 = m_.comuns.ComposicaoSalarial(Composicao{.fixo = f[12] == u"S", .diferenca = f[13] == u"S"}, fimPacto, id);
        if (f[14] == u"S")
            multa477 += m_.media.MediaPeriodo(id, p, fimPacto, Media{.variavel = true});
        multa477 += m_.horasExtras.ReflexoHorasExtras(caso.texto(u"CALCULA_HORAS_EXTRAS"), f[15], id, p, fimPacto, false);
        multa477 += m_.noturno.ReflexoNoturno(caso.texto(u"CALCULA_NOTURNO"), f[16], id, p, fimPacto, false);
        multa477 += m_.insalubridade.ReflexoInsalubridade(caso.texto(u"CALCULA_INSALUBRIDADE"), f[17], id, fimPacto,
                                                          false, fimPacto.month(), fimPacto.year());
        multa477 += m_.periculosidade.ReflexoPericulosidade(caso.texto(u"CALCULA_PERICULOSIDADE"), f[18], id, fimPacto, false);
        multa477 = Money::fromRealHalfEven(
            multa477.toReal() * m_.comuns.IndiceCorrecao(fimPacto.month(), fimPacto.year(), id));
    }
    m_.banco.executa(QStringLiteral("UPDATE TAB_MULTAS SET VALOR_APURADO_467 = :a, VALOR_APURADO_477 = :b WHERE PROCESSO_ID = :id"),
                     {{"a", bancoMoney(multa467)}, {"b", bancoMoney(multa477)}, {"id", id}});
    return multa467 + multa477;
}

Money TdmRapido::ValorApuradoMultas(qint64 processoId)
{
    QSqlQuery& q = m_.banco.executa(
        QStringLiteral("SELECT VALOR_APURADO_467, VALOR_APURADO_477 FROM TAB_MULTAS WHERE PROCESSO_ID = :id"),
        {{"id", processoId}});
    Money total;
    if (q.next())
        total = lerMoney(q.value(0)) + lerMoney(q.value(1));
    q.finish();
    return total;
}

void TdmRapido::ExecutaCalculo(CasoAberto& caso)
{
    Feedback& feedback = m_.feedback;
    const qint64 id = caso.processoId();
    feedback.status(QStringLiteral("Excluindo Demonstrativo Mensal."));
    m_.comuns.ExcluiTabela(QStringLiteral("tab_demonstrativo_mensal"), id);
    const QDate inicio = caso.data(u"DATA_INICIO_PACTO");
    const QDate fim = caso.data(u"DATA_FIM_PACTO");
    m_.comuns.defineContrato(inicio, fim);

    Money total;
    caso.Edita();
    caso.define(u"DATA_CALCULO", bancoTimestamp(caso.agora()));

    // The fixed order: a later calculator reads the stored totals and statement columns of
    // the earlier ones.
    struct Item {
        const char* flag;
        const char* status;
        const char* coluna;
        std::function<Money()> calcula;
        int sinal; // +1 adds to the total, -1 subtracts, 0 stays out of it
    };
    const Item itens[] = {
        {"CALCULA_SALARIO", "Calculando Salário.", "VALOR_SALARIO", [&] { return CalculaSalario(id); }, 1},
        {"CALCULA_INSALUBRIDADE", "Calculando Insalubridade.", "VALOR_INSALUBRIDADE",
         [&] { return m_.insalubridade.CalculaInsalubridade(id); }, 1},
        {"CALCULA_PERICULOSIDADE", "Calculando Periculosidade.", "VALOR_PERICULOSIDADE",
         [&] { return m_.periculosidade.CalculaPericulosidade(id); }, 1},
        {"CALCULA_HORAS_EXTRAS", "Calculando Horas Extras.", "VALOR_HORAS_EXTRAS",
         [&] { return m_.horasExtras.CalculaHorasExtras(id); }, 1},
        {"CALCULA_NOTURNO", "Calculando Adicional Noturno.", "VALOR_NOTURNO", [&] { return m_.noturno.CalculaNoturno(id); }, 1},
        {"CALCULA_OUTROS_CRED", "Calculando Outros (Crédito).", "VALOR_OUTROS_CRED",
         [&] { return m_.outros.CalculaCreditos(id); }, 1},
        {"CALCULA_OUTROS_DEB", "Calculando Outros (Débito).", "VALOR_OUTROS_DEB",
         [&] { return m_.outros.CalculaDebitos(id); }, -1},
        {"CALCULA_AVISO_PREVIO", "Calculando Aviso Prévio.", "VALOR_AVISO_PREVIO", [&] { return m_.aviso.CalculaAviso(caso); }, 1},
        {"CALCULA_13_SALARIO", "Calculando 13º Salário.", "VALOR_13_SALARIO",
         [&] { return m_.decimo.Calcula13Salario(caso); }, 1},
        {"CALCULA_FERIAS", "Calculando Férias.", "VALOR_FERIAS", [&] { return m_.ferias.CalculaFerias(caso); }, 1},
        {"CALCULA_RSR", "Calculando Repouso Semanal Remunerado.", "VALOR_RSR",
         [&] { return m_.rsr.CalculaRSR(id, inicio, fim); }, 1},
        {"CALCULA_FGTS", "Calculando FGTS.", "VALOR_FGTS", [&] { return m_.fgts.CalculaFGTS(fim, inicio, id); }, 1},
        {"CALCULA_MULTAS", "Calculando Multas.", "VALOR_MULTAS", [&] { return CalculaMultas(caso); }, 1},
        {"CALCULA_JUROS", "Calculando Juros.", "VALOR_JUROS", [&] { return m_.juros.CalculaJuros(caso); }, 1},
        {"CALCULA_INSS", "Calculando INSS.", "VALOR_INSS_TOTAL", [&] { return m_.inss.CalculaINSS(id); }, 0},
        {"CALCULA_IR", "Calculando Imposto de Renda.", "VALOR_IR", [&] { return m_.ir.CalculaIR(caso); }, 0},
    };
    Money resultados[16];
    for (int i = 0; i < 16; ++i) {
        const Item& item = itens[i];
        if (!caso.marcado(QString::fromLatin1(item.flag)))
            continue;
        feedback.status(QString::fromUtf8(item.status));
        resultados[i] = item.calcula();
        total += item.sinal >= 0 ? (item.sinal ? resultados[i] : Money()) : -resultados[i];
        caso.AvancaProgresso();
    }
    const Money imposto = resultados[15];
    Money liquido = total - imposto;

    Money inss, empregador, rat, terceiros;
    if (caso.marcado(u"CALCULA_INSS")) {
        QSqlQuery& q = m_.banco.executa(QStringLiteral("SELECT VALOR_INSS, VALOR_INSS_EMPREGADOR, VALOR_INSS_RAT, "
                                                       "VALOR_INSS_TERCEIROS FROM TAB_INSS WHERE PROCESSO_ID = :id"),
                                        {{"id", id}});
        if (q.next()) {
            inss = lerMoney(q.value(0));
            empregador = lerMoney(q.value(1));
            rat = lerMoney(q.value(2));
            terceiros = lerMoney(q.value(3));
        }
        q.finish();
        liquido -= inss;
        total += empregador + rat + terceiros;
    }
    caso.defineMoney(u"VALOR_INSS_RECLAMANTE", inss);
    caso.defineMoney(u"VALOR_INSS_EMPREGADOR", empregador);
    caso.defineMoney(u"VALOR_INSS_RAT", rat);
    caso.defineMoney(u"VALOR_INSS_TERCEIROS", terceiros);
    if (liquido < Money())
        liquido = Money();
    for (int i = 0; i < 16; ++i)
        caso.defineMoney(QString::fromLatin1(itens[i].coluna), resultados[i]);
    caso.defineMoney(u"TOTAL_CALCULO", total);
    caso.defineMoney(u"LIQUIDO_RECLAMANTE", liquido);
    caso.Posta();
    feedback.status(QStringLiteral("Cálculo completo."));
}

} // namespace quintar
