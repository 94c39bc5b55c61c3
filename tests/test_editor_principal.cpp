// The main window as a clerk uses it: the start, the case panels and commands, ticking and
// unticking items, the reference salary, the contract period, refusals that keep what was
// typed, and the calculation.

#include "test_editor_apoio.h"

#include "Ambiente.h"
#include "ArquivoCaso.h"
#include "BancoDados.h"
#include "Campos.h"
#include "Configuracao.h"
#include "Motor.h"
#include "Pastas.h"
#include "Programa.h"
#include "TfrmPesquisa.h"
#include "Valores.h"
#include "ui_TfrmPrincipal.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace quintar;
using namespace quintar::teste;

namespace {

int contagem(JanelaTeste& t, const QString& tabela)
{
    return t.valor(QStringLiteral("SELECT COUNT(*) FROM %1").arg(tabela)).toInt();
}

QCheckBox* caixa(JanelaTeste& t, const char* flag)
{
    return t.j().itens()[t.j().indiceItem(QString::fromLatin1(flag))].chk;
}

// A click on the box itself (the row stretches wider than the box and its caption).
void clica(QCheckBox* c)
{
    QTest::mouseClick(c, Qt::LeftButton, {}, QPoint(6, c->height() / 2));
}

// The field that has the focus in the window (the window itself may not be active
// right after a message box on the offscreen platform).
bool temFoco(QWidget* campo)
{
    return campo->window()->focusWidget() == campo;
}

} // namespace

TEST(JanelaPrincipal, FirstStartStoresTheDefaultFolderAndCreatesItWhenShown)
{
    JanelaTeste t;
    const QString calculos = t.pasta() + QStringLiteral("Calculos/");
    QDir(calculos).removeRecursively(); // the start made them; showing must make them again
    EXPECT_FALSE(QFileInfo::exists(calculos));
    QSettings ini(t.arquivoConfiguracao(), QSettings::IniFormat);
    EXPECT_EQ(ini.value(QStringLiteral("Diretorio/Diretorio")).toString(), calculos);
    EXPECT_EQ(t.j().programa().configuracao().texto(u"ProxyPorta"), u"8080");

    t.mostra();
    EXPECT_TRUE(QFileInfo(calculos).isDir());
    EXPECT_TRUE(QFileInfo(calculos + QStringLiteral("Backup")).isDir());
    EXPECT_EQ(t.j().windowTitle(), u"Quintar");
    EXPECT_FALSE(t.j().windowFlags() & Qt::WindowMaximizeButtonHint);
}

TEST(JanelaPrincipal, WithoutACaseOnlyTheCaseCommandsAreOff)
{
    JanelaTeste t;
    t.mostra(); // the search dialog closed: no case
    EXPECT_FALSE(t.j().ui().grbInformacoes->isVisible());
    EXPECT_FALSE(t.j().ui().grbResumo->isVisible());
    for (const char* nome : {"btnSalvar", "btnSalvarComo", "btnImprimir", "btnEnviarEmail", "btnDesmarcar"})
        EXPECT_FALSE(t.j().acao(QString::fromLatin1(nome))->isEnabled()) << nome;
    for (const char* nome : {"btnNovo", "btnAbrir", "btnDiretorio", "btnConfProxy", "btnAtualizaIndice", "btnIndice",
             "btnFaixaINSS", "btnFaixaIR", "btnValores", "btnBackup", "btnSair"})
        EXPECT_TRUE(t.j().acao(QString::fromLatin1(nome))->isEnabled()) << nome;
}

