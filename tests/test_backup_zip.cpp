#include "Ambiente.h"
#include "Backup.h"
#include "Erro.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <zip.h>

#include <sys/stat.h>

#include <map>

using namespace quintar;
using namespace quintar::teste;

namespace {

// Every call the core makes on the panel, as text.
class PainelGravado : public PainelProgresso {
public:
    void mostraProgresso(bool visivel) override
    {
        eventos << (visivel ? QStringLiteral("mostra") : QStringLiteral("esconde"));
    }
    void nomeArquivo(const QString& nome) override { eventos << QStringLiteral("nome ") + nome; }
    void barraArquivo(int p) override { eventos << QStringLiteral("arquivo ") + QString::number(p); }
    void barraTotal(int p) override { eventos << QStringLiteral("total ") + QString::number(p); }
    void textoTotais(const QString& t) override { eventos << QStringLiteral("totais ") + t; }
    QStringList eventos;
};

const QDateTime Momento(QDate(2008, 12, 8), QTime(21, 45, 30));
QDateTime Relogio8Dez()
{
    return Momento;
}

QByteArray CasoReal()
{
    return LeBytes(Fixture(QStringLiteral("todas_as_tabelas.QNT.XML")));
}

// The names and contents of an archive's entries, read back with libzip.
std::map<QString, QByteArray> LeZip(const QString& caminho)
{
    std::map<QString, QByteArray> entradas;
    int erro = 0;
    zip_t* z = zip_open(QFile::encodeName(caminho).constData(), ZIP_RDONLY, &erro);
    EXPECT_NE(z, nullptr) << caminho.toStdString();
    if (!z)
        return entradas;
    for (zip_int64_t i = 0; i < zip_get_num_entries(z, 0); ++i) {
        zip_stat_t st;
        zip_stat_index(z, i, 0, &st);
        EXPECT_EQ(st.comp_method, ZIP_CM_DEFLATE) << st.name;
        QByteArray dados(static_cast<qsizetype>(st.size), '\0');
        zip_file_t* f = zip_fopen_index(z, i, 0);
        EXPECT_EQ(zip_fread(f, dados.data(), st.size), static_cast<zip_int64_t>(st.size));
        zip_fclose(f);
        entradas[QString::fromUtf8(st.name)] = dados;
    }
    zip_discard(z);
    return entradas;
}

// An archive made the way a hand-crafted one would be: any entry names at all, and
// optionally entries marked as Unix symbolic links.
struct EntradaZip {
    QByteArray nome;
    QByteArray dados;
    bool link = false;
};
void CriaZip(const QString& caminho, const std::vector<EntradaZip>& entradas)
{
    int erro = 0;
    zip_t* z = zip_open(QFile::encodeName(caminho).constData(), ZIP_CREATE | ZIP_TRUNCATE, &erro);
    ASSERT_NE(z, nullptr);
    for (const EntradaZip& e : entradas) {
        zip_source_t* s = zip_source_buffer(z, e.dados.constData(), e.dados.size(), 0);
        const zip_int64_t i = zip_file_add(z, e.nome.constData(), s, ZIP_FL_ENC_RAW);
        ASSERT_GE(i, 0) << e.nome.constData();
        if (e.link)
            zip_file_set_external_attributes(z, i, 0, ZIP_OPSYS_UNIX, (S_IFLNK | 0777) << 16);
    }
    ASSERT_EQ(zip_close(z), 0);
}

QStringList Conteudo(const QString& pasta)
{
    return QDir(pasta).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

// Runs the operation and returns the Erro's text, or "(sem erro)".
template <typename F>
QString Mensagem(F&& f, QString* foco = nullptr)
{
    try {
        f();
    } catch (const Erro& e) {
        if (foco)
            *foco = e.foco();
        return e.mensagem();
    }
    return QStringLiteral("(sem erro)");
}

class BackupTeste : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        QDir().mkpath(origem());
        QDir().mkpath(destino());
    }
    QString caminho(const QString& relativo) const { return dir.filePath(relativo); }
    QString origem() const { return caminho(QStringLiteral("Calculos")); }
    QString destino() const { return caminho(QStringLiteral("Calculos/Backup")); }
    void grava(const QString& relativo, const QByteArray& bytes) const { GravaBytes(caminho(relativo), bytes); }

    QTemporaryDir dir;
    PainelGravado painel;
};

