#include "test_editor_itens.h"

#include "Ambiente.h"

#include "BancoDados.h"
#include "Grade.h"
#include "Programa.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>

#include <QToolButton>
#include <gtest/gtest.h>

namespace quintar::teste {

QCheckBox* CaixaItem(JanelaTeste& t, const char* flag)
{
    return t.j().itens()[t.j().indiceItem(QString::fromLatin1(flag))].chk;
}

QToolButton* OpcoesItem(JanelaTeste& t, const char* flag)
{
    return t.j().itens()[t.j().indiceItem(QString::fromLatin1(flag))].btn;
}

void Clica(QCheckBox* caixa)
{
    QTest::mouseClick(caixa, Qt::LeftButton, {}, QPoint(6, caixa->height() / 2));
}

bool TemFoco(QWidget* campo)
{
    return campo->window()->focusWidget() == campo;
}

int Contagem(JanelaTeste& t, const QString& tabela)
{
    return t.valor(QStringLiteral("SELECT COUNT(*) FROM %1").arg(tabela)).toInt();
}

QStringList Linhas(JanelaTeste& t, const QString& tabela, const QStringList& colunas, const QString& ordem)
{
    QStringList linhas;
    QSqlQuery& q = t.j().programa().banco().executa(
        QStringLiteral("SELECT %1 FROM %2 ORDER BY %3").arg(colunas.join(u','), tabela, ordem));
    while (q.next()) {
        QStringList valores;
        for (int i = 0; i < colunas.size(); ++i)
            valores.append(
                colunas[i] + u'=' + (q.value(i).isNull() ? QStringLiteral("<null>") : q.value(i).toString()));
        linhas.append(valores.join(u' '));
    }
    q.finish();
    return linhas;
}

void DigitaCelula(Grade* grade, int linha, const QString& campo, const QString& texto)
{
    grade->vaiParaCampo(linha, campo);
    QTest::keyClick(grade, Qt::Key_F2);
    QWidget* editor = grade->indexWidget(grade->currentIndex());
    ASSERT_NE(editor, nullptr) << campo.toStdString();
    if (auto* lista = qobject_cast<QComboBox*>(editor); lista && lista->isEditable())
        lista->lineEdit()->selectAll();
    else if (auto* campoTexto = qobject_cast<QLineEdit*>(editor))
        campoTexto->selectAll();
    Tecla(editor, texto);
    QTest::keyClick(editor, Qt::Key_Return);
    QTest::qWait(0); // the editor closes after the key, as between two keystrokes
}

} // namespace quintar::teste

namespace quintar::teste {

QStringList Conteudo(JanelaTeste& t, const QString& tabela)
{
    return TodasAsLinhas(t.j().programa().banco(), tabela);
}

void Escolhe(QComboBox* lista, const QVariant& valor)
{
    lista->setFocus(Qt::TabFocusReason);
    QTest::keyClick(lista, Qt::Key_Home);
    for (int i = 0; i < lista->count() && lista->currentData() != valor; ++i)
        QTest::keyClick(lista, Qt::Key_Down);
    EXPECT_EQ(lista->currentData(), valor);
    QTest::keyClick(lista, Qt::Key_Tab);
}

void Reativa(QWidget* dialogo)
{
    dialogo->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(dialogo));
}

} // namespace quintar::teste
