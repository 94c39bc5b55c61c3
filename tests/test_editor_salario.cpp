// The editor dialogs' bases and the salary editors as a clerk uses them, on the sample case:
// the single-row base that saves its row at once, the grid base's cache, refusals that keep
// what was typed, the salary months, the salary history and its period fill.

#include "test_editor_apoio.h"

#include "BancoDados.h"
#include "Campos.h"
#include "Grade.h"
#include "Motor.h"
#include "Navegador.h"
#include "Registros.h"
#include "TfrmBaseDados.h"
#include "TfrmGrades.h"
#include "TfrmSalario.h"
#include "TfrmVarSalPeriodo.h"
#include "TfrmVarSalarial.h"
#include "Valores.h"
#include "Vinculos.h"

#include <QAccessible>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlRecord>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace quintar;
using namespace quintar::teste;

namespace {

// --- The sample case and its tables --------------------------------------------------------

// The sample case open in the window.
class ComExemplo : public ::testing::Test {
protected:
    ComExemplo() { t.mostra(t.copiaExemplo()); }

    Motor& motor() { return t.j().motor(); }
    BancoDados& banco() { return t.j().motor().banco; }
    qint64 id() { return t.caso().processoId(); }

    void sql(const QString& texto) { banco().executaDireto(texto); }
    int contagem(const QString& tabela)
    {
        return t.valor(QStringLiteral("SELECT COUNT(*) FROM %1").arg(tabela)).toInt();
    }
    // A column of a month's row as the table holds it.
    QVariant doMes(const QString& tabela, const QString& coluna, int ano, int mes)
    {
        return banco().escalar(QStringLiteral("SELECT %1 FROM %2 WHERE ANO = :ano AND MES = :mes").arg(coluna, tabela),
            {{"ano", ano}, {"mes", mes}});
    }
    // Every row of the table as text, in the stored order: what a Cancel must leave as it was.
    QStringList linhas(const QString& tabela)
    {
        QSqlQuery& q = banco().executa(QStringLiteral("SELECT * FROM %1 ORDER BY rowid").arg(tabela));
        QStringList r;
        while (q.next()) {
            QStringList valores;
            for (int i = 0; i < q.record().count(); ++i)
                valores.append(q.value(i).isNull() ? QStringLiteral("NULL") : q.value(i).toString());
            r.append(valores.join(u'|'));
        }
        q.finish();
        return r;
    }
    // The salary history replaced by one row a month from `de` to `ate`, all months at
    // 1.000,00 in the current currency, the last one with values of its own.
    void historico(QDate de, QDate ate)
    {
        sql(QStringLiteral("DELETE FROM TAB_VARIACAO_SALARIAL"));
        for (QDate d = de; AnoMesDe(d) <= AnoMesDe(ate); d = d.addMonths(1)) {
            const bool ultimo = AnoMesDe(d) == AnoMesDe(ate);
            banco().executa(QStringLiteral("INSERT INTO TAB_VARIACAO_SALARIAL (PROCESSO_ID, ANO, MES, SALARIO_FIXO, "
                                           "UNIDADE_SALARIO_FIXO, PARADIGMA, UNIDADE_PARADIGMA, SALARIO_VARIAVEL) "
                                           "VALUES (:id, :ano, :mes, :fixo, 'V', :paradigma, 'V', :variavel)"),
                {{"id", id()}, {"ano", d.year()}, {"mes", d.month()},
                    {"fixo", bancoMoney(Money::fromCents(ultimo ? 180000 : 100000))},
                    {"paradigma", bancoMoney(Money::fromCents(ultimo ? 200000 : 0))},
                    {"variavel", bancoMoney(Money::fromCents(ultimo ? 5000 : 0))}});
        }
    }
    static int AnoMesDe(QDate d) { return d.year() * 12 + d.month(); }

    JanelaTeste t;
};

class BasesDialogo : public ComExemplo { };
class SalarioMeses : public ComExemplo { };
class SalarioVariacao : public ComExemplo { };
class SalarioPeriodo : public ComExemplo { };
class SalarioTeclado : public ComExemplo { };

// --- Running the dialogs --------------------------------------------------------------------

// Runs the dialog for the case with `passos` driving it once it is shown; the steps close it
// (OK, Cancel), and a dialog they leave open is cancelled, so that a failed check cannot hold
// the test. True when it closed with OK.
bool Conduz(TfrmOkCan& dialogo, qint64 id, const std::function<void()>& passos)
{
    bool conduzido = false;
    QuandoModal([&](QWidget* janela) {
        if (janela != &dialogo) { // the dialog could not open: its error box
            ADD_FAILURE() << "not the dialog: " << TextoCaixa(janela).toStdString();
            static_cast<QDialog*>(janela)->reject();
            return;
        }
        passos();
        conduzido = true;
        if (dialogo.isVisible())
            dialogo.reject();
    });
    const bool ok = dialogo.Executa(id);
    EsperaModais();
    EXPECT_TRUE(conduzido);
    return ok;
}

// Clicks a button whose click may open a message box the caller has queued an answer for,
// and waits for the answers.
void Clica(QAbstractButton* botao)
{
    QTest::mouseClick(botao, Qt::LeftButton);
    EsperaModais();
}

// The field that has the focus in its window (a drop-down's own line edit counts as it).
bool TemFoco(QWidget* campo)
{
    QWidget* foco = campo->window()->focusWidget();
    return foco && (foco == campo || campo->isAncestorOf(foco));
}

// A message box as the clerk sees it.
struct Caixa {
    QString texto;
    QMessageBox::Icon icone;
};

// The next message box, answered with OK, appended to `caixas`.
void AnotaCaixa(QList<Caixa>& caixas)
{
    QuandoModal([&caixas](QWidget* janela) {
        auto* caixa = qobject_cast<QMessageBox*>(janela);
        caixas.append({TextoCaixa(janela), caixa ? caixa->icon() : QMessageBox::NoIcon});
        Responde(janela, QMessageBox::Ok);
    });
}

// --- The grid -------------------------------------------------------------------------------

QModelIndex Celula(Grade* g, int linha, const char* campo)
{
    return g->model()->index(linha, g->modelo()->colunaDoCampo(QString::fromLatin1(campo)));
}

// The cursor to the cell (as the arrows move it: leaving a row posts it) and its editor open
// with F2, what it holds selected.
QWidget* AbreCelula(Grade* g, int linha, const char* campo)
{
    g->setFocus();
    g->setCurrentIndex(Celula(g, linha, campo));
    QTest::keyClick(g, Qt::Key_F2);
    QWidget* editor = g->indexWidget(g->currentIndex());
    if (auto* texto = qobject_cast<QLineEdit*>(editor))
        texto->selectAll();
    return editor;
}

// Types into a cell and ends it with Enter; the row stays current and in editing.
void DigitaCelula(Grade* g, int linha, const char* campo, const QString& texto)
{
    QWidget* editor = AbreCelula(g, linha, campo);
    ASSERT_NE(editor, nullptr) << campo;
    Tecla(editor, texto);
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents(); // Enter hands the text to the row once the key is over
}

QString Texto(Grade* g, int linha, const char* campo)
{
    return Celula(g, linha, campo).data().toString();
}

// The grid row of a month.
int LinhaDoMes(const Registros& r, int ano, int mes)
{
    for (int i = 0; i < r.quantidade(); ++i)
        if (r.valor(i, u"ANO").toInt() == ano && r.valor(i, u"MES").toInt() == mes)
            return i;
    return -1;
}

// Opens the period dialog with the history editor's button, `passos` driving it; a dialog
// they leave open is cancelled.
void AbrePeriodo(TfrmVarSalarial& editor, const std::function<void(TfrmVarSalPeriodo&)>& passos)
{
    QuandoModal([&passos](QWidget* janela) {
        if (auto* periodo = qobject_cast<TfrmVarSalPeriodo*>(janela))
            passos(*periodo);
        else
            ADD_FAILURE() << "not the period dialog: " << janela->metaObject()->className();
        if (janela->isVisible())
            static_cast<QDialog*>(janela)->reject();
    });
    QTest::mouseClick(editor.findChild<QPushButton*>(QStringLiteral("btnPeriodo")), Qt::LeftButton);
}

// The period as the dialog shows it: "m/aaaa a m/aaaa".
QString Periodo(const TfrmVarSalPeriodo& p)
{
    return p.mesInicial()->currentText() + u'/' + p.anoInicial()->text() + QStringLiteral(" a ")
        + p.mesFinal()->currentText() + u'/' + p.anoFinal()->text();
}

void DigitaPeriodo(
    TfrmVarSalPeriodo& p, const char* mesInicial, const char* anoInicial, const char* mesFinal, const char* anoFinal)
{
    Digita(p.mesInicial(), QString::fromLatin1(mesInicial));
    Digita(p.anoInicial(), QString::fromLatin1(anoInicial));
    Digita(p.mesFinal(), QString::fromLatin1(mesFinal));
    Digita(p.anoFinal(), QString::fromLatin1(anoFinal));
}

CampoMoney* Valor(TfrmVarSalPeriodo& p, const char* nome)
{
    return p.findChild<CampoMoney*>(QString::fromLatin1(nome));
}

} // namespace