TEST(Backup, NomeDoArquivoPeloRelogio)
{
    EXPECT_EQ(NomeArquivoBackup(QDateTime(QDate(2008, 12, 8), QTime(21, 45))), u"Bkp081220082145.Zip");
    EXPECT_EQ(NomeArquivoBackup(QDateTime(QDate(2010, 1, 2), QTime(3, 4, 59))), u"Bkp020120100304.Zip");
}

TEST(Backup, PosicaoDasBarras)
{
    struct Caso {
        qint64 processado, tamanho;
        int posicao;
    };
    const Caso casos[] = {
        {0, 100, 1}, {100, 100, 10001}, {0, 0, 10001}, // an empty file is full at once
        {1, 20000, 1}, {3, 20000, 3}, {5, 20000, 3}, // 0.5 → 0, 1.5 → 2, 2.5 → 2: halves to even
        {1, 3, 3334}, {2, 3, 6668}, // 3333.3 and 6666.7
        {150, 100, 10001}, // a file that grew while read stays full
    };
    for (const Caso& c : casos)
        EXPECT_EQ(PosicaoBarra(c.processado, c.tamanho), c.posicao) << c.processado << "/" << c.tamanho;
}

TEST_F(BackupTeste, EventosDeProgressoDeTresArquivos)
{
    grava(QStringLiteral("Calculos/A.QNT.XML"), "x");
    grava(QStringLiteral("Calculos/B.QNT.XML"), "");
    grava(QStringLiteral("Calculos/C.QNT.XML"), QByteArray(19999, 'c'));

    FazBackup(origem(), destino(), painel, Relogio8Dez);

    // 20000 bytes in all; C is read in blocks of 4096. The totals after each block of C
    // (4097, 8193, 12289, 16385 of 20000) all fall on halves, which go to the even side.
    const QStringList esperado = {
        u"mostra"_qs,
        u"totais 3 arquivos"_qs,
        u"totais Total: 19 Kb"_qs,
        u"total 1"_qs,
        u"nome A.QNT.XML"_qs,
        u"arquivo 1"_qs,
        u"arquivo 10001"_qs,
        u"total 1"_qs,
        u"nome B.QNT.XML"_qs,
        u"arquivo 1"_qs,
        u"arquivo 10001"_qs,
        u"total 1"_qs,
        u"nome C.QNT.XML"_qs,
        u"arquivo 1"_qs,
        u"arquivo 2049"_qs,
        u"total 2049"_qs,
        u"arquivo 4097"_qs,
        u"total 4097"_qs,
        u"arquivo 6145"_qs,
        u"total 6145"_qs,
        u"arquivo 8193"_qs,
        u"total 8193"_qs,
        u"arquivo 10001"_qs,
        u"total 10001"_qs,
        u"nome "_qs,
        u"totais "_qs,
        u"arquivo 1"_qs,
        u"total 1"_qs,
        u"esconde"_qs,
    };
    EXPECT_EQ(painel.eventos, esperado);
}

TEST_F(BackupTeste, IdaEVoltaSemSubpastasENadaSobrescrito)
{
    const QByteArray caso = CasoReal();
    grava(QStringLiteral("Calculos/00123.2008.001.05.00.QNT.XML"), caso);
    grava(QStringLiteral("Calculos/00124.2008.001.05.00.QNT.XML"), caso + "\r\n");
    grava(QStringLiteral("Calculos/00125.2009.002.05.00.qnt.xml"), QByteArray(70000, 'z')); // any case
    grava(QStringLiteral("Calculos/notas.txt"), "fora");
    grava(QStringLiteral("Calculos/antigos/00001.2001.001.05.00.QNT.XML"), caso);

    const ResultadoBackup r = FazBackup(origem(), destino(), painel, Relogio8Dez);
    EXPECT_EQ(r.arquivo, u"Bkp081220082145.Zip");
    EXPECT_EQ(r.caminho, destino() + u"/Bkp081220082145.Zip");
    EXPECT_EQ(r.mensagem, u"Backup para Bkp081220082145.Zip concluído!");
    EXPECT_EQ(Conteudo(destino()), QStringList{u"Bkp081220082145.Zip"_qs});
    const auto entradas = LeZip(r.caminho);
    std::vector<QString> nomes;
    for (const auto& [nome, dados] : entradas)
        nomes.push_back(nome);
    EXPECT_EQ(nomes,
        (std::vector<QString>{u"00123.2008.001.05.00.QNT.XML"_qs, u"00124.2008.001.05.00.QNT.XML"_qs,
            u"00125.2009.002.05.00.qnt.xml"_qs}));

    const QString restauro = caminho(QStringLiteral("restauro"));
    QDir().mkpath(restauro);
    const ResultadoRestauracao r1 = RestauraBackup(r.caminho, restauro, painel);
    EXPECT_EQ(r1.mensagem, u"Backup restaurado com sucesso!!!");
    EXPECT_EQ(r1.restaurados.size(), 3);
    EXPECT_TRUE(r1.existentes.isEmpty());
    EXPECT_EQ(Conteudo(restauro), QStringList(nomes.begin(), nomes.end()));
    for (const QString& nome : nomes)
        EXPECT_EQ(LeBytes(restauro + u'/' + nome), LeBytes(origem() + u'/' + nome)) << nome.toStdString();

    // Again over the same folder, with one restored file edited meanwhile: nothing is replaced.
    GravaBytes(restauro + u"/00124.2008.001.05.00.QNT.XML", "editado");
    const ResultadoRestauracao r2 = RestauraBackup(r.caminho, restauro, painel);
    EXPECT_TRUE(r2.restaurados.isEmpty());
    EXPECT_EQ(r2.existentes, QStringList(nomes.begin(), nomes.end()));
    EXPECT_EQ(LeBytes(restauro + u"/00124.2008.001.05.00.QNT.XML"), "editado");
    EXPECT_EQ(Conteudo(restauro).size(), 3);
}

