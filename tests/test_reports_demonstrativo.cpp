#include "RelatoriosCalculo.h"
#include "test_reports_apoio.h"

#include "Money.h"

#include <QSqlRecord>

#include <gtest/gtest.h>

using namespace quintar;
using namespace quintar::teste;

namespace {

const QString TituloDemo = QStringLiteral("D E M ON S T R A T I VO  D E  C Á L C U L O");
const QStringList Comuns = {QStringLiteral("Ano/Mês"), QStringLiteral("Remunera."), QStringLiteral("Índice CM")};
const QStringList Passagem1 = Comuns
    + QStringList{QStringLiteral("Aviso Prév."), QStringLiteral("Salário"), QStringLiteral("13º Salario"),
        QStringLiteral("Férias"), QStringLiteral("FGTS"), QStringLiteral("INSS Recl.")};
const QStringList Passagem2 = Comuns
    + QStringList{QStringLiteral("Hor. Extras"), QStringLiteral("Ad. Noturno"), QStringLiteral("Ad. Insal."),
        QStringLiteral("Ad.Peric."), QStringLiteral("Out.Créd."), QStringLiteral("Out. Déb.")};

// The texts of one line of a page: those whose boxes share the middle of the given text's box.
QVector<const Comando*> linhaDe(const Pagina& p, const QString& primeiro)
{
    const Comando* ancora = nullptr;
    for (const Comando& c : p.comandos)
        if (c.tipo == Comando::Texto && c.texto == primeiro) {
            ancora = &c;
            break;
        }
    QVector<const Comando*> linha;
    if (!ancora)
        return linha;
    for (const Comando& c : p.comandos)
        if (c.tipo == Comando::Texto && qAbs(c.area.center().y() - ancora->area.center().y()) < 0.05)
            linha.append(&c);
    std::sort(linha.begin(), linha.end(), [](auto a, auto b) { return a->area.left() < b->area.left(); });
    return linha;
}

QStringList textos(const QVector<const Comando*>& linha)
{
    QStringList t;
    for (const Comando* c : linha)
        t.append(c->texto);
    return t;
}

Money lido(const QString& impresso)
{
    bool ok = false;
    const Money m = Money::parse(QString(impresso).remove(u'.'), u',', &ok);
    EXPECT_TRUE(ok) << impresso.toStdString();
    return m;
}

// The statement's data lines of some pages: from the line under the headings to the totals.
QVector<QVector<const Comando*>> linhasDeDados(const QVector<Pagina>& paginas, int de, int ate)
{
    QVector<QVector<const Comando*>> linhas;
    for (int i = de; i <= ate; ++i)
        for (const QString& t : paginas[i].textos())
            if (t.contains(QRegularExpression(QStringLiteral("^\\d{4}/\\d{1,2}$"))))
                linhas.append(linhaDe(paginas[i], t));
    return linhas;
}

} // namespace

TEST(Demonstrativo, TwoPassesFromNewPagesWithTheHeaderOnEveryPage)
{
    Ambiente a;
    const DadosRelatorio d = CarregaCasoCalculado(a);
    ASSERT_EQ(d.QueDemoMensal.size(), 75);
    const Relatorio r = RepDemoMensal(d);
    ASSERT_EQ(r.paginas.size(), 4); // 75 lines do not fit on one page
    for (int i = 0; i < 4; ++i) {
        const QStringList t = r.paginas[i].textos();
        EXPECT_EQ(t.mid(0, 7),
            (QStringList{TituloDemo, QStringLiteral("Processo:"), QStringLiteral("123"), QStringLiteral("Reclamante:"),
                QStringLiteral("José da Conceição Araújo"), QStringLiteral("Reclamado:"),
                QStringLiteral("Indústria Metalúrgica São João Ltda.")}))
            << "page " << i + 1;
        EXPECT_EQ(t.mid(7, 9), i < 2 ? Passagem1 : Passagem2) << "page " << i + 1;
        EXPECT_EQ(t.last(), QStringLiteral("Página %1 de 4").arg(i + 1));
        EXPECT_EQ(r.paginas[i].orientacao, QPageLayout::Portrait);
    }
    // Each pass starts on its own page and lists every month once, in order.
    QStringList meses;
    for (const QSqlRecord& l : d.QueDemoMensal)
        meses.append(QStringLiteral("%1/%2")
                         .arg(l.value(QStringLiteral("ANO")).toInt())
                         .arg(l.value(QStringLiteral("MES")).toInt()));
    for (const auto& [de, ate] : {std::pair{0, 1}, std::pair{2, 3}}) {
        QStringList impressos;
        for (const auto& linha : linhasDeDados(r.paginas, de, ate))
            impressos.append(linha.first()->texto);
        EXPECT_EQ(impressos, meses);
    }
    EXPECT_EQ(r.paginas[0].textos()[16], QStringLiteral("2002/2"));
    EXPECT_EQ(r.paginas[2].textos()[16], QStringLiteral("2002/2"));
    EXPECT_FALSE(r.paginas[0].textos().contains(QStringLiteral("Total Época:")));
    EXPECT_TRUE(r.paginas[1].textos().contains(QStringLiteral("Total Época:")));
}

