#include "Rotinas.h"

#include "Erro.h"
#include "Feedback.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#include <cstdlib>

namespace quintar {

Feedback& semFeedback()
{
    static Feedback nada;
    return nada;
}

long double Arredonda(int casas, long double valor)
{
    const long double soma = valor + 1e-11L;
    // The 18 digits written differ from the value by less than 1e-17 of it. Away from a half
    // of the last place kept (and from one unit of it), rounding the value itself decides the
    // same, and k / 10^casas is the nearest long double to the decimal, as reading the text
    // back gives; only values that close to a boundary are written out.
    static const long double potencias[] = {1e0L, 1e1L, 1e2L, 1e3L, 1e4L, 1e5L, 1e6L, 1e7L, 1e8L, 1e9L, 1e10L, 1e11L,
        1e12L, 1e13L, 1e14L, 1e15L, 1e16L, 1e17L, 1e18L};
    if (casas >= 1 && casas <= 18) {
        const long double escala = potencias[casas];
        const long double t = std::fabs(soma) * escala;
        if (t < 0x1p62L) {
            const long double piso = std::floor(t);
            const long double resto = t - piso;
            const long double margem = t * 1e-16L + 1e-18L;
            if (std::fabs(resto - 0.5L) > margem && std::fabs(t - 1) > margem) {
                // Below one unit of the last place, a value that rounds up gives 10^-casas as
                // std::pow makes it, like the written form with fewer digits than places.
                const long double r =
                    t < 1 ? (resto > 0.5L ? std::pow(10.0L, -casas) : 0.0L) : (piso + (resto > 0.5L ? 1 : 0)) / escala;
                return soma < 0 ? -r : r;
            }
        }
    }
    // The written digits: 18 significant digits of the extended value, then decimal
    // rounding at the wanted place with halves away from zero.
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.17Le", soma);
    // buf: [-]d.ddddddddddddddddde[+-]xx
    const char* p = buf;
    const bool negativo = *p == '-';
    if (negativo)
        ++p;
    std::string digitos;
    for (; *p && *p != 'e'; ++p)
        if (*p != '.')
            digitos.push_back(*p);
    const int expoente = std::atoi(p + 1);
    // digitos represent d.ddd × 10^expoente; the digit at position k has weight 10^(expoente-k).
    // Keep the digits whose weight is at least 10^-casas.
    const int manter = expoente + casas + 1;
    if (manter <= 0) {
        // Below half a unit of the last place unless the first digit rounds up.
        const bool sobe = manter == 0 && digitos[0] >= '5';
        long double r = sobe ? std::pow(10.0L, -casas) : 0.0L;
        return negativo ? -r : r;
    }
    std::string inteiro = digitos.substr(0, std::min<size_t>(manter, digitos.size()));
    while (static_cast<int>(inteiro.size()) < manter)
        inteiro.push_back('0');
    const bool sobe = manter < static_cast<int>(digitos.size()) && digitos[manter] >= '5';
    // inteiro holds the value × 10^casas as a whole number.
    std::string texto = inteiro;
    if (sobe) {
        int i = static_cast<int>(texto.size()) - 1;
        while (i >= 0 && texto[i] == '9') {
            texto[i] = '0';
            --i;
        }
        if (i < 0)
            texto.insert(texto.begin(), '1');
        else
            ++texto[i];
    }
    std::string decimal = texto.size() > static_cast<size_t>(casas)
                              ? texto.substr(0, texto.size() - casas) + "." + texto.substr(texto.size() - casas)
                              : "0." + std::string(casas - texto.size(), '0') + texto;
    long double r = std::strtold(decimal.c_str(), nullptr);
    return negativo ? -r : r;
}

QDate UltimoDiaMes(QDate data)
{
    if (!data.isValid())
        return {};
    return QDate(data.year(), data.month(), 1).addMonths(1).addDays(-1);
}

QChar FlagCampo(const QVariant& valor)
{
    const QString texto = valor.isNull() ? QString() : valor.toString();
    return texto.isEmpty() ? QChar(u'N') : texto[0];
}

QString ZerosEsquerda(const QString& texto, int tamanho)
{
    return texto.size() >= tamanho ? texto : QString(tamanho - texto.size(), u'0') + texto;
}

int DigitoVerificador(QStringView digitos)
{
    int soma = 0;
    int peso = 9;
    for (const QChar c : digitos) {
        if (!c.isDigit() || c.unicode() > 127)
            throw Erro(QStringLiteral("'%1' não é um número válido.").arg(digitos.toString()));
        soma += c.digitValue() * peso;
        peso = peso == 1 ? 9 : peso - 1;
    }
    const int r = soma % 11;
    return r == 10 ? 0 : r;
}

QString AnoCompleto(QStringView digitado, int anoAtual)
{
    const int y = std::max(anoAtual, 2005);
    bool ok = false;
    int v = digitado.trimmed().toInt(&ok);
    if (!ok)
        v = 0;
    if (v <= y - 2000)
        v += 2000;
    else if (v < 100)
        v += 1900;
    return QString::number(v);
}

qsizetype ProximoCaractere(QStringView texto, qsizetype de, char16_t c)
{
    const char16_t* p = texto.utf16();
    const qsizetype n = texto.size();
    qsizetype i = de;
#if defined(__SSE2__)
    const __m128i alvo = _mm_set1_epi16(static_cast<short>(c));
    for (; i + 8 <= n; i += 8) {
        const __m128i bloco = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
        const int iguais = _mm_movemask_epi8(_mm_cmpeq_epi16(bloco, alvo));
        if (iguais != 0)
            return i + (__builtin_ctz(static_cast<unsigned>(iguais)) >> 1);
    }
#endif
    for (; i < n; ++i)
        if (p[i] == c)
            return i;
    return -1;
}

bool IgualSemCaixa(QStringView a, QStringView b)
{
    // Folding keeps the length of each UTF-16 unit, so texts of different lengths differ.
    if (a.size() != b.size())
        return false;
    if (a == b)
        return true;
    for (qsizetype i = 0; i < a.size(); ++i) {
        const char16_t x = a[i].unicode(), y = b[i].unicode();
        if (x == y)
            continue;
        if (x >= 0x80 || y >= 0x80)
            return a.compare(b, Qt::CaseInsensitive) == 0;
        const char16_t minuscula = x | 0x20;
        if (minuscula != (y | 0x20) || minuscula < u'a' || minuscula > u'z')
            return false;
    }
    return true;
}

namespace {

// Where "</" + nome + ">" first stands in the text, without regard to case; -1 when nowhere.
// The same as searching for that text case-insensitively ('<', '/' and '>' have no other
// case), but only the candidates that begin with "</" are compared.
qsizetype procuraFecho(QStringView texto, QStringView nome)
{
    const qsizetype n = nome.size();
    for (qsizetype i = ProximoCaractere(texto, 0, u'<'); i >= 0; i = ProximoCaractere(texto, i + 1, u'<')) {
        const qsizetype fim = i + 2 + n;
        if (fim < texto.size() && texto[i + 1] == u'/' && texto[fim] == u'>'
            && IgualSemCaixa(texto.mid(i + 2, n), nome))
            return i;
    }
    return -1;
}

} // namespace

Elemento ExtraiElemento(QStringView texto)
{
    // Positions are 1-based with 0 for "not found", as the splitter has always counted:
    // a '>' with no '<' before it makes the name everything in front of the '>'.
    Elemento e;
    const qsizetype p1 = ProximoCaractere(texto, 0, u'<') + 1;
    const qsizetype p2 = ProximoCaractere(texto, 0, u'>') + 1;
    if (p1 < p2)
        e.nome = texto.mid(p1, p2 - p1 - 1);
    const qsizetype p3 = procuraFecho(texto, e.nome) + 1;
    if (p2 < p3) {
        e.fechado = true;
        e.conteudo = texto.mid(p2, p3 - p2 - 1);
        const qsizetype fim = ProximoCaractere(texto, p3, u'>');
        e.resto = fim < 0 ? QStringView() : texto.mid(fim + 1);
    } else {
        e.conteudo = {};
        e.resto = {};
    }
    return e;
}

QString FormataHora(int minutos)
{
    if (minutos == 0)
        return {};
    const int m = std::abs(minutos);
    QString texto = QString::number(m / 60) + u':' + QString::number(m % 60).rightJustified(2, u'0');
    return texto.rightJustified(6, u' ');
}

int HorasNoturnas(int noite1, int noite2, int inicio, int fim)
{
    // x + 2400 is the same time on the following day, kept in HHMM form.
    const auto diaSeguinte = [](int x) { return HoraMinuto(Minutos(x + 2400)); };
    if (Minutos(fim) < Minutos(inicio))
        fim = diaSeguinte(fim);
    if (Minutos(noite2) >= Minutos(noite1))
        noite1 = diaSeguinte(noite1);
    const int fimNoite = diaSeguinte(noite2);

    const int e = Minutos(inicio), s = Minutos(fim), n1 = Minutos(noite1), f = Minutos(fimNoite);
    if (e < n1 && s < n1)
        return 0;
    if (n1 >= e && f >= s)
        return Duracao(noite1, fim);
    if (n1 >= e && f < s)
        return Duracao(noite1, fimNoite);
    if (n1 < e && s < f)
        return Duracao(inicio, fim);
    if (e < f && s >= f)
        return Duracao(inicio, fimNoite);
    return 0;
}

int DiasDoMes(int mes, int ano)
{
    switch (mes) {
    case 4: case 6: case 9: case 11:
        return 30;
    case 2:
        return ano % 4 == 0 ? 29 : 28;
    default:
        return 31;
    }
}

const QStringList& TabelasCaso()
{
    static const QStringList lista = {
        QStringLiteral("TAB_PROCESSO"), QStringLiteral("TAB_HORAS_EXTRAS"), QStringLiteral("TAB_AVISO_PREVIO"),
        QStringLiteral("TAB_FGTS"), QStringLiteral("TAB_INSALUBRIDADE"), QStringLiteral("TAB_INSS"),
        QStringLiteral("TAB_IR"), QStringLiteral("TAB_JT_EXTRA"), QStringLiteral("TAB_JT_NOTURNO"),
        QStringLiteral("TAB_JUROS"), QStringLiteral("TAB_MULTAS"), QStringLiteral("TAB_OUTROS_CREDITO"),
        QStringLiteral("TAB_OUTROS_DEBITO"), QStringLiteral("TAB_PERICULOSIDADE"), QStringLiteral("TAB_RSR"),
        QStringLiteral("TAB_SALARIO"), QStringLiteral("TAB_VARIACAO_SALARIAL"), QStringLiteral("TAB_13_SALARIO"),
        QStringLiteral("TAB_FERIAS"), QStringLiteral("TAB_NOTURNO"), QStringLiteral("TAB_DEMONSTRATIVO_MENSAL"),
    };
    return lista;
}

const QString& NomesMeses(int mes)
{
    static const QString nomes[12] = {
        QStringLiteral("Janeiro"), QStringLiteral("Fevereiro"), QStringLiteral("Março"),
        QStringLiteral("Abril"), QStringLiteral("Maio"), QStringLiteral("Junho"),
        QStringLiteral("Julho"), QStringLiteral("Agosto"), QStringLiteral("Setembro"),
        QStringLiteral("Outubro"), QStringLiteral("Novembro"), QStringLiteral("Dezembro"),
    };
    static const QString vazio;
    return mes >= 1 && mes <= 12 ? nomes[mes - 1] : vazio;
}

} // namespace quintar
