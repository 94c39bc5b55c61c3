#include "Interface.h"

#include "Erro.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QWidget>

namespace quintar {

namespace {

// The program's texts break lines with CR LF or a lone CR, as the message boxes they were
// written for did.
QString linhas(const QString& texto)
{
    return QString(texto).replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
}

} // namespace

void Informa(QWidget* pai, const QString& texto)
{
    QMessageBox::information(pai, QApplication::applicationDisplayName(), linhas(texto));
}

bool Confirma(QWidget* pai, const QString& texto)
{
    return QMessageBox::question(
               pai, QApplication::applicationDisplayName(), linhas(texto), QMessageBox::Yes | QMessageBox::No)
        == QMessageBox::Yes;
}

void MostraErro(QWidget* pai, const QString& texto, const QString& titulo)
{
    QMessageBox::critical(pai, titulo.isEmpty() ? QApplication::applicationDisplayName() : titulo, linhas(texto));
}

void Recusa(QWidget* pai, const Erro& erro, QWidget* campo)
{
    Informa(pai, erro.mensagem());
    if (campo && campo->isEnabled() && campo->isVisible())
        campo->setFocus(Qt::OtherFocusReason);
}

namespace {

// Clears the mark at the next press, before the press reaches any widget.
class FiltroAbandono : public QObject {
public:
    bool abandonada = false;
    bool eventFilter(QObject*, QEvent* evento) override
    {
        if (evento->type() == QEvent::MouseButtonPress || evento->type() == QEvent::KeyPress)
            abandonada = false;
        return false;
    }
};

FiltroAbandono& filtroAbandono()
{
    static QPointer<FiltroAbandono> filtro;
    if (!filtro) {
        filtro = new FiltroAbandono;
        filtro->setParent(QCoreApplication::instance());
        QCoreApplication::instance()->installEventFilter(filtro);
    }
    return *filtro;
}

} // namespace

void AbandonaAcao()
{
    filtroAbandono().abandonada = true;
}

bool AcaoAbandonada()
{
    FiltroAbandono& f = filtroAbandono();
    const bool a = f.abandonada;
    f.abandonada = false;
    return a;
}

CursorEspera::CursorEspera()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

CursorEspera::~CursorEspera()
{
    QApplication::restoreOverrideCursor();
}

} // namespace quintar