TEST(Demonstrativo, ColumnFormatsOfTheTwoPasses)
{
    Ambiente a;
    const Relatorio r = RepDemoMensal(CarregaCasoCalculado(a));
    // 2008/3: 1234.5 in both "Hor. Extras" (no thousands separator) and "Out.Créd.".
    EXPECT_EQ(textos(linhaDe(r.paginas[1], QStringLiteral("2008/3"))),
        (QStringList{QStringLiteral("2008/3"), QStringLiteral("2.142,65"), QStringLiteral("1,011486581"),
            QStringLiteral("0,00"), QStringLiteral("151,00"), QStringLiteral("0,00"), QStringLiteral("0,00"),
            QStringLiteral("171,41"), QStringLiteral("235,69")}));
    EXPECT_EQ(textos(linhaDe(r.paginas[3], QStringLiteral("2008/3"))),
        (QStringList{QStringLiteral("2008/3"), QStringLiteral("2.142,65"), QStringLiteral("1,01148658"),
            QStringLiteral("1234,50"), QStringLiteral("96,10"), QStringLiteral("72,00"), QStringLiteral("603,90"),
            QStringLiteral("1.234,50"), QStringLiteral("0,00")}));

    // Every value of a column ends where its heading ends (Ano/Mês starts where its heading starts).
    for (int pagina : {0, 1, 2, 3}) {
        const auto cabecalho = linhaDe(r.paginas[pagina], QStringLiteral("Ano/Mês"));
        ASSERT_EQ(cabecalho.size(), 9);
        for (const auto& linha : linhasDeDados(r.paginas, pagina, pagina)) {
            ASSERT_EQ(linha.size(), 9);
            EXPECT_DOUBLE_EQ(linha[0]->area.left(), cabecalho[0]->area.left());
            for (int k = 1; k < 9; ++k) {
                EXPECT_DOUBLE_EQ(linha[k]->area.right(), cabecalho[k]->area.right());
                EXPECT_TRUE(linha[k]->alinhamento & Qt::AlignRight);
            }
        }
    }
}

