#include "Ambiente.h"
#include "ArquivoCaso.h"
#include "Erro.h"
#include "Esquema.h"
#include "Pastas.h"
#include "TextoAnsi.h"
#include "Valores.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

using namespace quintar;
using namespace quintar::teste;

namespace {

const QString NomePlena = QStringLiteral("José da Conceição <Ltda> & Filhos");

// One row of every working table with a value in every column, of every column type.
void PreencheTodasAsTabelas(BancoDados& banco, qint64 processoId)
{
    for (const Tabela& t : TabelasTrabalho()) {
        const int linhas = t.chave.isEmpty() ? 2 : 1; // the schedule tables take identical rows
        for (int n = 0; n < linhas; ++n) {
            QStringList colunas, marcadores;
            QVariantList valores;
            for (int i = 0; i < t.colunas.size(); ++i) {
                const Coluna& c = t.colunas[i];
                QVariant v;
                switch (c.tipo) {
                case TipoColuna::Decimal18: v = processoId; break;
                case TipoColuna::SmallInt: v = 2000 + i; break;
                case TipoColuna::Integer: v = -100 * i; break;
                case TipoColuna::Money: v = bancoMoney(Money::fromRaw(12345678 + i)); break;
                case TipoColuna::Decimal: v = bancoDecimal(Money::fromRaw(85000 + (c.escala == 4 ? 833 : 0)), c.escala); break;
                case TipoColuna::Float: v = 1.234567891; break;
                case TipoColuna::Date: v = bancoData(QDate(2008, 3, 5).addDays(i)); break;
                case TipoColuna::Timestamp: v = bancoTimestamp(QDateTime(QDate(2008, 3, 5), QTime(14, 7, 33))); break;
                case TipoColuna::Char: v = QStringLiteral("S"); break;
                case TipoColuna::Varchar: v = NomePlena; break;
                }
                colunas.append(c.nome);
                marcadores.append(QStringLiteral("?"));
                valores.append(v);
            }
            QSqlQuery q(banco.conexao());
            q.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(t.nome, colunas.join(u','), marcadores.join(u',')));
            for (int i = 0; i < valores.size(); ++i)
                q.bindValue(i, valores[i]);
            ASSERT_TRUE(q.exec()) << t.nome.toStdString();
        }
    }
}

QString ProcessoMinimo(const QString& corpo)
{
    return QStringLiteral("<PROCESSO>\r\n <TAB_PROCESSO>\r\n  <PROCESSO_ID>7</PROCESSO_ID>\r\n  <NUMERO>7</NUMERO>\r\n"
                          " </TAB_PROCESSO>\r\n")
           + corpo + QStringLiteral("</PROCESSO>\r\n");
}

int Contagem(BancoDados& banco, const QString& tabela)
{
    return banco.escalar(QStringLiteral("SELECT COUNT(*) FROM ") + tabela).toInt();
}

} // namespace

TEST(ArquivoCaso, NameComesFromTheIdentification)
{
    EXPECT_EQ(NomeArquivo(123, 2008, 1, 5, 0), QStringLiteral("00123.2008.001.05.00.QNT.XML"));
}

TEST(ArquivoCaso, EveryTableAndColumnTypeReadsAndWritesBackByteForByte)
{
    Ambiente a;
    PreencheTodasAsTabelas(a.banco, 123);
    const QString primeiro = a.caminho(QStringLiteral("primeiro.QNT.XML"));
    GravaArquivo(a.banco, primeiro, 123, a.feedback);
    const QByteArray escrito = LeBytes(primeiro);

    // The format itself is pinned by a file kept with the tests.
    EXPECT_EQ(escrito, LeBytes(Fixture(QStringLiteral("todas_as_tabelas.QNT.XML"))));
    EXPECT_TRUE(escrito.startsWith("<PROCESSO>\r\n <TAB_PROCESSO>\r\n  <PROCESSO_ID>123</PROCESSO_ID>\r\n"));
    EXPECT_TRUE(escrito.endsWith(" </TAB_DEMONSTRATIVO_MENSAL>\r\n</PROCESSO>\r\n"));
    // Windows-1252, no escaping.
    EXPECT_TRUE(escrito.contains(CodificaAnsi(QStringLiteral("<RECLAMANTE_PRINCIPAL>") + NomePlena)));

    LeArquivo(a.banco, primeiro, a.feedback);
    EXPECT_TRUE(a.feedback.mensagens.isEmpty());
    EXPECT_EQ(Contagem(a.banco, QStringLiteral("TAB_JT_EXTRA")), 2);
    const QString segundo = a.caminho(QStringLiteral("segundo.QNT.XML"));
    GravaArquivo(a.banco, segundo, 123, a.feedback);
    EXPECT_EQ(LeBytes(segundo), escrito);
    EXPECT_EQ(a.banco.escalar(QStringLiteral("SELECT RECLAMANTE_PRINCIPAL FROM TAB_PROCESSO")).toString(), NomePlena);
}

