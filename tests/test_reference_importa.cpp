// The record-file import: the four layouts, the merge by key, the partial last record and
// the files that cannot be read; the publication of the tables and the import command.

#include "Ambiente.h"
#include "Erro.h"
#include "ImportaTabelas.h"
#include "Pastas.h"
#include "RegistrosDat.h"

#include <QDataStream>
#include <QDir>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace quintar;
using namespace quintar::teste;

namespace {

// Record bytes written field by field with Qt's own little-endian encoder, following the
// published layouts (so the program's decoder is checked against an independent writer).
class Gravador {
public:
    Gravador() : s_(&bytes, QIODevice::WriteOnly)
    {
        s_.setByteOrder(QDataStream::LittleEndian);
        s_.setFloatingPointPrecision(QDataStream::DoublePrecision);
    }
    Gravador& i32(qint32 v)
    {
        s_ << v;
        return *this;
    }
    Gravador& real(double v)
    {
        s_ << v;
        return *this;
    }
    Gravador& dia(QDate d) { return real(static_cast<double>(QDate(1899, 12, 30).daysTo(d))); }
    QByteArray bytes;

private:
    QDataStream s_;
};

QVariant valor(BancoDados& banco, const QString& sql)
{
    return banco.escalar(sql);
}

int linhas(BancoDados& banco, const QString& tabela)
{
    return banco.escalar(QStringLiteral("SELECT COUNT(*) FROM ") + tabela).toInt();
}

void diario(BancoDados& banco, QDate dia, double indice)
{
    banco.executa(QStringLiteral("INSERT INTO DIARIO (CodIndice, Data, Indice) VALUES (1, :d, :i)"),
        {{"d", dia.toString(Qt::ISODate)}, {"i", indice}});
}

} // namespace

TEST(ImportaTabelas, CadaCampoDosQuatroLeiautesVaiParaSuaColuna)
{
    struct Caso {
        QString arquivo, tabela;
        QStringList reais; // the real fields after Ano and Mes, in file order
        int tamanho;
    };
    const QList<Caso> casos = {
        {"FaixasINSS.dat", "FAIXASINSS",
            {"LimiteMinimo", "Limite1", "Percentual1", "Limite2", "Percentual2", "Limite3", "Percentual3", "Limite4",
                "Percentual4", "Limite5", "Percentual5"},
            96},
        {"Valores.dat", "VALORES", {"SalMin", "SalFam1", "SalFam2", "LimMinimo", "LimMaximo", "ValorMaximo"}, 56},
        {"FaixasIR2.dat", "FAIXASIR",
            {"LimiteMinimo", "Limite1", "Percentual1", "Deducao1", "Limite2", "Percentual2", "Deducao2", "Limite3",
                "Percentual3", "Deducao3", "PercentualMaximo", "DeducaoMaximo", "DeducaoDependente", "DeducaoDaBase"},
            120},
    };
    Ambiente a;
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.arquivo.toStdString());
        Gravador g;
        g.i32(2031).i32(7);
        for (int i = 0; i < c.reais.size(); ++i)
            g.real(1000.25 + i);
        ASSERT_EQ(g.bytes.size(), c.tamanho);
        GravaBytes(PastaTabelas() + c.arquivo, g.bytes);
        const LayoutDat& layout = c.tabela == u"FAIXASINSS" ? Layout(ArquivoDat::FaixasINSS)
            : c.tabela == u"VALORES"                        ? Layout(ArquivoDat::Valores)
                                                            : Layout(ArquivoDat::FaixasIR2);
        ImportaArquivo(a.banco, a.feedback, layout);
        for (int i = 0; i < c.reais.size(); ++i)
            EXPECT_EQ(valor(a.banco, "SELECT " + c.reais[i] + " FROM " + c.tabela + " WHERE Ano = 2031 AND Mes = 7")
                          .toDouble(),
                1000.25 + i)
                << c.reais[i].toStdString();
    }

    // Diario.dat: code, four bytes of padding (any content), the day as days since 30/12/1899, the index.
    QByteArray bytes = Gravador().i32(1).bytes + QByteArray("\xAA\xBB\xCC\xDD", 4)
        + Gravador().dia(QDate(2024, 2, 29)).real(7.123456789012345).bytes;
    ASSERT_EQ(bytes.size(), 24);
    GravaBytes(PastaTabelas() + "Diario.dat", bytes);
    ImportaArquivo(a.banco, a.feedback, Layout(ArquivoDat::Diario));
    EXPECT_EQ(valor(a.banco, "SELECT Indice FROM DIARIO WHERE CodIndice = 1 AND Data = '2024-02-29'").toDouble(),
        7.123456789012345);
}

