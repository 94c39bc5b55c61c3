#pragma once

#include "ProgressoZip.h"

#include <QDateTime>
#include <QFileInfoList>
#include <QString>
#include <QStringList>

#include <functional>

namespace quintar {

// The clock read at the start of a backup; tests fix it.
using Relogio = std::function<QDateTime()>;

// "Bkp" + ddmmyyyyhhnn + ".Zip": 8 December 2008 at 21:45 gives "Bkp081220082145.Zip".
QString NomeArquivoBackup(const QDateTime& momento);

// The case files of a folder as the backup takes them: every file whose name ends in
// ".xml" in any case, without subfolders, sorted by name. Empty when the folder is missing.
QFileInfoList ArquivosBackup(const QString& pasta);

struct ResultadoBackup {
    QString arquivo; // the archive's name, "Bkp....Zip"
    QString caminho; // its full path
    QStringList nomes; // the files put into it
    QString mensagem; // "Backup para " + arquivo + " concluído!"
};

// Backs the case files of `origem` up into the archive named from the clock in `destino`,
// deflated at level 5. An archive of the same name (a second backup in the same minute)
// gets the files added, a file of the same name replacing the older entry.
//
// The archive is built in the system's temporary folder and then written beside its final
// name and renamed over it, so a failure leaves no half-written archive and an existing
// archive exactly as it was.
//
// Throws Erro with "Pasta de Origem vazia!" (focus "Origem"), "Pasta de Destino vazia!"
// (focus "Destino") before any work, and "Erro ao Criar Backup\rProcesso Abortado!" on any
// failure of the work, a missing destination folder included.
ResultadoBackup FazBackup(const QString& origem, const QString& destino, PainelProgresso& painel,
    const Relogio& relogio = &QDateTime::currentDateTime);

struct ResultadoRestauracao {
    QStringList restaurados; // files written into the destination
    QStringList existentes; // already there: left untouched
    QStringList recusados; // entry names never written: absolute, climbing out with "..", or links
    QString mensagem; // "Backup restaurado com sucesso!!!"
};

// Extracts every entry of the archive into `destino`: stored folder names are not used and
// an existing file is never overwritten (it is reported in `existentes`). Each file is
// written under a temporary name in the destination and then renamed, without replacing
// anything, so a failure never leaves a half-written file.
//
// The destination must be an absolute path to an existing, writable folder. A relative one
// has no fixed place it could be anchored to in the window (the working folder of the
// program is nobody's choice), so it is refused like a missing drive identifier with
// "Identificador do Drive inválido."; the command-line front end makes its arguments
// absolute against its own working folder first.
//
// Throws Erro with, in this order of checks: "O arquivo a ser descompactado não existe.",
// "Identificador do Drive inválido.", "Unidade de disco não está pronta.",
// the archive path + "\rNão é um arquivo .zip valido." (the path, upper-cased, must contain
// "ZIP"), and "Problemas ao restaurar backup\rVerifique se tem espaço no HD." on any
// failure of the extraction; files completed before such a failure stay.
ResultadoRestauracao RestauraBackup(const QString& arquivo, const QString& destino, PainelProgresso& painel);

} // namespace quintar
