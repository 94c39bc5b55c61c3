// Rows of a table that is not kept per case (the description list of other credits and
// debits), selected by another column, and whether a row in editing was changed by the user.

#include "Ambiente.h"
#include "Erro.h"
#include "Registros.h"

#include <gtest/gtest.h>

using namespace quintar;
using namespace quintar::teste;

TEST(Registros, TheRowsOfAListAreSelectedByTheirKindAndANewOneTakesIt)
{
    Ambiente a;
    for (const auto& [tipo, descricao] :
        {std::pair{"C", "Prêmio"}, std::pair{"D", "Adiantamento"}, std::pair{"C", "Comissões"}})
        a.banco.executa(QStringLiteral("INSERT INTO TAB_OUTROS_DESCRICAO VALUES (:t, :d)"),
            {{"t", QString::fromLatin1(tipo)}, {"d", QString::fromUtf8(descricao)}});
    Registros r(a.banco, u"TAB_OUTROS_DESCRICAO");
    r.ordem = QStringLiteral("DESCRICAO");
    r.abrePor(u"IND_CREDITO_DEBITO", QStringLiteral("C"));
    ASSERT_EQ(r.quantidade(), 2);
    EXPECT_EQ(r.valor(0, u"DESCRICAO").toString(), u"Comissões");

    r.Acrescenta();
    EXPECT_EQ(r.valor(u"IND_CREDITO_DEBITO").toString(), u"C");
    r.define(u"DESCRICAO", QStringLiteral("Gorjetas"));
    r.Aplica();
    r.abrePor(u"IND_CREDITO_DEBITO", QStringLiteral("D"));
    EXPECT_EQ(r.quantidade(), 1);
    EXPECT_EQ(a.banco
                  .escalar(QStringLiteral("SELECT IND_CREDITO_DEBITO FROM TAB_OUTROS_DESCRICAO "
                                          "WHERE DESCRICAO = 'Gorjetas'"))
                  .toString(),
        u"C");
    EXPECT_THROW(Registros(a.banco, u"TAB_NAO_EXISTE"), Erro);
}

TEST(Registros, TheDefaultsOfANewRowAreNotAChangeOfTheUser)
{
    Ambiente a;
    Registros r(a.banco, u"TAB_13_SALARIO");
    r.aoNovoRegistro = [](Registros& novo) { novo.define(u"NUMERO_MESES", 12); };
    r.abre(7);
    r.Acrescenta();
    EXPECT_FALSE(r.modificado());
    EXPECT_EQ(r.valor(u"NUMERO_MESES").toInt(), 12);
    r.define(u"NUMERO_MESES", 12); // the same value
    EXPECT_FALSE(r.modificado());
    r.define(u"ANO", 2024);
    EXPECT_TRUE(r.modificado());
    r.Posta();
    r.Edita();
    EXPECT_FALSE(r.modificado());
    r.define(u"NUMERO_MESES", 3);
    EXPECT_TRUE(r.modificado());
}
