// The sample case shipped in data/exemplo/, calculated on the shipped reference tables of
// a new program folder. Its figures are pinned: a change of any of them is a change of the
// program's results (or of the shipped tables) and must be explained.

#include "Ambiente.h"
#include "Rotinas.h"
#include "TextoAnsi.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace quintar;
using namespace quintar::teste;

TEST(Exemplo, TheSampleCaseOnTheShippedTables)
{
    QTemporaryDir dir;
    const QString arquivo = dir.filePath(QStringLiteral("01234.2025.002.02.00.QNT.XML"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(QUINTAR_DADOS "/exemplo/01234.2025.002.02.00.QNT.XML"), arquivo));
    QFile::setPermissions(arquivo, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    const ResultadoCli r = RodaCli({QStringLiteral("--pasta"), dir.path(), QStringLiteral("calcula"), arquivo,
                                    QStringLiteral("--agora"), QStringLiteral("10/12/2026 10:00:00")},
                                   {QStringLiteral("XDG_CONFIG_HOME=") + dir.filePath(QStringLiteral("cfg"))});
    ASSERT_EQ(r.codigo, 0) << r.erros.toStdString();
    const QString esperado = QStringLiteral(
        "Número Único: 01234.2025.002.02.00.2\n"
        "Reclamante: Ana Paula Ferreira da Conceição\n"
        "Reclamado: Supermercado Bom Preço Ltda.\n"
        "Data do Último Cálculo: 10/12/2026 10:00\n"
        "Aviso Prévio: 4.057,57\n"
        "Salário: 1.170,76\n"
        "13º Salário: 446,64\n"
        "Férias: 4.344,70\n"
        "FGTS: 4.042,16\n"
        "INSS: 2.070,72\n"
        "Imposto de Renda: 2.713,36\n"
        "Juros: 1.873,34\n"
        "Horas Extras: 4.248,67\n"
        "Adicional Noturno: 0,00\n"
        "Adicional Insalubridade: 0,00\n"
        "Adicional Periculosidade: 0,00\n"
        "Repouso Semanal Remunerado: 0,00\n"
        "Multas: 0,00\n"
        "Outros (Crédito): 0,00\n"
        "Outros (Débito): 0,00\n"
        "Total Reclamado: 21.814,62\n"
        "INSS Reclamado: 1.630,77\n"
        "INSS Reclamante: 439,95\n"
        "Imposto de Renda: 2.713,36\n"
        "Líquido Reclamante: 17.030,54\n");
    EXPECT_EQ(r.saida, esperado);
    // The salary balance by hand: 14 days of 2 350,00, corrected from February 2025.
    const QString texto = DecodificaAnsi(LeBytes(arquivo));
    EXPECT_TRUE(texto.contains(QStringLiteral("<NUMERO_DIAS>14</NUMERO_DIAS>")));

    // The dismissal falls in the month of the admission anniversary: the last whole vacation
    // period (03/02/2024 to 02/02/2025, twelve months: 2 856,4695) and the proportional one
    // (03/02/2025 to 14/02/2025, one month: 2 350,00 / 12 = 195,8333) both end in 02/2025,
    // and the statement shows their sum, which with the third and the month's factor
    // 1,067564012 is the vacation total of 4 344,70.
    QString ferias;
    for (QStringView resto = ExtraiElemento(texto).conteudo; !resto.isEmpty();) {
        const Elemento e = ExtraiElemento(resto);
        if (e.nome.isEmpty())
            break;
        if (e.nome == u"TAB_DEMONSTRATIVO_MENSAL" && e.conteudo.contains(u"<ANO>2025</ANO>")
            && e.conteudo.contains(u"<MES>2</MES>"))
            ferias = ExtraiElemento(e.conteudo.mid(e.conteudo.indexOf(u"<FERIAS>"))).conteudo.toString();
        resto = e.resto;
    }
    EXPECT_EQ(ferias, QStringLiteral("3052,3028"));
}