TEST(ArquivoCaso, ValueTextsUseTheBrazilianConventions)
{
    Ambiente a;
    a.banco.executaDireto(QStringLiteral(
        "INSERT INTO TAB_PROCESSO (PROCESSO_ID, NUMERO, SALARIO_FIXO, DATA_CALCULO, DATA_INICIO_PACTO) "
        "VALUES (9, 9, 12345600, '2008-03-05 00:00:00', '2008-03-05')"));
    a.banco.executaDireto(QStringLiteral(
        "INSERT INTO TAB_HORAS_EXTRAS (PROCESSO_ID, SEQUENCIAL, ANO_INICIAL, MES_INICIAL, PERCENTUAL, OUTRO_DIVISOR) "
        "VALUES (9, 1, 2008, 3, 833, 2200000)"));
    const QString texto = DecodificaAnsi(ConteudoArquivo(a.banco, 9));
    EXPECT_TRUE(texto.contains(QStringLiteral("<SALARIO_FIXO>1234,56</SALARIO_FIXO>")));
    EXPECT_TRUE(texto.contains(QStringLiteral("<DATA_CALCULO>05/03/2008</DATA_CALCULO>"))); // midnight: no time
    EXPECT_TRUE(texto.contains(QStringLiteral("<DATA_INICIO_PACTO>05/03/2008</DATA_INICIO_PACTO>")));
    EXPECT_TRUE(texto.contains(QStringLiteral("<PERCENTUAL>0,0833</PERCENTUAL>")));
    EXPECT_TRUE(texto.contains(QStringLiteral("<OUTRO_DIVISOR>220</OUTRO_DIVISOR>")));
    EXPECT_FALSE(texto.contains(QStringLiteral("NUMERO_MEDIO_DIURNO"))); // NULL columns are left out
    // Only the case's own rows go to its file: four lines plus one per non-NULL column.
    a.banco.executaDireto(QStringLiteral("INSERT INTO TAB_PROCESSO (PROCESSO_ID, NUMERO) VALUES (10, 10)"));
    EXPECT_EQ(SeparaLinhas(DecodificaAnsi(ConteudoArquivo(a.banco, 10))).size(), 4 + 2);
}

TEST(ArquivoCaso, TheReaderIsTolerantOfCaseLineBreaksAndLayout)
{
    Ambiente a;
    // Lower-case tags, bare LF and CR line ends, the last row followed by the root's closing
    // tag on the same line, the _UNICO names of older files and a date with a short year.
    const QByteArray arquivo =
        "<processo>\n <tab_processo>\r  <processo_id>123</processo_id>\n  <NUMERO_UNICO>123</NUMERO_UNICO>"
        "<DATA_INICIO_PACTO>5/3/08</DATA_INICIO_PACTO>"
        "<ANO_UNICO>2008</ANO_UNICO><VARA_UNICO>1</VARA_UNICO><REGIONAL_UNICO>5</REGIONAL_UNICO>"
        "<SEQUENCIAL_UNICO>0</SEQUENCIAL_UNICO>\n </tab_processo>"
        "<TAB_RSR><PROCESSO_ID>123</PROCESSO_ID><sobre_hora_extra>S</sobre_hora_extra></TAB_RSR></processo>";
    GravaBytes(a.caminho(QStringLiteral("minusculo.xml")), arquivo);
    LeArquivo(a.banco, a.caminho(QStringLiteral("minusculo.xml")), a.feedback);
    EXPECT_EQ(NomeArquivo(a.banco, 123), QStringLiteral("00123.2008.001.05.00.QNT.XML"));
    EXPECT_EQ(a.banco.escalar(QStringLiteral("SELECT DATA_INICIO_PACTO FROM TAB_PROCESSO")).toString(),
        QStringLiteral("2008-03-05"));
    EXPECT_EQ(a.banco.escalar(QStringLiteral("SELECT SOBRE_HORA_EXTRA FROM TAB_RSR")).toString(), QStringLiteral("S"));
    EXPECT_TRUE(a.feedback.estados.contains(QStringLiteral("Importando TAB_RSR.")));
}

