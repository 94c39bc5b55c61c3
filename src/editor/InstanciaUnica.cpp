#include "InstanciaUnica.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>

namespace quintar {

namespace {

QString nomeInstancia(const QString& pastaPrograma)
{
    QString pasta = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (pasta.isEmpty())
        pasta = QDir::tempPath();
    const QByteArray chave =
        QCryptographicHash::hash(pastaPrograma.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    return pasta + QStringLiteral("/quintar-") + QString::fromLatin1(chave);
}

} // namespace

InstanciaUnica::InstanciaUnica(const QString& pastaPrograma, QObject* pai)
    : QObject(pai), nome_(nomeInstancia(pastaPrograma)), trava_(nome_ + QStringLiteral(".lock"))
{
    // A lock left by a copy that crashed is taken over (its process is gone).
    trava_.setStaleLockTime(0);
}

InstanciaUnica::~InstanciaUnica() = default;

bool InstanciaUnica::inicia(const QString& arquivo)
{
    QElapsedTimer relogio;
    relogio.start();
    for (;;) {
        if (trava_.tryLock(0)) {
            QLocalServer::removeServer(nome_); // a socket left by a copy that crashed
            servidor_ = std::make_unique<QLocalServer>();
            servidor_->setSocketOptions(QLocalServer::UserAccessOption);
            connect(servidor_.get(), &QLocalServer::newConnection, this, [this] {
                while (QLocalSocket* s = servidor_->nextPendingConnection()) {
                    connect(s, &QLocalSocket::disconnected, s, &QObject::deleteLater);
                    connect(s, &QLocalSocket::readyRead, this, [this, s] {
                        if (!s->canReadLine())
                            return;
                        emit pedido(QString::fromUtf8(s->readLine()).trimmed());
                        s->disconnectFromServer();
                    });
                }
            });
            servidor_->listen(nome_);
            return true;
        }
        QLocalSocket socket;
        socket.connectToServer(nome_);
        if (socket.waitForConnected(1000)) {
            socket.write(arquivo.toUtf8() + '\n');
            socket.waitForBytesWritten(1000);
            socket.waitForDisconnected(1000);
            return false;
        }
        // The running copy is still starting (it holds the lock but does not listen yet).
        if (relogio.elapsed() > 5000)
            return false;
        QThread::msleep(100);
    }
}

} // namespace quintar
