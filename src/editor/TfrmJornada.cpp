#include "TfrmJornada.h"

#include "BancoDados.h"
#include "Campos.h"
#include "Erro.h"
#include "Esquema.h"
#include "Interface.h"
#include "Registros.h"
#include "Rotinas.h"
#include "TfrmModJornada.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace quintar {

namespace {

const char* const ColunasDias[] = {
    "IND_SEGUNDA", "IND_TERCA", "IND_QUARTA", "IND_QUINTA", "IND_SEXTA", "IND_SABADO", "IND_DOMINGO"};
const char* const TitulosDias[] = {"2ª", "3ª", "4ª", "5ª", "6ª", "Sáb.", "Dom."};

QString caixa(int numero, int largura)
{
    return numero == 0 ? QString() : ZerosEsquerda(QString::number(numero), largura);
}

} // namespace

TfrmJornada::TfrmJornada(Motor& motor, const QString& tabela, QWidget* pai) : TfrmGrades(motor, tabela, pai)
{
    Registros& r = *que1();
    r.aoNovoRegistro = [](Registros& novo) {
        for (const char* dia : ColunasDias)
            novo.define(QString::fromLatin1(dia), QStringLiteral("N"));
        novo.define(u"INTERVALO", 0);
    };
    r.antesDePostar = [this](Registros& linha) {
        ValidaTurno(linha);
        ValidaJanelaNoturna(c_.entradaNoturno->text(), c_.saidaNoturno->text());
        limpaResultado();
    };
    using T = ColunaGrade::Tipo;
    QVector<ColunaGrade> colunas = {
        {.campo = QStringLiteral("ENTRADA"), .titulo = QStringLiteral("Entrada"), .tipo = T::Hora, .largura = 5},
        {.campo = QStringLiteral("SAIDA"), .titulo = QStringLiteral("Saída"), .tipo = T::Hora, .largura = 5},
        {.campo = QStringLiteral("INTERVALO"), .titulo = QStringLiteral("Intervalo"), .tipo = T::Hora, .largura = 5},
    };
    for (int d = 0; d < 7; ++d)
        colunas.append({.campo = QString::fromLatin1(ColunasDias[d]),
            .titulo = QString::fromUtf8(TitulosDias[d]),
            .tipo = T::Flag,
            .largura = 3});
    defineColunas(colunas);
    // A night window refused while leaving a row: its box gets the focus.
    connect(gri1(), &Grade::recusado, this, [this](const QString&, const QString& campo) {
        if (QWidget* c = campoDoFoco(campo); c && c != gri1())
            c->setFocus(Qt::OtherFocusReason);
    });
}

void TfrmJornada::montaJornada(QWidget* painel, const Controles& controles, const QStringList& linhas)
{
    c_ = controles;
    layoutGrade()->addWidget(painel);
    for (QLineEdit* hora : {c_.entradaNoturno, c_.saidaNoturno}) {
        ApenasDigitos(hora);
        hora->setMaximumWidth(hora->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 14);
        connect(hora, &QLineEdit::textEdited, this, &TfrmJornada::opcaoAlterada);
    }
    connect(c_.reducaoHora, &QCheckBox::clicked, this, &TfrmJornada::opcaoAlterada);
    ligaComando(c_.apurar, [this] { btnApurarClick(); });
    ligaComando(c_.modelo, [this] { btnModeloClick(); });
    c_.apurar->setAutoDefault(false);
    c_.modelo->setAutoDefault(false);

    QTableWidget* t = c_.resultado;
    t->setRowCount(linhas.size());
    t->setVerticalHeaderLabels(linhas);
    QStringList colunas;
    for (const char* dia : TitulosDias)
        colunas.append(QString::fromUtf8(dia));
    colunas += {QStringLiteral("Semana"), QStringLiteral("Mês")};
    t->setColumnCount(colunas.size());
    t->setHorizontalHeaderLabels(colunas);
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setSelectionMode(QAbstractItemView::SingleSelection);
    t->setTabKeyNavigation(false);
    t->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    t->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    t->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    t->verticalHeader()->setDefaultSectionSize(t->fontMetrics().height() + 6);
    t->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    for (int l = 0; l < t->rowCount(); ++l)
        for (int c = 0; c < t->columnCount(); ++c) {
            auto* celula = new QTableWidgetItem;
            celula->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            t->setItem(l, c, celula);
        }
    t->setFixedHeight(t->horizontalHeader()->sizeHint().height()
        + t->verticalHeader()->defaultSectionSize() * t->rowCount() + 2 * t->frameWidth());
    setTabOrder(t, btnOk());
    setTabOrder(btnOk(), btnCancelar());
}

