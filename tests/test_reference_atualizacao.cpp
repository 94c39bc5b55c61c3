// Downloads, the version check and the update command against real HTTP servers on
// 127.0.0.1 (tests/fixtures/reference/servidor_http.py, which also acts as a proxy).

#include "Ambiente.h"
#include "Atualizacao.h"
#include "ClienteHttp.h"
#include "DadosIniciais.h"
#include "Erro.h"
#include "ImportaTabelas.h"
#include "Pastas.h"
#include "RegistrosDat.h"
#include "VersaoPrograma.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <functional>

using namespace quintar;
using namespace quintar::teste;

namespace {

// The test server: serves a folder, logs every request, optionally answers slowly for one
// file, optionally demands a Basic proxy authorization.
class Servidor {
public:
    explicit Servidor(const QStringList& opcoes = {})
    {
        registro_ = trabalho_.path() + "/pedidos.log";
        QDir().mkpath(raiz());
        processo_.start(
            "python3", QStringList{Fixture("reference/servidor_http.py"), raiz(), "--registro", registro_} + opcoes);
        if (processo_.waitForStarted(10000) && processo_.waitForReadyRead(10000))
            porta_ = processo_.readLine().trimmed().toInt();
        EXPECT_GT(porta_, 0) << processo_.readAllStandardError().toStdString();
    }
    ~Servidor()
    {
        processo_.kill();
        processo_.waitForFinished(5000);
    }
    QString url() const { return QStringLiteral("http://127.0.0.1:%1/").arg(porta_); }
    int porta() const { return porta_; }
    QString raiz() const { return trabalho_.path() + "/raiz/"; }
    void grava(const QString& nome, const QByteArray& bytes) const { GravaBytes(raiz() + nome, bytes); }

    // The requests so far: the file names asked for, and their headers.
    QStringList pedidos() const
    {
        QStringList nomes;
        for (const QJsonObject& o : registros())
            nomes.append(o["caminho"].toString().section(u'/', -1));
        return nomes;
    }
    QList<QJsonObject> registros() const
    {
        QList<QJsonObject> r;
        QFile f(registro_);
        if (f.open(QIODevice::ReadOnly))
            while (!f.atEnd())
                r.append(QJsonDocument::fromJson(f.readLine()).object());
        return r;
    }

private:
    QTemporaryDir trabalho_;
    QString registro_;
    QProcess processo_;
    int porta_ = 0;
};

// A port on which nothing listens: the connection is refused.
int PortaFechada()
{
    QTcpServer s;
    s.listen(QHostAddress::LocalHost);
    return s.serverPort();
}

// The window as the update sees it: records everything, answers the question as told.
class Janela : public InterfaceAtualizacao {
public:
    QDate dia;
    bool resposta = true;
    QStringList perguntas, mensagens, estados, eventos;
    std::function<void(int posicao)> aoProgredir;