// --- Single-row base ------------------------------------------------------------------------

namespace {

// A one-row editor of the weekly rest, two of its reflex boxes bound to its columns.
class EditorRsr : public TfrmBaseDados {
public:
    EditorRsr(Motor& motor, QWidget* pai) : TfrmBaseDados(motor, QStringLiteral("TAB_RSR"), pai)
    {
        vinculos().liga(chkSalario, QStringLiteral("SOBRE_SALARIO_FIXO"));
        vinculos().liga(chkHorExt, QStringLiteral("SOBRE_HORA_EXTRA"));
    }
};

} // namespace

TEST_F(BasesDialogo, ASingleRowEditorSavesItsDefaultRowBeforeItIsShownAndCancelLeavesIt)
{
    ASSERT_EQ(contagem(QStringLiteral("TAB_RSR")), 0);
    const QString todasS = QString::number(id()) + QStringLiteral("|S|S|S|S|S|S|S|S|NULL");
    {
        EditorRsr editor(motor(), &t.j());
        const bool ok = Conduz(editor, id(), [&] {
            EXPECT_EQ(linhas(QStringLiteral("TAB_RSR")), QStringList{todasS});
            EXPECT_TRUE(editor.chkSalario->isChecked());
            EXPECT_TRUE(editor.chkHorExt->isChecked());
            QTest::mouseClick(editor.chkSalario, Qt::LeftButton, {}, QPoint(6, editor.chkSalario->height() / 2));
            EXPECT_FALSE(editor.chkSalario->isChecked());
            QTest::mouseClick(editor.btnCancelar(), Qt::LeftButton);
        });
        EXPECT_FALSE(ok);
    }
    // The row stays, without the unticking that was never posted.
    EXPECT_EQ(linhas(QStringLiteral("TAB_RSR")), QStringList{todasS});

    // Opened again, the row is not made twice, and OK writes what was changed.
    {
        EditorRsr editor(motor(), &t.j());
        EXPECT_TRUE(Conduz(editor, id(), [&] {
            QTest::mouseClick(editor.chkHorExt, Qt::LeftButton, {}, QPoint(6, editor.chkHorExt->height() / 2));
            QTest::mouseClick(editor.btnOk(), Qt::LeftButton);
        }));
    }
    EXPECT_EQ(contagem(QStringLiteral("TAB_RSR")), 1);
    EXPECT_EQ(t.valor(QStringLiteral("SELECT SOBRE_HORA_EXTRA FROM TAB_RSR")).toString(), u"N");
    EXPECT_EQ(t.valor(QStringLiteral("SELECT SOBRE_SALARIO_FIXO FROM TAB_RSR")).toString(), u"S");

    // The main window's default row: the same row, made without showing anything.
    sql(QStringLiteral("DELETE FROM TAB_RSR"));
    EditorRsr padrao(motor(), &t.j());
    padrao.PreparaPadrao(id());
    EXPECT_FALSE(padrao.isVisible());
    EXPECT_EQ(linhas(QStringLiteral("TAB_RSR")), QStringList{todasS});
}

// --- Grid base ------------------------------------------------------------------------------

namespace {

// A plain grid editor of the 13th-salary years, where rows may be added.
class EditorAnos : public TfrmGrades {
public:
    EditorAnos(Motor& motor, QWidget* pai) : TfrmGrades(motor, QStringLiteral("TAB_13_SALARIO"), pai)
    {
        que1()->ordem = QStringLiteral("ANO");
        defineColunas({{.campo = QStringLiteral("ANO"), .titulo = QStringLiteral("Ano")},
            {.campo = QStringLiteral("NUMERO_MESES"), .titulo = QStringLiteral("Meses")}});
    }
};

} // namespace

TEST_F(BasesDialogo, GridOkWritesTheCacheAndAFailedWriteKeepsTheDialogWithItsRows)
{
    const QStringList antes = linhas(QStringLiteral("TAB_13_SALARIO"));
    ASSERT_EQ(antes.size(), 4); // 2022 to 2025
    EditorAnos editor(motor(), &t.j());
    Grade* g = editor.gri1();
    EXPECT_TRUE(Conduz(editor, id(), [&] {
        DigitaCelula(g, 0, "NUMERO_MESES", QStringLiteral("7"));
        g->setCurrentIndex(Celula(g, 3, "ANO"));
        QTest::keyClick(g, Qt::Key_Down); // on the last row: a new row
        ASSERT_EQ(editor.que1()->quantidade(), 5);
        DigitaCelula(g, 4, "ANO", QStringLiteral("2023")); // a year the case has
        DigitaCelula(g, 4, "NUMERO_MESES", QStringLiteral("5"));
        EXPECT_EQ(linhas(QStringLiteral("TAB_13_SALARIO")), antes); // all in the cache

        QStringList textos;
        AnotaCaixa(textos);
        Clica(editor.btnOk());
        EXPECT_EQ(textos, QStringList{"Key violation."});
        EXPECT_TRUE(editor.isVisible());
        EXPECT_EQ(linhas(QStringLiteral("TAB_13_SALARIO")), antes); // neither row written
        ASSERT_EQ(editor.que1()->quantidade(), 5);
        EXPECT_EQ(Texto(g, 0, "NUMERO_MESES"), u"7");
        EXPECT_EQ(Texto(g, 4, "ANO"), u"2023");
        EXPECT_EQ(Texto(g, 4, "NUMERO_MESES"), u"5");

        DigitaCelula(g, 4, "ANO", QStringLiteral("2026"));
        QTest::mouseClick(editor.btnOk(), Qt::LeftButton);
    }));
    EXPECT_EQ(contagem(QStringLiteral("TAB_13_SALARIO")), 5);
    EXPECT_EQ(t.valor(QStringLiteral("SELECT NUMERO_MESES FROM TAB_13_SALARIO WHERE ANO = 2022")).toInt(), 7);
    EXPECT_EQ(t.valor(QStringLiteral("SELECT NUMERO_MESES FROM TAB_13_SALARIO WHERE ANO = 2026")).toInt(), 5);
    EXPECT_EQ(t.valor(QStringLiteral("SELECT PROCESSO_ID FROM TAB_13_SALARIO WHERE ANO = 2026")).toLongLong(), id());
}

