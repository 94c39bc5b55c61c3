#include "ClienteHttp.h"

#include "Configuracao.h"
#include "Erro.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

#include <exception>

namespace quintar {

ClienteHttp::ClienteHttp() = default;
ClienteHttp::~ClienteHttp()
{
    cancela();
}

void ClienteHttp::cancela()
{
    if (resposta_)
        resposta_->abort();
}

void ClienteHttp::baixa(const QUrl& endereco, const QString& destino, const Progresso& progresso)
{
    QFile arquivo(destino);
    if (!arquivo.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw Erro(QStringLiteral("Não foi possível criar o arquivo ") + QDir::toNativeSeparators(destino)
            + QStringLiteral(": ") + arquivo.errorString());

    // A manager of its own for every download: no connection or proxy credentials are kept
    // from a transfer made under other settings.
    QNetworkAccessManager rede;
    rede.setProxy(proxy_);
    QNetworkRequest pedido(endereco);
    pedido.setRawHeader("User-Agent", "Mozilla/3.0 (compatible)");
    pedido.setRawHeader("Accept", "image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, */*");
    pedido.setRawHeader("Pragma", "no-cache");
    pedido.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);

    std::unique_ptr<QNetworkReply> resposta(rede.get(pedido));
    QNetworkReply* r = resposta.get();
    resposta_ = r;

    QString erroGravacao;
    std::exception_ptr excecao;
    auto grava = [&] {
        const QByteArray pedaco = r->readAll();
        if (pedaco.isEmpty() || !erroGravacao.isEmpty())
            return;
        // The page of an error status is not the file asked for: the target stays empty.
        if (r->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt() >= 400)
            return;
        if (arquivo.write(pedaco) != pedaco.size()) {
            erroGravacao = arquivo.errorString();
            r->abort();
        }
    };

    QEventLoop laco;
    QObject::connect(r, &QNetworkReply::readyRead, &laco, grava);
    QObject::connect(r, &QNetworkReply::downloadProgress, &laco, [&](qint64 recebidos, qint64 total) {
        // An exception must not cross Qt's event loop: keep it and end the transfer.
        if (!progresso || excecao)
            return;
        try {
            progresso(recebidos, total);
        } catch (...) {
            excecao = std::current_exception();
            r->abort();
        }
    });
    QObject::connect(r, &QNetworkReply::finished, &laco, &QEventLoop::quit);
    if (!r->isFinished())
        laco.exec();
    grava();
    resposta_.clear();
    arquivo.close();

    if (!erroGravacao.isEmpty())
        throw Erro(QStringLiteral("Não foi possível gravar o arquivo ") + QDir::toNativeSeparators(destino)
            + QStringLiteral(": ") + erroGravacao);
    if (excecao)
        std::rethrow_exception(excecao);
    if (r->error() != QNetworkReply::NoError) {
        int codigo = 0;
        QString motivo = r->errorString();
        const int status = r->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        if (status >= 400) {
            codigo = status;
            const QString frase = r->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString();
            if (!frase.isEmpty())
                motivo = frase;
        }
        throw Erro(QStringLiteral("Transferência interrompida!\nFalha : ") + QString::number(codigo) + u' ' + motivo);
    }
    if (arquivo.error() != QFileDevice::NoError)
        throw Erro(QStringLiteral("Não foi possível gravar o arquivo ") + QDir::toNativeSeparators(destino)
            + QStringLiteral(": ") + arquivo.errorString());
}

quint16 PortaProxy(const QString& texto)
{
    bool ok = false;
    const int porta = texto.trimmed().toInt(&ok);
    return (ok && porta >= 1 && porta <= 65535) ? static_cast<quint16>(porta) : quint16(80);
}

void ConfiguraProxy(Configuracao& configuracao, ClienteHttp& cliente)
{
    configuracao.carrega();
    if (!configuracao.booleano(u"ProxyUsar"))
        return;
    QNetworkProxy proxy(
        QNetworkProxy::HttpProxy, configuracao.texto(u"ProxyServidor"), PortaProxy(configuracao.texto(u"ProxyPorta")));
    // Credentials go only where the user asked for them, also after an earlier setting had them.
    if (configuracao.booleano(u"ProxyAutentica")) {
        proxy.setUser(configuracao.texto(u"ProxyUsuario"));
        proxy.setPassword(configuracao.texto(u"ProxySenha"));
    }
    cliente.defineProxy(proxy);
}

} // namespace quintar
