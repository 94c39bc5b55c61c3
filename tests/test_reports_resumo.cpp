#include "RelatoriosCalculo.h"
#include "test_reports_apoio.h"

#include <gtest/gtest.h>

using namespace quintar;
using namespace quintar::teste;

namespace {

const QStringList ResumoEsperado = {
    QStringLiteral("R E S U M O   D E   C Á L C U L O"),
    QStringLiteral("PROCESSO:"),
    QStringLiteral("00123.2008.001.03.00.5"),
    QStringLiteral("RECLAMANTE:"),
    QStringLiteral("José da Conceição Araújo"),
    QStringLiteral("RECLAMADO:"),
    QStringLiteral("Indústria Metalúrgica São João Ltda."),
    QStringLiteral("I N F O R M A Ç Õ E S       B Á S I C A S"),
    QStringLiteral("Data Início do Pacto:"),
    QStringLiteral("01/02/2002"),
    QStringLiteral("Data da Dispensa:"),
    QStringLiteral("15/04/2008"),
    QStringLiteral("Data de Atualização:"),
    QStringLiteral("30/06/2008"),
    QStringLiteral("I T E N S        D E       C Á L C U L O"),
    QStringLiteral("Aviso Prévio:"),
    QStringLiteral("2.145,75"),
    QStringLiteral("Horas Extras:"),
    QStringLiteral("25.873,53"),
    QStringLiteral("Salário:"),
    QStringLiteral("16.137,55"),
    QStringLiteral("Adicional Noturno:"),
    QStringLiteral("10.321,55"),
    QStringLiteral("13 Salário:"),
    QStringLiteral("15.871,01"),
    QStringLiteral("Adicional Insalubridade:"),
    QStringLiteral("7.695,00"),
    QStringLiteral("Férias:"),
    QStringLiteral("21.098,51"),
    QStringLiteral("Adicional Periculosidade:"),
    QStringLiteral("54.689,30"),
    QStringLiteral("INSS:"),
    QStringLiteral("63.044,35"),
    QStringLiteral("Repouso Sem. Remunerado:"),
    QStringLiteral("4.321,09"),
    QStringLiteral("FGTS:"),
    QStringLiteral("15.690,31"),
    QStringLiteral("Multas:"),
    QStringLiteral("3.456,78"),
    QStringLiteral("Imposto de Renda:"),
    QStringLiteral("5.678,90"),
    QStringLiteral("Outros (crédito):"),
    QStringLiteral("2.182,40"),
    QStringLiteral("Juros:"),
    QStringLiteral("23.456,70"),
    QStringLiteral("Outros (débito):"),
    QStringLiteral("304,07"),
    QStringLiteral("R E S U M O"),
    QStringLiteral("Total Reclamado:"),
    QStringLiteral("244.105,76"),
    QStringLiteral("Data do Cálculo:"),
    QStringLiteral("05/07/2008 14:07"),
    QStringLiteral("INSS Empregador:"),
    QStringLiteral("31.234,56"),
    QStringLiteral("INSS Reclamante:"),
    QStringLiteral("21.574,00"),
    QStringLiteral("INSS Rat:"),
    QStringLiteral("2.345,67"),
    QStringLiteral("Imposto de Renda:"),
    QStringLiteral("5.678,90"),
    QStringLiteral("INSS Terceiros:"),
    QStringLiteral("7.890,12"),
    QStringLiteral("Líquido do Reclamante:"),
    QStringLiteral("175.382,51"),
};

const Comando* comandoDe(const Pagina& p, const QString& texto)
{
    for (const Comando& c : p.comandos)
        if (c.tipo == Comando::Texto && c.texto == texto)
            return &c;
    return nullptr;
}

} // namespace

TEST(Resumo, FramedSummaryHoldsEveryLabelAndValueInOrder)
{
    Ambiente a;
    const Relatorio r = frRepCalc(CarregaCasoCalculado(a));
    ASSERT_EQ(r.paginas.size(), 1);
    EXPECT_EQ(r.paginas[0].textos(), ResumoEsperado);

    // Bold: the header labels, the total and the net amount with their values.
    const Pagina& p = r.paginas[0];
    for (const char* negrito :
        {"PROCESSO:", "RECLAMANTE:", "Total Reclamado:", "244.105,76", "Líquido do Reclamante:", "175.382,51"})
        EXPECT_TRUE(comandoDe(p, QString::fromUtf8(negrito))->fonte.negrito) << negrito;
    for (const char* normal : {"00123.2008.001.03.00.5", "INSS Rat:", "2.345,67", "Data do Cálculo:"})
        EXPECT_FALSE(comandoDe(p, QString::fromUtf8(normal))->fonte.negrito) << normal;
    EXPECT_EQ(comandoDe(p, QStringLiteral("Aviso Prévio:"))->fonte, Rotulo(10));
    EXPECT_EQ(comandoDe(p, QStringLiteral("R E S U M O"))->fonte.familia, Fonte::Arial);

    // Amounts end on the same right edge within each half.
    const qreal direitaEsquerda = comandoDe(p, QStringLiteral("2.145,75"))->area.right();
    const qreal direitaDireita = comandoDe(p, QStringLiteral("25.873,53"))->area.right();
    for (const char* v : {"16.137,55", "304,07" /* right */, "23.456,70", "244.105,76", "7.890,12"}) {
        const qreal d = comandoDe(p, QString::fromUtf8(v))->area.right();
        EXPECT_TRUE(qFuzzyCompare(d, direitaEsquerda) || qFuzzyCompare(d, direitaDireita)) << v;
    }
    EXPECT_DOUBLE_EQ(comandoDe(p, QStringLiteral("175.382,51"))->area.right(), direitaDireita);
}