    bool confirma(const QString& p) override
    {
        perguntas << p;
        return resposta;
    }
    QDate hoje() override { return dia; }
    void status(const QString& t) override { estados << t; }
    void informa(const QString& t) override { mensagens << t; }
    void progresso(int posicao, int) override
    {
        if (aoProgredir)
            aoProgredir(posicao);
    }
    void mostraProgresso(bool v) override { eventos << (v ? "painel" : "sem painel"); }
    void permiteAbortar(std::function<void()> aborta) override
    {
        botaoAbortar = aborta;
        eventos << (aborta ? "abortar" : "sem abortar");
    }
    std::function<void()> botaoAbortar;
};

// A program folder with its settings pointing at the server.
struct Cenario {
    explicit Cenario(const QString& url)
    {
        a.configuracao->defineValor(u"LinkTabelas", url);
        a.configuracao->defineValor(u"LinkExe", url);
        a.configuracao->grava();
    }
    Ambiente a;
    Janela janela;
    Atualizacao atualizacao{a.banco, *a.configuracao, janela};
};

QByteArray faixasAte(int ano, int mes)
{
    const LayoutDat& layout = Layout(ArquivoDat::FaixasINSS);
    QVector<RegistroDat> registros = DecodificaRegistros(layout, ArquivoInicial(ArquivoDat::FaixasINSS));
    while (!registros.isEmpty() && registros.last()[0].toInt() * 12 + registros.last()[1].toInt() > ano * 12 + mes)
        registros.removeLast();
    return CodificaRegistros(layout, registros);
}

void publicaIniciais(const Servidor& s, const QByteArray& calcinfo = "1000\r\n")
{
    GravaArquivosIniciais(s.raiz());
    s.grava("calcinfo.txt", calcinfo);
}

QString mensagemDe(const std::function<void()>& f)
{
    try {
        f();
    } catch (const Erro& e) {
        return e.mensagem();
    }
    return QStringLiteral("(sem erro)");
}

int linhas(BancoDados& banco, const char* tabela)
{
    return banco.escalar(QStringLiteral("SELECT COUNT(*) FROM ") + QString::fromLatin1(tabela)).toInt();
}

} // namespace

TEST(BaixaArquivo, GravaOArquivoComOsCabecalhosEOProgresso)
{
    Servidor s;
    const QByteArray conteudo = ArquivoInicial(ArquivoDat::Valores);
    s.grava("download/Valores.dat", conteudo);
    Cenario c(s.url() + "download/");
    QList<int> progresso;
    c.janela.aoProgredir = [&](int p) { progresso << p; };
    GravaBytes(PastaTabelas() + "Valores.dat", "antigo, mais longo que nada");

    c.atualizacao.BaixaArquivo("Valores.dat");

    EXPECT_EQ(LeBytes(PastaTabelas() + "Valores.dat"), conteudo);
    EXPECT_EQ(c.janela.estados, QStringList{"Transferindo :Valores.dat"});
    ASSERT_FALSE(progresso.isEmpty());
    EXPECT_EQ(progresso.first(), 0);
    EXPECT_EQ(progresso.last(), 100);
    const QList<QJsonObject> r = s.registros();
    ASSERT_EQ(r.size(), 1);
    EXPECT_EQ(r[0]["caminho"].toString(), "/download/Valores.dat");
    const QJsonObject h = r[0]["cabecalhos"].toObject();
    EXPECT_EQ(h["User-Agent"].toString(), "Mozilla/3.0 (compatible)");
    EXPECT_EQ(h["Accept"].toString(), "image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, */*");
    EXPECT_EQ(h["Pragma"].toString(), "no-cache");
}

TEST(BaixaArquivo, FalhasDaoAMensagemDeTransferenciaInterrompida)
{
    Servidor s({"--lento", "Diario.dat"});
    s.grava("Diario.dat", ArquivoInicial(ArquivoDat::Diario));
    struct Caso {
        QString nome, url, arquivo, esperado;
        bool abortaNoMeio;
    };
    const QList<Caso> casos = {
        {"404", s.url(), "Valores.dat", "Transferência interrompida!\nFalha : 404 File not found", false},
        {"conexão recusada", QStringLiteral("http://127.0.0.1:%1/").arg(PortaFechada()), "Valores.dat",
            "Transferência interrompida!\nFalha : 0 Connection refused", false},
        {"abortada no meio", s.url(), "Diario.dat", "Transferência interrompida!\nFalha : 0 Operation canceled", true},
    };
    for (const Caso& k : casos) {
        SCOPED_TRACE(k.nome.toStdString());
        Cenario c(k.url);
        GravaBytes(PastaTabelas() + k.arquivo, "conteúdo anterior");
        if (k.abortaNoMeio)
            c.janela.aoProgredir = [&](int p) {
                if (p > 0 && c.atualizacao.transferindo())
                    c.atualizacao.aborta();
            };
        EXPECT_EQ(mensagemDe([&] { c.atualizacao.BaixaArquivo(k.arquivo); }), k.esperado);
        EXPECT_FALSE(c.atualizacao.transferindo());
        EXPECT_EQ(c.atualizacao.abortado(), k.abortaNoMeio);
        // Created anew when the download started: an error page never takes the file's place.
        const QByteArray resto = LeBytes(PastaTabelas() + k.arquivo);
        if (k.abortaNoMeio) {
            EXPECT_LT(resto.size(), ArquivoInicial(ArquivoDat::Diario).size());
        } else {
            EXPECT_TRUE(resto.isEmpty());
        }
    }
}