TEST_F(BasesDialogo, GridCancelDiscardsEverythingAndAnEmptyCaseGetsARowToFill)
{
    struct Caso {
        const char* nome;
        bool vazio;
    };
    for (const Caso& k : {Caso{"com anos", false}, Caso{"sem anos", true}}) {
        SCOPED_TRACE(k.nome);
        if (k.vazio)
            sql(QStringLiteral("DELETE FROM TAB_13_SALARIO"));
        const QStringList antes = linhas(QStringLiteral("TAB_13_SALARIO"));
        EditorAnos editor(motor(), &t.j());
        Grade* g = editor.gri1();
        EXPECT_FALSE(Conduz(editor, id(), [&] {
            if (k.vazio) {
                ASSERT_EQ(editor.que1()->quantidade(), 1);
                EXPECT_EQ(editor.que1()->estado(), Registros::Estado::Inserindo);
                DigitaCelula(g, 0, "ANO", QStringLiteral("2024"));
            } else {
                g->setFocus();
                QTest::keyClick(g, Qt::Key_Delete, Qt::ControlModifier); // 2022
                EXPECT_EQ(editor.que1()->quantidade(), 3);
                DigitaCelula(g, 0, "NUMERO_MESES", QStringLiteral("3"));
                g->setCurrentIndex(Celula(g, 2, "ANO"));
                QTest::keyClick(g, Qt::Key_Down);
                DigitaCelula(g, 3, "ANO", QStringLiteral("2030"));
            }
            // Escape in the grid drops the row being added; the next one is the dialog's Cancel.
            const int n = editor.que1()->quantidade();
            QTest::keyClick(g, Qt::Key_Escape);
            EXPECT_FALSE(editor.que1()->emEdicao());
            EXPECT_EQ(editor.que1()->quantidade(), n - 1);
            EXPECT_TRUE(editor.isVisible());
            QTest::keyClick(g, Qt::Key_Escape);
            EXPECT_FALSE(editor.isVisible());
        }));
        EXPECT_EQ(linhas(QStringLiteral("TAB_13_SALARIO")), antes);
    }
}

// --- Salary months --------------------------------------------------------------------------

TEST_F(SalarioMeses, TheMonthsAreMadeFromTheContractNewestFirstWhenTheCaseHasNone)
{
    sql(QStringLiteral("DELETE FROM TAB_SALARIO"));
    TfrmSalario editor(motor(), &t.j());
    Grade* g = editor.gri1();
    Conduz(editor, id(), [&] {
        EXPECT_EQ(editor.windowTitle(), u"Apuração de Salário");
        EXPECT_EQ(contagem(QStringLiteral("TAB_SALARIO")), 37); // 02/2022 to 02/2025, before it was shown
        ASSERT_EQ(g->model()->rowCount(), 37);
        EXPECT_EQ(Texto(g, 0, "MES") + u'/' + Texto(g, 0, "ANO"), u"02/2025");
        EXPECT_EQ(Texto(g, 1, "MES") + u'/' + Texto(g, 1, "ANO"), u"01/2025");
        EXPECT_EQ(Texto(g, 36, "MES") + u'/' + Texto(g, 36, "ANO"), u"02/2022");
        QStringList titulos;
        for (int c = 0; c < g->model()->columnCount(); ++c)
            titulos.append(g->model()->headerData(c, Qt::Horizontal).toString());
        EXPECT_EQ(titulos, QStringList({"Calcular", "Mês", "Ano", "Nro Dias", "Valor Devido"}));
        QTest::keyClick(&editor, Qt::Key_Escape);
    });
    EXPECT_EQ(contagem(QStringLiteral("TAB_SALARIO")), 37);
}

TEST_F(SalarioMeses, RowsCanBeNeitherAddedNorRemoved)
{
    const QStringList antes = linhas(QStringLiteral("TAB_SALARIO"));
    TfrmSalario editor(motor(), &t.j());
    Grade* g = editor.gri1();
    const Registros& r = *editor.que1();
    EXPECT_TRUE(Conduz(editor, id(), [&] {
        const int n = r.quantidade();
        struct Tentativa {
            const char* nome;
            std::function<void()> faz;
        };
        const Tentativa tentativas[] = {
            {"Down na última linha", [&] { QTest::keyClick(g, Qt::Key_Down); }},
            {"Insert", [&] { QTest::keyClick(g, Qt::Key_Insert); }},
            {"Ctrl+Delete", [&] { QTest::keyClick(g, Qt::Key_Delete, Qt::ControlModifier); }},
            {"Novo registro", [&] { QTest::mouseClick(editor.nav1()->botao(Navegador::Novo), Qt::LeftButton); }},
            {"Excluir registro", [&] { QTest::mouseClick(editor.nav1()->botao(Navegador::Excluir), Qt::LeftButton); }},
        };
        for (const Tentativa& k : tentativas) {
            SCOPED_TRACE(k.nome);
            g->setFocus();
            g->setCurrentIndex(Celula(g, n - 1, "NUMERO_DIAS"));
            k.faz();
            QTest::qWait(10);
            EXPECT_EQ(r.quantidade(), n);
            EXPECT_EQ(g->model()->rowCount(), n);
            EXPECT_EQ(r.atual(), n - 1);
            EXPECT_EQ(r.estado(), Registros::Estado::Navegando);
        }
        QTest::mouseClick(editor.btnOk(), Qt::LeftButton);
    }));
    EXPECT_EQ(linhas(QStringLiteral("TAB_SALARIO")), antes);
}

TEST_F(SalarioMeses, DaysOfAMonthOutsideTheContractAreRefusedKeepingWhatWasTyped)
{
    // Contract 03/02/2022 to 14/02/2025; the months beyond it put in the table by hand.
    sql(QStringLiteral("INSERT INTO TAB_SALARIO (PROCESSO_ID, ANO, MES, IND_CALCULA, SOBRE_SALARIO_FIXO, "
                       "SOBRE_SALARIO_VARIAVEL, SOBRE_DIFERENCA_SALARIAL, NUMERO_DIAS) VALUES "
                       "(%1, 2025, 3, 'S', 'S', 'N', 'N', 30), (%1, 2022, 1, 'S', 'S', 'N', 'N', 30)")
            .arg(id()));
    struct Caso {
        int ano, mes;
        const char* mensagem; // empty: accepted
    };
    for (const Caso& k : {Caso{2025, 3, "Mês/Ano deve ser menor ou igual a data da Dispensa."},
             Caso{2022, 1, "Mês/Ano deve ser maior ou igual ao Inicio do Pacto."}, Caso{2025, 2, ""},
             Caso{2022, 2, ""}}) {
        SCOPED_TRACE(QStringLiteral("%1/%2").arg(k.mes).arg(k.ano).toStdString());
        const QStringList antes = linhas(QStringLiteral("TAB_SALARIO"));
        TfrmSalario editor(motor(), &t.j());
        Grade* g = editor.gri1();
        const Registros& r = *editor.que1();
        const bool ok = Conduz(editor, id(), [&] {
            const int linha = LinhaDoMes(r, k.ano, k.mes);
            ASSERT_GE(linha, 0);
            QStringList textos;
            if (*k.mensagem)
                AnotaCaixa(textos);
            DigitaCelula(g, linha, "NUMERO_DIAS", QStringLiteral("12"));
            // Leaving the row: down from the newest months, up from the oldest.
            QTest::keyClick(g, linha == 0 ? Qt::Key_Down : Qt::Key_Up);
            EsperaModais();
            if (!*k.mensagem) {
                EXPECT_NE(r.atual(), linha);
                EXPECT_FALSE(r.emEdicao());
                QTest::mouseClick(editor.btnOk(), Qt::LeftButton);
                return;
            }
            EXPECT_EQ(textos, QStringList{QString::fromUtf8(k.mensagem)});
            EXPECT_EQ(r.atual(), linha);
            EXPECT_EQ(g->currentIndex(), Celula(g, linha, "MES"));
            EXPECT_TRUE(r.emEdicao());
            EXPECT_EQ(Texto(g, linha, "NUMERO_DIAS"), u"12");

            // OK refuses it the same way, and the dialog stays with the typed days.
            AnotaCaixa(textos);
            Clica(editor.btnOk());
            EXPECT_EQ(textos.size(), 2);
            EXPECT_EQ(textos.value(1), QString::fromUtf8(k.mensagem));
            EXPECT_TRUE(editor.isVisible());
            EXPECT_EQ(Texto(g, linha, "NUMERO_DIAS"), u"12");

            QTest::keyClick(g, Qt::Key_Escape); // the edit undone, the row can be left
            EXPECT_EQ(Texto(g, linha, "NUMERO_DIAS"), u"30");
            QTest::mouseClick(editor.btnOk(), Qt::LeftButton);
        });
        EXPECT_TRUE(ok);
        if (*k.mensagem)
            EXPECT_EQ(linhas(QStringLiteral("TAB_SALARIO")), antes);
        else
            EXPECT_EQ(doMes(QStringLiteral("TAB_SALARIO"), QStringLiteral("NUMERO_DIAS"), k.ano, k.mes).toInt(), 12);
    }
}

