#include "RelatoriosCalculo.h"
#include "TextoRico.h"
#include "test_reports_apoio.h"

#include <QDir>
#include <QMimeData>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

using namespace quintar;
using namespace quintar::teste;

namespace {

// Every file under a folder, with its size.
QStringList conteudoDe(const QString& pasta)
{
    QStringList lista;
    QDir d(pasta);
    for (const QFileInfo& f : d.entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden)) {
        lista.append(f.fileName() + u' ' + QString::number(f.size()));
        if (f.isDir())
            for (const QString& sub : conteudoDe(f.filePath()))
                lista.append(f.fileName() + u'/' + sub);
    }
    return lista;
}

} // namespace

TEST(Rtf, TextIsEscapedAndAReaderGivesItBack)
{
    DocumentoTexto t;
    t.titulo(QStringLiteral("AÇÃO {1} \\ 2 – 3 € ✓"), 12, Qt::AlignHCenter);
    t.valor(QStringLiteral("Líquido do Reclamante:"), QStringLiteral("1.234,56"), 100, Rotulo(10), true);
    const QByteArray rtf = t.rtf();
    EXPECT_TRUE(rtf.startsWith("{\\rtf1\\ansi\\ansicpg1252"));
    EXPECT_TRUE(rtf.contains("A\\'c7\\'c3O \\{1\\} \\\\ 2 \\'96 3 \\'80 \\u10003?"));
    for (const char c : rtf)
        EXPECT_LT(uchar(c), 128) << "RTF is seven-bit text";
    // Balanced groups.
    int nivel = 0;
    for (qsizetype i = 0; i < rtf.size(); ++i) {
        if (rtf[i] == '\\') {
            ++i;
            continue;
        }
        nivel += rtf[i] == '{' ? 1 : rtf[i] == '}' ? -1 : 0;
        ASSERT_GE(nivel, 0);
    }
    EXPECT_EQ(nivel, 0);

    QTemporaryDir dir;
    const QString arquivo = dir.filePath(QStringLiteral("t.rtf"));
    GravaRtf(t, arquivo);
    // unrtf's plain text knows only Latin-1; its HTML shows every character.
    const QString lido = SemEspacos(Ferramenta(QStringLiteral("unrtf"), {QStringLiteral("--html"), arquivo}));
    EXPECT_TRUE(lido.contains(QStringLiteral("A&Ccedil;&Atilde;O{1}\\2&ndash;3&euro;&#10003;"))) << lido.toStdString();
    EXPECT_TRUE(lido.contains(QStringLiteral("L&iacute;quidodoReclamante:")));
    EXPECT_TRUE(lido.contains(QStringLiteral("1.234,56")));
}

TEST(Rtf, ClipboardHoldsRtfHtmlAndPlainTextAndLeavesNoFile)
{
    Ambiente a;
    CarregaCasoCalculado(a);
    Executa(a, QStringLiteral("UPDATE TAB_PROCESSO SET RECLAMADO_PRINCIPAL = 'Silva & Filhos <Ltda>'"));
    const DadosRelatorio d = LeDadosRelatorio(a.banco, 123);
    // Nothing goes through a file beside the program.
    const QStringList antes = conteudoDe(a.pasta());

    TodosRep todos;
    PreparaTodosRep(todos, d, true, true, Destino::AreaTransferencia);
    const std::unique_ptr<QMimeData> dados(todos.areaTransferencia());

    EXPECT_EQ(conteudoDe(a.pasta()), antes);
    ASSERT_TRUE(dados->hasFormat(QStringLiteral("text/rtf")));
    ASSERT_TRUE(dados->hasHtml());
    ASSERT_TRUE(dados->hasText());

    // The one-column summary, then the statement.
    const QByteArray rtf = dados->data(QStringLiteral("text/rtf"));
    EXPECT_TRUE(rtf.contains("{\\b R E S U M O    D E    C \\'c1 L C U L O}"));
    EXPECT_TRUE(rtf.contains("Silva & Filhos <Ltda>"));
    EXPECT_FALSE(rtf.contains("INSS Rat"));
    EXPECT_LT(rtf.indexOf("Total Reclamado"), rtf.indexOf("D E M ON S T R A T I VO"));

    const QString html = dados->html();
    EXPECT_TRUE(html.contains(QStringLiteral("Silva &amp; Filhos &lt;Ltda&gt;")));
    EXPECT_TRUE(EmOrdem(html,
        {QStringLiteral("Aviso Prévio:"), QStringLiteral("2.145,75"), QStringLiteral("<b>Líquido do Reclamante:</b>"),
            QStringLiteral("<b>175.382,51</b>"), QStringLiteral("Hor. Extras"), QStringLiteral("1234,50"),
            QStringLiteral("Total Época:")}));

    const QString texto = dados->text();
    EXPECT_TRUE(texto.contains(QRegularExpression(QStringLiteral("\nAviso Prévio: +2\\.145,75\n"))));
    EXPECT_TRUE(texto.contains(QRegularExpression(QStringLiteral("\nRECLAMADO: +Silva & Filhos <Ltda>\n"))));
    EXPECT_TRUE(texto.contains(QRegularExpression(QStringLiteral("\n2008/3 +2\\.142,65 +1,01148658 +1234,50 "))));
}

TEST(Rtf, StatementTablesOpenInAReader)
{
    Ambiente a;
    TodosRep todos;
    PreparaTodosRep(todos, CarregaCasoCalculado(a), true, true, Destino::ArquivoRtf);
    QTemporaryDir dir;
    const QString arquivo = dir.filePath(QStringLiteral("00123.2008.001.03.00.RTF"));
    todos.gravaRtf(arquivo);
    const QString lido = Ferramenta(QStringLiteral("unrtf"), {QStringLiteral("--text"), arquivo}, true);
    EXPECT_TRUE(EmOrdem(lido,
        {QStringLiteral("R E S U M O D E C Á L C U L O"), QStringLiteral("Juros: 23.456,70"),
            QStringLiteral("Líquido do Reclamante: 175.382,51"), QStringLiteral("Data do Cálculo: 05/07/2008 14:07"),
            QStringLiteral("D E M ON S T R A T I VO"), QStringLiteral("Ano/Mês Remunera. Índice CM Aviso Prév."),
            QStringLiteral("2002/2 1.620,35 1,850000000"), QStringLiteral("Total Época: 2.145,75 11.325,00"),
            QStringLiteral("Total Atualizado: 2.145,75 16.137,55"), QStringLiteral("Hor. Extras"),
            QStringLiteral("2008/3 2.142,65 1,01148658 1234,50"),
            QStringLiteral("Total Atualizado: 25873,53 10.321,55")}))
        << lido.toStdString();
}