TEST(JanelaPrincipal, TheToolbarHasItsButtonsWithTheirHintsAndSeparators)
{
    JanelaTeste t;
    QStringList dicas;
    int separadores = 0;
    for (QAction* a : t.j().findChild<QToolBar*>()->actions()) {
        if (a->isSeparator())
            ++separadores;
        else
            dicas.append(a->toolTip());
    }
    EXPECT_EQ(dicas,
        QStringList({"Criar um Novo Cálculo...", "Abrir outro Cálculo...", "Salvar o Cálculo Atual",
            "Salvar o Cálculo Atual em outro diretório ou com outro Número Único...", "Opções Avançadas",
            "Enviar este processo por email", "Configurar Conexão", "Atualizar tabelas e novas versões do programa",
            "Pesquisar Índices...", "Pesquisar Faixa de INSS...", "Pesquisar Faixa de IR...",
            "Pesquisar Salário Mínimo...", "Desmarcar todos os Itens de Cálculo", "Imprimir ou Copiar...", "Backup",
            "Sair"}));
    EXPECT_EQ(separadores, 4);
}

TEST(JanelaPrincipal, OpeningTheSampleCaseShowsItsNumberFlagsAndTotals)
{
    JanelaTeste t;
    t.mostra(t.copiaExemplo());
    EXPECT_TRUE(t.j().ui().grbInformacoes->isVisible());
    EXPECT_EQ(t.j().ui().lblChave->text(), u"01234.2025.002.02.00." + QString::number(t.caso().valor(u"DV").toInt()));
    EXPECT_EQ(t.j().ui().edtReclamante->text(), t.caso().texto(u"RECLAMANTE_PRINCIPAL"));
    EXPECT_EQ(t.j().ui().datInicioPacto->text(), u"03/02/2022");
    EXPECT_EQ(t.j().ui().edtSalarioFixo->text(), t.caso().money(u"SALARIO_FIXO").formatado());
    for (const auto& item : t.j().itens()) {
        EXPECT_EQ(item.chk->isChecked(), t.caso().marcado(item.flag)) << item.flag.toStdString();
        EXPECT_EQ(item.btn->isEnabled(), item.chk->isChecked()) << item.flag.toStdString();
    }
    EXPECT_TRUE(t.j().acao(QStringLiteral("btnSalvar"))->isEnabled());
    EXPECT_TRUE(t.j().ui().btnCalcula->hasFocus());
}

TEST(JanelaPrincipal, CalculateShowsWhatTheCommandLinePrintsForTheWrittenFile)
{
    JanelaTeste t;
    const QString arquivo = t.copiaExemplo();
    t.mostra(arquivo);
    QTest::mouseClick(t.j().ui().btnCalcula, Qt::LeftButton);
    EXPECT_EQ(t.j().textoStatus(), u"Cálculo completo.");
    EXPECT_TRUE(t.j().acao(QStringLiteral("btnImprimir"))->isEnabled());
    EXPECT_TRUE(t.j().isEnabled());
    EXPECT_EQ(t.j().ui().stkCentral->currentWidget(), t.j().ui().grbItens);

    // A program folder of its own: the command line would reset the window's working tables.
    QTemporaryDir pastaCli;
    const ResultadoCli r = RodaCli({QStringLiteral("--pasta"), pastaCli.path(), QStringLiteral("resumo"), arquivo});
    ASSERT_EQ(r.codigo, 0) << r.erros.toStdString();
    QMap<QString, QString> impresso;
    for (const QString& linha : r.saida.split(u'\n'))
        impresso.insert(linha.section(QStringLiteral(": "), 0, 0), linha.section(QStringLiteral(": "), 1));
    for (const auto& item : t.j().itens())
        EXPECT_EQ(item.edt->text(), impresso.value(item.legenda)) << item.legenda.toStdString();
    const Ui::TfrmPrincipal& ui = t.j().ui();
    EXPECT_EQ(ui.edtTotalReclamado->text(), impresso.value(QStringLiteral("Total Reclamado")));
    EXPECT_EQ(ui.edtINSSReclamado->text(), impresso.value(QStringLiteral("INSS Reclamado")));
    EXPECT_EQ(ui.edtINSSReclamante->text(), impresso.value(QStringLiteral("INSS Reclamante")));
    EXPECT_EQ(ui.edtImpostoRenda->text(), impresso.value(QStringLiteral("Imposto de Renda")));
    EXPECT_EQ(ui.edtLiquidoReclamante->text(), impresso.value(QStringLiteral("Líquido Reclamante")));
    EXPECT_EQ(ui.lblDataCalculo->text(), impresso.value(QStringLiteral("Data do Último Cálculo")));
    EXPECT_EQ(ui.edtTotalReclamado->text(), u"21.814,62");
}

