#include "Campos.h"

#include "Rotinas.h"

#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

namespace quintar {

namespace {

QString digitos(QStringView texto)
{
    QString d;
    for (QChar c : texto)
        if (c.isDigit())
            d += c;
    return d;
}

// Another window coming to the front (a message box, another program, a calendar) is not
// leaving the field: only the focus moving away within the window is.
bool saiDoCampo(const QFocusEvent* evento)
{
    return evento->reason() != Qt::ActiveWindowFocusReason && evento->reason() != Qt::PopupFocusReason;
}

int diasMaximos(int mes, int ano) // ano 0: not typed yet
{
    if (mes == 2)
        return (ano == 0 || QDate::isLeapYear(ano)) ? 29 : 28;
    return QDate(2001, mes, 1).daysInMonth();
}

} // namespace

QValidator::State ValidadorData::validate(QString& texto, int&) const
{
    const QString dia = digitos(QStringView(texto).mid(0, 2));
    const QString mes = digitos(QStringView(texto).mid(3, 2));
    const QString ano = digitos(QStringView(texto).mid(6));
    if (dia.isEmpty() && mes.isEmpty() && ano.isEmpty())
        return Acceptable;
    if ((dia.size() == 1 && texto.at(0).isDigit() && dia.toInt() > 3)
        || (dia.size() == 2 && (dia.toInt() < 1 || dia.toInt() > 31)))
        return Invalid;
    if ((mes.size() == 1 && texto.at(3).isDigit() && mes.toInt() > 1)
        || (mes.size() == 2 && (mes.toInt() < 1 || mes.toInt() > 12)))
        return Invalid;
    if (dia.size() == 2 && mes.size() == 2 && dia.toInt() > diasMaximos(mes.toInt(), ano.size() == 4 ? ano.toInt() : 0))
        return Invalid;
    return data(texto).isValid() ? Acceptable : Intermediate;
}

QDate ValidadorData::data(const QString& texto)
{
    const QString dia = digitos(QStringView(texto).mid(0, 2));
    const QString mes = digitos(QStringView(texto).mid(3, 2));
    const QString ano = digitos(QStringView(texto).mid(6));
    if (dia.size() != 2 || mes.size() != 2 || (ano.size() != 2 && ano.size() != 4))
        return {};
    int a = ano.toInt();
    if (ano.size() == 2)
        a += a >= 50 ? 1900 : 2000;
    return QDate(a, mes.toInt(), dia.toInt());
}

CampoData::CampoData(QWidget* pai) : QLineEdit(pai)
{
    setInputMask(QStringLiteral("99/99/9999;_"));
    setValidator(new ValidadorData(this));
    setMaximumWidth(fontMetrics().horizontalAdvance(QStringLiteral("00/00/00000")) + 36);
    QAction* botao = addAction(QIcon(QStringLiteral(":/icones/calendario.svg")), QLineEdit::TrailingPosition);
    connect(botao, &QAction::triggered, this, &CampoData::abreCalendario);
    connect(this, &QLineEdit::returnPressed, this, &CampoData::confirma);
    mostraTexto();
}

void CampoData::defineData(QDate data)
{
    data_ = data.isValid() ? data : QDate();
    mostraTexto();
}

void CampoData::mostraTexto()
{
    setText(data_.isValid() ? data_.toString(QStringLiteral("dd/MM/yyyy")) : QString());
}

void CampoData::confirma()
{
    const QDate lida = ValidadorData::data(text());
    const bool vazio = digitos(text()).isEmpty();
    if (!lida.isValid() && !vazio) {
        mostraTexto(); // incomplete: the last date stays
        return;
    }
    const QDate nova = vazio ? QDate() : lida;
    const bool mudou = nova != data_;
    data_ = nova;
    mostraTexto();
    if (mudou)
        emit dataDigitada(data_);
}

void CampoData::focusOutEvent(QFocusEvent* evento)
{
    QLineEdit::focusOutEvent(evento);
    if (!saiDoCampo(evento))
        return;
    confirma();
    emit saiu();
}

void CampoData::keyPressEvent(QKeyEvent* evento)
{
    if (evento->key() == Qt::Key_F4 || (evento->key() == Qt::Key_Down && (evento->modifiers() & Qt::AltModifier))) {
        abreCalendario();
        return;
    }
    QLineEdit::keyPressEvent(evento);
}

void CampoData::abreCalendario()
{
    if (isReadOnly() || !isEnabled())
        return;
    confirma();
    auto* janela = new QWidget(this, Qt::Popup);
    janela->setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QVBoxLayout(janela);
    layout->setContentsMargins(0, 0, 0, 0);
    calendario_ = new QCalendarWidget(janela);
    calendario_->setGridVisible(true);
    calendario_->setLocale(locale());
    calendario_->setSelectedDate(data_.isValid() ? data_ : QDate::currentDate());
    layout->addWidget(calendario_);
    janelaCalendario_ = janela;
    connect(calendario_, &QCalendarWidget::activated, this, [this, janela](QDate d) {
        const bool mudou = d != data_;
        data_ = d;
        mostraTexto();
        janela->close();
        if (mudou)
            emit dataDigitada(data_);
    });
    connect(calendario_, &QCalendarWidget::clicked, calendario_, &QCalendarWidget::activated);
    connect(janela, &QObject::destroyed, this, [this] {
        calendario_ = nullptr;
        setFocus(Qt::PopupFocusReason);
        emit saiu();
    });
    janela->adjustSize();
    QPoint posicao = mapToGlobal(QPoint(0, height()));
    if (const QScreen* tela = screen()) {
        const QRect area = tela->availableGeometry();
        posicao.setX(std::min(posicao.x(), area.right() - janela->width()));
        if (posicao.y() + janela->height() > area.bottom())
            posicao.setY(mapToGlobal(QPoint(0, 0)).y() - janela->height());
    }
    janela->move(posicao);
    janela->show();
    calendario_->setFocus(Qt::PopupFocusReason);
}

CampoValor::CampoValor(QWidget* pai) : QLineEdit(pai)
{
    connect(this, &QLineEdit::textEdited, this, [this] { digitado_ = true; });
    connect(this, &QLineEdit::returnPressed, this, [this] { confirma(); });
}

bool CampoValor::confirma()
{
    if (!digitado_)
        return true;
    digitado_ = false;
    recusado_ = false;
    const QString digitado = text();
    aceitaTexto();
    if (recusado_) {
        setText(digitado);
        return false;
    }
    mostraTexto();
    return true;
}

void CampoValor::recusa()
{
    recusado_ = true;
    digitado_ = true;
}

void CampoValor::focusInEvent(QFocusEvent* evento)
{
    QLineEdit::focusInEvent(evento);
    if (!digitado_) {
        mostraTexto();
        if (evento->reason() == Qt::TabFocusReason || evento->reason() == Qt::BacktabFocusReason)
            selectAll();
    }
}

void CampoValor::focusOutEvent(QFocusEvent* evento)
{
    QLineEdit::focusOutEvent(evento);
    if (!saiDoCampo(evento))
        return;
    if (digitado_)
        confirma();
    else
        mostraTexto();
}

CampoMoney::CampoMoney(QWidget* pai, int casas) : CampoValor(pai), casas_(casas)
{
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral(R"(-?[0-9.]*(,[0-9]{0,4})?)")), this));
    mostraTexto();
}