TEST(Resumo, EmptyValuesPrintBlankAndZeroPrintsZero)
{
    Ambiente a;
    CarregaCasoCalculado(a);
    Executa(a,
        QStringLiteral("UPDATE TAB_PROCESSO SET VALOR_RSR = NULL, DATA_FIM_PACTO = NULL, VALOR_MULTAS = 0, "
                       "RECLAMADO_PRINCIPAL = NULL"));
    const DadosRelatorio d = LeDadosRelatorio(a.banco, 123);
    const QStringList t = frRepCalc(d).paginas[0].textos();
    EXPECT_EQ(
        t[t.indexOf(QStringLiteral("RECLAMADO:")) + 1], QStringLiteral("I N F O R M A Ç Õ E S       B Á S I C A S"));
    EXPECT_EQ(t[t.indexOf(QStringLiteral("Data da Dispensa:")) + 1], QStringLiteral("Data de Atualização:"));
    EXPECT_EQ(t[t.indexOf(QStringLiteral("Repouso Sem. Remunerado:")) + 1], QStringLiteral("FGTS:"));
    EXPECT_EQ(t[t.indexOf(QStringLiteral("Multas:")) + 1], QStringLiteral("0,00"));

    const QString simples = frRepRTF(d).texto.textoSimples();
    EXPECT_TRUE(simples.contains(QRegularExpression(QStringLiteral("\nRepouso Sem\\. Remunerado:\n"))));
    EXPECT_TRUE(simples.contains(QRegularExpression(QStringLiteral("\nMultas: +0,00\n"))));
}

TEST(Resumo, LongNamesContinueOnTheNextLinesInsideTheMargins)
{
    Ambiente a;
    CarregaCasoCalculado(a);
    const QString nome =
        QStringLiteral("Sindicato dos Trabalhadores nas Indústrias Metalúrgicas, Mecânicas e de Material "
                       "Elétrico de São João do Rio Vermelho e Região Metropolitana Ampliada");
    QSqlQuery q(a.banco.conexao());
    q.prepare(QStringLiteral("UPDATE TAB_PROCESSO SET RECLAMANTE_PRINCIPAL = ?"));
    q.addBindValue(nome);
    ASSERT_TRUE(q.exec());
    const Relatorio r = frRepCalc(LeDadosRelatorio(a.banco, 123));
    const QStringList t = r.paginas[0].textos();
    const qsizetype i = t.indexOf(QStringLiteral("RECLAMANTE:")), j = t.indexOf(QStringLiteral("RECLAMADO:"));
    ASSERT_GT(j - i, 2);
    EXPECT_EQ(t.mid(i + 1, j - i - 1).join(u' '), nome);
    for (const Comando& c : r.paginas[0].comandos)
        if (c.tipo == Comando::Texto) {
            EXPECT_LE(c.area.right(), 195.001) << c.texto.toStdString();
            EXPECT_LE(c.texto.size() * c.fonte.larguraCaractere(), c.area.width() + 0.01) << c.texto.toStdString();
        }
}

