#pragma once

// What the report tests share: the calculated case, the PDF and RTF readers, text order.

#include "Ambiente.h"
#include "ArquivoCaso.h"
#include "DadosRelatorio.h"

#include <QProcess>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QStringDecoder>

#include <gtest/gtest.h>

namespace quintar::teste {

inline QString CasoCalculado()
{
    return Fixture(QStringLiteral("reports/calculado.QNT.XML"));
}

// The calculated case of the fixture loaded into the working tables.
inline DadosRelatorio CarregaCasoCalculado(Ambiente& a)
{
    LeArquivo(a.banco, CasoCalculado(), a.feedback);
    return LeDadosRelatorio(a.banco, 123);
}

inline void Executa(Ambiente& a, const QString& sql)
{
    QSqlQuery q(a.banco.conexao());
    ASSERT_TRUE(q.exec(sql)) << sql.toStdString();
}

// Runs a tool and returns its standard output (Windows-1252 decoded when asked).
inline QString Ferramenta(const QString& programa, const QStringList& argumentos, bool cp1252 = false)
{
    QProcess p;
    p.start(programa, argumentos);
    EXPECT_TRUE(p.waitForFinished(60000)) << programa.toStdString();
    EXPECT_EQ(p.exitCode(), 0) << programa.toStdString() << ": " << p.readAllStandardError().toStdString();
    const QByteArray saida = p.readAllStandardOutput();
    if (cp1252) {
        QStringDecoder d("windows-1252");
        return d(saida);
    }
    return QString::fromUtf8(saida);
}

// The text of a PDF (all pages, or one) as pdftotext -layout gives it.
inline QString TextoPdf(const QString& pdf, int pagina = 0)
{
    QStringList args{QStringLiteral("-layout"), QStringLiteral("-enc"), QStringLiteral("UTF-8")};
    if (pagina > 0)
        args << QStringLiteral("-f") << QString::number(pagina) << QStringLiteral("-l") << QString::number(pagina);
    return Ferramenta(QStringLiteral("pdftotext"), args << pdf << QStringLiteral("-"));
}

inline int PaginasPdf(const QString& pdf)
{
    const QString info = Ferramenta(QStringLiteral("pdfinfo"), {pdf});
    const auto m = QRegularExpression(QStringLiteral(R"(Pages:\s+(\d+))")).match(info);
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

// The text without any white space: pdftotext squeezes and spreads blanks as it likes.
inline QString SemEspacos(QString texto)
{
    return texto.remove(QRegularExpression(QStringLiteral(R"(\s+)")));
}

// Fails unless the pieces occur in the text in this order (white space ignored in both).
inline ::testing::AssertionResult EmOrdem(const QString& texto, const QStringList& pecas)
{
    const QString t = SemEspacos(texto);
    qsizetype pos = 0;
    for (const QString& p : pecas) {
        const qsizetype i = t.indexOf(SemEspacos(p), pos);
        if (i < 0)
            return ::testing::AssertionFailure() << "\"" << p.toStdString() << "\" not found after position " << pos;
        pos = i + SemEspacos(p).size();
    }
    return ::testing::AssertionSuccess();
}

} // namespace quintar::teste
