#include "Navegador.h"

#include "Erro.h"
#include "Grade.h"
#include "Registros.h"

#include <QHBoxLayout>
#include <QToolButton>

namespace quintar {

Navegador::Navegador(QWidget* pai) : QWidget(pai)
{
    struct Definicao {
        const char* icone;
        const char* dica;
    };
    static const Definicao definicoes[Quantidade] = {
        {"primeiro", "Primeiro registro"},
        {"anterior", "Registro anterior"},
        {"proximo", "Próximo registro"},
        {"ultimo", "Último registro"},
        {"novo", "Novo registro"},
        {"excluir", "Excluir registro"},
        {"alterar", "Alterar registro"},
        {"gravar", "Gravar registro"},
        {"cancelar", "Cancelar alterações"},
        {"recarregar", "Recarregar registros"},
    };
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (int b = 0; b < Quantidade; ++b) {
        auto* botao = new QToolButton(this);
        botao->setIcon(QIcon(QStringLiteral(":/icones/nav-%1.svg").arg(QLatin1String(definicoes[b].icone))));
        botao->setToolTip(QString::fromUtf8(definicoes[b].dica));
        botao->setAccessibleName(QString::fromUtf8(definicoes[b].dica));
        botao->setFocusPolicy(Qt::NoFocus);
        botao->setAutoRaise(false);
        botao->setMinimumSize(26, 24);
        connect(botao, &QToolButton::clicked, this, [this, b] { executa(static_cast<Botao>(b)); });
        layout->addWidget(botao);
        botoes_[b] = botao;
    }
    botoes_[Alterar]->hide();
    botoes_[Recarregar]->hide();
    layout->addStretch();
}

void Navegador::defineGrade(Grade* grade)
{
    grade_ = grade;
    Registros& r = grade->modelo()->registros();
    connect(&r, &Registros::atualAlterado, this, &Navegador::atualiza);
    connect(&r, &Registros::estadoAlterado, this, &Navegador::atualiza);
    connect(&r, &Registros::linhasRedefinidas, this, &Navegador::atualiza);
    connect(&r, &Registros::linhaInserida, this, &Navegador::atualiza);
    connect(&r, &Registros::linhaRemovida, this, &Navegador::atualiza);
    atualiza();
}

void Navegador::atualiza()
{
    if (!grade_)
        return;
    const Registros& r = grade_->modelo()->registros();
    const bool emEdicao = r.emEdicao();
    botoes_[Primeiro]->setEnabled(r.atual() > 0);
    botoes_[Anterior]->setEnabled(r.atual() > 0);
    botoes_[Proximo]->setEnabled(r.atual() >= 0 && r.atual() < r.quantidade() - 1);
    botoes_[Ultimo]->setEnabled(r.atual() >= 0 && r.atual() < r.quantidade() - 1);
    botoes_[Novo]->setEnabled(true);
    botoes_[Excluir]->setEnabled(r.atual() >= 0);
    botoes_[Alterar]->setEnabled(r.atual() >= 0 && !emEdicao);
    botoes_[Gravar]->setEnabled(emEdicao);
    botoes_[Cancelar]->setEnabled(emEdicao);
}

void Navegador::executa(Botao b)
{
    if (!grade_)
        return;
    grade_->confirmaCelula();
    Registros& r = grade_->modelo()->registros();
    // Moving on, or starting another new row, leaves an untouched new row behind.
    if (b != Gravar && b != Cancelar && b != Excluir && b != Alterar)
        grade_->descartaNovaIntocada();
    try {
        switch (b) {
        case Primeiro:
            r.vaiPara(0);
            break;
        case Anterior:
            r.vaiPara(r.atual() - 1);
            break;
        case Proximo:
            r.vaiPara(r.atual() + 1);
            break;
        case Ultimo:
            r.vaiPara(r.quantidade() - 1);
            break;
        case Novo:
            r.Insere();
            break;
        case Excluir:
            r.Exclui();
            break;
        case Alterar:
            r.Edita();
            break;
        case Gravar:
            r.Posta();
            break;
        case Cancelar:
            r.Cancela();
            break;
        case Recarregar:
            r.abre(r.processoId());
            break;
        case Quantidade:
            break;
        }
    } catch (const Erro& e) {
        grade_->recusa(e.mensagem(), e.foco(), r.atual());
    }
    grade_->setFocus(Qt::OtherFocusReason);
}

} // namespace quintar