TEST(ImportaTabelas, UmRegistroDeChaveExistenteSubstituiOsValoresSemNovaLinha)
{
    Ambiente a;
    diario(a.banco, QDate(2020, 1, 1), 1.5);
    diario(a.banco, QDate(2020, 1, 2), 1.6);
    a.banco.executa("INSERT INTO VALORES (Ano, Mes, SalMin, SalFam1, SalFam2, LimMinimo, LimMaximo, ValorMaximo) "
                    "VALUES (2020, 1, 1039, 1, 2, 3, 4, 5)");

    GravaBytes(PastaTabelas() + "Diario.dat",
        Gravador()
            .i32(1)
            .i32(0)
            .dia(QDate(2020, 1, 2))
            .real(1.75)
            .i32(1)
            .i32(0)
            .dia(QDate(2020, 1, 3))
            .real(1.8)
            .bytes);
    GravaBytes(PastaTabelas() + "Valores.dat",
        Gravador().i32(2020).i32(1).real(1045).real(0).real(0).real(0).real(0).real(6101.06).bytes);
    GravaBytes(PastaTabelas() + "FaixasIR2.dat", QByteArray());
    ImportaTabelas(a.banco, a.feedback, false);

    EXPECT_EQ(linhas(a.banco, "DIARIO"), 3);
    EXPECT_EQ(valor(a.banco, "SELECT Indice FROM DIARIO WHERE Data = '2020-01-01'").toDouble(), 1.5);
    EXPECT_EQ(valor(a.banco, "SELECT Indice FROM DIARIO WHERE Data = '2020-01-02'").toDouble(), 1.75);
    EXPECT_EQ(linhas(a.banco, "VALORES"), 1);
    EXPECT_EQ(valor(a.banco, "SELECT SalMin || '/' || SalFam1 || '/' || LimMaximo || '/' || ValorMaximo FROM VALORES")
                  .toString(),
        "1045.0/0.0/0.0/6101.06");

    // Status per table in the update's order, progress per record up to rows + 1 (+ 31 for Diario.db).
    EXPECT_EQ(a.feedback.estados,
        QStringList({"Atualizando : Diario.db", "Atualizando : Valores.db", "Atualizando : FaixasIR.db"}));
    const QList<QPair<int, int>> esperado = {{0, 2 + 1 + 31}, {1, 34}, {2, 34}, {0, 1 + 1}, {1, 2}, {0, 0 + 1}};
    EXPECT_EQ(a.feedback.progressos, esperado);
}

TEST(ImportaTabelas, RegistroFinalIncompletoGuardaOsInteirosEAcusaErroDeEntradaSaida)
{
    Ambiente a;
    const QByteArray doisRegistros = Gravador()
                                         .i32(2025)
                                         .i32(1)
                                         .real(1518)
                                         .real(0)
                                         .real(0)
                                         .real(0)
                                         .real(0)
                                         .real(8157.41)
                                         .i32(2025)
                                         .i32(2)
                                         .real(1518)
                                         .real(0)
                                         .real(0)
                                         .real(0)
                                         .real(0)
                                         .real(8157.41)
                                         .bytes;
    GravaBytes(PastaTabelas() + "Valores.dat", doisRegistros + QByteArray(10, '\x01'));
    try {
        ImportaArquivo(a.banco, a.feedback, Layout(ArquivoDat::Valores));
        FAIL() << "sem erro";
    } catch (const Erro& e) {
        EXPECT_TRUE(e.mensagem().startsWith("Erro de entrada/saída")) << e.what();
        EXPECT_TRUE(e.mensagem().contains("Valores.dat")) << e.what();
    }
    EXPECT_EQ(linhas(a.banco, "VALORES"), 2);
    EXPECT_EQ(a.banco.profundidadeTransacao(), 0);
}

