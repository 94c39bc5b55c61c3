// The tables a new program folder gets from the shipped data.

#include "Ambiente.h"
#include "DadosIniciais.h"
#include "Erro.h"
#include "Pastas.h"

#include <QSqlQuery>

#include <gtest/gtest.h>

#include <cmath>

using namespace quintar;
using namespace quintar::teste;

namespace {

QVariant valor(BancoDados& banco, const QString& sql)
{
    return banco.escalar(sql);
}

double indice(BancoDados& banco, QDate dia)
{
    return banco
        .escalar("SELECT Indice FROM DIARIO WHERE CodIndice = 1 AND Data = :d", {{"d", dia.toString(Qt::ISODate)}})
        .toDouble();
}

} // namespace

TEST(DadosIniciais, PastaNovaTemTodosOsDiasEMesesENumerosPublicados)
{
    Ambiente a;
    GaranteTabelasReferencia(a.banco, a.feedback);

    // Every day from 01/07/1994 to the last day of the IPCA-E series (04/2026), code 1 only.
    const int dias = static_cast<int>(QDate(1994, 7, 1).daysTo(QDate(2026, 4, 30))) + 1;
    EXPECT_EQ(valor(a.banco, "SELECT COUNT(DISTINCT Data) FROM DIARIO WHERE CodIndice = 1").toInt(), dias);
    EXPECT_EQ(valor(a.banco, "SELECT COUNT(*) FROM DIARIO").toInt(), dias);
    EXPECT_EQ(valor(a.banco, "SELECT MIN(Data) || ' ' || MAX(Data) FROM DIARIO").toString(), "1994-07-01 2026-04-30");

    // Every month from 07/1994 to 12/2026 in each monthly table.
    for (const char* tabela : {"VALORES", "FAIXASINSS", "FAIXASIR"}) {
        const QString t = QString::fromLatin1(tabela);
        EXPECT_EQ(valor(a.banco, "SELECT COUNT(DISTINCT Ano * 12 + Mes) FROM " + t).toInt(), 390) << tabela;
        EXPECT_EQ(valor(a.banco, "SELECT MIN(Ano * 12 + Mes) FROM " + t).toInt(), 1994 * 12 + 7) << tabela;
        EXPECT_EQ(valor(a.banco, "SELECT MAX(Ano * 12 + Mes) FROM " + t).toInt(), 2026 * 12 + 12) << tabela;
    }

    struct Publicado {
        const char* sql;
        double esperado;
    };
    const Publicado publicados[] = {
        {"SELECT SalMin FROM VALORES WHERE Ano = 2008 AND Mes = 3", 415.00},
        {"SELECT SalMin FROM VALORES WHERE Ano = 2024 AND Mes = 1", 1412.00},
        {"SELECT SalMin FROM VALORES WHERE Ano = 2008 AND Mes = 2", 380.00},
        {"SELECT ValorMaximo FROM VALORES WHERE Ano = 2026 AND Mes = 1", 8475.55},
        {"SELECT Limite2 FROM FAIXASINSS WHERE Ano = 2026 AND Mes = 1", 2902.84},
        {"SELECT Percentual4 FROM FAIXASINSS WHERE Ano = 2026 AND Mes = 1", 14.00},
        {"SELECT LimiteMinimo FROM FAIXASIR WHERE Ano = 2015 AND Mes = 4", 1903.98},
        {"SELECT DeducaoDaBase FROM FAIXASIR WHERE Ano = 2023 AND Mes = 5", 528.00},
    };
    for (const Publicado& p : publicados)
        EXPECT_EQ(valor(a.banco, QString::fromLatin1(p.sql)).toDouble(), p.esperado) << p.sql;

    // The lookup tables: the risk line shares the employer's codes, a quoted comma survives.
    EXPECT_GT(valor(a.banco, "SELECT COUNT(*) FROM PrevEmpregador").toInt(), 0);
    EXPECT_EQ(valor(a.banco,
                  "SELECT COUNT(*) FROM PrevEmpregador e LEFT JOIN PrevSAT s ON s.Codigo = e.Codigo "
                  "WHERE s.Codigo IS NULL OR s.Taxa > 3")
                  .toInt(),
        0);
    EXPECT_EQ(valor(a.banco, "SELECT Natureza FROM PrevEmpregador WHERE Taxa = 22.5").toString(),
        "Bancos, financeiras e seguradoras");
    EXPECT_EQ(valor(a.banco, "SELECT Taxa FROM PrevTerceiro WHERE Codigo = 507").toDouble(), 5.8);
    EXPECT_EQ(valor(a.banco,
                  "SELECT COUNT(*) FROM TAB_OUTROS_DESCRICAO WHERE IND_CREDITO_DEBITO NOT IN ('C', 'D') "
                  "OR LENGTH(DESCRICAO) > 100")
                  .toInt(),
        0);
    EXPECT_GT(valor(a.banco, "SELECT COUNT(*) FROM TAB_OUTROS_DESCRICAO WHERE IND_CREDITO_DEBITO = 'D'").toInt(), 0);

    // Written into TabelasParadox/ as a download leaves them.
    for (const char* f : {"FaixasINSS.dat", "Valores.dat", "FaixasIR2.dat", "Diario.dat"})
        EXPECT_TRUE(QFile::exists(PastaTabelas() + f)) << f;
}