TEST_F(SalarioMeses, MarkAllAndUnmarkAllChangeOnlyTheMarksTheyAreFor)
{
    // Newest first: 02/2025 "S", 01/2025 "N", 12/2024 empty, 11/2024 NULL, 10/2024 "X", 09/2024 "s",
    // every earlier month "N".
    sql(QStringLiteral("UPDATE TAB_SALARIO SET IND_CALCULA = 'N'"));
    sql(QStringLiteral("UPDATE TAB_SALARIO SET IND_CALCULA = 'S' WHERE ANO = 2025 AND MES = 2"));
    sql(QStringLiteral("UPDATE TAB_SALARIO SET IND_CALCULA = '' WHERE ANO = 2024 AND MES = 12"));
    sql(QStringLiteral("UPDATE TAB_SALARIO SET IND_CALCULA = NULL WHERE ANO = 2024 AND MES = 11"));
    sql(QStringLiteral("UPDATE TAB_SALARIO SET IND_CALCULA = 'X' WHERE ANO = 2024 AND MES = 10"));
    sql(QStringLiteral("UPDATE TAB_SALARIO SET IND_CALCULA = 's' WHERE ANO = 2024 AND MES = 9"));
    const QStringList antes = linhas(QStringLiteral("TAB_SALARIO"));
    TfrmSalario editor(motor(), &t.j());
    const Registros& r = *editor.que1();
    const auto marcas = [&] {
        QStringList m;
        for (int i = 0; i < r.quantidade(); ++i) {
            const QVariant v = r.valor(i, u"IND_CALCULA");
            m.append(v.isNull() ? QStringLiteral("NULL") : v.toString());
        }
        return m;
    };
    const auto esperadas = [](const char* marcadas) {
        QStringList m{QString::fromLatin1(marcadas), QString::fromLatin1(marcadas), "", "NULL", "X", "s"};
        while (m.size() < 37)
            m.append(QString::fromLatin1(marcadas));
        return m;
    };
    EXPECT_FALSE(Conduz(editor, id(), [&] {
        QStringList legendas;
        for (QLabel* l : editor.panBotoes()->findChildren<QLabel*>())
            legendas.append(l->text());
        EXPECT_EQ(legendas, QStringList({"F9", "- Marcar Todos", "F10", "- Desmarcar Todos"}));

        ASSERT_EQ(marcas().value(1), u"N");
        QTest::keyClick(editor.gri1(), Qt::Key_F9);
        EXPECT_EQ(marcas(), esperadas("S"));
        QTest::keyClick(editor.gri1(), Qt::Key_F10);
        EXPECT_EQ(marcas(), esperadas("N"));
        QTest::keyClick(editor.gri1(), Qt::Key_F9);
        EXPECT_EQ(marcas(), esperadas("S"));
        EXPECT_EQ(r.estado(), Registros::Estado::Navegando); // each row posted
        EXPECT_EQ(linhas(QStringLiteral("TAB_SALARIO")), antes); // in the cache until OK
        QTest::mouseClick(editor.btnCancelar(), Qt::LeftButton);
    }));
    EXPECT_EQ(linhas(QStringLiteral("TAB_SALARIO")), antes);

    // Every mark "S": marking all changes nothing.
    sql(QStringLiteral("UPDATE TAB_SALARIO SET IND_CALCULA = 'S'"));
    TfrmSalario todos(motor(), &t.j());
    Conduz(todos, id(), [&] {
        QTest::keyClick(todos.gri1(), Qt::Key_F9);
        EXPECT_FALSE(todos.que1()->alterado());
        QTest::mouseClick(todos.btnCancelar(), Qt::LeftButton);
    });
}

TEST_F(SalarioMeses, TheMarkTogglesWithTheSpaceBarAndAClickAnywhereInItsCell)
{
    sql(QStringLiteral("UPDATE TAB_SALARIO SET IND_CALCULA = 'N'"));
    TfrmSalario editor(motor(), &t.j());
    Grade* g = editor.gri1();
    const Registros& r = *editor.que1();
    Conduz(editor, id(), [&] {
        struct Caso {
            const char* nome;
            int linha;
            std::function<void(const QModelIndex&)> faz;
        };
        const Caso casos[] = {
            {"espaço", 2,
                [&](const QModelIndex& i) {
                    g->setCurrentIndex(i);
                    QTest::keyClick(g, Qt::Key_Space);
                }},
            {"clique na caixa", 3,
                [&](const QModelIndex& i) {
                    QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, g->visualRect(i).center());
                }},
            {"clique no canto da célula", 4,
                [&](const QModelIndex& i) {
                    QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, g->visualRect(i).topLeft() + QPoint(2, 2));
                }},
        };
        g->setFocus();
        for (const Caso& k : casos) {
            SCOPED_TRACE(k.nome);
            const QModelIndex i = Celula(g, k.linha, "IND_CALCULA");
            k.faz(i);
            EXPECT_EQ(r.valor(k.linha, u"IND_CALCULA").toString(), u"S");
            EXPECT_EQ(i.data(Qt::CheckStateRole).toInt(), Qt::Checked);
            k.faz(i);
            EXPECT_EQ(r.valor(k.linha, u"IND_CALCULA").toString(), u"N");
        }
        QTest::mouseClick(editor.btnCancelar(), Qt::LeftButton);
    });
}