TEST(ConfiguraProxy, PortaQueNaoENumeroUsa80EDesligadoNaoMexe)
{
    struct Caso {
        QString porta;
        quint16 esperada;
    };
    const QList<Caso> casos = {{"3128", 3128}, {"abc", 80}, {"", 80}, {" 8080 ", 8080}, {"70000", 80}, {"0", 80}};
    Ambiente a;
    ClienteHttp cliente;
    EXPECT_EQ(cliente.proxy().type(), QNetworkProxy::NoProxy);
    for (const Caso& c : casos) {
        Configuracao outra(a.arquivoConfiguracao()); // the store is re-read, as the dialog would write it
        outra.carrega();
        outra.defineValor(u"ProxyUsar", true);
        outra.defineValor(u"ProxyServidor", "proxy.tribunal.invalid");
        outra.defineValor(u"ProxyPorta", c.porta);
        outra.grava();
        ConfiguraProxy(*a.configuracao, cliente);
        EXPECT_EQ(cliente.proxy().port(), c.esperada) << c.porta.toStdString();
        EXPECT_EQ(cliente.proxy().hostName(), "proxy.tribunal.invalid");
        EXPECT_TRUE(cliente.proxy().user().isEmpty()); // ProxyAutentica is off
    }
    a.configuracao->defineValor(u"ProxyUsar", false);
    a.configuracao->grava();
    ConfiguraProxy(*a.configuracao, cliente);
    EXPECT_EQ(cliente.proxy().hostName(), "proxy.tribunal.invalid");
}

TEST(ConfiguraProxy, DownloadPassaPeloProxyComAutorizacaoBasic)
{
    Servidor proxy({"--usuario", "escrivao", "--senha", "s3nh@ segura"});
    const QByteArray conteudo = ArquivoInicial(ArquivoDat::FaixasINSS);
    proxy.grava("download/FaixasINSS.dat", conteudo);
    for (const char* senha : {"s3nh@ segura", "errada"}) {
        SCOPED_TRACE(senha);
        // A host that no resolver knows: only the proxy can serve it.
        Cenario c("http://tabelas.quintar.invalid/download/");
        Configuracao& cfg = *c.a.configuracao;
        cfg.defineValor(u"ProxyUsar", true);
        cfg.defineValor(u"ProxyServidor", "127.0.0.1");
        cfg.defineValor(u"ProxyPorta", QString::number(proxy.porta()));
        cfg.defineValor(u"ProxyAutentica", true);
        cfg.defineValor(u"ProxyUsuario", "escrivao");
        cfg.defineValor(u"ProxySenha", QString::fromLatin1(senha));
        cfg.grava();
        if (QByteArray(senha) == "errada") {
            EXPECT_TRUE(mensagemDe([&] {
                c.atualizacao.BaixaArquivo("FaixasINSS.dat");
            }).startsWith("Transferência interrompida!\nFalha : 407"));
        } else {
            c.atualizacao.BaixaArquivo("FaixasINSS.dat");
            EXPECT_EQ(LeBytes(PastaTabelas() + "FaixasINSS.dat"), conteudo);
        }
    }
    bool autorizado = false;
    for (const QJsonObject& o : proxy.registros()) {
        EXPECT_TRUE(o["proxy"].toBool());
        EXPECT_EQ(o["caminho"].toString(), "http://tabelas.quintar.invalid/download/FaixasINSS.dat");
        autorizado |=
            o["cabecalhos"].toObject()["Proxy-Authorization"].toString() == "Basic ZXNjcml2YW86czNuaEAgc2VndXJh";
    }
    EXPECT_TRUE(autorizado);
}