std::optional<Money> CampoMoney::leTexto(const QString& texto)
{
    QString t = texto.trimmed();
    t.remove(u'.');
    if (t.isEmpty() || t == u"-")
        return std::nullopt;
    bool ok = false;
    const Money m = Money::parse(t, u',', &ok);
    if (!ok)
        return std::nullopt;
    return m;
}

void CampoMoney::defineValor(std::optional<Money> valor)
{
    valor_ = valor;
    esqueceDigitado();
    mostraTexto();
}

void CampoMoney::defineCasas(int casas)
{
    casas_ = casas;
    mostraTexto();
}

void CampoMoney::mostraTexto()
{
    if (!valor_) {
        setText(QString());
        return;
    }
    if (hasFocus()) {
        // Plain digits while editing; every decimal it has (a few amounts carry four), and at
        // least the decimals it is shown with.
        QString t = valor_->toString(u',');
        if (!t.contains(u','))
            t += u',';
        const qsizetype decimais = t.size() - t.indexOf(u',') - 1;
        if (decimais < casas_)
            t += QString(casas_ - decimais, u'0');
        setText(t);
        return;
    }
    if (casas_ == 2) {
        setText(valor_->formatado());
        return;
    }
    setText(QLocale(QLocale::Portuguese, QLocale::Brazil).toString(static_cast<double>(valor_->toReal()), 'f', casas_));
}

void CampoMoney::aceitaTexto()
{
    valor_ = leTexto(text());
    emit valorDigitado(valor_);
}

void ApenasDigitos(QLineEdit* campo)
{
    campo->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), campo));
}

void EncadeiaCampos(const QVector<QWidget*>& ordem, std::function<bool()> enquanto)
{
    for (int i = 0; i + 1 < ordem.size(); ++i) {
        auto* campo = qobject_cast<QLineEdit*>(ordem[i]);
        if (!campo)
            continue;
        QWidget* seguinte = ordem[i + 1];
        QObject::connect(campo, &QLineEdit::textEdited, seguinte, [campo, seguinte, enquanto] {
            if (campo->hasFocus() && campo->text().size() >= campo->maxLength() && (!enquanto || enquanto()))
                seguinte->setFocus(Qt::TabFocusReason);
        });
    }
}

void PreencheMeses(QComboBox* lista)
{
    for (int m = 1; m <= 12; ++m)
        lista->addItem(QString::number(m), qlonglong(m));
}

void OrdemTabulacao(const QVector<QWidget*>& ordem)
{
    for (int i = 0; i + 1 < ordem.size(); ++i)
        QWidget::setTabOrder(ordem[i], ordem[i + 1]);
}

CampoNumero::CampoNumero(QWidget* pai) : CampoValor(pai)
{
    ApenasDigitos(this);
}

void CampoNumero::defineNumero(std::optional<qint64> numero)
{
    numero_ = numero;
    esqueceDigitado();
    mostraTexto();
}

void CampoNumero::mostraTexto()
{
    if (!numero_) {
        setText(QString());
        return;
    }
    const QString t = QString::number(*numero_);
    setText(hasFocus() || largura_ == 0 ? t : ZerosEsquerda(t, largura_));
}

void CampoNumero::aceitaTexto()
{
    if (completaAoSair && !text().isEmpty())
        setText(completaAoSair(text()));
    bool ok = false;
    const qint64 n = text().toLongLong(&ok);
    numero_ = ok ? std::optional<qint64>(n) : std::nullopt;
    emit numeroDigitado(numero_);
}

} // namespace quintar
