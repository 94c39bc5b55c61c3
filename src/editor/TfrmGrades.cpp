#include "TfrmGrades.h"

#include "Erro.h"
#include "Interface.h"
#include "Navegador.h"
#include "Registros.h"
#include "Vinculos.h"

#include <QAction>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QVBoxLayout>

namespace quintar {

TfrmGrades::TfrmGrades(Motor& motor, const QString& tabela, QWidget* pai) : TfrmOkCan(motor, pai)
{
    defineQue1(std::make_unique<Registros>(banco_, tabela));

    auto* dados = new QHBoxLayout(panDados());
    dados->setContentsMargins(0, 0, 0, 0);
    panGrade_ = new QWidget(panDados());
    panGrade_->setObjectName(QStringLiteral("panGrade"));
    layoutGrade_ = new QVBoxLayout(panGrade_);
    layoutGrade_->setContentsMargins(0, 0, 0, 0);
    nav1_ = new Navegador(panGrade_);
    nav1_->setObjectName(QStringLiteral("nav1"));
    gri1_ = new Grade(panGrade_);
    gri1_->setObjectName(QStringLiteral("gri1"));
    layoutGrade_->addWidget(nav1_);
    layoutGrade_->addWidget(gri1_, 1);
    dados->addWidget(panGrade_, 1);
    connect(gri1_, &Grade::recusado, this, [this](const QString& mensagem, const QString&) {
        Informa(this, mensagem);
        gri1_->setFocus(Qt::OtherFocusReason);
    });
}

void TfrmGrades::defineColunas(QVector<ColunaGrade> colunas)
{
    modelo_ = new ModeloRegistros(*que1(), std::move(colunas), this);
    gri1_->defineModelo(modelo_);
    gri1_->setAccessibleName(windowTitle());
    connect(this, &QWidget::windowTitleChanged, gri1_, &QWidget::setAccessibleName);
    nav1_->defineGrade(gri1_);
}

void TfrmGrades::FormShow()
{
    que1()->abre(processoId_);
    if (que1()->quantidade() == 0)
        que1()->Acrescenta();
    gri1_->setFocus(Qt::OtherFocusReason);
}

void TfrmGrades::btnOkClick()
{
    gri1_->confirmaCelula();
    if (!vinculos().confirma())
        return;
    gri1_->descartaNovaIntocada();
    try {
        que1()->Posta();
    } catch (const Erro& e) {
        gri1_->vaiParaCampo(que1()->atual(), e.foco());
        Informa(this, e.mensagem());
        return;
    }
    que1()->Aplica([this] { gravaDepois(); });
    accept();
}

QWidget* TfrmGrades::campoDoFoco(const QString& coluna)
{
    if (QWidget* campo = TfrmOkCan::campoDoFoco(coluna))
        return campo;
    if (modelo_ && modelo_->colunaDoCampo(coluna) >= 0) {
        gri1_->vaiParaCampo(que1()->atual(), coluna);
        return gri1_;
    }
    return nullptr;
}

void TfrmGrades::habilitaMarcarTodos(const QString& coluna)
{
    auto* marcar = new QAction(QStringLiteral("&Marcar Todos"), this);
    marcar->setShortcut(Qt::Key_F9);
    marcar->setShortcutContext(Qt::WindowShortcut);
    auto* desmarcar = new QAction(QStringLiteral("&Desmarcar Todos"), this);
    desmarcar->setShortcut(Qt::Key_F10);
    desmarcar->setShortcutContext(Qt::WindowShortcut);
    addAction(marcar);
    addAction(desmarcar);
    connect(marcar, &QAction::triggered, this,
        [this, coluna] { MarcaTodos(coluna, QStringLiteral("N"), QStringLiteral("S")); });
    connect(desmarcar, &QAction::triggered, this,
        [this, coluna] { MarcaTodos(coluna, QStringLiteral("S"), QStringLiteral("N")); });
    gri1_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(gri1_, &QWidget::customContextMenuRequested, this, [this, marcar, desmarcar](const QPoint& p) {
        QMenu menu(this);
        menu.addAction(marcar);
        menu.addAction(desmarcar);
        menu.exec(gri1_->viewport()->mapToGlobal(p));
    });

    auto* legenda = qobject_cast<QHBoxLayout*>(panBotoes()->layout());
    const auto rotulo = [&](const char* texto, bool negrito) {
        auto* l = new QLabel(QString::fromUtf8(texto), panBotoes());
        if (negrito) {
            QFont f = l->font();
            f.setBold(true);
            l->setFont(f);
        }
        return l;
    };
    int i = 0;
    legenda->insertWidget(i++, rotulo("F9", true));
    legenda->insertWidget(i++, rotulo("- Marcar Todos", false));
    legenda->insertSpacing(i++, 12);
    legenda->insertWidget(i++, rotulo("F10", true));
    legenda->insertWidget(i++, rotulo("- Desmarcar Todos", false));
}

void TfrmGrades::MarcaTodos(const QString& coluna, const QString& de, const QString& para)
{
    gri1_->confirmaCelula();
    Registros& r = *que1();
    const int c = r.coluna(coluna);
    gri1_->setUpdatesEnabled(false);
    try {
        for (int linha = 0; linha < r.quantidade(); ++linha) {
            r.vaiPara(linha);
            if (r.valor(linha, c).toString() == de) {
                r.define(c, para);
                r.Posta();
            }
        }
    } catch (const Erro& e) {
        gri1_->setUpdatesEnabled(true);
        gri1_->recusa(e.mensagem(), e.foco(), r.atual());
        return;
    }
    gri1_->setUpdatesEnabled(true);
}

} // namespace quintar