TEST(VerificaTabelas, ModoAutomaticoPerguntaSoAPartirDoDia5ComOMesFaltando)
{
    struct Caso {
        QDate hoje;
        bool temOMes;
        bool pergunta;
    };
    const QList<Caso> casos = {
        {QDate(2026, 12, 4), false, false},
        {QDate(2026, 12, 5), false, true},
        {QDate(2026, 12, 31), false, true},
        {QDate(2026, 11, 20), true, false},
    };
    // Nothing may be downloaded: the server refuses every connection.
    const QString recusa = QStringLiteral("http://127.0.0.1:%1/").arg(PortaFechada());
    for (const Caso& k : casos) {
        SCOPED_TRACE(k.hoje.toString(Qt::ISODate).toStdString());
        Cenario c(recusa);
        if (k.temOMes)
            c.a.banco.executa("INSERT INTO FAIXASINSS (Ano, Mes) VALUES (2026, 11)");
        c.janela.dia = k.hoje;
        c.janela.resposta = false;
        EXPECT_EQ(c.atualizacao.AtualizaSistema(ModoAtualizacao::Automatico), Atualizacao::Resultado::Continua);
        EXPECT_EQ(c.janela.perguntas.size(), k.pergunta ? 1 : 0);
        if (k.pergunta) {
            EXPECT_EQ(c.janela.perguntas[0],
                "As tabelas auxiliares estão desatualizadas. \r\nDeseja verificar se existem novos índices ?");
        }
        EXPECT_TRUE(c.janela.mensagens.isEmpty());
        EXPECT_EQ(c.janela.eventos, QStringList({"abortar", "sem painel", "sem abortar"}));
        EXPECT_EQ(c.janela.estados.last(), QString());
    }
}

TEST(VerificaTabelas, ServidorSemOMesAtualIncorporaSoAsFaixasDoINSS)
{
    Servidor s;
    publicaIniciais(s);
    s.grava("FaixasINSS.dat", faixasAte(2026, 11));
    Cenario c(s.url());
    c.janela.dia = QDate(2026, 12, 10);

    EXPECT_EQ(c.atualizacao.AtualizaSistema(ModoAtualizacao::Automatico), Atualizacao::Resultado::Continua);

    EXPECT_EQ(linhas(c.a.banco, "FAIXASINSS"), 389);
    EXPECT_EQ(linhas(c.a.banco, "VALORES"), 0);
    EXPECT_EQ(linhas(c.a.banco, "DIARIO"), 0);
    EXPECT_EQ(c.janela.mensagens,
        QStringList{"Ainda não foram disponibilizados os índices para Dezembro de 2026. Tente novamente mais tarde."});
    EXPECT_EQ(s.pedidos(), QStringList({"FaixasINSS.dat", "calcinfo.txt"}));
}

