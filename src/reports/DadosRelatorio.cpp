#include "DadosRelatorio.h"

#include "BancoDados.h"
#include "Erro.h"

#include <QSqlQuery>

namespace quintar {

namespace {

// The display text of an identification field: zero-padded, blank when empty.
QString parte(const QVariant& valor, int digitos)
{
    if (valor.isNull())
        return {};
    const qlonglong v = valor.toLongLong();
    const QString numero = QString::number(v < 0 ? -v : v).rightJustified(digitos, u'0');
    return v < 0 ? u'-' + numero : numero;
}

QString chaveSemDigito(const QSqlRecord& p)
{
    return parte(p.value(QStringLiteral("NUMERO")), 5) + u'.' + parte(p.value(QStringLiteral("ANO")), 4) + u'.'
        + parte(p.value(QStringLiteral("VARA")), 3) + u'.' + parte(p.value(QStringLiteral("REGIONAL")), 2) + u'.'
        + parte(p.value(QStringLiteral("SEQUENCIAL")), 2);
}

} // namespace

QString Chave(const QSqlRecord& processo)
{
    return chaveSemDigito(processo) + u'.' + parte(processo.value(QStringLiteral("DV")), 1);
}

QString ChaveArquivo(const QSqlRecord& processo)
{
    return chaveSemDigito(processo);
}

DadosRelatorio LeDadosRelatorio(BancoDados& banco, qint64 processoId)
{
    DadosRelatorio dados;
    {
        QSqlQuery& q = banco.executa(QStringLiteral("SELECT * FROM Tab_processo WHERE PROCESSO_ID = :PROCESSO_ID"),
            {{"PROCESSO_ID", processoId}});
        if (q.next())
            dados.que1 = q.record();
        q.finish();
    }
    if (dados.que1.isEmpty())
        throw Erro(QStringLiteral("Processo %1 não encontrado.").arg(processoId));

    QSqlQuery& q = banco.executa(
        QStringLiteral(
            "SELECT PROCESSO_ID, ANO, MES, SALARIO_FIXO, SALARIO_VARIAVEL, INDICE_CM, SALARIO, AVISO_PREVIO, "
            "DECIMO_TERCEIRO_SALARIO, FERIAS, HORA_EXTRA, NUMERO_MEDIO_HE_DIURNO, SALARIO_HE_DIURNO, "
            "NUMERO_MEDIO_HE_NOTURNO, SALARIO_HE_NOTURNO, FGTS, INSS, ALIQUOTA_INSS, INSS_EMPREGADOR, "
            "ALIQUOTA_INSS_EMPREGADOR, INSS_RAT, ALIQUOTA_INSS_RAT, INSS_TERCEIROS, ALIQUOTA_INSS_TERCEIROS, "
            "NOTURNO, NUMERO_MEDIO_HN, SALARIO_HORA_NOTURNO, INSALUBRIDADE, PERICULOSIDADE, OUTROS_CREDITO, "
            "OUTROS_DEBITO, RSR, DIFERENCA_SALARIAL FROM TAB_DEMONSTRATIVO_MENSAL "
            "WHERE PROCESSO_ID = :PROCESSO_ID ORDER BY ANO, MES"),
        {{"PROCESSO_ID", processoId}});
    while (q.next())
        dados.QueDemoMensal.append(q.record());
    q.finish();
    return dados;
}

} // namespace quintar
