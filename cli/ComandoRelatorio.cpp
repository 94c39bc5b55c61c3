#include "ArquivoCaso.h"
#include "Comandos.h"
#include "DadosRelatorio.h"
#include "Erro.h"
#include "Formatos.h"
#include "RelatoriosCalculo.h"

#include <QCoreApplication>
#include <QGuiApplication>

namespace quintar::cli {

// relatorio CASO.QNT.XML (--pdf ARQ | --rtf ARQ) [--resumo] [--demonstrativo]
int ComandoRelatorio(Contexto& contexto)
{
    QString caso, pdf, rtf;
    bool resumo = false, demonstrativo = false;
    QStringList args = contexto.argumentos;
    while (!args.isEmpty()) {
        const QString a = args.takeFirst();
        if (a == u"--pdf" || a == u"--rtf") {
            if (args.isEmpty())
                return ErroDeUso(contexto, a + QStringLiteral(" precisa de um arquivo."));
            if (!pdf.isEmpty() || !rtf.isEmpty())
                return ErroDeUso(contexto, QStringLiteral("Informe --pdf ou --rtf, uma só vez."));
            (a == u"--pdf" ? pdf : rtf) = args.takeFirst();
        } else if (a == u"--resumo") {
            resumo = true;
        } else if (a == u"--demonstrativo") {
            demonstrativo = true;
        } else if (a.startsWith(QStringLiteral("--"))) {
            return ErroDeUso(contexto, QStringLiteral("Opção desconhecida: ") + a);
        } else if (caso.isEmpty()) {
            caso = a;
        } else {
            return ErroDeUso(contexto, QStringLiteral("Argumento a mais: ") + a);
        }
    }
    if (caso.isEmpty())
        return ErroDeUso(contexto, QStringLiteral("Informe o arquivo do processo."));
    if (pdf.isEmpty() && rtf.isEmpty())
        return ErroDeUso(contexto, QStringLiteral("Informe --pdf ARQ ou --rtf ARQ."));
    if (!resumo && !demonstrativo)
        resumo = true;
    // Painting a PDF needs fonts, and fonts need the GUI application (offscreen here).
    if (!pdf.isEmpty() && !qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        throw Erro(QStringLiteral("Não é possível gerar PDF sem a aplicação gráfica."));

    BancoDados& banco = contexto.programa.banco();
    LeArquivo(banco, caso, contexto.programa.feedback());
    const QVariant id = banco.escalar(QStringLiteral("SELECT PROCESSO_ID FROM TAB_PROCESSO ORDER BY PROCESSO_ID"));
    if (id.isNull())
        throw Erro(QStringLiteral("O arquivo \"%1\" não contém processo.").arg(caso));
    const DadosRelatorio dados = LeDadosRelatorio(banco, id.toLongLong());
    // The reports show the results of a calculation; a case never calculated has none, and
    // blank totals must not reach a signed page.
    if (FormataDataHora(dados.processo("DATA_CALCULO")).isEmpty())
        throw Erro(QStringLiteral("O processo ainda não foi calculado."));

    const Destino destino = pdf.isEmpty() ? Destino::ArquivoRtf : Destino::ArquivoPdf;
    TodosRep todos;
    PreparaTodosRep(todos, dados, resumo, demonstrativo, destino);
    if (destino == Destino::ArquivoPdf)
        todos.gravaPdf(pdf, QStringLiteral("Cálculo ") + Chave(dados.que1));
    else
        todos.gravaRtf(rtf);
    return 0;
}

} // namespace quintar::cli