TEST(JanelaPrincipal, ARefusedPostingKeepsTheTypedValuesAndFocusesTheField)
{
    JanelaTeste t;
    t.mostra(t.copiaExemplo());
    const Ui::TfrmPrincipal& ui = t.j().ui();
    Digita(ui.edtReclamante, QStringLiteral("Maria José"));
    Digita(ui.datAtualizacao, QStringLiteral("31122026")); // no index for that day
    QStringList mensagens;
    AnotaCaixa(mensagens);
    Aciona(t.j(), QStringLiteral("btnSalvar"));
    EsperaModais();
    EXPECT_EQ(mensagens, QStringList({"Não existe indice de Correção Monetária para a data de atualização."}));
    EXPECT_TRUE(temFoco(ui.datAtualizacao));
    EXPECT_TRUE(t.caso().emEdicao());
    EXPECT_EQ(ui.datAtualizacao->text(), u"31/12/2026");
    EXPECT_EQ(ui.edtReclamante->text(), u"Maria José");
    EXPECT_NE(t.j().textoStatus(), u"Salvo.");
}

TEST(JanelaPrincipal, SaveSaysSavedOnlyWhenSomethingWasEdited)
{
    JanelaTeste t;
    const QString arquivo = t.copiaExemplo();
    t.mostra(arquivo);
    t.j().status(QString());
    Aciona(t.j(), QStringLiteral("btnSalvar"));
    EXPECT_EQ(t.j().textoStatus(), QString());
    Digita(t.j().ui().edtReclamado, QStringLiteral("Outra Empresa S.A."));
    Aciona(t.j(), QStringLiteral("btnSalvar"));
    EXPECT_EQ(t.j().textoStatus(), u"Salvo.");
    EXPECT_TRUE(LeBytes(arquivo).contains("<RECLAMADO_PRINCIPAL>Outra Empresa S.A.</RECLAMADO_PRINCIPAL>"));
}

TEST(JanelaPrincipal, TickingAnItemOpensItsEditorAndCancelUnticksIt)
{
    JanelaTeste t;
    t.mostra(t.copiaExemplo());
    QCheckBox* salario = caixa(t, "CALCULA_SALARIO");
    ASSERT_TRUE(salario->isChecked());
    clica(salario); // off: its rows go
    EXPECT_EQ(t.caso().texto(u"CALCULA_SALARIO"), u"N");
    EXPECT_EQ(contagem(t, QStringLiteral("TAB_SALARIO")), 0);

    QString titulo;
    QuandoModal([&titulo](QWidget* editor) {
        titulo = editor->windowTitle();
        QTest::keyClick(editor, Qt::Key_Escape);
    });
    clica(salario);
    EsperaModais();
    EXPECT_EQ(titulo, u"Apuração de Salário");
    EXPECT_FALSE(salario->isChecked());
    EXPECT_EQ(t.caso().texto(u"CALCULA_SALARIO"), u"N");
    EXPECT_EQ(contagem(t, QStringLiteral("TAB_SALARIO")), 0);
    EXPECT_FALSE(t.j().itens()[t.j().indiceItem(QStringLiteral("CALCULA_SALARIO"))].btn->isEnabled());
}