TEST(ArquivoCaso, EachFailureHasItsMessageAndEffect)
{
    struct Caso {
        const char* nome;
        QString conteudo;
        QString mensagem; // empty: reading succeeds
        QString informado; // the message that does not stop the reading
        int linhasProcesso;
    };
    const QString caminhoFalso = QStringLiteral("%CAMINHO%");
    const Caso casos[] = {
        {"raiz errada", QStringLiteral("<CASO></CASO>"),
            QStringLiteral("Arquivo \"%CAMINHO%\" não respeita as regras definidas."), {}, 1},
        {"tabela desconhecida", ProcessoMinimo(QStringLiteral(" <TAB_OUTRA><A>1</A></TAB_OUTRA>\r\n")),
            QStringLiteral("Estrutura \"TAB_OUTRA\" não prevista na aplicação."), {}, 1},
        {"coluna desconhecida",
            ProcessoMinimo(QStringLiteral(" <TAB_RSR><PROCESSO_ID>7</PROCESSO_ID><COR>azul</COR></TAB_RSR>\r\n"
                                          " <TAB_IR><PROCESSO_ID>7</PROCESSO_ID></TAB_IR>\r\n")),
            {}, QStringLiteral("Estrutura \"COR\" não prevista na tabela \"TAB_RSR\"."), 1},
        {"chave repetida",
            ProcessoMinimo(QStringLiteral(" <TAB_PROCESSO><PROCESSO_ID>7</PROCESSO_ID></TAB_PROCESSO>\r\n")),
            QStringLiteral("Estrutura com informações repetidas :TAB_PROCESSO"), {}, 1},
        {"data inválida",
            ProcessoMinimo(QStringLiteral(
                " <TAB_JUROS><PROCESSO_ID>7</PROCESSO_ID><DATA_FIM_JUROS>31/02/2008</DATA_FIM_JUROS></TAB_JUROS>\r\n")),
            QStringLiteral("\"31/02/2008\" não é um valor válido para o campo DATA_FIM_JUROS."), {}, 1},
        {"número inválido",
            ProcessoMinimo(
                QStringLiteral(" <TAB_JUROS><PROCESSO_ID>7</PROCESSO_ID><JUROS>1.234,56</JUROS></TAB_JUROS>\r\n")),
            QStringLiteral("\"1.234,56\" não é um valor válido para o campo JUROS."), {}, 1},
        {"ano fora da faixa",
            ProcessoMinimo(
                QStringLiteral(" <TAB_SALARIO><PROCESSO_ID>7</PROCESSO_ID><ANO>70000</ANO></TAB_SALARIO>\r\n")),
            QStringLiteral("\"70000\" não é um valor válido para o campo ANO."), {}, 1},
        // A row without its case or a key column is refused: the database would give a
        // PROCESSO_ID of its own (the next free number, which is another case's).
        {"linha sem processo",
            ProcessoMinimo(QStringLiteral(" <TAB_RSR><SOBRE_HORA_EXTRA>S</SOBRE_HORA_EXTRA></TAB_RSR>\r\n")),
            QStringLiteral("Estrutura \"TAB_RSR\" sem o campo \"PROCESSO_ID\"."), {}, 1},
        {"processo vazio", ProcessoMinimo(QStringLiteral(" <TAB_IR><PROCESSO_ID></PROCESSO_ID></TAB_IR>\r\n")),
            QStringLiteral("Estrutura \"TAB_IR\" sem o campo \"PROCESSO_ID\"."), {}, 1},
        {"chave incompleta",
            ProcessoMinimo(QStringLiteral(" <TAB_SALARIO><PROCESSO_ID>7</PROCESSO_ID><MES>3</MES></TAB_SALARIO>\r\n")),
            QStringLiteral("Estrutura \"TAB_SALARIO\" sem o campo \"ANO\"."), {}, 1},
        {"jornada sem processo",
            ProcessoMinimo(QStringLiteral(" <TAB_JT_EXTRA><IND_SEGUNDA>S</IND_SEGUNDA></TAB_JT_EXTRA>\r\n")),
            QStringLiteral("Estrutura \"TAB_JT_EXTRA\" sem o campo \"PROCESSO_ID\"."), {}, 1},
        {"arquivo truncado", ProcessoMinimo(QString()).left(60),
            QStringLiteral("Arquivo \"%CAMINHO%\" não respeita as regras definidas."), {}, 1},
        {"linha truncada", QStringLiteral("<PROCESSO><TAB_PROCESSO><PROCESSO_ID>7</PROCESSO_ID><NUMERO>7</PROCESSO>"),
            QStringLiteral("Arquivo \"%CAMINHO%\" não respeita as regras definidas."), {}, 1},
    };
    for (const Caso& c : casos) {
        Ambiente a;
        // The case that was open before must survive any failed reading.
        a.banco.executaDireto(QStringLiteral("INSERT INTO TAB_PROCESSO (PROCESSO_ID, NUMERO) VALUES (1, 1)"));
        const QString caminho = a.caminho(QStringLiteral("caso.QNT.XML"));
        GravaBytes(caminho, CodificaAnsi(c.conteudo));
        QString mensagem;
        try {
            LeArquivo(a.banco, caminho, a.feedback);
        } catch (const Erro& e) {
            mensagem = e.mensagem();
        }
        EXPECT_EQ(mensagem, QString(c.mensagem).replace(caminhoFalso, caminho)) << c.nome;
        EXPECT_EQ(a.feedback.mensagens, c.informado.isEmpty() ? QStringList() : QStringList{c.informado}) << c.nome;
        EXPECT_EQ(Contagem(a.banco, QStringLiteral("TAB_PROCESSO")), c.linhasProcesso) << c.nome;
        if (c.mensagem.isEmpty()) {
            // The row with the unknown column is dropped; the other rows are read.
            EXPECT_EQ(Contagem(a.banco, QStringLiteral("TAB_RSR")), 0) << c.nome;
            EXPECT_EQ(Contagem(a.banco, QStringLiteral("TAB_IR")), 1) << c.nome;
        } else {
            // The working tables are as they were.
            EXPECT_EQ(a.banco.escalar(QStringLiteral("SELECT PROCESSO_ID FROM TAB_PROCESSO")).toInt(), 1) << c.nome;
            for (const char* tabela : {"TAB_RSR", "TAB_IR", "TAB_SALARIO", "TAB_JT_EXTRA"})
                EXPECT_EQ(Contagem(a.banco, QString::fromLatin1(tabela)), 0) << c.nome << " " << tabela;
        }
    }
}

