// The case dialogs: a new case, the search, save as, and the folder of case files; and one
// whole afternoon of a clerk's work with them.

#include "test_editor_apoio.h"

#include "Ambiente.h"
#include "ArquivoCaso.h"
#include "BancoDados.h"
#include "Campos.h"
#include "CicloCaso.h"
#include "Configuracao.h"
#include "Motor.h"
#include "Pastas.h"
#include "Programa.h"
#include "TfrmDirPadrao.h"
#include "TfrmNovoProcesso.h"
#include "TfrmPesquisa.h"
#include "TfrmSalvarComo.h"
#include "ui_TfrmDirPadrao.h"
#include "ui_TfrmNovoProcesso.h"
#include "ui_TfrmPesquisa.h"
#include "ui_TfrmPrincipal.h"
#include "ui_TfrmSalvarComo.h"

#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace quintar;
using namespace quintar::teste;

namespace {

struct Identificacao {
    const char *numero, *ano, *vara, *regional, *sequencial, *inicio, *dispensa, *salario;
};

// Types the new case's fields, each left with Tab.
void preencheNovo(TfrmNovoProcesso& d, const Identificacao& i)
{
    Ui::TfrmNovoProcesso& ui = d.ui();
    const std::pair<QWidget*, const char*> campos[] = {
        {ui.edtNumero, i.numero},
        {ui.edtAno, i.ano},
        {ui.edtVara, i.vara},
        {ui.edtRegional, i.regional},
        {ui.edtSequencial, i.sequencial},
        {ui.datInicioPacto, i.inicio},
        {ui.datFimPacto, i.dispensa},
        {ui.edtSalarioFixo, i.salario},
    };
    for (const auto& [campo, texto] : campos)
        if (texto)
            Digita(campo, QString::fromUtf8(texto));
}

bool temFoco(QWidget* campo)
{
    return campo->window()->focusWidget() == campo;
}

// The summary quintar-cli prints for the file, run on a program folder of its own (it would
// reset the window's working tables).
QMap<QString, QString> resumoImpresso(const QString& arquivo)
{
    QTemporaryDir pasta;
    const ResultadoCli r = RodaCli({QStringLiteral("--pasta"), pasta.path(), QStringLiteral("resumo"), arquivo});
    EXPECT_EQ(r.codigo, 0) << r.erros.toStdString();
    QMap<QString, QString> impresso;
    for (const QString& linha : r.saida.split(u'\n'))
        impresso.insert(linha.section(QStringLiteral(": "), 0, 0), linha.section(QStringLiteral(": "), 1));
    return impresso;
}

// What the window shows: every item's total and the summary.
QStringList totaisMostrados(TfrmPrincipal& j)
{
    QStringList t;
    for (const auto& item : j.itens())
        t.append(item.edt->text());
    const Ui::TfrmPrincipal& ui = j.ui();
    for (QLineEdit* c : {static_cast<QLineEdit*>(ui.edtTotalReclamado), static_cast<QLineEdit*>(ui.edtINSSReclamado),
             static_cast<QLineEdit*>(ui.edtINSSReclamante), static_cast<QLineEdit*>(ui.edtImpostoRenda),
             static_cast<QLineEdit*>(ui.edtLiquidoReclamante)})
        t.append(c->text());
    return t;
}

void clica(QCheckBox* c)
{
    QTest::mouseClick(c, Qt::LeftButton, {}, QPoint(6, c->height() / 2));
}

} // namespace

