// Pictures of the program's windows with realistic data, for looking at them as a clerk
// would: capturas PASTA_SAIDA. Run under a real display server (xvfb-run) to see them as
// drawn by the X11 platform; every window is grabbed into PASTA_SAIDA/<name>.png.

#include "Aplicacao.h"
#include "ArquivoCaso.h"
#include "CasoAberto.h"
#include "Grade.h"
#include "Motor.h"
#include "Pastas.h"
#include "TfrmDirPadrao.h"
#include "TfrmNovoProcesso.h"
#include "TfrmPesquisa.h"
#include "TfrmPrincipal.h"
#include "TfrmSalario.h"
#include "TfrmSalvarComo.h"
#include "TfrmVarSalPeriodo.h"
#include "TfrmVarSalarial.h"
#include "VersaoPrograma.h"
// The termination and charges editors.
#include "BancoDados.h"
#include "Tfrm13.h"
#include "TfrmAvisoPrevio.h"
#include "TfrmFGTS.h"
#include "TfrmFerias.h"
#include "TfrmINSS.h"
#include "TfrmIR.h"
#include "TfrmJuros.h"
#include "TfrmMultas.h"
#include "TfrmOutros.h"
#include "TfrmOutrosDeb.h"
#include "ui_TfrmINSS.h"
#include "ui_TfrmMultas.h"
#include "ui_TfrmNovoProcesso.h"
#include "ui_TfrmPrincipal.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <functional>

using namespace quintar;