TEST(VerificaTabelas, PublicacaoDoCliAtualizaOutraPastaDePontaAPonta)
{
    QTemporaryDir tmp;
    Servidor s;
    const ResultadoCli pub =
        RodaCli({"--pasta", tmp.path() + "/origem", "publica", s.raiz()}, {"XDG_CONFIG_HOME=" + tmp.path()});
    ASSERT_EQ(pub.codigo, 0) << pub.erros.toStdString();

    Cenario c(s.url());
    c.janela.dia = QDate(2026, 6, 8);
    EXPECT_EQ(c.atualizacao.AtualizaSistema(ModoAtualizacao::Manual), Atualizacao::Resultado::Continua);

    EXPECT_EQ(c.janela.perguntas.size(), 1);
    EXPECT_EQ(c.janela.mensagens,
        QStringList(
            {"Tabelas atualizadas até Dezembro de 2026.", "Não encontramos nova atualização para o programa."}));
    // The order of the downloads; manual mode checks the version a second time.
    EXPECT_EQ(s.pedidos(),
        QStringList({"FaixasINSS.dat", "Valores.dat", "FaixasIR2.dat", "Diario.dat", "calcinfo.txt", "calcinfo.txt"}));
    EXPECT_EQ(c.atualizacao.linhasCalcinfo().value(0), QString::number(VersaoPrograma().numero));
    QTemporaryDir copia;
    GravaArquivosDat(c.a.banco, copia.path());
    for (const char* f : {"FaixasINSS.dat", "Valores.dat", "FaixasIR2.dat", "Diario.dat"})
        EXPECT_EQ(LeBytes(copia.path() + "/" + f), LeBytes(s.raiz() + f)) << f;
    EXPECT_EQ(c.janela.eventos.first(), "abortar");
    EXPECT_EQ(c.janela.eventos.last(), "sem abortar");
    EXPECT_EQ(c.janela.estados.last(), QString());
}

