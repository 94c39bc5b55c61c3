#include "Ambiente.h"
#include "EnviaEmail.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace quintar;
using namespace quintar::teste;

namespace {

// xdg-email replaced, through PATH, by a script that records its arguments one a line and
// ends with the given exit code. The real PATH comes back after the test.
class EmailTeste : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        pathOriginal = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(dir.path()));
    }
    void TearDown() override { qputenv("PATH", pathOriginal); }

    void instalaXdgEmail(int codigoSaida)
    {
        const QString script = dir.filePath(QStringLiteral("xdg-email"));
        GravaBytes(script,
            "#!/bin/sh\nprintf '%s\\n' \"$@\" > '" + QFile::encodeName(gravados()) + "'\nexit "
                + QByteArray::number(codigoSaida) + "\n");
        QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    QString gravados() const { return dir.filePath(QStringLiteral("argumentos.txt")); }
    QStringList argumentos() const
    {
        if (!QFile::exists(gravados()))
            return {};
        return QString::fromUtf8(LeBytes(gravados())).split(u'\n', Qt::SkipEmptyParts);
    }

    QTemporaryDir dir;
    QByteArray pathOriginal;
};

QString MensagemErro(const std::function<void()>& f, QString* titulo = nullptr)
{
    try {
        f();
    } catch (const ErroEmail& e) {
        if (titulo)
            *titulo = e.titulo();
        return e.mensagem();
    } catch (const Erro& e) {
        return e.mensagem();
    }
    return QStringLiteral("(sem erro)");
}

TEST_F(EmailTeste, ArgumentosExatosDaMensagem)
{
    instalaXdgEmail(0);
    const QString anexo = dir.filePath(QStringLiteral("00123.2008.001.05.00.QNT.XML"));
    EnviaEmail({u"to=fulano@exemplo.com.br"_qs, u"subject=Quintar"_qs, u"body=Cálculo em anexo."_qs,
        u"attachment0="_qs + anexo});
    EXPECT_EQ(argumentos(),
        (QStringList{u"--utf8"_qs, u"--subject"_qs, u"Quintar"_qs, u"--body"_qs, u"Cálculo em anexo."_qs,
            u"--attach"_qs, anexo, u"fulano@exemplo.com.br"_qs}));
}

TEST(Email, ListaDeNomesEValores)
{
    struct Caso {
        QStringList linhas, argumentos;
    };
    const Caso casos[] = {
        // Empty values are left out; names in any case; a body may hold "=".
        {{u"to="_qs, u"SUBJECT="_qs, u"Body=a=b"_qs}, {u"--utf8"_qs, u"--body"_qs, u"a=b"_qs}},
        // The attachments end at the first missing or empty number.
        {{u"attachment0=/a"_qs, u"attachment1=/b"_qs, u"attachment3=/d"_qs},
            {u"--utf8"_qs, u"--attach"_qs, u"/a"_qs, u"--attach"_qs, u"/b"_qs}},
        {{u"attachment0="_qs, u"attachment1=/b"_qs}, {u"--utf8"_qs}},
    };
    for (const Caso& c : casos)
        EXPECT_EQ(ArgumentosEmail(c.linhas), c.argumentos) << c.linhas.join(u' ').toStdString();
}

TEST_F(EmailTeste, SemProgramaDeEmailOuComFalha)
{
    QString titulo;
    EXPECT_EQ(MensagemErro([] { EnviaEmail({u"subject=Quintar"_qs}); }, &titulo), u"Error while trying to send email");
    EXPECT_EQ(titulo, u"Error");

    instalaXdgEmail(3); // no mail program configured
    titulo.clear();
    EXPECT_EQ(MensagemErro([] { EnviaEmail({u"subject=Quintar"_qs}); }, &titulo), u"Error while trying to send email");
    EXPECT_EQ(titulo, u"Error");
}

TEST_F(EmailTeste, ComandoDoProcesso)
{
    instalaXdgEmail(0);
    QStringList ordem;
    const auto posta = [&] { ordem << u"posta"_qs; };
    const auto caminho = [&] {
        ordem << u"caminho"_qs;
        return u"/casos/00123.2008.001.05.00.QNT.XML"_qs;
    };

    EXPECT_EQ(MensagemErro([&] { EnviaProcessoPorEmail(false, caminho, posta); }), u"Processo não encontrado.");
    EXPECT_TRUE(ordem.isEmpty());
    EXPECT_TRUE(argumentos().isEmpty());

    // A posting refused by the validation: no mail program opens.
    EXPECT_EQ(MensagemErro([&] { EnviaProcessoPorEmail(true, caminho, [] { throw Erro(u"Data inválida."_qs); }); }),
        u"Data inválida.");
    EXPECT_TRUE(argumentos().isEmpty());

    EnviaProcessoPorEmail(true, caminho, posta);
    EXPECT_EQ(ordem, (QStringList{u"posta"_qs, u"caminho"_qs}));
    EXPECT_EQ(argumentos(),
        (QStringList{u"--utf8"_qs, u"--subject"_qs, u"Quintar"_qs, u"--body"_qs, u"Cálculo em anexo."_qs,
            u"--attach"_qs, u"/casos/00123.2008.001.05.00.QNT.XML"_qs}));
    EXPECT_EQ(MensagemProcesso(u"/x.QNT.XML"_qs),
        (QStringList{u"to="_qs, u"subject=Quintar"_qs, u"body=Cálculo em anexo."_qs, u"attachment0=/x.QNT.XML"_qs}));
}

} // namespace
