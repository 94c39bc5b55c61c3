// The rows of one working table for one case, as the editor dialogs hold them: read once,
// edited like a dataset (one current row, in editing until posted or cancelled) and
// written back together, on a real working database.

#include "Ambiente.h"
#include "ArquivoCaso.h"
#include "Erro.h"
#include "Esquema.h"
#include "Registros.h"
#include "Valores.h"

#include <QSqlQuery>
#include <QSqlRecord>

#include <gtest/gtest.h>

using namespace quintar;
using namespace quintar::teste;

namespace {

using Estado = Registros::Estado;

Money Reais(const char* texto)
{
    bool ok = false;
    const Money m = Money::parse(QString::fromLatin1(texto), u'.', &ok);
    EXPECT_TRUE(ok) << texto;
    return m;
}

// Case 7 has three 13th-salary years, stored out of order; case 8 has one of its own.
void Decimos(BancoDados& banco)
{
    struct Ano {
        int processo, ano;
        const char* calcula;
        int meses;
        const char* devido;
    };
    const Ano anos[] = {
        {7, 2020, "S", 12, "1000.00"},
        {7, 2019, "N", 5, "416.6667"},
        {7, 2021, "S", 3, "250.00"},
        {8, 2020, "S", 12, "800.00"},
    };
    for (const Ano& a : anos)
        banco.executa(QStringLiteral("INSERT INTO TAB_13_SALARIO (PROCESSO_ID, ANO, IND_CALCULA, SOBRE_SALARIO_FIXO, "
                                     "NUMERO_MESES, VALOR_DEVIDO) VALUES (:p, :a, :c, 'S', :m, :v)"),
            {{"p", a.processo}, {"a", a.ano}, {"c", QString::fromLatin1(a.calcula)}, {"m", a.meses},
                {"v", bancoMoney(Reais(a.devido))}});
}

QString Texto(const QVariant& v)
{
    return v.isNull() ? QStringLiteral("<null>") : v.toString();
}

QStringList Linhas(BancoDados& banco, const QString& tabela)
{
    return TodasAsLinhas(banco, tabela);
}

// Every row held in memory, every column, in the order held.
QStringList Memoria(const Registros& r)
{
    QStringList linhas;
    for (int i = 0; i < r.quantidade(); ++i) {
        QStringList valores;
        for (int c = 0; c < r.tabela().colunas.size(); ++c)
            valores.append(Texto(r.valor(i, c)));
        linhas.append(valores.join(u'|'));
    }
    return linhas;
}

QStringList Ordenadas(QStringList linhas)
{
    linhas.sort();
    return linhas;
}

// ANO, IND_CALCULA, NUMERO_MESES and VALOR_DEVIDO of the case's 13th-salary years, by year.
QStringList Anos(BancoDados& banco, qint64 processo)
{
    QSqlQuery q(banco.conexao());
    q.prepare(QStringLiteral("SELECT ANO, IND_CALCULA, NUMERO_MESES, VALOR_DEVIDO FROM TAB_13_SALARIO "
                             "WHERE PROCESSO_ID = ? ORDER BY ANO"));
    q.addBindValue(processo);
    EXPECT_TRUE(q.exec());
    QStringList anos;
    while (q.next())
        anos.append(QStringLiteral("%1 %2 %3 %4")
                        .arg(q.value(0).toString(), q.value(1).toString(), q.value(2).toString(),
                            lerMoney(q.value(3)).toString()));
    return anos;
}

} // namespace

TEST(Registros, ReadsOnlyTheCaseRowsInTheOrderAsked)
{
    Ambiente a;
    Decimos(a.banco);
    struct Caso {
        const char* ordem;
        QList<int> anos;
    };
    const Caso casos[] = {
        {"ANO", {2019, 2020, 2021}},
        {"ANO DESC", {2021, 2020, 2019}},
        {"IND_CALCULA, ANO DESC", {2019, 2021, 2020}},
    };
    for (const Caso& c : casos) {
        Registros r(a.banco, u"tab_13_salario");
        r.ordem = QString::fromLatin1(c.ordem);
        r.abre(7);
        QList<int> anos;
        for (int i = 0; i < r.quantidade(); ++i)
            anos.append(r.valor(i, u"ANO").toInt());
        EXPECT_EQ(anos, c.anos) << c.ordem;
        EXPECT_EQ(r.atual(), 0);
        EXPECT_EQ(r.valor(u"ANO").toInt(), c.anos.first());
        EXPECT_EQ(r.estado(), Estado::Navegando);
        EXPECT_TRUE(r.temRegistro());
        EXPECT_FALSE(r.alterado());
    }

    Registros vazio(a.banco, u"TAB_13_SALARIO");
    vazio.abre(9);
    EXPECT_EQ(vazio.quantidade(), 0);
    EXPECT_EQ(vazio.atual(), -1);
    EXPECT_FALSE(vazio.temRegistro());
    EXPECT_FALSE(vazio.valor(u"ANO").isValid());
}

