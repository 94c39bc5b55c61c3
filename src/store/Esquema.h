#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <QVector>

namespace quintar {

// Column types of the working and reference tables and how each is stored in SQLite:
//   Decimal18, SmallInt, Integer   INT (integer affinity, never the row id), the number itself
//   Money, Decimal(p,s)            INT, ten-thousandths (a Decimal is rounded to its s places)
//   Float                          REAL
//   Date                           TEXT "yyyy-MM-dd"
//   Timestamp                      TEXT "yyyy-MM-dd hh:mm:ss"
//   Char(n), Varchar(n)            TEXT
enum class TipoColuna { Decimal18, Decimal, Money, Float, SmallInt, Integer, Date, Timestamp, Char, Varchar };

struct Coluna {
    QString nome;
    TipoColuna tipo;
    int tamanho = 0; // characters of Char/Varchar, precision of Decimal
    int escala = 0;  // decimals of Decimal
};

struct Tabela {
    QString nome;
    QVector<Coluna> colunas;
    QStringList chave;
    // Shown in the status bar before the table is created by the reset (working tables only).
    QString textoCriacao;

    // Index of a column by name, without regard to case; -1 when the table has none.
    int indice(QStringView coluna) const;
    const Coluna* coluna(QStringView nome) const;

    QHash<QString, int> indices; // upper-case name → position
};

// The 21 working tables, in the order of TabelasCaso.
const QVector<Tabela>& TabelasTrabalho();
// A working table by name, without regard to case; null when there is none.
const Tabela* TabelaTrabalho(QStringView nome);
// The working tables in the order the reset creates them.
QVector<const Tabela*> OrdemCriacao();
// The reference tables (DIARIO, FAIXASINSS, FAIXASIR, VALORES) and the four lookup tables
// of the editors: created when missing, never reset.
const QVector<Tabela>& TabelasPermanentes();
const Tabela* TabelaPermanente(QStringView nome);

// "CREATE TABLE name (columns..., PRIMARY KEY (...))" for SQLite.
QString SqlCriacao(const Tabela& tabela, bool seNaoExiste = false);

} // namespace quintar
