#include "RelatoriosConsulta.h"
#include "test_reports_apoio.h"

#include <QSqlRecord>

#include <functional>

#include <gtest/gtest.h>

using namespace quintar;
using namespace quintar::teste;

namespace {

QVector<QSqlRecord> consulta(Ambiente& a, const QString& sql)
{
    QSqlQuery q(a.banco.conexao());
    EXPECT_TRUE(q.exec(sql)) << sql.toStdString();
    QVector<QSqlRecord> linhas;
    while (q.next())
        linhas.append(q.record());
    return linhas;
}

const QString CondicaoMeses = QStringLiteral(" WHERE ((ANO * 12) + MES) >= 0 AND ((ANO * 12) + MES) <= 30000 "
                                             "ORDER BY ANO DESC, MES DESC");

} // namespace

TEST(Consultas, TitlesOrientationHeadingsAndFormats)
{
    Ambiente a;
    Executa(a,
        QStringLiteral("INSERT INTO DIARIO (CodIndice, Data, Indice) VALUES (1, '2008-03-05', 1.0114865812345678), "
                       "(1, '2008-03-04', 0.000123456789012), (2, '2008-03-04', 9)"));
    Executa(a,
        QStringLiteral(
            "INSERT INTO FAIXASINSS VALUES (2008, 3, 0, 911.7, 8, 1050, 9, 1519.5, 11, 3038.99, 11, NULL, NULL)"));
    Executa(a,
        QStringLiteral("INSERT INTO FAIXASIR VALUES (2008, 1, 0, 1372.81, 0, 0, 2743.25, 15, 205.92, 0, 0, 0, 27.5, "
                       "548.82, 137.99, 1234567.891)"));
    Executa(a,
        QStringLiteral(
            "INSERT INTO VALORES (Ano, Mes, SalMin) VALUES (2008, 3, 415), (2009, 2, 1234.56), (2010, 1, NULL)"));

    struct Caso {
        const char* nome;
        std::function<QVector<Pagina>(const QVector<QSqlRecord>&)> relatorio;
        QString sql;
        QPageLayout::Orientation orientacao;
        QStringList cabecalho;
        QStringList primeiraLinha;
    } casos[] = {
        {"index", RelatorioIndices,
            QStringLiteral("SELECT DATA, INDICE FROM DIARIO WHERE DATA >= '1900-01-01' AND DATA <= '2100-01-01' "
                           "AND CODINDICE = 1 ORDER BY DATA DESC"),
            QPageLayout::Portrait,
            {QStringLiteral("Índices Diários"), QStringLiteral("Data"), QStringLiteral("Índice")},
            {QStringLiteral("05/03/2008"), QStringLiteral("1,011486581235"), QStringLiteral("04/03/2008"),
                QStringLiteral("0,000123456789")}},
        {"INSS", RelatorioFaixasInss, QStringLiteral("SELECT * FROM FAIXASINSS") + CondicaoMeses,
            QPageLayout::Landscape,
            {QStringLiteral("Faixas de INSS"), QStringLiteral("Mês/Ano"), QStringLiteral("Limite Minimo"),
                QStringLiteral("Limite 1"), QStringLiteral("% 1"), QStringLiteral("Limite 2"), QStringLiteral("% 2"),
                QStringLiteral("Limite 3"), QStringLiteral("% 3"), QStringLiteral("Limite 4"), QStringLiteral("% 4"),
                QStringLiteral("Limite 5"), QStringLiteral("% 5")},
            {QStringLiteral("3/2008"), QStringLiteral("0,00"), QStringLiteral("911,70"), QStringLiteral("8,00"),
                QStringLiteral("1.050,00"), QStringLiteral("9,00"), QStringLiteral("1.519,50"), QStringLiteral("11,00"),
                QStringLiteral("3.038,99"), QStringLiteral("11,00")}},
        {"IR", RelatorioFaixasIr,
            QStringLiteral(
                "SELECT ANO, MES, LIMITEMINIMO, LIMITE1, PERCENTUAL1, DEDUCAO1, LIMITE2, PERCENTUAL2, DEDUCAO2, "
                "LIMITE3, PERCENTUAL3, DEDUCAO3, PERCENTUALMAXIMO, DEDUCAOMAXIMO, DEDUCAODEPENDENTE, "
                "DEDUCAODABASE FROM FAIXASIR")
                + CondicaoMeses,
            QPageLayout::Landscape,
            {QStringLiteral("Faixas de IR"), QStringLiteral("Mês/Ano"), QStringLiteral("Limite Minimo"),
                QStringLiteral("Limite 1"), QStringLiteral("% 1"), QStringLiteral("Dedução 1"),
                QStringLiteral("Limite 2"), QStringLiteral("% 2"), QStringLiteral("Dedução 2"),
                QStringLiteral("Limite 3"), QStringLiteral("% 3"), QStringLiteral("Dedução 3"),
                QStringLiteral("% Máx."), QStringLiteral("Ded. Máx."), QStringLiteral("Ded. Base")},
            {QStringLiteral("1/2008"), QStringLiteral("0,00"), QStringLiteral("1.372,81"), QStringLiteral("0,00"),
                QStringLiteral("0,00"), QStringLiteral("2.743,25"), QStringLiteral("15,00"), QStringLiteral("205,92"),
                QStringLiteral("0,00"), QStringLiteral("0,00"), QStringLiteral("0,00"), QStringLiteral("27,50"),
                QStringLiteral("548,82"), QStringLiteral("1.234.567,89")}},
        {"minimum wage", RelatorioValores, QStringLiteral("SELECT MES, ANO, SALMIN FROM VALORES") + CondicaoMeses,
            QPageLayout::Portrait,
            {QStringLiteral("Valores Mensais"), QStringLiteral("Mês/Ano"), QStringLiteral("Salário Mínimo")},
            // The empty minimum wage of 2010 prints blank.
            {QStringLiteral("1/2010"), QStringLiteral("2/2009"), QStringLiteral("1.234,56"), QStringLiteral("3/2008"),
                QStringLiteral("415,00")}},
    };
    for (const Caso& c : casos) {
        const QVector<Pagina> paginas = c.relatorio(consulta(a, c.sql));
        ASSERT_EQ(paginas.size(), 1) << c.nome;
        EXPECT_EQ(paginas[0].orientacao, c.orientacao) << c.nome;
        const QStringList t = paginas[0].textos();
        EXPECT_EQ(t.mid(0, c.cabecalho.size()), c.cabecalho) << c.nome;
        EXPECT_EQ(t.mid(c.cabecalho.size(), c.primeiraLinha.size()), c.primeiraLinha) << c.nome;
        EXPECT_EQ(t.last(), QStringLiteral("Página 1 de 1")) << c.nome;
        // Values right-aligned under their headings, inside the sheet.
        for (const Comando& v : paginas[0].comandos)
            if (v.tipo == Comando::Texto) {
                EXPECT_LE(v.area.right(), paginas[0].tamanho().width() - 10 + 0.001) << c.nome;
                EXPECT_LE(v.texto.size() * v.fonte.larguraCaractere(), v.area.width() + 0.01)
                    << c.nome << ": " << v.texto.toStdString();
            }
    }
}

