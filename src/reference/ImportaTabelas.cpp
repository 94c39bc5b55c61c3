#include "ImportaTabelas.h"

#include "Erro.h"
#include "Pastas.h"
#include "Rotinas.h"
#include "TextoAnsi.h"
#include "Valores.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>

namespace quintar {

namespace {

QStringList nomesColunas(const LayoutDat& layout)
{
    QStringList nomes;
    for (const CampoDat& c : layout.valores())
        nomes.append(c.nome);
    return nomes;
}

QString sqlMescla(const LayoutDat& layout)
{
    const QStringList colunas = nomesColunas(layout);
    const QStringList chave = colunas.mid(0, layout.chaves);
    QStringList atribuicoes;
    for (const QString& c : colunas.mid(layout.chaves))
        atribuicoes.append(c + QStringLiteral(" = excluded.") + c);
    QStringList marcas;
    for (qsizetype i = 0; i < colunas.size(); ++i)
        marcas.append(QStringLiteral("?"));
    return QStringLiteral("INSERT INTO ") + layout.tabela + QStringLiteral(" (") + colunas.join(QStringLiteral(", "))
        + QStringLiteral(") VALUES (") + marcas.join(QStringLiteral(", ")) + QStringLiteral(") ON CONFLICT (")
        + chave.join(QStringLiteral(", ")) + QStringLiteral(") DO UPDATE SET ")
        + atribuicoes.join(QStringLiteral(", "));
}

QVariant valorBanco(const CampoDat& campo, const QVariant& valor)
{
    return campo.tipo == TipoCampo::Data ? bancoData(valor.toDate()) : valor;
}

QByteArray leArquivo(const QString& caminho, const QString& nome)
{
    QFile f(caminho);
    if (!f.exists())
        throw Erro(QStringLiteral("O arquivo ") + nome + QStringLiteral(" não foi encontrado em ")
            + QDir::toNativeSeparators(QFileInfo(caminho).absolutePath()) + u'.');
    if (!f.open(QIODevice::ReadOnly))
        throw Erro(QStringLiteral("Não foi possível abrir o arquivo ") + QDir::toNativeSeparators(caminho)
            + QStringLiteral(": ") + f.errorString());
    QByteArray bytes = f.readAll();
    if (f.error() != QFileDevice::NoError)
        throw Erro(QStringLiteral("Erro de entrada/saída ao ler o arquivo ") + QDir::toNativeSeparators(caminho)
            + QStringLiteral(": ") + f.errorString());
    return bytes;
}

} // namespace

void ImportaArquivo(BancoDados& banco, Feedback& feedback, const LayoutDat& layout, const QString& pasta)
{
    const QString origem = ComBarra(pasta.isEmpty() ? PastaTabelas() : pasta) + layout.arquivo;
    const int linhas = banco.escalar(QStringLiteral("SELECT COUNT(*) FROM ") + layout.tabela).toInt();
    const int maximo = linhas + 1 + (layout.tabela == u"DIARIO" ? 31 : 0);
    feedback.status(QStringLiteral("Atualizando : ") + layout.arquivoTabela);
    feedback.progresso(0, maximo);

    const QByteArray bytes = leArquivo(origem, layout.arquivo);
    int resto = 0;
    const QVector<RegistroDat> registros = DecodificaRegistros(layout, bytes, &resto);

    // A record that cannot be right (a garbage file served in place of the table) must not
    // reach the tables the calculations read; such a file is refused as a whole.
    for (qsizetype i = 0; i < registros.size(); ++i) {
        const QString problema = ProblemaRegistro(layout, registros[i]);
        if (!problema.isEmpty())
            throw Erro(QStringLiteral("O arquivo ") + layout.arquivo
                + QStringLiteral(" tem um registro inválido (registro ") + QString::number(i + 1) + QStringLiteral(": ")
                + problema + QStringLiteral("). Nenhum registro dele foi incorporado."));
    }

    const QVector<CampoDat> campos = layout.valores();
    {
        Transacao t(banco);
        QSqlQuery& q = banco.consulta(sqlMescla(layout));
        for (qsizetype i = 0; i < registros.size(); ++i) {
            const RegistroDat& r = registros[i];
            for (int c = 0; c < campos.size(); ++c)
                q.bindValue(c, valorBanco(campos[c], r[c]));
            if (!q.exec())
                throw Erro(MensagemErroBanco(q.lastError()));
            feedback.progresso(static_cast<int>(i + 1), maximo);
        }
        t.confirma();
    }
    if (banco.profundidadeTransacao() == 0)
        banco.Consolida();

    if (resto != 0)
        throw Erro(QStringLiteral("Erro de entrada/saída: o arquivo ") + layout.arquivo
            + QStringLiteral(" termina com um registro incompleto (%1 bytes). Os registros completos anteriores "
                             "(%2) foram incorporados.")
                  .arg(resto)
                  .arg(registros.size()));
    feedback.processaEventos();
}

void ImportaTabelas(BancoDados& banco, Feedback& feedback, bool apenasINSS, const QString& pasta)
{
    if (apenasINSS) {
        ImportaArquivo(banco, feedback, Layout(ArquivoDat::FaixasINSS), pasta);
        return;
    }
    for (ArquivoDat a : {ArquivoDat::Diario, ArquivoDat::Valores, ArquivoDat::FaixasIR2})
        ImportaArquivo(banco, feedback, Layout(a), pasta);
}

bool ExisteFaixaINSS(BancoDados& banco, int ano, int mes)
{
    QSqlQuery& q = banco.executa(
        QStringLiteral("SELECT * FROM FAIXASINSS WHERE ANO = :ANO AND MES = :MES"), {{"ANO", ano}, {"MES", mes}});
    const bool existe = q.next();
    q.finish();
    return existe;
}

QString TextoTabelasAtualizadas(BancoDados& banco)
{
    QSqlQuery& q = banco.executa(QStringLiteral("SELECT ANO, MES FROM FAIXASINSS ORDER BY ANO DESC, MES DESC"));
    QString texto;
    if (q.next()) {
        const int ano = q.value(0).toInt();
        const int mes = q.value(1).toInt();
        if (mes >= 1 && mes <= 12)
            texto = QStringLiteral("Tabelas atualizadas até ") + NomesMeses(mes) + QStringLiteral(" de ")
                + QString::number(ano) + u'.';
    }
    q.finish();
    return texto;
}

QVector<int> GravaArquivosDat(BancoDados& banco, const QString& pasta)
{
    QVector<int> contagens;
    for (ArquivoDat a : {ArquivoDat::FaixasINSS, ArquivoDat::Valores, ArquivoDat::FaixasIR2, ArquivoDat::Diario}) {
        const LayoutDat& layout = Layout(a);
        const QVector<CampoDat> campos = layout.valores();
        const QStringList colunas = nomesColunas(layout);
        QSqlQuery& q = banco.executa(QStringLiteral("SELECT ") + colunas.join(QStringLiteral(", "))
            + QStringLiteral(" FROM ") + layout.tabela + QStringLiteral(" ORDER BY ")
            + colunas.mid(0, layout.chaves).join(QStringLiteral(", ")));
        QVector<RegistroDat> registros;
        while (q.next()) {
            RegistroDat r;
            for (int c = 0; c < campos.size(); ++c) {
                const QVariant v = q.value(c);
                switch (campos[c].tipo) {
                case TipoCampo::Inteiro:
                    r.append(v.toInt());
                    break;
                case TipoCampo::Data:
                    r.append(lerData(v));
                    break;
                default:
                    r.append(v.toDouble());
                    break;
                }
            }
            registros.append(std::move(r));
        }
        q.finish();
        GravaAtomico(ComBarra(pasta) + layout.arquivo, CodificaRegistros(layout, registros));
        contagens.append(static_cast<int>(registros.size()));
    }
    return contagens;
}

QVector<int> PublicaTabelas(BancoDados& banco, const QString& pasta, qint64 versao)
{
    if (!QDir().mkpath(pasta))
        throw Erro(QStringLiteral("Não foi possível criar a pasta ") + QDir::toNativeSeparators(pasta) + u'.');
    const QVector<int> contagens = GravaArquivosDat(banco, pasta);
    GravaLinhasAnsi(ComBarra(pasta) + QStringLiteral("calcinfo.txt"), {QString::number(versao)});
    return contagens;
}

} // namespace quintar
