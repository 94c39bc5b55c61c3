#include "test_reports_apoio.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace quintar;
using namespace quintar::teste;

namespace {

// quintar-cli in a program folder and settings of its own.
struct Cli {
    QTemporaryDir dir;
    QString caminho(const QString& nome) const { return dir.filePath(nome); }
    ResultadoCli roda(QStringList argumentos) const
    {
        argumentos.prepend(caminho(QStringLiteral("programa")));
        argumentos.prepend(QStringLiteral("--pasta"));
        return RodaCli(argumentos, {QStringLiteral("XDG_CONFIG_HOME=") + caminho(QStringLiteral("config"))});
    }
};

const QStringList Resumo = {
    QStringLiteral("RESUMO DE CÁLCULO"),
    QStringLiteral("PROCESSO: 00123.2008.001.03.00.5"),
    QStringLiteral("RECLAMANTE: José da Conceição Araújo"),
    QStringLiteral("RECLAMADO: Indústria Metalúrgica São João Ltda."),
    QStringLiteral("INFORMAÇÕES BÁSICAS"),
    QStringLiteral("Data Início do Pacto: 01/02/2002"),
    QStringLiteral("Data da Dispensa: 15/04/2008 Data de Atualização: 30/06/2008"),
    QStringLiteral("ITENS DE CÁLCULO"),
    QStringLiteral("Aviso Prévio: 2.145,75 Horas Extras: 25.873,53"),
    QStringLiteral("Salário: 16.137,55 Adicional Noturno: 10.321,55"),
    QStringLiteral("13 Salário: 15.871,01 Adicional Insalubridade: 7.695,00"),
    QStringLiteral("Férias: 21.098,51 Adicional Periculosidade: 54.689,30"),
    QStringLiteral("INSS: 63.044,35 Repouso Sem. Remunerado: 4.321,09"),
    QStringLiteral("FGTS: 15.690,31 Multas: 3.456,78"),
    QStringLiteral("Imposto de Renda: 5.678,90 Outros (crédito): 2.182,40"),
    QStringLiteral("Juros: 23.456,70 Outros (débito): 304,07"),
    QStringLiteral("RESUMO"),
    QStringLiteral("Total Reclamado: 244.105,76 Data do Cálculo: 05/07/2008 14:07"),
    QStringLiteral("INSS Empregador: 31.234,56 INSS Reclamante: 21.574,00"),
    QStringLiteral("INSS Rat: 2.345,67 Imposto de Renda: 5.678,90"),
    QStringLiteral("INSS Terceiros: 7.890,12 Líquido do Reclamante: 175.382,51"),
};

const QString CabecalhoDemonstrativo =
    QStringLiteral("DEMONSTRATIVO DE CÁLCULO Processo: 123 Reclamante: José da "
                   "Conceição Araújo Reclamado: Indústria Metalúrgica São João Ltda.");

} // namespace

