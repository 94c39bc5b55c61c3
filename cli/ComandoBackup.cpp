#include "Backup.h"
#include "Comandos.h"
#include "Erro.h"
#include "Pastas.h"

#include <QDir>

namespace quintar::cli {

namespace {

// The file names and the totals text as lines; the bars are left to the window.
class PainelTerminal : public PainelProgresso {
public:
    explicit PainelTerminal(QTextStream& saida) : saida_(saida) { }
    void nomeArquivo(const QString& nome) override
    {
        if (!nome.isEmpty())
            saida_ << nome << Qt::endl;
    }
    void textoTotais(const QString& texto) override
    {
        if (!texto.isEmpty())
            saida_ << texto << Qt::endl;
    }

private:
    QTextStream& saida_;
};

// The program's messages break lines with "\r", as a message box does.
QString Linhas(const QString& mensagem)
{
    return QString(mensagem).replace(u'\r', u'\n');
}

// A path given at the command line is relative to the folder the command runs in.
QString Absoluto(const QString& caminho)
{
    return caminho.isEmpty() ? caminho : QDir::current().absoluteFilePath(caminho);
}

int Falha(Contexto& contexto, const Erro& e)
{
    contexto.saida.flush();
    contexto.erros << Linhas(e.mensagem()) << Qt::endl;
    return 1;
}

} // namespace

int ComandoBackup(Contexto& contexto)
{
    const QStringList& args = contexto.argumentos;
    if (args.size() > 2)
        return ErroDeUso(contexto, QStringLiteral("backup aceita no máximo ORIGEM e DESTINO."));
    const QString origem = args.size() > 0 ? Absoluto(args[0]) : DiretorioPadrao();
    const QString destino = args.size() > 1 ? Absoluto(args[1]) : DiretorioPadrao() + QStringLiteral("Backup/");
    PainelTerminal painel(contexto.saida);
    try {
        const ResultadoBackup r = FazBackup(origem, destino, painel);
        contexto.saida << Linhas(r.mensagem) << Qt::endl;
        return 0;
    } catch (const Erro& e) {
        return Falha(contexto, e);
    }
}

int ComandoRestaura(Contexto& contexto)
{
    const QStringList& args = contexto.argumentos;
    if (args.size() != 2)
        return ErroDeUso(contexto, QStringLiteral("restaura precisa de ARQUIVO.ZIP e DESTINO."));
    PainelTerminal painel(contexto.saida);
    try {
        const ResultadoRestauracao r = RestauraBackup(Absoluto(args[0]), Absoluto(args[1]), painel);
        for (const QString& nome : r.existentes)
            contexto.saida << QStringLiteral("Já existe, não sobrescrito: ") << nome << Qt::endl;
        for (const QString& nome : r.recusados)
            contexto.saida << QStringLiteral("Entrada recusada (caminho inseguro): ") << nome << Qt::endl;
        contexto.saida << Linhas(r.mensagem) << Qt::endl;
        return 0;
    } catch (const Erro& e) {
        return Falha(contexto, e);
    }
}

} // namespace quintar::cli
