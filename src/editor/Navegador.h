#pragma once

#include <QWidget>

class QToolButton;

namespace quintar {

class Grade;

// The grid's navigator: first, previous, next, last, new, delete, edit (hidden), post,
// cancel and refresh (hidden), each with its hint. A refused posting is shown by the grid.
class Navegador : public QWidget {
    Q_OBJECT

public:
    explicit Navegador(QWidget* pai = nullptr);
    void defineGrade(Grade* grade);

    enum Botao {
        Primeiro,
        Anterior,
        Proximo,
        Ultimo,
        Novo,
        Excluir,
        Alterar,
        Gravar,
        Cancelar,
        Recarregar,
        Quantidade
    };
    QToolButton* botao(Botao b) const { return botoes_[b]; }

private:
    void executa(Botao b);
    void atualiza();

    Grade* grade_ = nullptr;
    QToolButton* botoes_[Quantidade] = {};
};

} // namespace quintar