TEST(Demonstrativo, TotalAtTheirTimeFootTheColumnsAndUpdatedTotalsComeFromTheCase)
{
    Ambiente a;
    CarregaCasoCalculado(a);
    // Amounts below a cent: each prints as 0,01 and the printed column must still foot.
    Executa(a, QStringLiteral("UPDATE TAB_DEMONSTRATIVO_MENSAL SET FERIAS = 50 WHERE ANO = 2003 AND MES IN (1, 2, 3)"));
    const DadosRelatorio d = LeDadosRelatorio(a.banco, 123);
    const Relatorio r = RepDemoMensal(d);

    for (const auto& [de, ate] : {std::pair{0, 1}, std::pair{2, 3}}) {
        Money somas[6];
        for (const auto& linha : linhasDeDados(r.paginas, de, ate))
            for (int k = 0; k < 6; ++k)
                somas[k] += lido(linha[3 + k]->texto);
        const auto epoca = linhaDe(r.paginas[ate], QStringLiteral("Total Época:"));
        ASSERT_EQ(epoca.size(), 7);
        const auto cabecalho = linhaDe(r.paginas[ate], QStringLiteral("Ano/Mês"));
        for (int k = 0; k < 6; ++k) {
            EXPECT_EQ(lido(epoca[1 + k]->texto), somas[k]) << "pass " << de << " column " << k;
            EXPECT_DOUBLE_EQ(epoca[1 + k]->area.right(), cabecalho[3 + k]->area.right());
        }
    }
    EXPECT_EQ(textos(linhaDe(r.paginas[1], QStringLiteral("Total Época:"))).mid(1),
        (QStringList{QStringLiteral("2.145,75"), QStringLiteral("11.325,00"), QStringLiteral("12.099,96"),
            QStringLiteral("14.759,63"), QStringLiteral("11.172,08"), QStringLiteral("15.361,49")}));

    // The case's totals, which differ from the sums above, under the same columns.
    EXPECT_EQ(textos(linhaDe(r.paginas[1], QStringLiteral("Total Atualizado:"))),
        (QStringList{QStringLiteral("Total Atualizado:"), QStringLiteral("2.145,75"), QStringLiteral("16.137,55"),
            QStringLiteral("15.871,01"), QStringLiteral("21.098,51"), QStringLiteral("15.690,31"),
            QStringLiteral("21.574,00")}));
    EXPECT_EQ(textos(linhaDe(r.paginas[3], QStringLiteral("Total Atualizado:"))),
        (QStringList{QStringLiteral("Total Atualizado:"), QStringLiteral("25873,53"), QStringLiteral("10.321,55"),
            QStringLiteral("7.695,00"), QStringLiteral("54.689,30"), QStringLiteral("2.182,40"),
            QStringLiteral("304,07")}));
    // Then the date of the calculation, in bold.
    for (int pagina : {1, 3}) {
        const QStringList t = r.paginas[pagina].textos();
        const qsizetype i = t.indexOf(QStringLiteral("Total Atualizado:"));
        ASSERT_EQ(t[i + 7], QStringLiteral("05/07/2008 14:07"));
        EXPECT_TRUE(linhaDe(r.paginas[pagina], QStringLiteral("05/07/2008 14:07")).first()->fonte.negrito);
    }
}

TEST(Demonstrativo, FlowingVariantKeepsTheTableAndItsHeadingRow)
{
    Ambiente a;
    const Relatorio r = RepDemoMensal(CarregaCasoCalculado(a));
    ASSERT_TRUE(r.temTexto);
    int tabelas = 0, quebras = 0;
    for (const BlocoTexto& b : r.texto.blocos) {
        if (b.tipo == BlocoTexto::QuebraPagina)
            ++quebras;
        if (b.tipo != BlocoTexto::Tabela)
            continue;
        ++tabelas;
        EXPECT_EQ(b.linhasCabecalho, 1);
        ASSERT_EQ(b.linhas.size(), 1 + 75 + 2);
        EXPECT_EQ(b.linhas[0][8].texto, tabelas == 1 ? QStringLiteral("INSS Recl.") : QStringLiteral("Out. Déb."));
        EXPECT_EQ(b.linhas[76][0].texto, QStringLiteral("Total Época:"));
        EXPECT_EQ(b.juntaPrimeiras[76], 3);
    }
    EXPECT_EQ(tabelas, 2);
    EXPECT_EQ(quebras, 1);
    const QByteArray rtf = r.texto.rtf();
    EXPECT_EQ(rtf.count("\\trhdr"), 2);
    EXPECT_TRUE(rtf.contains("{Total Atualizado:}") || rtf.contains("{\\b Total Atualizado:}"));
}

TEST(Demonstrativo, AnEmptyStatementStillPrintsBothPassesWithZeroTotals)
{
    Ambiente a;
    CarregaCasoCalculado(a);
    Executa(a, QStringLiteral("DELETE FROM TAB_DEMONSTRATIVO_MENSAL"));
    const Relatorio r = RepDemoMensal(LeDadosRelatorio(a.banco, 123));
    ASSERT_EQ(r.paginas.size(), 2);
    EXPECT_EQ(
        textos(linhaDe(r.paginas[0], QStringLiteral("Total Época:"))).mid(1), QStringList(6, QStringLiteral("0,00")));
    EXPECT_EQ(
        textos(linhaDe(r.paginas[1], QStringLiteral("Total Época:"))).mid(1), QStringList(6, QStringLiteral("0,00")));
    EXPECT_EQ(textos(linhaDe(r.paginas[1], QStringLiteral("Total Atualizado:"))).at(1), QStringLiteral("25873,53"));
}
