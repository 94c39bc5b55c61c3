#pragma once

#include "Feedback.h"

#include <QString>
#include <QtGlobal>

namespace quintar {

// Where the ZIP work shows its progress: the status panel of the backup dialog, or the
// lines printed by the command-line front end. The panel appears (mostraProgresso) at the
// first event and goes away when the work ends, also on failure. The values are worked out
// by ProgressoZip; an implementation only displays them.
class PainelProgresso : public Feedback {
public:
    // The name of the file being processed (empty: cleared).
    virtual void nomeArquivo(const QString& /*nome*/) { }
    // Both bars run from 1 (start) to 10001 (full): hundredths of a percent, plus 1.
    virtual void barraArquivo(int /*posicao*/) { }
    virtual void barraTotal(int /*posicao*/) { }
    // "3 arquivos", "Total: 12 Kb", or empty (cleared).
    virtual void textoTotais(const QString& /*texto*/) { }
};

// The start and the end of the progress bars.
inline constexpr int InicioBarra = 1;
inline constexpr int FimBarra = 10001;

// processado × 10000 ÷ tamanho, rounded to the nearest whole number with halves to even,
// plus 1; full when the size is 0. Kept within the bar when a file grows while it is read.
int PosicaoBarra(qint64 processado, qint64 tamanho);

// The progress events of the ZIP work, turned into what the panel shows.
class ProgressoZip {
public:
    explicit ProgressoZip(PainelProgresso& painel) : painel_(painel) { }

    void inicioArquivo(const QString& nome, qint64 tamanho);
    void bytesProcessados(qint64 n);
    void fimLote();
    void totalArquivos(qint64 n);
    void totalBytes(qint64 n);

    // Hides the panel when it was shown.
    void encerra();

private:
    void mostra();

    PainelProgresso& painel_;
    bool mostrado_ = false;
    qint64 tamanhoArquivo_ = 0;
    qint64 processadoArquivo_ = 0;
    bool totalConhecido_ = false;
    qint64 tamanhoTotal_ = 0;
    qint64 processadoTotal_ = 0;
};

} // namespace quintar