TEST(Registros, UnknownTablesAndColumnsAreRefused)
{
    Ambiente a;
    Decimos(a.banco);
    try {
        Registros r(a.banco, u"TAB_NADA");
        ADD_FAILURE() << "a table that does not exist was taken";
    } catch (const Erro& e) {
        EXPECT_EQ(e.mensagem(), QStringLiteral("Tabela TAB_NADA não existe."));
    }

    Registros r(a.banco, u"TAB_13_SALARIO");
    r.abre(7);
    const std::function<void()> usos[] = {
        [&] { r.coluna(u"MES"); },
        [&] { r.valor(u"MES"); },
        [&] { r.valor(0, u"MES"); },
        [&] { r.define(u"MES", 1); },
    };
    for (const auto& uso : usos) {
        try {
            uso();
            ADD_FAILURE() << "a column that does not exist was taken";
        } catch (const Erro& e) {
            EXPECT_EQ(e.mensagem(), QStringLiteral("Campo MES não existe na tabela TAB_13_SALARIO."));
        }
    }
    // The refused value did not start an edit.
    EXPECT_EQ(r.estado(), Estado::Navegando);
    EXPECT_FALSE(r.alterado());
    EXPECT_EQ(r.coluna(u"numero_meses"), r.coluna(u"NUMERO_MESES"));
}

TEST(Registros, CancelUndoesTheEditAndDropsAnInsertedRow)
{
    Ambiente a;
    Decimos(a.banco);
    const QStringList tabela = Linhas(a.banco, QStringLiteral("TAB_13_SALARIO"));
    Registros r(a.banco, u"TAB_13_SALARIO");
    r.ordem = QStringLiteral("ANO");
    r.aoNovoRegistro = [](Registros& novo) {
        novo.define(u"IND_CALCULA", QStringLiteral("S"));
        novo.define(u"NUMERO_MESES", 12);
    };
    r.abre(7);

    // Every value typed into the row goes back.
    r.vaiPara(1);
    const QStringList lidas = Memoria(r);
    r.define(u"NUMERO_MESES", 4);
    r.define(u"IND_CALCULA", QStringLiteral("N"));
    EXPECT_EQ(r.estado(), Estado::Editando);
    EXPECT_EQ(r.valor(u"NUMERO_MESES").toInt(), 4);
    EXPECT_TRUE(r.alterado());
    r.Cancela();
    EXPECT_EQ(Memoria(r), lidas);
    EXPECT_EQ(r.estado(), Estado::Navegando);
    EXPECT_EQ(r.atual(), 1);
    EXPECT_FALSE(r.alterado());

    // A posted edit stays in memory; a second edit undone goes back to the posted values.
    r.define(u"NUMERO_MESES", 6);
    r.Posta();
    r.define(u"NUMERO_MESES", 9);
    r.Cancela();
    EXPECT_EQ(r.valor(u"NUMERO_MESES").toInt(), 6);
    EXPECT_TRUE(r.alterado());

    // An appended row, with its defaults, goes away; the last row becomes current.
    r.Acrescenta();
    EXPECT_EQ(r.estado(), Estado::Inserindo);
    EXPECT_EQ(r.quantidade(), 4);
    EXPECT_EQ(r.atual(), 3);
    EXPECT_EQ(r.valor(u"PROCESSO_ID").toLongLong(), 7);
    EXPECT_EQ(r.valor(u"NUMERO_MESES").toInt(), 12);
    r.define(u"ANO", 2022);
    r.Cancela();
    EXPECT_EQ(r.quantidade(), 3);
    EXPECT_EQ(r.atual(), 2);
    EXPECT_EQ(r.valor(u"ANO").toInt(), 2021);

    // A row inserted before the current one goes away and the current row is current again.
    r.vaiPara(1);
    r.Insere();
    EXPECT_EQ(r.atual(), 1);
    EXPECT_EQ(r.valor(2, u"ANO").toInt(), 2020);
    r.Cancela();
    EXPECT_EQ(r.quantidade(), 3);
    EXPECT_EQ(r.atual(), 1);
    EXPECT_EQ(r.valor(u"ANO").toInt(), 2020);
    // Deleting a row being inserted only drops it.
    r.Acrescenta();
    r.Exclui();
    EXPECT_EQ(r.quantidade(), 3);

    EXPECT_EQ(Linhas(a.banco, QStringLiteral("TAB_13_SALARIO")), tabela);
    r.Aplica();
    EXPECT_EQ(Anos(a.banco, 7), QStringList({"2019 N 5 416,6667", "2020 S 6 1000", "2021 S 3 250"}));
}