TEST_F(SalarioMeses, TheBaseBoxesShowTheNewestMonthAndOkWritesThemIntoEveryRow)
{
    // The newest month with its own flags, every other month the opposite ones.
    sql(QStringLiteral("UPDATE TAB_SALARIO SET SOBRE_SALARIO_FIXO = 'S', SOBRE_DIFERENCA_SALARIAL = 'N', "
                       "SOBRE_SALARIO_VARIAVEL = 'S'"));
    sql(QStringLiteral("UPDATE TAB_SALARIO SET SOBRE_SALARIO_FIXO = 'N', SOBRE_DIFERENCA_SALARIAL = 'S', "
                       "SOBRE_SALARIO_VARIAVEL = 'N' WHERE ANO = 2025 AND MES = 2"));
    sql(QStringLiteral("UPDATE TAB_SALARIO SET IND_CALCULA = 'N', NUMERO_DIAS = 30, VALOR_DEVIDO = 150000"));
    TfrmSalario editor(motor(), &t.j());
    Grade* g = editor.gri1();
    const Registros& r = *editor.que1();
    auto* salFix = editor.findChild<QCheckBox*>(QStringLiteral("chkSalFix"));
    auto* difSal = editor.findChild<QCheckBox*>(QStringLiteral("chkDifSal"));
    auto* salVar = editor.findChild<QCheckBox*>(QStringLiteral("chkSalVar"));
    ASSERT_TRUE(salFix && difSal && salVar);
    EXPECT_TRUE(Conduz(editor, id(), [&] {
        EXPECT_EQ(salFix->text(), u"Salário Fixo");
        EXPECT_EQ(difSal->text(), u"Diferença Salarial");
        EXPECT_EQ(salVar->text(), u"Salário Variável");
        EXPECT_FALSE(salFix->isChecked());
        EXPECT_TRUE(difSal->isChecked());
        EXPECT_FALSE(salVar->isChecked());
        EXPECT_EQ(Texto(g, 0, "VALOR_DEVIDO"), u"15,00");
        // Only the days and the mark are typed; the other columns have the button face.
        for (const char* campo : {"MES", "ANO", "VALOR_DEVIDO"}) {
            EXPECT_EQ(AbreCelula(g, 0, campo), nullptr) << campo;
            EXPECT_EQ(Celula(g, 0, campo).data(Qt::BackgroundRole).value<QBrush>(), QApplication::palette().button())
                << campo;
        }
        EXPECT_FALSE(Celula(g, 0, "NUMERO_DIAS").data(Qt::BackgroundRole).isValid());

        const int janeiro = LinhaDoMes(r, 2025, 1);
        const int marco = LinhaDoMes(r, 2024, 3);
        DigitaCelula(g, janeiro, "NUMERO_DIAS", QStringLiteral("20"));
        g->setCurrentIndex(Celula(g, marco, "IND_CALCULA"));
        QTest::keyClick(g, Qt::Key_Space);
        QTest::mouseClick(salVar, Qt::LeftButton, {}, QPoint(6, salVar->height() / 2));
        // Written by another hand meanwhile: what the dialog does not change stays.
        sql(QStringLiteral(
            "UPDATE TAB_SALARIO SET VALOR_DEVIDO = 99900, BASE_CALCULO = 5 WHERE ANO = 2025 AND MES = 1"));
        sql(QStringLiteral("UPDATE TAB_SALARIO SET NUMERO_DIAS = 11 WHERE ANO = 2023 AND MES = 6"));
        QTest::mouseClick(editor.btnOk(), Qt::LeftButton);
    }));
    const auto mes = [&](const char* coluna, int ano, int m) {
        return doMes(QStringLiteral("TAB_SALARIO"), QString::fromLatin1(coluna), ano, m);
    };
    EXPECT_EQ(mes("NUMERO_DIAS", 2025, 1).toInt(), 20);
    EXPECT_EQ(mes("VALOR_DEVIDO", 2025, 1).toInt(), 99900);
    EXPECT_EQ(mes("BASE_CALCULO", 2025, 1).toInt(), 5);
    EXPECT_EQ(mes("IND_CALCULA", 2025, 1).toString(), u"N");
    EXPECT_EQ(mes("IND_CALCULA", 2024, 3).toString(), u"S");
    EXPECT_EQ(mes("NUMERO_DIAS", 2024, 3).toInt(), 30);
    EXPECT_EQ(mes("NUMERO_DIAS", 2023, 6).toInt(), 11); // a month not changed is not written
    EXPECT_EQ(t.valor(QStringLiteral("SELECT COUNT(*) FROM TAB_SALARIO WHERE SOBRE_SALARIO_FIXO = 'N' AND "
                                     "SOBRE_DIFERENCA_SALARIAL = 'S' AND SOBRE_SALARIO_VARIAVEL = 'S'"))
                  .toInt(),
        37);
    EXPECT_EQ(t.valor(QStringLiteral("SELECT COUNT(*) FROM TAB_SALARIO WHERE IND_CALCULA = 'S'")).toInt(), 1);
}

// --- Salary history -------------------------------------------------------------------------

TEST_F(SalarioVariacao, ANegativeValueIsRefusedWhenLeavingTheRowAndTheRowKeepsIt)
{
    struct Caso {
        const char* digitados[3]; // in SALARIO_FIXO, PARADIGMA, SALARIO_VARIAVEL order; null: left
        const char* campo; // the column refused
        const char* mensagem;
        bool clique; // the row left with a click on another one, else with Down
    };
    const Caso casos[] = {
        {{"-1", nullptr, nullptr}, "SALARIO_FIXO", "Parcela Fixa deve ser maior ou igual a zero.", false},
        {{nullptr, nullptr, "-1"}, "SALARIO_VARIAVEL", "Parcela Variável deve ser maior ou igual a zero.", false},
        {{nullptr, nullptr, "-1"}, "SALARIO_VARIAVEL", "Parcela Variável deve ser maior ou igual a zero.", true},
        {{nullptr, "-1", nullptr}, "PARADIGMA", "Paradigma deve ser maior ou igual a zero.", false},
        // Fixed, variable, paradigm: not the order of the columns.
        {{nullptr, "-2", "-3"}, "SALARIO_VARIAVEL", "Parcela Variável deve ser maior ou igual a zero.", false},
        {{"-1", "-2", "-3"}, "SALARIO_FIXO", "Parcela Fixa deve ser maior ou igual a zero.", true},
    };
    const char* const colunas[] = {"SALARIO_FIXO", "PARADIGMA", "SALARIO_VARIAVEL"};
    const QStringList antes = linhas(QStringLiteral("TAB_VARIACAO_SALARIAL"));
    for (const Caso& k : casos) {
        SCOPED_TRACE(std::string(k.mensagem) + (k.clique ? " (clique)" : ""));
        TfrmVarSalarial editor(motor(), &t.j());
        Grade* g = editor.gri1();
        const Registros& r = *editor.que1();
        Conduz(editor, id(), [&] {
            QStringList textos;
            AnotaCaixa(textos);
            const int linha = 3;
            QWidget* celula = nullptr;
            for (int c = 0; c < 3; ++c) {
                if (!k.digitados[c])
                    continue;
                if (celula) {
                    QTest::keyClick(celula, Qt::Key_Return);
                    QCoreApplication::processEvents();
                }
                celula = AbreCelula(g, linha, colunas[c]);
                ASSERT_NE(celula, nullptr);
                Tecla(celula, QString::fromLatin1(k.digitados[c]));
            }
            if (k.clique)
                QTest::mouseClick(
                    g->viewport(), Qt::LeftButton, {}, g->visualRect(Celula(g, linha + 2, "ANO")).center());
            else
                QTest::keyClick(celula, Qt::Key_Down); // leaves the cell and the row
            EsperaModais();
            EXPECT_EQ(textos, QStringList{QString::fromUtf8(k.mensagem)});
            EXPECT_EQ(r.atual(), linha);
            EXPECT_EQ(g->currentIndex(), Celula(g, linha, k.campo));
            EXPECT_EQ(g->selectionModel()->selectedIndexes(), QModelIndexList{g->currentIndex()});
            EXPECT_TRUE(r.emEdicao());
            for (int c = 0; c < 3; ++c) {
                if (k.digitados[c]) {
                    EXPECT_EQ(Texto(g, linha, colunas[c]), QString::fromLatin1(k.digitados[c]) + u",00");
                }
            }

            // OK refuses it too, and keeps the dialog with what was typed.
            AnotaCaixa(textos);
            Clica(editor.btnOk());
            EXPECT_EQ(textos.value(1), QString::fromUtf8(k.mensagem));
            EXPECT_TRUE(editor.isVisible());
            EXPECT_EQ(g->currentIndex(), Celula(g, linha, k.campo));
            QTest::mouseClick(editor.btnCancelar(), Qt::LeftButton);
        });
        EXPECT_EQ(linhas(QStringLiteral("TAB_VARIACAO_SALARIAL")), antes);
    }
}

