// The life of a case outside the windows: the new-case dialog's row and checks, the small
// text files of the program folder, renumbering, and what the main window's commands do
// to the open case (unticking items, a new reference salary, a changed contract period,
// the salary history's newest month, opening a damaged file, saving under another number).
//
// The open-case tests work on the sample case shipped in data/exemplo/ over the shipped
// reference tables, with the clock fixed at 10/12/2026 10:00.

#include "ArquivoCaso.h"
#include "CicloCaso.h"
#include "DadosIniciais.h"
#include "Erro.h"
#include "MotorTeste.h"
#include "Pastas.h"
#include "Registros.h"
#include "Rotinas.h"
#include "TextoAnsi.h"

#include <QFile>
#include <QMap>
#include <QSet>

using namespace quintar;
using namespace quintar::teste;

namespace {

using Estado = Registros::Estado;

const QDate Hoje(2020, 12, 10);

// Index 1,0 on every day from 2018 to the end of November 2020.
void IndicesNovoCaso(BancoDados& banco)
{
    Indices(banco, QDate(2018, 1, 1), QDate(2020, 11, 30), [](QDate) { return 1.0; });
}

// The new-case dialog's row: TAB_PROCESSO of case 0, written at its posting, with the
// dialog's defaults and checks, appended as the dialog does when it is shown.
struct NovoCaso {
    explicit NovoCaso(Ambiente& a, QDate hoje = Hoje) : processo(a.banco, u"TAB_PROCESSO")
    {
        processo.emCache = false;
        processo.aoNovoRegistro = [&a, hoje](Registros& r) { NovoRegistroProcesso(r, a.banco, hoje); };
        processo.antesDePostar = [&a, hoje](Registros& r) { ValidaNovoProcesso(r, a.banco, hoje); };
        processo.abre(0);
        processo.Acrescenta();
    }
    void Preenche(int numero, int ano, int vara, int regional, int sequencial, QDate inicio = QDate(2019, 2, 3),
        QDate fim = QDate(2020, 9, 15))
    {
        processo.define(u"NUMERO", numero);
        processo.define(u"ANO", ano);
        processo.define(u"VARA", vara);
        processo.define(u"REGIONAL", regional);
        processo.define(u"SEQUENCIAL", sequencial);
        processo.define(u"DATA_INICIO_PACTO", bancoData(inicio));
        processo.define(u"DATA_FIM_PACTO", bancoData(fim));
        processo.define(u"SALARIO_FIXO", bancoMoney(R("1500")));
    }
    Registros processo;
};

int Conta(BancoDados& banco, const QString& tabela, qint64 processo)
{
    return banco
        .escalar(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE PROCESSO_ID = :id").arg(tabela), {{"id", processo}})
        .toInt();
}

QMap<QString, int> Contagens(BancoDados& banco, qint64 processo)
{
    QMap<QString, int> n;
    for (const QString& t : TabelasCaso())
        n[t] = Conta(banco, t, processo);
    return n;
}

int TodasAsLinhas(BancoDados& banco)
{
    int n = 0;
    for (const QString& t : TabelasCaso())
        n += banco.escalar(QStringLiteral("SELECT COUNT(*) FROM ") + t).toInt();
    return n;
}

QStringList Flags()
{
    QStringList flags;
    for (const Coluna& c : TabelaTrabalho(u"TAB_PROCESSO")->colunas)
        if (c.nome.startsWith(u"CALCULA_"))
            flags.append(c.nome);
    return flags;
}

// The result columns: TOTAL_CALCULO, LIQUIDO_RECLAMANTE and every VALOR_ column.
QStringList ColunasTotais()
{
    QStringList colunas;
    for (const Coluna& c : TabelaTrabalho(u"TAB_PROCESSO")->colunas)
        if (c.nome.startsWith(u"VALOR_") || c.nome == u"TOTAL_CALCULO" || c.nome == u"LIQUIDO_RECLAMANTE")
            colunas.append(c.nome);
    return colunas;
}

QStringList Totais(const CasoAberto& caso)
{
    QStringList t;
    for (const QString& c : ColunasTotais())
        t.append(c + u'=' + caso.money(c).toString());
    return t;
}

QVector<QVariant> Valores(const CasoAberto& caso)
{
    QVector<QVariant> v;
    for (const Coluna& c : caso.tabela().colunas)
        v.append(caso.valor(c.nome));
    return v;
}

// The TAB_PROCESSO element of a case file.
QString ProcessoNoArquivo(const QString& arquivo)
{
    const QString texto = DecodificaAnsi(LeBytes(arquivo));
    return texto.left(texto.indexOf(QStringLiteral("</TAB_PROCESSO>")));
}

const QDateTime AgoraExemplo(QDate(2026, 12, 10), QTime(10, 0));

// Records what the core reports and fails at one status text, as a failure at that point
// of a long operation would.
class FeedbackQueFalha : public FeedbackGravado {
public:
    void status(const QString& texto) override
    {
        FeedbackGravado::status(texto);
        if (!falhaEm.isEmpty() && texto == falhaEm)
            throw Erro(QStringLiteral("Falha ao validar as tabelas."));
    }
    QString falhaEm;
};

// The sample case, opened from a copy of its file.
struct Exemplo {
    Exemplo() : motor(a.banco, feedback), caso(motor)
    {
        caso.relogio = [] { return AgoraExemplo; };
        GaranteTabelasReferencia(a.banco, feedback);
        arquivo = a.caminho(QStringLiteral("Calculos/01234.2025.002.02.00.QNT.XML"));
        EXPECT_TRUE(QFile::copy(QStringLiteral(QUINTAR_DADOS "/exemplo/01234.2025.002.02.00.QNT.XML"), arquivo));
        QFile::setPermissions(arquivo, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        caso.AbreArquivo(arquivo);
        feedback.estados.clear();
        feedback.mensagens.clear();
    }
    void Executa(const QString& sql) { a.banco.executaDireto(sql); }
    QVariant Valor(const QString& sql) { return a.banco.escalar(sql); }
    Money ValorMoney(const QString& sql) { return lerMoney(Valor(sql)); }
    int Conta(const QString& tabela) { return ::Conta(a.banco, tabela, 1234); }
    void ZeraTotaisConferidos()
    {
        for (const QString& c : ColunasTotais())
            EXPECT_EQ(caso.money(c), Money()) << c.toStdString();
        EXPECT_EQ(Conta(QStringLiteral("TAB_DEMONSTRATIVO_MENSAL")), 0);
        EXPECT_FALSE(caso.impressaoHabilitada());
    }

    Ambiente a;
    FeedbackQueFalha feedback;
    Motor motor;
    CasoAberto caso;
    QString arquivo;
};

} // namespace

TEST(NovoProcesso, TheNewRowHasItsDefaultsAndTheProposedNumber)
{
    struct Caso {
        const char* arquivo; // NovoProcesso.txt; null: there is none
        QVariant numero, ano, vara, regional, sequencial;
    };
    const Caso casos[] = {
        {nullptr, {}, {}, {}, {}, {}},
        {"NUMERO=00123\r\nANO=2008\r\nVARA=001\r\nREGIONAL=05\r\nSEQ=00\r\n", 123, 2008, 1, 5, 0},
        // As the dialog leaves it: no NUMERO line, so no number is proposed.
        {"ANO=2008\r\nVARA=1\r\nREGIONAL=5\r\nSEQ=1\r\n", {}, 2008, 1, 5, 1},
        {"vara=7\nANO=2011\n", {}, 2011, 7, {}, {}},
    };
    for (const Caso& c : casos) {
        const std::string nome = c.arquivo ? c.arquivo : "(no file)";
        Ambiente a;
        IndicesNovoCaso(a.banco);
        if (c.arquivo)
            GravaBytes(ArquivoNovoProcesso(), c.arquivo);
        NovoCaso novo(a);
        const Registros& r = novo.processo;
        EXPECT_EQ(r.estado(), Estado::Inserindo) << nome;
        EXPECT_EQ(r.valor(u"PROCESSO_ID").toLongLong(), 0) << nome;
        int flags = 0;
        for (const Coluna& col : r.tabela().colunas)
            if (col.tipo == TipoColuna::Char && col.tamanho == 1) {
                const bool unidade = col.nome == u"UNIDADE_SALARIO_FIXO";
                EXPECT_EQ(r.valor(col.nome).toString(), unidade ? QStringLiteral("V") : QStringLiteral("N"))
                    << nome << ' ' << col.nome.toStdString();
                flags += col.nome.startsWith(u"CALCULA_");
            }
        EXPECT_EQ(flags, 16);
        EXPECT_EQ(lerData(r.valor(u"DATA_ATUALIZACAO")), QDate(2020, 11, 30)) << nome;
        const std::pair<const char*, QVariant> numeros[] = {{"NUMERO", c.numero}, {"ANO", c.ano}, {"VARA", c.vara},
            {"REGIONAL", c.regional}, {"SEQUENCIAL", c.sequencial}};
        for (const auto& [coluna, esperado] : numeros) {
            const QVariant v = r.valor(QString::fromLatin1(coluna));
            if (esperado.isValid()) {
                EXPECT_EQ(v.toInt(), esperado.toInt()) << nome << ' ' << coluna;
            } else {
                EXPECT_TRUE(v.isNull()) << nome << ' ' << coluna;
            }
        }
        // Nothing reaches the table before OK.
        EXPECT_EQ(a.banco.escalar(QStringLiteral("SELECT COUNT(*) FROM TAB_PROCESSO")).toInt(), 0) << nome;
    }
}

TEST(NovoProcesso, TheDefaultUpdateDateIsTheLatestIndexDayUpToToday)
{
    struct Caso {
        QDate ultimo; // latest day with an index of code 1; invalid: none at all
        QDate esperado;
    };
    const Caso casos[] = {
        {QDate(2020, 11, 30), QDate(2020, 11, 30)},
        {QDate(2020, 12, 9), QDate(2020, 12, 9)},
        {QDate(2020, 12, 10), Hoje},
        {QDate(2021, 1, 31), Hoje},
        {QDate(), Hoje},
    };
    for (const Caso& c : casos) {
        Ambiente a;
        if (c.ultimo.isValid())
            Indices(a.banco, c.ultimo.addDays(-40), c.ultimo, [](QDate) { return 1.0; });
        // Another index's days are not looked at.
        a.banco.executaDireto(
            QStringLiteral("INSERT INTO DIARIO (CodIndice, Data, Indice) VALUES (2, '2020-12-05', 1)"));
        NovoCaso novo(a);
        EXPECT_EQ(lerData(novo.processo.valor(u"DATA_ATUALIZACAO")), c.esperado) << c.ultimo.toString().toStdString();
    }
}

TEST(NovoProcesso, EachCheckRefusesInOrderWithItsMessageAndFocus)
{
    struct Caso {
        std::function<void(Ambiente&, Registros&)> altera;
        const char* mensagem;
        const char* foco;
    };
    const auto nulos = [](std::initializer_list<const char*> colunas) {
        return [colunas = QList<const char*>(colunas)](Ambiente&, Registros& r) {
            for (const char* c : colunas)
                r.define(QString::fromLatin1(c), QVariant());
        };
    };
    const auto datas = [](QDate inicio, QDate fim) {
        return [=](Ambiente&, Registros& r) {
            r.define(u"DATA_INICIO_PACTO", bancoData(inicio));
            r.define(u"DATA_FIM_PACTO", bancoData(fim));
        };
    };
    const auto semIndice = [](QDate dia) {
        return [=](Ambiente& a, Registros&) {
            a.banco.executa(QStringLiteral("DELETE FROM DIARIO WHERE Data = :d"), {{"d", bancoData(dia)}});
        };
    };
    const auto eTambem = [](std::function<void(Ambiente&, Registros&)> x,
                             std::function<void(Ambiente&, Registros&)> y) {
        return [=](Ambiente& a, Registros& r) {
            x(a, r);
            y(a, r);
        };
    };
    const QDate futuro(2020, 12, 11);
    const Caso casos[] = {
        // The mandatory fields, in the order of the form.
        {nulos({"NUMERO"}), "Field 'Número Único' must have a value", "NUMERO"},
        {nulos({"NUMERO", "ANO", "VARA", "REGIONAL", "SEQUENCIAL", "DATA_ATUALIZACAO", "DATA_INICIO_PACTO",
             "DATA_FIM_PACTO"}),
            "Field 'Número Único' must have a value", "NUMERO"},
        {nulos({"ANO", "DATA_FIM_PACTO"}), "Field 'Ano' must have a value", "ANO"},
        {nulos({"VARA"}), "Field 'Vara' must have a value", "VARA"},
        {nulos({"REGIONAL"}), "Field 'Regional' must have a value", "REGIONAL"},
        {nulos({"SEQUENCIAL"}), "Field 'Sequencial' must have a value", "SEQUENCIAL"},
        {nulos({"DATA_ATUALIZACAO"}), "Field 'Atualização' must have a value", "DATA_ATUALIZACAO"},
        {nulos({"DATA_INICIO_PACTO", "DATA_FIM_PACTO"}), "Field 'Inicio do Pacto' must have a value",
            "DATA_INICIO_PACTO"},
        {nulos({"DATA_FIM_PACTO"}), "Field 'Dispensa' must have a value", "DATA_FIM_PACTO"},
        // Then the checks, each before the next.
        {eTambem(
             [](Ambiente&, Registros&) {
                 GravaBytes(DiretorioPadrao() + QStringLiteral("00123.2008.001.05.00.QNT.XML"), "<PROCESSO>");
             },
             datas(QDate(2017, 6, 1), futuro)),
            "Já existe um processo com esta identificação.", "NUMERO"},
        {datas(QDate(2017, 6, 1), futuro), "Não existe indice de Correção Monetária para a data de Inídio do Pacto.",
            "DATA_INICIO_PACTO"},
        {eTambem(
             [](Ambiente& a, Registros&) {
                 a.banco.executaDireto(
                     QStringLiteral("INSERT INTO DIARIO (CodIndice, Data, Indice) VALUES (1, '2020-12-20', 1)"));
             },
             datas(QDate(2020, 12, 20), futuro)),
            "Data da Dispensa deve ser MENOR ou IGUAL que a data do Computador.", "DATA_FIM_PACTO"},
        {datas(QDate(2020, 9, 15), QDate(2020, 9, 15)), "Data da Dispensa deve ser MAIOR que o Inicio do Pacto.",
            "DATA_FIM_PACTO"},
        {eTambem(semIndice(QDate(2020, 9, 1)), datas(QDate(2020, 9, 20), QDate(2020, 9, 1))),
            "Data da Dispensa deve ser MAIOR que o Inicio do Pacto.", "DATA_FIM_PACTO"},
        {semIndice(QDate(2020, 9, 15)), "Não existe indice de Correção Monetária para a data da Dispensa.",
            "DATA_FIM_PACTO"},
    };
    for (const Caso& c : casos) {
        Ambiente a;
        IndicesNovoCaso(a.banco);
        NovoCaso novo(a);
        Registros& r = novo.processo;
        novo.Preenche(123, 2008, 1, 5, 0);
        c.altera(a, r);
        const QVariant numero = r.valor(u"NUMERO");
        try {
            r.Posta();
            ADD_FAILURE() << c.mensagem << ": posted";
        } catch (const Erro& e) {
            EXPECT_EQ(e.mensagem(), QString::fromUtf8(c.mensagem));
            EXPECT_EQ(e.foco(), QString::fromLatin1(c.foco)) << c.mensagem;
        }
        // The dialog stays open with everything typed.
        EXPECT_EQ(r.estado(), Estado::Inserindo) << c.mensagem;
        EXPECT_EQ(r.valor(u"NUMERO"), numero) << c.mensagem;
        EXPECT_TRUE(r.valor(u"DV").isNull()) << c.mensagem;
        EXPECT_EQ(a.banco.escalar(QStringLiteral("SELECT COUNT(*) FROM TAB_PROCESSO")).toInt(), 0) << c.mensagem;
        // PROCESSO_ID takes the number once the mandatory fields are there.
        const bool obrigatorio = QString::fromUtf8(c.mensagem).startsWith(u"Field");
        EXPECT_EQ(r.valor(u"PROCESSO_ID").toLongLong(), obrigatorio ? 0 : 123) << c.mensagem;
    }
}

TEST(NovoProcesso, APostedNewCaseHasItsCheckDigitAndProposesTheNextYearAndCourt)
{
    struct Caso {
        int numero, ano, vara, regional, sequencial, dv;
        const char* proposta;
    };
    const Caso casos[] = {
        {123, 2008, 1, 5, 0, 5, "ANO=2008\r\nVARA=1\r\nREGIONAL=5\r\nSEQ=0\r\n"},
        {12345, 2007, 2, 3, 1, 0, "ANO=2007\r\nVARA=2\r\nREGIONAL=3\r\nSEQ=1\r\n"},
    };
    for (const Caso& c : casos) {
        Ambiente a;
        IndicesNovoCaso(a.banco);
        GravaBytes(ArquivoNovoProcesso(), "NUMERO=00099\r\nANO=1999\r\nVARA=9\r\nREGIONAL=9\r\nSEQ=9\r\n");
        NovoCaso novo(a);
        novo.Preenche(c.numero, c.ano, c.vara, c.regional, c.sequencial);
        novo.processo.Posta();
        EXPECT_EQ(novo.processo.estado(), Estado::Navegando);
        EXPECT_EQ(novo.processo.valor(u"DV").toInt(), c.dv) << c.numero;
        EXPECT_EQ(
            a.banco.escalar(QStringLiteral("SELECT DV FROM TAB_PROCESSO WHERE PROCESSO_ID = :id"), {{"id", c.numero}})
                .toInt(),
            c.dv)
            << c.numero;
        GravaNovoProcesso(novo.processo);
        EXPECT_EQ(LeBytes(ArquivoNovoProcesso()), QByteArray(c.proposta)) << c.numero;

        // The same number again, while the first case is in the working tables (its file not
        // yet written): the table refuses it and the dialog keeps the row.
        NovoCaso outro(a);
        outro.Preenche(c.numero, c.ano, c.vara, c.regional, c.sequencial + 1);
        try {
            outro.processo.Posta();
            ADD_FAILURE() << c.numero << ": a second case of the same number was written";
        } catch (const Erro& e) {
            EXPECT_EQ(e.mensagem(), QStringLiteral("Key violation."));
        }
        EXPECT_EQ(outro.processo.estado(), Estado::Inserindo);
        EXPECT_EQ(outro.processo.valor(u"SEQUENCIAL").toInt(), c.sequencial + 1);
    }
}

TEST(Pesquisa, TheSearchNameHasAStarForEachBlankField)
{
    struct Caso {
        QStringList campos;
        const char* nome;
    };
    const Caso casos[] = {
        {{"00123", "", "", "", ""}, "00123.*.*.*.*.QNT.XML"},
        {{"00123", "2008", "001", "05", "00"}, "00123.2008.001.05.00.QNT.XML"},
        {{"", "2008", " ", "05", ""}, "*.2008.*.05.*.QNT.XML"},
        {{"", "", "", "", ""}, "*.*.*.*.*.QNT.XML"},
    };
    for (const Caso& c : casos)
        EXPECT_EQ(NomePesquisa(c.campos), QString::fromLatin1(c.nome));
}

TEST(Pesquisa, NovoMergesOnlyTheFilledFieldsIntoTheProposal)
{
    struct Caso {
        const char* antes; // null: no file yet
        QStringList campos;
        const char* depois;
    };
    const Caso casos[] = {
        {"NUMERO=00001\r\nANO=2007\r\nVARA=002\r\nREGIONAL=03\r\nSEQ=01\r\n", {"00123", "", "", "05", ""},
            "NUMERO=00123\r\nANO=2007\r\nVARA=002\r\nREGIONAL=05\r\nSEQ=01\r\n"},
        {nullptr, {"", "2008", "", "", "00"}, "ANO=2008\r\nSEQ=00\r\n"},
        {"ANO=2008\r\nVARA=1\r\nREGIONAL=5\r\nSEQ=0\r\n", {"00124", "", "", "", ""},
            "ANO=2008\r\nVARA=1\r\nREGIONAL=5\r\nSEQ=0\r\nNUMERO=00124\r\n"},
        {"ano=2001\r\n", {"", "2009", " ", "", ""}, "ano=2009\r\n"},
        {"ANO=2001\r\n", {"", "", "", "", ""}, "ANO=2001\r\n"},
    };
    for (const Caso& c : casos) {
        Ambiente a;
        if (c.antes)
            GravaBytes(ArquivoNovoProcesso(), c.antes);
        MesclaNovoProcesso(c.campos);
        EXPECT_EQ(LeBytes(ArquivoNovoProcesso()), QByteArray(c.depois)) << c.depois;
    }

    // The next new case starts from the merged proposal.
    Ambiente a;
    GravaBytes(ArquivoNovoProcesso(), "ANO=2008\r\nVARA=1\r\nREGIONAL=5\r\nSEQ=0\r\n");
    MesclaNovoProcesso({QStringLiteral("00124"), {}, QStringLiteral("003"), {}, {}});
    NovoCaso novo(a);
    EXPECT_EQ(novo.processo.valor(u"NUMERO").toInt(), 124);
    EXPECT_EQ(novo.processo.valor(u"VARA").toInt(), 3);
    EXPECT_EQ(novo.processo.valor(u"ANO").toInt(), 2008);
}

TEST(Parametros, NameValueLinesInTheAnsiCodePage)
{
    Ambiente a;
    const QString arquivo = a.caminho(QStringLiteral("Pesquisa.txt"));
    const Parametros escritos{{QStringLiteral("ANO"), QStringLiteral("2008")},
        {QStringLiteral("VARA"), QStringLiteral("São")}, {QStringLiteral("X"), QStringLiteral("a=b")}};
    GravaParametros(arquivo, escritos);
    EXPECT_EQ(LeBytes(arquivo), QByteArray("ANO=2008\r\nVARA=S\xE3o\r\nX=a=b\r\n"));
    EXPECT_EQ(LeParametros(arquivo), escritos);

    // Any line end; lines without a name are not parameters.
    GravaBytes(arquivo, "ANO=2008\nsem sinal\n=vazio\rVARA=001\r\nSEQ=\r\n");
    const Parametros p = LeParametros(arquivo);
    EXPECT_EQ(p.size(), 3);
    EXPECT_EQ(Parametro(p, u"vara"), QStringLiteral("001"));
    EXPECT_EQ(Parametro(p, u"ANO"), QStringLiteral("2008"));
    EXPECT_TRUE(Parametro(p, u"SEQ").isEmpty());
    EXPECT_TRUE(Parametro(p, u"REGIONAL").isNull());

    EXPECT_TRUE(LeParametros(a.caminho(QStringLiteral("NaoExiste.txt"))).isEmpty());
    try {
        GravaParametros(a.caminho(QStringLiteral("sem/pasta/Pesquisa.txt")), escritos);
        ADD_FAILURE() << "written into a folder that does not exist";
    } catch (const Erro& e) {
        EXPECT_TRUE(e.mensagem().startsWith(QStringLiteral("Não foi possível gravar o arquivo"))) << e.what();
    }
}

TEST(RenumeraProcesso, EveryRowOfTheCaseMovesAndAnotherCaseNumberIsRefused)
{
    Ambiente a;
    LeArquivo(a.banco, Fixture(QStringLiteral("todas_as_tabelas.QNT.XML")), a.feedback);
    a.banco.executaDireto(QStringLiteral("INSERT INTO TAB_PROCESSO (PROCESSO_ID, NUMERO) VALUES (555, 555)"));
    a.banco.executaDireto(QStringLiteral("INSERT INTO TAB_13_SALARIO (PROCESSO_ID, ANO) VALUES (555, 2001)"));
    const QMap<QString, int> antes = Contagens(a.banco, 123);
    for (auto it = antes.begin(); it != antes.end(); ++it)
        ASSERT_GT(it.value(), 0) << it.key().toStdString();
    const QByteArray caso = ConteudoArquivo(a.banco, 123);
    const QByteArray outro = ConteudoArquivo(a.banco, 555);

    try {
        RenumeraProcesso(a.banco, 123, 555);
        ADD_FAILURE() << "moved onto another case";
    } catch (const Erro& e) {
        EXPECT_EQ(e.mensagem(), QStringLiteral("Key violation."));
    }
    EXPECT_EQ(ConteudoArquivo(a.banco, 123), caso);
    EXPECT_EQ(ConteudoArquivo(a.banco, 555), outro);

    RenumeraProcesso(a.banco, 123, 777);
    EXPECT_EQ(Contagens(a.banco, 777), antes);
    for (const QString& t : TabelasCaso())
        EXPECT_EQ(Conta(a.banco, t, 123), 0) << t.toStdString();
    QByteArray movido = caso;
    movido.replace("<PROCESSO_ID>123</PROCESSO_ID>", "<PROCESSO_ID>777</PROCESSO_ID>");
    EXPECT_EQ(ConteudoArquivo(a.banco, 777), movido);
    EXPECT_EQ(ConteudoArquivo(a.banco, 555), outro);
}

TEST(CasoAberto, UnknownColumnsAndItemsAreRefused)
{
    Exemplo e;
    const std::function<void()> usos[] = {
        [&] { e.caso.valor(u"NAO_EXISTE"); },
        [&] { e.caso.define(u"NAO_EXISTE", 1); },
        [&] { e.caso.valorAntesDaEdicao(u"NAO_EXISTE"); },
        [&] { e.caso.money(u"NAO_EXISTE"); },
        [&] { e.caso.marcado(u"NAO_EXISTE"); },
    };
    for (const auto& uso : usos) {
        try {
            uso();
            ADD_FAILURE() << "a column that does not exist was taken";
        } catch (const Erro& erro) {
            EXPECT_EQ(erro.mensagem(), QStringLiteral("Campo NAO_EXISTE não existe na tabela TAB_PROCESSO."));
        }
    }
    EXPECT_FALSE(e.caso.emEdicao()); // the refused value did not start an edit
    try {
        e.caso.DesmarcaItem(u"CALCULA_NADA", false, false);
        ADD_FAILURE();
    } catch (const Erro& erro) {
        EXPECT_EQ(erro.mensagem(), QStringLiteral("Item de cálculo CALCULA_NADA não existe."));
    }
    EXPECT_EQ(e.caso.texto(u"reclamante_principal"), e.caso.texto(u"RECLAMANTE_PRINCIPAL"));
}

TEST(CasoAberto, EveryChangedValueIsAnnouncedWithItsColumn)
{
    {
        Exemplo e;
        QStringList anunciadas;
        QObject::connect(&e.caso, &FonteDados::valorAlterado, [&](const QString& c) { anunciadas.append(c); });
        e.caso.define(u"reclamante_principal", QStringLiteral("Outra Pessoa"));
        e.caso.define(u"RECLAMANTE_PRINCIPAL", QStringLiteral("Outra Pessoa"));
        EXPECT_EQ(anunciadas, QStringList{QStringLiteral("RECLAMANTE_PRINCIPAL")});
    }

    // What a command changes is announced, column by column, and nothing else.
    struct Caso {
        const char* nome;
        std::function<void(CasoAberto&)> prepara;
        std::function<void(CasoAberto&)> comando;
    };
    const Caso casos[] = {
        {"LimpaTotais", [](CasoAberto& c) { c.Edita(); }, [](CasoAberto& c) { c.LimpaTotais(); }},
        {"DesmarcaTodos", [](CasoAberto& c) { c.Edita(); }, [](CasoAberto& c) { c.DesmarcaTodos(); }},
        {"AlteraSalarioReferencia", [](CasoAberto& c) { c.Edita(); },
            [](CasoAberto& c) { c.AlteraSalarioReferencia(R("2500")); }},
        {"ConfirmaMudancaPacto", [](CasoAberto& c) { c.define(u"DATA_INICIO_PACTO", bancoData(QDate(2022, 3, 1))); },
            [](CasoAberto& c) { c.ConfirmaMudancaPacto(false); }},
        {"Calcular", [](CasoAberto& c) { c.GravaProcesso(); }, [](CasoAberto& c) { c.Calcular(); }},
    };
    for (const Caso& c : casos) {
        Exemplo e;
        e.caso.Calcular();
        c.prepara(e.caso);
        const QVector<QVariant> antes = Valores(e.caso);
        QStringList anunciadas;
        QObject::connect(&e.caso, &FonteDados::valorAlterado, [&](const QString& col) { anunciadas.append(col); });
        c.comando(e.caso);
        const QVector<QVariant> depois = Valores(e.caso);
        QSet<QString> mudadas;
        for (int i = 0; i < antes.size(); ++i)
            if (antes[i] != depois[i] || antes[i].isNull() != depois[i].isNull())
                mudadas.insert(e.caso.tabela().colunas[i].nome);
        EXPECT_FALSE(mudadas.isEmpty()) << c.nome;
        EXPECT_EQ(QSet<QString>(anunciadas.begin(), anunciadas.end()), mudadas) << c.nome;
    }
}

TEST(CasoAberto, UntickingEveryItemRegeneratesNothing)
{
    Exemplo e;
    ASSERT_EQ(e.caso.ContaItensMarcados(), 9);
    ASSERT_EQ(e.Conta(QStringLiteral("TAB_AVISO_PREVIO")), 1);
    ASSERT_EQ(e.Conta(QStringLiteral("TAB_13_SALARIO")), 4);
    ASSERT_EQ(e.Conta(QStringLiteral("TAB_FERIAS")), 4);

    e.caso.DesmarcaTodos();
    // The notice was projected into the 13th salary and the vacation, but those were
    // already off when it went: no regeneration, no message.
    EXPECT_TRUE(e.feedback.mensagens.isEmpty()) << e.feedback.mensagens.join(u'\n').toStdString();
    for (const QString& flag : Flags()) {
        EXPECT_EQ(e.caso.texto(flag), QStringLiteral("N")) << flag.toStdString();
        for (const QString& tabela : CasoAberto::TabelasDoItem(flag))
            EXPECT_EQ(e.Conta(tabela), 0) << tabela.toStdString();
    }
    EXPECT_EQ(Flags().size(), 16);
    EXPECT_EQ(e.Conta(QStringLiteral("TAB_VARIACAO_SALARIAL")), 37); // not an item's

    // The window posts it; the file follows.
    e.caso.Posta();
    const QString texto = DecodificaAnsi(LeBytes(e.arquivo));
    EXPECT_TRUE(texto.contains(QStringLiteral("<CALCULA_AVISO_PREVIO>N</CALCULA_AVISO_PREVIO>")));
    EXPECT_FALSE(texto.contains(QStringLiteral("<TAB_13_SALARIO>")));
    EXPECT_FALSE(texto.contains(QStringLiteral("<TAB_AVISO_PREVIO>")));
}

TEST(CasoAberto, UntickingTheNoticeRegeneratesThe13thAndVacationThatAreTicked)
{
    const QString inicio = QStringLiteral("Devido a incidência do aviso prévio sobre ");
    const QString fim = QStringLiteral(" automaticamente\r(Adição ou Exclusão de 1 Mês(es) ).");
    struct Caso {
        bool decimo, ferias;
        QString mensagem;
    };
    const Caso casos[] = {
        {true, true,
            inicio + QStringLiteral("o 13º Salário e Férias,\ros períodos de 13º Salário e Férias serão gerados")
                + fim},
        {true, false, inicio + QStringLiteral("o 13º Salário,\ro período de 13º Salário será gerado") + fim},
        {false, true, inicio + QStringLiteral("Férias,\ro período de Férias será gerado") + fim},
        {false, false, QString()},
    };
    for (const Caso& c : casos) {
        Exemplo e;
        // Marks that only rows written before survive.
        e.Executa(QStringLiteral("UPDATE TAB_13_SALARIO SET SOBRE_RSR = 'X'"));
        e.Executa(QStringLiteral("UPDATE TAB_FERIAS SET SOBRE_RSR = 'X'"));
        e.caso.DesmarcaItem(u"CALCULA_AVISO_PREVIO", c.decimo, c.ferias);

        EXPECT_EQ(e.feedback.mensagens, c.mensagem.isEmpty() ? QStringList() : QStringList{c.mensagem});
        EXPECT_EQ(e.Conta(QStringLiteral("TAB_AVISO_PREVIO")), 0);
        const auto marcadas = [&](const char* tabela) {
            return e
                .Valor(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE SOBRE_RSR = 'X'").arg(QString::fromLatin1(tabela)))
                .toInt();
        };
        EXPECT_EQ(e.Conta(QStringLiteral("TAB_13_SALARIO")), 4);
        EXPECT_EQ(marcadas("TAB_13_SALARIO"), c.decimo ? 0 : 4) << c.decimo;
        EXPECT_EQ(marcadas("TAB_FERIAS"), c.ferias ? 0 : 4) << c.ferias;
        // Without the projected month, 2025 counts only January (dismissal on the 14th).
        EXPECT_EQ(e.Valor(QStringLiteral("SELECT NUMERO_MESES FROM TAB_13_SALARIO WHERE ANO = 2025")).toInt(),
            c.decimo ? 1 : 2);
    }
}

TEST(CasoAberto, ANewReferenceSalaryRewritesTheSalaryHistoryAndClearsTheResults)
{
    Exemplo e;
    e.caso.Calcular();
    ASSERT_GT(e.caso.money(u"TOTAL_CALCULO"), Money());
    ASSERT_GT(e.Conta(QStringLiteral("TAB_DEMONSTRATIVO_MENSAL")), 0);
    ASSERT_EQ(ColunasTotais().size(), 22);
    e.Executa(QStringLiteral("INSERT INTO TAB_VARIACAO_SALARIAL (PROCESSO_ID, ANO, MES, SALARIO_FIXO, "
                             "UNIDADE_SALARIO_FIXO) VALUES (99, 2025, 1, 10000000, 'V')"));

    e.caso.Edita();
    e.caso.AlteraSalarioReferencia(R("2500"));
    EXPECT_EQ(e.caso.money(u"SALARIO_FIXO"), R("2500"));
    EXPECT_EQ(e.Valor(QStringLiteral("SELECT COUNT(*) FROM TAB_VARIACAO_SALARIAL WHERE PROCESSO_ID = 1234 AND "
                                     "SALARIO_FIXO = 25000000 AND UNIDADE_SALARIO_FIXO = 'V'"))
                  .toInt(),
        37);
    EXPECT_EQ(e.ValorMoney(QStringLiteral("SELECT SALARIO_FIXO FROM TAB_VARIACAO_SALARIAL WHERE PROCESSO_ID = 99")),
        R("1000"));
    e.ZeraTotaisConferidos();
    EXPECT_TRUE(e.caso.emEdicao());

    // Posted and calculated again, the new salary is what is owed on.
    const QStringList zerados = Totais(e.caso);
    e.caso.Calcular();
    EXPECT_NE(Totais(e.caso), zerados);
    EXPECT_GT(e.caso.money(u"VALOR_SALARIO"), Money());
}

TEST(CasoAberto, AChangedContractPeriodAsksOnlyWhenAnItemIsTicked)
{
    struct Caso {
        const char* nome;
        std::function<void(CasoAberto&)> altera;
        bool pergunta;
    };
    const QVariant outroInicio = bancoData(QDate(2022, 3, 1));
    const Caso casos[] = {
        {"start changed", [&](CasoAberto& c) { c.define(u"DATA_INICIO_PACTO", outroInicio); }, true},
        {"dismissal changed", [](CasoAberto& c) { c.define(u"DATA_FIM_PACTO", bancoData(QDate(2025, 1, 31))); }, true},
        {"start changed and changed back",
            [&](CasoAberto& c) {
                const QVariant era = c.valor(u"DATA_INICIO_PACTO");
                c.define(u"DATA_INICIO_PACTO", outroInicio);
                c.define(u"DATA_INICIO_PACTO", era);
            },
            false},
        {"another field changed", [](CasoAberto& c) { c.define(u"DATA_ATUALIZACAO", bancoData(QDate(2026, 5, 31))); },
            false},
        {"start changed with no item ticked",
            [&](CasoAberto& c) {
                c.DesmarcaTodos();
                c.Posta();
                c.define(u"DATA_INICIO_PACTO", outroInicio);
            },
            false},
        {"not in editing", [](CasoAberto&) {}, false},
    };
    for (const Caso& c : casos) {
        Exemplo e;
        c.altera(e.caso);
        EXPECT_EQ(e.caso.PedeConfirmacaoPacto(), c.pergunta) << c.nome;
    }
}

TEST(CasoAberto, TheAnswerToTheContractPeriodQuestion)
{
    {
        // Yes: every item off, its rows and the salary history gone, the new date kept.
        Exemplo e;
        e.caso.define(u"DATA_INICIO_PACTO", bancoData(QDate(2022, 3, 1)));
        e.caso.ConfirmaMudancaPacto(true);
        EXPECT_EQ(e.caso.ContaItensMarcados(), 0);
        for (const QString& flag : Flags()) {
            EXPECT_EQ(e.caso.texto(flag), QStringLiteral("N")) << flag.toStdString();
            for (const QString& tabela : CasoAberto::TabelasDoItem(flag))
                EXPECT_EQ(e.Conta(tabela), 0) << tabela.toStdString();
        }
        EXPECT_EQ(e.Conta(QStringLiteral("TAB_VARIACAO_SALARIAL")), 0);
        EXPECT_EQ(e.caso.data(u"DATA_INICIO_PACTO"), QDate(2022, 3, 1));
        EXPECT_TRUE(e.feedback.mensagens.isEmpty());
        EXPECT_FALSE(e.caso.PedeConfirmacaoPacto());
    }
    {
        // No: the dates as they were, the results cleared, the items and their rows kept.
        Exemplo e;
        e.caso.Calcular();
        const QMap<QString, int> linhas = Contagens(e.a.banco, 1234);
        e.caso.define(u"DATA_INICIO_PACTO", bancoData(QDate(2022, 3, 1)));
        e.caso.define(u"DATA_FIM_PACTO", bancoData(QDate(2025, 1, 31)));
        e.caso.ConfirmaMudancaPacto(false);
        EXPECT_EQ(e.caso.data(u"DATA_INICIO_PACTO"), QDate(2022, 2, 3));
        EXPECT_EQ(e.caso.data(u"DATA_FIM_PACTO"), QDate(2025, 2, 14));
        e.ZeraTotaisConferidos();
        EXPECT_EQ(e.caso.ContaItensMarcados(), 9);
        QMap<QString, int> semDemonstrativo = linhas;
        semDemonstrativo[QStringLiteral("TAB_DEMONSTRATIVO_MENSAL")] = 0;
        EXPECT_EQ(Contagens(e.a.banco, 1234), semDemonstrativo);
        EXPECT_TRUE(e.caso.emEdicao());
        EXPECT_FALSE(e.caso.PedeConfirmacaoPacto());
    }
}

TEST(CasoAberto, TheNewestMonthOfTheSalaryHistoryBecomesTheReferenceSalary)
{
    struct Caso {
        const char* nome;
        const char* sql;
        const char* salario;
        const char* unidade;
    };
    const Caso casos[] = {
        {"newest month's salary",
            "UPDATE TAB_VARIACAO_SALARIAL SET SALARIO_FIXO = 26000000 WHERE ANO = 2025 AND MES = 2", "2600", "V"},
        {"newest month's unit",
            "UPDATE TAB_VARIACAO_SALARIAL SET UNIDADE_SALARIO_FIXO = 'M' WHERE ANO = 2025 AND MES = 2", "2350", "M"},
        {"an older month",
            "UPDATE TAB_VARIACAO_SALARIAL SET SALARIO_FIXO = 26000000, UNIDADE_SALARIO_FIXO = 'M' "
            "WHERE ANO = 2025 AND MES = 1",
            "2350", "V"},
    };
    for (const Caso& c : casos) {
        Exemplo e;
        e.caso.Calcular();
        e.Executa(QString::fromLatin1(c.sql));
        e.caso.AplicaVariacaoSalarial();
        EXPECT_EQ(e.caso.money(u"SALARIO_FIXO"), R(c.salario)) << c.nome;
        EXPECT_EQ(e.caso.texto(u"UNIDADE_SALARIO_FIXO"), QString::fromLatin1(c.unidade)) << c.nome;
        EXPECT_FALSE(e.caso.emEdicao()) << c.nome;
        e.ZeraTotaisConferidos();
        // Posted: the table and the case file hold it.
        EXPECT_EQ(e.ValorMoney(QStringLiteral("SELECT SALARIO_FIXO FROM TAB_PROCESSO WHERE PROCESSO_ID = 1234")),
            R(c.salario))
            << c.nome;
        const QString processo = ProcessoNoArquivo(e.arquivo);
        EXPECT_TRUE(processo.contains(QStringLiteral("<SALARIO_FIXO>%1</SALARIO_FIXO>").arg(c.salario))) << c.nome;
        EXPECT_TRUE(processo.contains(QStringLiteral("<UNIDADE_SALARIO_FIXO>%1</UNIDADE_SALARIO_FIXO>").arg(c.unidade)))
            << c.nome;
        EXPECT_TRUE(processo.contains(QStringLiteral("<TOTAL_CALCULO>0</TOTAL_CALCULO>"))) << c.nome;
    }
}

TEST(CasoAberto, ADamagedFileLeavesTheOpenCaseAsItWas)
{
    Exemplo e;
    e.caso.Calcular();
    const QByteArray amostra = LeBytes(e.arquivo);
    const QVector<QVariant> valores = Valores(e.caso);
    const QByteArray tabelas = ConteudoArquivo(e.a.banco, 1234);
    const int linhas = TodasAsLinhas(e.a.banco);

    const QByteArray fecho = "</PROCESSO>";
    const auto antesDoFecho = [&](const QByteArray& inserido) {
        QByteArray b = amostra;
        return b.insert(b.lastIndexOf(fecho), inserido);
    };
    const qsizetype inicio13 = amostra.indexOf(" <TAB_13_SALARIO>");
    const QByteArray decimo =
        amostra.mid(inicio13, amostra.indexOf("</TAB_13_SALARIO>", inicio13) - inicio13) + "</TAB_13_SALARIO>\r\n";
    const QString danificado = e.a.caminho(QStringLiteral("danificado.QNT.XML"));
    const QString regras = QStringLiteral("Arquivo \"%1\" não respeita as regras definidas.").arg(danificado);
    struct Caso {
        const char* nome;
        QByteArray bytes;
        QString mensagem; // empty: the reader's own conversion message
    };
    const QByteArray outroCaso = LeBytes(Fixture(QStringLiteral("engine/salario.QNT.XML")));
    const Caso casos[] = {
        {"cut in the middle", amostra.left(amostra.size() / 2), regras},
        {"its last line lost", amostra.left(amostra.lastIndexOf(fecho)), regras},
        {"empty", QByteArray(), regras},
        {"another program's page", "<html><body><p>Relat\xF3rio</p></body></html>\r\n", regras},
        {"plain text", "Lista de tarefas\r\n- revisar c\xE1lculo\r\n", regras},
        {"no case row", "<PROCESSO>\r\n</PROCESSO>\r\n", regras},
        {"an element of no table", antesDoFecho(" <TAB_X>\r\n  <A>1</A>\r\n </TAB_X>\r\n"),
            QStringLiteral("Estrutura \"TAB_X\" não prevista na aplicação.")},
        {"a year twice", antesDoFecho(decimo), QStringLiteral("Estrutura com informações repetidas :TAB_13_SALARIO")},
        {"a date that does not exist",
            QByteArray(amostra).replace(
                "<DATA_FIM_PACTO>14/02/2025</DATA_FIM_PACTO>", "<DATA_FIM_PACTO>31/02/2025</DATA_FIM_PACTO>"),
            QString()},
        // Another case read and shown, and then its item tables cannot be brought in line.
        {"another case whose tables fail", outroCaso, QStringLiteral("Falha ao validar as tabelas.")},
    };
    for (const Caso& c : casos) {
        GravaBytes(danificado, c.bytes);
        const bool validacaoFalha = c.bytes == outroCaso;
        if (validacaoFalha)
            e.feedback.falhaEm = QStringLiteral("Excluindo da Tabela tab_outros_debito");
        e.feedback.estados.clear();
        try {
            e.caso.AbreArquivo(danificado);
            ADD_FAILURE() << c.nome << ": opened";
        } catch (const Erro& erro) {
            if (!c.mensagem.isEmpty()) {
                EXPECT_EQ(erro.mensagem(), c.mensagem) << c.nome;
            }
        }
        e.feedback.falhaEm.clear();
        if (validacaoFalha) {
            EXPECT_TRUE(e.feedback.estados.contains(QStringLiteral("Validando Tabelas.")));
        }
        EXPECT_TRUE(e.caso.temRegistro()) << c.nome;
        EXPECT_TRUE(e.caso.aberto()) << c.nome;
        EXPECT_FALSE(e.caso.emEdicao()) << c.nome;
        EXPECT_EQ(Valores(e.caso), valores) << c.nome;
        EXPECT_EQ(e.caso.arquivoEscolhido, e.arquivo) << c.nome;
        EXPECT_EQ(ConteudoArquivo(e.a.banco, 1234), tabelas) << c.nome;
        EXPECT_EQ(TodasAsLinhas(e.a.banco), linhas) << c.nome;
    }
    // The case goes on as if nothing had been tried: an edit reaches its own row and file,
    // and calculated again it is the same file.
    const QString nome = e.caso.texto(u"RECLAMANTE_PRINCIPAL");
    e.caso.define(u"RECLAMANTE_PRINCIPAL", QStringLiteral("Ana Paula F. da Conceição"));
    e.caso.Posta();
    EXPECT_EQ(
        e.Valor(QStringLiteral("SELECT RECLAMANTE_PRINCIPAL FROM TAB_PROCESSO WHERE PROCESSO_ID = 1234")).toString(),
        QStringLiteral("Ana Paula F. da Conceição"));
    EXPECT_TRUE(ProcessoNoArquivo(e.arquivo).contains(
        QStringLiteral("<RECLAMANTE_PRINCIPAL>Ana Paula F. da Conceição</RECLAMANTE_PRINCIPAL>")));
    e.caso.define(u"RECLAMANTE_PRINCIPAL", nome);
    e.caso.Calcular();
    EXPECT_EQ(LeBytes(e.arquivo), amostra);
}

TEST(CasoAberto, SavedUnderAnotherNumberTheCaseKeepsItsRowsAndItsResults)
{
    // The save-as dialog's posting of the new number, then the renumbering, in one unit.
    const auto salvaComo = [](Exemplo& e, int numero) {
        Transacao t(e.a.banco);
        Registros processo(e.a.banco, u"TAB_PROCESSO");
        processo.emCache = false;
        processo.colunasAtualizadas = {QStringLiteral("NUMERO"), QStringLiteral("ANO"), QStringLiteral("VARA"),
            QStringLiteral("REGIONAL"), QStringLiteral("SEQUENCIAL"), QStringLiteral("DV")};
        processo.abre(e.caso.processoId());
        processo.define(u"NUMERO", numero);
        processo.Posta();
        e.caso.Renumera();
        t.confirma();
    };

    Exemplo e;
    e.caso.Calcular();
    const QStringList totais = Totais(e.caso);
    const QMap<QString, int> linhas = Contagens(e.a.banco, 1234);
    ASSERT_GT(linhas.value(QStringLiteral("TAB_DEMONSTRATIVO_MENSAL")), 0);

    // A number that belongs to another case of the working tables is refused.
    e.Executa(QStringLiteral("INSERT INTO TAB_PROCESSO (PROCESSO_ID, NUMERO) VALUES (777, 777)"));
    try {
        salvaComo(e, 777);
        ADD_FAILURE() << "renumbered onto another case";
    } catch (const Erro& erro) {
        EXPECT_EQ(erro.mensagem(), QStringLiteral("Key violation."));
    }
    EXPECT_EQ(e.caso.processoId(), 1234);
    EXPECT_EQ(Contagens(e.a.banco, 1234), linhas);
    EXPECT_EQ(e.Valor(QStringLiteral("SELECT NUMERO FROM TAB_PROCESSO WHERE PROCESSO_ID = 1234")).toInt(), 1234);

    salvaComo(e, 4321);
    EXPECT_EQ(e.caso.processoId(), 4321);
    EXPECT_EQ(e.caso.valor(u"NUMERO").toInt(), 4321);
    EXPECT_TRUE(e.caso.temRegistro());
    EXPECT_EQ(Contagens(e.a.banco, 4321), linhas);
    for (const QString& t : TabelasCaso())
        EXPECT_EQ(Conta(e.a.banco, t, 1234), 0) << t.toStdString();

    e.caso.Calcular();
    EXPECT_EQ(Totais(e.caso), totais);
    EXPECT_EQ(Contagens(e.a.banco, 4321), linhas);
}
