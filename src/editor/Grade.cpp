#include "Grade.h"

#include "ApuraJornada.h"
#include "Campos.h"
#include "Erro.h"
#include "Esquema.h"
#include "Registros.h"
#include "Rotinas.h"
#include "Valores.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>
#include <QRegularExpressionValidator>

namespace quintar {

namespace {

bool ehNumero(TipoColuna t)
{
    return t == TipoColuna::SmallInt || t == TipoColuna::Integer || t == TipoColuna::Decimal18;
}

bool ehMoney(TipoColuna t)
{
    return t == TipoColuna::Money || t == TipoColuna::Decimal;
}

} // namespace

ModeloRegistros::ModeloRegistros(Registros& registros, QVector<ColunaGrade> colunas, QObject* pai)
    : QAbstractTableModel(pai), registros_(registros), colunas_(std::move(colunas))
{
    for (const ColunaGrade& c : colunas_)
        indices_.append(c.tipo == ColunaGrade::Tipo::Acao ? -1 : registros_.coluna(c.campo));
    connect(&registros_, &Registros::antesDeRedefinir, this, &ModeloRegistros::beginResetModel);
    connect(&registros_, &Registros::linhasRedefinidas, this, &ModeloRegistros::endResetModel);
    connect(&registros_, &Registros::antesDeInserir, this, [this](int l) { beginInsertRows({}, l, l); });
    connect(&registros_, &Registros::linhaInserida, this, &ModeloRegistros::endInsertRows);
    connect(&registros_, &Registros::antesDeRemover, this, [this](int l) { beginRemoveRows({}, l, l); });
    connect(&registros_, &Registros::linhaRemovida, this, &ModeloRegistros::endRemoveRows);
    connect(&registros_, &Registros::celulaAlterada, this, [this](int linha, int colunaTabela) {
        for (int c = 0; c < indices_.size(); ++c)
            if (indices_[c] == colunaTabela)
                emit dataChanged(index(linha, c), index(linha, c));
    });
}

int ModeloRegistros::colunaDoCampo(const QString& campo) const
{
    for (int c = 0; c < colunas_.size(); ++c)
        if (colunas_[c].campo.compare(campo, Qt::CaseInsensitive) == 0)
            return c;
    return -1;
}

int ModeloRegistros::rowCount(const QModelIndex& pai) const
{
    return pai.isValid() ? 0 : registros_.quantidade();
}

int ModeloRegistros::columnCount(const QModelIndex& pai) const
{
    return pai.isValid() ? 0 : colunas_.size();
}

QString ModeloRegistros::texto(int coluna, const QVariant& v) const
{
    if (v.isNull())
        return {};
    const ColunaGrade& g = colunas_[coluna];
    const Coluna& c = registros_.tabela().colunas[colunaTabela(coluna)];
    if (g.tipo == ColunaGrade::Tipo::Mes)
        return ZerosEsquerda(v.toString(), 2);
    if (g.tipo == ColunaGrade::Tipo::Hora)
        return TextoHora(v.toInt());
    if (g.zeros > 0)
        return ZerosEsquerda(v.toString(), g.zeros);
    if (c.tipo == TipoColuna::Money)
        return lerMoney(v).formatado();
    if (c.tipo == TipoColuna::Decimal)
        return QLocale(QLocale::Portuguese, QLocale::Brazil)
            .toString(static_cast<double>(lerMoney(v).toReal()), 'f', c.escala);
    if (c.tipo == TipoColuna::Date)
        return lerData(v).toString(QStringLiteral("dd/MM/yyyy"));
    return v.toString();
}

QString ModeloRegistros::textoEdicao(int coluna, const QVariant& v) const
{
    const Coluna& c = registros_.tabela().colunas[colunaTabela(coluna)];
    if (v.isNull())
        return {};
    if (ehMoney(c.tipo))
        return lerMoney(v).toString(u',');
    if (colunas_[coluna].tipo == ColunaGrade::Tipo::Mes || colunas_[coluna].zeros > 0)
        return v.toString();
    return texto(coluna, v);
}

QVariant ModeloRegistros::valorDigitado(int coluna, const QString& t) const
{
    const Coluna& c = registros_.tabela().colunas[colunaTabela(coluna)];
    if (t.trimmed().isEmpty())
        return {};
    if (colunas_[coluna].tipo == ColunaGrade::Tipo::Hora) {
        const std::optional<int> hora = HoraDigitada(t);
        return hora && *hora >= 0 ? QVariant(*hora) : QVariant();
    }
    if (ehMoney(c.tipo)) {
        const auto m = CampoMoney::leTexto(t);
        if (!m)
            return {};
        return c.tipo == TipoColuna::Decimal ? bancoDecimal(*m, c.escala) : bancoMoney(*m);
    }
    if (ehNumero(c.tipo)) {
        bool ok = false;
        const qint64 n = t.trimmed().toLongLong(&ok);
        return ok ? QVariant(n) : QVariant();
    }
    if (c.tipo == TipoColuna::Date)
        return bancoData(ValidadorData::data(t));
    return t;
}

QVariant ModeloRegistros::data(const QModelIndex& indice, int papel) const
{
    if (!indice.isValid())
        return {};
    const int coluna = indice.column();
    const ColunaGrade& g = colunas_[coluna];
    if (g.tipo == ColunaGrade::Tipo::Acao)
        return dadoAcao(g, papel);
    const Coluna& c = registros_.tabela().colunas[colunaTabela(coluna)];
    const QVariant v = registros_.valor(indice.row(), colunaTabela(coluna));
    switch (papel) {
    case Qt::DisplayRole:
        return g.tipo == ColunaGrade::Tipo::Flag ? QVariant() : QVariant(texto(coluna, v));
    case Qt::EditRole:
        return textoEdicao(coluna, v);
    case Qt::CheckStateRole:
        if (g.tipo == ColunaGrade::Tipo::Flag)
            return ehSim(v) ? Qt::Checked : Qt::Unchecked;
        return {};
    case Qt::AccessibleTextRole:
        if (g.tipo == ColunaGrade::Tipo::Flag)
            return ehSim(v) ? QStringLiteral("Sim") : QStringLiteral("Não");
        return texto(coluna, v);
    case Qt::TextAlignmentRole:
        if (g.tipo == ColunaGrade::Tipo::Flag)
            return int(Qt::AlignCenter);
        if (g.tipo == ColunaGrade::Tipo::Hora)
            return int(Qt::AlignCenter);
        if (ehMoney(c.tipo) || ehNumero(c.tipo) || g.tipo == ColunaGrade::Tipo::Mes)
            return int(Qt::AlignRight | Qt::AlignVCenter);
        return {};
    case Qt::ForegroundRole:
        return g.cor.isValid() ? QVariant(g.cor) : QVariant();
    case Qt::BackgroundRole:
        return g.somenteLeitura ? QVariant(QApplication::palette().button()) : QVariant();
    default:
        return {};
    }
}

QVariant ModeloRegistros::dadoAcao(const ColunaGrade& g, int papel) const
{
    switch (papel) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return g.texto;
    case Qt::FontRole: {
        QFont f = QApplication::font();
        f.setUnderline(true);
        return f;
    }
    case Qt::TextAlignmentRole:
        return int(Qt::AlignCenter);
    default:
        return {};
    }
}

