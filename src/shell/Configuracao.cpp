#include "Configuracao.h"

#include "Pastas.h"

#include <QFile>
#include <QFileInfo>
#include <QDir>
#include <QSettings>

#include <fcntl.h>
#include <unistd.h>

namespace quintar {

const QString Configuracao::LinkExePadrao = QStringLiteral("http://atualizacao.example.com/quintar/");
const QString Configuracao::LinkTabelasPadrao = QStringLiteral("http://atualizacao.example.com/download/");

struct Configuracao::Item {
    QString grupo;
    QString nome;
    bool booleano;
    QVariant padrao;
    QVariant valor;
};

Configuracao::Configuracao(const QString& arquivo)
{
    settings_ = arquivo.isEmpty()
                    ? std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                                  QStringLiteral("Vestano"), QStringLiteral("Movix"))
                    : std::make_unique<QSettings>(arquivo, QSettings::IniFormat);
    const QString ftp = QStringLiteral("Configuracoes FTP");
    itens_ = {
        {ftp, QStringLiteral("ProxyUsar"), true, false, {}},
        {ftp, QStringLiteral("ProxyServidor"), false, QString(), {}},
        {ftp, QStringLiteral("ProxyPorta"), false, QStringLiteral("8080"), {}},
        {ftp, QStringLiteral("ProxyUsuario"), false, QString(), {}},
        {ftp, QStringLiteral("ProxySenha"), false, QString(), {}},
        {ftp, QStringLiteral("ProxyAutentica"), true, false, {}},
        {ftp, QStringLiteral("LinkExe"), false, LinkExePadrao, {}},
        {ftp, QStringLiteral("LinkTabelas"), false, LinkTabelasPadrao, {}},
        {QStringLiteral("Diretorio"), QStringLiteral("Diretorio"), false, QString(), {}},
    };
    for (auto& item : itens_)
        item.valor = item.padrao;
}

Configuracao::~Configuracao() = default;

QString Configuracao::arquivo() const
{
    return settings_->fileName();
}

Configuracao::Item* Configuracao::procura(QStringView nome) const
{
    for (auto& item : itens_)
        if (nome.compare(item.nome, Qt::CaseInsensitive) == 0)
            return &item;
    return nullptr;
}

QVariant Configuracao::valor(QStringView nome) const
{
    const Item* item = procura(nome);
    return item ? item->valor : QVariant();
}

void Configuracao::defineValor(QStringView nome, const QVariant& valor)
{
    if (Item* item = procura(nome))
        item->valor = item->booleano ? QVariant(valor.toBool()) : QVariant(valor.toString());
}

void Configuracao::carrega()
{
    settings_->sync();
    for (auto& item : itens_) {
        const QString chave = item.grupo + u'/' + item.nome;
        if (!settings_->contains(chave)) {
            item.valor = item.padrao;
            continue;
        }
        const QVariant lido = settings_->value(chave);
        if (item.booleano) {
            // Stored as the integers 0 and 1; accept "true"/"false" written by hand.
            const QString t = lido.toString().trimmed().toLower();
            item.valor = !(t.isEmpty() || t == u"0" || t == u"false");
        } else {
            item.valor = lido.toString();
        }
    }
}

void Configuracao::grava()
{
    // Create the file for its owner only before the first value is written, so the proxy
    // password is never readable by others; later saves keep the file's permissions.
    const QString nome = settings_->fileName();
    QDir().mkpath(QFileInfo(nome).absolutePath());
    if (!QFileInfo::exists(nome)) {
        const int fd = ::open(QFile::encodeName(nome).constData(), O_WRONLY | O_CREAT | O_EXCL, 0600);
        if (fd >= 0)
            ::close(fd);
    }
    // Only what changed is set, so that a session that changed nothing does not write the file
    // again (and wait for the disk) when it ends.
    for (const auto& item : itens_) {
        const QString chave = item.grupo + u'/' + item.nome;
        const QVariant valor = item.booleano ? QVariant(item.valor.toBool() ? 1 : 0) : QVariant(item.valor.toString());
        if (!settings_->contains(chave) || settings_->value(chave).toString() != valor.toString())
            settings_->setValue(chave, valor);
    }
    settings_->sync();
    QFile::setPermissions(nome, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

void GravaDiretorio(Configuracao& configuracao, const QString& pasta)
{
    DefineDiretorioPadrao(pasta);
    configuracao.defineValor(u"Diretorio", DiretorioPadrao());
    configuracao.grava();
}

void IniciaConfiguracao(Configuracao& configuracao)
{
    configuracao.carrega();
    if (configuracao.texto(u"Diretorio").isEmpty())
        GravaDiretorio(configuracao, PastaPrograma() + QStringLiteral("Calculos/"));
    DefineDiretorioPadrao(configuracao.texto(u"Diretorio"));
}

} // namespace quintar
