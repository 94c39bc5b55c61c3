// quintar: the desktop program.
//
//   quintar [--pasta DIR] [CASO.QNT.XML]
//
// One copy runs per user and program folder: a second start brings the first one to the
// front (handing it the case file, if one is given) and ends with exit code 0.

#include "Aplicacao.h"
#include "Erro.h"
#include "InstanciaUnica.h"
#include "Interface.h"
#include "Pastas.h"
#include "TfrmPrincipal.h"

#include <QApplication>
#include <QFileInfo>
#include <QTimer>

using namespace quintar;

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    PreparaAplicacao(app);

    QString pasta, arquivo;
    QStringList args = app.arguments().mid(1);
    while (!args.isEmpty()) {
        const QString a = args.takeFirst();
        if (a == u"--pasta" && !args.isEmpty())
            pasta = args.takeFirst();
        else if (!a.startsWith(u'-') && arquivo.isEmpty())
            arquivo = QFileInfo(a).absoluteFilePath();
    }

    InstanciaUnica instancia(ResolvePastaPrograma(pasta));
    if (!instancia.inicia(arquivo))
        return 0;

    std::unique_ptr<TfrmPrincipal> janela;
    try {
        janela = std::make_unique<TfrmPrincipal>(pasta);
    } catch (const Erro& e) {
        MostraErro(nullptr, e.mensagem());
        return 1;
    }
    janela->defineArquivoInicial(arquivo);
    QObject::connect(&instancia, &InstanciaUnica::pedido, janela.get(), [&janela](const QString& caminho) {
        janela->setWindowState((janela->windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
        janela->show();
        janela->raise();
        janela->activateWindow();
        if (QApplication::activeModalWidget() == nullptr)
            janela->AbreArquivoExterno(caminho);
    });
    // For the start-up benchmark: end as soon as the window stands with its case open.
    if (qEnvironmentVariableIsSet("QUINTAR_ENCERRA_APOS_ABRIR"))
        QObject::connect(janela.get(), &TfrmPrincipal::primeiraAtivacaoConcluida, &app,
            [] { QTimer::singleShot(0, qApp, &QCoreApplication::quit); });
    janela->show();
    return app.exec();
}
