#include "Backup.h"

#include "Erro.h"
#include "Pastas.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSet>
#include <QTemporaryDir>
#include <QTemporaryFile>

#include <zip.h>

#include <sys/stat.h>
#include <unistd.h>

#include <memory>
#include <vector>

namespace quintar {

namespace {

// Files are read and written in blocks of this size; each block is one progress event.
constexpr qint64 BlocoZip = 4096;

// Deflate level on the 0-9 scale.
constexpr zip_uint32_t NivelCompressao = 5;

QString FalhaBackup()
{
    return QStringLiteral("Erro ao Criar Backup\rProcesso Abortado!");
}

QString FalhaRestauracao()
{
    return QStringLiteral("Problemas ao restaurar backup\rVerifique se tem espaço no HD.");
}

struct FechaZip {
    void operator()(zip_t* z) const
    {
        if (z)
            zip_discard(z);
    }
};
using Zip = std::unique_ptr<zip_t, FechaZip>;

struct FechaArquivoZip {
    void operator()(zip_file_t* f) const
    {
        if (f)
            zip_fclose(f);
    }
};

// Hides the status panel however the work ends.
struct EncerraProgresso {
    ProgressoZip& progresso;
    ~EncerraProgresso() { progresso.encerra(); }
};

// One file of the source folder as libzip reads it while it writes the archive (inside
// zip_close). Reading it here, block by block, is what makes the "bytes processed" events
// follow the real compression instead of arriving all at once at the end.
struct FonteArquivo {
    QString caminho;
    QString nome;
    ProgressoZip* progresso = nullptr;
    QFile arquivo;
    qint64 lidos = 0; // in the current pass over the file
    qint64 informados = 0; // reported as processed; a second pass reports nothing twice
    bool iniciado = false;
    bool vazioInformado = false;
    zip_error_t erro;

    FonteArquivo() { zip_error_init(&erro); }
    ~FonteArquivo() { zip_error_fini(&erro); }

    zip_int64_t falha(int codigo)
    {
        zip_error_set(&erro, codigo, 0);
        return -1;
    }

    zip_int64_t comando(void* dados, zip_uint64_t tamanho, zip_source_cmd_t cmd)
    {
        switch (cmd) {
        case ZIP_SOURCE_OPEN:
            arquivo.setFileName(caminho);
            if (!arquivo.open(QIODevice::ReadOnly))
                return falha(ZIP_ER_OPEN);
            lidos = 0;
            if (!iniciado) {
                iniciado = true;
                progresso->inicioArquivo(nome, arquivo.size());
            }
            return 0;
        case ZIP_SOURCE_READ: {
            const qint64 pedido = std::min<qint64>(static_cast<qint64>(tamanho), BlocoZip);
            const qint64 n = arquivo.read(static_cast<char*>(dados), pedido);
            if (n < 0)
                return falha(ZIP_ER_READ);
            lidos += n;
            if (lidos > informados) {
                progresso->bytesProcessados(lidos - informados);
                informados = lidos;
            } else if (n == 0 && informados == 0 && !vazioInformado) {
                // An empty file still gets its one event: its bar shows full.
                vazioInformado = true;
                progresso->bytesProcessados(0);
            }
            return n;
        }
        case ZIP_SOURCE_CLOSE:
            arquivo.close();
            return 0;
        case ZIP_SOURCE_STAT: {
            if (tamanho < sizeof(zip_stat_t))
                return falha(ZIP_ER_INVAL);
            const QFileInfo info(caminho);
            if (!info.exists())
                return falha(ZIP_ER_NOENT);
            auto* st = static_cast<zip_stat_t*>(dados);
            zip_stat_init(st);
            st->valid = ZIP_STAT_SIZE | ZIP_STAT_MTIME;
            st->size = static_cast<zip_uint64_t>(info.size());
            st->mtime = static_cast<time_t>(info.lastModified().toSecsSinceEpoch());
            return sizeof(zip_stat_t);
        }
        case ZIP_SOURCE_ERROR:
            return zip_error_to_data(&erro, dados, tamanho);
        case ZIP_SOURCE_FREE:
            delete this;
            return 0;
        case ZIP_SOURCE_SUPPORTS:
            return zip_source_make_command_bitmap(ZIP_SOURCE_OPEN, ZIP_SOURCE_READ, ZIP_SOURCE_CLOSE, ZIP_SOURCE_STAT,
                ZIP_SOURCE_ERROR, ZIP_SOURCE_FREE, -1);
        default:
            return falha(ZIP_ER_OPNOTSUPP);
        }
    }