TEST_F(SalarioVariacao, TheUnitsShowTheNewestMonthAndOkWritesThemIntoEveryRow)
{
    struct Caso {
        const char* fixo;
        const char* paradigma; // units of the newest month; null: NULL
        bool fixoMoeda, paradigmaMoeda; // the groups as shown
    };
    for (const Caso& k : {Caso{"V", "V", true, true}, Caso{"M", "V", false, true}, Caso{"V", "M", true, false},
             Caso{"", nullptr, false, false}, Caso{"v", "X", false, false}}) {
        SCOPED_TRACE(std::string(k.fixo) + "/" + (k.paradigma ? k.paradigma : "NULL"));
        // Every other month the opposite of what the newest one shows.
        banco().executa(QStringLiteral("UPDATE TAB_VARIACAO_SALARIAL SET UNIDADE_SALARIO_FIXO = :fixo, "
                                       "UNIDADE_PARADIGMA = :paradigma"),
            {{"fixo", k.fixoMoeda ? "M" : "V"}, {"paradigma", k.paradigmaMoeda ? "M" : "V"}});
        banco().executa(QStringLiteral("UPDATE TAB_VARIACAO_SALARIAL SET UNIDADE_SALARIO_FIXO = :fixo, "
                                       "UNIDADE_PARADIGMA = :paradigma WHERE ANO = 2025 AND MES = 2"),
            {{"fixo", QString::fromLatin1(k.fixo)},
                {"paradigma", k.paradigma ? QVariant(QString::fromLatin1(k.paradigma)) : QVariant()}});
        TfrmVarSalarial editor(motor(), &t.j());
        EXPECT_TRUE(Conduz(editor, id(), [&] {
            EXPECT_EQ(editor.unidadeFixo()->checkedButton()->text(),
                k.fixoMoeda ? QStringLiteral("Moeda Vigente") : QStringLiteral("Salário Mínimo"));
            EXPECT_EQ(editor.unidadeParadigma()->checkedButton()->text(),
                k.paradigmaMoeda ? QStringLiteral("Moeda Vigente") : QStringLiteral("Salário Mínimo"));
            // The other choice of each group, clicked.
            for (QButtonGroup* grupo : {editor.unidadeFixo(), editor.unidadeParadigma()})
                for (QAbstractButton* b : grupo->buttons())
                    if (!b->isChecked()) {
                        QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(6, b->height() / 2));
                        break;
                    }
            QTest::mouseClick(editor.btnOk(), Qt::LeftButton);
        }));
        EXPECT_EQ(banco()
                      .escalar(QStringLiteral("SELECT COUNT(*) FROM TAB_VARIACAO_SALARIAL WHERE "
                                              "UNIDADE_SALARIO_FIXO = :fixo AND UNIDADE_PARADIGMA = :paradigma"),
                          {{"fixo", k.fixoMoeda ? "M" : "V"}, {"paradigma", k.paradigmaMoeda ? "M" : "V"}})
                      .toInt(),
            37);
    }
}

TEST_F(SalarioVariacao, OkWritesTheTypedValuesOfTheChangedMonthsOnly)
{
    TfrmVarSalarial editor(motor(), &t.j());
    Grade* g = editor.gri1();
    const Registros& r = *editor.que1();
    EXPECT_TRUE(Conduz(editor, id(), [&] {
        EXPECT_EQ(editor.windowTitle(), u"Variação Salarial");
        EXPECT_EQ(g->currentIndex(), Celula(g, 0, "SALARIO_FIXO"));
        EXPECT_EQ(Celula(g, 0, "PARADIGMA").data(Qt::ForegroundRole).value<QColor>(), QColor(Qt::red));
        EXPECT_FALSE(Celula(g, 0, "SALARIO_FIXO").data(Qt::ForegroundRole).isValid());
        QStringList titulos;
        for (int c = 0; c < g->model()->columnCount(); ++c)
            titulos.append(g->model()->headerData(c, Qt::Horizontal).toString());
        EXPECT_EQ(titulos, QStringList({"Mês", "Ano", "Parcela Fixa", "Paradigma", "Parcela Variável"}));

        const int junho = LinhaDoMes(r, 2024, 6);
        DigitaCelula(g, junho, "SALARIO_FIXO", QStringLiteral("2.500,5"));
        DigitaCelula(g, junho, "PARADIGMA", QStringLiteral("3000"));
        DigitaCelula(g, junho, "SALARIO_VARIAVEL", QStringLiteral("0,01"));
        EXPECT_EQ(Texto(g, junho, "SALARIO_FIXO"), u"2.500,50");
        // Written by another hand meanwhile into a month the dialog does not change.
        sql(QStringLiteral("UPDATE TAB_VARIACAO_SALARIAL SET SALARIO_FIXO = 77770000 WHERE ANO = 2023 AND MES = 1"));
        QTest::mouseClick(editor.btnOk(), Qt::LeftButton);
    }));
    const auto valor = [&](const char* coluna, int ano, int mes) {
        return lerMoney(doMes(QStringLiteral("TAB_VARIACAO_SALARIAL"), QString::fromLatin1(coluna), ano, mes));
    };
    EXPECT_EQ(valor("SALARIO_FIXO", 2024, 6), Money::fromCents(250050));
    EXPECT_EQ(valor("PARADIGMA", 2024, 6), Money::fromCents(300000));
    EXPECT_EQ(valor("SALARIO_VARIAVEL", 2024, 6), Money::fromCents(1));
    EXPECT_EQ(valor("SALARIO_FIXO", 2023, 1), Money::fromCents(777700));
    EXPECT_EQ(
        t.valor(QStringLiteral("SELECT COUNT(*) FROM TAB_VARIACAO_SALARIAL WHERE SALARIO_FIXO = 25005000")).toInt(), 1);
}

// --- Period fill ----------------------------------------------------------------------------

TEST_F(SalarioPeriodo, ThePeriodsMonthsGetTheValuesInTheGridOnlyAndTheNextPeriodIsProposed)
{
    historico(QDate(2003, 3, 1), QDate(2005, 12, 1));
    struct Caso {
        const char *mesInicial, *anoInicial, *mesFinal, *anoFinal;
        int de, ate; // the months filled, year × 12 + month
        const char* proposta;
    };
    const Caso casos[] = {
        {"1", "2004", "6", "2004", 2004 * 12 + 1, 2004 * 12 + 6, "7/2004 a 12/2005"},
        {"13", "2004", "2", "2005", 2005 * 12 + 1, 2005 * 12 + 2, "3/2005 a 12/2005"}, // 13/2004 is 01/2005
        {"3", "2003", "3", "2003", 2003 * 12 + 3, 2003 * 12 + 3, "4/2003 a 12/2005"},
        {"12", "2004", "12", "2005", 2004 * 12 + 12, 2005 * 12 + 12, "1/2006 a 12/2005"},
    };
    const Money fixa = Money::fromCents(123456), paradigma = Money::fromCents(98765), variavel = Money::fromCents(1050);
    for (const Caso& k : casos) {
        SCOPED_TRACE(QStringLiteral("%1/%2 a %3/%4")
                         .arg(QLatin1String(k.mesInicial), QLatin1String(k.anoInicial), QLatin1String(k.mesFinal),
                             QLatin1String(k.anoFinal))
                         .toStdString());
        const QStringList antes = linhas(QStringLiteral("TAB_VARIACAO_SALARIAL"));
        TfrmVarSalarial editor(motor(), &t.j());
        const Registros& r = *editor.que1();
        EXPECT_TRUE(Conduz(editor, id(), [&] {
            AbrePeriodo(editor, [&](TfrmVarSalPeriodo& p) {
                EXPECT_EQ(p.windowTitle(), u"Variação Salarial por Período");
                EXPECT_EQ(Periodo(p), u"3/2003 a 12/2005");
                EXPECT_EQ(Valor(p, "edtFixa")->text(), u"1.800,00"); // the last month's values
                EXPECT_EQ(Valor(p, "edtParadigma")->text(), u"2.000,00");
                EXPECT_EQ(Valor(p, "edtVariavel")->text(), u"50,00");
                Digita(Valor(p, "edtFixa"), QStringLiteral("1.234,56"));
                Digita(Valor(p, "edtParadigma"), QStringLiteral("987,65"));
                Digita(Valor(p, "edtVariavel"), QStringLiteral("10,5"));
                DigitaPeriodo(p, k.mesInicial, k.anoInicial, k.mesFinal, k.anoFinal);
                QTest::mouseClick(p.btnOk(), Qt::LeftButton);
                EXPECT_FALSE(p.isVisible());
                EXPECT_EQ(p.result(), QDialog::Accepted);
            });
            int preenchidos = 0;
            for (int i = 0; i < r.quantidade(); ++i) {
                const int mes = r.valor(i, u"ANO").toInt() * 12 + r.valor(i, u"MES").toInt();
                const bool noPeriodo = mes >= k.de && mes <= k.ate;
                preenchidos += noPeriodo;
                SCOPED_TRACE(mes);
                EXPECT_EQ(lerMoney(r.valor(i, u"SALARIO_FIXO")) == fixa, noPeriodo);
                EXPECT_EQ(lerMoney(r.valor(i, u"PARADIGMA")) == paradigma, noPeriodo);
                EXPECT_EQ(lerMoney(r.valor(i, u"SALARIO_VARIAVEL")) == variavel, noPeriodo);
            }
            EXPECT_EQ(preenchidos, k.ate - k.de + 1);
            EXPECT_EQ(r.estado(), Registros::Estado::Navegando);
            EXPECT_EQ(linhas(QStringLiteral("TAB_VARIACAO_SALARIAL")), antes); // nothing written yet

            TfrmVarSalPeriodo* primeiro = editor.periodo();
            AbrePeriodo(editor, [&](TfrmVarSalPeriodo& p) {
                EXPECT_EQ(&p, primeiro);
                EXPECT_EQ(Periodo(p), QString::fromLatin1(k.proposta));
                QTest::mouseClick(p.btnCancelar(), Qt::LeftButton);
            });
            QTest::mouseClick(editor.btnOk(), Qt::LeftButton);
        }));
        EXPECT_EQ(banco()
                      .escalar(QStringLiteral("SELECT COUNT(*) FROM TAB_VARIACAO_SALARIAL WHERE SALARIO_FIXO = :f AND "
                                              "PARADIGMA = :p AND SALARIO_VARIAVEL = :v"),
                          {{"f", bancoMoney(fixa)}, {"p", bancoMoney(paradigma)}, {"v", bancoMoney(variavel)}})
                      .toInt(),
            k.ate - k.de + 1);
        historico(QDate(2003, 3, 1), QDate(2005, 12, 1));
    }
}

