#include "TfrmAdicional.h"

#include "BancoDados.h"
#include "Campos.h"
#include "Erro.h"
#include "Interface.h"
#include "Registros.h"
#include "RegrasEditores.h"
#include "Rotinas.h"
#include "TfrmReflexos.h"
#include "Valores.h"
#include "Vinculos.h"

#include <QComboBox>
#include <QPushButton>

namespace quintar {

TfrmAdicional::TfrmAdicional(Motor& motor, const QString& tabela, const QString& item, QWidget* pai)
    : TfrmOkCan(motor, pai), item_(item)
{
    auto registros = std::make_unique<Registros>(banco_, tabela);
    registros->emCache = false;
    registros->permiteInserir = false; // the row is the core's, made when the dialog opens
    registros->permiteExcluir = false;
    registros->antesDePostar = [this](Registros& r) { ValidaPeriodo(r, inicioPacto_, fimPacto_); };
    defineQue1(std::move(registros));
}

void TfrmAdicional::ligaPeriodo(const Periodo& p)
{
    Vinculos& v = vinculos();
    for (QComboBox* mes : {p.mesInicial, p.mesFinal})
        for (int m = 1; m <= 12; ++m)
            mes->addItem(QString::number(m), m);
    v.liga(p.mesInicial, QStringLiteral("MES_INICIAL"));
    v.liga(p.anoInicial, QStringLiteral("ANO_INICIAL"));
    v.liga(p.mesFinal, QStringLiteral("MES_FINAL"));
    v.liga(p.anoFinal, QStringLiteral("ANO_FINAL"));
    for (CampoNumero* ano : {p.anoInicial, p.anoFinal}) {
        ano->completaAoSair = [](const QString& digitado) { return AnoCompleto(digitado); };
        ano->setMaximumWidth(ano->fontMetrics().horizontalAdvance(QStringLiteral("000000")) + 14);
    }
    // A complete year moves on, while the row is being edited.
    const auto editando = [this] { return que1()->emEdicao(); };
    EncadeiaCampos({p.anoInicial, p.mesFinal}, editando);
    EncadeiaCampos({p.anoFinal, p.reflexos}, editando);
    ligaComando(p.reflexos, [this] { btnReflexosClick(); });
    setTabOrder(p.reflexos, btnOk());
    setTabOrder(btnOk(), btnCancelar());
}

void TfrmAdicional::PreparaPadrao(qint64 processoId)
{
    processoId_ = processoId;
    const DatasProcesso datas = LeDatasProcesso(banco_, processoId_);
    inicioPacto_ = datas.inicioPacto;
    fimPacto_ = datas.fimPacto;
    preparaRegistro(inicioPacto_, fimPacto_);
}

void TfrmAdicional::FormShow()
{
    PreparaPadrao(processoId_);
    que1()->abre(processoId_);
    primeiroCampo()->setFocus(Qt::OtherFocusReason);
}

void TfrmAdicional::btnReflexosClick()
{
    if (!vinculos().confirma())
        return;
    TfrmReflexos reflexos(motor_, item_, *que1(), this);
    reflexos.Abre(processoId_);
}

} // namespace quintar