TEST(Registros, ARefusedPostingKeepsTheRowInEditingWithWhatWasTyped)
{
    // Whatever posts the row first: the posting itself, moving to another row, applying,
    // appending a row.
    struct Caso {
        const char* nome;
        std::function<void(Registros&)> acao;
        Estado depois;
    };
    const Caso casos[] = {
        {"Posta", [](Registros& r) { r.Posta(); }, Estado::Navegando},
        {"vaiPara", [](Registros& r) { r.vaiPara(2); }, Estado::Navegando},
        {"Aplica", [](Registros& r) { r.Aplica(); }, Estado::Navegando},
        {"Acrescenta", [](Registros& r) { r.Acrescenta(); }, Estado::Inserindo},
    };
    const auto recusa = [](Registros& linha) {
        if (linha.valor(u"NUMERO_MESES").toInt() > 12)
            throw Erro(QStringLiteral("Número de meses inválido."), QStringLiteral("NUMERO_MESES"));
    };
    for (const Caso& c : casos) {
        Ambiente a;
        Decimos(a.banco);
        const QStringList tabela = Linhas(a.banco, QStringLiteral("TAB_13_SALARIO"));
        Registros r(a.banco, u"TAB_13_SALARIO");
        r.ordem = QStringLiteral("ANO");
        r.antesDePostar = recusa;
        r.abre(7);
        r.define(u"IND_CALCULA", QStringLiteral("S"));
        r.define(u"NUMERO_MESES", 13);
        try {
            c.acao(r);
            ADD_FAILURE() << c.nome << ": the refused row was posted";
        } catch (const Erro& e) {
            EXPECT_EQ(e.mensagem(), QStringLiteral("Número de meses inválido.")) << c.nome;
            EXPECT_EQ(e.foco(), QStringLiteral("NUMERO_MESES")) << c.nome;
        }
        EXPECT_EQ(r.estado(), Estado::Editando) << c.nome;
        EXPECT_EQ(r.atual(), 0) << c.nome;
        EXPECT_EQ(r.quantidade(), 3) << c.nome;
        EXPECT_EQ(r.valor(u"NUMERO_MESES").toInt(), 13) << c.nome;
        EXPECT_EQ(r.valor(u"IND_CALCULA").toString(), QStringLiteral("S")) << c.nome;
        EXPECT_EQ(Linhas(a.banco, QStringLiteral("TAB_13_SALARIO")), tabela) << c.nome;

        // Corrected, the same command goes through.
        r.define(u"NUMERO_MESES", 11);
        EXPECT_NO_THROW(c.acao(r)) << c.nome;
        EXPECT_EQ(r.estado(), c.depois) << c.nome;
    }

    // A new row refused keeps its defaults and what was typed, still in insertion.
    Ambiente a;
    Decimos(a.banco);
    Registros r(a.banco, u"TAB_13_SALARIO");
    r.antesDePostar = recusa;
    r.aoNovoRegistro = [](Registros& novo) { novo.define(u"IND_CALCULA", QStringLiteral("S")); };
    r.abre(7);
    r.Acrescenta();
    r.define(u"ANO", 2022);
    r.define(u"NUMERO_MESES", 14);
    EXPECT_THROW(r.Posta(), Erro);
    EXPECT_EQ(r.estado(), Estado::Inserindo);
    EXPECT_EQ(r.quantidade(), 4);
    EXPECT_EQ(r.valor(u"ANO").toInt(), 2022);
    EXPECT_EQ(r.valor(u"IND_CALCULA").toString(), QStringLiteral("S"));
    r.define(u"NUMERO_MESES", 1);
    r.Aplica();
    EXPECT_EQ(Anos(a.banco, 7).last(), QStringLiteral("2022 S 1 0"));
}

