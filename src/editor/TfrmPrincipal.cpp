#include "TfrmPrincipal.h"

#include "ArquivoCaso.h"
#include "BancoDados.h"
#include "Campos.h"
#include "CasoAberto.h"
#include "EditoresItem.h"
#include "Erro.h"
#include "Interface.h"
#include "Motor.h"
#include "Pastas.h"
#include "Programa.h"
#include "Rotinas.h"
#include "TfrmDirPadrao.h"
#include "TfrmNovoProcesso.h"
#include "TfrmPesquisa.h"
#include "TfrmSalvarComo.h"
#include "TfrmVarSalarial.h"
#include "Valores.h"
#include "VersaoPrograma.h"
#include "Vinculos.h"
#include "ui_TfrmPrincipal.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QScopeGuard>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

namespace quintar {

namespace {

struct DefinicaoItem {
    const char* legenda;
    const char* flag;
    const char* total;
};

// Screen order: the left column top to bottom, then the right one.
const DefinicaoItem DefinicoesItens[] = {
    {"Aviso Prévio", "CALCULA_AVISO_PREVIO", "VALOR_AVISO_PREVIO"},
    {"Salário", "CALCULA_SALARIO", "VALOR_SALARIO"},
    {"13º Salário", "CALCULA_13_SALARIO", "VALOR_13_SALARIO"},
    {"Férias", "CALCULA_FERIAS", "VALOR_FERIAS"},
    {"FGTS", "CALCULA_FGTS", "VALOR_FGTS"},
    {"INSS", "CALCULA_INSS", "VALOR_INSS_TOTAL"},
    {"Imposto de Renda", "CALCULA_IR", "VALOR_IR"},
    {"Juros", "CALCULA_JUROS", "VALOR_JUROS"},
    {"Horas Extras", "CALCULA_HORAS_EXTRAS", "VALOR_HORAS_EXTRAS"},
    {"Adicional Noturno", "CALCULA_NOTURNO", "VALOR_NOTURNO"},
    {"Adicional Insalubridade", "CALCULA_INSALUBRIDADE", "VALOR_INSALUBRIDADE"},
    {"Adicional Periculosidade", "CALCULA_PERICULOSIDADE", "VALOR_PERICULOSIDADE"},
    {"Repouso Semanal Remunerado", "CALCULA_RSR", "VALOR_RSR"},
    {"Multas", "CALCULA_MULTAS", "VALOR_MULTAS"},
    {"Outros (Crédito)", "CALCULA_OUTROS_CRED", "VALOR_OUTROS_CRED"},
    {"Outros (Débito)", "CALCULA_OUTROS_DEB", "VALOR_OUTROS_DEB"},
};

// The items edited as lists of lines: Cancel from their options button unticks them when the
// list is empty.
bool ehLista(const QString& flag)
{
    return flag == u"CALCULA_HORAS_EXTRAS" || flag == u"CALCULA_NOTURNO" || flag == u"CALCULA_OUTROS_CRED"
        || flag == u"CALCULA_OUTROS_DEB";
}

} // namespace

TfrmPrincipal::TfrmPrincipal(const QString& opcaoPasta, const QString& arquivoConfiguracao)
    : QMainWindow(nullptr,
        Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
            | Qt::WindowCloseButtonHint),
      ui_(std::make_unique<Ui::TfrmPrincipal>())
{
    setObjectName(QStringLiteral("TfrmPrincipal"));
    setWindowTitle(QStringLiteral("Quintar"));
    auto* central = new QWidget(this);
    ui_->setupUi(central);
    setCentralWidget(central);
    lblStatus_ = new QLabel(this);
    lblStatus_->setObjectName(QStringLiteral("lblStatus"));
    statusBar()->addWidget(lblStatus_, 1);
    statusBar()->setSizeGripEnabled(false);
    criaBarraFerramentas();
    criaItens();
    // Compact, so the whole case fits the window a clerk keeps open all day.
    for (QWidget* grupo : {static_cast<QWidget*>(ui_->grbInformacoes), static_cast<QWidget*>(ui_->grbItens),
             static_cast<QWidget*>(ui_->grbResumo)})
        grupo->layout()->setContentsMargins(6, 2, 6, 4);
    ui_->grbItens->layout()->setContentsMargins(6, 4, 6, 2);
    static_cast<QGridLayout*>(ui_->grbItens->layout())->setVerticalSpacing(1);
    static_cast<QGridLayout*>(ui_->grbInformacoes->layout())->setVerticalSpacing(2);
    ui_->layoutCentral->setContentsMargins(4, 2, 4, 0);
    ui_->layoutCentral->setSpacing(2);

    // The start: settings, folders, the working database and its tables reset.
    status(QString());
    programa_ = std::make_unique<Programa>(opcaoPasta, *this, arquivoConfiguracao);
    motor_ = std::make_unique<Motor>(programa_->banco(), *this);
    caso_ = std::make_unique<CasoAberto>(*motor_);
    ligaCampos();
    MostraProcesso(false);
    pesquisa_ = std::make_unique<TfrmPesquisa>(programa_->banco(), this);
    pesquisa_->defineVersao(VersaoPrograma().texto);

    ui_->stkCentral->setCurrentWidget(ui_->grbItens);
    ui_->btnAbortar->hide();
    connect(ui_->btnAbortar, &QPushButton::clicked, this, [this] {
        if (aborta_)
            aborta_();
    });
    connect(ui_->btnCalcula, &QPushButton::clicked, this, &TfrmPrincipal::btnCalculaClick);
    connect(ui_->btnVariaSal, &QPushButton::clicked, this, &TfrmPrincipal::btnVariaSalClick);
    resize(694, 536);
}

TfrmPrincipal::~TfrmPrincipal()
{
    // Closing moves the focus out of the fields; nothing of the case may run from that now.
    for (QWidget* campo : centralWidget()->findChildren<QWidget*>())
        campo->disconnect(this);
    // The dialogs and the case go before the program that holds the database; the program
    // writes the settings back as it ends.
    pesquisa_.reset();
    vinculos_.reset();
    caso_.reset();
    motor_.reset();
    programa_.reset();
}

void TfrmPrincipal::criaBarraFerramentas()
{
    barra_ = addToolBar(QStringLiteral("Ferramentas"));
    barra_->setObjectName(QStringLiteral("barraFerramentas"));
    barra_->setMovable(false);
    barra_->setFloatable(false);
    barra_->setIconSize(QSize(24, 24));
    barra_->toggleViewAction()->setEnabled(false);
    setContextMenuPolicy(Qt::NoContextMenu);
    struct Botao {
        const char* nome;
        const char* icone;
        const char* dica;
        void (TfrmPrincipal::*comando)();
    };
    static const Botao botoes[] = {
        {"btnNovo", "novo", "Criar um Novo Cálculo...", &TfrmPrincipal::btnNovoClick},
        {"btnAbrir", "abrir", "Abrir outro Cálculo...", &TfrmPrincipal::btnAbrirClick},
        {"btnSalvar", "salvar", "Salvar o Cálculo Atual", &TfrmPrincipal::btnSalvarClick},
        {"btnSalvarComo", "salvar-como", "Salvar o Cálculo Atual em outro diretório ou com outro Número Único...",
            &TfrmPrincipal::btnSalvarComoClick},
        {"btnDiretorio", "diretorio", "Opções Avançadas", &TfrmPrincipal::btnDiretorioClick},
        {"btnEnviarEmail", "email", "Enviar este processo por email", nullptr},
        {nullptr, nullptr, nullptr, nullptr},
        {"btnConfProxy", "conexao", "Configurar Conexão", nullptr},
        {"btnAtualizaIndice", "atualizar", "Atualizar tabelas e novas versões do programa", nullptr},
        {nullptr, nullptr, nullptr, nullptr},
        {"btnIndice", "indice", "Pesquisar Índices...", nullptr},
        {"btnFaixaINSS", "faixa-inss", "Pesquisar Faixa de INSS...", nullptr},
        {"btnFaixaIR", "faixa-ir", "Pesquisar Faixa de IR...", nullptr},
        {"btnValores", "salario-minimo", "Pesquisar Salário Mínimo...", nullptr},
        {nullptr, nullptr, nullptr, nullptr},
        {"btnDesmarcar", "desmarcar", "Desmarcar todos os Itens de Cálculo", &TfrmPrincipal::btnDesmarcarClick},
        {"btnImprimir", "imprimir", "Imprimir ou Copiar...", nullptr},
        {nullptr, nullptr, nullptr, nullptr},
        {"btnBackup", "backup", "Backup", nullptr},
        {"btnSair", "sair", "Sair", &TfrmPrincipal::btnSairClick},
    };
    for (const Botao& b : botoes) {
        if (!b.nome) {
            barra_->addSeparator();
            continue;
        }
        const QString dica = QString::fromUtf8(b.dica);
        QAction* acao = barra_->addAction(QIcon(QStringLiteral(":/icones/%1.svg").arg(QLatin1String(b.icone))), dica);
        acao->setObjectName(QString::fromLatin1(b.nome));
        acao->setToolTip(dica);
        if (b.comando)
            connect(acao, &QAction::triggered, this, [this, comando = b.comando] {
                if (AcaoAbandonada())
                    return;
                (this->*comando)();
            });
        if (auto* botao = qobject_cast<QToolButton*>(barra_->widgetForAction(acao)))
            botao->setAccessibleName(dica);
    }
}

QAction* TfrmPrincipal::acao(const QString& nome) const
{
    for (QAction* a : barra_->actions())
        if (a->objectName() == nome)
            return a;
    return nullptr;
}

void TfrmPrincipal::criaItens()
{
    auto* grade = static_cast<QGridLayout*>(ui_->grbItens->layout());
    const auto cabecalho = [&](int coluna, const char* texto, Qt::Alignment alinhamento) {
        for (int lado = 0; lado < 2; ++lado) {
            auto* l = new QLabel(QString::fromUtf8(texto), ui_->grbItens);
            grade->addWidget(l, 0, lado * 4 + coluna, alinhamento);
        }
    };
    cabecalho(0, "Itens de Cálculo:", Qt::AlignLeft);
    cabecalho(1, "Opções", Qt::AlignHCenter);
    cabecalho(2, "Valor Atualizado ", Qt::AlignRight);
    grade->setColumnMinimumWidth(3, 12);
    grade->setColumnStretch(0, 1);
    grade->setColumnStretch(4, 1);

    const QIcon opcoes(QStringLiteral(":/icones/opcoes.svg"));
    int i = 0;
    for (const DefinicaoItem& d : DefinicoesItens) {
        Item item{QString::fromUtf8(d.legenda), QString::fromLatin1(d.flag), QString::fromLatin1(d.total)};
        const int linha = 1 + i % 8;
        const int coluna = (i / 8) * 4;
        item.chk = new QCheckBox(item.legenda, ui_->grbItens);
        item.chk->setObjectName(QStringLiteral("chk_") + item.flag);
        item.btn = new QToolButton(ui_->grbItens);
        item.btn->setObjectName(QStringLiteral("btn_") + item.flag);
        item.btn->setIcon(opcoes);
        item.btn->setAccessibleName(QStringLiteral("Opções ") + item.legenda);
        item.btn->setToolTip(QStringLiteral("Opções"));
        item.btn->setEnabled(false);
        item.btn->setFocusPolicy(Qt::StrongFocus);
        item.edt = new CampoMoney(ui_->grbItens);
        item.edt->setObjectName(QStringLiteral("edt_") + item.total);
        item.edt->setReadOnly(true);
        item.edt->setFocusPolicy(Qt::ClickFocus);
        item.edt->setAccessibleName(QStringLiteral("Valor Atualizado ") + item.legenda);
        item.edt->setMaximumWidth(92);
        grade->addWidget(item.chk, linha, coluna);
        grade->addWidget(item.btn, linha, coluna + 1, Qt::AlignHCenter);
        grade->addWidget(item.edt, linha, coluna + 2);
        connect(item.chk, &QCheckBox::clicked, this, [this, i] {
            if (AcaoAbandonada()) {
                // The box changed with the click; the click itself is what is abandoned.
                itens_[i].chk->setChecked(!itens_[i].chk->isChecked());
                return;
            }
            itemClick(i);
        });
        connect(item.btn, &QToolButton::clicked, this, [this, i] {
            if (AcaoAbandonada())
                return;
            opcoesClick(i, false);
        });
        itens_.append(item);
        ++i;
    }
    // Top to bottom: each column's boxes and buttons in turn, then "Calcular ".
    QWidget* anterior = ui_->btnVariaSal;
    for (const Item& item : itens_) {
        setTabOrder(anterior, item.chk);
        setTabOrder(item.chk, item.btn);
        anterior = item.btn;
    }
    setTabOrder(anterior, ui_->btnCalcula);
}

int TfrmPrincipal::indiceItem(const QString& flag) const
{
    for (int i = 0; i < itens_.size(); ++i)
        if (itens_[i].flag == flag)
            return i;
    return -1;
}

void TfrmPrincipal::ligaCampos()
{
    vinculos_ = std::make_unique<Vinculos>(*caso_);
    Vinculos& v = *vinculos_;
    v.liga(ui_->edtReclamante, QStringLiteral("RECLAMANTE_PRINCIPAL"));
    v.liga(ui_->edtReclamado, QStringLiteral("RECLAMADO_PRINCIPAL"));
    v.liga(ui_->datAtualizacao, QStringLiteral("DATA_ATUALIZACAO"));
    v.liga(ui_->datInicioPacto, QStringLiteral("DATA_INICIO_PACTO"));
    v.liga(ui_->datFimPacto, QStringLiteral("DATA_FIM_PACTO"));
    v.defineGravacao(QStringLiteral("SALARIO_FIXO"), [this](const QVariant& valor) {
        caso_->AlteraSalarioReferencia(lerMoney(valor));
        atualizaImpressao();
    });
    v.liga(ui_->edtSalarioFixo, QStringLiteral("SALARIO_FIXO"));
    for (const Item& item : itens_)
        v.liga(item.edt, item.total);
    v.liga(ui_->edtTotalReclamado, QStringLiteral("TOTAL_CALCULO"));
    v.liga(ui_->edtINSSReclamante, QStringLiteral("VALOR_INSS_RECLAMANTE"));
    v.liga(ui_->edtImpostoRenda, QStringLiteral("VALOR_IR"));
    v.liga(ui_->edtLiquidoReclamante, QStringLiteral("LIQUIDO_RECLAMANTE"));
    for (CampoMoney* total : {ui_->edtTotalReclamado, ui_->edtINSSReclamado, ui_->edtINSSReclamante,
             ui_->edtImpostoRenda, ui_->edtLiquidoReclamante})
        total->setAccessibleName(findChild<QLabel*>(QStringLiteral("lbl") + total->objectName().mid(3))->text());

    connect(ui_->datInicioPacto, &CampoData::saiu, this, [this] { datInicioPactoExit(ui_->datInicioPacto); });
    connect(ui_->datFimPacto, &CampoData::saiu, this, [this] { datInicioPactoExit(ui_->datFimPacto); });
    connect(caso_.get(), &CasoAberto::valorAlterado, this, &TfrmPrincipal::mostraValor);
    connect(caso_.get(), &CasoAberto::registroAlterado, this, [this] {
        for (const char* c : {"CALCULA_", "VALOR_INSS_TOTAL", "NUMERO", "DATA_CALCULO"})
            mostraValor(QString::fromLatin1(c));
        atualizaImpressao();
    });
    connect(caso_.get(), &CasoAberto::estadoAlterado, this, &TfrmPrincipal::atualizaImpressao);
}

// What a change of the row shows beyond the bound fields: the boxes, the computed fields.
void TfrmPrincipal::mostraValor(const QString& coluna)
{
    const bool temCaso = caso_->temRegistro();
    if (coluna.startsWith(u"CALCULA_")) {
        const bool todos = coluna == u"CALCULA_";
        const bool guarda = carregando_;
        carregando_ = true;
        for (Item& item : itens_)
            if (todos || item.flag == coluna) {
                item.chk->setChecked(temCaso && caso_->marcado(item.flag));
                item.btn->setEnabled(item.chk->isChecked());
            }
        carregando_ = guarda;
        return;
    }
    if (coluna == u"VALOR_INSS_TOTAL" || coluna == u"VALOR_INSS_RECLAMANTE")
        ui_->edtINSSReclamado->defineValor(temCaso
                ? std::optional<Money>(caso_->money(u"VALOR_INSS_TOTAL") - caso_->money(u"VALOR_INSS_RECLAMANTE"))
                : std::nullopt);
    if (coluna == u"NUMERO" || coluna == u"ANO" || coluna == u"VARA" || coluna == u"REGIONAL" || coluna == u"SEQUENCIAL"
        || coluna == u"DV")
        ui_->lblChave->setText(temCaso ? caso_->Chave() : QString());
    if (coluna == u"DATA_CALCULO") {
        const QDateTime calculo = temCaso ? lerTimestamp(caso_->valor(u"DATA_CALCULO")) : QDateTime();
        ui_->lblDataCalculo->setText(
            calculo.isValid() ? calculo.toString(QStringLiteral("dd/MM/yyyy HH:mm")) : QString());
    }
}

void TfrmPrincipal::atualizaImpressao()
{
    acao(QStringLiteral("btnImprimir"))->setEnabled(comandosLigados_ && caso_->impressaoHabilitada());
}

QString TfrmPrincipal::textoStatus() const
{
    return lblStatus_->text();
}

// --- Feedback -----------------------------------------------------------------------------

void TfrmPrincipal::status(const QString& texto)
{
    lblStatus_->setText(texto);
}

void TfrmPrincipal::progresso(int posicao, int maximo)
{
    ui_->ggeProgresso->defineProgresso(posicao, maximo);
}

void TfrmPrincipal::informa(const QString& texto)
{
    Informa(this, texto);
}

void TfrmPrincipal::processaEventos()
{
    QCoreApplication::processEvents();
}

void TfrmPrincipal::mostraProgresso(bool visivel)
{
    if (visivel == (ui_->stkCentral->currentWidget() == ui_->panProgresso))
        return;
    if (visivel) {
        ui_->btnCalcula->setEnabled(false);
        ui_->ggeProgresso->defineProgresso(0, 100);
        ui_->stkCentral->setCurrentWidget(ui_->panProgresso);
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        QApplication::restoreOverrideCursor();
        ui_->stkCentral->setCurrentWidget(ui_->grbItens);
        ui_->btnCalcula->setEnabled(true);
    }
}

void TfrmPrincipal::permiteAbortar(std::function<void()> aborta)
{
    aborta_ = std::move(aborta);
    ui_->btnAbortar->setVisible(bool(aborta_));
    barra_->setEnabled(!aborta_);
}

// --- Start, activation, end -----------------------------------------------------------------

void TfrmPrincipal::showEvent(QShowEvent* evento)
{
    QMainWindow::showEvent(evento);
    if (!mostrada_) {
        mostrada_ = true;
        if (const QScreen* tela = screen()) {
            QRect r = frameGeometry();
            r.moveCenter(tela->availableGeometry().center());
            move(r.topLeft());
        }
        FormShow();
    }
}

void TfrmPrincipal::FormShow()
{
    GarantePastas();
}

bool TfrmPrincipal::event(QEvent* evento)
{
    const bool r = QMainWindow::event(evento);
    if (evento->type() == QEvent::WindowActivate && primeiraAtivacao_) {
        primeiraAtivacao_ = false;
        // After the activation is over, so that a dialog shown from here does not run inside it.
        QTimer::singleShot(0, this, &TfrmPrincipal::FormActivate);
    }
    return r;
}

void TfrmPrincipal::FormActivate()
{
    if (!arquivoInicial_.isEmpty())
        abreArquivo(arquivoInicial_);
    else
        btnAbrirClick();
    if (ui_->btnCalcula->isVisible() && ui_->btnCalcula->isEnabled())
        ui_->btnCalcula->setFocus(Qt::OtherFocusReason);
    emit primeiraAtivacaoConcluida();
}

void TfrmPrincipal::btnSairClick()
{
    if (aborta_)
        aborta_();
    close();
}

void TfrmPrincipal::closeEvent(QCloseEvent* evento)
{
    // An edit of the base information that was not posted is not written.
    QMainWindow::closeEvent(evento);
}

// --- The case's commands ------------------------------------------------------------------

bool TfrmPrincipal::tabelaProcessoVazia() const
{
    return programa_->banco().escalar(QStringLiteral("SELECT COUNT(*) FROM TAB_PROCESSO")).toInt() == 0;
}

void TfrmPrincipal::HabilitaComandos(bool ligado)
{
    comandosLigados_ = ligado;
    for (const char* nome : {"btnSalvar", "btnSalvarComo", "btnEnviarEmail", "btnDesmarcar"})
        acao(QString::fromLatin1(nome))->setEnabled(ligado);
    atualizaImpressao();
}

void TfrmPrincipal::MostraProcesso(bool ligado)
{
    ui_->panProcesso->setVisible(ligado);
    ui_->grbInformacoes->setVisible(ligado);
    ui_->stkCentral->setVisible(ligado);
    ui_->grbResumo->setVisible(ligado);
    if (!ligado)
        HabilitaComandos(false);
}

void TfrmPrincipal::mostraMarcas()
{
    mostraValor(QStringLiteral("CALCULA_"));
    HabilitaComandos(caso_->temRegistro());
}

bool TfrmPrincipal::ExisteItemMarcado() const
{
    for (const Item& item : itens_)
        if (item.chk->isChecked())
            return true;
    return false;
}

QWidget* TfrmPrincipal::campoDoFoco(const QString& coluna) const
{
    return coluna.isEmpty() ? nullptr : vinculos_->campo(coluna);
}

void TfrmPrincipal::recusa(const Erro& erro)
{
    Recusa(this, erro, campoDoFoco(erro.foco()));
}

bool TfrmPrincipal::postaCaso()
{
    if (!vinculos_->confirma())
        return false;
    if (!caso_->emEdicao())
        return true;
    try {
        caso_->Posta();
    } catch (const Erro& e) {
        recusa(e);
        return false;
    }
    return true;
}

void TfrmPrincipal::abreArquivo(const QString& caminho)
{
    try {
        CursorEspera espera;
        caso_->AbreArquivo(caminho);
    } catch (const Erro& e) {
        MostraErro(this, e.mensagem());
        return;
    }
    MostraProcesso(true);
    mostraMarcas();
}

void TfrmPrincipal::AbreArquivoExterno(const QString& caminho)
{
    if (caminho.isEmpty())
        return;
    abreArquivo(caminho);
}

void TfrmPrincipal::btnNovoClick()
{
    TfrmNovoProcesso dialogo(*motor_, caso_->hoje(), this);
    if (!dialogo.Executa(0)) {
        if (tabelaProcessoVazia())
            MostraProcesso(false);
        return;
    }
    // Only now: a cancelled new case leaves the open case's file where it was.
    caso_->arquivoEscolhido.clear();
    caso_->Localiza(dialogo.processoIdNovo());
    MostraProcesso(true);
    mostraMarcas();
    if (ui_->btnCalcula->isEnabled())
        ui_->btnCalcula->setFocus(Qt::OtherFocusReason);
}

void TfrmPrincipal::btnAbrirClick()
{
    switch (pesquisa_->Executa()) {
    case TfrmPesquisa::Resultado::Abrir:
        if (!pesquisa_->arquivoEscolhido().isEmpty())
            abreArquivo(pesquisa_->arquivoEscolhido());
        else if (tabelaProcessoVazia())
            MostraProcesso(false);
        break;
    case TfrmPesquisa::Resultado::Novo:
        btnNovoClick();
        break;
    case TfrmPesquisa::Resultado::Fechado:
        MostraProcesso(false);
        break;
    }
}

void TfrmPrincipal::btnSalvarClick()
{
    if (!vinculos_->confirma())
        return;
    if (!caso_->emEdicao())
        return;
    if (postaCaso())
        status(QStringLiteral("Salvo."));
}

void TfrmPrincipal::btnSalvarComoClick()
{
    if (!postaCaso())
        return;
    const QString caminhoAnterior = caso_->CaminhoArquivo();
    TfrmSalvarComo dialogo(*motor_, *caso_, this);
    if (!dialogo.Executa(caso_->processoId()))
        return;
    QFileDialog salvar(this);
    salvar.setOption(QFileDialog::DontUseNativeDialog);
    salvar.setAcceptMode(QFileDialog::AcceptSave);
    salvar.setFileMode(QFileDialog::AnyFile);
    salvar.setNameFilters({QStringLiteral("Quintar (*.QNT.XML)"), QStringLiteral("Tudo (*.*)")});
    salvar.setDefaultSuffix(QStringLiteral("XML"));
    salvar.setDirectory(QFileInfo(caminhoAnterior).absolutePath());
    salvar.selectFile(NomeArquivo(programa_->banco(), caso_->processoId()));
    if (salvar.exec() != QDialog::Accepted || salvar.selectedFiles().isEmpty()) {
        caso_->arquivoEscolhido = caminhoAnterior;
        return;
    }
    const QString caminho = salvar.selectedFiles().first();
    try {
        GravaArquivo(programa_->banco(), caminho, caso_->processoId());
    } catch (const Erro& e) {
        caso_->arquivoEscolhido = caminhoAnterior;
        MostraErro(this, e.mensagem());
        return;
    }
    caso_->arquivoEscolhido = caminho;
}

void TfrmPrincipal::btnDiretorioClick()
{
    TfrmDirPadrao dialogo(DiretorioPadrao(), this);
    if (dialogo.exec() == QDialog::Accepted)
        GravaDiretorio(programa_->configuracao(), dialogo.diretorio());
}

void TfrmPrincipal::btnCalculaClick()
{
    if (!vinculos_->confirma())
        return;
    try {
        setEnabled(false);
        caso_->Calcular();
        setEnabled(true);
    } catch (const Erro& e) {
        setEnabled(true);
        recusa(e);
    }
    atualizaImpressao();
}

void TfrmPrincipal::btnVariaSalClick()
{
    if (!postaCaso())
        return;
    try {
        motor_->rapido.GeraVariacaoSalarial(*caso_);
        TfrmVarSalarial editor(*motor_, this);
        if (!editor.Executa(caso_->processoId()))
            return;
        caso_->AplicaVariacaoSalarial();
    } catch (const Erro& e) {
        recusa(e);
    }
}

void TfrmPrincipal::btnDesmarcarClick()
{
    if (!vinculos_->confirma())
        return;
    try {
        caso_->Edita();
        DesmarcaTodos();
        caso_->LimpaTotais();
    } catch (const Erro& e) {
        recusa(e);
        return;
    }
    postaCaso();
}

void TfrmPrincipal::DesmarcaTodos()
{
    // The boxes follow the flags as the core writes them (mostraValor, under the loading
    // guard), so no editor opens and no flag is written back while they go off.
    caso_->DesmarcaTodos();
}

// --- Ticking and unticking items ----------------------------------------------------------

void TfrmPrincipal::MarcaItem(int i)
{
    Item& item = itens_[i];
    // The box's own handler is not connected to programmatic changes (setChecked), which is
    // what keeps the changes below from coming back into it.
    for (Item& outro : itens_)
        outro.btn->setEnabled(outro.chk->isChecked());
    if (!carregando_) {
        caso_->define(item.flag, FlagSN(item.chk->isChecked()));
        if (item.chk->isChecked()) {
            opcoesClick(i, true);
            item.btn->setEnabled(item.chk->isChecked());
            const QString marca = FlagSN(item.chk->isChecked());
            if (caso_->texto(item.flag) != marca)
                caso_->define(item.flag, marca);
        }
    }
    status(QString());
}

void TfrmPrincipal::itemClick(int i)
{
    try {
        MarcaItem(i);
        if (itens_[i].chk->isChecked())
            return;
        caso_->DesmarcaItem(itens_[i].flag, itens_[indiceItem(QStringLiteral("CALCULA_13_SALARIO"))].chk->isChecked(),
            itens_[indiceItem(QStringLiteral("CALCULA_FERIAS"))].chk->isChecked());
    } catch (const Erro& e) {
        recusa(e);
    }
}

void TfrmPrincipal::opcoesClick(int i, bool doCheckBox)
{
    Item& item = itens_[i];
    if (!postaCaso())
        return;
    const EditorItem editor = EditorDoItem(item.flag);
    bool ok = false;
    try {
        ok = editor.executa(this, *motor_, *caso_);
        if (ok) {
            caso_->GravaProcesso();
            return;
        }
        if (doCheckBox) {
            if (item.flag == u"CALCULA_AVISO_PREVIO")
                motor_->comuns.ExcluiTabela(QStringLiteral("tab_aviso_previo"), caso_->processoId());
            item.chk->setChecked(false);
            return;
        }
        if (ehLista(item.flag) && editor.listaVazia && editor.listaVazia(*motor_, caso_->processoId())) {
            item.chk->setChecked(false);
            itemClick(i);
            caso_->GravaProcesso();
        }
    } catch (const Erro& e) {
        recusa(e);
    }
}

void TfrmPrincipal::datInicioPactoExit(CampoData* campo)
{
    if (perguntandoPacto_ || !caso_->PedeConfirmacaoPacto())
        return;
    perguntandoPacto_ = true;
    const auto fim = qScopeGuard([this] { perguntandoPacto_ = false; });
    const bool sim = Confirma(this,
        QStringLiteral("Para mudar data do Pacto, teremos que desmarcar TODOS os "
                       "\"Ítens de Cálculo\".\r\n\r\nConfirma ?"));
    try {
        if (sim) {
            caso_->ConfirmaMudancaPacto(true);
            return;
        }
        caso_->ConfirmaMudancaPacto(false);
    } catch (const Erro& e) {
        recusa(e);
    }
    atualizaImpressao();
    campo->setFocus(Qt::OtherFocusReason);
    AbandonaAcao();
}

} // namespace quintar