TEST(JanelaPrincipal, ANewReferenceSalaryRewritesTheHistoryAndClearsTheResults)
{
    JanelaTeste t;
    t.mostra(t.copiaExemplo());
    QTest::mouseClick(t.j().ui().btnCalcula, Qt::LeftButton);
    ASSERT_TRUE(t.j().acao(QStringLiteral("btnImprimir"))->isEnabled());
    Digita(t.j().ui().edtSalarioFixo, QStringLiteral("3.000,00"));
    EXPECT_EQ(t.valor(QStringLiteral("SELECT COUNT(DISTINCT SALARIO_FIXO) FROM TAB_VARIACAO_SALARIAL")).toInt(), 1);
    EXPECT_EQ(lerMoney(t.valor(QStringLiteral("SELECT MAX(SALARIO_FIXO) FROM TAB_VARIACAO_SALARIAL"))),
        Money::fromCents(300000));
    EXPECT_EQ(t.j().ui().edtSalarioFixo->text(), u"3.000,00");
    for (const auto& item : t.j().itens())
        EXPECT_EQ(item.edt->text(), u"0,00") << item.flag.toStdString();
    EXPECT_EQ(t.j().ui().edtLiquidoReclamante->text(), u"0,00");
    EXPECT_EQ(contagem(t, QStringLiteral("TAB_DEMONSTRATIVO_MENSAL")), 0);
    EXPECT_FALSE(t.j().acao(QStringLiteral("btnImprimir"))->isEnabled());
}

TEST(JanelaPrincipal, ChangingTheContractPeriodAsksOnlyWhenAnItemIsTicked)
{
    struct Caso {
        const char* nome;
        bool comItem;
        QMessageBox::StandardButton resposta;
    };
    for (const Caso& k : {Caso{"sem item", false, QMessageBox::NoButton}, Caso{"sim", true, QMessageBox::Yes},
             Caso{"não", true, QMessageBox::No}}) {
        SCOPED_TRACE(k.nome);
        JanelaTeste t;
        t.mostra(t.copiaExemplo());
        const Ui::TfrmPrincipal& ui = t.j().ui();
        if (!k.comItem) {
            Aciona(t.j(), QStringLiteral("btnDesmarcar"));
            ASSERT_FALSE(t.caso().emEdicao());
        }
        QStringList perguntas;
        if (k.comItem)
            QuandoModal([&, resposta = k.resposta](QWidget* caixa) {
                perguntas.append(TextoCaixa(caixa));
                Responde(caixa, resposta);
            });
        Digita(ui.datInicioPacto, QStringLiteral("01032022"));
        EsperaModais();
        if (!k.comItem) {
            EXPECT_TRUE(perguntas.isEmpty());
            EXPECT_EQ(ui.datInicioPacto->text(), u"01/03/2022");
            continue;
        }
        ASSERT_EQ(perguntas.size(), 1);
        EXPECT_EQ(perguntas[0],
            u"Para mudar data do Pacto, teremos que desmarcar TODOS os \"Ítens de Cálculo\".\n\nConfirma ?");
        if (k.resposta == QMessageBox::Yes) {
            for (const auto& item : t.j().itens())
                EXPECT_FALSE(item.chk->isChecked()) << item.flag.toStdString();
            EXPECT_EQ(contagem(t, QStringLiteral("TAB_VARIACAO_SALARIAL")), 0);
            EXPECT_EQ(ui.datInicioPacto->text(), u"01/03/2022");
        } else {
            EXPECT_EQ(ui.datInicioPacto->text(), u"03/02/2022");
            EXPECT_TRUE(temFoco(ui.datInicioPacto));
            EXPECT_TRUE(caixa(t, "CALCULA_SALARIO")->isChecked());
        }
    }
}

