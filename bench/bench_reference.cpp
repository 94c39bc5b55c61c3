// The record-file import of the shipped Diario.dat (one row per day since 07/1994) into
// empty tables and over full ones, and a new program folder's whole first fill.
// Goal on the project's 2-core machine: each import at most 0.3 s.

#include "BancoDados.h"
#include "DadosIniciais.h"
#include "Feedback.h"
#include "ImportaTabelas.h"
#include "Pastas.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace quintar;

namespace {

struct Pasta {
    Pasta()
    {
        DefinePastaPrograma(dir.path());
        banco.abre(PastaTabelas());
        GravaBytes(Layout(ArquivoDat::Diario).arquivo, ArquivoInicial(ArquivoDat::Diario));
    }
    static void GravaBytes(const QString& nome, const QByteArray& bytes)
    {
        QFile f(PastaTabelas() + nome);
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
            std::abort();
    }
    QTemporaryDir dir;
    BancoDados banco;
};

void BM_ImportaDiarioTabelaVazia(benchmark::State& state)
{
    Pasta p;
    for (auto _ : state) {
        state.PauseTiming();
        p.banco.executaDireto(QStringLiteral("DELETE FROM DIARIO"));
        state.ResumeTiming();
        ImportaArquivo(p.banco, semFeedback(), Layout(ArquivoDat::Diario));
    }
    state.counters["registros"] = p.banco.escalar(QStringLiteral("SELECT COUNT(*) FROM DIARIO")).toInt();
}
BENCHMARK(BM_ImportaDiarioTabelaVazia)->Unit(benchmark::kMillisecond);

void BM_ImportaDiarioTabelaCheia(benchmark::State& state)
{
    Pasta p;
    ImportaArquivo(p.banco, semFeedback(), Layout(ArquivoDat::Diario));
    for (auto _ : state)
        ImportaArquivo(p.banco, semFeedback(), Layout(ArquivoDat::Diario));
    state.counters["registros"] = p.banco.escalar(QStringLiteral("SELECT COUNT(*) FROM DIARIO")).toInt();
}
BENCHMARK(BM_ImportaDiarioTabelaCheia)->Unit(benchmark::kMillisecond);

// What a new program folder costs at its first start: the record files built from the
// shipped data, written and imported, and the lookup tables filled.
void BM_PrimeiroInicio(benchmark::State& state)
{
    Pasta p;
    for (auto _ : state) {
        state.PauseTiming();
        for (const char* t : {"DIARIO", "FAIXASINSS", "FAIXASIR", "VALORES", "PrevEmpregador", "PrevSAT",
                 "PrevTerceiro", "TAB_OUTROS_DESCRICAO"})
            p.banco.executaDireto(QStringLiteral("DELETE FROM ") + QString::fromLatin1(t));
        state.ResumeTiming();
        GaranteTabelasReferencia(p.banco, semFeedback());
    }
}
BENCHMARK(BM_PrimeiroInicio)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
