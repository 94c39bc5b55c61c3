#include "RelatoriosConsulta.h"

#include "Formatos.h"

#include <functional>

namespace quintar {

namespace {

struct ColunaConsulta {
    QString titulo;
    qreal largura;
    std::function<QString(const QSqlRecord&)> valor;
};

QVariant campo(const QSqlRecord& r, const char* nome)
{
    return r.value(QLatin1String(nome));
}

ColunaConsulta mesAno(const char* mes, const char* ano, qreal largura)
{
    return {QStringLiteral("Mês/Ano"), largura, [mes, ano](const QSqlRecord& r) -> QString {
                const QVariant m = campo(r, mes), a = campo(r, ano);
                if (m.isNull() && a.isNull())
                    return QString();
                return QString::number(m.toLongLong()) + u'/' + QString::number(a.toLongLong());
            }};
}

ColunaConsulta agrupado(const QString& titulo, const char* nome, qreal largura)
{
    return {titulo, largura, [nome](const QSqlRecord& r) { return FormataAgrupado(campo(r, nome), 2); }};
}

ColunaConsulta fixo(const QString& titulo, const char* nome, int casas, qreal largura)
{
    return {titulo, largura, [nome, casas](const QSqlRecord& r) { return FormataFixo(campo(r, nome), casas); }};
}

QVector<Pagina> relatorioConsulta(const QString& titulo, QPageLayout::Orientation orientacao,
    const QVector<ColunaConsulta>& colunas, const QVector<QSqlRecord>& linhas, qreal pontos)
{
    const Fonte f = Rotulo(pontos), fn = Rotulo(pontos, true);
    const qreal altura = pontos * 0.45;
    MontaPaginas m(orientacao, QMarginsF(10, 12, 10, 12));
    qreal largura = 0;
    for (const ColunaConsulta& c : colunas)
        largura += c.largura;
    // The list is centred on the sheet.
    const qreal x0 = m.esquerda() + std::max<qreal>(0, (m.largura() - largura) / 2);
    const auto celula = [&](int k, qreal y) {
        qreal x = x0;
        for (int i = 0; i < k; ++i)
            x += colunas[i].largura;
        return QRectF(x + 0.5, y, colunas[k].largura - 1.5, altura);
    };
    m.alturaRodape = 6;
    m.rodape = [](Pagina& p, const QRectF& area, int numero, int total) {
        p.texto(QRectF(area.left(), area.bottom() - 4, area.width(), 4),
            QStringLiteral("Página %1 de %2").arg(numero).arg(total), Rotulo(8), Qt::AlignRight | Qt::AlignVCenter);
    };
    m.cabecalho = [&](MontaPaginas& mp) {
        Pagina& p = mp.atual();
        p.texto(QRectF(mp.esquerda(), mp.y, mp.largura(), 7), titulo, Titulo(12), Qt::AlignCenter);
        mp.y += 11;
        for (int k = 0; k < colunas.size(); ++k)
            p.texto(celula(k, mp.y), colunas[k].titulo, fn, Qt::AlignRight | Qt::AlignVCenter);
        mp.y += altura + 0.5;
        p.linha(QPointF(x0, mp.y), QPointF(x0 + largura, mp.y));
        mp.y += 1;
    };
    m.novaPagina();
    for (const QSqlRecord& r : linhas) {
        m.garante(altura);
        for (int k = 0; k < colunas.size(); ++k)
            m.atual().texto(celula(k, m.y), colunas[k].valor(r), f, Qt::AlignRight | Qt::AlignVCenter);
        m.y += altura;
    }
    return m.paginas();
}

} // namespace

QVector<Pagina> RelatorioIndices(const QVector<QSqlRecord>& linhas)
{
    const QVector<ColunaConsulta> colunas = {
        {QStringLiteral("Data"), 30, [](const QSqlRecord& r) { return FormataData(campo(r, "Data")); }},
        fixo(QStringLiteral("Índice"), "Indice", 12, 45),
    };
    return relatorioConsulta(QStringLiteral("Índices Diários"), QPageLayout::Portrait, colunas, linhas, 10);
}

QVector<Pagina> RelatorioFaixasInss(const QVector<QSqlRecord>& linhas)
{
    // 9 points: 1.9 mm a character.
    QVector<ColunaConsulta> colunas = {
        mesAno("Mes", "Ano", 16), agrupado(QStringLiteral("Limite Minimo"), "LimiteMinimo", 27)};
    const char* const limites[] = {"Limite1", "Limite2", "Limite3", "Limite4", "Limite5"};
    const char* const percentuais[] = {"Percentual1", "Percentual2", "Percentual3", "Percentual4", "Percentual5"};
    for (int i = 0; i < 5; ++i) {
        colunas.append(agrupado(QStringLiteral("Limite %1").arg(i + 1), limites[i], 25));
        colunas.append(fixo(QStringLiteral("% %1").arg(i + 1), percentuais[i], 2, 13));
    }
    return relatorioConsulta(QStringLiteral("Faixas de INSS"), QPageLayout::Landscape, colunas, linhas, 9);
}

QVector<Pagina> RelatorioFaixasIr(const QVector<QSqlRecord>& linhas)
{
    // 8 points: 1.7 mm a character.
    QVector<ColunaConsulta> colunas = {
        mesAno("Mes", "Ano", 16), agrupado(QStringLiteral("Limite Minimo"), "LimiteMinimo", 24)};
    const char* const limites[] = {"Limite1", "Limite2", "Limite3"};
    const char* const percentuais[] = {"Percentual1", "Percentual2", "Percentual3"};
    const char* const deducoes[] = {"Deducao1", "Deducao2", "Deducao3"};
    for (int i = 0; i < 3; ++i) {
        colunas.append(agrupado(QStringLiteral("Limite %1").arg(i + 1), limites[i], 22));
        colunas.append(fixo(QStringLiteral("% %1").arg(i + 1), percentuais[i], 2, 12));
        colunas.append(agrupado(QStringLiteral("Dedução %1").arg(i + 1), deducoes[i], 22));
    }
    colunas.append(fixo(QStringLiteral("% Máx."), "PercentualMaximo", 2, 12));
    colunas.append(agrupado(QStringLiteral("Ded. Máx."), "DeducaoMaximo", 22));
    colunas.append(agrupado(QStringLiteral("Ded. Base"), "DeducaoDaBase", 22));
    return relatorioConsulta(QStringLiteral("Faixas de IR"), QPageLayout::Landscape, colunas, linhas, 8);
}

QVector<Pagina> RelatorioValores(const QVector<QSqlRecord>& linhas)
{
    const QVector<ColunaConsulta> colunas = {
        mesAno("MES", "ANO", 20), agrupado(QStringLiteral("Salário Mínimo"), "SALMIN", 40)};
    return relatorioConsulta(QStringLiteral("Valores Mensais"), QPageLayout::Portrait, colunas, linhas, 10);
}

} // namespace quintar
