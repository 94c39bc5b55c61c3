// The full calculation of a large case: read the case file (with the table validation),
// the Calcular command, write the case file. Every item is switched on: three overtime
// lines and two night lines over the whole contract, every 13th-salary year and vacation
// period claimed, FGTS with its period and fine, both social-security shares, income tax
// on principal, 13th salary and interest, interest over the whole contract, fifty other
// credits and fifty other debits.
//
//   cmake -B build -DQUINTAR_BENCH=ON && cmake --build build --target bench_engine
//   build/bench/bench_engine                      # BM_Calculo/35 is the 35-year case
//   build/bench/bench_engine --memoria            # peak memory of quintar-cli calcula
//   build/bench/bench_engine --caso DIR           # DIR: a program folder with the calculated 35-year case
//
// BM_Piso is the floor of the same run: writing the statement and item rows that the
// calculation leaves into SQLite in one transaction (prepared statements, values already
// made), with nothing read, computed or formatted. BM_Cli times
// the whole command line (process start included) on a case file already calculated once,
// as a clerk's file is: `calcula` against `resumo`, which only reads and prints it.
//
// The reference tables are synthetic (an index growing 0.5 % a month, fixed brackets)
// because the shipped series start in 1994.

#include "ArquivoCaso.h"
#include "CasoAberto.h"
#include "Motor.h"
#include "Pastas.h"
#include "PreparaPadrao.h"
#include "Rotinas.h"
#include "Valores.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstring>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

using namespace quintar;