TEST(Consultas, ManyRowsKeepTheirOrderAndRepeatTheHeadings)
{
    Ambiente a;
    QDate d(2008, 1, 1);
    for (int i = 0; i < 200; ++i, d = d.addDays(1))
        Executa(a,
            QStringLiteral("INSERT INTO DIARIO VALUES (1, '%1', %2)").arg(d.toString(Qt::ISODate)).arg(1 + i / 1000.0));
    const QVector<Pagina> paginas = RelatorioIndices(
        consulta(a, QStringLiteral("SELECT DATA, INDICE FROM DIARIO WHERE CODINDICE = 1 ORDER BY DATA DESC")));
    ASSERT_GE(paginas.size(), 3);
    QStringList datas;
    for (const Pagina& p : paginas) {
        const QStringList t = p.textos();
        EXPECT_EQ(t.mid(0, 3),
            (QStringList{QStringLiteral("Índices Diários"), QStringLiteral("Data"), QStringLiteral("Índice")}));
        for (int i = 3; i + 1 < t.size(); i += 2)
            datas.append(t[i]);
    }
    ASSERT_EQ(datas.size(), 200);
    EXPECT_EQ(datas.first(), QStringLiteral("18/07/2008"));
    EXPECT_EQ(datas.last(), QStringLiteral("01/01/2008"));
}