TEST(RelatorioCli, PdfOfSummaryAndStatementInOrder)
{
    Cli cli;
    const QString pdf = cli.caminho(QStringLiteral("00123.2008.001.03.00.PDF"));
    const ResultadoCli r = cli.roda({QStringLiteral("relatorio"), CasoCalculado(), QStringLiteral("--pdf"), pdf,
        QStringLiteral("--demonstrativo"), QStringLiteral("--resumo")});
    ASSERT_EQ(r.codigo, 0) << r.erros.toStdString();
    ASSERT_EQ(PaginasPdf(pdf), 5);

    EXPECT_TRUE(EmOrdem(TextoPdf(pdf, 1), Resumo));
    const QString pag1 = TextoPdf(pdf, 1);
    EXPECT_FALSE(pag1.contains(QStringLiteral("DEMONSTRATIVO")));
    for (int p = 2; p <= 5; ++p)
        EXPECT_TRUE(EmOrdem(TextoPdf(pdf, p),
            {CabecalhoDemonstrativo, QStringLiteral("Ano/Mês Remunera. Índice CM"),
                QStringLiteral("Página %1 de 4").arg(p - 1)}))
            << "page " << p;
    EXPECT_TRUE(EmOrdem(TextoPdf(pdf, 2),
        {QStringLiteral("Aviso Prév. Salário 13º Salario Férias FGTS INSS Recl."),
            QStringLiteral("2002/2 1.620,35 1,850000000 0,00 150,00")}));
    EXPECT_FALSE(TextoPdf(pdf, 2).contains(QStringLiteral("Total")));
    EXPECT_TRUE(EmOrdem(TextoPdf(pdf, 3),
        {QStringLiteral("2008/4 2.145,75 1,000000096 2.145,75 152,00 1.966,94 0,00 171,66 236,03"),
            QStringLiteral("Total Época: 2.145,75 11.325,00 12.099,96 14.759,60 11.172,08 15.361,49"),
            QStringLiteral("Total Atualizado: 2.145,75 16.137,55 15.871,01 21.098,51 15.690,31 21.574,00"),
            QStringLiteral("05/07/2008 14:07")}));
    EXPECT_TRUE(EmOrdem(TextoPdf(pdf, 4),
        {QStringLiteral("Hor. Extras Ad. Noturno Ad. Insal. Ad.Peric. Out.Créd. Out. Déb."),
            QStringLiteral("2002/2 1.620,35 1,85000000")}));
    EXPECT_TRUE(EmOrdem(TextoPdf(pdf, 5),
        {QStringLiteral("2008/3 2.142,65 1,01148658 1234,50 96,10 72,00 603,90 1.234,50 0,00"),
            QStringLiteral("Total Época: 18457,85 7.243,50 5.400,00 38.982,60 1.884,50 210,00"),
            QStringLiteral("Total Atualizado: 25873,53 10.321,55 7.695,00 54.689,30 2.182,40 304,07"),
            QStringLiteral("05/07/2008 14:07")}));
}

TEST(RelatorioCli, TheSummaryAloneByDefaultAndTheStatementAlone)
{
    Cli cli;
    const QString resumo = cli.caminho(QStringLiteral("resumo.pdf")), demo = cli.caminho(QStringLiteral("demo.pdf"));
    ASSERT_EQ(cli.roda({QStringLiteral("relatorio"), CasoCalculado(), QStringLiteral("--pdf"), resumo}).codigo, 0);
    ASSERT_EQ(cli.roda({QStringLiteral("relatorio"), CasoCalculado(), QStringLiteral("--pdf"), demo,
                           QStringLiteral("--demonstrativo")})
                  .codigo,
        0);
    EXPECT_EQ(PaginasPdf(resumo), 1);
    EXPECT_TRUE(EmOrdem(TextoPdf(resumo), Resumo));
    EXPECT_EQ(PaginasPdf(demo), 4);
    EXPECT_FALSE(TextoPdf(demo).contains(QStringLiteral("RESUMO")));
    EXPECT_TRUE(EmOrdem(TextoPdf(demo, 1), {CabecalhoDemonstrativo}));
}

