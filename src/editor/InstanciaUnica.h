#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>

#include <memory>

namespace quintar {

// One running copy of the program per user and program folder (the working database is the
// folder's). The first start takes a lock and listens; a later start hands its case file (or
// nothing) to the running copy, which comes to the front, and ends.
class InstanciaUnica : public QObject {
    Q_OBJECT

public:
    explicit InstanciaUnica(const QString& pastaPrograma, QObject* pai = nullptr);
    ~InstanciaUnica() override;

    // True when this is the running copy (it now listens); false once the request went to
    // the copy that runs.
    bool inicia(const QString& arquivo);

signals:
    // Another start asked this copy to come to the front, and to open the file when one is given.
    void pedido(const QString& arquivo);

private:
    QString nome_;
    QLockFile trava_;
    std::unique_ptr<QLocalServer> servidor_;
};

} // namespace quintar