namespace {

const QDate Fim(2025, 10, 31);
const QDate Atualizacao(2025, 12, 31);

void Referencias(BancoDados& banco)
{
    Transacao t(banco);
    double indice = 1.0;
    for (QDate mes(1989, 1, 1); mes <= QDate(2026, 1, 1); mes = mes.addMonths(1)) {
        const int dias = mes.daysInMonth();
        for (int d = 0; d < dias; ++d)
            banco.executa(QStringLiteral("INSERT INTO DIARIO (CodIndice, Data, Indice) VALUES (1, :d, :i)"),
                          {{"d", bancoData(mes.addDays(d))}, {"i", indice * std::pow(1.005, double(d) / dias)}});
        indice *= 1.005;
        banco.executa(QStringLiteral("INSERT INTO VALORES (Ano, Mes, SalMin) VALUES (:a, :m, 1000)"),
                      {{"a", mes.year()}, {"m", mes.month()}});
        banco.executa(QStringLiteral("INSERT INTO FAIXASINSS (Ano, Mes, LimiteMinimo, Limite1, Percentual1, Limite2, "
                                     "Percentual2, Limite3, Percentual3, Limite4, Percentual4, Limite5, Percentual5) "
                                     "VALUES (:a, :m, 0, 1000, 7.5, 2000, 9, 3000, 12, 6000, 14, 0, 0)"),
                      {{"a", mes.year()}, {"m", mes.month()}});
        banco.executa(QStringLiteral("INSERT INTO FAIXASIR (Ano, Mes, LimiteMinimo, Limite1, Percentual1, Deducao1, Limite2, "
                                     "Percentual2, Deducao2, Limite3, Percentual3, Deducao3, PercentualMaximo, DeducaoMaximo) "
                                     "VALUES (:a, :m, 1903.98, 2826.65, 7.5, 142.8, 3751.05, 15, 354.8, 4664.68, 22.5, "
                                     "636.13, 27.5, 869.36)"),
                      {{"a", mes.year()}, {"m", mes.month()}});
    }
    t.confirma();
}

// Writes the case file of a contract of `anos` years into the program folder.
QString MontaCaso(BancoDados& banco, Feedback& feedback, int anos)
{
    const QDate inicio = Fim.addYears(-anos).addDays(1);
    const qint64 id = 777;
    Motor motor(banco, feedback);
    CasoAberto caso(motor);
    QStringList colunas, valores;
    for (const Coluna& c : TabelaTrabalho(u"TAB_PROCESSO")->colunas)
        if (c.tipo == TipoColuna::Char) {
            colunas.append(c.nome);
            valores.append(c.nome == u"UNIDADE_SALARIO_FIXO" ? QStringLiteral("'V'") : QStringLiteral("'S'"));
        }
    banco.executaDireto(QStringLiteral("INSERT INTO TAB_PROCESSO (PROCESSO_ID, NUMERO, ANO, VARA, REGIONAL, SEQUENCIAL, DV, "
                                       "RECLAMANTE_PRINCIPAL, RECLAMADO_PRINCIPAL, DATA_ATUALIZACAO, DATA_INICIO_PACTO, "
                                       "DATA_FIM_PACTO, SALARIO_FIXO, %1) VALUES (777, 777, 2025, 1, 5, 0, %2, "
                                       "'Reclamante', 'Reclamada', '%3', '%4', '%5', 30000000, %6)")
                            .arg(colunas.join(u','))
                            .arg(DV(777, 2025, 1, 5, 0))
                            .arg(Atualizacao.toString(Qt::ISODate), inicio.toString(Qt::ISODate), Fim.toString(Qt::ISODate),
                                 valores.join(u',')));
    caso.Localiza(id);
    motor.rapido.GeraVariacaoSalarial(caso);
    banco.executaDireto(QStringLiteral("UPDATE TAB_VARIACAO_SALARIAL SET SALARIO_VARIAVEL = 4000000, PARADIGMA = 35000000"));
    PreparaAviso(banco, id);
    banco.executaDireto(QStringLiteral("UPDATE TAB_AVISO_PREVIO SET SOBRE_HORA_EXTRA = 'S', SOBRE_NOTURNO = 'S', "
                                       "SOBRE_SALARIO_VARIAVEL = 'S', SOBRE_RSR = 'S'"));
    motor.rapido.GeraMesesSalario(id, inicio, Fim);
    motor.decimo.GeraAnos13Salario(id);
    motor.ferias.GeraPeriodosFerias(Fim, inicio, id);
    banco.executaDireto(QStringLiteral("UPDATE TAB_13_SALARIO SET IND_CALCULA = 'S', SOBRE_HORA_EXTRA = 'S', SOBRE_NOTURNO = 'S', "
                                       "SOBRE_INSALUBRIDADE = 'S', SOBRE_PERICULOSIDADE = 'S', SOBRE_RSR = 'S', "
                                       "SOBRE_SALARIO_VARIAVEL = 'S'"));
    banco.executaDireto(QStringLiteral("UPDATE TAB_FERIAS SET IND_FERIAS = 'S', IND_TERCO = 'S', SOBRE_HORA_EXTRA = 'S', "
                                       "SOBRE_NOTURNO = 'S', SOBRE_RSR = 'S', SOBRE_SALARIO_VARIAVEL = 'S', IND_REFERENCIA = 'M'"));
    PreparaFGTS(banco, id, inicio, Fim);
    banco.executaDireto(QStringLiteral("UPDATE TAB_FGTS SET IND_APURA_PERIODO = 'S', TIPO_MULTA = 2"));
    PreparaINSS(banco, id);
    banco.executaDireto(QStringLiteral("UPDATE TAB_INSS SET IND_CALCULA_RECLAMADO = 'S', PERCENTUAL_EMPREGADOR = 200000, "
                                       "PERCENTUAL_RAT = 20000, PERCENTUAL_TERCEIROS = 58000"));
    PreparaIR(banco, id);
    PreparaJuros(banco, id, inicio, Atualizacao);
    banco.executaDireto(QStringLiteral("UPDATE TAB_JUROS SET DATA_INICIO_JUROS = '%1'").arg(inicio.toString(Qt::ISODate)));
    PreparaMultas(banco, id);
    banco.executaDireto(QStringLiteral("UPDATE TAB_MULTAS SET IND_CALCULA_467 = 'S', IND_CALCULA_477 = 'S'"));
    PreparaInsalubridade(banco, id, inicio, Fim);
    PreparaPericulosidade(banco, id, inicio, Fim);
    PreparaRSR(banco, id);
    for (int linha = 1; linha <= 3; ++linha) {
        Valores v = NovaLinhaHorasExtras(banco, id, {});
        QStringList nomes, marcas;
        for (const auto& [coluna, valor] : v) {
            nomes.append(coluna);
            marcas.append(valor.toString());
        }
        banco.executaDireto(QStringLiteral("INSERT INTO TAB_HORAS_EXTRAS (%1, ANO_INICIAL, MES_INICIAL, ANO_FINAL, MES_FINAL) "
                                           "VALUES ('%2', %3, %4, %5, %6)")
                                .arg(nomes.join(u','), marcas.join(QStringLiteral("','")))
                                .arg(inicio.year()).arg(inicio.month()).arg(Fim.year()).arg(Fim.month()));
        banco.executaDireto(QStringLiteral("UPDATE TAB_HORAS_EXTRAS SET NUMERO_MEDIO_DIURNO = %1, NUMERO_MEDIO_NOTURNO = %2 "
                                           "WHERE SEQUENCIAL = %3").arg(100000 * linha).arg(30000 * linha).arg(linha));
    }
    for (int linha = 1; linha <= 2; ++linha) {
        banco.executaDireto(QStringLiteral("INSERT INTO TAB_NOTURNO (PROCESSO_ID, SEQUENCIAL, ANO_INICIAL, MES_INICIAL, ANO_FINAL, "
                                           "MES_FINAL, IND_SALARIO_FIXO, IND_SALARIO_VARIAVEL, IND_APENAS_REFLEXO, "
                                           "IND_DIFERENCA_SALARIAL, IND_DIVISOR_HORA, ACRESCIMO_NOTURNO, NUMERO_MEDIO) VALUES "
                                           "(777, %1, %2, %3, %4, %5, 'S', 'N', 'N', 'N', 220, 200000, %6)")
                                .arg(linha).arg(inicio.year()).arg(inicio.month()).arg(Fim.year()).arg(Fim.month())
                                .arg(200000 * linha));
    }
    for (int i = 0; i < 50; ++i) {
        const QDate mes = inicio.addMonths(i * anos * 12 / 50);
        for (const char* tabela : {"TAB_OUTROS_CREDITO", "TAB_OUTROS_DEBITO"})
            banco.executaDireto(QStringLiteral("INSERT INTO %1 (PROCESSO_ID, DESCRICAO, ANO, MES, VALOR) VALUES "
                                               "(777, 'Lançamento %2', %3, %4, %5)")
                                    .arg(QString::fromLatin1(tabela)).arg(i).arg(mes.year()).arg(mes.month()).arg(1000000 + i));
    }
    const QString arquivo = PastaPrograma() + QStringLiteral("grande-%1.QNT.XML").arg(anos);
    GravaArquivo(banco, arquivo, id, feedback);
    return arquivo;
}

// A program folder with the synthetic reference tables: a temporary one, or the one given.
struct Pasta {
    explicit Pasta(const QString& caminho = {}) : caminho_(caminho.isEmpty() ? temporaria_.path() : caminho)
    {
        QDir().mkpath(caminho_);
        DefinePastaPrograma(caminho_);
        DefineDiretorioPadrao(caminho_);
        banco.abre(PastaTabelas());
        Referencias(banco);
        banco.ReiniciaTabelas(feedback);
    }
    QString path() const { return caminho_; }