TEST(ImportaTabelas, ArquivoAusenteIlegivelOuComRegistroInvalidoNaoMudaNada)
{
    struct Caso {
        const char* nome;
        std::function<void()> prepara;
        QString trecho;
    };
    const QList<Caso> casos = {
        {"ausente", [] { QFile::remove(PastaTabelas() + "FaixasINSS.dat"); },
            "O arquivo FaixasINSS.dat não foi encontrado"},
        {"pasta no lugar do arquivo", [] { QDir().mkpath(PastaTabelas() + "FaixasINSS.dat"); }, "FaixasINSS.dat"},
        {"mês 13",
            [] {
                Gravador g;
                g.i32(2026).i32(1);
                for (int i = 0; i < 11; ++i)
                    g.real(1);
                g.i32(2026).i32(13);
                for (int i = 0; i < 11; ++i)
                    g.real(1);
                GravaBytes(PastaTabelas() + "FaixasINSS.dat", g.bytes);
            },
            "registro inválido (registro 2: mês 13)"},
        {"percentual negativo",
            [] {
                Gravador g;
                g.i32(2026).i32(1).real(0).real(1621).real(-7.5);
                for (int i = 0; i < 8; ++i)
                    g.real(1);
                GravaBytes(PastaTabelas() + "FaixasINSS.dat", g.bytes);
            },
            "Percentual1"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nome);
        Ambiente a;
        c.prepara();
        try {
            ImportaTabelas(a.banco, a.feedback, true);
            ADD_FAILURE() << "sem erro";
        } catch (const Erro& e) {
            EXPECT_TRUE(e.mensagem().contains(c.trecho)) << e.what();
        }
        EXPECT_EQ(linhas(a.banco, "FAIXASINSS"), 0);
    }

    // A day index that is not positive would break every correction factor.
    Ambiente a;
    GravaBytes(PastaTabelas() + "Diario.dat", Gravador().i32(1).i32(0).dia(QDate(2026, 1, 1)).real(0).bytes);
    EXPECT_THROW(ImportaArquivo(a.banco, a.feedback, Layout(ArquivoDat::Diario)), Erro);
    EXPECT_EQ(linhas(a.banco, "DIARIO"), 0);
}

TEST(ImportaTabelas, ComandoImportaIncorporaUmaPastaPublicada)
{
    QTemporaryDir tmp;
    const QString origem = tmp.path() + "/origem", destino = tmp.path() + "/destino", pub = tmp.path() + "/pub";
    const QStringList env = {"XDG_CONFIG_HOME=" + tmp.path() + "/config"};
    ASSERT_EQ(RodaCli({"--pasta", origem, "publica", pub}, env).codigo, 0);

    // A folder missing one file changes nothing and names the file.
    QTemporaryDir incompleta;
    for (const char* f : {"FaixasINSS.dat", "Valores.dat", "FaixasIR2.dat"})
        QFile::copy(pub + "/" + f, incompleta.path() + "/" + f);
    const ResultadoCli falta = RodaCli({"--pasta", destino, "importa", incompleta.path()}, env);
    EXPECT_EQ(falta.codigo, 1);
    EXPECT_TRUE(falta.erros.contains("O arquivo Diario.dat não foi encontrado")) << falta.erros.toStdString();

    const ResultadoCli r = RodaCli({"--pasta", destino, "importa", pub}, env);
    EXPECT_EQ(r.codigo, 0) << r.erros.toStdString();
    EXPECT_EQ(r.saida.trimmed(), "Tabelas atualizadas até Dezembro de 2026.");
    EXPECT_EQ(RodaCli({"--pasta", destino, "importa"}, env).codigo, 2);

    // Publishing the destination gives the same bytes: every row arrived unchanged.
    const QString pub2 = tmp.path() + "/pub2";
    ASSERT_EQ(RodaCli({"--pasta", destino, "publica", pub2}, env).codigo, 0);
    for (const char* f : {"FaixasINSS.dat", "Valores.dat", "FaixasIR2.dat", "Diario.dat", "calcinfo.txt"})
        EXPECT_EQ(LeBytes(pub + "/" + f), LeBytes(pub2 + "/" + f)) << f;
}
