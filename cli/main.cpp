// quintar-cli: the calculator's core without windows.
//
// Exit codes: 0 success; 1 a refused or failed command, with the program's message on
// standard error; 2 a usage error.

#include "Comandos.h"
#include "Erro.h"

#include <QGuiApplication>

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>

using namespace quintar;
using namespace quintar::cli;

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
    "      relatórios de um processo calculado (o resumo quando nenhuma opção é dada)\n"
    "  backup [ORIGEM] [DESTINO]\n"
    "      copia os processos de ORIGEM (padrão: o diretório padrão) para DESTINO (padrão: seu Backup/)\n"
    "  restaura ARQUIVO.ZIP DESTINO\n"
    "      restaura um backup em DESTINO sem sobrescrever arquivos\n"
    "\n"
    "A pasta do programa é --pasta DIR, ou a variável QUINTAR_PASTA, ou a pasta do executável.\n";

QTextStream& saidaPadrao()
{
    static QTextStream s(stdout);
    return s;
}

QTextStream& saidaErros()
{
    static QTextStream s(stderr);
    return s;
}

int usoInvalido(const QString& texto)
{
    saidaErros() << texto << "\n\n" << QString::fromUtf8(Uso);
    saidaErros().flush();
    return 2;
}

} // namespace

namespace quintar::cli {

int ErroDeUso(Contexto& contexto, const QString& texto)
{
    contexto.erros.flush();
    return usoInvalido(texto);
}

void FeedbackTerminal::status(const QString& texto)
{
    if (mostraStatus && !texto.isEmpty())
        erros_ << texto << Qt::endl;
}

void FeedbackTerminal::informa(const QString& texto)
{
    erros_ << texto << Qt::endl;
}

} // namespace quintar::cli

int main(int argc, char** argv)
{
    // No command opens a window, but the reports paint with fonts, which only the GUI
    // application provides; it runs on the offscreen platform unless told otherwise.
    std::unique_ptr<QCoreApplication> app;
    if (std::any_of(argv + 1, argv + argc, [](const char* a) { return std::strcmp(a, "relatorio") == 0; })) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    QStringList args = app->arguments().mid(1);

    QString pasta;
    while (!args.isEmpty() && args.first().startsWith(QStringLiteral("--"))) {
        const QString opcao = args.takeFirst();
        if (opcao == u"--help" || opcao == u"-h") {
            saidaPadrao() << QString::fromUtf8(Uso);
            return 0;
        }
        if (opcao != u"--pasta" || args.isEmpty())
            return usoInvalido(opcao == u"--pasta" ? QStringLiteral("--pasta precisa de uma pasta.")
                                                   : QStringLiteral("Opção desconhecida: ") + opcao);
        pasta = args.takeFirst();
    }
    if (args.isEmpty())
        return usoInvalido(QStringLiteral("Informe um comando."));
    const QString comando = args.takeFirst();

    const std::map<QString, int (*)(Contexto&)> comandos = {
        {QStringLiteral("importa"), ComandoImporta},   {QStringLiteral("publica"), ComandoPublica},
        {QStringLiteral("calcula"), ComandoCalcula},   {QStringLiteral("resumo"), ComandoResumo},
        {QStringLiteral("relatorio"), ComandoRelatorio}, {QStringLiteral("backup"), ComandoBackup},
        {QStringLiteral("restaura"), ComandoRestaura},
    };
    const auto it = comandos.find(comando);
    if (it == comandos.end())
        return usoInvalido(QStringLiteral("Comando desconhecido: ") + comando);

    FeedbackTerminal feedback(saidaErros());
    try {
        Programa programa(pasta, feedback);
        Contexto contexto{programa, args, saidaPadrao(), saidaErros()};
        const int codigo = it->second(contexto);
        saidaPadrao().flush();
        saidaErros().flush();
        return codigo;
    } catch (const Erro& e) {
        saidaPadrao().flush();
        saidaErros() << e.mensagem() << Qt::endl;
        return 1;
    }
}