bool ModeloRegistros::setData(const QModelIndex& indice, const QVariant& valor, int papel)
{
    if (!indice.isValid() || colunas_[indice.column()].somenteLeitura)
        return false;
    const ColunaGrade& g = colunas_[indice.column()];
    QVariant banco;
    if (papel == Qt::CheckStateRole && g.tipo == ColunaGrade::Tipo::Flag)
        banco = FlagSN(valor.toInt() == Qt::Checked);
    else if (papel == Qt::EditRole && g.tipo == ColunaGrade::Tipo::Hora && HoraDigitada(valor.toString()) == -1)
        return false; // not a time: the cell keeps its value
    else if (papel == Qt::EditRole && g.tipo != ColunaGrade::Tipo::Flag && g.tipo != ColunaGrade::Tipo::Acao)
        banco = valorDigitado(indice.column(), valor.toString());
    else
        return false;
    try {
        registros_.vaiPara(indice.row());
        registros_.define(colunaTabela(indice.column()), banco);
    } catch (const Erro& e) {
        emit recusado(e.mensagem(), e.foco(), registros_.atual());
        return false;
    }
    return true;
}

QVariant ModeloRegistros::headerData(int secao, Qt::Orientation orientacao, int papel) const
{
    if (orientacao == Qt::Horizontal && papel == Qt::DisplayRole && secao >= 0 && secao < colunas_.size())
        return colunas_[secao].titulo;
    return QAbstractTableModel::headerData(secao, orientacao, papel);
}