TEST(Registros, ApplyWritesDeletionsUpdatesAndInsertionsInOneGo)
{
    Ambiente a;
    Decimos(a.banco);
    const QStringList tabela = Linhas(a.banco, QStringLiteral("TAB_13_SALARIO"));
    Registros r(a.banco, u"TAB_13_SALARIO");
    r.ordem = QStringLiteral("ANO");
    // Names are compared without regard to case.
    r.colunasAtualizadas = {QStringLiteral("IND_CALCULA"), QStringLiteral("numero_meses")};
    r.abre(7);

    // 2019: the two columns the update writes, and one it does not.
    r.define(u"IND_CALCULA", QStringLiteral("S"));
    r.define(u"NUMERO_MESES", 7);
    r.define(u"VALOR_DEVIDO", bancoMoney(Reais("999.99")));
    r.vaiPara(2);
    r.Exclui(); // 2021
    // An insertion writes every column.
    r.Acrescenta();
    r.define(u"ANO", 2022);
    r.define(u"IND_CALCULA", QStringLiteral("N"));
    r.define(u"NUMERO_MESES", 2);
    r.define(u"VALOR_DEVIDO", bancoMoney(Reais("12.34")));
    r.Posta();
    EXPECT_TRUE(r.alterado());
    EXPECT_EQ(Linhas(a.banco, QStringLiteral("TAB_13_SALARIO")), tabela); // all of it still in memory

    r.Aplica();
    EXPECT_FALSE(r.alterado());
    EXPECT_EQ(Anos(a.banco, 7), QStringList({"2019 S 7 416,6667", "2020 S 12 1000", "2022 N 2 12,34"}));
    EXPECT_EQ(Anos(a.banco, 8), QStringList({"2020 S 12 800"}));

    // The inserted row knows where it was written: a later edit and deletion reach it.
    ASSERT_EQ(r.valor(2, u"ANO").toInt(), 2022);
    r.vaiPara(2);
    r.define(u"NUMERO_MESES", 3);
    r.Aplica();
    EXPECT_EQ(Anos(a.banco, 7).last(), QStringLiteral("2022 N 3 12,34"));
    r.Exclui();
    r.Aplica();
    EXPECT_EQ(Anos(a.banco, 7), QStringList({"2019 S 7 416,6667", "2020 S 12 1000"}));

    // Without a list of columns the update writes all of them, the key too.
    Registros todas(a.banco, u"TAB_13_SALARIO");
    todas.ordem = QStringLiteral("ANO");
    todas.abre(7);
    todas.define(u"ANO", 2018);
    todas.define(u"VALOR_DEVIDO", bancoMoney(Reais("100")));
    todas.Aplica();
    EXPECT_EQ(Anos(a.banco, 7), QStringList({"2018 S 7 100", "2020 S 12 1000"}));
}

TEST(Registros, InsertionAndDeletionCanBeSwitchedOff)
{
    Ambiente a;
    Decimos(a.banco);
    Registros r(a.banco, u"TAB_13_SALARIO");
    r.ordem = QStringLiteral("ANO");
    r.permiteInserir = false;
    r.permiteExcluir = false;
    r.abre(7);
    r.Acrescenta();
    r.Insere();
    r.Exclui();
    EXPECT_EQ(r.quantidade(), 3);
    EXPECT_EQ(r.estado(), Estado::Navegando);
    EXPECT_FALSE(r.alterado());

    // An edit is still possible, and a refused deletion leaves it in editing.
    r.define(u"NUMERO_MESES", 1);
    r.Exclui();
    EXPECT_EQ(r.estado(), Estado::Editando);
    r.Aplica();
    EXPECT_EQ(Anos(a.banco, 7), QStringList({"2019 N 1 416,6667", "2020 S 12 1000", "2021 S 3 250"}));

    // With no row at all, a typed value has nowhere to go: it is abandoned like the insertion.
    Registros vazio(a.banco, u"TAB_13_SALARIO");
    vazio.permiteInserir = false;
    vazio.abre(9);
    vazio.define(u"NUMERO_MESES", 1);
    vazio.preencheFlags(QStringLiteral("S"));
    EXPECT_EQ(vazio.quantidade(), 0);
    EXPECT_EQ(vazio.estado(), Estado::Navegando);
    EXPECT_FALSE(vazio.alterado());
    vazio.Aplica();
    EXPECT_TRUE(Anos(a.banco, 9).isEmpty());
}