TEST_F(BackupTeste, SegundoBackupNoMesmoMinutoAcrescentaAoArquivo)
{
    grava(QStringLiteral("Calculos/00001.2008.001.05.00.QNT.XML"), "um");
    grava(QStringLiteral("Calculos/00002.2008.001.05.00.QNT.XML"), "dois");
    const QString zip = FazBackup(origem(), destino(), painel, Relogio8Dez).caminho;

    grava(QStringLiteral("Calculos/00002.2008.001.05.00.QNT.XML"), "dois, corrigido");
    grava(QStringLiteral("Calculos/00003.2008.001.05.00.QNT.XML"), "três");
    QFile::remove(caminho(QStringLiteral("Calculos/00001.2008.001.05.00.QNT.XML")));
    EXPECT_EQ(FazBackup(origem(), destino(), painel, [] { return Momento.addSecs(29); }).caminho, zip);

    const auto entradas = LeZip(zip);
    EXPECT_EQ(entradas.size(), 3u);
    EXPECT_EQ(entradas.at(u"00001.2008.001.05.00.QNT.XML"_qs), "um"); // kept from the first backup
    EXPECT_EQ(entradas.at(u"00002.2008.001.05.00.QNT.XML"_qs), "dois, corrigido");
    EXPECT_EQ(entradas.at(u"00003.2008.001.05.00.QNT.XML"_qs), "três");

    // The next minute is another archive.
    FazBackup(origem(), destino(), painel, [] { return Momento.addSecs(30); });
    EXPECT_EQ(Conteudo(destino()), (QStringList{u"Bkp081220082145.Zip"_qs, u"Bkp081220082146.Zip"_qs}));
}

TEST_F(BackupTeste, VerificacoesAntesDoTrabalho)
{
    grava(QStringLiteral("Calculos/sub/00001.2008.001.05.00.QNT.XML"), "só numa subpasta");
    grava(QStringLiteral("Calculos/lista.txt"), "não é caso");
    QString foco;
    EXPECT_EQ(Mensagem([&] { FazBackup(origem(), destino(), painel, Relogio8Dez); }, &foco), u"Pasta de Origem vazia!");
    EXPECT_EQ(foco, u"Origem");
    EXPECT_EQ(Mensagem([&] { FazBackup(caminho(u"nao-existe"_qs), destino(), painel, Relogio8Dez); }),
        u"Pasta de Origem vazia!");
    EXPECT_EQ(Mensagem([&] { FazBackup(QString(), destino(), painel, Relogio8Dez); }), u"Pasta de Origem vazia!");

    grava(QStringLiteral("Calculos/00002.2008.001.05.00.QNT.XML"), "caso");
    EXPECT_EQ(
        Mensagem([&] { FazBackup(origem(), QString(), painel, Relogio8Dez); }, &foco), u"Pasta de Destino vazia!");
    EXPECT_EQ(foco, u"Destino");
    EXPECT_TRUE(painel.eventos.isEmpty());
}

