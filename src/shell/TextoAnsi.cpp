#include "TextoAnsi.h"

#include "Erro.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

namespace quintar {

QString DecodificaAnsi(const QByteArray& bytes)
{
    QStringDecoder decodificador("windows-1252");
    if (!decodificador.isValid())
        return QString::fromLatin1(bytes);
    return decodificador(bytes);
}

QByteArray CodificaAnsi(const QString& texto)
{
    QStringEncoder codificador("windows-1252");
    if (!codificador.isValid())
        return texto.toLatin1();
    return codificador(texto);
}

QStringList SeparaLinhas(const QString& texto)
{
    QStringList linhas;
    qsizetype inicio = 0;
    const qsizetype n = texto.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = texto[i];
        if (c == u'\r' || c == u'\n') {
            linhas.append(texto.mid(inicio, i - inicio));
            if (c == u'\r' && i + 1 < n && texto[i + 1] == u'\n')
                ++i;
            inicio = i + 1;
        }
    }
    if (inicio < n)
        linhas.append(texto.mid(inicio));
    return linhas;
}

QStringList LeLinhasAnsi(const QString& caminho)
{
    QFile arquivo(caminho);
    if (!arquivo.open(QIODevice::ReadOnly))
        return {};
    return SeparaLinhas(DecodificaAnsi(arquivo.readAll()));
}

void GravaAtomico(const QString& caminho, const QByteArray& bytes)
{
    QSaveFile arquivo(caminho);
    if (!arquivo.open(QIODevice::WriteOnly) || arquivo.write(bytes) != bytes.size() || !arquivo.commit()) {
        const QString motivo = arquivo.errorString();
        arquivo.cancelWriting();
        throw Erro(QStringLiteral("Não foi possível gravar o arquivo \"%1\": %2").arg(caminho, motivo));
    }
}

void GravaLinhasAnsi(const QString& caminho, const QStringList& linhas)
{
    QString texto;
    for (const QString& linha : linhas)
        texto += linha + QStringLiteral("\r\n");
    GravaAtomico(caminho, CodificaAnsi(texto));
}

} // namespace quintar
