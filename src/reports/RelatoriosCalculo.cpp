#include "RelatoriosCalculo.h"

#include "Erro.h"
#include "Formatos.h"
#include "Valores.h"

#include <QMimeData>

namespace quintar {

namespace {

QString texto(const DadosRelatorio& d, const char* coluna)
{
    const QVariant v = d.processo(coluna);
    return v.isNull() ? QString() : v.toString();
}

QString valor(const DadosRelatorio& d, const char* coluna)
{
    return FormataValor(d.processo(coluna));
}

QString data(const DadosRelatorio& d, const char* coluna)
{
    return FormataData(d.processo(coluna));
}

struct Linha {
    const char16_t* rotulo;
    const char* coluna;
    bool negrito = false;
    bool dataHora = false;
};

QString valorLinha(const DadosRelatorio& d, const Linha& l)
{
    return l.dataHora ? FormataDataHora(d.processo(l.coluna)) : valor(d, l.coluna);
}

// The item boxes, left column and right column, in their printed order.
const Linha ItensEsquerda[] = {
    {u"Aviso Prévio:", "VALOR_AVISO_PREVIO"},
    {u"Salário:", "VALOR_SALARIO"},
    {u"13 Salário:", "VALOR_13_SALARIO"},
    {u"Férias:", "VALOR_FERIAS"},
    {u"INSS:", "VALOR_INSS_TOTAL"},
    {u"FGTS:", "VALOR_FGTS"},
    {u"Imposto de Renda:", "VALOR_IR"},
    {u"Juros:", "VALOR_JUROS"},
};
const Linha ItensDireita[] = {
    {u"Horas Extras:", "VALOR_HORAS_EXTRAS"},
    {u"Adicional Noturno:", "VALOR_NOTURNO"},
    {u"Adicional Insalubridade:", "VALOR_INSALUBRIDADE"},
    {u"Adicional Periculosidade:", "VALOR_PERICULOSIDADE"},
    {u"Repouso Sem. Remunerado:", "VALOR_RSR"},
    {u"Multas:", "VALOR_MULTAS"},
    {u"Outros (crédito):", "VALOR_OUTROS_CRED"},
    {u"Outros (débito):", "VALOR_OUTROS_DEB"},
};
const Linha ResumoEsquerda[] = {
    {u"Total Reclamado:", "TOTAL_CALCULO", true},
    {u"INSS Empregador:", "VALOR_INSS_EMPREGADOR"},
    {u"INSS Rat:", "VALOR_INSS_RAT"},
    {u"INSS Terceiros:", "VALOR_INSS_TERCEIROS"},
};
const Linha ResumoDireita[] = {
    {u"Data do Cálculo:", "DATA_CALCULO", false, true},
    {u"INSS Reclamante:", "VALOR_INSS_RECLAMANTE"},
    {u"Imposto de Renda:", "VALOR_IR"},
    {u"Líquido do Reclamante:", "LIQUIDO_RECLAMANTE", true},
};
const Linha ResumoRtf[] = {
    {u"Total Reclamado:", "TOTAL_CALCULO", true},
    {u"INSS Reclamado:", "VALOR_INSS_EMPREGADOR"},
    {u"INSS Reclamante:", "VALOR_INSS_RECLAMANTE"},
    {u"Imposto de Renda:", "VALOR_IR"},
    {u"Líquido do Reclamante:", "LIQUIDO_RECLAMANTE", true},
    {u"Data do Cálculo:", "DATA_CALCULO", false, true},
};

QString s(const char16_t* t)
{
    return QString::fromUtf16(t);
}

// ---- the framed summary ----------------------------------------------------------------

constexpr qreal AlturaLinhaResumo = 5.5;

// The three header lines; a long name continues on the next lines under itself.
void cabecalhoResumo(Pagina& p, qreal& y, qreal x0, qreal largura, const DadosRelatorio& d)
{
    const Fonte r = Rotulo(10), rn = Rotulo(10, true);
    const qreal recuo = 32;
    const std::pair<QString, QString> linhas[] = {
        {QStringLiteral("PROCESSO:"), Chave(d.que1)},
        {QStringLiteral("RECLAMANTE:"), texto(d, "RECLAMANTE_PRINCIPAL")},
        {QStringLiteral("RECLAMADO:"), texto(d, "RECLAMADO_PRINCIPAL")},
    };
    for (const auto& [rotulo, conteudo] : linhas) {
        p.texto(QRectF(x0, y, recuo, 5), rotulo, rn);
        for (const QString& parte : QuebraLinhas(conteudo, largura - recuo, r)) {
            p.texto(QRectF(x0 + recuo, y, largura - recuo, 5), parte, r);
            y += 5;
        }
        y += 0.5;
    }
}

// A frame with its title centred on top, a rule under the title, and the body drawn by corpo
// from the given y; returns the y below the frame.
template <typename Corpo>
qreal caixa(Pagina& p, qreal y, qreal x0, qreal largura, const QString& titulo, Corpo corpo)
{
    const qreal topo = y;
    p.texto(QRectF(x0, y + 0.5, largura, 6.5), titulo, Titulo(10), Qt::AlignCenter);
    y += 7.5;
    p.linha(QPointF(x0, y), QPointF(x0 + largura, y));
    y = corpo(y + 1.5);
    y += 1.5;
    p.retangulo(QRectF(x0, topo, largura, y - topo));
    return y + 4;
}

// A label and its amount, the amount right-aligned at the end of the half.
void linhaValor(Pagina& p, qreal y, qreal inicio, qreal fim, qreal larguraRotulo, const QString& rotulo,
    const QString& conteudo, bool negrito)
{
    const Fonte f = Rotulo(10, negrito);
    p.texto(QRectF(inicio + 3, y, larguraRotulo, AlturaLinhaResumo), rotulo, f);
    const qreal x = inicio + 3 + larguraRotulo;
    p.texto(QRectF(x, y, fim - 3 - x, AlturaLinhaResumo), conteudo, f, Qt::AlignRight | Qt::AlignVCenter);
}

} // namespace

Relatorio frRepCalc(const DadosRelatorio& d)
{
    MontaPaginas m(QPageLayout::Portrait, QMarginsF(15, 15, 15, 15));
    m.novaPagina();
    Pagina& p = m.atual();
    const qreal x0 = m.esquerda(), x1 = m.direita(), largura = m.largura(), meio = x0 + largura / 2;
    qreal y = m.topo();

    p.texto(
        QRectF(x0, y, largura, 8), QStringLiteral("R E S U M O   D E   C Á L C U L O"), Titulo(13), Qt::AlignCenter);
    y += 12;
    cabecalhoResumo(p, y, x0, largura, d);
    y += 3;

    const Fonte r = Rotulo(10);
    y = caixa(p, y, x0, largura, QStringLiteral("I N F O R M A Ç Õ E S       B Á S I C A S"), [&](qreal yy) {
        const qreal rotulo = 48, campo = 35;
        p.texto(QRectF(x0 + 3, yy, rotulo, AlturaLinhaResumo), QStringLiteral("Data Início do Pacto:"), r);
        p.texto(QRectF(x0 + 3 + rotulo, yy, campo, AlturaLinhaResumo), data(d, "DATA_INICIO_PACTO"), r);
        // The place on the right of the first line stays empty.
        yy += AlturaLinhaResumo;
        p.texto(QRectF(x0 + 3, yy, rotulo, AlturaLinhaResumo), QStringLiteral("Data da Dispensa:"), r);
        p.texto(QRectF(x0 + 3 + rotulo, yy, campo, AlturaLinhaResumo), data(d, "DATA_FIM_PACTO"), r);
        p.texto(QRectF(meio + 3, yy, rotulo, AlturaLinhaResumo), QStringLiteral("Data de Atualização:"), r);
        p.texto(QRectF(meio + 3 + rotulo, yy, campo, AlturaLinhaResumo), data(d, "DATA_ATUALIZACAO"), r);
        return yy + AlturaLinhaResumo;
    });

    // Two columns of label and amount; in the items box a vertical rule parts them.
    const auto duasColunas = [&](const Linha* esquerda, const Linha* direita, size_t n, qreal rotuloDireita,
                                 bool regua) {
        return [&p, &d, esquerda, direita, n, rotuloDireita, regua, x0, x1, meio](qreal yy) {
            const qreal inicio = yy;
            for (size_t i = 0; i < n; ++i) {
                linhaValor(p, yy, x0, meio, 52, s(esquerda[i].rotulo), valorLinha(d, esquerda[i]), esquerda[i].negrito);
                linhaValor(p, yy, meio, x1, rotuloDireita, s(direita[i].rotulo), valorLinha(d, direita[i]),
                    direita[i].negrito);
                yy += AlturaLinhaResumo;
            }
            if (regua)
                p.linha(QPointF(meio, inicio - 1.5), QPointF(meio, yy + 1.5));
            return yy;
        };
    };
    y = caixa(p, y, x0, largura, QStringLiteral("I T E N S        D E       C Á L C U L O"),
        duasColunas(ItensEsquerda, ItensDireita, std::size(ItensEsquerda), 54, true));
    y = caixa(p, y, x0, largura, QStringLiteral("R E S U M O"),
        duasColunas(ResumoEsquerda, ResumoDireita, std::size(ResumoEsquerda), 48, false));

    Relatorio rel;
    rel.nome = QStringLiteral("frRepCalc");
    rel.paginas = m.paginas();
    rel.temPaginas = true;
    return rel;
}

Relatorio frRepRTF(const DadosRelatorio& d)
{
    const Fonte r = Rotulo(10);
    constexpr qreal RecuoCampo = 35, FimValor = 120;
    DocumentoTexto t;
    t.titulo(QStringLiteral("R E S U M O    D E    C Á L C U L O"), 13, Qt::AlignHCenter);
    t.campo(QStringLiteral("PROCESSO:"), Chave(d.que1), RecuoCampo, r);
    t.campo(QStringLiteral("RECLAMANTE:"), texto(d, "RECLAMANTE_PRINCIPAL"), RecuoCampo, r);
    t.campo(QStringLiteral("RECLAMADO:"), texto(d, "RECLAMADO_PRINCIPAL"), RecuoCampo, r);

    t.titulo(QStringLiteral("I N F O R M A Ç Õ E S    B Á S I C A S"), 10, Qt::AlignLeft, 12);
    t.valor(QStringLiteral("Data Início do Pacto:"), data(d, "DATA_INICIO_PACTO"), FimValor, r);
    t.valor(QStringLiteral("Data da Dispensa:"), data(d, "DATA_FIM_PACTO"), FimValor, r);
    t.valor(QStringLiteral("Data de Atualização:"), data(d, "DATA_ATUALIZACAO"), FimValor, r);

    t.titulo(QStringLiteral("I T E N S    D E    C Á L C U L O"), 10, Qt::AlignLeft, 12);
    for (const Linha& l : ItensEsquerda)
        t.valor(s(l.rotulo), valorLinha(d, l), FimValor, r);
    for (const Linha& l : ItensDireita)
        t.valor(s(l.rotulo), valorLinha(d, l), FimValor, r);

    t.titulo(QStringLiteral("R E S U M O"), 10, Qt::AlignLeft, 12);
    for (const Linha& l : ResumoRtf)
        t.valor(s(l.rotulo), valorLinha(d, l), FimValor, r, l.negrito);

    Relatorio rel;
    rel.nome = QStringLiteral("frRepRTF");
    rel.texto = t;
    rel.temTexto = true;
    return rel;
}

// ---- the monthly statement ---------------------------------------------------------------

namespace {

struct ColunaDemo {
    const char16_t* titulo;
    const char* coluna; // of the statement
    const char* total; // of the case: the updated total under the column
    bool semMilhar = false;
};

const ColunaDemo PrimeiraPassagem[] = {
    {u"Aviso Prév.", "AVISO_PREVIO", "VALOR_AVISO_PREVIO"},
    {u"Salário", "SALARIO", "VALOR_SALARIO"},
    {u"13º Salario", "DECIMO_TERCEIRO_SALARIO", "VALOR_13_SALARIO"},
    {u"Férias", "FERIAS", "VALOR_FERIAS"},
    {u"FGTS", "FGTS", "VALOR_FGTS"},
    {u"INSS Recl.", "INSS", "VALOR_INSS_RECLAMANTE"},
};
const ColunaDemo SegundaPassagem[] = {
    {u"Hor. Extras", "HORA_EXTRA", "VALOR_HORAS_EXTRAS", true},
    {u"Ad. Noturno", "NOTURNO", "VALOR_NOTURNO"},
    {u"Ad. Insal.", "INSALUBRIDADE", "VALOR_INSALUBRIDADE"},
    {u"Ad.Peric.", "PERICULOSIDADE", "VALOR_PERICULOSIDADE"},
    {u"Out.Créd.", "OUTROS_CREDITO", "VALOR_OUTROS_CRED"},
    {u"Out. Déb.", "OUTROS_DEBITO", "VALOR_OUTROS_DEB"},
};

struct Passagem {
    const ColunaDemo* colunas;
    int casasIndice;
};
const Passagem Passagens[] = {{PrimeiraPassagem, 9}, {SegundaPassagem, 8}};
constexpr int ColunasValor = 6;

// Widths of the statement's columns in millimetres: Ano/Mês, Remunera., Índice CM, six amounts.
constexpr qreal LargurasDemo[] = {14, 22, 22, 22, 22, 22, 22, 22, 22};
constexpr qreal AlturaLinhaDemo = 3.6;

QString formata(const ColunaDemo& c, const QVariant& v)
{
    return c.semMilhar ? FormataValorSemMilhar(v) : FormataValor(v);
}

QString formata(const ColunaDemo& c, Money v)
{
    return c.semMilhar ? FormataValorSemMilhar(v) : FormataValor(v);
}

QString anoMes(const QSqlRecord& linha)
{
    const QVariant ano = linha.value(QStringLiteral("ANO")), mes = linha.value(QStringLiteral("MES"));
    if (ano.isNull() && mes.isNull())
        return {};
    return QString::number(ano.toLongLong()) + u'/' + QString::number(mes.toLongLong());
}

QString remuneracao(const QSqlRecord& linha)
{
    const auto fixo = MoneyOpcional(linha.value(QStringLiteral("SALARIO_FIXO")));
    const auto variavel = MoneyOpcional(linha.value(QStringLiteral("SALARIO_VARIAVEL")));
    if (!fixo && !variavel)
        return {};
    return FormataValor(fixo.value_or(Money()) + variavel.value_or(Money()));
}

// The texts of one pass: the column headings, a line per statement row, and the two total lines.
struct TextosPassagem {
    QStringList titulos;
    QVector<QStringList> linhas;
    QStringList totalEpoca; // the six amounts
    QStringList totalAtualizado; // the six amounts
};

TextosPassagem textosPassagem(const DadosRelatorio& d, const Passagem& passagem)
{
    TextosPassagem t;
    t.titulos = {QStringLiteral("Ano/Mês"), QStringLiteral("Remunera."), QStringLiteral("Índice CM")};
    for (int k = 0; k < ColunasValor; ++k)
        t.titulos.append(s(passagem.colunas[k].titulo));
    Money somas[ColunasValor];
    for (const QSqlRecord& linha : d.QueDemoMensal) {
        QStringList l{anoMes(linha), remuneracao(linha),
            FormataFixo(linha.value(QStringLiteral("INDICE_CM")), passagem.casasIndice)};
        for (int k = 0; k < ColunasValor; ++k) {
            const ColunaDemo& c = passagem.colunas[k];
            const QVariant v = linha.value(QLatin1String(c.coluna));
            l.append(formata(c, v));
            // The sum of the amounts as printed, so that the column foots to its total.
            if (const auto m = MoneyOpcional(v))
                somas[k] += CentavosImpressos(*m);
        }
        t.linhas.append(l);
    }
    for (int k = 0; k < ColunasValor; ++k) {
        const ColunaDemo& c = passagem.colunas[k];
        t.totalEpoca.append(formata(c, somas[k]));
        t.totalAtualizado.append(formata(c, d.processo(c.total)));
    }
    return t;
}

struct GradeDemo {
    qreal x0;
    qreal inicio(int coluna) const
    {
        qreal x = x0;
        for (int i = 0; i < coluna; ++i)
            x += LargurasDemo[i];
        return x;
    }
    QRectF celula(int coluna, qreal y, int colunas = 1) const
    {
        qreal largura = 0;
        for (int i = 0; i < colunas; ++i)
            largura += LargurasDemo[coluna + i];
        // A small gap on the side the text is aligned to keeps neighbouring columns apart.
        return QRectF(inicio(coluna) + 0.5, y, largura - 1.5, AlturaLinhaDemo);
    }
    static Qt::Alignment alinhamento(int coluna)
    {
        return (coluna == 0 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter;
    }
};

void rodapePaginas(Pagina& p, const QRectF& area, int numero, int total)
{
    p.texto(QRectF(area.left(), area.bottom() - 4, area.width(), 4),
        QStringLiteral("Página %1 de %2").arg(numero).arg(total), Rotulo(8), Qt::AlignRight | Qt::AlignVCenter);
}

} // namespace

Relatorio RepDemoMensal(const DadosRelatorio& d)
{
    const Fonte f = Rotulo(8), fn = Rotulo(8, true);
    const QString processo =
        d.processo("PROCESSO_ID").isNull() ? QString() : QString::number(d.processo("PROCESSO_ID").toLongLong());
    const QString titulo = QStringLiteral("D E M ON S T R A T I VO  D E  C Á L C U L O");
    const std::pair<QString, QString> campos[] = {
        {QStringLiteral("Processo:"), processo},
        {QStringLiteral("Reclamante:"), texto(d, "RECLAMANTE_PRINCIPAL")},
        {QStringLiteral("Reclamado:"), texto(d, "RECLAMADO_PRINCIPAL")},
    };

    MontaPaginas m(QPageLayout::Portrait, QMarginsF(10, 12, 10, 12));
    const GradeDemo grade{m.esquerda()};
    const TextosPassagem* atual = nullptr;
    m.alturaRodape = 6;
    m.rodape = rodapePaginas;
    m.cabecalho = [&](MontaPaginas& mp) {
        Pagina& p = mp.atual();
        p.texto(QRectF(mp.esquerda(), mp.y, mp.largura(), 6), titulo, Titulo(12), Qt::AlignCenter);
        mp.y += 8;
        const qreal recuo = 20;
        for (const auto& [rotulo, conteudo] : campos) {
            p.texto(QRectF(mp.esquerda(), mp.y, recuo, 4), rotulo, fn);
            for (const QString& parte : QuebraLinhas(conteudo, mp.largura() - recuo, f)) {
                p.texto(QRectF(mp.esquerda() + recuo, mp.y, mp.largura() - recuo, 4), parte, f);
                mp.y += 4;
            }
        }
        mp.y += 2;
        for (int k = 0; k < atual->titulos.size(); ++k)
            p.texto(grade.celula(k, mp.y), atual->titulos[k], fn, GradeDemo::alinhamento(k));
        mp.y += AlturaLinhaDemo + 0.5;
        p.linha(QPointF(mp.esquerda(), mp.y), QPointF(mp.direita(), mp.y));
        mp.y += 1;
    };

    DocumentoTexto t;
    QVector<ColunaTexto> colunasTexto;
    for (int k = 0; k < 9; ++k)
        colunasTexto.append({LargurasDemo[k], GradeDemo::alinhamento(k) & Qt::AlignHorizontal_Mask});

    for (const Passagem& passagem : Passagens) {
        const TextosPassagem textos = textosPassagem(d, passagem);
        atual = &textos;
        m.novaPagina();
        for (const QStringList& l : textos.linhas) {
            m.garante(AlturaLinhaDemo);
            for (int k = 0; k < l.size(); ++k)
                m.atual().texto(grade.celula(k, m.y), l[k], f, GradeDemo::alinhamento(k));
            m.y += AlturaLinhaDemo;
        }
        // The totals stay together, under a rule.
        m.garante(3 * AlturaLinhaDemo + 3);
        Pagina& p = m.atual();
        m.y += 0.5;
        p.linha(QPointF(m.esquerda(), m.y), QPointF(m.direita(), m.y));
        m.y += 1;
        const std::pair<QString, const QStringList*> totais[] = {
            {QStringLiteral("Total Época:"), &textos.totalEpoca},
            {QStringLiteral("Total Atualizado:"), &textos.totalAtualizado},
        };
        for (const auto& [rotulo, valores] : totais) {
            p.texto(grade.celula(0, m.y, 3), rotulo, fn);
            for (int k = 0; k < ColunasValor; ++k)
                p.texto(grade.celula(3 + k, m.y), (*valores)[k], f, GradeDemo::alinhamento(3 + k));
            m.y += AlturaLinhaDemo;
        }
        p.texto(grade.celula(0, m.y, 3), FormataDataHora(d.processo("DATA_CALCULO")), fn);
        m.y += AlturaLinhaDemo;

        // The same pass as flowing text: its heading, then one table whose heading row
        // repeats on every page.
        if (&passagem != &Passagens[0])
            t.quebraPagina();
        t.titulo(titulo, 12, Qt::AlignHCenter);
        for (const auto& [rotulo, conteudo] : campos)
            t.campo(rotulo, conteudo, 20, f);
        QVector<QVector<TrechoTexto>> linhas;
        QVector<int> junta;
        QVector<TrechoTexto> cabecalho;
        for (const QString& h : textos.titulos)
            cabecalho.append({h, true, false});
        linhas.append(cabecalho);
        junta.append(1);
        for (const QStringList& l : textos.linhas) {
            QVector<TrechoTexto> linha;
            for (const QString& c : l)
                linha.append({c, false, false});
            linhas.append(linha);
            junta.append(1);
        }
        for (const auto& [rotulo, valores] : totais) {
            QVector<TrechoTexto> linha{{rotulo, true, false}};
            for (const QString& v : *valores)
                linha.append({v, false, false});
            linhas.append(linha);
            junta.append(3);
        }
        t.tabela(colunasTexto, linhas, 1, f, junta);
        t.paragrafo({{FormataDataHora(d.processo("DATA_CALCULO")), true, false}}, f);
    }

    Relatorio rel;
    rel.nome = QStringLiteral("RepDemoMensal");
    rel.paginas = m.paginas();
    rel.temPaginas = true;
    rel.texto = t;
    rel.temTexto = true;
    return rel;
}

// ---- the composite -------------------------------------------------------------------------

QVector<Pagina> TodosRep::paginas() const
{
    QVector<Pagina> todas;
    for (const Relatorio& r : relatorios_) {
        if (!r.temPaginas)
            throw Erro(QStringLiteral("O relatório %1 não tem páginas para este destino.").arg(r.nome));
        todas += r.paginas;
    }
    return todas;
}

DocumentoTexto TodosRep::texto() const
{
    DocumentoTexto todo;
    bool primeiro = true;
    for (const Relatorio& r : relatorios_) {
        if (!r.temTexto)
            throw Erro(QStringLiteral("O relatório %1 não tem texto para este destino.").arg(r.nome));
        if (!primeiro)
            todo.quebraPagina();
        todo.acrescenta(r.texto);
        primeiro = false;
    }
    return todo;
}

void TodosRep::imprime(QPagedPaintDevice& dispositivo) const
{
    Desenha(paginas(), dispositivo);
}

void TodosRep::gravaPdf(const QString& caminho, const QString& titulo) const
{
    GravaPdf(paginas(), caminho, titulo);
}

void TodosRep::gravaRtf(const QString& caminho) const
{
    GravaRtf(texto(), caminho);
}

QMimeData* TodosRep::areaTransferencia() const
{
    return ConteudoAreaTransferencia(texto());
}

void PreparaTodosRep(TodosRep& todos, const DadosRelatorio& dados, bool resumo, bool demonstrativo, Destino destino)
{
    todos.limpa();
    const bool comoTexto = destino == Destino::ArquivoRtf || destino == Destino::AreaTransferencia;
    if (resumo)
        todos.adiciona(comoTexto ? frRepRTF(dados) : frRepCalc(dados));
    if (demonstrativo)
        todos.adiciona(RepDemoMensal(dados));
}

QString NomeProposto(const DadosRelatorio& dados, Destino destino)
{
    return ChaveArquivo(dados.que1)
        + (destino == Destino::ArquivoRtf ? QStringLiteral(".RTF") : QStringLiteral(".PDF"));
}

} // namespace quintar
