#include "Comandos.h"

#include "Erro.h"
#include "ImportaTabelas.h"
#include "Pastas.h"
#include "VersaoPrograma.h"

#include <QDir>
#include <QFileInfo>

namespace quintar::cli {

namespace {

const ArquivoDat OrdemArquivos[] = {
    ArquivoDat::FaixasINSS, ArquivoDat::Valores, ArquivoDat::FaixasIR2, ArquivoDat::Diario};

} // namespace

// importa DIR_DAT: the four record files of the folder merged into the tables, in the
// update's order (FaixasINSS.dat, then Diario.dat, Valores.dat, FaixasIR2.dat).
int ComandoImporta(Contexto& contexto)
{
    if (contexto.argumentos.size() != 1)
        return ErroDeUso(contexto, QStringLiteral("importa precisa de uma pasta com os arquivos .dat."));
    const QString pasta = ComBarra(QFileInfo(contexto.argumentos.first()).absoluteFilePath());
    if (!QFileInfo(pasta).isDir())
        throw Erro(QStringLiteral("A pasta ") + QDir::toNativeSeparators(pasta) + QStringLiteral(" não existe."));
    // All four files must be there before anything is merged, so a missing one changes nothing.
    for (ArquivoDat a : OrdemArquivos)
        if (!QFileInfo::exists(pasta + Layout(a).arquivo))
            throw Erro(QStringLiteral("O arquivo ") + Layout(a).arquivo + QStringLiteral(" não foi encontrado em ")
                + QDir::toNativeSeparators(pasta) + u'.');

    BancoDados& banco = contexto.programa.banco();
    ImportaTabelas(banco, contexto.programa.feedback(), true, pasta);
    ImportaTabelas(banco, contexto.programa.feedback(), false, pasta);
    contexto.saida << TextoTabelasAtualizadas(banco) << Qt::endl;
    return 0;
}

// publica DIR: a download folder for the update server, made of the current tables.
int ComandoPublica(Contexto& contexto)
{
    if (contexto.argumentos.size() != 1)
        return ErroDeUso(contexto, QStringLiteral("publica precisa da pasta onde gravar os arquivos."));
    const QString pasta = ComBarra(QFileInfo(contexto.argumentos.first()).absoluteFilePath());
    const qint64 versao = VersaoPrograma().numero;
    const QVector<int> contagens = PublicaTabelas(contexto.programa.banco(), pasta, versao);
    for (int i = 0; i < contagens.size(); ++i)
        contexto.saida << Layout(OrdemArquivos[i]).arquivo << ": " << contagens[i] << " registros" << Qt::endl;
    contexto.saida << "calcinfo.txt: " << versao << Qt::endl;
    contexto.saida << TextoTabelasAtualizadas(contexto.programa.banco()) << Qt::endl;
    return 0;
}

} // namespace quintar::cli
