#include "ApuraJornada.h"

#include "BancoDados.h"
#include "Erro.h"
#include "Esquema.h"
#include "Registros.h"
#include "Rotinas.h"

#include <QLocale>
#include <QScopeGuard>

#include <utility>

namespace quintar {

namespace {

const char* const ColunasDias[7] = {
    "IND_SEGUNDA", "IND_TERCA", "IND_QUARTA", "IND_QUINTA", "IND_SEXTA", "IND_SABADO", "IND_DOMINGO"};

// The whole number nearest to num / den (den > 0), a half going to the even neighbour.
int arredondaPar(qint64 num, qint64 den)
{
    qint64 q = num / den;
    qint64 r = num % den;
    if (r < 0) {
        r += den;
        --q;
    }
    if (2 * r > den || (2 * r == den && q % 2 != 0))
        ++q;
    return static_cast<int>(q);
}

// 4.286 weeks a month.
int doMes(int semana)
{
    return arredondaPar(qint64(semana) * 4286, 1000);
}

int inteiro(const QVariant& v)
{
    return v.isNull() ? 0 : v.toInt();
}

// A number of the night window is a time of day: 0 to 23 hours and 0 to 59 minutes.
bool horaDoDia(int hhmm)
{
    return hhmm >= 0 && hhmm / 100 <= 23 && hhmm % 100 <= 59;
}

TurnoJornada turno(int entrada, int saida, int intervalo, std::initializer_list<int> dias)
{
    TurnoJornada t{entrada, saida, intervalo, {}};
    for (int d : dias)
        t.dias[d] = true;
    return t;
}

// The model's or the copy's rows are whole shifts: they are stored without the checks of a
// typed row, which would read the dialog's boxes.
auto semChecagem(Registros& linhas)
{
    auto checagem = std::exchange(linhas.antesDePostar, {});
    return qScopeGuard([&linhas, checagem] { linhas.antesDePostar = checagem; });
}

void excluiTodas(Registros& linhas)
{
    linhas.Cancela();
    while (linhas.quantidade() > 0) {
        linhas.vaiPara(0);
        linhas.Exclui();
    }
}

} // namespace

MinutosTurno ApuraTurno(const TurnoJornada& t, const OpcoesJornada& o)
{
    const int saida = t.saida < t.entrada ? t.saida + 2400 : t.saida;
    int trabalhados = Duracao(t.entrada, saida);
    if (t.intervalo != 0)
        trabalhados -= Minutos(t.intervalo);
    // A shift that starts before the night ends starts on the day after the night began.
    const int entrada = t.entrada < o.saidaNoturno ? t.entrada + 2400 : t.entrada;
    int noturnos = HorasNoturnas(o.entradaNoturno, o.saidaNoturno, entrada, saida);
    if (o.reducaoHora) {
        // 52' 30" make a night hour: x = n × 360 / 315; the worked time grows by x − n.
        trabalhados += arredondaPar(qint64(noturnos) * 45, 315);
        noturnos = arredondaPar(qint64(noturnos) * 360, 315);
    }
    return {trabalhados, noturnos};
}

Extras DivideExtras(int trabalhados, int noturnos, const OpcoesJornada& o)
{
    const int normal = Minutos(o.acimaDa * 100);
    const int teto = Minutos(o.ateA * 100);
    const int limite = teto >= 1 ? teto - normal : 0;
    if (trabalhados <= normal)
        return {};
    int extras = trabalhados - normal;
    if (limite > 0 && limite < extras)
        extras = limite;
    // The day part alone covers the normal hours and the shift passes the ceiling: the
    // counted overtime is taken as day time.
    int extrasNoturnas = noturnos;
    if (trabalhados - noturnos >= normal && limite != 0 && trabalhados > teto)
        extrasNoturnas = 0;
    extrasNoturnas = std::min(extrasNoturnas, extras);
    return {std::max(extras - extrasNoturnas, 0), extrasNoturnas};
}

ResultadoJornada ApuraJornada(const QVector<TurnoJornada>& turnos, const OpcoesJornada& o)
{
    ResultadoJornada r;
    for (const TurnoJornada& t : turnos) {
        const MinutosTurno m = ApuraTurno(t, o);
        for (int dia = 0; dia < 7; ++dia) {
            if (!t.dias[dia])
                continue;
            r.trabalhadas[dia] += m.trabalhados;
            r.noturnas[dia] += m.noturnos;
            r.trabalhadas[Semana] += m.trabalhados;
            r.noturnas[Semana] += m.noturnos;
        }
    }
    if (o.semanal) {
        const Extras e = DivideExtras(r.trabalhadas[Semana], r.noturnas[Semana], o);
        r.extrasDiurnas[Semana] = e.diurnas;
        r.extrasNoturnas[Semana] = e.noturnas;
    } else {
        for (int dia = 0; dia < 7; ++dia) {
            const Extras e = DivideExtras(r.trabalhadas[dia], r.noturnas[dia], o);
            r.extrasDiurnas[dia] = e.diurnas;
            r.extrasNoturnas[dia] = e.noturnas;
            r.extrasDiurnas[Semana] += e.diurnas;
            r.extrasNoturnas[Semana] += e.noturnas;
        }
    }
    r.mesTrabalhadas = doMes(r.trabalhadas[Semana]);
    r.mesNoturnas = doMes(r.noturnas[Semana]);
    r.mesExtrasDiurnas = doMes(r.extrasDiurnas[Semana]);
    r.mesExtrasNoturnas = doMes(r.extrasNoturnas[Semana]);
    return r;
}

long double HorasMes(int minutos)
{
    return Arredonda(2, minutos / 60.0L);
}

QString TextoHorasMes(int minutos)
{
    QLocale brasil(QLocale::Portuguese, QLocale::Brazil);
    brasil.setNumberOptions(QLocale::OmitGroupSeparator);
    return brasil.toString(static_cast<double>(HorasMes(minutos)), 'f', 2);
}

int NumeroCaixa(const QString& texto)
{
    bool ok = false;
    const int n = texto.trimmed().toInt(&ok);
    return ok ? n : 0;
}

QString TextoHora(int hhmm)
{
    return QStringLiteral("%1:%2").arg(hhmm / 100, 2, 10, QChar(u'0')).arg(hhmm % 100, 2, 10, QChar(u'0'));
}

std::optional<int> HoraDigitada(const QString& texto)
{
    const QString t = texto.trimmed();
    if (t.isEmpty())
        return std::nullopt;
    QString horas, minutos;
    if (const qsizetype dois = t.indexOf(u':'); dois >= 0) {
        horas = t.left(dois);
        minutos = t.mid(dois + 1).leftJustified(2, u'0');
    } else if (t.size() <= 2) {
        horas = t;
        minutos = QStringLiteral("00");
    } else if (t.size() == 3) {
        // "830" is 8:30; "083", still being typed, is 08:30.
        horas = t.left(1);
        minutos = t.mid(1);
        if (minutos.toInt() > 59) {
            horas = t.left(2);
            minutos = t.mid(2).leftJustified(2, u'0');
        }
    } else {
        horas = t.left(t.size() - 2);
        minutos = t.right(2);
    }
    bool okHoras = false, okMinutos = false;
    const int h = horas.toInt(&okHoras);
    const int m = minutos.toInt(&okMinutos);
    if (!okHoras || !okMinutos || h < 0 || m < 0 || m > 59 || h * 100 + m > 2400 || minutos.size() != 2)
        return -1;
    return h * 100 + m;
}

QString PadraoHora()
{
    return QStringLiteral(R"((?:[01]?[0-9]|2[0-3])(?::?[0-5][0-9]?)?|24(?::?00?)?)");
}

QVector<TurnoJornada> TurnosJornada(const Registros& linhas)
{
    QVector<TurnoJornada> turnos;
    const int entrada = linhas.coluna(u"ENTRADA");
    const int saida = linhas.coluna(u"SAIDA");
    const int intervalo = linhas.coluna(u"INTERVALO");
    int dias[7];
    for (int d = 0; d < 7; ++d)
        dias[d] = linhas.coluna(QString::fromLatin1(ColunasDias[d]));
    for (int l = 0; l < linhas.quantidade(); ++l) {
        TurnoJornada t{inteiro(linhas.valor(l, entrada)), inteiro(linhas.valor(l, saida)),
            inteiro(linhas.valor(l, intervalo)), {}};
        for (int d = 0; d < 7; ++d)
            t.dias[d] = ehSim(linhas.valor(l, dias[d]));
        turnos.append(t);
    }
    return turnos;
}

OpcoesJornada LeOpcoesJornada(const Registros& linhas)
{
    const bool extra = linhas.tabela().indice(u"TIPO_APURACAO") >= 0;
    if (linhas.quantidade() == 0)
        return {2200, 500, true, false, extra ? 8 : 0, 0};
    OpcoesJornada o;
    o.entradaNoturno = inteiro(linhas.valor(0, u"ENTRADA_NOTURNO"));
    o.saidaNoturno = inteiro(linhas.valor(0, u"SAIDA_NOTURNO"));
    o.reducaoHora = ehSim(linhas.valor(0, u"IND_REDUCAO_HORA"));
    if (extra) {
        o.semanal = linhas.valor(0, u"TIPO_APURACAO").toString() != u"D";
        o.acimaDa = inteiro(linhas.valor(0, u"JORNADA_EXTRA"));
        o.ateA = inteiro(linhas.valor(0, u"TETO_JORNADA_EXTRA"));
    }
    return o;
}

void ValidaTurno(const Registros& linha)
{
    const int intervalo = inteiro(linha.valor(u"INTERVALO"));
    if (intervalo == 0)
        return;
    const int entrada = inteiro(linha.valor(u"ENTRADA"));
    int saida = inteiro(linha.valor(u"SAIDA"));
    if (saida < entrada)
        saida += 2400;
    if (Minutos(intervalo) >= Duracao(entrada, saida))
        throw Erro(QStringLiteral("Intervalo maior ou igual ao tempo trabalhado!"), QStringLiteral("INTERVALO"));
}

void ValidaJanelaNoturna(const QString& entrada, const QString& saida)
{
    if (const int n = NumeroCaixa(entrada); n != 0 && !horaDoDia(n))
        throw Erro(QStringLiteral("Entrada noturna inválida!"), QStringLiteral("ENTRADA_NOTURNO"));
    if (const int n = NumeroCaixa(saida); n != 0 && !horaDoDia(n))
        throw Erro(QStringLiteral("Saída noturna inválida!"), QStringLiteral("SAIDA_NOTURNO"));
}

const QStringList& NomesModelosJornada()
{
    static const QStringList nomes = {QStringLiteral("Nenhum"), QStringLiteral("30 Horas Semanais"),
        QStringLiteral("40 Horas Semanais"), QStringLiteral("44 Horas Semanais")};
    return nomes;
}

ModeloJornada ModeloDeJornada(int indice)
{
    const auto segundaASexta = {0, 1, 2, 3, 4};
    switch (indice) {
    case 1:
        return {{turno(1300, 1900, 0, segundaASexta)}, QStringLiteral("06"), false};
    case 2:
        return {{turno(800, 1800, 200, segundaASexta)}, QStringLiteral("08"), false};
    case 3:
        return {{turno(800, 1800, 200, segundaASexta), turno(800, 1200, 0, {5})}, QStringLiteral("44"), true};
    default:
        return {};
    }
}

void AplicaModeloJornada(Registros& linhas, const ModeloJornada& modelo)
{
    const auto checagem = semChecagem(linhas);
    excluiTodas(linhas);
    for (const TurnoJornada& t : modelo.turnos) {
        linhas.Acrescenta();
        linhas.define(u"ENTRADA", t.entrada);
        linhas.define(u"SAIDA", t.saida);
        linhas.define(u"INTERVALO", t.intervalo);
        for (int d = 0; d < 7; ++d)
            linhas.define(QString::fromLatin1(ColunasDias[d]), FlagSN(t.dias[d]));
        linhas.Posta();
    }
    if (linhas.quantidade() > 0)
        linhas.vaiPara(0);
}

bool CopiaJornadaExtra(BancoDados& banco, Registros& noturno)
{
    for (int l = 0; l < noturno.quantidade(); ++l)
        if (!noturno.valor(l, u"ENTRADA").isNull())
            return false;
    QStringList colunas = {QStringLiteral("ENTRADA"), QStringLiteral("SAIDA")};
    for (const char* d : ColunasDias)
        colunas.append(QString::fromLatin1(d));
    colunas += {QStringLiteral("ENTRADA_NOTURNO"), QStringLiteral("SAIDA_NOTURNO"), QStringLiteral("IND_REDUCAO_HORA")};
    QSqlQuery& q = banco.executa(QStringLiteral("SELECT %1 FROM TAB_JT_EXTRA WHERE PROCESSO_ID = :id AND ENTRADA IS "
                                                "NOT NULL ORDER BY rowid")
                                     .arg(colunas.join(u',')),
        {{"id", noturno.processoId()}});
    QVector<QVector<QVariant>> turnos;
    while (q.next()) {
        QVector<QVariant> valores;
        for (int c = 0; c < colunas.size(); ++c)
            valores.append(q.value(c));
        turnos.append(valores);
    }
    q.finish();
    if (turnos.isEmpty())
        return false;
    const auto checagem = semChecagem(noturno);
    excluiTodas(noturno);
    for (const QVector<QVariant>& valores : turnos) {
        noturno.Acrescenta();
        for (int c = 0; c < colunas.size(); ++c)
            noturno.define(colunas[c], valores[c]);
        noturno.Posta();
    }
    noturno.vaiPara(0);
    return true;
}

void GravaOpcoesJornada(BancoDados& banco, const QString& tabela, qint64 processoId, const OpcoesJornada& o)
{
    const bool extra = tabela.compare(u"TAB_JT_EXTRA", Qt::CaseInsensitive) == 0;
    QString sql = QStringLiteral("UPDATE %1 SET ENTRADA_NOTURNO = :entrada, SAIDA_NOTURNO = :saida, "
                                 "IND_REDUCAO_HORA = :reducao")
                      .arg(extra ? QStringLiteral("TAB_JT_EXTRA") : QStringLiteral("TAB_JT_NOTURNO"));
    if (extra) {
        sql += QStringLiteral(", JORNADA_EXTRA = :jornada, TETO_JORNADA_EXTRA = :teto, TIPO_APURACAO = :tipo");
        banco.executa(sql + QStringLiteral(" WHERE PROCESSO_ID = :id"),
            {{"entrada", o.entradaNoturno}, {"saida", o.saidaNoturno}, {"reducao", FlagSN(o.reducaoHora)},
                {"jornada", o.acimaDa}, {"teto", o.ateA},
                {"tipo", o.semanal ? QStringLiteral("S") : QStringLiteral("D")}, {"id", processoId}});
        return;
    }
    banco.executa(sql + QStringLiteral(" WHERE PROCESSO_ID = :id"),
        {{"entrada", o.entradaNoturno}, {"saida", o.saidaNoturno}, {"reducao", FlagSN(o.reducaoHora)},
            {"id", processoId}});
}

} // namespace quintar