TEST(JanelaPrincipal, UntickAllLeavesNoItemAndPostsTheRow)
{
    JanelaTeste t;
    const QString arquivo = t.copiaExemplo();
    t.mostra(arquivo);
    Aciona(t.j(), QStringLiteral("btnDesmarcar"));
    for (const auto& item : t.j().itens()) {
        EXPECT_FALSE(item.chk->isChecked()) << item.flag.toStdString();
        EXPECT_EQ(t.caso().texto(item.flag), u"N");
    }
    for (const char* tabela : {"TAB_AVISO_PREVIO", "TAB_SALARIO", "TAB_13_SALARIO", "TAB_FERIAS", "TAB_FGTS",
             "TAB_INSS", "TAB_IR", "TAB_JUROS", "TAB_HORAS_EXTRAS", "TAB_JT_EXTRA"})
        EXPECT_EQ(contagem(t, QString::fromLatin1(tabela)), 0) << tabela;
    EXPECT_FALSE(t.caso().emEdicao());
    EXPECT_FALSE(LeBytes(arquivo).contains("<CALCULA_SALARIO>S</CALCULA_SALARIO>"));
}

TEST(JanelaPrincipal, ADamagedCaseFileLeavesTheWindowAsItWas)
{
    JanelaTeste t;
    t.mostra(t.copiaExemplo());
    const QString chave = t.j().ui().lblChave->text();
    const QString danificado = t.calculos() + QStringLiteral("99999.2025.001.01.00.QNT.XML");
    QByteArray bytes = LeBytes(t.copiaExemplo());
    bytes.truncate(bytes.size() / 2);
    GravaBytes(danificado, bytes);
    QStringList mensagens;
    QuandoModal([&](QWidget* pesquisa) {
        QuandoModal([&](QWidget* caixa) {
            mensagens.append(TextoCaixa(caixa));
            Responde(caixa, QMessageBox::Ok);
        });
        auto* p = static_cast<TfrmPesquisa*>(pesquisa);
        Digita(p->campos()[0], QStringLiteral("99999"));
        Digita(p->campos()[1], QStringLiteral("2025"));
        Digita(p->campos()[2], QStringLiteral("1"));
        Digita(p->campos()[3], QStringLiteral("1"));
        Digita(p->campos()[4], QStringLiteral("0"));
        QTest::mouseClick(p->findChild<QPushButton*>(QStringLiteral("btnAbrir")), Qt::LeftButton);
    });
    Aciona(t.j(), QStringLiteral("btnAbrir"));
    EsperaModais();
    ASSERT_EQ(mensagens.size(), 1);
    EXPECT_TRUE(mensagens[0].contains(u"não respeita as regras definidas")) << mensagens[0].toStdString();
    EXPECT_TRUE(t.j().ui().grbInformacoes->isVisible());
    EXPECT_EQ(t.j().ui().lblChave->text(), chave);
    EXPECT_TRUE(t.caso().temRegistro());
    EXPECT_GT(contagem(t, QStringLiteral("TAB_SALARIO")), 0);
}

TEST(JanelaPrincipal, FieldsRefuseWhatCannotBeTyped)
{
    JanelaTeste t;
    t.mostra(t.copiaExemplo());
    const Ui::TfrmPrincipal& ui = t.j().ui();
    Digita(ui.edtSalarioFixo, QStringLiteral("1a2b3,4c"));
    EXPECT_EQ(ui.edtSalarioFixo->text(), u"123,40");
    ui.datFimPacto->setFocus();
    ui.datFimPacto->selectAll();
    QTest::keyClicks(ui.datFimPacto, QStringLiteral("3102"));
    EXPECT_FALSE(ui.datFimPacto->text().startsWith(u"31/02")) << ui.datFimPacto->text().toStdString();
    const QString longo(200, u'x');
    ui.edtReclamante->setFocus();
    ui.edtReclamante->selectAll();
    QTest::keyClicks(ui.edtReclamante, longo);
    EXPECT_EQ(ui.edtReclamante->text().size(), 180);
}

TEST(JanelaPrincipal, TwoDigitYearsInTheDatePickersPivotAt1950)
{
    for (const auto& [digitado, esperado] :
        {std::pair{"010349", "01/03/2049"}, std::pair{"010350", "01/03/1950"}, std::pair{"15039", "15/03/2026"}}) {
        CampoData campo;
        campo.show();
        campo.defineData(QDate(2026, 3, 15));
        Digita(&campo, QString::fromLatin1(digitado));
        campo.confirma();
        EXPECT_EQ(campo.text(), QString::fromLatin1(esperado)) << digitado;
    }
}

