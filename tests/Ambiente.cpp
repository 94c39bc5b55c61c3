#include "Ambiente.h"

#include "Erro.h"
#include "Pastas.h"

#include <QDir>
#include <QFile>
#include <QProcess>

#include <gtest/gtest.h>

namespace quintar::teste {

Ambiente::Ambiente()
{
    EXPECT_TRUE(dir_.isValid());
    DefinePastaPrograma(pasta());
    configuracao = std::make_unique<Configuracao>(arquivoConfiguracao());
    IniciaConfiguracao(*configuracao);
    GarantePastas();
    banco.abre(PastaTabelas());
    banco.ReiniciaTabelas(feedback);
    feedback.estados.clear();
}

Ambiente::~Ambiente()
{
    banco.fecha();
}

QString Recusa(const std::function<void()>& verifica)
{
    try {
        verifica();
    } catch (const Erro& e) {
        return e.mensagem() + u'|' + e.foco();
    }
    return {};
}

QByteArray LeBytes(const QString& caminho)
{
    QFile f(caminho);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << caminho.toStdString();
    return f.readAll();
}

void GravaBytes(const QString& caminho, const QByteArray& bytes)
{
    QDir().mkpath(caminho.section(u'/', 0, -2));
    QFile f(caminho);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << caminho.toStdString();
    f.write(bytes);
}

QString Fixture(const QString& nome)
{
    return QStringLiteral(QUINTAR_FIXTURES "/") + nome;
}

ResultadoCli RodaCli(const QStringList& argumentos, const QStringList& ambienteExtra)
{
    QProcess processo;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const QString& par : ambienteExtra)
        env.insert(par.section(u'=', 0, 0), par.section(u'=', 1));
    processo.setProcessEnvironment(env);
    processo.start(QStringLiteral(QUINTAR_CLI), argumentos);
    ResultadoCli r;
    if (!processo.waitForFinished(120000))
        return r;
    r.codigo = processo.exitStatus() == QProcess::NormalExit ? processo.exitCode() : -1;
    r.saida = QString::fromUtf8(processo.readAllStandardOutput());
    r.erros = QString::fromUtf8(processo.readAllStandardError());
    return r;
}

} // namespace quintar::teste
