#include "Ambiente.h"
#include "Erro.h"
#include "Esquema.h"
#include "Rotinas.h"

#include <QSqlQuery>
#include <QSqlRecord>

#include <gtest/gtest.h>

using namespace quintar;
using namespace quintar::teste;

TEST(Esquema, TablesHaveTheirColumnsInOrderAndTheShortNames)
{
    const QVector<Tabela>& tabelas = TabelasTrabalho();
    ASSERT_EQ(tabelas.size(), 21);
    for (int i = 0; i < 21; ++i) {
        EXPECT_EQ(tabelas[i].nome, TabelasCaso()[i]);
        EXPECT_EQ(tabelas[i].colunas.first().nome, QStringLiteral("PROCESSO_ID"));
    }
    struct Contagem { const char* tabela; int colunas; };
    const Contagem contagens[] = {
        {"TAB_PROCESSO", 54}, {"TAB_HORAS_EXTRAS", 18}, {"TAB_AVISO_PREVIO", 19}, {"TAB_FGTS", 18},
        {"TAB_INSALUBRIDADE", 9}, {"TAB_INSS", 22}, {"TAB_IR", 24}, {"TAB_JT_EXTRA", 17},
        {"TAB_JT_NOTURNO", 14}, {"TAB_JUROS", 18}, {"TAB_MULTAS", 22}, {"TAB_OUTROS_CREDITO", 6},
        {"TAB_OUTROS_DEBITO", 6}, {"TAB_PERICULOSIDADE", 8}, {"TAB_RSR", 10}, {"TAB_SALARIO", 10},
        {"TAB_VARIACAO_SALARIAL", 8}, {"TAB_13_SALARIO", 14}, {"TAB_FERIAS", 18}, {"TAB_NOTURNO", 15},
        {"TAB_DEMONSTRATIVO_MENSAL", 38},
    };
    for (const auto& c : contagens)
        EXPECT_EQ(TabelaTrabalho(QString::fromLatin1(c.tabela))->colunas.size(), c.colunas) << c.tabela;

    EXPECT_TRUE(TabelaTrabalho(u"TAB_FGTS")->coluna(u"IND_APURA_VERBAS_RESCISOR"));
    EXPECT_TRUE(TabelaTrabalho(u"TAB_INSS")->coluna(u"TIPO_RECOLHIMENTO_RECLAMA"));
    EXPECT_TRUE(TabelaTrabalho(u"TAB_MULTAS")->coluna(u"SOBRE_477_SALARIO_VARIAVE"));
    EXPECT_TRUE(TabelaTrabalho(u"TAB_MULTAS")->coluna(u"SOBRE_477_DIFERENCA_SALAR"));
    EXPECT_FALSE(TabelaTrabalho(u"TAB_MULTAS")->coluna(u"SOBRE_477_DIFERENCA_SALARIAL"));
    EXPECT_EQ(TabelaTrabalho(u"TAB_PROCESSO")->colunas[52].nome, QStringLiteral("TOTAL_CALCULO"));
    EXPECT_EQ(TabelaTrabalho(u"tab_ferias")->chave, QStringList({"PROCESSO_ID", "PERIODO_INICIAL"}));
}

TEST(Banco, FirstStartCreatesEveryWorkingTableWithItsStatusTexts)
{
    Ambiente a;
    a.banco.ReiniciaTabelas(a.feedback);
    const QStringList& estados = a.feedback.estados;
    ASSERT_EQ(estados.size(), 23);
    EXPECT_EQ(estados.first(), QStringLiteral("Apagando Tabelas."));
    EXPECT_EQ(estados[1], QStringLiteral("Criando Tabelas - Adicional Noturno."));
    EXPECT_EQ(estados[21], QStringLiteral("Criando Tabelas - 13º Salário."));
    EXPECT_EQ(estados.last(), QStringLiteral("Tabelas Criadas."));
    for (const QString& t : TabelasCaso()) {
        QSqlQuery q(a.banco.conexao());
        EXPECT_TRUE(q.exec(QStringLiteral("SELECT COUNT(*) FROM ") + t)) << t.toStdString();
    }
}

