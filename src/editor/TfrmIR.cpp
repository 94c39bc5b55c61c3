#include "TfrmIR.h"

#include "PreparaPadrao.h"
#include "Vinculos.h"

#include <QCheckBox>
#include <QGroupBox>

namespace quintar {

TfrmIR::TfrmIR(Motor& motor, QWidget* pai) : TfrmBaseDados(motor, QStringLiteral("TAB_IR"), pai)
{
    setWindowTitle(QStringLiteral("Apuração de Imposto de Renda"));
    conteudo()->hide();
    grbBaseCalc()->setTitle(QStringLiteral("Base de Cálculo"));
    chk13sal->setText(QStringLiteral("13º Salário (em separado)"));
    chkAvisoPrevio = acrescentaBase(QStringLiteral("Aviso Prévio"), QStringLiteral("chkAvisoPrevio"), chkSalario);
    chkFerias = acrescentaBase(QStringLiteral("Férias"), QStringLiteral("chkFerias"), chkHorExt);
    chkAdicPeric =
        acrescentaBase(QStringLiteral("Adicional Periculosidade"), QStringLiteral("chkAdicPeric"), chkRepSReum);
    chkJuros = acrescentaBase(QStringLiteral("Juros (em separado)"), QStringLiteral("chkJuros"));
    const std::pair<QCheckBox*, const char*> caixas[] = {
        {chkAvisoPrevio, "IND_AVISO_PREVIO"},
        {chkSalario, "IND_SALARIO"},
        {chk13sal, "IND_13_SALARIO"},
        {chkFerias, "IND_FERIAS"},
        {chkHorExt, "IND_HORA_EXTRA"},
        {chkAdicNot, "IND_NOTURNO"},
        {chkAdicInsalub, "IND_INSALUBRIDADE"},
        {chkAdicPeric, "IND_PERICULOSIDADE"},
        {chkRepSReum, "IND_RSR"},
        {chkJuros, "IND_JUROS"},
    };
    for (const auto& [caixa, coluna] : caixas)
        vinculos().liga(caixa, QString::fromLatin1(coluna));
    ordenaTabulacao(chkAvisoPrevio);
}

void TfrmIR::criaRegistro()
{
    PreparaIR(banco_, processoId_);
}

void TfrmIR::FormShow()
{
    TfrmBaseDados::FormShow();
    chkAvisoPrevio->setFocus(Qt::OtherFocusReason);
}

} // namespace quintar
