#include "VersaoPrograma.h"

#include <QStringList>

namespace quintar {

Versao VersaoDoTexto(QStringView texto)
{
    const QList<QStringView> partes = texto.trimmed().split(u'.');
    if (partes.isEmpty() || partes.size() > 4)
        return {};
    QStringList numeros;
    for (QStringView p : partes) {
        bool ok = false;
        const uint n = p.toUInt(&ok);
        if (!ok || n > 65535 || p.startsWith(u'+'))
            return {};
        numeros.append(QString::number(n));
    }
    while (numeros.size() < 4)
        numeros.append(QStringLiteral("0"));
    bool ok = false;
    const qint64 numero = numeros.join(QString()).toLongLong(&ok);
    if (!ok)
        return {};
    return {numeros.join(u'.'), numero};
}

Versao VersaoPrograma()
{
    return VersaoDoTexto(QStringLiteral(QUINTAR_VERSAO));
}

} // namespace quintar