TEST(Registros, WithoutTheCacheEveryPostingReachesTheTableAtOnce)
{
    Ambiente a;
    Decimos(a.banco);
    Registros r(a.banco, u"TAB_13_SALARIO");
    r.ordem = QStringLiteral("ANO");
    r.emCache = false;
    r.abre(7);

    r.define(u"NUMERO_MESES", 8);
    EXPECT_EQ(Anos(a.banco, 7).first(), QStringLiteral("2019 N 5 416,6667")); // not before the posting
    r.Posta();
    EXPECT_EQ(Anos(a.banco, 7).first(), QStringLiteral("2019 N 8 416,6667"));
    EXPECT_FALSE(r.alterado());

    r.Acrescenta();
    r.define(u"ANO", 2022);
    r.define(u"IND_CALCULA", QStringLiteral("S"));
    r.define(u"NUMERO_MESES", 1);
    r.Posta();
    EXPECT_EQ(Anos(a.banco, 7).last(), QStringLiteral("2022 S 1 0"));
    r.define(u"NUMERO_MESES", 2);
    r.Posta();
    EXPECT_EQ(Anos(a.banco, 7).last(), QStringLiteral("2022 S 2 0"));
    r.Exclui();
    EXPECT_EQ(Anos(a.banco, 7).size(), 3);
    EXPECT_FALSE(r.alterado());

    // A row the table refuses stays as typed, in insertion; corrected, it is written.
    const QStringList tabela = Linhas(a.banco, QStringLiteral("TAB_13_SALARIO"));
    r.Acrescenta();
    r.define(u"ANO", 2020);
    r.define(u"NUMERO_MESES", 4);
    try {
        r.Posta();
        ADD_FAILURE() << "a duplicate key was written";
    } catch (const Erro& e) {
        EXPECT_EQ(e.mensagem(), QStringLiteral("Key violation."));
    }
    EXPECT_EQ(r.estado(), Estado::Inserindo);
    EXPECT_EQ(r.valor(u"ANO").toInt(), 2020);
    EXPECT_EQ(r.valor(u"NUMERO_MESES").toInt(), 4);
    EXPECT_EQ(Linhas(a.banco, QStringLiteral("TAB_13_SALARIO")), tabela);
    r.define(u"ANO", 2023);
    r.Posta();
    EXPECT_EQ(Anos(a.banco, 7).last(), QStringLiteral("2023  4 0")); // IND_CALCULA never typed: NULL

    // An edit the table refuses stays in editing; cancelled, the row is as read.
    r.vaiPara(0);
    r.define(u"ANO", 2020);
    EXPECT_THROW(r.Posta(), Erro);
    EXPECT_EQ(r.estado(), Estado::Editando);
    EXPECT_EQ(r.valor(u"ANO").toInt(), 2020);
    r.Cancela();
    EXPECT_EQ(r.valor(u"ANO").toInt(), 2019);
    EXPECT_EQ(Anos(a.banco, 7).first(), QStringLiteral("2019 N 8 416,6667"));
}