TEST_F(SalarioPeriodo, AWrongPeriodIsRefusedWithTheFocusOnItsFieldAndTheDialogStays)
{
    historico(QDate(2003, 3, 1), QDate(2005, 12, 1));
    struct Caso {
        const char *mesInicial, *anoInicial, *mesFinal, *anoFinal; // "\b": emptied
        const char* mensagem;
        int foco; // 0 initial month, 1 initial year, 2 final month, 3 final year
    };
    const Caso casos[] = {
        {"\b", "2004", "6", "2004", "Mês Inicial inválido.", 0},
        {"1", "\b", "6", "2004", "Ano Inicial inválido.", 1},
        {"1", "2004", "\b", "2004", "Mês Final inválido.", 2},
        {"1", "2004", "6", "\b", "Ano Final inválido.", 3},
        {"\b", "\b", "\b", "\b", "Mês Inicial inválido.", 0},
        {"1", "2004", "\b", "\b", "Mês Final inválido.", 2},
        {"7", "2004", "6", "2004", "Período Inicial deve ser menor que Período Final.", 1},
        {"13", "2005", "12", "2005", "Período Inicial deve ser menor que Período Final.", 1},
        {"2", "2003", "6", "2004", "Período Inicial deve estar dentro do período do Pacto.", 1},
        {"1", "2004", "1", "2006", "Período Final deve estar dentro do período do Pacto.", 3},
        {"1", "2004", "13", "2005", "Período Final deve estar dentro do período do Pacto.", 3},
    };
    TfrmVarSalarial editor(motor(), &t.j());
    Conduz(editor, id(), [&] {
        for (const Caso& k : casos) {
            SCOPED_TRACE(k.mensagem);
            AbrePeriodo(editor, [&](TfrmVarSalPeriodo& p) {
                QWidget* const campos[] = {p.mesInicial(), p.anoInicial(), p.mesFinal(), p.anoFinal()};
                DigitaPeriodo(p, k.mesInicial, k.anoInicial, k.mesFinal, k.anoFinal);
                const QString digitado = Periodo(p);
                QList<Caixa> caixas;
                AnotaCaixa(caixas);
                Clica(p.btnOk());
                ASSERT_EQ(caixas.size(), 1);
                EXPECT_EQ(caixas[0].texto, QString::fromUtf8(k.mensagem));
                EXPECT_EQ(caixas[0].icone, QMessageBox::Information);
                EXPECT_TRUE(p.isVisible());
                EXPECT_TRUE(TemFoco(campos[k.foco]));
                EXPECT_EQ(Periodo(p), digitado);
                EXPECT_FALSE(editor.que1()->alterado());
                QTest::mouseClick(p.btnCancelar(), Qt::LeftButton);
            });
        }
        QTest::mouseClick(editor.btnCancelar(), Qt::LeftButton);
    });
}

TEST_F(SalarioPeriodo, TheInitialYearIsCompletedOnLeavingAndTheYearsTakeOnlyDigits)
{
    struct Caso {
        bool inicial;
        const char* digitado;
        const char* fica;
    };
    TfrmVarSalarial editor(motor(), &t.j());
    Conduz(editor, id(), [&] {
        AbrePeriodo(editor, [&](TfrmVarSalPeriodo& p) {
            for (const Caso& k : {Caso{true, "05", "2005"}, Caso{true, "98", "1998"}, Caso{true, "5", "2005"},
                     Caso{true, "9x8", "1998"}, Caso{true, "200", "200"}, Caso{false, "05", "05"}}) {
                SCOPED_TRACE(std::string(k.inicial ? "inicial " : "final ") + k.digitado);
                QLineEdit* ano = k.inicial ? p.anoInicial() : p.anoFinal();
                Digita(ano, QString::fromLatin1(k.digitado));
                EXPECT_EQ(ano->text(), QString::fromLatin1(k.fica));
            }
            // A year typed to its four digits hands the focus on.
            p.anoInicial()->setFocus();
            p.anoInicial()->selectAll();
            Tecla(p.anoInicial(), QStringLiteral("2004"));
            EXPECT_TRUE(TemFoco(p.mesFinal()));
            p.anoFinal()->setFocus();
            p.anoFinal()->selectAll();
            Tecla(p.anoFinal(), QStringLiteral("2024"));
            EXPECT_TRUE(TemFoco(Valor(p, "edtFixa")));
            Digita(p.mesInicial(), QStringLiteral("1a23"));
            EXPECT_EQ(p.mesInicial()->currentText(), u"12");
            QTest::mouseClick(p.btnCancelar(), Qt::LeftButton);
        });
        QTest::mouseClick(editor.btnCancelar(), Qt::LeftButton);
    });
}

TEST_F(SalarioPeriodo, ANegativeValueIsAnErrorAndNothingIsApplied)
{
    TfrmVarSalarial editor(motor(), &t.j());
    Conduz(editor, id(), [&] {
        for (const char* nome : {"edtFixa", "edtParadigma", "edtVariavel"}) {
            SCOPED_TRACE(nome);
            AbrePeriodo(editor, [&](TfrmVarSalPeriodo& p) {
                QList<Caixa> caixas;
                CampoMoney* campo = Valor(p, nome);
                AnotaCaixa(caixas);
                Digita(campo, QStringLiteral("-5"));
                EsperaModais();
                AnotaCaixa(caixas); // OK takes the value again
                Clica(p.btnOk());
                ASSERT_EQ(caixas.size(), 2);
                for (const Caixa& c : caixas) {
                    EXPECT_EQ(c.texto, u"Não pode ser informado valor negativo.");
                    EXPECT_EQ(c.icone, QMessageBox::Critical);
                }
                EXPECT_TRUE(p.isVisible());
                EXPECT_TRUE(TemFoco(campo));
                EXPECT_EQ(campo->text(), u"-5");
                EXPECT_FALSE(editor.que1()->alterado());
                Digita(campo, QStringLiteral("5"));
                QTest::mouseClick(p.btnCancelar(), Qt::LeftButton);
            });
        }
        EXPECT_FALSE(editor.que1()->alterado());
        QTest::mouseClick(editor.btnCancelar(), Qt::LeftButton);
    });
}