TEST(JanelaPrincipal, ASecondStartHandsOverToTheRunningCopyAndEnds)
{
    QTemporaryDir pasta;
    const QString caso = pasta.path() + QStringLiteral("/01234.2025.002.02.00.QNT.XML");
    QFile::copy(QStringLiteral(QUINTAR_DADOS "/exemplo/01234.2025.002.02.00.QNT.XML"), caso);
    QFile::setPermissions(caso, QFile::ReadOwner | QFile::WriteOwner);
    QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
    ambiente.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    ambiente.insert(QStringLiteral("XDG_CONFIG_HOME"), pasta.path() + QStringLiteral("/config"));
    const QStringList argumentos{QStringLiteral("--pasta"), pasta.path(), caso};
    const auto inicia = [&](QProcess& p) {
        p.setProcessEnvironment(ambiente);
        p.start(QStringLiteral(QUINTAR_APP), argumentos);
        EXPECT_TRUE(p.waitForStarted());
    };

    QProcess primeiro;
    inicia(primeiro);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return QFileInfo::exists(pasta.path() + QStringLiteral("/TabelasParadox/quintar.db")); }, 10000));
    QTest::qWait(300);
    QProcess segundo;
    inicia(segundo);
    EXPECT_TRUE(segundo.waitForFinished(10000));
    EXPECT_EQ(segundo.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(segundo.exitCode(), 0);
    EXPECT_EQ(primeiro.state(), QProcess::Running);

    // Once the running copy ends, the next start is the running copy.
    primeiro.terminate();
    EXPECT_TRUE(primeiro.waitForFinished(10000));
    QProcess terceiro;
    inicia(terceiro);
    EXPECT_FALSE(terceiro.waitForFinished(1500));
    terceiro.kill();
    terceiro.waitForFinished();
}

TEST(JanelaPrincipal, TabGoesFromTopToBottomAndEveryControlHasAName)
{
    JanelaTeste t;
    t.mostra(t.copiaExemplo());
    const Ui::TfrmPrincipal& ui = t.j().ui();
    QStringList ordem;
    ui.edtReclamante->setFocus(Qt::TabFocusReason);
    for (int i = 0; i < 40; ++i) {
        QWidget* foco = t.j().focusWidget();
        ordem.append(foco->objectName());
        if (foco == ui.btnCalcula)
            break;
        QTest::keyClick(foco, Qt::Key_Tab);
    }
    QStringList esperada{"edtReclamante", "edtReclamado", "datAtualizacao", "datInicioPacto", "datFimPacto",
        "edtSalarioFixo", "btnVariaSal"};
    for (const auto& item : t.j().itens()) {
        esperada.append(item.chk->objectName());
        if (item.btn->isEnabled())
            esperada.append(item.btn->objectName());
    }
    esperada.append(QStringLiteral("btnCalcula"));
    EXPECT_EQ(ordem, esperada);

    // What a screen reader says of the controls that show no text of their own.
    const QList<QLabel*> rotulos = t.j().findChildren<QLabel*>();
    for (QWidget* w : t.j().findChildren<QWidget*>()) {
        if (!w->isVisibleTo(&t.j()) || !(w->focusPolicy() & Qt::TabFocus))
            continue;
        const auto* botao = qobject_cast<QAbstractButton*>(w);
        const bool temTexto = botao && !botao->text().isEmpty();
        const bool temRotulo =
            std::any_of(rotulos.cbegin(), rotulos.cend(), [w](const QLabel* l) { return l->buddy() == w; });
        EXPECT_TRUE(temTexto || temRotulo || !w->accessibleName().isEmpty()) << w->objectName().toStdString();
    }
}
