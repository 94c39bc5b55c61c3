#include "TfrmBaseDados.h"

#include "Campos.h"
#include "Motor.h"
#include "Registros.h"
#include "Vinculos.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace quintar {

namespace {

struct DefinicaoItemBase {
    const char* texto;
    const char* nome;
    const char* coluna;
};

// In the order of ItemBase.
const DefinicaoItemBase ItensBase[] = {
    {"Aviso Prévio", "chkAvisoPrevio", "IND_AVISO_PREVIO"},
    {"Salário", "chkSalario", "IND_SALARIO"},
    {"13 Salário", "chk13sal", "IND_13_SALARIO"},
    {"Férias", "chkFerias", "IND_FERIAS"},
    {"FGTS", "chkFGTS", "IND_FGTS"},
    {"Horas Extras", "chkHorExt", "IND_HORA_EXTRA"},
    {"Adicional Noturno", "chkAdicNot", "IND_NOTURNO"},
    {"Adicional Insalubridade", "chkAdicInsalub", "IND_INSALUBRIDADE"},
    {"Adicional Periculosidade", "chkAdicPeric", "IND_PERICULOSIDADE"},
    {"Repouso Semanal Remunerado", "chkRepSReum", "IND_RSR"},
    {"Multas", "chkMultas", "IND_MULTAS"},
    {"Juros (em separado)", "chkJuros", "IND_JUROS"},
};

} // namespace

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
    base->addStretch();
    chkSalario = acrescentaBase(ItemBase::Salario);
    chk13sal = acrescentaBase(ItemBase::DecimoTerceiro);
    chkHorExt = acrescentaBase(ItemBase::HorasExtras);
    chkAdicNot = acrescentaBase(ItemBase::Noturno);
    chkAdicInsalub = acrescentaBase(ItemBase::Insalubridade);
    chkRepSReum = acrescentaBase(ItemBase::RSR);
    layout->addWidget(grbBaseCalc_);
}

QCheckBox* TfrmBaseDados::acrescentaBase(ItemBase item)
{
    const DefinicaoItemBase& d = ItensBase[int(item)];
    auto* c = new QCheckBox(QString::fromUtf8(d.texto), grbBaseCalc_);
    c->setObjectName(QString::fromLatin1(d.nome));
    int posicao = 0;
    while (posicao < base_.size() && base_[posicao].first < item)
        ++posicao;
    base_.insert(posicao, {item, c});
    static_cast<QVBoxLayout*>(grbBaseCalc_->layout())->insertWidget(posicao, c);
    return c;
}

void TfrmBaseDados::ligaBaseCalc()
{
    for (const auto& [item, caixa] : base_)
        vinculos().liga(caixa, QString::fromLatin1(ItensBase[int(item)].coluna));
}

void TfrmBaseDados::ordenaTabulacao(QWidget* ultimoCampo)
{
    QVector<QWidget*> ordem{ultimoCampo};
    for (const auto& [item, caixa] : base_)
        if (caixa != ultimoCampo)
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
