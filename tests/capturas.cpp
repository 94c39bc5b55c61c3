// Pictures of the program's windows with realistic data, for looking at them as a clerk
// would: capturas PASTA_SAIDA. Run under a real display server (xvfb-run) to see them as
// drawn by the X11 platform; every window is grabbed into PASTA_SAIDA/<name>.png.

#include "Aplicacao.h"
#include "ApuraJornada.h"
#include "ArquivoCaso.h"
#include "CasoAberto.h"
#include "Grade.h"
#include "Motor.h"
#include "Pastas.h"
#include "Registros.h"
#include "TfrmDirPadrao.h"
#include "TfrmHoraExtraValor.h"
#include "TfrmHorasExtras.h"
#include "TfrmInsalub.h"
#include "TfrmJornadaHE.h"
#include "TfrmJornadaHEN.h"
#include "TfrmModJornada.h"
#include "TfrmNoturno.h"
#include "TfrmNoturnoValor.h"
#include "TfrmNovoProcesso.h"
#include "TfrmPeric.h"
#include "TfrmPesquisa.h"
#include "TfrmPrincipal.h"
#include "TfrmRSR.h"
#include "TfrmReflexos.h"
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
#include "ui_TfrmJornadaHE.h"
#include "ui_TfrmJornadaHEN.h"
#include "ui_TfrmMultas.h"
#include "ui_TfrmNovoProcesso.h"
#include "ui_TfrmPrincipal.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
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

    // The work-schedule, overtime, night-premium and premium editors.
    {
        Motor& motor = janela.motor();
        const qint64 id = janela.caso().processoId();
        // Grabs the dialog `abre` shows from inside an open editor, then closes both.
        const auto dentro = [](const QString& nome, QDialog& editor, const std::function<void()>& abre) {
            QTimer::singleShot(200, &editor, [nome, &editor, abre] {
                QTimer::singleShot(300, [nome] {
                    if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                        grava(d, nome);
                        d->reject();
                    }
                });
                abre();
                editor.reject();
            });
        };
        const auto turno = [](Registros& r, int entrada, int saida, int intervalo,
                               std::initializer_list<const char*> dias) {
            r.Acrescenta();
            r.define(u"ENTRADA", entrada);
            r.define(u"SAIDA", saida);
            r.define(u"INTERVALO", intervalo);
            for (const char* dia : dias)
                r.define(QString::fromLatin1(dia), QStringLiteral("S"));
            r.Posta();
        };
        capturaModal(QStringLiteral("jornada-horas-extras"), [&] {
            TfrmJornadaHE jornada(motor, &janela);
            QTimer::singleShot(100, [&] {
                // The 44-hour week with two extra hours a day.
                Registros& r = *jornada.que1();
                AplicaModeloJornada(r, ModeloDeJornada(3));
                r.vaiPara(0);
                r.define(u"SAIDA", 2000);
                r.Posta();
                turno(r, 1900, 2330, 0, {"IND_DOMINGO"});
                jornada.ui().edtAcimaDa->setText(QStringLiteral("08"));
                jornada.ui().rbtDiaria->setChecked(true);
                jornada.ui().btnApurar->click();
            });
            jornada.Executa(id);
        });
        capturaModal(QStringLiteral("jornada-noturna"), [&] {
            TfrmJornadaHEN jornada(motor, &janela);
            QTimer::singleShot(100, [&] {
                Registros& r = *jornada.que1();
                AplicaModeloJornada(r, {});
                turno(r, 2200, 600, 100, {"IND_SEGUNDA", "IND_TERCA", "IND_QUARTA", "IND_QUINTA", "IND_SEXTA"});
                turno(r, 1800, 2400, 0, {"IND_SABADO"});
                jornada.ui().btnApurar->click();
            });
            jornada.Executa(id);
        });
        capturaModal(QStringLiteral("modelos-jornada"), [&] {
            TfrmModJornada modelos(motor, &janela);
            QTimer::singleShot(100, [&] { modelos.modelos()->button(3)->setChecked(true); });
            modelos.EscolheModelo();
        });
        capturaModal(QStringLiteral("horas-extras"), [&] {
            TfrmHorasExtras editor(motor, &janela);
            editor.Executa(id);
        });
        {
            TfrmHorasExtras editor(motor, &janela);
            dentro(QStringLiteral("valor-hora-extra"), editor, [&] { editor.abreValorHora(); });
            editor.Executa(id);
        }
        {
            TfrmHorasExtras editor(motor, &janela);
            dentro(QStringLiteral("reflexos-horas-extras"), editor, [&] { editor.btnReflexosClick(); });
            editor.Executa(id);
        }
        capturaModal(QStringLiteral("noturno"), [&] {
            TfrmNoturno editor(motor, &janela);
            editor.Executa(id);
        });
        {
            TfrmNoturno editor(motor, &janela);
            dentro(QStringLiteral("valor-hora-noturna"), editor, [&] { editor.abreValorHora(); });
            editor.Executa(id);
        }
        capturaModal(QStringLiteral("insalubridade"), [&] {
            TfrmInsalub editor(motor, &janela);
            editor.Executa(id);
        });
        capturaModal(QStringLiteral("periculosidade"), [&] {
            TfrmPeric editor(motor, &janela);
            editor.Executa(id);
        });
        capturaModal(QStringLiteral("repouso-semanal"), [&] {
            TfrmRSR editor(motor, &janela);
            editor.Executa(id);
        });
    }
    QTest::qWait(200);
    return 0;
}