bool TfrmJornada::CopiarResultado() const
{
    return c_.copiarResultado->isChecked();
}

OpcoesJornada TfrmJornada::opcoes() const
{
    OpcoesJornada o;
    o.entradaNoturno = NumeroCaixa(c_.entradaNoturno->text());
    o.saidaNoturno = NumeroCaixa(c_.saidaNoturno->text());
    o.reducaoHora = c_.reducaoHora->isChecked();
    return o;
}

void TfrmJornada::mostraOpcoes(const OpcoesJornada& o)
{
    c_.entradaNoturno->setText(caixa(o.entradaNoturno, 4));
    c_.saidaNoturno->setText(caixa(o.saidaNoturno, 4));
    c_.reducaoHora->setChecked(o.reducaoHora);
}

void TfrmJornada::mostraLinha(int linha, const MinutosSemana& minutos, int mes)
{
    for (int d = 0; d < 7; ++d)
        c_.resultado->item(linha, d)->setText(FormataHora(minutos[d]));
    c_.resultado->item(linha, Semana)->setText(FormataHora(minutos[Semana]));
    c_.resultado->item(linha, Semana + 1)->setText(TextoHorasMes(mes));
}

void TfrmJornada::limpaResultado()
{
    resultado_ = {};
    if (!c_.resultado)
        return;
    for (int l = 0; l < c_.resultado->rowCount(); ++l)
        for (int c = 0; c < c_.resultado->columnCount(); ++c)
            c_.resultado->item(l, c)->setText(QString());
}

void TfrmJornada::FormShow()
{
    que1()->abre(processoId_);
    preparaLinhas();
    mostraOpcoes(LeOpcoesJornada(*que1()));
    if (que1()->quantidade() == 0)
        que1()->Acrescenta();
    limpaResultado();
    c_.copiarResultado->setChecked(true);
    gri1()->setFocus(Qt::OtherFocusReason);
}

void TfrmJornada::btnApurarClick()
{
    ApuraJornada();
    c_.copiarResultado->setChecked(true);
}

void TfrmJornada::ApuraJornada()
{
    limpaResultado();
    gri1()->confirmaCelula();
    que1()->Posta(); // the week as the grid shows it
    resultado_ = quintar::ApuraJornada(TurnosJornada(*que1()), opcoes());
    mostraResultado(resultado_);
}

void TfrmJornada::btnModeloClick()
{
    gri1()->confirmaCelula();
    TfrmModJornada modelos(motor_, this);
    const ModeloJornada modelo = ModeloDeJornada(modelos.EscolheModelo());
    if (modelo.turnos.isEmpty())
        return;
    AplicaModeloJornada(*que1(), modelo);
    aplicaModelo(modelo);
    limpaResultado();
    gri1()->setFocus(Qt::OtherFocusReason);
}

void TfrmJornada::btnOkClick()
{
    gri1()->confirmaCelula();
    gri1()->descartaNovaIntocada();
    que1()->Posta();
    Registros& r = *que1();
    const bool temLinhas = r.quantidade() > 0;
    if (temLinhas)
        ValidaJanelaNoturna(c_.entradaNoturno->text(), c_.saidaNoturno->text());
    const OpcoesJornada o = opcoes();
    r.Aplica([&] {
        if (temLinhas)
            GravaOpcoesJornada(banco_, r.tabela().nome, processoId_, o);
    });
    accept();
}

QWidget* TfrmJornada::campoDoFoco(const QString& coluna)
{
    if (coluna == u"ENTRADA_NOTURNO")
        return c_.entradaNoturno;
    if (coluna == u"SAIDA_NOTURNO")
        return c_.saidaNoturno;
    return TfrmGrades::campoDoFoco(coluna);
}

} // namespace quintar
