#include "RegistrosDat.h"

#include <QDate>
#include <QtEndian>

#include <cmath>
#include <cstring>

namespace quintar {

namespace {

const QDate DiaZero(1899, 12, 30);

int tamanhoCampo(TipoCampo tipo)
{
    return (tipo == TipoCampo::Inteiro || tipo == TipoCampo::Enchimento) ? 4 : 8;
}

LayoutDat mensal(
    const char* arquivo, const char* tabela, const char* arquivoTabela, std::initializer_list<const char*> reais)
{
    LayoutDat l{QString::fromLatin1(arquivo), QString::fromLatin1(tabela), QString::fromLatin1(arquivoTabela), {}, 2};
    l.campos = {{QStringLiteral("Ano"), TipoCampo::Inteiro}, {QStringLiteral("Mes"), TipoCampo::Inteiro}};
    for (const char* nome : reais)
        l.campos.append({QString::fromLatin1(nome), TipoCampo::Real});
    return l;
}

QVector<LayoutDat> criaLayouts()
{
    QVector<LayoutDat> l;
    l.append(mensal("FaixasINSS.dat", "FAIXASINSS", "FaixasINSS.db",
        {"LimiteMinimo", "Limite1", "Percentual1", "Limite2", "Percentual2", "Limite3", "Percentual3", "Limite4",
            "Percentual4", "Limite5", "Percentual5"}));
    l.append(mensal("Valores.dat", "VALORES", "Valores.db",
        {"SalMin", "SalFam1", "SalFam2", "LimMinimo", "LimMaximo", "ValorMaximo"}));
    l.append(mensal("FaixasIR2.dat", "FAIXASIR", "FaixasIR.db",
        {"LimiteMinimo", "Limite1", "Percentual1", "Deducao1", "Limite2", "Percentual2", "Deducao2", "Limite3",
            "Percentual3", "Deducao3", "PercentualMaximo", "DeducaoMaximo", "DeducaoDependente", "DeducaoDaBase"}));
    LayoutDat diario{QStringLiteral("Diario.dat"), QStringLiteral("DIARIO"), QStringLiteral("Diario.db"), {}, 2};
    diario.campos = {{QStringLiteral("CodIndice"), TipoCampo::Inteiro}, {QString(), TipoCampo::Enchimento},
        {QStringLiteral("Data"), TipoCampo::Data}, {QStringLiteral("Indice"), TipoCampo::Real}};
    l.append(diario);
    return l;
}

double leReal(const char* p)
{
    const quint64 bits = qFromLittleEndian<quint64>(p);
    double v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

void gravaReal(char* p, double v)
{
    quint64 bits;
    std::memcpy(&bits, &v, sizeof bits);
    qToLittleEndian<quint64>(bits, p);
}

} // namespace

int LayoutDat::tamanho() const
{
    int t = 0;
    for (const CampoDat& c : campos)
        t += tamanhoCampo(c.tipo);
    return t;
}

QVector<CampoDat> LayoutDat::valores() const
{
    QVector<CampoDat> v;
    for (const CampoDat& c : campos)
        if (c.tipo != TipoCampo::Enchimento)
            v.append(c);
    return v;
}

const LayoutDat& Layout(ArquivoDat arquivo)
{
    static const QVector<LayoutDat> layouts = criaLayouts();
    return layouts[static_cast<int>(arquivo)];
}

double RealDaData(QDate data)
{
    return static_cast<double>(DiaZero.daysTo(data));
}

QDate DataDoReal(double dias)
{
    // 1900..9999 is far more than the tables need and keeps the day count well inside an int.
    if (!std::isfinite(dias) || dias < 0 || dias > 3'000'000)
        return {};
    const QDate d = DiaZero.addDays(static_cast<qint64>(std::trunc(dias)));
    return (d.year() >= 1900 && d.year() <= 9999) ? d : QDate();
}

QVector<RegistroDat> DecodificaRegistros(const LayoutDat& layout, const QByteArray& bytes, int* resto)
{
    const int tamanho = layout.tamanho();
    const qsizetype total = bytes.size() / tamanho;
    if (resto)
        *resto = static_cast<int>(bytes.size() % tamanho);
    QVector<RegistroDat> registros;
    registros.reserve(total);
    const char* p = bytes.constData();
    for (qsizetype i = 0; i < total; ++i) {
        RegistroDat r;
        r.reserve(layout.campos.size());
        for (const CampoDat& c : layout.campos) {
            switch (c.tipo) {
            case TipoCampo::Inteiro:
                r.append(qFromLittleEndian<qint32>(p));
                break;
            case TipoCampo::Real:
                r.append(leReal(p));
                break;
            case TipoCampo::Data: {
                // An unusable day stays a double, so ProblemaRegistro can name it.
                const double dias = leReal(p);
                const QDate d = DataDoReal(dias);
                r.append(d.isValid() ? QVariant(d) : QVariant(dias));
                break;
            }
            case TipoCampo::Enchimento:
                break;
            }
            p += tamanhoCampo(c.tipo);
        }
        registros.append(std::move(r));
    }
    return registros;
}

QByteArray CodificaRegistros(const LayoutDat& layout, const QVector<RegistroDat>& registros)
{
    const int tamanho = layout.tamanho();
    QByteArray bytes(registros.size() * tamanho, '\0');
    char* p = bytes.data();
    for (const RegistroDat& r : registros) {
        int i = 0;
        for (const CampoDat& c : layout.campos) {
            switch (c.tipo) {
            case TipoCampo::Inteiro:
                qToLittleEndian<qint32>(r.value(i++).toInt(), p);
                break;
            case TipoCampo::Real:
                gravaReal(p, r.value(i++).toDouble());
                break;
            case TipoCampo::Data:
                gravaReal(p, RealDaData(r.value(i++).toDate()));
                break;
            case TipoCampo::Enchimento:
                break;
            }
            p += tamanhoCampo(c.tipo);
        }
    }
    return bytes;
}

QString ProblemaRegistro(const LayoutDat& layout, const RegistroDat& registro)
{
    const QVector<CampoDat> campos = layout.valores();
    for (int i = 0; i < campos.size(); ++i) {
        const CampoDat& c = campos[i];
        const QVariant& v = registro.value(i);
        switch (c.tipo) {
        case TipoCampo::Inteiro:
            if (c.nome == u"Mes" && (v.toInt() < 1 || v.toInt() > 12))
                return QStringLiteral("mês %1").arg(v.toInt());
            if (c.nome == u"Ano" && (v.toInt() < 1900 || v.toInt() > 9999))
                return QStringLiteral("ano %1").arg(v.toInt());
            break;
        case TipoCampo::Data:
            if (v.typeId() != QMetaType::QDate)
                return QStringLiteral("data %1").arg(v.toDouble());
            break;
        case TipoCampo::Real: {
            const double x = v.toDouble();
            if (!std::isfinite(x))
                return c.nome + QStringLiteral(" não é um número");
            // A correction index of zero or below would divide by zero or turn amounts negative;
            // no bracket, rate or amount of the monthly tables is ever negative.
            if (c.nome == u"Indice" ? x <= 0 : x < 0)
                return c.nome + u' ' + QString::number(x, 'g', 15);
            break;
        }
        case TipoCampo::Enchimento:
            break;
        }
    }
    return {};
}

} // namespace quintar
