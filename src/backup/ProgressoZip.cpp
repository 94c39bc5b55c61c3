#include "ProgressoZip.h"

#include <algorithm>

namespace quintar {

int PosicaoBarra(qint64 processado, qint64 tamanho)
{
    if (tamanho <= 0)
        return FimBarra;
    processado = std::clamp<qint64>(processado, 0, tamanho);
    // Integer arithmetic: a double would blur the halves that decide the rounding.
    const qint64 dividendo = processado * 10000;
    qint64 quociente = dividendo / tamanho;
    const qint64 resto2 = (dividendo % tamanho) * 2;
    if (resto2 > tamanho || (resto2 == tamanho && quociente % 2 == 1))
        ++quociente;
    return static_cast<int>(quociente) + InicioBarra;
}

void ProgressoZip::mostra()
{
    if (!mostrado_) {
        mostrado_ = true;
        painel_.mostraProgresso(true);
    }
}

void ProgressoZip::inicioArquivo(const QString& nome, qint64 tamanho)
{
    mostra();
    tamanhoArquivo_ = tamanho;
    processadoArquivo_ = 0;
    painel_.nomeArquivo(nome);
    painel_.barraArquivo(InicioBarra);
    painel_.processaEventos();
}

void ProgressoZip::bytesProcessados(qint64 n)
{
    mostra();
    processadoArquivo_ += n;
    processadoTotal_ += n;
    painel_.barraArquivo(PosicaoBarra(processadoArquivo_, tamanhoArquivo_));
    if (totalConhecido_)
        painel_.barraTotal(PosicaoBarra(processadoTotal_, tamanhoTotal_));
    painel_.processaEventos();
}

void ProgressoZip::fimLote()
{
    mostra();
    painel_.nomeArquivo(QString());
    painel_.textoTotais(QString());
    painel_.barraArquivo(InicioBarra);
    painel_.barraTotal(InicioBarra);
    painel_.processaEventos();
}

void ProgressoZip::totalArquivos(qint64 n)
{
    mostra();
    painel_.textoTotais(QString::number(n) + QStringLiteral(" arquivos"));
    painel_.processaEventos();
}

void ProgressoZip::totalBytes(qint64 n)
{
    mostra();
    painel_.textoTotais(QStringLiteral("Total: ") + QString::number(n / 1024) + QStringLiteral(" Kb"));
    painel_.barraTotal(InicioBarra);
    totalConhecido_ = true;
    tamanhoTotal_ = n;
    processadoTotal_ = 0;
    painel_.processaEventos();
}

void ProgressoZip::encerra()
{
    if (mostrado_) {
        mostrado_ = false;
        painel_.mostraProgresso(false);
    }
}

} // namespace quintar
