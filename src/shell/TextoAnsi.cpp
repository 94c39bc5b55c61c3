#include "TextoAnsi.h"

#include "Erro.h"

#include <QFile>
#include <QSaveFile>

#include <QStringDecoder>
#include <cstring>

namespace quintar {

namespace {

// Windows-1252 differs from Latin-1 only in 0x80..0x9F; its five unassigned bytes keep the
// C1 code points, so that any byte sequence reads and writes back unchanged.
const char16_t Faixa80[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

} // namespace

QString DecodificaAnsi(const QByteArray& bytes)
{
    // Latin-1 (Qt's quick conversion), then the few characters of 0x80..0x9F.
    QString texto = QString::fromLatin1(bytes);
    // Eight bytes at a time: a word without a high bit holds none of them.
    bool faixa80 = false;
    const char* dados = bytes.constData();
    qsizetype i = 0;
    for (; !faixa80 && i + 8 <= bytes.size(); i += 8) {
        quint64 palavra;
        std::memcpy(&palavra, dados + i, 8);
        if (palavra & 0x8080808080808080ULL)
            for (int k = 0; k < 8; ++k)
                faixa80 |= (static_cast<unsigned char>(dados[i + k]) & 0xE0) == 0x80;
    }
    for (; i < bytes.size(); ++i)
        faixa80 |= (static_cast<unsigned char>(dados[i]) & 0xE0) == 0x80;
    if (faixa80) {
        QChar* saida = texto.data();
        for (qsizetype i = 0; i < texto.size(); ++i)
            if (saida[i].unicode() >= 0x80 && saida[i].unicode() < 0xA0)
                saida[i] = QChar(Faixa80[saida[i].unicode() - 0x80]);
    }
    return texto;
}

QString DecodificaUtf8OuAnsi(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString texto = utf8.decode(bytes);
    return utf8.hasError() ? DecodificaAnsi(bytes) : texto;
}

QByteArray CodificaAnsi(const QString& texto)
{
    QByteArray bytes(texto.size(), Qt::Uninitialized);
    char* saida = bytes.data();
    qsizetype n = 0;
    for (qsizetype i = 0; i < texto.size(); ++i) {
        const char16_t c = texto[i].unicode();
        char b = '?'; // a character the code page does not have
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
            b = static_cast<char>(c);
        } else {
            for (int k = 0; k < 32; ++k)
                if (Faixa80[k] == c) {
                    b = static_cast<char>(0x80 + k);
                    break;
                }
        }
        if (QChar::isHighSurrogate(c) && i + 1 < texto.size() && texto[i + 1].isLowSurrogate())
            ++i; // one '?' for the whole character
        saida[n++] = b;
    }
    bytes.truncate(n);
    return bytes;
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