TEST(Banco, EveryKeyedTableRefusesASecondRowWithTheSameKey)
{
    Ambiente a;
    for (const Tabela& t : TabelasTrabalho()) {
        QStringList colunas, valores;
        for (const Coluna& c : t.colunas) {
            colunas.append(c.nome);
            const bool texto = c.tipo == TipoColuna::Char || c.tipo == TipoColuna::Varchar
                               || c.tipo == TipoColuna::Date || c.tipo == TipoColuna::Timestamp;
            valores.append(texto ? QStringLiteral("'S'") : QStringLiteral("1"));
        }
        const QString sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                .arg(t.nome, colunas.join(u','), valores.join(u','));
        a.banco.executaDireto(sql);
        if (t.chave.isEmpty()) {
            EXPECT_NO_THROW(a.banco.executaDireto(sql)) << t.nome.toStdString(); // TAB_JT_EXTRA, TAB_JT_NOTURNO
        } else {
            try {
                a.banco.executaDireto(sql);
                ADD_FAILURE() << t.nome.toStdString() << " took a duplicate key";
            } catch (const Erro& e) {
                EXPECT_EQ(e.mensagem(), QStringLiteral("Key violation.")) << t.nome.toStdString();
            }
            // Without its PROCESSO_ID a row is refused, not given a number of the database's.
            EXPECT_THROW(a.banco.executaDireto(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                                   .arg(t.nome, colunas.mid(1).join(u','), valores.mid(1).join(u','))),
                Erro)
                << t.nome.toStdString();
        }
    }
}

TEST(Banco, TheResetLeavesReferenceAndLookupTablesAlone)
{
    Ambiente a;
    a.banco.executaDireto(QStringLiteral("INSERT INTO DIARIO (CodIndice, Data, Indice) VALUES (1, '2008-03-05', 1.5)"));
    a.banco.executaDireto(QStringLiteral("INSERT INTO TAB_OUTROS_DESCRICAO VALUES ('C', 'Vale-transporte')"));
    a.banco.executaDireto(QStringLiteral("INSERT INTO TAB_PROCESSO (PROCESSO_ID) VALUES (1)"));
    a.banco.ReiniciaTabelas(a.feedback);
    EXPECT_EQ(a.banco.escalar(QStringLiteral("SELECT COUNT(*) FROM DIARIO")).toInt(), 1);
    EXPECT_EQ(a.banco.escalar(QStringLiteral("SELECT COUNT(*) FROM TAB_OUTROS_DESCRICAO")).toInt(), 1);
    EXPECT_EQ(a.banco.escalar(QStringLiteral("SELECT COUNT(*) FROM TAB_PROCESSO")).toInt(), 0);

    // They also outlive closing and opening the database.
    a.banco.fecha();
    a.banco.abre(a.caminho(QStringLiteral("TabelasParadox/")));
    EXPECT_EQ(a.banco.escalar(QStringLiteral("SELECT Indice FROM DIARIO")).toDouble(), 1.5);
}

TEST(Banco, AUnitOfWorkIsUndoneUnlessConfirmedAndUnitsNest)
{
    Ambiente a;
    {
        Transacao externa(a.banco);
        a.banco.executaDireto(QStringLiteral("INSERT INTO TAB_PROCESSO (PROCESSO_ID) VALUES (1)"));
        {
            Transacao interna(a.banco);
            a.banco.executaDireto(QStringLiteral("INSERT INTO TAB_PROCESSO (PROCESSO_ID) VALUES (2)"));
        } // not confirmed: only row 2 goes
        externa.confirma();
    }
    EXPECT_EQ(a.banco.escalar(QStringLiteral("SELECT COUNT(*) FROM TAB_PROCESSO")).toInt(), 1);
    try {
        Transacao t(a.banco);
        a.banco.ReiniciaTabelas(a.feedback);
        throw Erro(QStringLiteral("falhou"));
    } catch (const Erro&) {
    }
    // Even a reset inside a failed unit is undone.
    EXPECT_EQ(a.banco.escalar(QStringLiteral("SELECT COUNT(*) FROM TAB_PROCESSO")).toInt(), 1);
}
