#include "EnviaEmail.h"

#include <QCoreApplication>
#include <QProcess>
#include <QStandardPaths>

namespace quintar {

namespace {

// The value of a name=value line, or a null text when there is none.
QString Valor(const QStringList& linhas, const QString& nome)
{
    for (const QString& linha : linhas) {
        const qsizetype igual = linha.indexOf(u'=');
        if (igual >= 0 && QStringView(linha).left(igual).compare(nome, Qt::CaseInsensitive) == 0)
            return linha.mid(igual + 1);
    }
    return {};
}

} // namespace

QStringList ArgumentosEmail(const QStringList& linhas)
{
    QStringList argumentos{QStringLiteral("--utf8")};
    // xdg-email refuses an option with an empty text, so an empty value is left out.
    const QString assunto = Valor(linhas, QStringLiteral("subject"));
    if (!assunto.isEmpty())
        argumentos << QStringLiteral("--subject") << assunto;
    const QString corpo = Valor(linhas, QStringLiteral("body"));
    if (!corpo.isEmpty())
        argumentos << QStringLiteral("--body") << corpo;
    for (int i = 0;; ++i) {
        const QString anexo = Valor(linhas, QStringLiteral("attachment") + QString::number(i));
        if (anexo.isEmpty())
            break;
        argumentos << QStringLiteral("--attach") << anexo;
    }
    const QString para = Valor(linhas, QStringLiteral("to"));
    if (!para.isEmpty())
        argumentos << para;
    return argumentos;
}

void EnviaEmail(const QStringList& linhas)
{
    const QString programa = QStandardPaths::findExecutable(QStringLiteral("xdg-email"));
    if (programa.isEmpty())
        throw ErroEmail();
    QProcess processo;
    processo.setStandardOutputFile(QProcess::nullDevice());
    processo.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    processo.start(programa, ArgumentosEmail(linhas));
    if (!processo.waitForStarted())
        throw ErroEmail();
    // The mail program's window stands in front meanwhile; the program keeps repainting
    // but takes no input, as with a modal window.
    while (processo.state() != QProcess::NotRunning) {
        if (!processo.waitForFinished(50))
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    if (processo.exitStatus() != QProcess::NormalExit || processo.exitCode() != 0)
        throw ErroEmail();
}

QStringList MensagemProcesso(const QString& caminhoArquivo)
{
    return {
        QStringLiteral("to="),
        QStringLiteral("subject=Quintar"),
        QStringLiteral("body=Cálculo em anexo."),
        QStringLiteral("attachment0=") + caminhoArquivo,
    };
}

void EnviaProcessoPorEmail(
    bool processoAberto, const std::function<QString()>& caminhoArquivo, const std::function<void()>& postaEdicao)
{
    if (!processoAberto)
        throw Erro(QStringLiteral("Processo não encontrado."));
    if (postaEdicao)
        postaEdicao();
    EnviaEmail(MensagemProcesso(caminhoArquivo()));
}

} // namespace quintar
