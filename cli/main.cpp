// quintar-cli: the calculator's core without windows.
//
// Exit codes: 0 success; 1 a refused or failed command, with the program's message on
// standard error; 2 a usage error.

#include "BancoDados.h"
#include "Configuracao.h"
#include "Erro.h"
#include "Feedback.h"
#include "Pastas.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

using namespace quintar;

namespace {

const char* const Uso =
    "Uso: quintar-cli [--pasta DIR] COMANDO [ARGUMENTOS]\n"
    "\n"
    "Comandos:\n"
    "  importa DIR_DAT\n"
    "      incorpora Diario.dat, FaixasINSS.dat, Valores.dat e FaixasIR2.dat de DIR_DAT às tabelas\n"
    "  publica DIR\n"
    "      grava em DIR os quatro arquivos .dat das tabelas atuais e o calcinfo.txt\n"
    "  calcula CASO.QNT.XML [--agora \"dd/mm/aaaa hh:nn:ss\"] [--saida SAIDA.QNT.XML]\n"
    "      lê o processo, executa o cálculo, grava o processo e mostra o resumo\n"
    "  resumo CASO.QNT.XML\n"
    "      mostra o resumo do processo como está gravado\n"
    "  relatorio CASO.QNT.XML (--pdf ARQ | --rtf ARQ) [--resumo] [--demonstrativo]\n"
    "      relatórios de um processo calculado\n"
    "  backup [ORIGEM] [DESTINO]\n"
    "      copia os processos de ORIGEM (padrão: o diretório padrão) para DESTINO (padrão: seu Backup/)\n"
    "  restaura ARQUIVO.ZIP DESTINO\n"
    "      restaura um backup em DESTINO sem sobrescrever arquivos\n"
    "\n"
    "A pasta do programa é --pasta DIR, ou a variável QUINTAR_PASTA, ou a pasta do executável.\n";

QTextStream& saida()
{
    static QTextStream s(stdout);
    return s;
}

QTextStream& erros()
{
    static QTextStream s(stderr);
    return s;
}

// Status texts go to standard error so that standard output holds only results.
class FeedbackTerminal : public Feedback {
public:
    void status(const QString&) override {}
    void informa(const QString& texto) override { erros() << texto << Qt::endl; }
};

int erroDeUso(const QString& texto)
{
    erros() << texto << "\n\n" << QString::fromUtf8(Uso);
    erros().flush();
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);

    QString pasta;
    while (!args.isEmpty() && args.first().startsWith(QStringLiteral("--"))) {
        const QString opcao = args.takeFirst();
        if (opcao == u"--help" || opcao == u"-h") {
            saida() << QString::fromUtf8(Uso);
            return 0;
        }
        if (opcao == u"--pasta") {
            if (args.isEmpty())
                return erroDeUso(QStringLiteral("--pasta precisa de uma pasta."));
            pasta = args.takeFirst();
        } else {
            return erroDeUso(QStringLiteral("Opção desconhecida: ") + opcao);
        }
    }
    if (args.isEmpty())
        return erroDeUso(QStringLiteral("Informe um comando."));
    const QString comando = args.takeFirst();

    try {
        DefinePastaPrograma(ResolvePastaPrograma(pasta));
        Configuracao configuracao;
        IniciaConfiguracao(configuracao);
        GarantePastas();
        BancoDados banco;
        banco.abre(PastaTabelas());
        FeedbackTerminal feedback;
        banco.ReiniciaTabelas(feedback);

        return erroDeUso(QStringLiteral("Comando desconhecido: ") + comando);
    } catch (const Erro& e) {
        erros() << e.mensagem() << Qt::endl;
        return 1;
    }
}
