#include "Ambiente.h"

#include "Erro.h"
#include "Esquema.h"
#include "Pastas.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlQuery>
#include <QSqlRecord>

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

QStringList TodasAsLinhas(BancoDados& banco, const QString& tabela)
{
    const Tabela* t = TabelaTrabalho(tabela);
    const bool semRowid = t && !t->chave.isEmpty()
        && banco
               .escalar(
                   QStringLiteral("SELECT sql FROM sqlite_master WHERE name = :t COLLATE NOCASE"), {{"t", t->nome}})
               .toString()
               .contains(QStringLiteral("WITHOUT ROWID"), Qt::CaseInsensitive);
    QSqlQuery& q = banco.executa(QStringLiteral("SELECT * FROM %1 ORDER BY %2")
                                     .arg(tabela, semRowid ? t->chave.join(u',') : QStringLiteral("rowid")));
    QStringList linhas;
    while (q.next()) {
        QStringList valores;
        for (int i = 0; i < q.record().count(); ++i)
            valores.append(q.value(i).isNull() ? QStringLiteral("<null>") : q.value(i).toString());
        linhas.append(valores.join(u'|'));
    }
    q.finish();
    return linhas;
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