TEST(ArquivoCaso, BadInputGetsAClearMessage)
{
    Ambiente a;
    const QString caminho = a.caminho(QStringLiteral("ruim.QNT.XML"));
    QByteArray binario;
    for (int i = 0; i < 4096; ++i)
        binario.append(char(i * 37 % 256));
    GravaBytes(caminho, binario);
    EXPECT_THROW(LeArquivo(a.banco, caminho, a.feedback), Erro);

    try {
        LeArquivo(a.banco, a.caminho(QStringLiteral("nao-existe.QNT.XML")), a.feedback);
        ADD_FAILURE();
    } catch (const Erro& e) {
        EXPECT_TRUE(e.mensagem().startsWith(QStringLiteral("Não foi possível abrir o arquivo")));
    }

    // Several megabytes on one line read in one pass.
    QString grande = QStringLiteral("<PROCESSO><TAB_PROCESSO><PROCESSO_ID>5</PROCESSO_ID></TAB_PROCESSO>");
    for (int i = 0; i < 40000; ++i)
        grande += QStringLiteral("<TAB_OUTROS_CREDITO><PROCESSO_ID>5</PROCESSO_ID><DESCRICAO>Crédito %1 %2</DESCRICAO>"
                                 "<ANO>2008</ANO><MES>3</MES><VALOR>10,5</VALOR></TAB_OUTROS_CREDITO>")
                      .arg(i)
                      .arg(QString(20, u'x'));
    grande += QStringLiteral("</PROCESSO>");
    GravaBytes(caminho, CodificaAnsi(grande));
    ASSERT_GT(QFileInfo(caminho).size(), 5'000'000);
    LeArquivo(a.banco, caminho, a.feedback);
    EXPECT_EQ(Contagem(a.banco, QStringLiteral("TAB_OUTROS_CREDITO")), 40000);
}

