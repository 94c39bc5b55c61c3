#pragma once

#include <QString>
#include <QStringView>
#include <QVariant>

#include <memory>

class QSettings;

namespace quintar {

// The nine per-user settings, kept in QSettings (organisation "Vestano", application
// "Movix"), each under its sub-key as a group:
//
//   Configuracoes FTP: ProxyUsar (bool, false), ProxyServidor (""), ProxyPorta ("8080"),
//                      ProxyUsuario (""), ProxySenha (""), ProxyAutentica (bool, false),
//                      LinkExe, LinkTabelas (the download server's /quintar/ and /download/)
//   Diretorio:         Diretorio ("")
//
// Values are reached by name without regard to case. The store holds the proxy password,
// so the file is kept readable by its owner only.
class Configuracao {
public:
    // An empty file name means the user's own store; tests pass a file of their own.
    explicit Configuracao(const QString& arquivo = {});
    ~Configuracao();

    void carrega();
    void grava();

    QVariant valor(QStringView nome) const;
    void defineValor(QStringView nome, const QVariant& valor);

    bool booleano(QStringView nome) const { return valor(nome).toBool(); }
    QString texto(QStringView nome) const { return valor(nome).toString(); }

    // Where the values are stored.
    QString arquivo() const;

    static const QString LinkExePadrao;
    static const QString LinkTabelasPadrao;

private:
    struct Item;
    Item* procura(QStringView nome) const;
    std::unique_ptr<QSettings> settings_;
    mutable std::vector<Item> itens_;
};

// Sets DiretorioPadrao to the folder, stores it as Diretorio and writes every setting.
void GravaDiretorio(Configuracao& configuracao, const QString& pasta);

// Start-up: load the settings; when Diretorio is empty store the program folder plus
// "Calculos/"; DiretorioPadrao becomes Diretorio.
void IniciaConfiguracao(Configuracao& configuracao);

} // namespace quintar
