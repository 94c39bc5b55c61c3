#pragma once

// Fixtures of the calculation tests: small reference tables with round figures, a case
// row, and the modules over a fresh program folder.

#include "Ambiente.h"
#include "CasoAberto.h"
#include "Motor.h"
#include "Valores.h"

#include <QDate>
#include <QSqlQuery>

#include <gtest/gtest.h>

namespace quintar::teste {

inline Money R(const char* texto)
{
    bool ok = false;
    const Money m = Money::parse(QString::fromLatin1(texto), u'.', &ok);
    EXPECT_TRUE(ok) << texto;
    return m;
}

// The correction index of every day from `de` to `ate`.
inline void Indices(BancoDados& banco, QDate de, QDate ate, const std::function<double(QDate)>& indice)
{
    Transacao t(banco);
    for (QDate d = de; d <= ate; d = d.addDays(1))
        banco.executa(QStringLiteral("INSERT OR REPLACE INTO DIARIO (CodIndice, Data, Indice) VALUES (1, :d, :i)"),
                      {{"d", bancoData(d)}, {"i", indice(d)}});
    t.confirma();
}

inline void SalarioMinimo(BancoDados& banco, int ano, int mes, double valor)
{
    banco.executa(QStringLiteral("INSERT OR REPLACE INTO VALORES (Ano, Mes, SalMin) VALUES (:a, :m, :v)"),
                  {{"a", ano}, {"m", mes}, {"v", valor}});
}

inline void FaixasINSS(BancoDados& banco, int ano, int mes, std::initializer_list<double> limitesEPercentuais)
{
    QVector<double> v(limitesEPercentuais);
    v.resize(10);
    banco.executa(QStringLiteral("INSERT OR REPLACE INTO FAIXASINSS (Ano, Mes, LimiteMinimo, Limite1, Percentual1, Limite2, "
                                 "Percentual2, Limite3, Percentual3, Limite4, Percentual4, Limite5, Percentual5) VALUES "
                                 "(:a, :m, 0, :l1, :p1, :l2, :p2, :l3, :p3, :l4, :p4, :l5, :p5)"),
                  {{"a", ano}, {"m", mes}, {"l1", v[0]}, {"p1", v[1]}, {"l2", v[2]}, {"p2", v[3]}, {"l3", v[4]},
                   {"p3", v[5]}, {"l4", v[6]}, {"p4", v[7]}, {"l5", v[8]}, {"p5", v[9]}});
}

inline void FaixasIR(BancoDados& banco, int ano, int mes, std::initializer_list<double> valores)
{
    QVector<double> v(valores);
    v.resize(12);
    banco.executa(QStringLiteral("INSERT OR REPLACE INTO FAIXASIR (Ano, Mes, LimiteMinimo, Limite1, Percentual1, Deducao1, "
                                 "Limite2, Percentual2, Deducao2, Limite3, Percentual3, Deducao3, PercentualMaximo, "
                                 "DeducaoMaximo) VALUES (:a, :m, :v0, :v1, :v2, :v3, :v4, :v5, :v6, :v7, :v8, :v9, :v10, :v11)"),
                  {{"a", ano}, {"m", mes}, {"v0", v[0]}, {"v1", v[1]}, {"v2", v[2]}, {"v3", v[3]}, {"v4", v[4]},
                   {"v5", v[5]}, {"v6", v[6]}, {"v7", v[7]}, {"v8", v[8]}, {"v9", v[9]}, {"v10", v[10]}, {"v11", v[11]}});
}

// A program folder with the modules, a case row and a fixed clock.
class Calculo {
public:
    explicit Calculo(const QDateTime& agora = QDateTime(QDate(2020, 12, 10), QTime(12, 0)))
        : motor(a.banco, a.feedback), caso(motor)
    {
        caso.relogio = [agora] { return agora; };
    }

    // Inserts the TAB_PROCESSO row (every flag "N", unit "V") and shows it.
    void NovoCaso(qint64 id, QDate inicio, QDate fim, QDate atualizacao, Money salario)
    {
        QStringList colunas{QStringLiteral("PROCESSO_ID"), QStringLiteral("NUMERO"), QStringLiteral("ANO"),
                            QStringLiteral("VARA"), QStringLiteral("REGIONAL"), QStringLiteral("SEQUENCIAL"),
                            QStringLiteral("DV"), QStringLiteral("DATA_INICIO_PACTO"), QStringLiteral("DATA_FIM_PACTO"),
                            QStringLiteral("DATA_ATUALIZACAO"), QStringLiteral("SALARIO_FIXO")};
        QVariantList valores{id, id, 2020, 1, 5, 0, DV(int(id), 2020, 1, 5, 0), bancoData(inicio), bancoData(fim),
                             bancoData(atualizacao), bancoMoney(salario)};
        for (const Coluna& c : TabelaTrabalho(u"TAB_PROCESSO")->colunas)
            if (c.tipo == TipoColuna::Char) {
                colunas.append(c.nome);
                valores.append(c.nome == u"UNIDADE_SALARIO_FIXO" ? QStringLiteral("V") : QStringLiteral("N"));
            }
        QStringList marcas(colunas.size(), QStringLiteral("?"));
        QSqlQuery q(a.banco.conexao());
        q.prepare(QStringLiteral("INSERT INTO TAB_PROCESSO (%1) VALUES (%2)").arg(colunas.join(u','), marcas.join(u',')));
        for (int i = 0; i < valores.size(); ++i)
            q.bindValue(i, valores[i]);
        ASSERT_TRUE(q.exec());
        ASSERT_TRUE(caso.Localiza(id));
        caso.arquivoEscolhido = a.caminho(QStringLiteral("caso.QNT.XML"));
        motor.comuns.defineContrato(inicio, fim);
    }

    void Executa(const QString& sql) { a.banco.executaDireto(sql); }
    QVariant Valor(const QString& sql) { return a.banco.escalar(sql); }
    Money ValorMoney(const QString& sql) { return lerMoney(Valor(sql)); }

    // The statement row of the month, as the calculators left it.
    LinhaDemonstrativo* Mes(qint64 id, int ano, int mes) { return motor.comuns.Linha(id, ano, mes); }

    Ambiente a;
    Motor motor;
    CasoAberto caso;
};

} // namespace quintar::teste