TEST_F(BackupTeste, FalhaNaoDeixaArquivoPelaMetadeNemEstragaOAnterior)
{
    const QString falha = QStringLiteral("Erro ao Criar Backup\rProcesso Abortado!");
    grava(QStringLiteral("Calculos/00001.2008.001.05.00.QNT.XML"), CasoReal());

    // A destination folder that does not exist.
    EXPECT_EQ(Mensagem([&] { FazBackup(origem(), caminho(u"sumiu/Backup"_qs), painel, Relogio8Dez); }), falha);
    EXPECT_FALSE(QFileInfo::exists(caminho(u"sumiu"_qs)));

    const QString zip = FazBackup(origem(), destino(), painel, Relogio8Dez).caminho;
    const QByteArray antes = LeBytes(zip);

    // A case file that fails while it is being read (the kernel answers EIO at offset 0),
    // on the second backup of the minute: the archive of the first one stays as it was.
    ASSERT_TRUE(QFile::link(u"/proc/self/mem"_qs, caminho(u"Calculos/00009.2008.001.05.00.QNT.XML"_qs)));
    painel.eventos.clear();
    EXPECT_EQ(Mensagem([&] { FazBackup(origem(), destino(), painel, Relogio8Dez); }), falha);
    EXPECT_EQ(painel.eventos.last(), u"esconde");
    EXPECT_EQ(LeBytes(zip), antes);
    EXPECT_EQ(Conteudo(destino()), QStringList{u"Bkp081220082145.Zip"_qs});

    // The same failure with no archive before: no archive at all.
    EXPECT_EQ(Mensagem([&] { FazBackup(origem(), destino(), painel, [] { return Momento.addDays(1); }); }), falha);
    EXPECT_EQ(Conteudo(destino()), QStringList{u"Bkp081220082145.Zip"_qs});

    // An archive of the same name that is not a ZIP is left alone too.
    QFile::remove(caminho(u"Calculos/00009.2008.001.05.00.QNT.XML"_qs));
    grava(QStringLiteral("Calculos/Backup/Bkp091220082145.Zip"), "não é zip");
    EXPECT_EQ(Mensagem([&] { FazBackup(origem(), destino(), painel, [] { return Momento.addDays(1); }); }), falha);
    EXPECT_EQ(LeBytes(destino() + u"/Bkp091220082145.Zip"), "não é zip");
}

TEST_F(BackupTeste, MensagensDaRestauracao)
{
    grava(QStringLiteral("Calculos/00001.2008.001.05.00.QNT.XML"), "caso");
    const QString zip = FazBackup(origem(), destino(), painel, Relogio8Dez).caminho;
    const QString alvo = caminho(QStringLiteral("alvo"));
    QDir().mkpath(alvo);
    const QString naoZip = caminho(QStringLiteral("copia.bak"));
    QFile::copy(zip, naoZip);
    const QString velho = caminho(QStringLiteral("BKP.ZIP.OLD"));
    QFile::copy(zip, velho);
    grava(QStringLiteral("lixo.zip"), "isto não é um arquivo zip");
    grava(QStringLiteral("um-arquivo"), "x");

    struct Caso {
        QString arquivo, destino, mensagem;
    };
    const Caso casos[] = {
        {caminho(u"nao-existe.zip"_qs), alvo, u"O arquivo a ser descompactado não existe."_qs},
        {destino(), alvo, u"O arquivo a ser descompactado não existe."_qs}, // a folder is not the file
        {zip, u"alvo"_qs, u"Identificador do Drive inválido."_qs}, // relative
        {zip, QString(), u"Identificador do Drive inválido."_qs},
        {zip, caminho(u"nao-existe"_qs), u"Unidade de disco não está pronta."_qs},
        {zip, caminho(u"um-arquivo"_qs), u"Unidade de disco não está pronta."_qs},
        {naoZip, alvo, naoZip + u"\rNão é um arquivo .zip valido."_qs},
        {caminho(u"lixo.zip"_qs), alvo, u"Problemas ao restaurar backup\rVerifique se tem espaço no HD."_qs},
        {velho, alvo, u"(sem erro)"_qs},
    };
    for (const Caso& c : casos)
        EXPECT_EQ(Mensagem([&] { RestauraBackup(c.arquivo, c.destino, painel); }), c.mensagem)
            << c.arquivo.toStdString() << " -> " << c.destino.toStdString();
    EXPECT_EQ(Conteudo(alvo), QStringList{u"00001.2008.001.05.00.QNT.XML"_qs});
}