TEST(VerificaNovaVersao, NumeroMaiorNoCalcinfoIniciaOAtualizadorEEncerra)
{
    struct Caso {
        const char* nome;
        QByteArray calcinfo;
        qint64 versao;
        bool atualizador;
        Atualizacao::Resultado resultado;
        QString mensagem;
    };
    const QList<Caso> casos = {
        {"21015 contra 21014", "21015\r\nnotas da versão\r\n", 21014, true, Atualizacao::Resultado::Encerra, {}},
        {"21015 contra 21015", "21015\r\n", 21015, true, Atualizacao::Resultado::Continua,
            "Não encontramos nova atualização para o programa."},
        {"marca de ordem de bytes",
            "\xEF\xBB\xBF"
            "21015\n",
            21014, true, Atualizacao::Resultado::Encerra, {}},
        {"primeira linha não numérica", "versão nova\r\n", 21014, true, Atualizacao::Resultado::Continua,
            "Não encontramos nova atualização para o programa."},
        {"sem atualizador", "21015\r\n", 21014, false, Atualizacao::Resultado::Continua,
            "Há uma nova versão do programa, mas o atualizador não foi encontrado em "},
    };
    for (const Caso& k : casos) {
        SCOPED_TRACE(k.nome);
        Servidor s;
        s.grava("calcinfo.txt", k.calcinfo);
        Cenario c(s.url());
        c.a.banco.executa("INSERT INTO FAIXASINSS (Ano, Mes) VALUES (2026, 6)");
        c.janela.dia = QDate(2026, 6, 15);
        c.atualizacao.defineVersao(k.versao);
        const QString marca = c.a.caminho("atualizador-rodou");
        if (k.atualizador) {
            GravaBytes(Atualizacao::CaminhoAtualizador(), "#!/bin/sh\npwd > \"" + marca.toUtf8() + "\"\n");
            QFile::setPermissions(Atualizacao::CaminhoAtualizador(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        }

        EXPECT_EQ(c.atualizacao.AtualizaSistema(ModoAtualizacao::Manual), k.resultado);

        EXPECT_TRUE(c.janela.perguntas.isEmpty());
        EXPECT_EQ(s.pedidos(), QStringList{"calcinfo.txt"});
        if (k.mensagem.isEmpty()) {
            EXPECT_TRUE(c.janela.mensagens.isEmpty()) << c.janela.mensagens.join("|").toStdString();
        } else {
            EXPECT_TRUE(c.janela.mensagens.value(0).startsWith(k.mensagem))
                << c.janela.mensagens.join("|").toStdString();
        }
        if (k.resultado == Atualizacao::Resultado::Encerra) {
            // Started from the program folder, without arguments.
            for (int i = 0; i < 100 && !QFile::exists(marca); ++i)
                QThread::msleep(50);
            EXPECT_EQ(LeBytes(marca).trimmed(), QDir(c.a.pasta()).canonicalPath().toUtf8());
        } else {
            QThread::msleep(100);
            EXPECT_FALSE(QFile::exists(marca));
        }
    }
}

TEST(VerificaTabelas, AbortarDuranteValoresParaAntesDoIRESemVerificarVersao)
{
    struct Caso {
        const char* nome;
        QString momento; // the status during which the abort button is pressed
        bool erro; // a running transfer ends with the failure message
    };
    const QList<Caso> casos = {
        {"durante o download de Valores.dat", "Transferindo :Valores.dat", true},
        {"durante a importação das faixas", "Atualizando : FaixasINSS.db", false},
    };
    for (const Caso& k : casos) {
        SCOPED_TRACE(k.nome);
        Servidor s({"--lento", "Valores.dat"});
        publicaIniciais(s, "99999999\r\n");
        Cenario c(s.url());
        GravaBytes(Atualizacao::CaminhoAtualizador(), "#!/bin/sh\ntouch \"" + c.a.caminho("rodou").toUtf8() + "\"\n");
        QFile::setPermissions(Atualizacao::CaminhoAtualizador(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        c.janela.dia = QDate(2026, 12, 10);
        c.janela.aoProgredir = [&](int p) {
            const bool download = k.momento.startsWith("Transferindo");
            if (!c.janela.estados.isEmpty() && c.janela.estados.last() == k.momento && p > 0
                && download == c.atualizacao.transferindo())
                c.janela.botaoAbortar();
        };

        Atualizacao::Resultado resultado = Atualizacao::Resultado::Encerra;
        const QString mensagem =
            mensagemDe([&] { resultado = c.atualizacao.AtualizaSistema(ModoAtualizacao::Manual); });

        EXPECT_TRUE(c.atualizacao.abortado());
        if (k.erro) {
            EXPECT_EQ(mensagem, "Transferência interrompida!\nFalha : 0 Operation canceled");
            EXPECT_EQ(s.pedidos(), QStringList({"FaixasINSS.dat", "Valores.dat"}));
        } else {
            EXPECT_EQ(mensagem, "(sem erro)");
            EXPECT_EQ(resultado, Atualizacao::Resultado::Continua);
            EXPECT_EQ(s.pedidos(), QStringList{"FaixasINSS.dat"});
        }
        EXPECT_EQ(linhas(c.a.banco, "FAIXASINSS"), 390);
        EXPECT_EQ(linhas(c.a.banco, "VALORES"), 0);
        EXPECT_TRUE(c.janela.mensagens.isEmpty());
        EXPECT_EQ(c.janela.eventos.last(), "sem abortar");
        QThread::msleep(100);
        EXPECT_FALSE(QFile::exists(c.a.caminho("rodou")));
    }
}

TEST(VersaoPrograma, QuatroPartesEscritasEmSequencia)
{
    struct Caso {
        const char* texto;
        const char* esperado;
        qint64 numero;
    };
    const Caso casos[] = {
        {"1.0.0.0", "1.0.0.0", 1000},
        {"2.1.0.15", "2.1.0.15", 21015},
        {"2.1.0.14", "2.1.0.14", 21014},
        {"3.2", "3.2.0.0", 3200},
        {"", "", 0},
        {"1.x.0.0", "", 0},
        {"1.0.0.0.0", "", 0},
        {"70000.0.0.0", "", 0},
    };
    for (const Caso& c : casos) {
        const Versao v = VersaoDoTexto(QString::fromLatin1(c.texto));
        EXPECT_EQ(v.texto, QString::fromLatin1(c.esperado)) << c.texto;
        EXPECT_EQ(v.numero, c.numero) << c.texto;
    }
    // The program's own version comes from the project's version.
    const Versao propria = VersaoPrograma();
    EXPECT_FALSE(propria.texto.isEmpty());
    EXPECT_EQ(propria.numero, VersaoDoTexto(propria.texto).numero);
}
