#include "Erro.h"
#include "Paginas.h"
#include "test_reports_apoio.h"

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace quintar;
using namespace quintar::teste;

// The report tests paint with fonts: they need the GUI application.
int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

TEST(Paginas, LongTextsBreakAtBlanksWithinTheWidth)
{
    const Fonte f = Rotulo(10); // 2.117 mm a character: 10 characters in 21.2 mm
    struct Caso {
        QString texto;
        QStringList linhas;
    } casos[] = {
        {QStringLiteral("José da Conceição"), {QStringLiteral("José da"), QStringLiteral("Conceição")}},
        {QStringLiteral("Ana  Maria   Sá"), {QStringLiteral("Ana Maria"), QStringLiteral("Sá")}},
        {QStringLiteral("Metalúrgica Ltda."), {QStringLiteral("Metalúrgic"), QStringLiteral("a Ltda.")}},
        {QString(), {QString()}},
    };
    for (const Caso& c : casos)
        EXPECT_EQ(QuebraLinhas(c.texto, 21.2, f), c.linhas) << c.texto.toStdString();
}

TEST(Paginas, TextWiderThanItsBoxIsDrawnSmallerInsideTheBox)
{
    Pagina p;
    const QRectF caixa(20, 20, 30, 6);
    p.texto(caixa, QStringLiteral("Adicional de Periculosidade sobre o salário"), Rotulo(10),
        Qt::AlignRight | Qt::AlignVCenter);
    const qreal pxmm = 8; // about 200 dpi
    QImage imagem(int(210 * pxmm), int(297 * pxmm), QImage::Format_RGB32);
    imagem.fill(Qt::white);
    {
        QPainter pintor(&imagem);
        DesenhaPagina(pintor, p, pxmm);
    }
    int dentro = 0, fora = 0;
    for (int y = 0; y < imagem.height(); ++y)
        for (int x = 0; x < imagem.width(); ++x)
            if (qGray(imagem.pixel(x, y)) < 128)
                ++(QRectF(caixa.topLeft() * pxmm, caixa.size() * pxmm).adjusted(-1, -1, 1, 1).contains(x, y) ? dentro
                                                                                                             : fora);
    EXPECT_GT(dentro, 200);
    EXPECT_EQ(fora, 0);
}

TEST(Paginas, EachPageKeepsItsOrientationAndTheFontsAreEmbeddedWithAccents)
{
    QTemporaryDir dir;
    Pagina retrato, paisagem;
    paisagem.orientacao = QPageLayout::Landscape;
    retrato.texto(QRectF(20, 20, 170, 8), QStringLiteral("AÇÃO RESCISÓRIA: ÍNDICE ÚNICO"), Titulo(12));
    retrato.texto(QRectF(20, 30, 170, 8), QStringLiteral("Salário, férias, 13º, líquido, atualização"), Rotulo(10));
    paisagem.texto(QRectF(20, 20, 250, 8), QStringLiteral("Dedução Máx."), Rotulo(10, true));
    const QString pdf = dir.filePath(QStringLiteral("paginas.pdf"));
    GravaPdf({retrato, paisagem, retrato}, pdf, QStringLiteral("teste"));

    const QString info = Ferramenta(QStringLiteral("pdfinfo"),
        {QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"), QStringLiteral("3"), pdf});
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral(R"(Page\s+1 size:\s+595(\.\d+)? x 842)"))));
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral(R"(Page\s+2 size:\s+842(\.\d+)? x 595)"))));
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral(R"(Page\s+3 size:\s+595(\.\d+)? x 842)"))));

    // Courier New and Arial come as their metric-compatible faces, embedded.
    const QString fontes = Ferramenta(QStringLiteral("pdffonts"), {pdf});
    EXPECT_TRUE(fontes.contains(QRegularExpression(QStringLiteral(R"(LiberationSans-Bold\s.*\syes)"))));
    EXPECT_TRUE(fontes.contains(QRegularExpression(QStringLiteral(R"(LiberationMono\s.*\syes)"))));
    EXPECT_TRUE(fontes.contains(QRegularExpression(QStringLiteral(R"(LiberationMono-Bold\s.*\syes)"))));

    const QString texto = TextoPdf(pdf);
    EXPECT_TRUE(texto.contains(QStringLiteral("AÇÃO RESCISÓRIA: ÍNDICE ÚNICO")));
    EXPECT_TRUE(texto.contains(QStringLiteral("Salário, férias, 13º, líquido, atualização")));
    EXPECT_TRUE(texto.contains(QStringLiteral("Dedução Máx.")));
}

TEST(Paginas, AFailedWriteLeavesThePreviousFileAndSaysWhy)
{
    QTemporaryDir dir;
    Pagina p;
    p.texto(QRectF(20, 20, 100, 8), QStringLiteral("novo"), Rotulo(10));
    try {
        GravaPdf({p}, dir.filePath(QStringLiteral("falta/relatorio.pdf")), QString());
        FAIL() << "a PDF went into a folder that does not exist";
    } catch (const Erro& e) {
        EXPECT_TRUE(e.mensagem().startsWith(QStringLiteral("Não foi possível gravar o arquivo"))) << e.what();
    }
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("falta/relatorio.pdf"))));
    EXPECT_THROW(GravaPdf({}, dir.filePath(QStringLiteral("vazio.pdf")), QString()), Erro);
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("vazio.pdf"))));
}

TEST(Paginas, HeaderBandRepeatsAndFooterKnowsThePageCount)
{
    MontaPaginas m;
    m.cabecalho = [](MontaPaginas& mp) {
        mp.atual().texto(QRectF(mp.esquerda(), mp.y, mp.largura(), 5), QStringLiteral("CABEÇALHO"), Rotulo(10));
        mp.y += 5;
    };
    m.alturaRodape = 5;
    m.rodape = [](Pagina& p, const QRectF& area, int n, int total) {
        p.texto(area, QStringLiteral("%1/%2").arg(n).arg(total), Rotulo(8));
    };
    for (int i = 0; i < 100; ++i) {
        m.garante(4);
        m.atual().texto(QRectF(m.esquerda(), m.y, 50, 4), QString::number(i), Rotulo(10));
        m.y += 4;
    }
    const QVector<Pagina> paginas = m.paginas();
    ASSERT_EQ(paginas.size(), 2); // 297 - 24 - 5 - 5 = 263 mm: 65 lines a page
    QStringList linhas;
    for (int i = 0; i < paginas.size(); ++i) {
        const QStringList t = paginas[i].textos();
        EXPECT_EQ(t.first(), QStringLiteral("CABEÇALHO"));
        EXPECT_EQ(t.last(), QStringLiteral("%1/2").arg(i + 1));
        linhas += t.mid(1, t.size() - 2);
    }
    EXPECT_EQ(linhas.size(), 100);
    for (int i = 0; i < linhas.size(); ++i)
        EXPECT_EQ(linhas[i], QString::number(i));
}
