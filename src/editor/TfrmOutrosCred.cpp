#include "TfrmOutrosCred.h"

#include "Erro.h"
#include "Interface.h"
#include "Registros.h"
#include "RegrasEditores.h"
#include "TfrmOutros.h"

#include <QComboBox>
#include <QCompleter>
#include <QLineEdit>
#include <QMenuBar>
#include <QVBoxLayout>

namespace quintar {

namespace {

// The description cell: a list of the dialog's descriptions in which a new one may be typed.
class DelegadoDescricao : public DelegadoGrade {
public:
    DelegadoDescricao(TfrmOutrosCred& dialogo) : DelegadoGrade(&dialogo), dialogo_(dialogo) { }

    QWidget* createEditor(QWidget* pai, const QStyleOptionViewItem&, const QModelIndex&) const override
    {
        auto* lista = new QComboBox(pai);
        lista->setEditable(true);
        lista->setInsertPolicy(QComboBox::NoInsert);
        lista->addItems(dialogo_.descricoes());
        lista->lineEdit()->setMaxLength(100);
        lista->completer()->setCaseSensitivity(Qt::CaseInsensitive);
        lista->setAccessibleName(QStringLiteral("Descrição"));
        return lista;
    }
    void setEditorData(QWidget* editor, const QModelIndex& indice) const override
    {
        static_cast<QComboBox*>(editor)->setEditText(indice.data(Qt::EditRole).toString());
    }
    void setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& indice) const override
    {
        const QString texto = static_cast<QComboBox*>(editor)->currentText();
        if (texto != indice.data(Qt::EditRole).toString())
            dialogo_.descricaoDigitada(indice.row(), texto);
    }

private:
    TfrmOutrosCred& dialogo_;
};

const QString ColunaDescricao = QStringLiteral("DESCRICAO");

} // namespace

TfrmOutrosCred::TfrmOutrosCred(Motor& motor, QWidget* pai)
    : TfrmOutrosCred(motor, QStringLiteral("TAB_OUTROS_CREDITO"), QStringLiteral("C"),
        QStringLiteral("Apuração de Outros Créditos"), pai)
{
}

TfrmOutrosCred::TfrmOutrosCred(
    Motor& motor, const QString& tabela, const QString& tipo, const QString& titulo, QWidget* pai)
    : TfrmGrades(motor, tabela, pai), tipo_(tipo)
{
    setWindowTitle(titulo);
    menu_ = new QMenuBar(this);
    QAction* descricao = menu_->addAction(QStringLiteral("Tabela de &Descrição"));
    connect(descricao, &QAction::triggered, this, &TfrmOutrosCred::abreDescricoes);
    layout()->setMenuBar(menu_);

    Registros& r = *que1();
    r.ordem = QStringLiteral("DESCRICAO, ANO, MES");
    r.antesDePostar = [this](Registros& linha) { ValidaOutros(linha, inicioPacto_, fimPacto_); };
    using T = ColunaGrade::Tipo;
    defineColunas({
        {.campo = ColunaDescricao, .titulo = QStringLiteral("Descrição"), .largura = 36},
        {.campo = QStringLiteral("MES"), .titulo = QStringLiteral("Mês"), .tipo = T::Mes},
        {.campo = QStringLiteral("ANO"), .titulo = QStringLiteral("Ano"), .largura = 5},
        {.campo = QStringLiteral("VALOR"), .titulo = QStringLiteral("Valor"), .largura = 12},
    });
    gri1()->setItemDelegateForColumn(modelo()->colunaDoCampo(ColunaDescricao), new DelegadoDescricao(*this));
    resize(620, 400);
}

bool TfrmOutrosCred::SemLinhas() const
{
    return que1()->quantidade() == 0;
}

void TfrmOutrosCred::carregaDescricoes()
{
    descricoes_ = DescricoesOutros(banco_, tipo_);
}

void TfrmOutrosCred::FormShow()
{
    const DatasProcesso datas = LeDatasProcesso(banco_, processoId_);
    inicioPacto_ = datas.inicioPacto;
    fimPacto_ = datas.fimPacto;
    TfrmGrades::FormShow();
    carregaDescricoes();
}

void TfrmOutrosCred::descricaoDigitada(int linha, const QString& texto)
{
    const QString aparado = texto.trimmed();
    if (aparado.isEmpty())
        return; // refused: the line keeps what it held
    const QModelIndex celula = modelo()->index(linha, modelo()->colunaDoCampo(ColunaDescricao));
    if (descricoes_.contains(aparado)) {
        modelo()->setData(celula, aparado, Qt::EditRole);
        return;
    }
    // What was typed stays in the line whatever the answer; the question waits until the
    // cell's editor has closed (a box in the middle of its closing would leave it half done).
    modelo()->setData(celula, texto, Qt::EditRole);
    pendente_ = Digitada{linha, texto};
    QMetaObject::invokeMethod(this, &TfrmOutrosCred::perguntaDescricao, Qt::QueuedConnection);
}

void TfrmOutrosCred::perguntaDescricao()
{
    if (!pendente_)
        return;
    const Digitada d = *pendente_;
    pendente_.reset();
    if (!Confirma(this, QStringLiteral("Descrição não existe, deseja salva-la para usar em outros cálculos?")))
        return;
    QString salva;
    try {
        salva = AcrescentaDescricao(banco_, tipo_, d.texto);
    } catch (const Erro& e) {
        recusa(e);
        return;
    }
    carregaDescricoes();
    // The line takes the text as kept in the list, if it still holds what was typed.
    if (salva != d.texto && d.linha < que1()->quantidade() && que1()->valor(d.linha, ColunaDescricao) == d.texto)
        modelo()->setData(modelo()->index(d.linha, modelo()->colunaDoCampo(ColunaDescricao)), salva, Qt::EditRole);
}

void TfrmOutrosCred::btnOkClick()
{
    gri1()->confirmaCelula();
    perguntaDescricao();
    TfrmGrades::btnOkClick();
}

void TfrmOutrosCred::accept()
{
    // The lines are written; with none left the item is refused, as by Cancel.
    if (SemLinhas())
        done(QDialog::Rejected);
    else
        TfrmGrades::accept();
}

void TfrmOutrosCred::abreDescricoes()
{
    gri1()->confirmaCelula();
    perguntaDescricao();
    TfrmOutros lista(motor_, this);
    if (lista.ExecutaTipo(tipo_))
        carregaDescricoes();
}

} // namespace quintar
