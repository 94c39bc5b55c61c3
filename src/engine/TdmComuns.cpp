#include "TdmComuns.h"

#include "Erro.h"
#include "Esquema.h"
#include "Motor.h"
#include "Rotinas.h"
#include "Valores.h"

#include <QScopeGuard>
#include <QSqlError>

namespace quintar {

struct TdmComuns::Carga {
    // One month of the salary history as MontaMes needs it.
    struct Variacao {
        Money fixo;
        QString unidadeFixo;
        Money paradigma;
        QString unidadeParadigma;
        Money variavel;

        // The five columns from `primeira` on: SALARIO_FIXO, its unit, PARADIGMA, its unit,
        // SALARIO_VARIAVEL.
        static Variacao le(const Sentenca& q, int primeira)
        {
            return {Money::fromRaw(q.inteiro(primeira)), q.texto(primeira + 1), Money::fromRaw(q.inteiro(primeira + 2)),
                q.texto(primeira + 3), Money::fromRaw(q.inteiro(primeira + 4))};
        }
    };
    qint64 processoId;
    std::map<int, Variacao> variacoes; // by AnoMes, with the dismissal month's row
    QDate atualizacao;
    std::map<int, double> indicesPrimeiroDia; // index of code 1 on the first day, by AnoMes
};

namespace {

// CorrecaoMonetaria from the two indices: the factor index(update date) / index(reference
// date) to nine decimals and the value corrected to cents; factor 0 when the value or an
// index is 0.
TdmComuns::Correcao corrige(Money valor, double indiceReferencia, double indiceAtualizacao)
{
    TdmComuns::Correcao c;
    c.corrigido = valor;
    if (indiceReferencia == 0 || indiceAtualizacao == 0)
        c.corrigido = Money();
    if (c.corrigido.isZero())
        return c;
    c.fator = static_cast<double>(Arredonda(9, static_cast<long double>(indiceAtualizacao) / indiceReferencia));
    c.corrigido = Money::fromRealArredonda(valor.toReal() * c.fator);
    return c;
}

} // namespace

TdmComuns::TdmComuns(Motor& motor) : m_(motor) {}

void TdmComuns::ExcluiTabela(const QString& tabela, qint64 processoId, bool mostraStatus)
{
    if (mostraStatus)
        m_.feedback.status(QStringLiteral("Excluindo da Tabela ") + tabela);
    m_.banco.executaDireto(QStringLiteral("DELETE FROM %1 WHERE PROCESSO_ID = %2").arg(tabela).arg(processoId));
    if (tabela.compare(u"TAB_DEMONSTRATIVO_MENSAL", Qt::CaseInsensitive) == 0)
        demonstrativos_[processoId].clear();
}

std::map<int, LinhaDemonstrativo>& TdmComuns::Demonstrativo(qint64 processoId)
{
    auto it = demonstrativos_.find(processoId);
    if (it != demonstrativos_.end())
        return *it;
    std::map<int, LinhaDemonstrativo>& linhas = demonstrativos_[processoId];
    Sentenca& s = m_.banco.sentenca(QStringLiteral("SELECT * FROM TAB_DEMONSTRATIVO_MENSAL WHERE PROCESSO_ID = ?"));
    s.liga(0, processoId);
    while (s.proxima()) {
        LinhaDemonstrativo l(s);
        linhas.emplace(AnoMes(l.ano(), l.mes()), std::move(l));
    }
    return linhas;
}

LinhaDemonstrativo* TdmComuns::Linha(qint64 processoId, int ano, int mes)
{
    auto& linhas = Demonstrativo(processoId);
    const auto it = linhas.find(AnoMes(ano, mes));
    return it == linhas.end() ? nullptr : &it->second;
}

LinhaDemonstrativo& TdmComuns::LinhaExistente(qint64 processoId, int ano, int mes)
{
    LinhaDemonstrativo* l = Linha(processoId, ano, mes);
    if (!l)
        throw Erro(QStringLiteral("Demonstrativo Mensal para %1/%2 não encontrado.").arg(mes).arg(ano));
    return *l;
}

void TdmComuns::GravaDemonstrativo()
{
    // The two texts, made once: every column, in the table's order.
    static const auto [insercao, atualizacao] = [] {
        QStringList colunas, marcadores, atribuicoes;
        for (const Coluna& c : TabelaTrabalho(u"TAB_DEMONSTRATIVO_MENSAL")->colunas) {
            colunas.append(c.nome);
            marcadores.append(QStringLiteral("?"));
            atribuicoes.append(c.nome + QStringLiteral(" = ?"));
        }
        return std::pair{QStringLiteral("INSERT INTO TAB_DEMONSTRATIVO_MENSAL (%1) VALUES (%2)")
                             .arg(colunas.join(u','), marcadores.join(u',')),
            QStringLiteral("UPDATE TAB_DEMONSTRATIVO_MENSAL SET %1 WHERE PROCESSO_ID = ? AND ANO = ? AND MES = ?")
                .arg(atribuicoes.join(u','))};
    }();
    Sentenca* insere = nullptr;
    Sentenca* atualiza = nullptr;
    for (auto& linhas : demonstrativos_) {
        for (auto& [chave, linha] : linhas) {
            if (!linha.nova() && !linha.alterada())
                continue;
            Sentenca*& sentenca = linha.nova() ? insere : atualiza;
            if (!sentenca)
                sentenca = &m_.banco.sentenca(linha.nova() ? insercao : atualizacao);
            Sentenca& s = *sentenca;
            linha.liga(s);
            if (!linha.nova()) {
                s.liga(DM::Quantidade, linha.valor(DM::PROCESSO_ID));
                s.liga(DM::Quantidade + 1, linha.ano());
                s.liga(DM::Quantidade + 2, linha.mes());
            }
            s.executa();
            linha.marcaGravada();
        }
    }
}

Money TdmComuns::TotalCorrigido(qint64 processoId, DM::Coluna coluna)
{
    long double soma = 0;
    for (const auto& [chave, l] : Demonstrativo(processoId))
        if (!l.nulo(coluna))
            soma += l.money(coluna).toReal() * l.indiceCm();
    return Money::fromRealHalfEven(soma);
}

void TdmComuns::DescartaDemonstrativo()
{
    demonstrativos_.clear();
    codigoGuardado_ = -1;
}

Money TdmComuns::MontaMes(QDate data, qint64 processoId)
{
    if (!data.isValid())
        return {};
    const int ano = data.year();
    const int mes = data.month();
    LinhaDemonstrativo* linha = Linha(processoId, ano, mes);
    if (linha && !linha->money(DM::SALARIO_FIXO).isZero())
        return linha->money(DM::SALARIO_FIXO); // an existing row is never recomputed

    // A month after the dismissal (a notice projection) takes the dismissal month's salary.
    const int mesDispensa = dataFimPacto.isValid() ? AnoMes(dataFimPacto) : 0;
    Carga::Variacao v;
    const Carga* carga = carga_ && carga_->processoId == processoId ? carga_.get() : nullptr;
    if (carga) {
        auto it = carga->variacoes.find(AnoMes(ano, mes));
        if (it == carga->variacoes.end())
            it = carga->variacoes.find(mesDispensa);
        if (it == carga->variacoes.end())
            throw Erro(QStringLiteral("Variação Salarial não encontrada."));
        v = it->second;
    } else {
        Sentenca& q = m_.banco.sentenca(
            QStringLiteral("SELECT SALARIO_FIXO, UNIDADE_SALARIO_FIXO, PARADIGMA, UNIDADE_PARADIGMA, SALARIO_VARIAVEL "
                           "FROM TAB_VARIACAO_SALARIAL WHERE PROCESSO_ID = ? AND ANO = ? AND MES = ?"));
        if (!q.liga(0, processoId).liga(1, ano).liga(2, mes).proxima()) {
            q.liga(1, dataFimPacto.isValid() ? dataFimPacto.year() : 0);
            q.liga(2, dataFimPacto.isValid() ? dataFimPacto.month() : 0);
            if (!q.proxima())
                throw Erro(QStringLiteral("Variação Salarial não encontrada."));
        }
        v = Carga::Variacao::le(q, 0);
        q.reinicia();
    }
    Money fixo = v.fixo;
    const QString& unidadeFixo = v.unidadeFixo;
    const Money paradigma = v.paradigma;
    const QString& unidadeParadigma = v.unidadeParadigma;
    const Money variavel = v.variavel;

    // A salary in unit "M" is a number of minimum wages of the month.
    if (unidadeFixo == u"M")
        fixo = SalarioMinimo(mes, ano).mulHalfEven(fixo);
    Money diferenca;
    if (!paradigma.isZero()) {
        Money par = paradigma;
        if (unidadeParadigma == u"M")
            par = SalarioMinimo(mes, ano).mulHalfEven(par);
        diferenca = par - fixo;
        if (diferenca < Money())
            diferenca = Money();
    }

    QDate atualizacao;
    if (carga) {
        atualizacao = carga->atualizacao;
    } else {
        Sentenca& processo =
            m_.banco.sentenca(QStringLiteral("select data_atualizacao from tab_processo where processo_id = ?"));
        atualizacao = processo.liga(0, processoId).proxima() ? lerData(processo.valor(0)) : QDate();
        processo.reinicia();
    }
    // A month that ends after the update date is corrected from the update date itself.
    const QDate referencia = atualizacao >= UltimoDiaMes(data) ? QDate(ano, mes, 1) : atualizacao;
    const auto primeiroDia = carga && referencia.day() == 1 ? carga->indicesPrimeiroDia.find(AnoMes(ano, mes))
                                                            : std::map<int, double>::const_iterator();
    const double fator = carga && referencia.day() == 1 && primeiroDia != carga->indicesPrimeiroDia.end()
        ? corrige(fixo, primeiroDia->second, indiceDoDia(1, atualizacao, true)).fator
        : CorrecaoMonetaria(1, fixo, atualizacao, referencia).fator;

    if (!linha) {
        auto& linhas = Demonstrativo(processoId);
        linha = &linhas.emplace(AnoMes(ano, mes), LinhaDemonstrativo(processoId, ano, mes)).first->second;
    }
    linha->defineMoney(DM::SALARIO_FIXO, fixo);
    linha->defineMoney(DM::SALARIO_VARIAVEL, variavel);
    linha->defineIndiceCm(fator);
    linha->defineMoney(DM::DIFERENCA_SALARIAL, diferenca);
    return linha->money(DM::SALARIO_FIXO);
}

void TdmComuns::MontaPeriodo(qint64 processoId, QDate inicio, QDate fim)
{
    // Months still to build in the period: their salary history and the update date are read
    // once for all of them (the first calculator asks for the whole contract).
    int aMontar = 0;
    if (inicio.isValid() && fim.isValid() && inicio.day() == 1) {
        // From a first day the period is every month up to fim's: the statement, ordered by
        // month, tells without date arithmetic (most callers ask for months already built).
        const int de = AnoMes(inicio), ate = AnoMes(fim);
        int prontos = 0;
        const auto& linhas = Demonstrativo(processoId);
        for (auto it = linhas.lower_bound(de); it != linhas.end() && it->first <= ate; ++it)
            prontos += it->second.money(DM::SALARIO_FIXO).isZero() ? 0 : 1;
        aMontar = std::max(0, ate - de + 1 - prontos);
        if (aMontar == 0)
            return;
    } else {
        for (QDate d = inicio; d.isValid() && d <= fim && aMontar < 2; d = d.addMonths(1)) {
            const LinhaDemonstrativo* l = Linha(processoId, d.year(), d.month());
            if (!l || l->money(DM::SALARIO_FIXO).isZero())
                ++aMontar;
        }
    }
    const bool carrega = aMontar > 1 && !carga_;
    if (carrega) {
        auto carga = std::make_shared<Carga>(Carga{processoId, {}, {}, {}});
        Sentenca& q = m_.banco.sentenca(
            QStringLiteral("SELECT ANO, MES, SALARIO_FIXO, UNIDADE_SALARIO_FIXO, PARADIGMA, UNIDADE_PARADIGMA, "
                           "SALARIO_VARIAVEL FROM TAB_VARIACAO_SALARIAL WHERE PROCESSO_ID = ? AND "
                           "((ANO * 12 + MES BETWEEN ? AND ?) OR (ANO = ? AND MES = ?))"));
        q.liga(0, processoId).liga(1, AnoMes(inicio)).liga(2, AnoMes(fim));
        q.liga(3, dataFimPacto.isValid() ? dataFimPacto.year() : 0)
            .liga(4, dataFimPacto.isValid() ? dataFimPacto.month() : 0);
        while (q.proxima())
            carga->variacoes.emplace(AnoMes(int(q.inteiro(0)), int(q.inteiro(1))), Carga::Variacao::le(q, 2));
        Sentenca& processo =
            m_.banco.sentenca(QStringLiteral("select data_atualizacao from tab_processo where processo_id = ?"));
        carga->atualizacao = processo.liga(0, processoId).proxima() ? lerData(processo.valor(0)) : QDate();
        processo.reinicia();
        // The index of the first day of every month of the period, in one statement.
        Sentenca& indices = m_.banco.sentenca(QStringLiteral(
            "WITH RECURSIVE meses(dia) AS (SELECT ? UNION ALL SELECT date(dia, '+1 month') FROM meses WHERE dia < ?) "
            "SELECT dia, Indice FROM meses JOIN DIARIO ON DIARIO.Data = meses.dia AND DIARIO.CodIndice = 1 "
            "WHERE Indice IS NOT NULL"));
        indices.liga(0, bancoData(QDate(inicio.year(), inicio.month(), 1)))
            .liga(1, bancoData(QDate(fim.year(), fim.month(), 1)));
        while (indices.proxima())
            carga->indicesPrimeiroDia.emplace(AnoMes(lerData(indices.valor(0))), indices.real(1));
        carga_ = std::move(carga);
    }
    const auto solta = qScopeGuard([&] {
        if (carrega)
            carga_.reset();
    });
    for (QDate d = inicio; d.isValid() && d <= fim; d = d.addMonths(1)) {
        MontaMes(d, processoId);
        m_.feedback.processaEventos();
    }
}

Money TdmComuns::ComposicaoSalarial(const Composicao& partes, QDate data, qint64 processoId)
{
    if (!data.isValid())
        return {};
    // A month already built (with a salary) is what MontaMes would leave as it is.
    const int ano = data.year(), mes = data.month();
    const LinhaDemonstrativo* l = Linha(processoId, ano, mes);
    if (!l || l->money(DM::SALARIO_FIXO).isZero()) {
        MontaMes(data, processoId);
        l = Linha(processoId, ano, mes);
    }
    if (!l)
        return {};
    Money soma;
    if (partes.fixo)
        soma += l->money(DM::SALARIO_FIXO);
    if (partes.diferenca)
        soma += l->money(DM::DIFERENCA_SALARIAL);
    if (partes.variavel)
        soma += l->money(DM::SALARIO_VARIAVEL);
    if (partes.horaExtra)
        soma += l->money(DM::HORA_EXTRA);
    if (partes.noturno)
        soma += l->money(DM::NOTURNO);
    if (partes.insalubridade)
        soma += l->money(DM::INSALUBRIDADE);
    if (partes.periculosidade)
        soma += l->money(DM::PERICULOSIDADE);
    if (partes.sexto)
        soma += soma.divHalfEven(6);
    return soma;
}

Money TdmComuns::SalarioMinimo(int mes, int ano)
{
    Sentenca& s = m_.banco.sentenca(QStringLiteral("select salmin from valores where mes = ? and ano = ?"));
    const Money salario = s.liga(0, mes).liga(1, ano).proxima() ? Money::fromRealHalfEven(s.real(0)) : Money();
    s.reinicia();
    if (salario.isZero())
        throw Erro(QStringLiteral("Não Existe Salário Mínimo para a data informada(%1/%2).").arg(mes).arg(ano));
    return salario;
}

double TdmComuns::indiceDoDia(int codIndice, QDate dia, bool guardado)
{
    if (guardado && codigoGuardado_ == codIndice && diaGuardado_ == dia)
        return indiceGuardado_;
    Sentenca& s = m_.banco.sentenca(QStringLiteral("select indice from diario where data = ? and codIndice = ?"));
    const bool existe = s.liga(0, bancoData(dia)).liga(1, codIndice).proxima() && !s.nulo(0);
    const double indice = existe ? s.real(0) : 0;
    s.reinicia();
    if (!existe)
        throw Erro(QStringLiteral("Não Existe Índice para a data : %1.").arg(dia.toString(QStringLiteral("dd/MM/yyyy"))));
    if (guardado) {
        codigoGuardado_ = codIndice;
        diaGuardado_ = dia;
        indiceGuardado_ = indice;
    }
    return indice;
}

TdmComuns::Correcao TdmComuns::CorrecaoMonetaria(int codIndice, Money valor, QDate atualizacao, QDate referencia)
{
    const double indiceReferencia = indiceDoDia(codIndice, referencia, false);
    return corrige(valor, indiceReferencia, indiceDoDia(codIndice, atualizacao, true));
}

void TdmComuns::AtualizaColuna(int ano, int mes, const QString& coluna, Money valor, qint64 processoId)
{
    LinhaDemonstrativo* l = Linha(processoId, ano, mes);
    const int i = TabelaTrabalho(u"TAB_DEMONSTRATIVO_MENSAL")->indice(coluna);
    if (l && i >= 0)
        l->defineValor(i, bancoMoney(valor));
}

double TdmComuns::IndiceCorrecao(int mes, int ano, qint64 processoId)
{
    const LinhaDemonstrativo* l = Linha(processoId, ano, mes);
    if (!l || l->money(DM::SALARIO_FIXO).isZero()) { // else MontaMes would leave it as it is
        MontaMes(QDate(ano, mes, 1), processoId);
        l = Linha(processoId, ano, mes);
    }
    return l ? l->indiceCm() : 0.0;
}

} // namespace quintar
