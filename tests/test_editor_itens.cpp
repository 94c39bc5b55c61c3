#include "test_editor_itens.h"

#include "Ambiente.h"

#include "BancoDados.h"
#include "Grade.h"
#include "Programa.h"

#include <QAbstractButton>
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

void Clica(QAbstractButton* caixa)
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
    grade->setFocus();
    grade->setCurrentIndex(Celula(grade, linha, campo));
    QTest::keyClick(grade, Qt::Key_F2);
    QWidget* editor = grade->indexWidget(grade->currentIndex());
    ASSERT_NE(editor, nullptr) << campo.toStdString();
    QLineEdit* campoTexto = qobject_cast<QLineEdit*>(editor);
    if (auto* lista = qobject_cast<QComboBox*>(editor); lista && lista->isEditable())
        campoTexto = lista->lineEdit();
    if (campoTexto) {
        campoTexto->selectAll();
        if (texto.isEmpty())
            QTest::keyClick(editor, Qt::Key_Delete);
    }
    Tecla(editor, texto);
    QTest::keyClick(editor, Qt::Key_Return);
    QTest::qWait(0); // the editor closes after the key, as between two keystrokes
}

QModelIndex Celula(Grade* grade, int linha, const QString& campo)
{
    const int coluna = grade->modelo()->colunaDoCampo(campo);
    EXPECT_GE(coluna, 0) << campo.toStdString();
    return grade->model()->index(linha, coluna);
}

QString TextoCelula(Grade* grade, int linha, const QString& campo)
{
    return Celula(grade, linha, campo).data(Qt::DisplayRole).toString();
}

void ClicaCelula(Grade* grade, int linha, const QString& campo, bool duplo)
{
    const QPoint meio = grade->visualRect(Celula(grade, linha, campo)).center();
    QTest::mouseClick(grade->viewport(), Qt::LeftButton, {}, meio);
    if (duplo)
        QTest::mouseDClick(grade->viewport(), Qt::LeftButton, {}, meio);
}

QString CampoAtual(Grade* grade)
{
    return grade->modelo()->colunaGrade(grade->currentIndex().column()).campo;
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