Qt::ItemFlags ModeloRegistros::flags(const QModelIndex& indice) const
{
    if (!indice.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    const ColunaGrade& g = colunas_[indice.column()];
    if (g.somenteLeitura || g.tipo == ColunaGrade::Tipo::Acao)
        return f;
    if (g.tipo == ColunaGrade::Tipo::Flag)
        return f | Qt::ItemIsUserCheckable;
    return f | Qt::ItemIsEditable;
}

namespace {

bool ehFlag(const QModelIndex& indice)
{
    const auto* modelo = qobject_cast<const ModeloRegistros*>(indice.model());
    return modelo && modelo->colunaGrade(indice.column()).tipo == ColunaGrade::Tipo::Flag;
}

QRect caixaCentrada(const QStyleOptionViewItem& opcao)
{
    const QStyle* estilo = opcao.widget ? opcao.widget->style() : QApplication::style();
    const QSize tamanho(estilo->pixelMetric(QStyle::PM_IndicatorWidth, &opcao, opcao.widget),
        estilo->pixelMetric(QStyle::PM_IndicatorHeight, &opcao, opcao.widget));
    return QStyle::alignedRect(opcao.direction, Qt::AlignCenter, tamanho, opcao.rect);
}

} // namespace

void DelegadoGrade::paint(QPainter* pintor, const QStyleOptionViewItem& opcao, const QModelIndex& indice) const
{
    if (!ehFlag(indice)) {
        QStyledItemDelegate::paint(pintor, opcao, indice);
        return;
    }
    QStyleOptionViewItem o = opcao;
    initStyleOption(&o, indice);
    const QStyle* estilo = o.widget ? o.widget->style() : QApplication::style();
    o.features &= ~QStyleOptionViewItem::HasCheckIndicator;
    estilo->drawControl(QStyle::CE_ItemViewItem, &o, pintor, o.widget);
    QStyleOptionViewItem caixa = opcao;
    caixa.rect = caixaCentrada(opcao);
    caixa.state = (opcao.state & ~QStyle::State_HasFocus)
        | (indice.data(Qt::CheckStateRole).toInt() == Qt::Checked ? QStyle::State_On : QStyle::State_Off);
    estilo->drawPrimitive(QStyle::PE_IndicatorItemViewItemCheck, &caixa, pintor, o.widget);
}

bool DelegadoGrade::editorEvent(
    QEvent* evento, QAbstractItemModel* modelo, const QStyleOptionViewItem& opcao, const QModelIndex& indice)
{
    if (!ehFlag(indice) || !(indice.flags() & Qt::ItemIsUserCheckable))
        return QStyledItemDelegate::editorEvent(evento, modelo, opcao, indice);
    // The whole cell is the box: a click anywhere in it, or the space bar, changes it.
    bool muda = false;
    if (evento->type() == QEvent::MouseButtonRelease)
        muda = static_cast<QMouseEvent*>(evento)->button() == Qt::LeftButton
            && opcao.rect.contains(static_cast<QMouseEvent*>(evento)->position().toPoint());
    else if (evento->type() == QEvent::MouseButtonDblClick || evento->type() == QEvent::MouseButtonPress)
        return static_cast<QMouseEvent*>(evento)->button() == Qt::LeftButton;
    else if (evento->type() == QEvent::KeyPress)
        muda = static_cast<QKeyEvent*>(evento)->key() == Qt::Key_Space
            || static_cast<QKeyEvent*>(evento)->key() == Qt::Key_Select;
    if (!muda)
        return false;
    const bool marcado = indice.data(Qt::CheckStateRole).toInt() == Qt::Checked;
    return modelo->setData(indice, marcado ? Qt::Unchecked : Qt::Checked, Qt::CheckStateRole);
}

QWidget* DelegadoGrade::createEditor(QWidget* pai, const QStyleOptionViewItem& opcao, const QModelIndex& indice) const
{
    const auto* modelo = qobject_cast<const ModeloRegistros*>(indice.model());
    if (!modelo)
        return QStyledItemDelegate::createEditor(pai, opcao, indice);
    const ColunaGrade& g = modelo->colunaGrade(indice.column());
    if (g.tipo == ColunaGrade::Tipo::Mes) {
        auto* meses = new QComboBox(pai);
        for (int m = 1; m <= 12; ++m)
            meses->addItem(QString::number(m));
        meses->setAccessibleName(g.titulo);
        return meses;
    }
    const Coluna& c = *modelo->registros().tabela().coluna(g.campo);
    auto* campo = new QLineEdit(pai);
    campo->setFrame(false);
    campo->setAccessibleName(g.titulo);
    if (g.tipo == ColunaGrade::Tipo::Hora) {
        campo->setAlignment(Qt::AlignCenter);
        campo->setValidator(new QRegularExpressionValidator(QRegularExpression(PadraoHora()), campo));
    } else if (ehMoney(c.tipo)) {
        campo->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        campo->setValidator(
            new QRegularExpressionValidator(QRegularExpression(QStringLiteral(R"(-?[0-9.]*(,[0-9]{0,4})?)")), campo));
    } else if (ehNumero(c.tipo)) {
        campo->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        campo->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("-?[0-9]*")), campo));
    } else if (c.tamanho > 0) {
        campo->setMaxLength(c.tamanho);
    }
    return campo;
}