    static zip_int64_t chamada(void* fonte, void* dados, zip_uint64_t tamanho, zip_source_cmd_t cmd)
    {
        auto* f = static_cast<FonteArquivo*>(fonte);
        // Nothing may unwind through libzip's C frames: a failure of the panel becomes a
        // read error, and the backup fails as a whole.
        try {
            return f->comando(dados, tamanho, cmd);
        } catch (...) {
            return f->falha(ZIP_ER_INTERNAL);
        }
    }
};

// The archive at `caminho` is replaced by the finished one in `trabalho`: written beside its
// final name, synced and renamed, so the old archive stays whole until the new one is.
bool CopiaAtomica(const QString& trabalho, const QString& caminho)
{
    QFile origem(trabalho);
    if (!origem.open(QIODevice::ReadOnly))
        return false;
    QSaveFile destino(caminho);
    if (!destino.open(QIODevice::WriteOnly))
        return false;
    QByteArray bloco;
    while (!(bloco = origem.read(1 << 20)).isEmpty()) {
        if (destino.write(bloco) != bloco.size()) {
            destino.cancelWriting();
            return false;
        }
    }
    if (origem.error() != QFileDevice::NoError) {
        destino.cancelWriting();
        return false;
    }
    return destino.commit();
}

void CriaArquivoZip(
    const QFileInfoList& arquivos, const QString& caminho, const QString& trabalho, ProgressoZip& progresso)
{
    // A second backup in the same minute adds to the archive already there.
    if (QFileInfo::exists(caminho) && !QFile::copy(caminho, trabalho))
        throw Erro(FalhaBackup());

    int codigo = 0;
    Zip zip(zip_open(QFile::encodeName(trabalho).constData(), ZIP_CREATE, &codigo));
    if (!zip)
        throw Erro(FalhaBackup());

    qint64 total = 0;
    for (const QFileInfo& info : arquivos)
        total += info.size();
    progresso.totalArquivos(arquivos.size());
    progresso.totalBytes(total);

    for (const QFileInfo& info : arquivos) {
        auto* fonte = new FonteArquivo;
        fonte->caminho = info.absoluteFilePath();
        fonte->nome = info.fileName();
        fonte->progresso = &progresso;
        zip_source_t* zs = zip_source_function(zip.get(), &FonteArquivo::chamada, fonte);
        if (!zs) {
            delete fonte;
            throw Erro(FalhaBackup());
        }
        // The file name only: the archive keeps no folder names.
        const zip_int64_t indice =
            zip_file_add(zip.get(), info.fileName().toUtf8().constData(), zs, ZIP_FL_OVERWRITE | ZIP_FL_ENC_UTF_8);
        if (indice < 0) {
            zip_source_free(zs);
            throw Erro(FalhaBackup());
        }
        if (zip_set_file_compression(zip.get(), static_cast<zip_uint64_t>(indice), ZIP_CM_DEFLATE, NivelCompressao) < 0)
            throw Erro(FalhaBackup());
    }

    // libzip reads the sources here, writes a temporary file beside `trabalho` and renames
    // it; on failure it leaves `trabalho` as it was and the zip_t still open.
    if (zip_close(zip.get()) < 0)
        throw Erro(FalhaBackup());
    zip.release();
    progresso.fimLote();
}

// An entry that is never written: an absolute name (also with a drive letter), one that
// climbs with "..", or one without a file name. Stripping the folders alone would make
// such names safe too, but an archive carrying them was not made by a backup.
bool NomeInseguro(const QString& nome)
{
    static const QRegularExpression unidade(QStringLiteral("^[A-Za-z]:"));
    if (nome.startsWith(u'/') || unidade.match(nome).hasMatch())
        return true;
    const QStringList partes = nome.split(u'/');
    for (const QString& parte : partes)
        if (parte == u"..")
            return true;
    const QString base = partes.last();
    return base.isEmpty() || base == u".";
}

bool EhLink(zip_t* zip, zip_uint64_t indice)
{
    zip_uint8_t sistema = 0;
    zip_uint32_t atributos = 0;
    if (zip_file_get_external_attributes(zip, indice, 0, &sistema, &atributos) < 0)
        return false;
    return sistema == ZIP_OPSYS_UNIX && ((atributos >> 16) & S_IFMT) == S_IFLNK;
}

struct Entrada {
    zip_uint64_t indice;
    QString nome;
    qint64 tamanho;
    bool tamanhoConhecido;
    QDateTime modificado;
};

// Writes one entry under a temporary name in the destination, then renames it without
// replacing anything. Returns false when a file of that name appeared meanwhile.
bool ExtraiEntrada(zip_t* zip, const Entrada& e, const QString& pasta, ProgressoZip& progresso)
{
    const QString alvo = pasta + u'/' + e.nome;
    progresso.inicioArquivo(e.nome, e.tamanho);

    // Not ending in ".xml": a leftover could never be taken for a case file.
    QTemporaryFile temporario(pasta + QStringLiteral("/.restaurando-XXXXXX"));
    if (!temporario.open())
        throw Erro(FalhaRestauracao());
    std::unique_ptr<zip_file_t, FechaArquivoZip> entrada(zip_fopen_index(zip, e.indice, 0));
    if (!entrada)
        throw Erro(FalhaRestauracao());

    std::vector<char> bloco(BlocoZip);
    qint64 escritos = 0;
    bool vazio = true;
    for (;;) {
        const zip_int64_t n = zip_fread(entrada.get(), bloco.data(), bloco.size());
        if (n < 0) // a read error, or a checksum that does not match at the end
            throw Erro(FalhaRestauracao());
        if (n == 0)
            break;
        if (temporario.write(bloco.data(), n) != n)
            throw Erro(FalhaRestauracao());
        escritos += n;
        vazio = false;
        progresso.bytesProcessados(n);
    }
    if (vazio)
        progresso.bytesProcessados(0);
    if (zip_fclose(entrada.release()) != 0)
        throw Erro(FalhaRestauracao());
    if (e.tamanhoConhecido && escritos != e.tamanho)
        throw Erro(FalhaRestauracao());

    if (!temporario.flush() || ::fdatasync(temporario.handle()) != 0)
        throw Erro(FalhaRestauracao());
    if (e.modificado.isValid())
        temporario.setFileTime(e.modificado, QFileDevice::FileModificationTime);
    temporario.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser
        | QFile::ReadGroup | QFile::ReadOther);