namespace {

QString saida;

void grava(QWidget* janela, const QString& nome)
{
    QTest::qWait(150);
    const QPixmap imagem = janela->window()->grab();
    const QString arquivo = saida + u'/' + nome + QStringLiteral(".png");
    imagem.save(arquivo);
    std::printf("%s\n", qPrintable(arquivo));
}

// Runs `prepara` on the modal dialog that `abre` shows, grabs it, then closes it with Escape.
void capturaModal(
    const QString& nome, const std::function<void()>& abre, const std::function<void(QWidget*)>& prepara = {})
{
    QTimer::singleShot(300, [nome, prepara] {
        QWidget* dialogo = QApplication::activeModalWidget();
        if (!dialogo)
            return;
        if (prepara)
            prepara(dialogo);
        grava(dialogo, nome);
        QTimer::singleShot(0, dialogo, [dialogo] { QTest::keyClick(dialogo, Qt::Key_Escape); });
    });
    abre();
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    PreparaAplicacao(app);
    if (argc < 2) {
        std::fprintf(stderr, "Uso: capturas PASTA_SAIDA\n");
        return 2;
    }
    saida = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(saida);

    QTemporaryDir pasta;
    const QString calculos = pasta.path() + QStringLiteral("/Calculos/");
    QDir().mkpath(calculos);
    const QString caso = calculos + QStringLiteral("01234.2025.002.02.00.QNT.XML");
    QFile::copy(QStringLiteral(QUINTAR_DADOS "/exemplo/01234.2025.002.02.00.QNT.XML"), caso);
    QFile::setPermissions(caso, QFile::ReadOwner | QFile::WriteOwner);

    TfrmPrincipal janela(pasta.path(), pasta.path() + QStringLiteral("/Movix.ini"));
    janela.defineArquivoInicial(caso);
    janela.show();
    janela.activateWindow();
    QTest::qWait(500);
    janela.ui().btnCalcula->click();
    QTest::qWait(300);
    grava(&janela, QStringLiteral("principal"));

    capturaModal(QStringLiteral("pesquisa"), [&] { janela.pesquisa().Executa(); });
    capturaModal(QStringLiteral("novo-processo"), [&] {
        TfrmNovoProcesso novo(janela.motor(), QDate::currentDate(), &janela);
        QTimer::singleShot(100, [&novo] {
            Ui::TfrmNovoProcesso& ui = novo.ui();
            for (auto [campo, texto] : {std::pair<QLineEdit*, const char*>{ui.edtNumero, "345"}, {ui.edtAno, "2025"},
                     {ui.edtVara, "2"}, {ui.edtRegional, "2"}, {ui.edtSequencial, "0"}, {ui.datInicioPacto, "01032023"},
                     {ui.datFimPacto, "31012025"}, {ui.edtSalarioFixo, "2500"}}) {
                campo->setFocus();
                QTest::keyClicks(campo, QString::fromLatin1(texto));
                QTest::keyClick(campo, Qt::Key_Tab);
            }
            ui.datFimPacto->setFocus();
        });
        novo.Executa(0);
    });
    capturaModal(QStringLiteral("salario"), [&] {
        TfrmSalario editor(janela.motor(), &janela);
        editor.Executa(janela.caso().processoId());
    });
    capturaModal(QStringLiteral("variacao-salarial"), [&] {
        TfrmVarSalarial editor(janela.motor(), &janela);
        QTimer::singleShot(300, [&editor] {
            grava(&editor, QStringLiteral("variacao-salarial"));
            QTimer::singleShot(300, [&editor] {
                TfrmVarSalPeriodo* periodo = editor.periodo();
                periodo->mesInicial()->setEditText(QStringLiteral("1"));
                periodo->anoInicial()->setText(QStringLiteral("2024"));
                periodo->mesFinal()->setEditText(QStringLiteral("6"));
                periodo->anoFinal()->setText(QStringLiteral("2024"));
                grava(periodo, QStringLiteral("variacao-periodo"));
                periodo->reject();
                QTimer::singleShot(100, &editor, &QDialog::reject);
            });
            editor.abrePeriodo();
        });
        editor.Executa(janela.caso().processoId());
    });
    capturaModal(QStringLiteral("salvar-como"), [&] {
        TfrmSalvarComo dialogo(janela.motor(), janela.caso(), &janela);
        dialogo.Executa(janela.caso().processoId());
    });
    capturaModal(QStringLiteral("diretorio-padrao"), [&] {
        TfrmDirPadrao dialogo(DiretorioPadrao(), &janela);
        dialogo.exec();
    });

    // The termination and charges editors, on the sample case (its notice, years, periods,
    // FGTS, INSS, income tax and interest), with fines and a few other credits and debits.
    {
        Motor& motor = janela.motor();
        CasoAberto& c = janela.caso();
        const qint64 id = c.processoId();
        capturaModal(QStringLiteral("aviso-previo"), [&] { TfrmAvisoPrevio(motor, &janela).Executa(c); });
        capturaModal(QStringLiteral("13-salario"), [&] { Tfrm13(motor, &janela).Executa(c); });
        capturaModal(QStringLiteral("ferias"), [&] { TfrmFerias(motor, &janela).Executa(c); });
        capturaModal(QStringLiteral("fgts"), [&] { TfrmFGTS(motor, &janela).Executa(id); });
        capturaModal(
            QStringLiteral("multas"), [&] { TfrmMultas(motor, &janela).Executa(id); },
            [](QWidget* d) { static_cast<TfrmMultas*>(d)->ui().chkCalcula477->click(); });
        capturaModal(
            QStringLiteral("inss"), [&] { TfrmINSS(motor, &janela).Executa(id); },
            [](QWidget* d) {
                // An activity chosen and left, as the clerk does.
                QComboBox* empregador = static_cast<TfrmINSS*>(d)->ui().cmbEmpregador;
                empregador->setFocus();
                QTest::keyClick(empregador, Qt::Key_Down);
                QTest::keyClick(empregador, Qt::Key_Tab);
                QComboBox* terceiros = static_cast<TfrmINSS*>(d)->ui().cmbTerceiros;
                terceiros->setFocus();
                QTest::keyClick(terceiros, Qt::Key_Down);
                QTest::keyClick(terceiros, Qt::Key_Tab);
            });
        capturaModal(QStringLiteral("imposto-renda"), [&] { TfrmIR(motor, &janela).Executa(id); });
        capturaModal(QStringLiteral("juros"), [&] { TfrmJuros(motor, &janela).Executa(id); });
        BancoDados& banco = motor.banco;
        const auto linha = [&](const char* tabela, const char* descricao, int mes, int ano, int centavos) {
            banco.executa(QStringLiteral("INSERT INTO %1 (PROCESSO_ID, DESCRICAO, ANO, MES, VALOR) "
                                         "VALUES (:id, :d, :a, :m, :v)")
                              .arg(QLatin1String(tabela)),
                {{"id", id}, {"d", QString::fromUtf8(descricao)}, {"a", ano}, {"m", mes},
                    {"v", qint64(centavos) * 100}});
        };
        linha("TAB_OUTROS_CREDITO", "Diferenças de comissões", 11, 2024, 48735);
        linha("TAB_OUTROS_CREDITO", "Diferenças de comissões", 12, 2024, 51290);
        linha("TAB_OUTROS_CREDITO", "Vale-transporte não concedido", 1, 2025, 22000);
        linha("TAB_OUTROS_DEBITO", "Adiantamento salarial", 2, 2025, 120000);
        capturaModal(QStringLiteral("outros-creditos"), [&] { TfrmOutrosCred(motor, &janela).Executa(id); });
        capturaModal(QStringLiteral("outros-debitos"), [&] { TfrmOutrosDeb(motor, &janela).Executa(id); });
        capturaModal(
            QStringLiteral("outros-descricoes"), [&] { TfrmOutros(motor, &janela).ExecutaTipo(QStringLiteral("C")); });
    }
    QTest::qWait(200);
    return 0;
}
