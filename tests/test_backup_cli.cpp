#include "Ambiente.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace quintar;
using namespace quintar::teste;

namespace {

// quintar-cli backup and restaura on a program folder of their own.
class CliBackupTeste : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QString caminho(const QString& relativo) const { return dir.filePath(relativo); }
    ResultadoCli roda(QStringList argumentos) const
    {
        argumentos.prepend(caminho(u"programa"_qs));
        argumentos.prepend(u"--pasta"_qs);
        return RodaCli(argumentos, {u"XDG_CONFIG_HOME="_qs + caminho(u"config"_qs)});
    }
    QTemporaryDir dir;
};

TEST_F(CliBackupTeste, BackupPadraoERestauracao)
{
    // A first start creates Calculos/ and Calculos/Backup/; the refusal comes before any work.
    ResultadoCli r = roda({u"backup"_qs});
    EXPECT_EQ(r.codigo, 1);
    EXPECT_EQ(r.erros.trimmed(), u"Pasta de Origem vazia!");

    const QByteArray caso = LeBytes(Fixture(u"todas_as_tabelas.QNT.XML"_qs));
    GravaBytes(caminho(u"programa/Calculos/00123.2008.001.05.00.QNT.XML"_qs), caso);
    GravaBytes(caminho(u"programa/Calculos/00124.2008.001.05.00.QNT.XML"_qs), caso);
    r = roda({u"backup"_qs});
    ASSERT_EQ(r.codigo, 0) << r.erros.toStdString();
    EXPECT_TRUE(r.saida.contains(u"2 arquivos\n"));
    EXPECT_TRUE(r.saida.contains(u"00124.2008.001.05.00.QNT.XML\n"));
    const QStringList zips = QDir(caminho(u"programa/Calculos/Backup"_qs)).entryList(QDir::Files);
    ASSERT_EQ(zips.size(), 1);
    EXPECT_TRUE(r.saida.endsWith(u"Backup para "_qs + zips[0] + u" concluído!\n"_qs)) << r.saida.toStdString();

    QDir().mkpath(caminho(u"volta"_qs));
    const QString zip = caminho(u"programa/Calculos/Backup/"_qs) + zips[0];
    r = roda({u"restaura"_qs, zip, caminho(u"volta"_qs)});
    ASSERT_EQ(r.codigo, 0) << r.erros.toStdString();
    EXPECT_TRUE(r.saida.endsWith(u"Backup restaurado com sucesso!!!\n"));
    EXPECT_EQ(LeBytes(caminho(u"volta/00123.2008.001.05.00.QNT.XML"_qs)), caso);

    r = roda({u"restaura"_qs, zip, caminho(u"volta"_qs)});
    EXPECT_EQ(r.codigo, 0);
    EXPECT_TRUE(r.saida.contains(u"Já existe, não sobrescrito: 00123.2008.001.05.00.QNT.XML\n"));
}

TEST_F(CliBackupTeste, FalhasEUso)
{
    GravaBytes(caminho(u"origem/00001.2008.001.05.00.QNT.XML"_qs), "caso");
    // The "\r" of a message is a line break on the terminal.
    ResultadoCli r = roda({u"backup"_qs, caminho(u"origem"_qs), caminho(u"nao-existe"_qs)});
    EXPECT_EQ(r.codigo, 1);
    EXPECT_EQ(r.erros, u"Erro ao Criar Backup\nProcesso Abortado!\n");

    r = roda({u"restaura"_qs, caminho(u"nada.zip"_qs), caminho(u"origem"_qs)});
    EXPECT_EQ(r.codigo, 1);
    EXPECT_EQ(r.erros, u"O arquivo a ser descompactado não existe.\n");

    EXPECT_EQ(roda({u"restaura"_qs, caminho(u"nada.zip"_qs)}).codigo, 2);
    EXPECT_EQ(roda({u"backup"_qs, u"a"_qs, u"b"_qs, u"c"_qs}).codigo, 2);
}

} // namespace