TEST(Processo, AClerksAfternoonFromANewCaseToSaveAsUnderAnotherNumber)
{
    JanelaTeste t;
    t.mostra();

    // "Novo": the identification, the contract and the salary.
    QuandoModal([](QWidget* w) {
        auto* d = static_cast<TfrmNovoProcesso*>(w);
        EXPECT_EQ(d->windowTitle(), u"Novo Processo");
        preencheNovo(*d, {"345", "2025", "2", "2", "0", "01032023", "31012025", "2.500,00"});
        QTest::mouseClick(d->btnOk(), Qt::LeftButton);
    });
    Aciona(t.j(), QStringLiteral("btnNovo"));
    EsperaModais();
    ASSERT_TRUE(t.j().ui().grbInformacoes->isVisible());
    EXPECT_EQ(t.j().ui().lblChave->text(), u"00345.2025.002.02.00." + QString::number(DV(345, 2025, 2, 2, 0)));
    EXPECT_EQ(t.j().ui().datAtualizacao->text(), u"30/04/2026"); // the last day with an index
    Digita(t.j().ui().edtReclamante, QStringLiteral("João da Silva Araújo"));

    // "Salário" ticked: its editor opens, OK.
    QString editor;
    QuandoModal([&editor](QWidget* d) {
        editor = d->windowTitle();
        QTest::mouseClick(static_cast<TfrmOkCan*>(d)->btnOk(), Qt::LeftButton);
    });
    clica(t.j().itens()[t.j().indiceItem(QStringLiteral("CALCULA_SALARIO"))].chk);
    EsperaModais();
    EXPECT_EQ(editor, u"Apuração de Salário");
    const QString arquivo = t.calculos() + QStringLiteral("00345.2025.002.02.00.QNT.XML");
    EXPECT_TRUE(QFileInfo::exists(arquivo)); // the first posting through the window wrote it

    QTest::mouseClick(t.j().ui().btnCalcula, Qt::LeftButton);
    const QStringList totais = totaisMostrados(t.j());
    const QMap<QString, QString> impresso = resumoImpresso(arquivo);
    EXPECT_EQ(totais.at(1), impresso.value(QStringLiteral("Salário")));
    EXPECT_NE(totais.at(1), u"0,00");
    EXPECT_EQ(t.j().ui().edtTotalReclamado->text(), impresso.value(QStringLiteral("Total Reclamado")));
    EXPECT_EQ(t.j().ui().edtLiquidoReclamante->text(), impresso.value(QStringLiteral("Líquido Reclamante")));
    EXPECT_EQ(impresso.value(QStringLiteral("Reclamante")), u"João da Silva Araújo");

    // Reopened from the search dialog's recent list.
    QuandoModal([arquivo](QWidget* w) {
        auto* p = static_cast<TfrmPesquisa*>(w);
        QListWidget* lista = p->ui().lstUltimos;
        ASSERT_GE(lista->count(), 1);
        EXPECT_EQ(lista->item(0)->data(Qt::UserRole).toString(), arquivo);
        const QRect r = lista->visualItemRect(lista->item(0));
        // A double click as the mouse makes it: a click, then the second press.
        QTest::mouseClick(lista->viewport(), Qt::LeftButton, {}, r.center());
        QTest::mouseDClick(lista->viewport(), Qt::LeftButton, {}, r.center());
    });
    Aciona(t.j(), QStringLiteral("btnAbrir"));
    EsperaModais();
    EXPECT_EQ(t.caso().arquivoEscolhido, arquivo);
    EXPECT_EQ(totaisMostrados(t.j()), totais);

    // Save as under another number: the rows follow, the totals stay.
    const QString outro = t.calculos() + QStringLiteral("00346.2025.002.02.00.QNT.XML");
    QuandoModal([](QWidget* w) {
        auto* d = static_cast<TfrmSalvarComo*>(w);
        EXPECT_EQ(d->windowTitle(), u"Salvar Como");
        EXPECT_TRUE(temFoco(d->ui().edtNumero));
        Digita(d->ui().edtNumero, QStringLiteral("346"));
        QuandoModal([](QWidget* salvar) {
            auto* dialogo = qobject_cast<QFileDialog*>(salvar);
            ASSERT_NE(dialogo, nullptr);
            EXPECT_EQ(dialogo->selectedFiles().value(0).section(u'/', -1), u"00346.2025.002.02.00.QNT.XML");
            QTest::keyClick(dialogo->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")), Qt::Key_Return);
        });
        QTest::mouseClick(d->btnOk(), Qt::LeftButton);
    });
    Aciona(t.j(), QStringLiteral("btnSalvarComo"));
    EsperaModais();
    EXPECT_TRUE(QFileInfo::exists(outro));
    EXPECT_EQ(t.caso().arquivoEscolhido, outro);
    EXPECT_EQ(t.caso().processoId(), 346);
    EXPECT_EQ(t.valor(QStringLiteral("SELECT COUNT(*) FROM TAB_SALARIO WHERE PROCESSO_ID = 345")).toInt(), 0);
    EXPECT_GT(t.valor(QStringLiteral("SELECT COUNT(*) FROM TAB_SALARIO WHERE PROCESSO_ID = 346")).toInt(), 0);
    QTest::mouseClick(t.j().ui().btnCalcula, Qt::LeftButton);
    EXPECT_EQ(totaisMostrados(t.j()), totais);
    EXPECT_EQ(t.j().itens()[t.j().indiceItem(QStringLiteral("CALCULA_SALARIO"))].chk->isChecked(), true);
    EXPECT_TRUE(LeBytes(outro).contains("<NUMERO>346</NUMERO>"));
}

TEST(Processo, TheNewCaseChecksRefuseInOrderAndKeepWhatWasTyped)
{
    struct Caso {
        const char* nome;
        Identificacao id;
        const char* mensagem;
        const char* foco;
    };
    const Caso casos[] = {
        {"sem número", {nullptr, "2008", "1", "5", "0", "01032008", "31012009", "1000"},
            "Field 'Número Único' must have a value", "edtNumero"},
        {"arquivo existe", {"1234", "2025", "2", "2", "0", "01032023", "31012025", "1000"},
            "Já existe um processo com esta identificação.", "edtNumero"},
        {"dispensa futura", {"77", "2025", "2", "2", "0", "01032023", "15122026", "1000"},
            "Data da Dispensa deve ser MENOR ou IGUAL que a data do Computador.", "datFimPacto"},
        {"mesmo dia", {"77", "2025", "2", "2", "0", "01032023", "01032023", "1000"},
            "Data da Dispensa deve ser MAIOR que o Inicio do Pacto.", "datFimPacto"},
        {"início sem índice", {"77", "2025", "2", "2", "0", "01031990", "01032023", "1000"},
            "Não existe indice de Correção Monetária para a data de Inídio do Pacto.", "datInicioPacto"},
    };
    for (const Caso& k : casos) {
        SCOPED_TRACE(k.nome);
        JanelaTeste t;
        t.copiaExemplo(); // 01234.2025.002.02.00 exists in the folder of case files
        TfrmNovoProcesso d(t.j().motor(), Agora().date(), &t.j());
        QStringList mensagens;
        bool ficouAberto = false;
        QString digitado;
        QuandoModal([&](QWidget*) {
            preencheNovo(d, k.id);
            AnotaCaixa(mensagens);
            QTest::mouseClick(d.btnOk(), Qt::LeftButton);
            ficouAberto = d.isVisible();
            digitado = d.ui().datFimPacto->text();
            EXPECT_TRUE(temFoco(d.findChild<QWidget*>(QString::fromLatin1(k.foco))));
            d.reject();
        });
        EXPECT_FALSE(d.Executa(0));
        EsperaModais();
        EXPECT_EQ(mensagens, QStringList({QString::fromUtf8(k.mensagem)}));
        EXPECT_TRUE(ficouAberto);
        EXPECT_EQ(digitado,
            ValidadorData::data(QString::fromLatin1(k.id.dispensa).insert(2, u'/').insert(5, u'/'))
                .toString(QStringLiteral("dd/MM/yyyy")));
        EXPECT_EQ(t.valor(QStringLiteral("SELECT COUNT(*) FROM TAB_PROCESSO")).toInt(), 0);
    }
}

TEST(Processo, TheNewCaseComputesItsCheckDigitAndProposesTheNextNumber)
{
    JanelaTeste t;
    {
        TfrmNovoProcesso d(t.j().motor(), Agora().date(), &t.j());
        QuandoModal([&](QWidget*) {
            Ui::TfrmNovoProcesso& ui = d.ui();
            // Each full field hands the focus on; a two-digit year is completed on leaving.
            ui.edtNumero->setFocus();
            Tecla(ui.edtNumero, QStringLiteral("00123"));
            EXPECT_TRUE(temFoco(ui.edtAno));
            Tecla(ui.edtAno, QStringLiteral("8"));
            QTest::keyClick(ui.edtAno, Qt::Key_Tab);
            EXPECT_EQ(ui.edtAno->text(), u"2008");
            Tecla(ui.edtVara, QStringLiteral("001"));
            EXPECT_TRUE(temFoco(ui.edtRegional));
            Tecla(ui.edtRegional, QStringLiteral("05"));
            Tecla(ui.edtSequencial, QStringLiteral("00"));
            EXPECT_TRUE(temFoco(ui.datInicioPacto));
            Digita(ui.datInicioPacto, QStringLiteral("01032008"));
            Digita(ui.datFimPacto, QStringLiteral("31012009"));
            QTest::mouseClick(d.btnOk(), Qt::LeftButton);
        });
        ASSERT_TRUE(d.Executa(0));
        EsperaModais();
        EXPECT_EQ(d.processoIdNovo(), 123);
    }
    EXPECT_EQ(t.valor(QStringLiteral("SELECT DV FROM TAB_PROCESSO WHERE PROCESSO_ID = 123")).toInt(), 5);
    EXPECT_EQ(t.valor(QStringLiteral("SELECT UNIDADE_SALARIO_FIXO FROM TAB_PROCESSO")).toString(), u"V");
    const Parametros proposta = LeParametros(ArquivoNovoProcesso());
    EXPECT_EQ(Parametro(proposta, u"ANO"), u"2008");
    EXPECT_EQ(Parametro(proposta, u"VARA"), u"1");
    EXPECT_TRUE(Parametro(proposta, u"NUMERO").isNull());

    // The next new case starts from the proposal; without a number the focus is on it.
    TfrmNovoProcesso proximo(t.j().motor(), Agora().date(), &t.j());
    QuandoModal([&](QWidget*) {
        EXPECT_EQ(proximo.ui().edtAno->text(), u"2008");
        EXPECT_TRUE(temFoco(proximo.ui().edtNumero));
        EXPECT_TRUE(proximo.ui().rbtMoedaVigente->isChecked());
        proximo.reject();
    });
    EXPECT_FALSE(proximo.Executa(0));
    EsperaModais();
    EXPECT_EQ(t.valor(QStringLiteral("SELECT COUNT(*) FROM TAB_PROCESSO")).toInt(), 1);
}

TEST(Processo, TheSearchCompletesItsFieldsAndLooksForWildcardNames)
{
    JanelaTeste t;
    TfrmPesquisa& p = t.j().pesquisa();
    QString proposto, titulo;
    bool continuouAberta = false;
    QuandoModal([&](QWidget*) {
        const QVector<QLineEdit*> c = p.campos();
        Digita(c[1], QStringLiteral("8"));
        EXPECT_EQ(c[1]->text(), u"2008");
        Digita(c[1], QStringLiteral("95"));
        EXPECT_EQ(c[1]->text(), u"1995");
        c[1]->clear();
        Digita(c[0], QStringLiteral("123"));
        EXPECT_EQ(c[0]->text(), u"00123");
        Digita(c[2], QStringLiteral("2"));
        EXPECT_EQ(c[2]->text(), u"002");
        c[2]->clear();
        QuandoModal([&](QWidget* w) {
            auto* abre = qobject_cast<QFileDialog*>(w);
            ASSERT_NE(abre, nullptr);
            titulo = abre->windowTitle();
            proposto = abre->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->text();
            abre->reject();
        });
        QTest::mouseClick(p.ui().btnAbrir, Qt::LeftButton);
        continuouAberta = p.isVisible();
        p.reject();
    });
    EXPECT_EQ(p.Executa(), TfrmPesquisa::Resultado::Fechado);
    EsperaModais();
    EXPECT_EQ(titulo, u"Abre resultados");
    EXPECT_EQ(proposto, u"00123.*.*.*.*.QNT.XML");
    EXPECT_TRUE(continuouAberta);
}

TEST(Processo, TheSearchRemembersItsFieldsAndHandsNewOnToTheNewCase)
{
    JanelaTeste t;
    TfrmPesquisa& p = t.j().pesquisa();
    QuandoModal([&](QWidget*) {
        const QVector<QLineEdit*> c = p.campos();
        Digita(c[0], QStringLiteral("500"));
        Digita(c[1], QStringLiteral("2024"));
        Digita(c[2], QStringLiteral("7"));
        QTest::mouseClick(p.ui().btnNovo, Qt::LeftButton);
    });
    EXPECT_EQ(p.Executa(), TfrmPesquisa::Resultado::Novo);
    EsperaModais();
    const Parametros novo = LeParametros(ArquivoNovoProcesso());
    EXPECT_EQ(Parametro(novo, u"NUMERO"), u"00500");
    EXPECT_EQ(Parametro(novo, u"VARA"), u"007");
    EXPECT_EQ(Parametro(LeParametros(ArquivoPesquisa()), u"ANO"), u"2024");

    // Shown again: the year, court unit, region and sequence come back; the number does not.
    QuandoModal([&](QWidget*) {
        EXPECT_EQ(p.campos()[0]->text(), u"00500"); // the dialog is kept, so are its fields
        EXPECT_EQ(p.campos()[1]->text(), u"2024");
        EXPECT_TRUE(temFoco(p.campos()[0]));
        p.reject();
    });
    p.campos()[1]->clear();
    EXPECT_EQ(p.Executa(), TfrmPesquisa::Resultado::Fechado);
    EsperaModais();
}

TEST(Processo, TheSearchListsTheRecentFilesNewestFirst)
{
    JanelaTeste t;
    for (int i = 1; i <= 10; ++i)
        RegistraRecente(t.calculos() + QStringLiteral("%1.QNT.XML").arg(i));
    TfrmPesquisa& p = t.j().pesquisa();
    QStringList mostrados;
    QuandoModal([&](QWidget*) {
        for (int i = 0; i < p.ui().lstUltimos->count(); ++i)
            mostrados.append(p.ui().lstUltimos->item(i)->text().section(u'/', -1));
        p.reject();
    });
    p.Executa();
    EsperaModais();
    EXPECT_EQ(mostrados,
        QStringList({"10.QNT.XML", "9.QNT.XML", "8.QNT.XML", "7.QNT.XML", "6.QNT.XML", "5.QNT.XML", "4.QNT.XML",
            "3.QNT.XML", "2.QNT.XML"}));
    EXPECT_TRUE(p.ui().lblTabelas->text().startsWith(u"Tabelas atualizadas até "));
}

TEST(Processo, TheDefaultFolderMustExistAndIsStoredWithASeparator)
{
    JanelaTeste t;
    const QString nova = t.pasta() + QStringLiteral("Processos");
    QDir().mkpath(nova);
    struct Caso {
        QString digitado;
        bool aceito;
    };
    for (const Caso& k : {Caso{QString(), false}, Caso{t.pasta() + QStringLiteral("nao-existe"), false},
             Caso{QStringLiteral("  ") + nova + QStringLiteral(" "), true}}) {
        SCOPED_TRACE(k.digitado.toStdString());
        QStringList mensagens;
        QuandoModal([&](QWidget* w) {
            auto* d = static_cast<TfrmDirPadrao*>(w);
            EXPECT_EQ(d->windowTitle(), u"Diretório Padrão");
            EXPECT_EQ(d->ui().edtDiretorio->text(), DiretorioPadrao());
            d->ui().edtDiretorio->setText(k.digitado);
            if (!k.aceito) {
                QuandoModal([&mensagens](QWidget* caixa) {
                    mensagens.append(TextoCaixa(caixa));
                    Responde(caixa, QMessageBox::Ok);
                });
            }
            QTest::mouseClick(d->ui().btnOk, Qt::LeftButton);
            if (d->isVisible())
                QTimer::singleShot(0, d, &QDialog::reject);
        });
        Aciona(t.j(), QStringLiteral("btnDiretorio"));
        EsperaModais();
        if (k.aceito) {
            EXPECT_TRUE(mensagens.isEmpty());
            EXPECT_EQ(DiretorioPadrao(), nova + u'/');
            QSettings ini(t.arquivoConfiguracao(), QSettings::IniFormat);
            EXPECT_EQ(ini.value(QStringLiteral("Diretorio/Diretorio")).toString(), nova + u'/');
            EXPECT_FALSE(QFileInfo::exists(nova + QStringLiteral("/Backup"))); // made at the next start
        } else {
            EXPECT_EQ(mensagens, QStringList({"Diretório inexistente!"}));
            EXPECT_EQ(DiretorioPadrao(), t.calculos());
        }
    }
}
