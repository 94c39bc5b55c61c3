#include "Atualizacao.h"

#include "Erro.h"
#include "ImportaTabelas.h"
#include "Pastas.h"
#include "Rotinas.h"
#include "TextoAnsi.h"
#include "VersaoPrograma.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

namespace quintar {

namespace {

// Brings the window back to normal however the command ends.
class Restauracao {
public:
    explicit Restauracao(InterfaceAtualizacao& interface) : interface_(interface) { }
    ~Restauracao()
    {
        interface_.mostraProgresso(false);
        interface_.permiteAbortar({});
        interface_.status(QString());
    }

private:
    InterfaceAtualizacao& interface_;
};

qint64 numeroDaLinha(const QString& linha)
{
    bool ok = false;
    const qint64 n = linha.trimmed().toLongLong(&ok);
    return ok ? n : 0;
}

} // namespace

Atualizacao::Atualizacao(BancoDados& banco, Configuracao& configuracao, InterfaceAtualizacao& interface)
    : banco_(banco), configuracao_(configuracao), interface_(interface), versao_(VersaoPrograma().numero)
{
}

QString Atualizacao::CaminhoAtualizador()
{
    return PastaPrograma() + QStringLiteral("movix");
}

void Atualizacao::aborta()
{
    abortado_ = true;
    cliente_.cancela();
}

Atualizacao::Resultado Atualizacao::AtualizaSistema(ModoAtualizacao modo)
{
    abortado_ = false;
    Restauracao restauracao(interface_);
    interface_.permiteAbortar([this] { aborta(); });
    VerificaTabelas(modo);
    if (!abortado_ && novaVersao_)
        return iniciaAtualizador();
    return Resultado::Continua;
}

Atualizacao::Resultado Atualizacao::iniciaAtualizador()
{
    const QString caminho = CaminhoAtualizador();
    const QFileInfo info(caminho);
    if (!info.isFile() || !info.isExecutable()) {
        interface_.informa(QStringLiteral("Há uma nova versão do programa, mas o atualizador não foi encontrado em ")
            + QDir::toNativeSeparators(caminho) + QStringLiteral(". O programa continua na versão atual."));
        return Resultado::Continua;
    }
    if (!QProcess::startDetached(caminho, {}, PastaPrograma())) {
        interface_.informa(QStringLiteral("Há uma nova versão do programa, mas não foi possível iniciar o atualizador ")
            + QDir::toNativeSeparators(caminho) + QStringLiteral(". O programa continua na versão atual."));
        return Resultado::Continua;
    }
    return Resultado::Encerra;
}

void Atualizacao::VerificaTabelas(ModoAtualizacao modo)
{
    const QDate hoje = interface_.hoje();
    const int ano = hoje.year();
    const int mes = hoje.month();
    if (!ExisteFaixaINSS(banco_, ano, mes) && hoje.day() >= 5
        && interface_.confirma(QStringLiteral("As tabelas auxiliares estão desatualizadas. \r\n"
                                              "Deseja verificar se existem novos índices ?"))) {
        interface_.mostraProgresso(true);
        interface_.progresso(0, 100);
        BaixaArquivo(QStringLiteral("FaixasINSS.dat"));
        ImportaTabelas(banco_, interface_, true);
        if (ExisteFaixaINSS(banco_, ano, mes)) {
            if (abortado_) {
                interface_.mostraProgresso(false);
                return;
            }
            BaixaArquivo(QStringLiteral("Valores.dat"));
            if (abortado_) {
                interface_.mostraProgresso(false);
                return;
            }
            BaixaArquivo(QStringLiteral("FaixasIR2.dat"));
            if (abortado_) {
                interface_.mostraProgresso(false);
                return;
            }
            BaixaArquivo(QStringLiteral("Diario.dat"));
            ImportaTabelas(banco_, interface_, false);
            interface_.informa(TextoTabelasAtualizadas(banco_));
        } else {
            interface_.informa(QStringLiteral("Ainda não foram disponibilizados os índices para ") + NomesMeses(mes)
                + QStringLiteral(" de ") + QString::number(ano) + QStringLiteral(". Tente novamente mais tarde."));
        }
        interface_.processaEventos();
        novaVersao_ = VerificaNovaVersao();
        interface_.mostraProgresso(false);
    }
    if (modo == ModoAtualizacao::Manual) {
        novaVersao_ = VerificaNovaVersao();
        if (!novaVersao_)
            interface_.informa(QStringLiteral("Não encontramos nova atualização para o programa."));
    }
}

void Atualizacao::baixa(const QUrl& endereco, const QString& destino)
{
    cliente_.baixa(endereco, destino, [this](qint64 recebidos, qint64 total) {
        if (total > 0)
            interface_.progresso(static_cast<int>(recebidos * 100 / total), 100);
    });
}

void Atualizacao::BaixaArquivo(const QString& nome)
{
    interface_.progresso(0, 100);
    interface_.status(QStringLiteral("Transferindo :") + nome);
    ConfiguraProxy(configuracao_, cliente_);
    baixa(QUrl(configuracao_.texto(u"LinkTabelas") + nome), PastaTabelas() + nome);
    interface_.processaEventos();
}

bool Atualizacao::VerificaNovaVersao()
{
    if (abortado_)
        return false;
    interface_.mostraProgresso(true);
    interface_.progresso(0, 100);
    // The version check goes through the same proxy as the tables: in manual mode it may be
    // the command's only download.
    ConfiguraProxy(configuracao_, cliente_);
    const QString endereco = configuracao_.texto(u"LinkExe") + QStringLiteral("calcinfo.txt");
    interface_.status(QStringLiteral("Baixando ") + endereco);
    const QString destino = PastaTabelas() + QStringLiteral("calcinfo.txt");
    baixa(QUrl(endereco), destino);

    QFile f(destino);
    QByteArray bytes;
    if (f.open(QIODevice::ReadOnly))
        bytes = f.readAll();
    if (bytes.startsWith("\xEF\xBB\xBF")) // a byte-order mark left by an editor
        bytes.remove(0, 3);
    calcinfo_ = SeparaLinhas(DecodificaAnsi(bytes));
    const bool nova = versao_ < numeroDaLinha(calcinfo_.value(0));
    interface_.status(nova ? QStringLiteral("Nova atualização encontrada!")
                           : QStringLiteral("Não há nova atualização para o programa."));
    interface_.mostraProgresso(false);
    return nova;
}

} // namespace quintar
