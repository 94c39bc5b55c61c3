#include "TfrmBaseDados.h"

#include "Campos.h"
#include "Motor.h"
#include "Registros.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace quintar {

TfrmBaseDados::TfrmBaseDados(Motor& motor, const QString& tabela, QWidget* pai) : TfrmOkCan(motor, pai)
{
    auto registros = std::make_unique<Registros>(banco_, tabela);
    registros->emCache = false;
    registros->aoNovoRegistro = [this](Registros& r) {
        r.preencheFlags(QStringLiteral("S"));
        padroes(r);
    };
    defineQue1(std::move(registros));

    auto* layout = new QHBoxLayout(panDados());
    layout->setContentsMargins(0, 0, 0, 0);
    conteudo_ = new QWidget(panDados());
    layout->addWidget(conteudo_, 1);
    grbBaseCalc_ = new QGroupBox(panDados());
    grbBaseCalc_->setObjectName(QStringLiteral("grbBaseCalc"));
    auto* base = new QVBoxLayout(grbBaseCalc_);
    const auto caixa = [&](const char* texto, const char* nome) {
        auto* c = new QCheckBox(QString::fromUtf8(texto), grbBaseCalc_);
        c->setObjectName(QString::fromLatin1(nome));
        base->addWidget(c);
        return c;
    };
    chkSalario = caixa("Salário", "chkSalario");
    chk13sal = caixa("13 Salário", "chk13sal");
    chkHorExt = caixa("Horas Extras", "chkHorExt");
    chkAdicNot = caixa("Adicional Noturno", "chkAdicNot");
    chkAdicInsalub = caixa("Adicional Insalubridade", "chkAdicInsalub");
    chkRepSReum = caixa("Repouso Semanal Remunerado", "chkRepSReum");
    base->addStretch();
    layout->addWidget(grbBaseCalc_);
}

QCheckBox* TfrmBaseDados::acrescentaBase(const QString& texto, const QString& nome, QCheckBox* antes)
{
    auto* layout = static_cast<QVBoxLayout*>(grbBaseCalc_->layout());
    auto* c = new QCheckBox(texto, grbBaseCalc_);
    c->setObjectName(nome);
    // The last item of the layout is the stretch below the boxes.
    layout->insertWidget(antes ? layout->indexOf(antes) : layout->count() - 1, c);
    return c;
}

void TfrmBaseDados::ordenaTabulacao(QWidget* ultimoCampo)
{
    QVector<QWidget*> ordem{ultimoCampo};
    const QLayout* layout = grbBaseCalc_->layout();
    for (int i = 0; i < layout->count(); ++i)
        if (QWidget* caixa = layout->itemAt(i)->widget(); caixa && caixa != ultimoCampo)
            ordem.append(caixa);
    ordem << btnOk() << btnCancelar();
    OrdemTabulacao(ordem);
}

void TfrmBaseDados::PreparaPadrao(qint64 processoId)
{
    processoId_ = processoId;
    AbreRegistro();
}

void TfrmBaseDados::AbreRegistro()
{
    que1()->abre(processoId_);
    if (que1()->quantidade() > 0)
        return;
    criaRegistro();
    que1()->abre(processoId_);
}

void TfrmBaseDados::criaRegistro()
{
    que1()->Acrescenta();
    que1()->Posta();
}

} // namespace quintar
