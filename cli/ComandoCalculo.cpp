#include "Comandos.h"

#include "ArquivoCaso.h"
#include "CasoAberto.h"
#include "Erro.h"
#include "Motor.h"
#include "Valores.h"

#include <QDir>
#include <QFileInfo>

namespace quintar::cli {

namespace {

// The main window's items (caption and total) and its "Resumo" group.
void imprimeResumo(const CasoAberto& caso, QTextStream& saida)
{
    const auto valor = [&](const char* coluna) { return caso.money(QString::fromLatin1(coluna)).formatado(); };
    const QDateTime calculo = lerTimestamp(caso.valor(u"DATA_CALCULO"));
    saida << "Número Único: " << caso.Chave() << '\n';
    saida << "Reclamante: " << caso.texto(u"RECLAMANTE_PRINCIPAL") << '\n';
    saida << "Reclamado: " << caso.texto(u"RECLAMADO_PRINCIPAL") << '\n';
    saida << "Data do Último Cálculo: " << (calculo.isValid() ? calculo.toString(QStringLiteral("dd/MM/yyyy HH:mm")) : QString())
          << '\n';
    static const std::pair<const char*, const char*> itens[] = {
        {"Aviso Prévio", "VALOR_AVISO_PREVIO"},
        {"Salário", "VALOR_SALARIO"},
        {"13º Salário", "VALOR_13_SALARIO"},
        {"Férias", "VALOR_FERIAS"},
        {"FGTS", "VALOR_FGTS"},
        {"INSS", "VALOR_INSS_TOTAL"},
        {"Imposto de Renda", "VALOR_IR"},
        {"Juros", "VALOR_JUROS"},
        {"Horas Extras", "VALOR_HORAS_EXTRAS"},
        {"Adicional Noturno", "VALOR_NOTURNO"},
        {"Adicional Insalubridade", "VALOR_INSALUBRIDADE"},
        {"Adicional Periculosidade", "VALOR_PERICULOSIDADE"},
        {"Repouso Semanal Remunerado", "VALOR_RSR"},
        {"Multas", "VALOR_MULTAS"},
        {"Outros (Crédito)", "VALOR_OUTROS_CRED"},
        {"Outros (Débito)", "VALOR_OUTROS_DEB"},
    };
    for (const auto& [rotulo, coluna] : itens)
        saida << QString::fromUtf8(rotulo) << ": " << valor(coluna) << '\n';
    const Money inssReclamado = caso.money(u"VALOR_INSS_TOTAL") - caso.money(u"VALOR_INSS_RECLAMANTE");
    saida << "Total Reclamado: " << valor("TOTAL_CALCULO") << '\n';
    saida << "INSS Reclamado: " << inssReclamado.formatado() << '\n';
    saida << "INSS Reclamante: " << valor("VALOR_INSS_RECLAMANTE") << '\n';
    saida << "Imposto de Renda: " << valor("VALOR_IR") << '\n';
    saida << "Líquido Reclamante: " << valor("LIQUIDO_RECLAMANTE") << '\n';
}

QString absoluto(const QString& caminho)
{
    return QFileInfo(caminho).absoluteFilePath();
}

} // namespace

int ComandoCalcula(Contexto& contexto)
{
    QStringList args = contexto.argumentos;
    QString arquivo, saidaArquivo;
    QDateTime agora;
    while (!args.isEmpty()) {
        const QString a = args.takeFirst();
        if (a == u"--agora" || a == u"--saida") {
            if (args.isEmpty())
                return ErroDeUso(contexto, a + QStringLiteral(" precisa de um valor."));
            const QString v = args.takeFirst();
            if (a == u"--saida") {
                saidaArquivo = v;
            } else {
                agora = QDateTime::fromString(v, QStringLiteral("dd/MM/yyyy HH:mm:ss"));
                if (!agora.isValid())
                    return ErroDeUso(contexto, QStringLiteral("--agora deve ser \"dd/mm/aaaa hh:nn:ss\"."));
            }
        } else if (arquivo.isEmpty() && !a.startsWith(QStringLiteral("--"))) {
            arquivo = a;
        } else {
            return ErroDeUso(contexto, QStringLiteral("Argumento inesperado: ") + a);
        }
    }
    if (arquivo.isEmpty())
        return ErroDeUso(contexto, QStringLiteral("Informe o arquivo do processo."));

    Motor motor(contexto.programa.banco(), contexto.programa.feedback());
    CasoAberto caso(motor);
    if (agora.isValid())
        caso.relogio = [agora] { return agora; };
    caso.AbreArquivo(absoluto(arquivo));
    if (!saidaArquivo.isEmpty())
        caso.arquivoEscolhido = absoluto(saidaArquivo);
    caso.Calcular();
    imprimeResumo(caso, contexto.saida);
    return 0;
}

int ComandoResumo(Contexto& contexto)
{
    if (contexto.argumentos.size() != 1)
        return ErroDeUso(contexto, QStringLiteral("Informe o arquivo do processo."));
    BancoDados& banco = contexto.programa.banco();
    LeArquivo(banco, absoluto(contexto.argumentos.first()), contexto.programa.feedback());
    Motor motor(banco, contexto.programa.feedback());
    CasoAberto caso(motor);
    const QVariant id = banco.escalar(QStringLiteral("SELECT PROCESSO_ID FROM TAB_PROCESSO"));
    if (id.isNull() || !caso.Localiza(id.toLongLong()))
        throw Erro(QStringLiteral("Processo não encontrado."));
    imprimeResumo(caso, contexto.saida);
    return 0;
}

} // namespace quintar::cli
