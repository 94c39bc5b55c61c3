#include "Vinculos.h"

#include "Campos.h"
#include "Erro.h"
#include "Esquema.h"
#include "FonteDados.h"
#include "Interface.h"
#include "Rotinas.h"
#include "Valores.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

namespace quintar {

namespace {

// Money and Decimal(p,s) columns are both held as ten-thousandths.
std::optional<Money> comoMoney(const QVariant& v)
{
    if (v.isNull())
        return std::nullopt;
    return lerMoney(v);
}

QVariant moneyNoBanco(const Coluna& c, std::optional<Money> valor)
{
    if (!valor)
        return {};
    return c.tipo == TipoColuna::Decimal ? bancoDecimal(*valor, c.escala) : bancoMoney(*valor);
}

} // namespace

Vinculos::Vinculos(FonteDados& fonte, QObject* pai) : QObject(pai), fonte_(fonte)
{
    connect(&fonte_, &FonteDados::valorAlterado, this, &Vinculos::mostraColuna);
    connect(&fonte_, &FonteDados::registroAlterado, this, &Vinculos::mostra);
}

const Coluna& Vinculos::colunaDe(const QString& coluna) const
{
    const Coluna* c = fonte_.tabela().coluna(coluna);
    if (!c)
        throw Erro(QStringLiteral("Campo %1 não existe na tabela %2.").arg(coluna, fonte_.tabela().nome));
    return *c;
}

void Vinculos::acrescenta(
    QWidget* campo, const QString& coluna, std::function<void()> mostra, std::function<bool()> confirma)
{
    colunaDe(coluna); // an unknown column fails here, at the binding
    // The first keystroke puts the row into editing, as a data-aware field does.
    if (auto* texto = qobject_cast<QLineEdit*>(campo))
        connect(texto, &QLineEdit::textEdited, this, [this] {
            if (fonte_.temRegistro())
                fonte_.Edita();
        });
    vinculos_.append({campo, coluna.toUpper(), std::move(mostra), std::move(confirma)});
    vinculos_.last().mostra();
}

bool Vinculos::grava(QWidget* campo, const QString& coluna, const QVariant& valor)
{
    gravando_ = coluna;
    try {
        const auto it = gravacoes_.constFind(coluna.toUpper());
        if (it != gravacoes_.constEnd())
            (*it)(valor);
        else
            fonte_.define(coluna, valor);
    } catch (const Erro& e) {
        gravando_.clear();
        if (!aoRecusar)
            throw;
        AbandonaAcao();
        aoRecusar(e, campo);
        return false;
    }
    gravando_.clear();
    mostraColuna(coluna);
    return true;
}

void Vinculos::liga(QLineEdit* campo, const QString& coluna)
{
    if (const int tamanho = colunaDe(coluna).tamanho; tamanho > 0)
        campo->setMaxLength(tamanho);
    auto digitado = std::make_shared<bool>(false);
    connect(campo, &QLineEdit::textEdited, this, [digitado] { *digitado = true; });
    const auto confirma = [this, campo, coluna, digitado] {
        if (!*digitado)
            return true;
        *digitado = false;
        if (grava(campo, coluna, campo->text().isEmpty() ? QVariant() : QVariant(campo->text())))
            return true;
        *digitado = true; // still to be written
        return false;
    };
    connect(campo, &QLineEdit::editingFinished, this, confirma);
    acrescenta(
        campo, coluna,
        [this, campo, coluna, digitado] {
            *digitado = false;
            campo->setText(fonte_.temRegistro() ? fonte_.valor(coluna).toString() : QString());
        },
        confirma);
}

void Vinculos::liga(CampoNumero* campo, const QString& coluna)
{
    // A whole number of a Decimal column (a percentage) is its value, not its ten-thousandths.
    const bool decimal = colunaDe(coluna).tipo == TipoColuna::Decimal;
    const int escala = colunaDe(coluna).escala;
    connect(campo, &CampoNumero::numeroDigitado, this, [this, campo, coluna, decimal, escala](std::optional<qint64> n) {
        QVariant v;
        if (n)
            v = decimal ? bancoDecimal(Money::fromRaw(*n * Money::Escala), escala) : QVariant(*n);
        if (!grava(campo, coluna, v))
            campo->recusa();
    });
    acrescenta(
        campo, coluna,
        [this, campo, coluna, decimal] {
            const QVariant v = fonte_.temRegistro() ? fonte_.valor(coluna) : QVariant();
            if (v.isNull())
                campo->defineNumero(std::nullopt);
            else
                campo->defineNumero(decimal ? lerMoney(v).raw() / Money::Escala : v.toLongLong());
        },
        [campo] { return campo->confirma(); });
}

void Vinculos::liga(CampoMoney* campo, const QString& coluna)
{
    const Coluna c = colunaDe(coluna);
    connect(campo, &CampoMoney::valorDigitado, this, [this, campo, c](std::optional<Money> v) {
        if (!grava(campo, c.nome, moneyNoBanco(c, v)))
            campo->recusa();
    });
    acrescenta(
        campo, coluna,
        [this, campo, coluna] {
            campo->defineValor(fonte_.temRegistro() ? comoMoney(fonte_.valor(coluna)) : std::nullopt);
        },
        [campo] { return campo->confirma(); });
}

void Vinculos::liga(CampoData* campo, const QString& coluna)
{
    connect(
        campo, &CampoData::dataDigitada, this, [this, campo, coluna](QDate d) { grava(campo, coluna, bancoData(d)); });
    acrescenta(
        campo, coluna,
        [this, campo, coluna] { campo->defineData(fonte_.temRegistro() ? lerData(fonte_.valor(coluna)) : QDate()); },
        [campo] {
            campo->confirma();
            return true;
        });
}

void Vinculos::liga(QCheckBox* campo, const QString& coluna)
{
    connect(campo, &QAbstractButton::clicked, this,
        [this, campo, coluna](bool marcado) { grava(campo, coluna, FlagSN(marcado)); });
    acrescenta(campo, coluna,
        [this, campo, coluna] { campo->setChecked(fonte_.temRegistro() && ehSim(fonte_.valor(coluna))); }, {});
}

void Vinculos::liga(QComboBox* campo, const QString& coluna)
{
    connect(campo, &QComboBox::activated, this,
        [this, campo, coluna](int indice) { grava(campo, coluna, campo->itemData(indice)); });
    acrescenta(campo, coluna,
        [this, campo, coluna] {
            const QVariant v = fonte_.temRegistro() ? fonte_.valor(coluna) : QVariant();
            campo->setCurrentIndex(v.isNull() ? -1 : campo->findData(v.toLongLong()));
        },
        {});
}

void Vinculos::liga(QButtonGroup* grupo, const QString& coluna, const QStringList& valores)
{
    connect(grupo, &QButtonGroup::idClicked, this, [this, grupo, coluna, valores](int id) {
        if (id >= 0 && id < valores.size())
            grava(grupo->button(id), coluna, valores[id]);
    });
    QWidget* primeiro = grupo->buttons().isEmpty() ? nullptr : grupo->buttons().first();
    acrescenta(primeiro, coluna,
        [this, grupo, coluna, valores] {
            const int id = fonte_.temRegistro() ? valores.indexOf(fonte_.valor(coluna).toString()) : -1;
            const bool exclusivo = grupo->exclusive();
            grupo->setExclusive(false);
            for (QAbstractButton* b : grupo->buttons())
                b->setChecked(grupo->id(b) == id);
            grupo->setExclusive(exclusivo);
        },
        {});
}

void Vinculos::defineGravacao(const QString& coluna, std::function<void(const QVariant&)> grava)
{
    gravacoes_.insert(coluna.toUpper(), std::move(grava));
}

bool Vinculos::confirma()
{
    for (const Vinculo& v : vinculos_)
        if (v.confirma && v.campo && !v.confirma())
            return false;
    return true;
}

void Vinculos::mostra()
{
    for (const Vinculo& v : vinculos_)
        if (v.campo)
            v.mostra();
}

void Vinculos::mostraColuna(const QString& coluna)
{
    if (coluna.compare(gravando_, Qt::CaseInsensitive) == 0)
        return; // shown once the field's own writing is over
    for (const Vinculo& v : vinculos_)
        if (v.campo && v.coluna.compare(coluna, Qt::CaseInsensitive) == 0)
            v.mostra();
}

QWidget* Vinculos::campo(const QString& coluna) const
{
    for (const Vinculo& v : vinculos_)
        if (v.coluna.compare(coluna, Qt::CaseInsensitive) == 0)
            return v.campo;
    return nullptr;
}

} // namespace quintar