TEST(DadosIniciais, IndiceDiarioSegueOIpcaEProRataDie)
{
    Ambiente a;
    GaranteTabelasReferencia(a.banco, a.feedback);

    // Month by month: day 1 of m + 1 = day 1 of m × (1 + v/100), and day d in between.
    QList<QStringList> csv = LeCsv(DadoEmbutido("ipca_e.csv"));
    csv.removeFirst();
    int meses = 0;
    for (const QStringList& l : csv) {
        const QDate primeiro(l[0].toInt(), l[1].toInt(), 1);
        if (primeiro < QDate(1994, 7, 1))
            continue;
        const double v = 1 + l[2].toDouble() / 100;
        const double base = indice(a.banco, primeiro);
        const int n = primeiro.daysInMonth();
        for (int d : {1, 2, 16, n}) {
            const double esperado = base * std::pow(v, double(d - 1) / n);
            ASSERT_NEAR(indice(a.banco, primeiro.addDays(d - 1)), esperado, esperado * 1e-14)
                << primeiro.addDays(d - 1).toString(Qt::ISODate).toStdString();
        }
        if (primeiro < QDate(2026, 4, 1)) {
            ASSERT_NEAR(indice(a.banco, primeiro.addMonths(1)), base * v, base * v * 1e-14);
        }
        ++meses;
    }
    EXPECT_EQ(meses, 382);
    EXPECT_EQ(indice(a.banco, QDate(1994, 7, 1)), 1.0);
    EXPECT_NEAR(indice(a.banco, QDate(1994, 8, 1)), 1.0521, 1e-15); // IPCA-E of 07/1994: 5.21 %

    // A gap in a series is refused rather than spread over the wrong days.
    EXPECT_THROW(IndiceDiario({{1994, 7, 1.0}, {1994, 9, 1.0}}, QDate(1994, 7, 1)), Erro);
}

TEST(DadosIniciais, TabelasPreenchidasNaoMudamETabelaVaziaVoltaSozinha)
{
    Ambiente a;
    GaranteTabelasReferencia(a.banco, a.feedback);
    a.banco.executa("UPDATE VALORES SET SalMin = 999 WHERE Ano = 2024 AND Mes = 1");
    a.banco.executa("DELETE FROM DIARIO WHERE Data > '2026-01-31'");
    a.banco.executa("DELETE FROM PrevSAT");
    a.feedback.estados.clear();

    GaranteTabelasReferencia(a.banco, a.feedback);
    EXPECT_EQ(valor(a.banco, "SELECT SalMin FROM VALORES WHERE Ano = 2024 AND Mes = 1").toDouble(), 999);
    EXPECT_EQ(valor(a.banco, "SELECT MAX(Data) FROM DIARIO").toString(), "2026-01-31");
    EXPECT_EQ(valor(a.banco, "SELECT COUNT(*) FROM PrevSAT").toInt(),
        valor(a.banco, "SELECT COUNT(*) FROM PrevEmpregador").toInt());
    EXPECT_TRUE(a.feedback.estados.isEmpty()) << a.feedback.estados.join(", ").toStdString();
}