    BancoDados banco;
    Feedback feedback;

private:
    QTemporaryDir temporaria_;
    QString caminho_;
};

Pasta& pasta()
{
    static Pasta p;
    return p;
}

// A calculated case file of `anos` years: what a clerk opens again after a calculation.
QString CasoCalculado(Pasta& p, int anos)
{
    p.banco.ReiniciaTabelas(p.feedback);
    const QString arquivo = MontaCaso(p.banco, p.feedback, anos);
    Motor motor(p.banco, p.feedback);
    CasoAberto caso(motor);
    caso.relogio = [] { return QDateTime(QDate(2026, 12, 10), QTime(12, 0)); };
    caso.AbreArquivo(arquivo);
    caso.Calcular();
    return arquivo;
}

void BM_Calculo(benchmark::State& state)
{
    Pasta& p = pasta();
    const int anos = int(state.range(0));
    p.banco.ReiniciaTabelas(p.feedback);
    const QString arquivo = MontaCaso(p.banco, p.feedback, anos);
    Motor motor(p.banco, p.feedback);
    for (auto _ : state) {
        CasoAberto caso(motor);
        caso.relogio = [] { return QDateTime(QDate(2026, 12, 10), QTime(12, 0)); };
        caso.AbreArquivo(arquivo);
        caso.Calcular();
        benchmark::DoNotOptimize(caso.money(u"TOTAL_CALCULO"));
    }
    state.counters["meses"] = anos * 12;
    state.counters["ms_por_mes"] = benchmark::Counter(anos * 12, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_Calculo)->Arg(5)->Arg(10)->Arg(20)->Arg(35)->Unit(benchmark::kMillisecond)->UseRealTime();

// The rows a calculation leaves in the tables it writes: the monthly statement and every
// item table the calculators fill (the salary history and the schedules are only read).
struct Linhas {
    QString tabela;
    int colunas = 0;
    QVector<QVector<QVariant>> valores;
};

QVector<Linhas> LinhasDoCalculo(BancoDados& banco, qint64 id)
{
    QVector<Linhas> todas;
    for (const Tabela& t : TabelasTrabalho()) {
        if (t.nome == u"TAB_VARIACAO_SALARIAL" || t.nome == u"TAB_JT_EXTRA" || t.nome == u"TAB_JT_NOTURNO")
            continue;
        Linhas l{t.nome, int(t.colunas.size()), {}};
        QSqlQuery& q = banco.executa(
            QStringLiteral("SELECT * FROM ") + t.nome + QStringLiteral(" WHERE PROCESSO_ID = :id"), {{"id", id}});
        while (q.next()) {
            QVector<QVariant> v(l.colunas);
            for (int i = 0; i < l.colunas; ++i)
                v[i] = q.value(i);
            l.valores.append(v);
        }
        q.finish();
        todas.append(l);
    }
    return todas;
}

void BM_Piso(benchmark::State& state)
{
    Pasta& p = pasta();
    const int anos = int(state.range(0));
    CasoCalculado(p, anos);
    const QVector<Linhas> linhas = LinhasDoCalculo(p.banco, 777);
    int quantidade = 0;
    for (const Linhas& l : linhas)
        quantidade += int(l.valores.size());
    // Prepared statements on SQLite's own handle, as the program writes its bulk rows.
    for (auto _ : state) {
        Transacao t(p.banco);
        for (const Linhas& l : linhas) {
            p.banco.sentenca(QStringLiteral("DELETE FROM ") + l.tabela + QStringLiteral(" WHERE PROCESSO_ID = 777"))
                .executa();
            Sentenca& s = p.banco.sentenca(QStringLiteral("INSERT INTO ") + l.tabela + QStringLiteral(" VALUES (")
                + QStringList(l.colunas, QStringLiteral("?")).join(u',') + u')');
            for (const QVector<QVariant>& v : l.valores) {
                for (int i = 0; i < l.colunas; ++i)
                    s.liga(i, v[i]);
                s.executa();
            }
        }
        t.confirma();
    }
    state.counters["linhas"] = quantidade;
}
BENCHMARK(BM_Piso)->Arg(5)->Arg(10)->Arg(20)->Arg(35)->Unit(benchmark::kMillisecond)->UseRealTime();

// Runs quintar-cli once and waits for it; false when it did not exit with 0.
bool RodaCli(const QByteArray& dir, const QList<QByteArray>& argumentos)
{
    const QByteArray cli = QByteArrayLiteral(QUINTAR_CLI);
    const pid_t filho = fork();
    if (filho == 0) {
        setenv("XDG_CONFIG_HOME", QByteArray(dir + "/cfg").constData(), 1);
        if (!std::freopen("/dev/null", "w", stdout))
            _exit(126);
        std::vector<const char*> argv{cli.constData(), "--pasta", dir.constData()};
        for (const QByteArray& a : argumentos)
            argv.push_back(a.constData());
        argv.push_back(nullptr);
        execv(cli.constData(), const_cast<char* const*>(argv.data()));
        _exit(127);
    }
    int status = 0;
    waitpid(filho, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// quintar-cli calcula (range 1) or resumo (range 0) of the calculated 35-year case.
void BM_Cli(benchmark::State& state)
{
    static Pasta p; // a folder of its own: the command resets the working tables
    static const QString arquivo = [] {
        const QString a = CasoCalculado(p, 35);
        p.banco.fecha();
        return a;
    }();
    const bool calcula = state.range(0) == 1;
    const QByteArray dir = p.path().toUtf8();
    const QByteArray caso = arquivo.toUtf8();
    const QByteArray saida = QByteArray(dir + "/saida.QNT.XML");
    for (auto _ : state) {
        const bool ok = calcula ? RodaCli(dir, {"calcula", caso, "--agora", "10/12/2026 12:00:00", "--saida", saida})
                                : RodaCli(dir, {"resumo", caso});
        if (!ok)
            state.SkipWithError("quintar-cli");
    }
    state.SetLabel(calcula ? "calcula" : "resumo");
}
BENCHMARK(BM_Cli)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();

// Peak resident memory of one `quintar-cli calcula` of the 35-year case, in MB.
int MedeMemoria()
{
    Pasta& p = pasta();
    const QString arquivo = MontaCaso(p.banco, p.feedback, 35);
    p.banco.fecha();
    const QByteArray cli = QByteArrayLiteral(QUINTAR_CLI);
    const QByteArray dir = p.path().toUtf8();
    const QByteArray caso = arquivo.toUtf8();
    const pid_t filho = fork();
    if (filho == 0) {
        setenv("XDG_CONFIG_HOME", QByteArray(dir + "/cfg").constData(), 1);
        if (!std::freopen("/dev/null", "w", stdout))
            _exit(126);
        execl(cli.constData(), cli.constData(), "--pasta", dir.constData(), "calcula", caso.constData(), "--agora",
              "10/12/2026 12:00:00", static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    rusage uso{};
    wait4(filho, &status, 0, &uso);
    std::printf("quintar-cli calcula (35 anos): saída %d, memória máxima %.1f MB\n", WEXITSTATUS(status), uso.ru_maxrss / 1024.0);
    return WEXITSTATUS(status);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc > 1 && std::strcmp(argv[1], "--memoria") == 0)
        return MedeMemoria();
    if (argc > 2 && std::strcmp(argv[1], "--caso") == 0) {
        // A program folder with the calculated 35-year case, left for profiling the command line.
        Pasta p(QString::fromLocal8Bit(argv[2]));
        std::printf("%s\n", qPrintable(CasoCalculado(p, 35)));
        return 0;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