void DelegadoGrade::setEditorData(QWidget* editor, const QModelIndex& indice) const
{
    const QString texto = indice.data(Qt::EditRole).toString();
    if (auto* meses = qobject_cast<QComboBox*>(editor)) {
        meses->setCurrentIndex(meses->findText(texto));
        return;
    }
    if (auto* campo = qobject_cast<QLineEdit*>(editor)) {
        campo->setText(texto);
        return;
    }
    QStyledItemDelegate::setEditorData(editor, indice);
}

void DelegadoGrade::setModelData(QWidget* editor, QAbstractItemModel* modelo, const QModelIndex& indice) const
{
    if (auto* meses = qobject_cast<QComboBox*>(editor)) {
        if (meses->currentIndex() >= 0 && meses->currentText() != indice.data(Qt::EditRole).toString())
            modelo->setData(indice, meses->currentText(), Qt::EditRole);
        return;
    }
    if (auto* campo = qobject_cast<QLineEdit*>(editor)) {
        if (campo->isModified() || campo->text() != indice.data(Qt::EditRole).toString())
            modelo->setData(indice, campo->text(), Qt::EditRole);
        return;
    }
    QStyledItemDelegate::setModelData(editor, modelo, indice);
}

namespace {

// Moving the cursor to another row first posts the current row; a refusal keeps it where it is.
class SelecaoGrade : public QItemSelectionModel {
public:
    SelecaoGrade(ModeloRegistros* modelo, Grade* grade)
        : QItemSelectionModel(modelo), modelo_(modelo), grade_(grade) { }

    void setCurrentIndex(const QModelIndex& indice, QItemSelectionModel::SelectionFlags comando) override
    {
        Registros& r = modelo_->registros();
        if (indice.isValid() && indice.row() != r.atual() && r.atual() >= 0) {
            const int deixada = r.atual();
            if (grade_->descartaNovaIntocada()) {
                const int linha = indice.row() > deixada ? indice.row() - 1 : indice.row();
                if (linha >= 0 && linha < r.quantidade())
                    QItemSelectionModel::setCurrentIndex(modelo_->index(linha, indice.column()), comando);
                return;
            }
            try {
                r.vaiPara(indice.row());
            } catch (const Erro& e) {
                grade_->recusa(e.mensagem(), e.foco(), r.atual());
                return;
            }
        } else if (indice.isValid() && r.atual() < 0) {
            r.vaiPara(indice.row());
        }
        QItemSelectionModel::setCurrentIndex(indice, comando);
    }

private:
    ModeloRegistros* modelo_;
    Grade* grade_;
};

} // namespace

Grade::Grade(QWidget* pai) : QTableView(pai)
{
    setItemDelegate(new DelegadoGrade(this));
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked
        | QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    setTabKeyNavigation(false);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->hide();
    horizontalHeader()->setHighlightSections(false);
}

