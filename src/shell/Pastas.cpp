#include "Pastas.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace quintar {

namespace {
QString& pastaPrograma()
{
    static QString p;
    return p;
}
QString& diretorioPadrao()
{
    static QString d;
    return d;
}
} // namespace

QString ComBarra(const QString& pasta)
{
    if (pasta.isEmpty() || pasta.endsWith(u'/'))
        return pasta;
    return pasta + u'/';
}

QString ResolvePastaPrograma(const QString& opcaoPasta)
{
    QString pasta = opcaoPasta;
    if (pasta.isEmpty())
        pasta = qEnvironmentVariable("QUINTAR_PASTA");
    if (pasta.isEmpty()) {
        pasta = QCoreApplication::applicationDirPath();
        // An installed program cannot write beside itself: each user gets a folder of their own.
        if (!QFileInfo(pasta).isWritable())
            pasta = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/Quintar");
    }
    return ComBarra(QDir::cleanPath(QFileInfo(pasta).absoluteFilePath()));
}

void DefinePastaPrograma(const QString& pasta)
{
    pastaPrograma() = ComBarra(pasta);
}

const QString& PastaPrograma()
{
    return pastaPrograma();
}

QString PastaTabelas()
{
    return PastaPrograma() + QStringLiteral("TabelasParadox/");
}

const QString& DiretorioPadrao()
{
    return diretorioPadrao();
}

void DefineDiretorioPadrao(const QString& pasta)
{
    diretorioPadrao() = ComBarra(pasta);
}

void GarantePastas()
{
    // mkdir, not mkpath: one level only, so a folder whose parent is gone is not recreated.
    QDir raiz;
    const QString padrao = DiretorioPadrao();
    if (padrao.isEmpty())
        return;
    if (!QFileInfo::exists(padrao))
        raiz.mkdir(padrao);
    const QString backup = padrao + QStringLiteral("Backup/");
    if (!QFileInfo::exists(backup))
        raiz.mkdir(backup);
}

} // namespace quintar
