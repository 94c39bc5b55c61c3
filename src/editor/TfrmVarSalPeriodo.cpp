#include "TfrmVarSalPeriodo.h"

#include "Erro.h"
#include "Interface.h"
#include "Registros.h"
#include "Rotinas.h"
#include "TfrmVarSalarial.h"
#include "Valores.h"
#include "Vinculos.h"
#include "ui_TfrmVarSalPeriodo.h"

#include <QComboBox>
#include <QLineEdit>

namespace quintar {

namespace {

// AnoMes back to its month and year: 24061 is December 2004.
int anoDe(int anoMes)
{
    return (anoMes - 1) / 12;
}
int mesDe(int anoMes)
{
    return (anoMes - 1) % 12 + 1;
}

const char* const ColunasValores[] = {"SALARIO_FIXO", "PARADIGMA", "SALARIO_VARIAVEL"};

} // namespace

TfrmVarSalPeriodo::TfrmVarSalPeriodo(Motor& motor, TfrmVarSalarial& editor)
    : TfrmOkCan(motor, &editor), ui_(std::make_unique<Ui::TfrmVarSalPeriodo>()), editor_(editor)
{
    setWindowTitle(QStringLiteral("Variação Salarial por Período"));
    ui_->setupUi(panDados());
    for (QComboBox* mes : {ui_->cmbMesInicial, ui_->cmbMesFinal}) {
        for (int m = 1; m <= 12; ++m)
            mes->addItem(QString::number(m));
        mes->lineEdit()->setMaxLength(2);
        ApenasDigitos(mes->lineEdit());
    }
    for (QLineEdit* ano : {ui_->edtAnoInicial, ui_->edtAnoFinal}) {
        ApenasDigitos(ano);
        connect(ano, &QLineEdit::textEdited, this, [this, ano] {
            if (ano->hasFocus() && ano->text().size() >= ano->maxLength())
                focusNextChild();
        });
    }
    connect(ui_->edtAnoInicial, &QLineEdit::editingFinished, this, [this] {
        const QString t = ui_->edtAnoInicial->text();
        if (t.size() == 1 || t.size() == 2)
            ui_->edtAnoInicial->setText(AnoCompleto(t));
    });
    const int digitos = fontMetrics().horizontalAdvance(QStringLiteral("00000"));
    for (QWidget* c : {static_cast<QWidget*>(ui_->cmbMesInicial), static_cast<QWidget*>(ui_->cmbMesFinal)})
        c->setMaximumWidth(digitos + 40);
    for (QWidget* c : {ui_->edtAnoInicial, ui_->edtAnoFinal})
        c->setMaximumWidth(digitos + 16);
    for (QWidget* c : {ui_->edtFixa, ui_->edtParadigma, ui_->edtVariavel})
        c->setMaximumWidth(digitos * 3);
    ui_->layoutPeriodo->setColumnStretch(9, 1); // the fields keep their widths, the rest is space
    QPalette vermelho = ui_->edtParadigma->palette();
    vermelho.setColor(QPalette::Text, Qt::red);
    ui_->edtParadigma->setPalette(vermelho);

    // The dialog's own copy of the history: its values are typed here and never written.
    auto registros = std::make_unique<Registros>(banco_, QStringLiteral("TAB_VARIACAO_SALARIAL"));
    registros->ordem = QStringLiteral("ANO, MES");
    registros->permiteInserir = false;
    registros->permiteExcluir = false;
    registros->abre(editor.processoId());
    defineQue1(std::move(registros));
    Registros& r = *this->que1();
    for (const char* c : ColunasValores)
        vinculos().defineGravacao(QString::fromLatin1(c), [&r, c](const QVariant& v) {
            if (lerMoney(v) < Money())
                throw Erro(QStringLiteral("Não pode ser informado valor negativo."));
            r.define(QString::fromLatin1(c), v);
        });
    vinculos().aoRecusar = [this](const Erro& e, QWidget* campo) {
        MostraErro(this, e.mensagem());
        if (campo)
            campo->setFocus(Qt::OtherFocusReason);
    };
    vinculos().liga(ui_->edtFixa, QStringLiteral("SALARIO_FIXO"));
    vinculos().liga(ui_->edtParadigma, QStringLiteral("PARADIGMA"));
    vinculos().liga(ui_->edtVariavel, QStringLiteral("SALARIO_VARIAVEL"));

    if (r.quantidade() > 0) {
        primeiro_ = AnoMes(r.valor(0, u"ANO").toInt(), r.valor(0, u"MES").toInt());
        const int ultima = r.quantidade() - 1;
        ultimo_ = AnoMes(r.valor(ultima, u"ANO").toInt(), r.valor(ultima, u"MES").toInt());
        r.vaiPara(ultima);
    }
    mostraPeriodo(ui_->cmbMesInicial, ui_->edtAnoInicial, primeiro_);
    mostraPeriodo(ui_->cmbMesFinal, ui_->edtAnoFinal, ultimo_);
    ui_->cmbMesInicial->setFocus();
}

TfrmVarSalPeriodo::~TfrmVarSalPeriodo() = default;

QComboBox* TfrmVarSalPeriodo::mesInicial() const
{
    return ui_->cmbMesInicial;
}
QLineEdit* TfrmVarSalPeriodo::anoInicial() const
{
    return ui_->edtAnoInicial;
}
QComboBox* TfrmVarSalPeriodo::mesFinal() const
{
    return ui_->cmbMesFinal;
}
QLineEdit* TfrmVarSalPeriodo::anoFinal() const
{
    return ui_->edtAnoFinal;
}

void TfrmVarSalPeriodo::mostraPeriodo(QComboBox* mes, QLineEdit* ano, int anoMes)
{
    if (anoMes == 0)
        return;
    mes->setEditText(QString::number(mesDe(anoMes)));
    ano->setText(QString::number(anoDe(anoMes)));
}

void TfrmVarSalPeriodo::btnOkClick()
{
    if (!vinculos().confirma())
        return;
    struct Campo {
        QWidget* campo;
        QString texto;
        const char* mensagem;
    };
    const Campo campos[] = {
        {ui_->cmbMesInicial, ui_->cmbMesInicial->currentText(), "Mês Inicial inválido."},
        {ui_->edtAnoInicial, ui_->edtAnoInicial->text(), "Ano Inicial inválido."},
        {ui_->cmbMesFinal, ui_->cmbMesFinal->currentText(), "Mês Final inválido."},
        {ui_->edtAnoFinal, ui_->edtAnoFinal->text(), "Ano Final inválido."},
    };
    int numeros[4];
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        numeros[i] = campos[i].texto.trimmed().toInt(&ok);
        if (!ok) {
            Recusa(this, Erro(QString::fromUtf8(campos[i].mensagem)), campos[i].campo);
            return;
        }
    }
    // A month beyond 12 runs on into the next year: 13/2004 is 01/2005.
    const int inicial = AnoMes(numeros[1], numeros[0]);
    const int final = AnoMes(numeros[3], numeros[2]);
    if (inicial > final) {
        Recusa(this, Erro(QStringLiteral("Período Inicial deve ser menor que Período Final.")), ui_->edtAnoInicial);
        return;
    }
    if (inicial < primeiro_) {
        Recusa(
            this, Erro(QStringLiteral("Período Inicial deve estar dentro do período do Pacto.")), ui_->edtAnoInicial);
        return;
    }
    if (final > ultimo_) {
        Recusa(this, Erro(QStringLiteral("Período Final deve estar dentro do período do Pacto.")), ui_->edtAnoFinal);
        return;
    }

    Registros& grade = *editor_.que1();
    const Registros& valores = *que1();
    editor_.gri1()->setUpdatesEnabled(false);
    try {
        for (int linha = 0; linha < grade.quantidade(); ++linha) {
            const int mes = AnoMes(grade.valor(linha, u"ANO").toInt(), grade.valor(linha, u"MES").toInt());
            if (mes < inicial || mes > final)
                continue;
            grade.vaiPara(linha);
            for (const char* c : ColunasValores)
                grade.define(QString::fromLatin1(c), valores.valor(QString::fromLatin1(c)));
            grade.Posta();
        }
    } catch (const Erro& e) {
        editor_.gri1()->setUpdatesEnabled(true);
        editor_.gri1()->vaiParaCampo(grade.atual(), e.foco());
        Informa(this, e.mensagem());
        return;
    }
    editor_.gri1()->setUpdatesEnabled(true);

    const int seguinte = final + 1;
    mostraPeriodo(ui_->cmbMesInicial, ui_->edtAnoInicial, seguinte);
    if (seguinte <= ultimo_)
        mostraPeriodo(ui_->cmbMesFinal, ui_->edtAnoFinal, ultimo_);
    ui_->cmbMesInicial->setFocus();
    accept();
}

} // namespace quintar