    // QTemporaryFile::rename never replaces an existing file (renameat2 with
    // RENAME_NOREPLACE, or link and unlink).
    if (temporario.rename(alvo)) {
        // The object now names the restored file: it must not remove it when it goes.
        temporario.setAutoRemove(false);
        return true;
    }
    const QFileInfo depois(alvo);
    if (depois.exists() || depois.isSymLink())
        return false;
    throw Erro(FalhaRestauracao());
}

} // namespace

QString NomeArquivoBackup(const QDateTime& momento)
{
    return QStringLiteral("Bkp") + momento.toString(QStringLiteral("ddMMyyyyHHmm")) + QStringLiteral(".Zip");
}

QFileInfoList ArquivosBackup(const QString& pasta)
{
    // An empty text would be the working folder to QDir.
    if (pasta.isEmpty())
        return {};
    QDir dir(pasta);
    if (!dir.exists())
        return {};
    // Name filters are matched without regard to case: the case files end in ".QNT.XML".
    return dir.entryInfoList({QStringLiteral("*.xml")}, QDir::Files | QDir::Hidden, QDir::Name);
}

ResultadoBackup FazBackup(
    const QString& origem, const QString& destino, PainelProgresso& painel, const Relogio& relogio)
{
    const QFileInfoList arquivos = ArquivosBackup(origem);
    if (arquivos.isEmpty())
        throw Erro(QStringLiteral("Pasta de Origem vazia!"), QStringLiteral("Origem"));
    if (destino.isEmpty())
        throw Erro(QStringLiteral("Pasta de Destino vazia!"), QStringLiteral("Destino"));

    ProgressoZip progresso(painel);
    EncerraProgresso encerra{progresso};

    ResultadoBackup r;
    r.arquivo = NomeArquivoBackup(relogio());
    r.caminho = ComBarra(destino) + r.arquivo;
    if (!QFileInfo(destino).isDir())
        throw Erro(FalhaBackup());

    QTemporaryDir trabalho(QDir::tempPath() + QStringLiteral("/quintar-backup-XXXXXX"));
    if (!trabalho.isValid())
        throw Erro(FalhaBackup());
    const QString arquivoTrabalho = trabalho.filePath(r.arquivo);
    CriaArquivoZip(arquivos, r.caminho, arquivoTrabalho, progresso);
    if (!CopiaAtomica(arquivoTrabalho, r.caminho))
        throw Erro(FalhaBackup());

    for (const QFileInfo& info : arquivos)
        r.nomes.append(info.fileName());
    r.mensagem = QStringLiteral("Backup para ") + r.arquivo + QStringLiteral(" concluído!");
    return r;
}