void Grade::defineModelo(ModeloRegistros* modelo)
{
    modelo_ = modelo;
    setModel(modelo);
    setSelectionModel(new SelecaoGrade(modelo, this));
    connect(modelo, &ModeloRegistros::recusado, this, &Grade::recusa);
    // The rows' own moves (a new row, a row removed, the rows read again) move the cursor too.
    connect(&modelo->registros(), &Registros::atualAlterado, this, [this](int linha) {
        if (linha >= 0 && currentIndex().row() != linha)
            selectionModel()->QItemSelectionModel::setCurrentIndex(
                model()->index(linha, std::max(0, currentIndex().column())), QItemSelectionModel::ClearAndSelect);
    });
    connect(&modelo->registros(), &Registros::linhasRedefinidas, this, [this] {
        const int linha = modelo_->registros().atual();
        if (linha >= 0)
            selectionModel()->QItemSelectionModel::setCurrentIndex(
                model()->index(linha, 0), QItemSelectionModel::ClearAndSelect);
    });
    // Each column as wide as its heading or its values, and the grid as wide as its columns.
    const QFontMetrics fm = fontMetrics();
    int total = 2 * frameWidth() + style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 2;
    for (int c = 0; c < modelo->columnCount(); ++c) {
        const ColunaGrade& g = modelo->colunaGrade(c);
        const int largura = std::max({fm.horizontalAdvance(g.titulo), fm.horizontalAdvance(QString(g.largura, u'0')),
                                fm.horizontalAdvance(g.texto)})
            + 16;
        setColumnWidth(c, largura);
        total += largura;
    }
    setMinimumWidth(total);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

void Grade::confirmaCelula()
{
    if (state() == QAbstractItemView::EditingState) {
        QWidget* editor = indexWidget(currentIndex());
        if (!editor)
            editor = focusWidget();
        if (editor && editor != this) {
            commitData(editor);
            closeEditor(editor, QAbstractItemDelegate::NoHint);
        }
    }
}

void Grade::vaiParaCampo(int linha, const QString& campo)
{
    if (!modelo_ || linha < 0 || linha >= modelo_->rowCount())
        return;
    const int coluna = campo.isEmpty() ? std::max(0, currentIndex().column()) : modelo_->colunaDoCampo(campo);
    selectionModel()->QItemSelectionModel::setCurrentIndex(
        modelo_->index(linha, std::max(0, coluna)), QItemSelectionModel::ClearAndSelect);
    setFocus(Qt::OtherFocusReason);
}

bool Grade::descartaNovaIntocada()
{
    if (!modelo_)
        return false;
    Registros& r = modelo_->registros();
    if (r.estado() != Registros::Estado::Inserindo || r.modificado())
        return false;
    r.Cancela();
    return true;
}

void Grade::focusOutEvent(QFocusEvent* evento)
{
    QTableView::focusOutEvent(evento);
    // Into the grid's own cell editor, a message box or a pop-up is not leaving the grid.
    const QWidget* destino = QApplication::focusWidget();
    if (evento->reason() == Qt::ActiveWindowFocusReason || evento->reason() == Qt::PopupFocusReason
        || (destino && isAncestorOf(destino)) || state() == QAbstractItemView::EditingState)
        return;
    descartaNovaIntocada();
}

void Grade::recusa(const QString& mensagem, const QString& campo, int linha)
{
    // After the event that caused it is over: a box in the middle of a mouse press or of a
    // cell editor's closing would leave either half done.
    QMetaObject::invokeMethod(
        this,
        [this, mensagem, campo, linha] {
            vaiParaCampo(linha, campo);
            emit recusado(mensagem, campo);
        },
        Qt::QueuedConnection);
}

QString Grade::acaoAtual() const
{
    if (!modelo_ || !currentIndex().isValid())
        return {};
    const ColunaGrade& g = modelo_->colunaGrade(currentIndex().column());
    return g.tipo == ColunaGrade::Tipo::Acao ? g.campo : QString();
}

void Grade::mouseDoubleClickEvent(QMouseEvent* evento)
{
    const QModelIndex indice = indexAt(evento->position().toPoint());
    if (modelo_ && indice.isValid() && modelo_->colunaGrade(indice.column()).tipo == ColunaGrade::Tipo::Acao) {
        if (indice == currentIndex())
            emit acionada(modelo_->colunaGrade(indice.column()).campo);
        return;
    }
    QTableView::mouseDoubleClickEvent(evento);
}

void Grade::keyPressEvent(QKeyEvent* evento)
{
    if (modelo_ && state() != QAbstractItemView::EditingState) {
        const bool aciona =
            evento->key() == Qt::Key_Return || evento->key() == Qt::Key_Enter || evento->key() == Qt::Key_Space;
        if (aciona && evento->modifiers() == Qt::NoModifier && !acaoAtual().isEmpty()) {
            emit acionada(acaoAtual());
            return;
        }
        Registros& r = modelo_->registros();
        try {
            // Below a new row the user left untouched there is nothing to add.
            if (evento->key() == Qt::Key_Down && evento->modifiers() == Qt::NoModifier
                && r.atual() == r.quantidade() - 1 && (r.estado() != Registros::Estado::Inserindo || r.modificado())) {
                r.Acrescenta();
                return;
            }
            if (evento->key() == Qt::Key_Insert && evento->modifiers() == Qt::NoModifier) {
                r.Insere();
                return;
            }
            if (evento->key() == Qt::Key_Delete && evento->modifiers() == Qt::ControlModifier) {
                r.Exclui();
                return;
            }
            if (evento->key() == Qt::Key_Escape && r.emEdicao()) {
                r.Cancela();
                return;
            }
        } catch (const Erro& e) {
            recusa(e.mensagem(), e.foco(), r.atual());
            return;
        }
    }
    QTableView::keyPressEvent(evento);
}

} // namespace quintar