TEST(RelatorioCli, RtfHoldsTheOneColumnSummary)
{
    Cli cli;
    const QString rtf = cli.caminho(QStringLiteral("resumo.rtf"));
    const ResultadoCli r = cli.roda({QStringLiteral("relatorio"), CasoCalculado(), QStringLiteral("--rtf"), rtf});
    ASSERT_EQ(r.codigo, 0) << r.erros.toStdString();
    const QString lido = Ferramenta(QStringLiteral("unrtf"), {QStringLiteral("--text"), rtf}, true);
    EXPECT_TRUE(EmOrdem(lido,
        {QStringLiteral("R E S U M O D E C Á L C U L O"), QStringLiteral("PROCESSO: 00123.2008.001.03.00.5"),
            QStringLiteral("Data Início do Pacto: 01/02/2002"), QStringLiteral("Data da Dispensa: 15/04/2008"),
            QStringLiteral("Data de Atualização: 30/06/2008"), QStringLiteral("Aviso Prévio: 2.145,75"),
            QStringLiteral("Juros: 23.456,70"), QStringLiteral("Horas Extras: 25.873,53"),
            QStringLiteral("Outros (débito): 304,07"), QStringLiteral("Total Reclamado: 244.105,76"),
            QStringLiteral("INSS Reclamado: 31.234,56"), QStringLiteral("INSS Reclamante: 21.574,00"),
            QStringLiteral("Imposto de Renda: 5.678,90"), QStringLiteral("Líquido do Reclamante: 175.382,51"),
            QStringLiteral("Data do Cálculo: 05/07/2008 14:07")}))
        << lido.toStdString();
    EXPECT_FALSE(lido.contains(QStringLiteral("INSS Rat")));
    EXPECT_FALSE(lido.contains(QStringLiteral("INSS Terceiros")));
    EXPECT_FALSE(lido.contains(QStringLiteral("DEMONSTRATIVO")));
}

TEST(RelatorioCli, UsageErrorsAndRefusals)
{
    Cli cli;
    const QString caso = CasoCalculado(), saida = cli.caminho(QStringLiteral("saida.pdf"));
    const QStringList usos[] = {
        {QStringLiteral("relatorio"), caso},
        {QStringLiteral("relatorio"), caso, QStringLiteral("--pdf")},
        {QStringLiteral("relatorio"), caso, QStringLiteral("--pdf"), saida, QStringLiteral("--rtf"), saida},
        {QStringLiteral("relatorio"), QStringLiteral("--pdf"), saida},
        {QStringLiteral("relatorio"), caso, QStringLiteral("--pdf"), saida, QStringLiteral("--todos")},
        {QStringLiteral("relatorio"), caso, caso, QStringLiteral("--pdf"), saida},
    };
    for (const QStringList& args : usos) {
        const ResultadoCli r = cli.roda(args);
        EXPECT_EQ(r.codigo, 2) << args.join(u' ').toStdString();
        EXPECT_TRUE(r.erros.contains(QStringLiteral("Uso:"))) << args.join(u' ').toStdString();
    }
    EXPECT_FALSE(QFile::exists(saida));

    // A case never calculated has no results to print.
    QByteArray semCalculo = LeBytes(caso);
    semCalculo.replace("  <DATA_CALCULO>05/07/2008 14:07:33</DATA_CALCULO>\r\n", "");
    const QString novo = cli.caminho(QStringLiteral("00123.2008.001.03.00.QNT.XML"));
    GravaBytes(novo, semCalculo);
    ResultadoCli r = cli.roda({QStringLiteral("relatorio"), novo, QStringLiteral("--pdf"), saida});
    EXPECT_EQ(r.codigo, 1);
    EXPECT_TRUE(r.erros.contains(QStringLiteral("O processo ainda não foi calculado."))) << r.erros.toStdString();
    EXPECT_FALSE(QFile::exists(saida));

    // A file that cannot be written: the system's reason, and the earlier file stays as it was.
    r = cli.roda(
        {QStringLiteral("relatorio"), caso, QStringLiteral("--rtf"), cli.caminho(QStringLiteral("falta/x.rtf"))});
    EXPECT_EQ(r.codigo, 1);
    EXPECT_TRUE(r.erros.contains(QStringLiteral("Não foi possível gravar o arquivo"))) << r.erros.toStdString();

    GravaBytes(saida, "anterior");
    r = cli.roda({QStringLiteral("relatorio"), novo, QStringLiteral("--pdf"), saida});
    EXPECT_EQ(r.codigo, 1);
    EXPECT_EQ(LeBytes(saida), QByteArray("anterior"));

    r = cli.roda({QStringLiteral("relatorio"), cli.caminho(QStringLiteral("nao_existe.QNT.XML")),
        QStringLiteral("--pdf"), saida});
    EXPECT_EQ(r.codigo, 1);
    EXPECT_EQ(LeBytes(saida), QByteArray("anterior"));
}