TEST(Registros, AFailedApplyLeavesTheTableAndTheRowsAsTheyWere)
{
    struct Caso {
        const char* nome;
        const char* tabela;
        qint64 processo;
        // The pending changes, one of which the table refuses, and its correction.
        std::function<void(Registros&)> altera;
        std::function<void(Registros&)> corrige;
        bool tambemFalha;
        const char* mensagem;
    };
    const Caso casos[] = {
        {"a new year that exists", "TAB_13_SALARIO", 7,
            [](Registros& r) {
                r.vaiPara(2);
                r.Exclui(); // 2021
                r.vaiPara(0);
                r.define(u"NUMERO_MESES", 9);
                r.Acrescenta();
                r.define(u"ANO", 2020);
            },
            [](Registros& r) {
                r.vaiPara(r.quantidade() - 1);
                r.define(u"ANO", 2024);
            },
            false, "Key violation."},
        {"a year changed into one that exists", "TAB_13_SALARIO", 7,
            [](Registros& r) {
                r.Acrescenta();
                r.define(u"ANO", 2030);
                r.vaiPara(0);
                r.define(u"ANO", 2020);
            },
            [](Registros& r) {
                r.vaiPara(0);
                r.define(u"ANO", 2018);
            },
            false, "Key violation."},
        {"a new case with the number of another", "TAB_PROCESSO", 0,
            [](Registros& r) {
                r.Acrescenta();
                r.define(u"PROCESSO_ID", 7);
                r.define(u"NUMERO", 7);
            },
            [](Registros& r) {
                r.define(u"PROCESSO_ID", 9);
                r.define(u"NUMERO", 9);
            },
            false, "Key violation."},
        {"what is written along with the rows", "TAB_13_SALARIO", 7,
            [](Registros& r) {
                r.Exclui();
                r.define(u"NUMERO_MESES", 1);
                r.Acrescenta();
                r.define(u"ANO", 2025);
            },
            [](Registros&) {}, true, "Não foi possível gravar."},
    };
    for (const Caso& c : casos) {
        Ambiente a;
        Decimos(a.banco);
        a.banco.executaDireto(QStringLiteral("INSERT INTO TAB_PROCESSO (PROCESSO_ID, NUMERO) VALUES (7, 7), (8, 8)"));
        const QString tabela = QString::fromLatin1(c.tabela);
        Registros r(a.banco, tabela);
        r.ordem = r.tabela().chave.join(u',');
        r.abre(c.processo);
        c.altera(r);
        r.Posta();
        const QStringList tabelaAntes = Linhas(a.banco, tabela);
        const QStringList memoriaAntes = Memoria(r);
        ASSERT_TRUE(r.alterado()) << c.nome;

        bool escreveu = false;
        try {
            r.Aplica([&] {
                escreveu = true;
                if (c.tambemFalha)
                    throw Erro(QStringLiteral("Não foi possível gravar."));
            });
            ADD_FAILURE() << c.nome << ": applied";
        } catch (const Erro& e) {
            EXPECT_EQ(e.mensagem(), QString::fromUtf8(c.mensagem)) << c.nome;
        }
        EXPECT_EQ(escreveu, c.tambemFalha) << c.nome;
        EXPECT_EQ(Linhas(a.banco, tabela), tabelaAntes) << c.nome;
        EXPECT_EQ(Memoria(r), memoriaAntes) << c.nome;
        EXPECT_TRUE(r.alterado()) << c.nome;

        // Corrected, everything held is written, the deletions too.
        c.corrige(r);
        EXPECT_NO_THROW(r.Aplica()) << c.nome;
        EXPECT_FALSE(r.alterado()) << c.nome;
        Registros lidos(a.banco, tabela);
        lidos.abre(r.valor(0, 0).toLongLong());
        EXPECT_EQ(Ordenadas(Memoria(lidos)), Ordenadas(Memoria(r))) << c.nome;
    }
}

TEST(Registros, OneOfTwoIdenticalRowsOfATableWithoutKey)
{
    for (const bool emCache : {true, false}) {
        Ambiente a;
        const QString arquivo = Fixture(QStringLiteral("todas_as_tabelas.QNT.XML"));
        LeArquivo(a.banco, arquivo, a.feedback);
        const QStringList lidas = Linhas(a.banco, QStringLiteral("TAB_JT_EXTRA"));
        ASSERT_EQ(lidas.size(), 2);
        ASSERT_EQ(lidas[0], lidas[1]);
        const QString entradas = QStringLiteral("SELECT GROUP_CONCAT(ENTRADA) FROM (SELECT ENTRADA FROM TAB_JT_EXTRA "
                                                "ORDER BY ENTRADA)");

        // An edit reaches exactly the row edited.
        Registros r(a.banco, u"TAB_JT_EXTRA");
        r.emCache = emCache;
        r.abre(123);
        ASSERT_EQ(r.quantidade(), 2);
        r.vaiPara(1);
        r.define(u"ENTRADA", 800);
        r.Posta();
        r.Aplica();
        EXPECT_EQ(a.banco.escalar(entradas).toString(), QStringLiteral("-1000,800")) << emCache;

        // A deletion takes exactly one of the two.
        LeArquivo(a.banco, arquivo, a.feedback);
        r.abre(123);
        r.Exclui();
        r.Aplica();
        EXPECT_EQ(Linhas(a.banco, QStringLiteral("TAB_JT_EXTRA")), QStringList{lidas[0]}) << emCache;
        EXPECT_EQ(Linhas(a.banco, QStringLiteral("TAB_JT_NOTURNO")).size(), 2) << emCache;
    }
}
