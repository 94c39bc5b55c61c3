#pragma once

#include "Erro.h"
#include "PreparaPadrao.h"
#include "RegrasEditores.h"
#include "TfrmGrades.h"

#include <QDate>

#include <optional>

class QPushButton;

namespace quintar {

class FonteDados;

// What the overtime and night-premium editors share: the grid of the case's lines, each a
// period with its monthly hour averages; "Jornada de Trabalho" ("&Apurar Jornada") fills the
// averages from a typical week, "Valor da Hora" opens the line's wage options, and
// "Reflexos sobre Aviso Prévio, 13º e Férias" the reflexes. A case without lines gets one
// over the whole contract when the editor opens. The lines stay in the dialog until OK;
// OK with every line deleted closes as cancelled.
class TfrmLinhasHoras : public TfrmGrades {
    Q_OBJECT

public:
    // The opening's preparation, without showing the dialog.
    void PreparaPadrao(qint64 processoId);
    // Whether the dialog's list of lines was left empty (every line deleted, whether OK or
    // Cancel closed it): the main window then switches the item off.
    bool SemLinhas() const;

    QPushButton* btnApurar() const { return btnApurar_; }
    QPushButton* btnReflexos() const { return btnReflexos_; }

    // The commands, as their buttons, the grid's cells and its pop-up menu run them.
    void btnApurarClick();
    void btnReflexosClick();
    void abreValorHora();
    void mnuIncluirClick();
    void mnuExcluirClick();

protected:
    // What tells the two items apart besides their dialogs: the table, the reflexes dialog's
    // name, the core's preparation, new line and checks, and the averages in the grid.
    struct Item {
        QString tabela;
        QString reflexo;
        void (*prepara)(BancoDados& banco, qint64 processoId, QDate inicioPacto, QDate fimPacto);
        Valores (*novaLinha)(BancoDados& banco, qint64 processoId, const Valores& atual);
        void (*valida)(const FonteDados& linha, QDate inicioPacto, QDate fimPacto);
        QStringList medias;
    };
    TfrmLinhasHoras(Motor& motor, const Item& item, QWidget* pai);
    // The panel of the subclass's form below the grid, with its two buttons.
    void montaLinhas(QWidget* painel, QPushButton* apurar, QPushButton* reflexos);

    // The schedule dialog; the averages to put into the current line, when it hands them back.
    virtual std::optional<Valores> apuraJornada() = 0;
    // The line's wage options dialog; the refusal of the line's checks at its OK, if any.
    virtual std::optional<Erro> valorHora() = 0;

    void FormShow() override;
    void btnOkClick() override;

private:
    // The line that was current before an insertion began.
    void lembraLinhaAtual();

    Item item_;
    DatasProcesso datas_;
    QPushButton* btnApurar_ = nullptr;
    QPushButton* btnReflexos_ = nullptr;
    Valores linhaAtual_;
    bool aberto_ = false; // the lines were read (an editor that failed to open has none to judge)
};

} // namespace quintar