TEST(ArquivoCaso, AFailedWriteLeavesThePreviousFile)
{
    Ambiente a;
    a.banco.executaDireto(QStringLiteral("INSERT INTO TAB_PROCESSO (PROCESSO_ID, NUMERO) VALUES (1, 1)"));
    const QString pasta = a.caminho(QStringLiteral("somente-leitura/"));
    QDir().mkpath(pasta);
    const QString caminho = pasta + QStringLiteral("caso.QNT.XML");
    GravaBytes(caminho, "anterior");
    QFile::setPermissions(pasta, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    if (QFileInfo(pasta).isWritable())
        GTEST_SKIP() << "running with rights that ignore folder permissions";
    EXPECT_THROW(GravaArquivo(a.banco, caminho, 1, a.feedback), Erro);
    QFile::setPermissions(pasta, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_EQ(LeBytes(caminho), QByteArray("anterior"));
}

TEST(ArquivoCaso, AWriteThatRunsOutOfSpaceLeavesThePreviousFile)
{
    Ambiente a;
    PreencheTodasAsTabelas(a.banco, 1);
    const QString caminho = a.caminho(QStringLiteral("caso.QNT.XML"));
    GravaBytes(caminho, "anterior");
    // A file-size limit makes the write fail as a full disk would, whoever runs the test.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit antes{};
    getrlimit(RLIMIT_FSIZE, &antes);
    rlimit limite = antes;
    limite.rlim_cur = 1000;
    setrlimit(RLIMIT_FSIZE, &limite);
    bool falhou = false;
    try {
        GravaArquivo(a.banco, caminho, 1, a.feedback);
    } catch (const Erro&) {
        falhou = true;
    }
    setrlimit(RLIMIT_FSIZE, &antes);
    EXPECT_TRUE(falhou);
    EXPECT_EQ(LeBytes(caminho), QByteArray("anterior"));
    EXPECT_EQ(QDir(a.pasta()).entryList({QStringLiteral("caso.QNT.XML*")}, QDir::Files | QDir::Hidden).size(), 1);
}

TEST(ArquivoCaso, AWriteIntoAMissingFolderFailsWithTheSystemsReason)
{
    Ambiente a;
    a.banco.executaDireto(QStringLiteral("INSERT INTO TAB_PROCESSO (PROCESSO_ID, NUMERO) VALUES (1, 1)"));
    try {
        GravaArquivo(a.banco, a.caminho(QStringLiteral("nao/existe/caso.QNT.XML")), 1, a.feedback);
        ADD_FAILURE();
    } catch (const Erro& e) {
        EXPECT_TRUE(e.mensagem().startsWith(QStringLiteral("Não foi possível gravar o arquivo"))) << e.what();
    }
    EXPECT_TRUE(LeRecentes().isEmpty());
}

TEST(ArquivoCaso, RecentFilesKeepNineNewestLastComparedExactly)
{
    Ambiente a;
    a.banco.executaDireto(QStringLiteral("INSERT INTO TAB_PROCESSO (PROCESSO_ID, NUMERO) VALUES (1, 1)"));
    const auto caminho = [&](int i) { return a.caminho(QStringLiteral("c%1.QNT.XML").arg(i)); };
    const QString maiusculo = a.caminho(QStringLiteral("C1.QNT.XML")); // another file here
    GravaArquivo(a.banco, caminho(1), 1, a.feedback);
    GravaArquivo(a.banco, maiusculo, 1, a.feedback);
    GravaArquivo(a.banco, caminho(2), 1, a.feedback);
    GravaArquivo(a.banco, caminho(1), 1, a.feedback);
    EXPECT_EQ(LeRecentes(), QStringList({maiusculo, caminho(2), caminho(1)})); // once, moved to the end
    for (int i = 3; i <= 9; ++i)
        GravaArquivo(a.banco, caminho(i), 1, a.feedback);
    const QStringList lista = LeRecentes();
    ASSERT_EQ(lista.size(), 9);
    EXPECT_EQ(lista.first(), caminho(2)); // C1 was the oldest and left
    EXPECT_EQ(lista.last(), caminho(9));
    EXPECT_TRUE(LeBytes(a.caminho(QStringLiteral("UltimosArquivos.txt"))).contains("\r\n"));
}

TEST(ArquivoCaso, RecentFilesKeepAnyCharacterOfAPath)
{
    Ambiente a;
    a.banco.executaDireto(QStringLiteral("INSERT INTO TAB_PROCESSO (PROCESSO_ID, NUMERO) VALUES (1, 1)"));
    const QString lista = a.caminho(QStringLiteral("UltimosArquivos.txt"));
    // A list written in Windows-1252 reads as such and is written back in UTF-8.
    GravaBytes(lista, QByteArray("/srv/C\xe1lculos/antigo.QNT.XML\r\n"));
    EXPECT_EQ(LeRecentes(), QStringList{QStringLiteral("/srv/Cálculos/antigo.QNT.XML")});
    // Characters that Windows-1252 does not hold.
    const QString novo = a.caminho(QStringLiteral("Łódź 日本 €.QNT.XML"));
    GravaArquivo(a.banco, novo, 1, a.feedback);
    const QStringList esperada{QStringLiteral("/srv/Cálculos/antigo.QNT.XML"), novo};
    EXPECT_EQ(LeRecentes(), esperada);
    const QByteArray bytes = LeBytes(lista);
    EXPECT_TRUE(bytes.startsWith("/srv/C\xc3\xa1lculos/antigo.QNT.XML\r\n"));
    EXPECT_TRUE(bytes.contains(novo.toUtf8()));
    EXPECT_TRUE(a.feedback.estados.isEmpty());
}

TEST(ArquivoCaso, AListThatCannotBeWrittenIsReportedInTheStatus)
{
    Ambiente a;
    a.banco.executaDireto(QStringLiteral("INSERT INTO TAB_PROCESSO (PROCESSO_ID, NUMERO) VALUES (1, 1)"));
    // A folder in the list's place makes its write fail, whoever runs the test.
    const QString lista = a.caminho(QStringLiteral("UltimosArquivos.txt"));
    ASSERT_TRUE(QDir().mkpath(lista));
    const QString caminho = a.caminho(QStringLiteral("caso.QNT.XML"));
    GravaArquivo(a.banco, caminho, 1, a.feedback);
    EXPECT_TRUE(LeBytes(caminho).startsWith("<PROCESSO>")); // the case file is written
    ASSERT_EQ(a.feedback.estados.size(), 1);
    EXPECT_TRUE(a.feedback.estados.first().startsWith(QStringLiteral("Não foi possível gravar o arquivo \"") + lista))
        << a.feedback.estados.first().toStdString();
    // The search dialog records a file chosen the same way, and is told.
    QString motivo;
    EXPECT_FALSE(RegistraRecente(caminho, &motivo));
    EXPECT_EQ(motivo, a.feedback.estados.first());
}