TEST(Resumo, OneColumnVariantForRtfAndClipboard)
{
    Ambiente a;
    const Relatorio r = frRepRTF(CarregaCasoCalculado(a));
    ASSERT_TRUE(r.temTexto);
    const QStringList linhas = r.texto.textoSimples().split(u'\n', Qt::SkipEmptyParts);
    QStringList esperadas = {
        QStringLiteral("R E S U M O    D E    C Á L C U L O"),
        QStringLiteral("PROCESSO: 00123.2008.001.03.00.5"),
        QStringLiteral("RECLAMANTE: José da Conceição Araújo"),
        QStringLiteral("RECLAMADO: Indústria Metalúrgica São João Ltda."),
        QStringLiteral("I N F O R M A Ç Õ E S    B Á S I C A S"),
        QStringLiteral("Data Início do Pacto: 01/02/2002"),
        QStringLiteral("Data da Dispensa: 15/04/2008"),
        QStringLiteral("Data de Atualização: 30/06/2008"),
        QStringLiteral("I T E N S    D E    C Á L C U L O"),
        QStringLiteral("Aviso Prévio: 2.145,75"),
        QStringLiteral("Salário: 16.137,55"),
        QStringLiteral("13 Salário: 15.871,01"),
        QStringLiteral("Férias: 21.098,51"),
        QStringLiteral("INSS: 63.044,35"),
        QStringLiteral("FGTS: 15.690,31"),
        QStringLiteral("Imposto de Renda: 5.678,90"),
        QStringLiteral("Juros: 23.456,70"),
        QStringLiteral("Horas Extras: 25.873,53"),
        QStringLiteral("Adicional Noturno: 10.321,55"),
        QStringLiteral("Adicional Insalubridade: 7.695,00"),
        QStringLiteral("Adicional Periculosidade: 54.689,30"),
        QStringLiteral("Repouso Sem. Remunerado: 4.321,09"),
        QStringLiteral("Multas: 3.456,78"),
        QStringLiteral("Outros (crédito): 2.182,40"),
        QStringLiteral("Outros (débito): 304,07"),
        QStringLiteral("R E S U M O"),
        QStringLiteral("Total Reclamado: 244.105,76"),
        QStringLiteral("INSS Reclamado: 31.234,56"),
        QStringLiteral("INSS Reclamante: 21.574,00"),
        QStringLiteral("Imposto de Renda: 5.678,90"),
        QStringLiteral("Líquido do Reclamante: 175.382,51"),
        QStringLiteral("Data do Cálculo: 05/07/2008 14:07"),
    };
    QStringList normalizadas;
    for (const QString& l : linhas)
        normalizadas.append(l.simplified());
    // Titles keep their own spacing; compare them as written.
    normalizadas[0] = linhas[0].trimmed();
    normalizadas[4] = linhas[4].trimmed();
    normalizadas[8] = linhas[8].trimmed();
    EXPECT_EQ(normalizadas, esperadas);

    // Values are right-aligned: every line of a section ends in the same column.
    const qsizetype fim = linhas[5].size();
    for (int i = 5; i < linhas.size(); ++i) {
        if (linhas[i].contains(u':')) {
            EXPECT_EQ(linhas[i].size(), fim) << linhas[i].toStdString();
        }
    }

    const QByteArray rtf = r.texto.rtf();
    EXPECT_TRUE(rtf.contains("{\\b Total Reclamado:}\\tab {\\b 244.105,76}"));
    EXPECT_TRUE(rtf.contains("{\\b L\\'edquido do Reclamante:}\\tab {\\b 175.382,51}"));
    EXPECT_TRUE(rtf.contains("{INSS Reclamado:}\\tab {31.234,56}"));
    EXPECT_FALSE(rtf.contains("INSS Rat"));
    EXPECT_FALSE(rtf.contains("INSS Terceiros"));
    EXPECT_FALSE(rtf.contains("\\box") || rtf.contains("\\brdr"));
}

TEST(Resumo, DestinationChoosesTheTemplatesAndTheProposedName)
{
    Ambiente a;
    const DadosRelatorio d = CarregaCasoCalculado(a);
    struct Caso {
        Destino destino;
        bool resumo, demonstrativo;
        QStringList nomes;
    } casos[] = {
        {Destino::Video, true, false, {QStringLiteral("frRepCalc")}},
        {Destino::Impressora, true, true, {QStringLiteral("frRepCalc"), QStringLiteral("RepDemoMensal")}},
        {Destino::ArquivoPdf, false, true, {QStringLiteral("RepDemoMensal")}},
        {Destino::ArquivoRtf, true, true, {QStringLiteral("frRepRTF"), QStringLiteral("RepDemoMensal")}},
        {Destino::AreaTransferencia, true, false, {QStringLiteral("frRepRTF")}},
        {Destino::ArquivoPdf, false, false, {}},
    };
    TodosRep todos;
    for (const Caso& c : casos) {
        PreparaTodosRep(todos, d, c.resumo, c.demonstrativo, c.destino);
        QStringList nomes;
        for (const Relatorio& r : todos.relatorios())
            nomes.append(r.nome);
        EXPECT_EQ(nomes, c.nomes) << int(c.destino);
    }
    PreparaTodosRep(todos, d, true, true, Destino::ArquivoPdf);
    ASSERT_EQ(todos.paginas().size(), 5);
    EXPECT_EQ(todos.paginas()[0].textos().first(), QStringLiteral("R E S U M O   D E   C Á L C U L O"));

    EXPECT_EQ(Chave(d.que1), QStringLiteral("00123.2008.001.03.00.5"));
    EXPECT_EQ(NomeProposto(d, Destino::ArquivoPdf), QStringLiteral("00123.2008.001.03.00.PDF"));
    EXPECT_EQ(NomeProposto(d, Destino::ArquivoRtf), QStringLiteral("00123.2008.001.03.00.RTF"));
}
