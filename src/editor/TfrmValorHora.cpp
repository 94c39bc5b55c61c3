#include "TfrmValorHora.h"

#include "Campos.h"
#include "Esquema.h"
#include "Registros.h"
#include "RegrasAdicionais.h"
#include "Vinculos.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

namespace quintar {

TfrmValorHora::TfrmValorHora(Motor& motor, Registros& linhas, QWidget* pai) : TfrmOkCan(motor, pai)
{
    defineQue1(linhas);
}

void TfrmValorHora::ligaValorHora(const Controles& c)
{
    c_ = c;
    Vinculos& v = vinculos();
    v.liga(c.salarioFixo, QStringLiteral("IND_SALARIO_FIXO"));
    v.liga(c.diferencaSalarial, QStringLiteral("IND_DIFERENCA_SALARIAL"));
    v.liga(c.salarioVariavel, QStringLiteral("IND_SALARIO_VARIAVEL"));
    v.liga(c.acrescimoNoturno, QStringLiteral("ACRESCIMO_NOTURNO"));
    c.acrescimoNoturno->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    c.acrescimoNoturno->setMaximumWidth(
        c.acrescimoNoturno->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 14);
    c.divisor->addItems(TextosDivisor());
    // The two texts, or a number of its own.
    QStringList escolhas;
    for (const QString& t : TextosDivisor())
        escolhas.append(QRegularExpression::escape(t));
    c.divisor->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9]{0,4}|") + escolhas.join(u'|')), c.divisor));
    c.divisor->setInsertPolicy(QComboBox::NoInsert);
}

void TfrmValorHora::FormShow()
{
    Registros& r = *que1();
    recusaDaLinha_.reset();
    estavaEmEdicao_ = r.emEdicao();
    antes_.clear();
    for (int c = 0; c < r.tabela().colunas.size(); ++c)
        antes_.append(r.valor(r.atual(), c));
    vinculos().mostra();
    const QVariant divisor = r.valor(u"IND_DIVISOR_HORA");
    c_.divisor->setEditText(TextoDivisor(divisor.isNull() ? std::nullopt : std::optional<int>(divisor.toInt())));
    c_.salarioFixo->setFocus();
}

void TfrmValorHora::btnOkClick()
{
    if (!vinculos().confirma())
        return;
    Registros& r = *que1();
    r.Edita();
    // An empty divisor is the one an empty column counts as.
    r.define(u"IND_DIVISOR_HORA", DivisorDoTexto(c_.divisor->currentText()).value_or(220));
    try {
        r.Posta();
    } catch (const Erro& e) {
        recusaDaLinha_ = e;
    }
    accept();
}

void TfrmValorHora::btnCancelarClick()
{
    Registros& r = *que1();
    if (!estavaEmEdicao_) {
        r.Cancela();
        return;
    }
    for (int c = 0; c < antes_.size(); ++c)
        r.define(c, antes_[c]);
}

} // namespace quintar