TEST_F(SalarioPeriodo, TheDialogIsKeptBetweenUsesCancelOnlyClosesItAndItGoesWithTheEditor)
{
    const QStringList antes = linhas(QStringLiteral("TAB_VARIACAO_SALARIAL"));
    auto* editor = new TfrmVarSalarial(motor(), &t.j());
    QPointer<TfrmVarSalPeriodo> periodo;
    const Registros& r = *editor->que1();
    Conduz(*editor, id(), [&] {
        EXPECT_EQ(editor->periodo(), nullptr);
        AbrePeriodo(*editor, [&](TfrmVarSalPeriodo& p) {
            periodo = &p;
            Digita(Valor(p, "edtFixa"), QStringLiteral("4.000,00"));
            DigitaPeriodo(p, "5", "2024", "6", "2024");
            QTest::keyClick(&p, Qt::Key_Escape);
            EXPECT_FALSE(p.isVisible());
        });
        EXPECT_FALSE(r.alterado());
        ASSERT_TRUE(periodo);
        AbrePeriodo(*editor, [&](TfrmVarSalPeriodo& p) {
            EXPECT_EQ(&p, periodo.data());
            // What was typed is still there, and OK now applies it.
            EXPECT_EQ(Periodo(p), u"5/2024 a 6/2024");
            EXPECT_EQ(Valor(p, "edtFixa")->text(), u"4.000,00");
            QTest::mouseClick(p.btnOk(), Qt::LeftButton);
        });
        EXPECT_EQ(lerMoney(r.valor(LinhaDoMes(r, 2024, 5), u"SALARIO_FIXO")), Money::fromCents(400000));
        EXPECT_EQ(lerMoney(r.valor(LinhaDoMes(r, 2024, 6), u"SALARIO_FIXO")), Money::fromCents(400000));
        EXPECT_NE(lerMoney(r.valor(LinhaDoMes(r, 2024, 7), u"SALARIO_FIXO")), Money::fromCents(400000));
        QTest::mouseClick(editor->btnCancelar(), Qt::LeftButton);
    });
    EXPECT_EQ(linhas(QStringLiteral("TAB_VARIACAO_SALARIAL")), antes);
    EXPECT_TRUE(periodo);
    delete editor;
    EXPECT_FALSE(periodo);
}

TEST_F(SalarioPeriodo, EnterInAMonthRunsOkAndTheMonthListsKeepTheirTwelveMonths)
{
    historico(QDate(2003, 3, 1), QDate(2005, 12, 1));
    TfrmVarSalarial editor(motor(), &t.j());
    const Registros& r = *editor.que1();
    const auto meses = [](QComboBox* lista) {
        QStringList m;
        for (int i = 0; i < lista->count(); ++i)
            m.append(lista->itemText(i));
        return m;
    };
    const QStringList doze{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12"};
    Conduz(editor, id(), [&] {
        AbrePeriodo(editor, [&](TfrmVarSalPeriodo& p) {
            Digita(Valor(p, "edtFixa"), QStringLiteral("3.000,00"));
            DigitaPeriodo(p, "1", "2004", "2", "2005");
            p.mesInicial()->setFocus(Qt::TabFocusReason);
            Tecla(p.mesInicial(), QStringLiteral("13"));
            QTest::keyClick(p.mesInicial(), Qt::Key_Return);
            EXPECT_FALSE(p.isVisible()); // 13/2004 to 02/2005 applied
        });
        EXPECT_EQ(lerMoney(r.valor(LinhaDoMes(r, 2004, 12), u"SALARIO_FIXO")), Money::fromCents(100000));
        EXPECT_EQ(lerMoney(r.valor(LinhaDoMes(r, 2005, 1), u"SALARIO_FIXO")), Money::fromCents(300000));
        EXPECT_EQ(lerMoney(r.valor(LinhaDoMes(r, 2005, 2), u"SALARIO_FIXO")), Money::fromCents(300000));
        AbrePeriodo(editor, [&](TfrmVarSalPeriodo& p) {
            EXPECT_EQ(meses(p.mesInicial()), doze);
            EXPECT_EQ(meses(p.mesFinal()), doze);
        });
        QTest::mouseClick(editor.btnCancelar(), Qt::LeftButton);
    });
}

// --- Keyboard and screen reader -------------------------------------------------------------

namespace {

// Every control that takes the focus has a name a screen reader reads out: its own, its text,
// or its label's.
void TodosTemNome(QWidget* janela, int controles)
{
    int vistos = 0;
    for (QWidget* w : janela->findChildren<QWidget*>()) {
        if (!w->isVisible() || w->focusPolicy() == Qt::NoFocus || qobject_cast<QComboBox*>(w->parentWidget()))
            continue;
        ++vistos;
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
        ASSERT_NE(a, nullptr);
        EXPECT_FALSE(a->text(QAccessible::Name).isEmpty())
            << janela->windowTitle().toStdString() << ": " << w->metaObject()->className() << " "
            << w->objectName().toStdString();
    }
    EXPECT_EQ(vistos, controles) << janela->windowTitle().toStdString();
}

} // namespace

TEST_F(SalarioTeclado, TheFieldsHaveNamesTheNavigatorHintsAndTheLabelsTheirKeys)
{
    TfrmSalario meses(motor(), &t.j());
    Conduz(meses, id(), [&] {
        TodosTemNome(&meses, 6); // the grid, three boxes, OK, Cancel
        QStringList dicas;
        QStringList ocultos;
        for (int b = 0; b < Navegador::Quantidade; ++b) {
            QToolButton* botao = meses.nav1()->botao(static_cast<Navegador::Botao>(b));
            dicas.append(botao->toolTip());
            EXPECT_EQ(QAccessible::queryAccessibleInterface(botao)->text(QAccessible::Name), botao->toolTip());
            if (!botao->isVisible())
                ocultos.append(botao->toolTip());
        }
        EXPECT_EQ(dicas,
            QStringList({"Primeiro registro", "Registro anterior", "Próximo registro", "Último registro",
                "Novo registro", "Excluir registro", "Alterar registro", "Gravar registro", "Cancelar alterações",
                "Recarregar registros"}));
        EXPECT_EQ(ocultos, QStringList({"Alterar registro", "Recarregar registros"}));
        EXPECT_EQ(QAccessible::queryAccessibleInterface(meses.gri1())->text(QAccessible::Name), u"Apuração de Salário");
        QTest::keyClick(&meses, Qt::Key_Escape);
    });

    TfrmVarSalarial historico(motor(), &t.j());
    Conduz(historico, id(), [&] {
        TodosTemNome(&historico, 8); // the grid, four units, the period button, OK, Cancel
        AbrePeriodo(historico, [&](TfrmVarSalPeriodo& p) {
            TodosTemNome(&p, 9); // two months, two years, three values, OK, Cancel
            EXPECT_EQ(
                QAccessible::queryAccessibleInterface(Valor(p, "edtParadigma"))->text(QAccessible::Name), u"Paradigma");
            EXPECT_EQ(Valor(p, "edtParadigma")->palette().color(QPalette::Text), QColor(Qt::red));
            // Alt with the underlined letter of a label goes to its field.
            p.anoFinal()->setFocus();
            QTest::keyClick(&p, Qt::Key_I, Qt::AltModifier);
            EXPECT_TRUE(TemFoco(p.mesInicial()));
            QTest::keyClick(&p, Qt::Key_F, Qt::AltModifier);
            EXPECT_TRUE(TemFoco(p.mesFinal()));
            QTest::keyClick(&p, Qt::Key_Escape);
        });
        QTest::keyClick(&historico, Qt::Key_Escape);
    });
}
