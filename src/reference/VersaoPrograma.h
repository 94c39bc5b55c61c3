#pragma once

#include <QString>
#include <QStringView>

namespace quintar {

// The program's version: the text "major.minor.release.build" and the number formed by
// writing the four parts one after another (2.1.0.15 gives 21015), which is compared with
// the first line of calcinfo.txt. Without a version the text is empty and the number 0.
struct Versao {
    QString texto;
    qint64 numero = 0;
};

// From a text of up to four parts of 0..65535 (missing parts count as 0); an empty text
// and number when the text is not such a version or its number does not fit.
Versao VersaoDoTexto(QStringView texto);

// This program's version, set by the build from the project's version.
Versao VersaoPrograma();

} // namespace quintar
