#include "TfrmLinhasHoras.h"

#include "BancoDados.h"
#include "Erro.h"
#include "Esquema.h"
#include "Interface.h"
#include "Registros.h"
#include "RegrasAdicionais.h"
#include "RegrasEditores.h"
#include "TfrmReflexos.h"
#include "Valores.h"

#include <QAction>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

namespace quintar {

namespace {

// The grid's columns: the period, "Jornada de Trabalho", the averages, "Valor da Hora".
QVector<ColunaGrade> colunasLinhas(const QStringList& medias)
{
    using T = ColunaGrade::Tipo;
    const auto periodo = [](const char* campo, T tipo) {
        const QString c = QString::fromLatin1(campo);
        return ColunaGrade{.campo = c, .titulo = TituloColunaLinha(c), .tipo = tipo, .largura = 5};
    };
    QVector<ColunaGrade> colunas = {periodo("MES_INICIAL", T::Mes), periodo("ANO_INICIAL", T::Automatico),
        periodo("MES_FINAL", T::Mes), periodo("ANO_FINAL", T::Automatico),
        {.campo = QStringLiteral("JORNADA"),
            .titulo = QStringLiteral("Jornada de Trabalho"),
            .tipo = T::Acao,
            .texto = QStringLiteral("Apurar Médias")}};
    for (const QString& m : medias)
        colunas.append({.campo = m, .titulo = TituloColunaLinha(m), .largura = 6});
    colunas.append({.campo = QStringLiteral("VALOR_HORA"),
        .titulo = QStringLiteral("Valor da Hora"),
        .tipo = T::Acao,
        .texto = QStringLiteral("Opções")});
    return colunas;
}

} // namespace

TfrmLinhasHoras::TfrmLinhasHoras(Motor& motor, const Item& item, QWidget* pai)
    : TfrmGrades(motor, item.tabela, pai), item_(item)
{
    Registros& r = *que1();
    r.ordem = QStringLiteral("SEQUENCIAL, ANO_INICIAL, MES_INICIAL");
    r.aoNovoRegistro = [this](Registros& nova) {
        Valores valores = item_.novaLinha(banco_, processoId_, linhaAtual_);
        // Lines added in this dialog are not in the table yet.
        int maior = 0;
        for (int l = 0; l < nova.quantidade(); ++l)
            maior = std::max(maior, nova.valor(l, u"SEQUENCIAL").toInt());
        for (auto& [coluna, valor] : valores)
            if (coluna == u"SEQUENCIAL")
                valor = std::max(valor.toInt(), maior + 1);
        for (const auto& [coluna, valor] : valores)
            nova.define(coluna, valor);
        gri1()->vaiParaCampo(nova.atual(), QStringLiteral("MES_INICIAL"));
    };
    r.antesDePostar = [this](Registros& linha) { item_.valida(linha, datas_.inicioPacto, datas_.fimPacto); };
    connect(&r, &Registros::atualAlterado, this, &TfrmLinhasHoras::lembraLinhaAtual);
    connect(&r, &Registros::registroAlterado, this, &TfrmLinhasHoras::lembraLinhaAtual);
    connect(&r, &Registros::celulaAlterada, this, &TfrmLinhasHoras::lembraLinhaAtual);

    auto* incluir = new QAction(QStringLiteral("&Incluir"), this);
    auto* excluir = new QAction(QStringLiteral("&Excluir"), this);
    connect(incluir, &QAction::triggered, this, [this] { executaComando([this] { mnuIncluirClick(); }); });
    connect(excluir, &QAction::triggered, this, [this] { executaComando([this] { mnuExcluirClick(); }); });
    gri1()->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(gri1(), &QWidget::customContextMenuRequested, this, [this, incluir, excluir](const QPoint& p) {
        QMenu menu(this);
        menu.addAction(incluir);
        menu.addAction(excluir);
        menu.exec(gri1()->viewport()->mapToGlobal(p));
    });
    connect(gri1(), &Grade::acionada, this, [this](const QString& campo) {
        if (campo == u"JORNADA")
            executaComando([this] { btnApurarClick(); });
        else if (campo == u"VALOR_HORA")
            executaComando([this] { abreValorHora(); });
    });
    defineColunas(colunasLinhas(item_.medias));
}

void TfrmLinhasHoras::montaLinhas(QWidget* painel, QPushButton* apurar, QPushButton* reflexos)
{
    btnApurar_ = apurar;
    btnReflexos_ = reflexos;
    layoutGrade()->addWidget(painel);
    ligaComando(apurar, [this] { btnApurarClick(); });
    ligaComando(reflexos, [this] { btnReflexosClick(); });
    setTabOrder(gri1(), apurar);
    setTabOrder(apurar, reflexos);
    setTabOrder(reflexos, btnOk());
    setTabOrder(btnOk(), btnCancelar());
}

void TfrmLinhasHoras::lembraLinhaAtual()
{
    const Registros& r = *que1();
    if (r.estado() == Registros::Estado::Inserindo || r.atual() < 0)
        return;
    linhaAtual_.clear();
    for (const Coluna& c : r.tabela().colunas)
        linhaAtual_.append({c.nome, r.valor(c.nome)});
}

void TfrmLinhasHoras::PreparaPadrao(qint64 processoId)
{
    processoId_ = processoId;
    datas_ = LeDatasProcesso(banco_, processoId_);
    item_.prepara(banco_, processoId_, datas_.inicioPacto, datas_.fimPacto);
}

bool TfrmLinhasHoras::SemLinhas() const
{
    return aberto_ && que1()->quantidade() == 0;
}

void TfrmLinhasHoras::FormShow()
{
    PreparaPadrao(processoId_);
    que1()->abre(processoId_);
    aberto_ = true;
    if (que1()->quantidade() > 0)
        que1()->vaiPara(que1()->quantidade() - 1);
    lembraLinhaAtual();
    gri1()->setFocus(Qt::OtherFocusReason);
}

void TfrmLinhasHoras::btnApurarClick()
{
    gri1()->confirmaCelula();
    const std::optional<Valores> medias = apuraJornada();
    Registros& r = *que1();
    if (!medias || r.atual() < 0)
        return;
    r.Edita();
    for (const auto& [coluna, valor] : *medias)
        r.define(coluna, valor);
    r.Posta();
}

void TfrmLinhasHoras::abreValorHora()
{
    gri1()->confirmaCelula();
    if (que1()->atual() < 0)
        return;
    if (const std::optional<Erro> recusada = valorHora())
        throw *recusada;
}

void TfrmLinhasHoras::btnReflexosClick()
{
    gri1()->confirmaCelula();
    if (que1()->atual() < 0)
        return;
    TfrmReflexos reflexos(motor_, item_.reflexo, *que1(), this);
    reflexos.Abre(processoId_);
}

void TfrmLinhasHoras::mnuIncluirClick()
{
    gri1()->confirmaCelula();
    que1()->Acrescenta();
}

void TfrmLinhasHoras::mnuExcluirClick()
{
    gri1()->confirmaCelula();
    if (que1()->atual() >= 0)
        que1()->Exclui();
}

void TfrmLinhasHoras::btnOkClick()
{
    gri1()->confirmaCelula();
    gri1()->descartaNovaIntocada();
    que1()->Posta();
    que1()->Aplica();
    if (que1()->quantidade() == 0)
        done(QDialog::Rejected); // nothing left to calculate: as if cancelled
    else
        accept();
}

} // namespace quintar