TEST_F(BackupTeste, EntradaCorrompidaNaoDeixaArquivo)
{
    // A stored entry with one byte of its data changed: the checksum fails at the end.
    const QString zip = caminho(QStringLiteral("Bkp.Zip"));
    int erro = 0;
    zip_t* z = zip_open(QFile::encodeName(zip).constData(), ZIP_CREATE, &erro);
    const QByteArray dados(5000, 'q');
    const zip_int64_t i =
        zip_file_add(z, "00001.2008.001.05.00.QNT.XML", zip_source_buffer(z, dados.constData(), dados.size(), 0), 0);
    zip_set_file_compression(z, i, ZIP_CM_STORE, 0);
    ASSERT_EQ(zip_close(z), 0);
    QByteArray bytes = LeBytes(zip);
    const qsizetype p = bytes.indexOf(QByteArray(100, 'q'));
    ASSERT_GT(p, 0);
    bytes[p + 2500] = 'Q';
    GravaBytes(zip, bytes);

    const QString alvo = caminho(QStringLiteral("alvo"));
    QDir().mkpath(alvo);
    EXPECT_EQ(Mensagem([&] { RestauraBackup(zip, alvo, painel); }),
        u"Problemas ao restaurar backup\rVerifique se tem espaço no HD.");
    EXPECT_TRUE(Conteudo(alvo).isEmpty());
    EXPECT_EQ(painel.eventos.last(), u"esconde");
}

TEST_F(BackupTeste, ArquivoHostilNaoEscreveForaNemSobrescreve)
{
    // alvo/ is the destination; fora/ beside it must stay empty.
    const QString alvo = caminho(QStringLiteral("alvo"));
    const QString fora = caminho(QStringLiteral("fora"));
    QDir().mkpath(alvo);
    QDir().mkpath(fora);
    grava(QStringLiteral("alvo/existente.QNT.XML"), "original");
    // A link left in the destination that points outside, to a file that does not exist yet.
    ASSERT_TRUE(QFile::link(fora + u"/ponte.QNT.XML", alvo + u"/ponte.QNT.XML"));

    const QString zip = caminho(QStringLiteral("hostil.zip"));
    CriaZip(zip,
        {
            {"../fora/subiu.QNT.XML", "1"},
            {"ok/../../fora/subiu2.QNT.XML", "2"},
            {QFile::encodeName(fora + u"/absoluto.QNT.XML"), "3"},
            {"C:\\fora\\unidade.QNT.XML", "4"},
            {"..\\fora\\barra.QNT.XML", "5"},
            {"link.QNT.XML", "../fora/destino-do-link", true},
            {"existente.QNT.XML", "substituto"},
            {"ponte.QNT.XML", "pelo link"},
            {"pasta/", ""},
            {"pasta/dentro.QNT.XML", "dentro"},
            {"a/dup.xml", "primeiro"},
            {"b/dup.xml", "segundo"},
        });

    const ResultadoRestauracao r = RestauraBackup(zip, alvo, painel);
    EXPECT_EQ(r.mensagem, u"Backup restaurado com sucesso!!!");
    EXPECT_EQ(r.restaurados, (QStringList{u"dentro.QNT.XML"_qs, u"dup.xml"_qs}));
    EXPECT_EQ(r.existentes, (QStringList{u"existente.QNT.XML"_qs, u"ponte.QNT.XML"_qs, u"dup.xml"_qs}));
    EXPECT_EQ(r.recusados.size(), 6);
    EXPECT_TRUE(Conteudo(fora).isEmpty());
    EXPECT_EQ(Conteudo(caminho(QString())), (QStringList{u"Calculos"_qs, u"alvo"_qs, u"fora"_qs, u"hostil.zip"_qs}));
    EXPECT_EQ(Conteudo(alvo),
        (QStringList{u"dentro.QNT.XML"_qs, u"dup.xml"_qs, u"existente.QNT.XML"_qs, u"ponte.QNT.XML"_qs}));
    EXPECT_EQ(LeBytes(alvo + u"/existente.QNT.XML"), "original");
    EXPECT_EQ(LeBytes(alvo + u"/dentro.QNT.XML"), "dentro");
    EXPECT_EQ(LeBytes(alvo + u"/dup.xml"), "primeiro");
    EXPECT_TRUE(QFileInfo(alvo + u"/ponte.QNT.XML").isSymLink());
}

} // namespace
