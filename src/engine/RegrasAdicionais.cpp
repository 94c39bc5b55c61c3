#include "RegrasAdicionais.h"

#include "BancoDados.h"
#include "Erro.h"
#include "Esquema.h"
#include "FonteDados.h"
#include "RegrasEditores.h"
#include "Rotinas.h"
#include "Valores.h"

#include <QSqlError>

namespace quintar {

namespace {

// The four period columns filled and in range, then the period within the contract; the
// grid's cursor goes to the month each refusal names.
void checaPeriodo(const FonteDados& linha, QDate inicioPacto, QDate fimPacto)
{
    struct Limite {
        const char* coluna;
        int minimo, maximo;
    };
    static const Limite limites[] = {
        {"MES_INICIAL", 1, 12}, {"ANO_INICIAL", 1900, 2100}, {"MES_FINAL", 1, 12}, {"ANO_FINAL", 1900, 2100}};
    for (const Limite& l : limites) {
        const QString coluna = QString::fromLatin1(l.coluna);
        ExigeValor(linha, coluna, TituloColunaLinha(coluna));
        ExigeFaixa(linha, coluna, TituloColunaLinha(coluna), l.minimo, l.maximo);
    }
    ValidaPeriodo(linha, inicioPacto, fimPacto, QStringLiteral("MES_INICIAL"));
}

Money media(const FonteDados& linha, const char* coluna)
{
    return lerMoney(linha.valor(QString::fromLatin1(coluna)));
}

QString deveSerMaiorQueZero(const char* coluna)
{
    return TituloColunaLinha(QString::fromLatin1(coluna)) + QStringLiteral(" deve ser maior que zero.");
}

const QString Divisor220 = QStringLiteral("220 - (8 Horas Diárias)");
const QString Divisor180 = QStringLiteral("180 - (6 Horas Diárias)");

} // namespace

QString TituloColunaLinha(QStringView coluna)
{
    static const std::pair<const char*, const char*> titulos[] = {
        {"MES_INICIAL", "Mês Inicial"},
        {"ANO_INICIAL", "Ano Inicial"},
        {"MES_FINAL", "Mês Final"},
        {"ANO_FINAL", "Ano Final"},
        {"NUMERO_MEDIO_DIURNO", "Média H.E.Diurnas Mês"},
        {"NUMERO_MEDIO_NOTURNO", "Média H.E.Noturnas Mês"},
        {"NUMERO_MEDIO", "Nro Médio Horas Mês"},
    };
    for (const auto& [nome, titulo] : titulos)
        if (coluna.compare(QLatin1String(nome), Qt::CaseInsensitive) == 0)
            return QString::fromUtf8(titulo);
    return coluna.toString();
}

void ValidaLinhaHorasExtras(const FonteDados& linha, QDate inicioPacto, QDate fimPacto)
{
    checaPeriodo(linha, inicioPacto, fimPacto);
    for (const char* coluna : {"NUMERO_MEDIO_DIURNO", "NUMERO_MEDIO_NOTURNO"})
        if (media(linha, coluna) < Money())
            throw Erro(deveSerMaiorQueZero(coluna), QString::fromLatin1(coluna));
    if (media(linha, "NUMERO_MEDIO_DIURNO").isZero() && media(linha, "NUMERO_MEDIO_NOTURNO").isZero())
        throw Erro(QStringLiteral("Alguma Média deve ser maior que zero."), QStringLiteral("NUMERO_MEDIO_DIURNO"));
}

void ValidaLinhaNoturno(const FonteDados& linha, QDate inicioPacto, QDate fimPacto)
{
    checaPeriodo(linha, inicioPacto, fimPacto);
    if (!(media(linha, "NUMERO_MEDIO") > Money()))
        throw Erro(deveSerMaiorQueZero("NUMERO_MEDIO"), QStringLiteral("NUMERO_MEDIO"));
}

QString TextoDivisor(std::optional<int> divisor)
{
    if (!divisor)
        return {};
    if (*divisor == 220)
        return Divisor220;
    if (*divisor == 180)
        return Divisor180;
    return QString::number(*divisor);
}

std::optional<int> DivisorDoTexto(const QString& texto)
{
    if (texto == Divisor220)
        return 220;
    if (texto == Divisor180)
        return 180;
    bool ok = false;
    const int n = texto.trimmed().toInt(&ok);
    return ok ? std::optional<int>(n) : std::nullopt;
}

QStringList TextosDivisor()
{
    return {Divisor220, Divisor180};
}

ReflexosPremio LeReflexos(BancoDados& banco, qint64 processoId, const QString& item)
{
    ReflexosPremio r;
    r.coluna = QStringLiteral("SOBRE_") + item.toUpper();
    if (TabelaTrabalho(u"TAB_FERIAS")->indice(r.coluna) < 0)
        throw Erro(QStringLiteral("Tipo deve ser Hora_Extra ou Noturno ou Insalubridade ou Periculosidade ou RSR."));
    static const std::pair<const char*, const char*> rotulos[] = {
        {"SOBRE_HORA_EXTRA", "Horas Extras"},
        {"SOBRE_NOTURNO", "Adicional Noturno"},
        {"SOBRE_INSALUBRIDADE", "Insalubridade"},
        {"SOBRE_PERICULOSIDADE", "Periculosidade"},
        {"SOBRE_RSR", "Descanso Semanal Remunerado"},
    };
    for (const auto& [coluna, rotulo] : rotulos)
        if (r.coluna == QLatin1String(coluna))
            r.titulo = QStringLiteral("Reflexos - ") + QString::fromUtf8(rotulo);
    if (r.titulo.isEmpty())
        throw Erro(QStringLiteral("Tipo deve ser Hora_Extra ou Noturno ou Insalubridade ou Periculosidade ou RSR."));

    static const std::pair<const char*, const char*> itens[] = {
        {"TAB_AVISO_PREVIO", "CALCULA_AVISO_PREVIO"},
        {"TAB_13_SALARIO", "CALCULA_13_SALARIO"},
        {"TAB_FERIAS", "CALCULA_FERIAS"},
    };
    for (int i = 0; i < 3; ++i) {
        ReflexoItem& it = r.itens[i];
        it.tabela = QString::fromLatin1(itens[i].first);
        it.habilitado = ehSim(banco.escalar(
            QStringLiteral("SELECT %1 FROM TAB_PROCESSO WHERE PROCESSO_ID = :id").arg(QLatin1String(itens[i].second)),
            {{"id", processoId}}));
        if (it.habilitado)
            it.marcado =
                ehSim(banco.escalar(QStringLiteral("SELECT %1 FROM %2 WHERE PROCESSO_ID = :id ORDER BY %3 LIMIT 1")
                                        .arg(r.coluna, it.tabela, TabelaTrabalho(it.tabela)->chave.join(u',')),
                    {{"id", processoId}}));
    }
    return r;
}

void GravaReflexos(BancoDados& banco, qint64 processoId, const ReflexosPremio& r)
{
    static const char* const colunas[] = {
        "SOBRE_HORA_EXTRA", "SOBRE_NOTURNO", "SOBRE_INSALUBRIDADE", "SOBRE_PERICULOSIDADE", "SOBRE_RSR"};
    QStringList nomes;
    for (const char* c : colunas)
        nomes.append(QString::fromLatin1(c));
    Transacao t(banco);
    for (const ReflexoItem& it : r.itens) {
        if (!it.habilitado)
            continue;
        QSqlQuery& primeira =
            banco.executa(QStringLiteral("SELECT %1 FROM %2 WHERE PROCESSO_ID = :id ORDER BY %3 LIMIT 1")
                              .arg(nomes.join(u','), it.tabela, TabelaTrabalho(it.tabela)->chave.join(u',')),
                {{"id", processoId}});
        if (!primeira.next()) {
            primeira.finish();
            continue;
        }
        QVariantList valores;
        for (int c = 0; c < nomes.size(); ++c)
            valores.append(nomes[c] == r.coluna ? QVariant(FlagSN(it.marcado)) : primeira.value(c));
        primeira.finish();
        QStringList atribuicoes;
        for (const QString& n : nomes)
            atribuicoes.append(n + QStringLiteral(" = ?"));
        QSqlQuery& q = banco.consulta(
            QStringLiteral("UPDATE %1 SET %2 WHERE PROCESSO_ID = ?").arg(it.tabela, atribuicoes.join(u',')));
        for (int c = 0; c < valores.size(); ++c)
            q.bindValue(c, valores[c]);
        q.bindValue(valores.size(), processoId);
        if (!q.exec())
            throw Erro(MensagemErroBanco(q.lastError()));
    }
    t.confirma();
}

} // namespace quintar
