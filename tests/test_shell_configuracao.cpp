#include "Ambiente.h"
#include "Configuracao.h"
#include "Pastas.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace quintar;

TEST(Configuracao, FirstRunTakesTheDefaultsAndStoresTheFolder)
{
    QTemporaryDir dir;
    DefinePastaPrograma(dir.path());
    const QString arquivo = dir.filePath(QStringLiteral("cfg/Movix.ini"));
    Configuracao c(arquivo);
    IniciaConfiguracao(c);

    EXPECT_EQ(c.texto(u"ProxyPorta"), QStringLiteral("8080"));
    EXPECT_FALSE(c.booleano(u"ProxyUsar"));
    EXPECT_FALSE(c.booleano(u"proxyautentica")); // names are matched without regard to case
    EXPECT_TRUE(c.texto(u"LinkExe").endsWith(QStringLiteral("/quintar/")));
    EXPECT_TRUE(c.texto(u"LinkTabelas").endsWith(QStringLiteral("/download/")));
    EXPECT_EQ(DiretorioPadrao(), dir.path() + QStringLiteral("/Calculos/"));

    // The folder was written at once, and the file is its owner's only: it holds a password.
    QSettings lido(arquivo, QSettings::IniFormat);
    EXPECT_EQ(lido.value(QStringLiteral("Diretorio/Diretorio")).toString(), DiretorioPadrao());
    EXPECT_EQ(QFileInfo(arquivo).permissions() & (QFileDevice::ReadGroup | QFileDevice::ReadOther), 0);
}

TEST(Configuracao, ValuesSurviveAWriteAndTheBooleansAreIntegers)
{
    QTemporaryDir dir;
    const QString arquivo = dir.filePath(QStringLiteral("Movix.ini"));
    {
        Configuracao c(arquivo);
        c.carrega();
        c.defineValor(u"ProxyUsar", true);
        c.defineValor(u"ProxySenha", QStringLiteral("segredo"));
        c.defineValor(u"ProxyPorta", QStringLiteral("3128"));
        c.grava();
    }
    QSettings bruto(arquivo, QSettings::IniFormat);
    EXPECT_EQ(bruto.value(QStringLiteral("Configuracoes FTP/ProxyUsar")).toString(), QStringLiteral("1"));
    Configuracao c(arquivo);
    c.carrega();
    EXPECT_TRUE(c.booleano(u"ProxyUsar"));
    EXPECT_EQ(c.texto(u"ProxySenha"), QStringLiteral("segredo"));
    EXPECT_EQ(c.texto(u"ProxyPorta"), QStringLiteral("3128"));
}

TEST(Configuracao, GravaDiretorioAddsTheSeparatorAndFoldersAreMadeOneLevelAtATime)
{
    QTemporaryDir dir;
    Configuracao c(dir.filePath(QStringLiteral("Movix.ini")));
    GravaDiretorio(c, dir.filePath(QStringLiteral("Processos")));
    EXPECT_EQ(DiretorioPadrao(), dir.filePath(QStringLiteral("Processos/")));
    GarantePastas();
    EXPECT_TRUE(QFileInfo(dir.filePath(QStringLiteral("Processos/Backup"))).isDir());

    // A stored folder whose parent is gone is not created, and nothing is reported.
    GravaDiretorio(c, dir.filePath(QStringLiteral("sumiu/Processos")));
    GarantePastas();
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("sumiu"))));
}

TEST(Pastas, ProgramFolderFromOptionThenEnvironment)
{
    QTemporaryDir dir;
    EXPECT_EQ(ResolvePastaPrograma(dir.path()), dir.path() + u'/');
    qputenv("QUINTAR_PASTA", dir.path().toUtf8());
    EXPECT_EQ(ResolvePastaPrograma(QString()), dir.path() + u'/');
    qunsetenv("QUINTAR_PASTA");
    EXPECT_TRUE(ResolvePastaPrograma(QString()).endsWith(u'/'));
}
