#pragma once

#include <QNetworkProxy>
#include <QPointer>
#include <QString>
#include <QUrl>

#include <functional>
#include <memory>

class QNetworkReply;

namespace quintar {

class Configuracao;

// The HTTP client of the update: a GET whose body is streamed into a file, through an
// optional proxy, with progress and cancellation. It has no threads of its own: a download
// blocks its caller while a local event loop runs, so the window keeps repainting and its
// abort button (or a progress callback) can cancel it.
class ClienteHttp {
public:
    ClienteHttp();
    ~ClienteHttp();
    ClienteHttp(const ClienteHttp&) = delete;
    ClienteHttp& operator=(const ClienteHttp&) = delete;

    // Called on every received piece of the body: bytes so far, announced length (-1 when
    // the server gave none).
    using Progresso = std::function<void(qint64 recebidos, qint64 total)>;

    // Downloads the address into the file, which is created anew (emptied) first and left
    // with what arrived when the transfer fails. Sends the headers User-Agent
    // "Mozilla/3.0 (compatible)", Accept "image/gif, image/x-xbitmap, image/jpeg,
    // image/pjpeg, */*" and "Pragma: no-cache". Throws Erro with the text
    // "Transferência interrompida!\nFalha : " + code + " " + reason on failure: the HTTP
    // status and its reason phrase for an error status (4xx, 5xx), otherwise 0 and the
    // network layer's text ("Connection refused", "Operation canceled", ...). A file that
    // cannot be created or written throws Erro naming it.
    void baixa(const QUrl& endereco, const QString& destino, const Progresso& progresso = {});

    // Cancels the running download (its baixa then throws); does nothing when none runs.
    void cancela();
    bool transferindo() const { return !resposta_.isNull(); }

    // The proxy the next downloads use; the client starts with none.
    void defineProxy(const QNetworkProxy& proxy) { proxy_ = proxy; }
    const QNetworkProxy& proxy() const { return proxy_; }

private:
    QPointer<QNetworkReply> resposta_;
    QNetworkProxy proxy_{QNetworkProxy::NoProxy};
};

// The proxy port of the settings' text: a whole number from 1 to 65535, else 80.
quint16 PortaProxy(const QString& texto);

// Re-reads the settings and applies them to the client: with ProxyUsar, the host
// ProxyServidor and the port PortaProxy(ProxyPorta), and the user name and password only
// with ProxyAutentica. Without ProxyUsar the client's proxy is left as it is.
void ConfiguraProxy(Configuracao& configuracao, ClienteHttp& cliente);

} // namespace quintar
