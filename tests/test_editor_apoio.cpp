#include "test_editor_apoio.h"

#include "Aplicacao.h"
#include "BancoDados.h"
#include "Motor.h"
#include "Programa.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include <gtest/gtest.h>

#include <deque>

namespace quintar::teste {

namespace {

std::deque<std::function<void(QWidget*)>>& pendentes()
{
    static std::deque<std::function<void(QWidget*)>> p;
    return p;
}

// A guarded pointer: a new box may be made where the last one was.
QPointer<QWidget>& ultimoModal()
{
    static QPointer<QWidget> w;
    return w;
}

// Looks for a new modal window every few milliseconds while answers are waiting.
QTimer& vigia()
{
    static QTimer* t = [] {
        auto* timer = new QTimer(QCoreApplication::instance());
        timer->setInterval(5);
        QObject::connect(timer, &QTimer::timeout, [] {
            if (ultimoModal() && !ultimoModal()->isVisible())
                ultimoModal() = nullptr;
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal || modal == ultimoModal() || !modal->isVisible() || pendentes().empty())
                return;
            ultimoModal() = modal;
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

} // namespace

QDateTime Agora()
{
    return QDateTime(QDate(2026, 12, 10), QTime(12, 0));
}

JanelaTeste::JanelaTeste()
{
    EXPECT_TRUE(dir_.isValid());
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
    // A dialog kept between uses (the search dialog) counts as new each time it is shown.
    if (ultimoModal() && !ultimoModal()->isVisible())
        ultimoModal() = nullptr;
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
