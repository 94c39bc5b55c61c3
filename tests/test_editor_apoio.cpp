#include "test_editor_apoio.h"

#include "Aplicacao.h"
#include "BancoDados.h"
#include "Motor.h"
#include "Programa.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>

namespace quintar::teste {

namespace {

std::deque<std::function<void(QWidget*)>>& pendentes()
{
    static std::deque<std::function<void(QWidget*)>> p;
    return p;
}

// The modal windows already answered that are still open (an editor under the box it
// opened); guarded pointers: a new box may be made where an old one was.
QList<QPointer<QWidget>>& atendidos()
{
    static QList<QPointer<QWidget>> w;
    return w;
}

bool atendido(QWidget* janela)
{
    return std::any_of(
        atendidos().cbegin(), atendidos().cend(), [janela](const QPointer<QWidget>& p) { return p == janela; });
}

// Looks for a new modal window every few milliseconds while answers are waiting.
QTimer& vigia()
{
    static QTimer* t = [] {
        auto* timer = new QTimer(QCoreApplication::instance());
        timer->setInterval(5);
        QObject::connect(timer, &QTimer::timeout, [] {
            // A window closed since it was answered is new when it shows again.
            atendidos().removeIf([](const QPointer<QWidget>& p) { return !p || !p->isVisible(); });
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal || atendido(modal) || !modal->isVisible() || pendentes().empty())
                return;
            atendidos().append(modal);
            auto acao = std::move(pendentes().front());
            pendentes().pop_front();
            if (pendentes().empty())
                vigia().stop();
            acao(modal);
        });
        return timer;
    }();
    return *t;
}

// A modal window nobody answers would hold the test forever: after a few seconds without an
// answer waiting, it fails the test and is closed.
void vigiaEsquecidos()
{
    static QTimer* t = [] {
        auto* timer = new QTimer(QCoreApplication::instance());
        timer->setInterval(100);
        QObject::connect(timer, &QTimer::timeout, [] {
            static QPointer<QWidget> esquecido;
            static int vezes = 0;
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal || !modal->isVisible() || atendido(modal) || !pendentes().empty()) {
                esquecido = nullptr;
                return;
            }
            if (modal != esquecido) {
                esquecido = modal;
                vezes = 0;
            }
            if (++vezes < 30)
                return;
            ADD_FAILURE() << "a modal window nobody answered: " << modal->windowTitle().toStdString() << " "
                          << TextoCaixa(modal).toStdString();
            if (auto* dialogo = qobject_cast<QDialog*>(modal))
                dialogo->reject();
            else
                modal->close();
        });
        return timer;
    }();
    if (!t->isActive())
        t->start();
}

} // namespace

QDateTime Agora()
{
    return QDateTime(QDate(2026, 12, 10), QTime(12, 0));
}

JanelaTeste::JanelaTeste()
{
    EXPECT_TRUE(dir_.isValid());
    vigiaEsquecidos();
    janela_ = std::make_unique<TfrmPrincipal>(dir_.path(), arquivoConfiguracao());
    janela_->caso().relogio = [] { return Agora(); };
}

JanelaTeste::~JanelaTeste()
{
    janela_.reset();
}

QString JanelaTeste::copiaExemplo() const
{
    const QString destino = calculos() + QStringLiteral("01234.2025.002.02.00.QNT.XML");
    QDir().mkpath(calculos());
    QFile::remove(destino);
    EXPECT_TRUE(QFile::copy(QStringLiteral(QUINTAR_DADOS "/exemplo/01234.2025.002.02.00.QNT.XML"), destino));
    QFile::setPermissions(destino, QFile::ReadOwner | QFile::WriteOwner);
    return destino;
}

void JanelaTeste::mostra(const QString& abre)
{
    if (!abre.isEmpty())
        janela_->defineArquivoInicial(abre);
    else
        QuandoModal([](QWidget* pesquisa) { QTest::keyClick(pesquisa, Qt::Key_Escape); });
    janela_->show();
    janela_->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(janela_.get()));
    if (abre.isEmpty())
        EsperaModais();
    else
        QTest::qWait(20);
}

QVariant JanelaTeste::valor(const QString& sql) const
{
    return janela_->programa().banco().escalar(sql);
}

void QuandoModal(std::function<void(QWidget*)> acao)
{
    // A window closed since it was answered is new when it shows again (a dialog kept
    // between uses).
    atendidos().removeIf([](const QPointer<QWidget>& p) { return !p || !p->isVisible(); });
    vigiaEsquecidos();
    pendentes().push_back([acao = std::move(acao)](QWidget* janela) {
        // Not inside the timer that found it: the answer may open another modal window.
        QTimer::singleShot(0, janela, [acao, janela] { acao(janela); });
    });
    vigia().start();
}

void EsperaModais()
{
    EXPECT_TRUE(QTest::qWaitFor([] { return pendentes().empty(); }, 5000))
        << pendentes().size() << " modal(s) never shown";
    pendentes().clear();
    QTest::qWait(5);
}

QString TextoCaixa(QWidget* janela)
{
    auto* caixa = qobject_cast<QMessageBox*>(janela);
    return caixa ? caixa->text() : QString();
}

void Responde(QWidget* caixa, QMessageBox::StandardButton botao)
{
    auto* c = qobject_cast<QMessageBox*>(caixa);
    ASSERT_NE(c, nullptr) << "no message box: " << caixa->metaObject()->className();
    QAbstractButton* b = c->button(botao);
    ASSERT_NE(b, nullptr);
    b->click();
}

void AnotaCaixa(QStringList& textos)
{
    QuandoModal([&textos](QWidget* caixa) {
        textos.append(TextoCaixa(caixa));
        Responde(caixa, QMessageBox::Ok);
    });
}

void Aciona(TfrmPrincipal& janela, const QString& nome)
{
    QAction* a = janela.acao(nome);
    ASSERT_NE(a, nullptr) << nome.toStdString();
    ASSERT_TRUE(a->isEnabled()) << nome.toStdString();
    // The toolbar's button, clicked as the clerk clicks it.
    QWidget* botao = janela.findChild<QToolBar*>()->widgetForAction(a);
    ASSERT_NE(botao, nullptr);
    QTest::mouseClick(botao, Qt::LeftButton);
}

void Tecla(QWidget* campo, const QString& texto)
{
    // Qt Test knows the keys of ASCII only; an accented letter arrives as its text.
    for (const QChar c : texto) {
        if (c.unicode() < 128)
            QTest::keyClick(campo, char(c.unicode()));
        else
            QTest::sendKeyEvent(QTest::Click, campo, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

void Digita(QWidget* campo, const QString& texto)
{
    campo->setFocus(Qt::TabFocusReason);
    if (auto* linha = qobject_cast<QLineEdit*>(campo))
        linha->selectAll();
    else if (auto* lista = qobject_cast<QComboBox*>(campo); lista && lista->lineEdit())
        lista->lineEdit()->selectAll();
    Tecla(campo, texto);
    QTest::keyClick(campo, Qt::Key_Tab);
}

} // namespace quintar::teste

// The window tests need a GUI application; this main replaces the shared one.
int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    quintar::PreparaAplicacao(app);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
