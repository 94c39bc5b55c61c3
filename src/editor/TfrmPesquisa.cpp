#include "TfrmPesquisa.h"

#include "ArquivoCaso.h"
#include "Campos.h"
#include "CicloCaso.h"
#include "Erro.h"
#include "ImportaTabelas.h"
#include "Pastas.h"
#include "Rotinas.h"
#include "ui_TfrmPesquisa.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPainter>
#include <QPushButton>

namespace quintar {

namespace {

const char* const LinhasPesquisa[] = {"ANO", "VARA", "REGIONAL", "SEQ"};

} // namespace

TfrmPesquisa::TfrmPesquisa(BancoDados& banco, QWidget* pai)
    : QDialog(pai, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      ui_(std::make_unique<Ui::TfrmPesquisa>()), banco_(banco)
{
    ui_->setupUi(this);
    setWindowTitle(QStringLiteral("Pesquisa"));
    const int larguras[] = {5, 3, 2, 2};
    const QVector<QLineEdit*> f = campos();
    for (QLineEdit* c : f)
        ApenasDigitos(c);
    // Leaving a field: zeros in front, the four-digit year.
    const QVector<QLineEdit*> preenchidos = {f[0], f[2], f[3], f[4]};
    for (int i = 0; i < preenchidos.size(); ++i)
        connect(preenchidos[i], &QLineEdit::editingFinished, this, [c = preenchidos[i], largura = larguras[i]] {
            if (!c->text().isEmpty())
                c->setText(ZerosEsquerda(c->text(), largura));
        });
    connect(f[1], &QLineEdit::editingFinished, this, [c = f[1]] {
        if (!c->text().isEmpty())
            c->setText(AnoCompleto(c->text()));
    });
    EncadeiaCampos({f[0], f[1], f[2], f[3], f[4], ui_->btnAbrir},
        [this] { return !ui_->btnAbrir->hasFocus() && !ui_->btnNovo->hasFocus(); });
    connect(ui_->btnAbrir, &QPushButton::clicked, this, &TfrmPesquisa::btnAbrirClick);
    connect(ui_->btnNovo, &QPushButton::clicked, this, &TfrmPesquisa::btnNovoClick);
    connect(ui_->lstUltimos, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        if (item)
            selecionaArquivo(item->data(Qt::UserRole).toString());
    });
    ui_->lblTabelas->setText(TextoTabelasAtualizadas(banco_));
    resize(560, 420);
}

TfrmPesquisa::~TfrmPesquisa() = default;

QVector<QLineEdit*> TfrmPesquisa::campos() const
{
    return {ui_->edtNumero, ui_->edtAno, ui_->edtVara, ui_->edtRegional, ui_->edtSequencial};
}

void TfrmPesquisa::defineVersao(const QString& texto)
{
    versao_ = texto;
    mostraBanner();
}

void TfrmPesquisa::mostraBanner()
{
    const int largura = std::max(ui_->lblBanner->width(), width());
    QPixmap banner = QPixmap(QStringLiteral(":/imagens/banner.jpg"))
                         .scaled(largura, 140, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    if (banner.isNull())
        return;
    if (!versao_.isEmpty()) {
        QPainter p(&banner);
        QFont fonte = font();
        fonte.setBold(true);
        p.setFont(fonte);
        const QRect area(12, 0, largura / 2, 140 - 10);
        p.setPen(QColor(0, 0, 0, 140));
        p.drawText(area.translated(1, 1), Qt::AlignLeft | Qt::AlignBottom, QStringLiteral("Versão: ") + versao_);
        p.setPen(Qt::white);
        p.drawText(area, Qt::AlignLeft | Qt::AlignBottom, QStringLiteral("Versão: ") + versao_);
    }
    ui_->lblBanner->setPixmap(banner);
    ui_->lblBanner->setAccessibleDescription(versao_.isEmpty() ? QString() : QStringLiteral("Versão: ") + versao_);
}

void TfrmPesquisa::resizeEvent(QResizeEvent* evento)
{
    QDialog::resizeEvent(evento);
    mostraBanner();
}

void TfrmPesquisa::leRecentes()
{
    ui_->lstUltimos->clear();
    const QStringList recentes = LeRecentes();
    for (auto it = recentes.crbegin(); it != recentes.crend(); ++it) {
        auto* item = new QListWidgetItem(QDir::toNativeSeparators(*it), ui_->lstUltimos);
        item->setData(Qt::UserRole, *it);
    }
}

TfrmPesquisa::Resultado TfrmPesquisa::Executa()
{
    arquivo_.clear();
    resultado_ = Resultado::Fechado;
    leRecentes();
    ui_->lblTabelas->setText(TextoTabelasAtualizadas(banco_));
    const Parametros p = LeParametros(ArquivoPesquisa());
    const QVector<QLineEdit*> f = campos();
    if (!p.isEmpty())
        for (int i = 0; i < 4; ++i)
            f[i + 1]->setText(Parametro(p, QString::fromLatin1(LinhasPesquisa[i])));
    f[0]->setFocus(Qt::OtherFocusReason);
    exec();
    return resultado_;
}

void TfrmPesquisa::done(int resultado)
{
    const QVector<QLineEdit*> f = campos();
    Parametros p;
    for (int i = 0; i < 4; ++i)
        p.append({QString::fromLatin1(LinhasPesquisa[i]), f[i + 1]->text()});
    try {
        GravaParametros(ArquivoPesquisa(), p);
    } catch (const Erro&) {
        // Only the proposal of the next search is lost.
    }
    QDialog::done(resultado);
}

void TfrmPesquisa::selecionaArquivo(const QString& caminho)
{
    arquivo_ = caminho;
    avisoRecentes_.clear();
    RegistraRecente(caminho, &avisoRecentes_);
    resultado_ = Resultado::Abrir;
    accept();
}

void TfrmPesquisa::btnAbrirClick()
{
    QStringList textos;
    for (QLineEdit* c : campos())
        textos.append(c->text());
    const QString nome = NomePesquisa(textos);
    const QString caminho = DiretorioPadrao() + nome;
    if (!nome.contains(u'*') && QFileInfo::exists(caminho)) {
        selecionaArquivo(caminho);
        return;
    }
    QFileDialog abre(this, QStringLiteral("Abre resultados"), DiretorioPadrao());
    abre.setOption(QFileDialog::DontUseNativeDialog);
    abre.setFileMode(QFileDialog::ExistingFile);
    abre.setNameFilters({QStringLiteral("Quintar (*.QNT.XML)"), QStringLiteral("Tudo (*.*)")});
    abre.selectFile(nome);
    if (abre.exec() == QDialog::Accepted && !abre.selectedFiles().isEmpty())
        selecionaArquivo(abre.selectedFiles().first());
}

void TfrmPesquisa::btnNovoClick()
{
    arquivo_.clear();
    QStringList textos;
    for (QLineEdit* c : campos())
        textos.append(c->text());
    try {
        MesclaNovoProcesso(textos);
    } catch (const Erro&) {
        // The proposal for the new case is a convenience; the new case goes on without it.
    }
    resultado_ = Resultado::Novo;
    accept();
}

} // namespace quintar