ResultadoRestauracao RestauraBackup(const QString& arquivo, const QString& destino, PainelProgresso& painel)
{
    if (!QFileInfo(arquivo).isFile())
        throw Erro(QStringLiteral("O arquivo a ser descompactado não existe."));
    if (destino.isEmpty() || QDir::isRelativePath(destino))
        throw Erro(QStringLiteral("Identificador do Drive inválido."));
    const QString pasta = QDir::cleanPath(destino);
    if (!QFileInfo(pasta).isDir() || ::access(QFile::encodeName(pasta).constData(), W_OK | X_OK) != 0)
        throw Erro(QStringLiteral("Unidade de disco não está pronta."));
    if (!arquivo.toUpper().contains(u"ZIP"))
        throw Erro(arquivo + QStringLiteral("\rNão é um arquivo .zip valido."));

    ProgressoZip progresso(painel);
    EncerraProgresso encerra{progresso};

    int codigo = 0;
    Zip zip(zip_open(QFile::encodeName(arquivo).constData(), ZIP_RDONLY, &codigo));
    if (!zip)
        throw Erro(FalhaRestauracao());

    ResultadoRestauracao r;
    std::vector<Entrada> entradas;
    QSet<QString> planejados;
    qint64 total = 0;
    const zip_int64_t n = zip_get_num_entries(zip.get(), 0);
    for (zip_int64_t i = 0; i < n; ++i) {
        const auto indice = static_cast<zip_uint64_t>(i);
        zip_stat_t st;
        if (zip_stat_index(zip.get(), indice, 0, &st) < 0 || !(st.valid & ZIP_STAT_NAME))
            throw Erro(FalhaRestauracao());
        // Archives made on Windows may separate folders with backslashes.
        const QString nome = QString::fromUtf8(st.name).replace(u'\\', u'/');
        if (nome.endsWith(u'/'))
            continue; // a folder: nothing to write, stored folder names are not used
        if (NomeInseguro(nome) || EhLink(zip.get(), indice)) {
            r.recusados.append(QString::fromUtf8(st.name));
            continue;
        }
        const QString base = nome.section(u'/', -1);
        const QFileInfo alvo(pasta + u'/' + base);
        if (planejados.contains(base) || alvo.exists() || alvo.isSymLink()) {
            r.existentes.append(base);
            continue;
        }
        planejados.insert(base);
        Entrada e{indice, base, 0, (st.valid & ZIP_STAT_SIZE) != 0, {}};
        if (e.tamanhoConhecido)
            e.tamanho = static_cast<qint64>(st.size);
        if (st.valid & ZIP_STAT_MTIME)
            e.modificado = QDateTime::fromSecsSinceEpoch(st.mtime);
        total += e.tamanho;
        entradas.push_back(e);
    }

    progresso.totalArquivos(static_cast<qint64>(entradas.size()));
    progresso.totalBytes(total);
    for (const Entrada& e : entradas) {
        if (ExtraiEntrada(zip.get(), e, pasta, progresso))
            r.restaurados.append(e.nome);
        else
            r.existentes.append(e.nome);
    }
    progresso.fimLote();
    r.mensagem = QStringLiteral("Backup restaurado com sucesso!!!");
    return r;
}

} // namespace quintar
