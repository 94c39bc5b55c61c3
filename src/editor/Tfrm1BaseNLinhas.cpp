#include "Tfrm1BaseNLinhas.h"

#include "BancoDados.h"
#include "Erro.h"
#include "Esquema.h"
#include "Registros.h"
#include "Rotinas.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QSqlError>
#include <QVBoxLayout>

namespace quintar {

Tfrm1BaseNLinhas::Tfrm1BaseNLinhas(Motor& motor, const QString& tabela, QWidget* pai) : TfrmGrades(motor, tabela, pai)
{
    panBase_ = new QWidget(panDados());
    panBase_->setObjectName(QStringLiteral("panBase"));
    auto* layout = new QVBoxLayout(panBase_);
    layout->setContentsMargins(0, 0, 0, 0);
    gruBase_ = new QGroupBox(QStringLiteral("Base de Cálculo"), panBase_);
    gruBase_->setObjectName(QStringLiteral("gruBase"));
    layout->addWidget(gruBase_);
    layout->addStretch();
    static_cast<QHBoxLayout*>(panDados()->layout())->addWidget(panBase_);
}

void Tfrm1BaseNLinhas::ligaBase(QCheckBox* caixa, const QString& coluna)
{
    que1()->coluna(coluna); // a column the table does not have fails here
    base_.append({caixa, coluna});
}

void Tfrm1BaseNLinhas::substituiBase(QWidget* opcoes)
{
    delete panBase_->layout()->replaceWidget(gruBase_, opcoes);
    gruBase_->hide();
}

void Tfrm1BaseNLinhas::FormShow()
{
    TfrmGrades::FormShow();
    for (const auto& [caixa, coluna] : base_)
        caixa->setChecked(que1()->quantidade() > 0 && ehSim(que1()->valor(0, coluna)));
}

void Tfrm1BaseNLinhas::gravaDepois()
{
    if (base_.isEmpty())
        return;
    QStringList atribuicoes;
    for (const auto& [caixa, coluna] : base_)
        atribuicoes.append(coluna + QStringLiteral(" = ?"));
    QSqlQuery& q = banco_.consulta(QStringLiteral("UPDATE %1 SET %2 WHERE PROCESSO_ID = ?")
                                       .arg(que1()->tabela().nome, atribuicoes.join(QStringLiteral(", "))));
    int i = 0;
    for (const auto& [caixa, coluna] : base_)
        q.bindValue(i++, FlagSN(caixa->isChecked()));
    q.bindValue(i, processoId_);
    if (!q.exec())
        throw Erro(MensagemErroBanco(q.lastError()));
}

} // namespace quintar
