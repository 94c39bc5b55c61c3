#include "Aplicacao.h"

#include "VersaoPrograma.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace quintar {

void PreparaAplicacao(QApplication& aplicacao)
{
    QApplication::setApplicationDisplayName(QStringLiteral("Quintar"));
    QApplication::setApplicationVersion(VersaoPrograma().texto);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icones/quintar.svg")));
    QApplication::setDesktopFileName(QStringLiteral("quintar"));
    const QLocale brasil(QLocale::Portuguese, QLocale::Brazil);
    QLocale::setDefault(brasil);
    auto* traducao = new QTranslator(&aplicacao);
    if (traducao->load(
            brasil, QStringLiteral("qtbase"), QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(traducao);
}

} // namespace quintar
