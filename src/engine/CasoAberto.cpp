#include "CasoAberto.h"

#include "ArquivoCaso.h"
#include "CicloCaso.h"
#include "Erro.h"
#include "Esquema.h"
#include "Motor.h"
#include "Pastas.h"
#include "PreparaPadrao.h"
#include "Rotinas.h"
#include "Valores.h"

#include <QSqlError>

namespace quintar {

namespace {

const Tabela& tabelaProcesso()
{
    static const Tabela* t = TabelaTrabalho(u"TAB_PROCESSO");
    return *t;
}

} // namespace

bool ExisteIndice(BancoDados& banco, QDate data)
{
    return data.isValid()
        && !banco
                .escalar(QStringLiteral("SELECT Indice FROM DIARIO WHERE Data = :data AND CodIndice = 1"),
                    {{"data", bancoData(data)}})
                .isNull();
}

QDate DataAtualizacaoPadrao(BancoDados& banco, QDate hoje)
{
    const QDate ultimo = lerData(banco.escalar(QStringLiteral("SELECT MAX(Data) FROM DIARIO WHERE CodIndice = 1")));
    return (!ultimo.isValid() || ultimo >= hoje) ? hoje : ultimo;
}

int DV(int numero, int ano, int vara, int regional, int sequencial)
{
    const auto parte = [](int v, int largura) { return ZerosEsquerda(QString::number(v), largura); };
    return DigitoVerificador(
        QString(parte(numero, 5) + parte(ano, 4) + parte(vara, 3) + parte(regional, 2) + parte(sequencial, 2)));
}

CasoAberto::CasoAberto(Motor& motor, QObject* pai)
    : FonteDados(pai), m_(motor), valores_(tabelaProcesso().colunas.size())
{
}

const Tabela& CasoAberto::tabela() const
{
    return tabelaProcesso();
}

QDateTime CasoAberto::agora() const
{
    return relogio ? relogio() : QDateTime::currentDateTime();
}

int CasoAberto::indice(QStringView coluna) const
{
    const int i = tabelaProcesso().indice(coluna);
    if (i < 0)
        throw Erro(QStringLiteral("Campo %1 não existe na tabela TAB_PROCESSO.").arg(coluna));
    return i;
}

QVariant CasoAberto::valor(QStringView coluna) const
{
    return valores_[indice(coluna)];
}

QVariant CasoAberto::valorAntesDaEdicao(QStringView coluna) const
{
    const int i = indice(coluna);
    return emEdicao() ? antesDaEdicao_.value(i) : valores_[i];
}

void CasoAberto::defineEstado(Estado estado)
{
    if (estado_ == estado)
        return;
    estado_ = estado;
    emit estadoAlterado();
}

Money CasoAberto::money(QStringView coluna) const
{
    return lerMoney(valor(coluna));
}

QDate CasoAberto::data(QStringView coluna) const
{
    return lerData(valor(coluna));
}

void CasoAberto::Edita()
{
    if (estado_ != Estado::Navegando)
        return;
    antesDaEdicao_ = valores_;
    defineEstado(Estado::Editando);
}

void CasoAberto::define(QStringView coluna, const QVariant& valorBanco)
{
    const int i = indice(coluna);
    Edita();
    QVariant& v = valores_[i];
    if (v == valorBanco && v.isNull() == valorBanco.isNull())
        return;
    v = valorBanco;
    const QString& nome = tabelaProcesso().colunas[i].nome;
    // The calculators work with the contract period of the row, wherever it was changed.
    if (nome == u"DATA_INICIO_PACTO" || nome == u"DATA_FIM_PACTO")
        m_.comuns.defineContrato(data(u"DATA_INICIO_PACTO"), data(u"DATA_FIM_PACTO"));
    emit valorAlterado(nome);
}

void CasoAberto::defineMoney(QStringView coluna, Money valor)
{
    define(coluna, bancoMoney(valor));
}

bool CasoAberto::Localiza(qint64 processoId)
{
    QSqlQuery& q =
        m_.banco.executa(QStringLiteral("SELECT * FROM TAB_PROCESSO WHERE PROCESSO_ID = :id"), {{"id", processoId}});
    const bool achou = q.next();
    if (achou)
        for (int i = 0; i < valores_.size(); ++i)
            valores_[i] = q.value(i);
    q.finish();
    if (!achou)
        return false;
    idGravado_ = processoId;
    aberto_ = true;
    impressao_ = true;
    m_.comuns.defineContrato(data(u"DATA_INICIO_PACTO"), data(u"DATA_FIM_PACTO"));
    defineEstado(Estado::Navegando);
    emit registroAlterado();
    return true;
}

void CasoAberto::AbreArquivo(const QString& caminho)
{
    struct Antes {
        QVector<QVariant> valores, antesDaEdicao;
        Estado estado;
        qint64 idGravado;
        bool aberto, impressao;
        QString arquivo;
    };
    const Antes antes{valores_, antesDaEdicao_, estado_, idGravado_, aberto_, impressao_, arquivoEscolhido};
    m_.comuns.GravaDemonstrativo();
    m_.comuns.DescartaDemonstrativo();
    aberto_ = false;
    try {
        Transacao transacao(m_.banco);
        LeArquivo(m_.banco, caminho, m_.feedback);
        const QVariant id = m_.banco.escalar(QStringLiteral("SELECT PROCESSO_ID FROM TAB_PROCESSO"));
        if (id.isNull() || !Localiza(id.toLongLong()))
            throw Erro(QStringLiteral("Arquivo \"%1\" não respeita as regras definidas.").arg(caminho));
        ValidaTabelas();
        m_.comuns.GravaDemonstrativo();
        transacao.confirma();
    } catch (...) {
        // The tables went back to the case that was open: so does the row.
        m_.comuns.DescartaDemonstrativo();
        valores_ = antes.valores;
        antesDaEdicao_ = antes.antesDaEdicao;
        idGravado_ = antes.idGravado;
        aberto_ = antes.aberto;
        impressao_ = antes.impressao;
        arquivoEscolhido = antes.arquivo;
        if (aberto_)
            m_.comuns.defineContrato(data(u"DATA_INICIO_PACTO"), data(u"DATA_FIM_PACTO"));
        defineEstado(antes.estado);
        emit registroAlterado();
        throw;
    }
    arquivoEscolhido = caminho;
    m_.feedback.status(QString());
}

void CasoAberto::Renumera()
{
    const qint64 antigo = idGravado_;
    const qint64 novo =
        m_.banco.escalar(QStringLiteral("SELECT NUMERO FROM TAB_PROCESSO WHERE PROCESSO_ID = :id"), {{"id", antigo}})
            .toLongLong();
    m_.comuns.GravaDemonstrativo();
    Transacao t(m_.banco);
    RenumeraProcesso(m_.banco, antigo, novo);
    t.confirma();
    m_.comuns.DescartaDemonstrativo();
    Localiza(novo);
}

QString CasoAberto::CaminhoArquivo()
{
    return quintar::CaminhoArquivo(arquivoEscolhido, m_.banco, idGravado_);
}

QString CasoAberto::Chave() const
{
    const auto parte = [&](QStringView coluna, int largura) {
        return ZerosEsquerda(QString::number(valor(coluna).toLongLong()), largura);
    };
    return parte(u"NUMERO", 5) + u'.' + parte(u"ANO", 4) + u'.' + parte(u"VARA", 3) + u'.' + parte(u"REGIONAL", 2)
        + u'.' + parte(u"SEQUENCIAL", 2) + u'.' + QString::number(valor(u"DV").toLongLong());
}

void CasoAberto::validaAntesDePostar()
{
    struct Obrigatorio {
        const char* coluna;
        const char* rotulo;
    };
    static const Obrigatorio obrigatorios[] = {
        {"NUMERO", "Número Único"},
        {"ANO", "Ano"},
        {"VARA", "Vara"},
        {"REGIONAL", "Regional"},
        {"SEQUENCIAL", "Sequencial"},
        {"DV", "Dígito Verificador"},
        {"DATA_ATUALIZACAO", "Atualização"},
        {"DATA_INICIO_PACTO", "Inicio do Pacto"},
        {"DATA_FIM_PACTO", "Dispensa"},
    };
    for (const auto& o : obrigatorios) {
        const QVariant v = valor(QString::fromLatin1(o.coluna));
        if (v.isNull() || v.toString().isEmpty())
            throw Erro(QStringLiteral("Field '%1' must have a value").arg(QString::fromUtf8(o.rotulo)),
                QString::fromLatin1(o.coluna));
    }

    define(u"PROCESSO_ID", valor(u"NUMERO").toLongLong());
    m_.feedback.status(QStringLiteral("Validando dados."));
    const QDate atualizacao = data(u"DATA_ATUALIZACAO");
    const QDate inicio = data(u"DATA_INICIO_PACTO");
    const QDate fim = data(u"DATA_FIM_PACTO");
    const QString focoAtualizacao = QStringLiteral("DATA_ATUALIZACAO");
    const QString focoDispensa = QStringLiteral("DATA_FIM_PACTO");
    if (fim > atualizacao)
        throw Erro(QStringLiteral("Data de Atualização deve ser MAIOR ou IGUAL a data da Dispensa."), focoAtualizacao);
    if (!ExisteIndice(m_.banco, atualizacao))
        throw Erro(
            QStringLiteral("Não existe indice de Correção Monetária para a data de atualização."), focoAtualizacao);
    if (hoje() < fim)
        throw Erro(QStringLiteral("Data da Dispensa deve ser MENOR ou IGUAL que a data do Computador."), focoDispensa);
    if (inicio >= fim)
        throw Erro(QStringLiteral("Data da Dispensa deve ser MAIOR que o Inicio do Pacto."), focoDispensa);
    if (!ExisteIndice(m_.banco, inicio))
        throw Erro(
            QStringLiteral("Não existe indice de Correção Monetária para a data de Início do Pacto."), focoAtualizacao);
    if (!ExisteIndice(m_.banco, fim))
        throw Erro(QStringLiteral("Não existe indice de Correção Monetária para a data da Dispensa."), focoAtualizacao);
    if (valor(u"DATA_ATUALIZACAO") != antesDaEdicao_.value(indice(u"DATA_ATUALIZACAO")))
        LimpaTotais();
    m_.feedback.status(QStringLiteral("Dados válidos."));
}

void CasoAberto::Posta()
{
    if (estado_ == Estado::Navegando)
        return;
    validaAntesDePostar();

    m_.comuns.GravaDemonstrativo();
    const Tabela& t = tabelaProcesso();
    QStringList nomes, marcadores, atribuicoes;
    for (const Coluna& c : t.colunas) {
        nomes.append(c.nome);
        marcadores.append(QStringLiteral("?"));
        atribuicoes.append(c.nome + QStringLiteral(" = ?"));
    }
    const bool inserindo = estado_ == Estado::Inserindo;
    QSqlQuery& q = m_.banco.consulta(inserindo
            ? QStringLiteral("INSERT INTO TAB_PROCESSO (%1) VALUES (%2)").arg(nomes.join(u','), marcadores.join(u','))
            : QStringLiteral("UPDATE TAB_PROCESSO SET %1 WHERE PROCESSO_ID = ?").arg(atribuicoes.join(u',')));
    for (int i = 0; i < valores_.size(); ++i)
        q.bindValue(i, valores_[i]);
    if (!inserindo)
        q.bindValue(valores_.size(), idGravado_);
    if (!q.exec())
        throw Erro(MensagemErroBanco(q.lastError()));
    // The row the case was read as must still be there: a posting that reached no row would
    // be lost without a word.
    if (!inserindo && q.numRowsAffected() != 1)
        throw Erro(QStringLiteral("Processo não encontrado."));
    idGravado_ = processoId();
    aberto_ = true;
    impressao_ = false;
    defineEstado(Estado::Navegando);
    if (adiaArquivo_)
        arquivoPendente_ = true;
    else
        gravaArquivo();
}

void CasoAberto::gravaArquivo()
{
    GravaArquivo(m_.banco, CaminhoArquivo(), idGravado_, m_.feedback);
}

int CasoAberto::ContaItensMarcados() const
{
    int n = 0;
    for (const Coluna& c : tabelaProcesso().colunas)
        if (c.nome.startsWith(u"CALCULA_") && marcado(c.nome))
            ++n;
    return n;
}

void CasoAberto::LimpaTotais()
{
    impressao_ = false;
    Edita();
    for (const Coluna& c : tabelaProcesso().colunas)
        if (c.nome.startsWith(u"VALOR_") || c.nome == u"TOTAL_CALCULO" || c.nome == u"LIQUIDO_RECLAMANTE")
            define(c.nome, bancoMoney(Money()));
    m_.comuns.ExcluiTabela(QStringLiteral("tab_demonstrativo_mensal"), processoId());
    impressao_ = false;
}

void CasoAberto::GravaProcesso()
{
    Edita();
    LimpaTotais();
    Posta();
}

QVector<CasoAberto::Item> CasoAberto::itens()
{
    const qint64 id = processoId();
    const QDate inicio = data(u"DATA_INICIO_PACTO");
    const QDate fim = data(u"DATA_FIM_PACTO");
    BancoDados& banco = m_.banco;
    const auto tabelas = [](std::initializer_list<const char*> nomes) {
        QStringList t;
        for (const char* n : nomes)
            t.append(QString::fromLatin1(n));
        return t;
    };
    // The order of the table validation; the first seven are the default items of a
    // calculation with nothing ticked. The table names are shown as written here.
    return {
        {"CALCULA_AVISO_PREVIO", [=, &banco] { PreparaAviso(banco, id); }, tabelas({"tab_aviso_previo"})},
        {"CALCULA_SALARIO", [=, this] { m_.rapido.GeraMesesSalario(id, inicio, fim); }, tabelas({"tab_salario"})},
        {"CALCULA_13_SALARIO", [=, this] { m_.decimo.GeraAnos13Salario(id); }, tabelas({"tab_13_salario"})},
        {"CALCULA_FERIAS", [=, this] { m_.ferias.GeraPeriodosFerias(fim, inicio, id); }, tabelas({"tab_ferias"})},
        {"CALCULA_FGTS", [=, &banco] { PreparaFGTS(banco, id, inicio, fim); }, tabelas({"TAB_FGTS"})},
        {"CALCULA_INSS", [=, &banco] { PreparaINSS(banco, id); }, tabelas({"TAB_INSS"})},
        {"CALCULA_IR", [=, &banco] { PreparaIR(banco, id); }, tabelas({"TAB_IR"})},
        {"CALCULA_HORAS_EXTRAS", [=, &banco] { PreparaHorasExtras(banco, id, inicio, fim); },
            tabelas({"tab_horas_extras", "tab_jt_extra"})},
        {"CALCULA_NOTURNO", [=, &banco] { PreparaNoturno(banco, id, inicio, fim); },
            tabelas({"tab_noturno", "tab_jt_noturno"})},
        {"CALCULA_INSALUBRIDADE", [=, &banco] { PreparaInsalubridade(banco, id, inicio, fim); },
            tabelas({"tab_insalubridade"})},
        {"CALCULA_PERICULOSIDADE", [=, &banco] { PreparaPericulosidade(banco, id, inicio, fim); },
            tabelas({"tab_periculosidade"})},
        {"CALCULA_RSR", [=, &banco] { PreparaRSR(banco, id); }, tabelas({"TAB_RSR"})},
        // Interest without its row cannot be calculated: the item is switched off.
        {"CALCULA_JUROS",
            [=, this] {
                if (m_.juros.SemJuros(id)) {
                    define(u"CALCULA_JUROS", QStringLiteral("N"));
                    m_.comuns.ExcluiTabela(QStringLiteral("TAB_JUROS"), id, true);
                }
            },
            tabelas({"TAB_JUROS"})},
        {"CALCULA_MULTAS", {}, tabelas({"tab_multas"})},
        {"CALCULA_OUTROS_CRED", {}, tabelas({"tab_outros_credito"})},
        {"CALCULA_OUTROS_DEB", {}, tabelas({"tab_outros_debito"})},
    };
}

void CasoAberto::ValidaTabelas()
{
    Feedback& feedback = m_.feedback;
    feedback.status(QStringLiteral("Validando Tabelas."));
    try {
        m_.rapido.GeraVariacaoSalarial(*this);
        for (const Item& item : itens()) {
            if (!marcado(QString::fromLatin1(item.flag))) {
                for (const QString& tabela : item.tabelas)
                    m_.comuns.ExcluiTabela(tabela, processoId(), true);
            } else if (item.prepara) {
                item.prepara();
            }
        }
    } catch (...) {
        feedback.status(QStringLiteral("Tabelas Validadas."));
        throw;
    }
    feedback.status(QStringLiteral("Tabelas Validadas."));
}

void CasoAberto::AvancaProgresso()
{
    m_.feedback.progresso(++progresso_, progressoMaximo_);
    m_.feedback.processaEventos();
}

void CasoAberto::CalculoPadrao()
{
    progressoMaximo_ = 15;
    Edita();
    m_.rapido.GeraVariacaoSalarial(*this);
    const QVector<Item> todos = itens();
    for (int i = 0; i < 7; ++i) {
        define(QString::fromLatin1(todos[i].flag), QStringLiteral("S"));
        todos[i].prepara();
        AvancaProgresso();
    }
    Posta();
}

void CasoAberto::Calcular()
{
    if (emEdicao())
        Posta();
    progresso_ = 0;
    progressoMaximo_ = ContaItensMarcados() + 1;
    m_.feedback.mostraProgresso(true);
    m_.feedback.progresso(0, progressoMaximo_);

    // The whole command is one unit of work: when a calculator fails, the working tables,
    // the case row and the case file are as they were before it.
    const QVector<QVariant> antes = valores_;
    const QVector<QVariant> antesDaEdicao = antesDaEdicao_;
    const Estado estadoAntes = estado_;
    try {
        Transacao transacao(m_.banco);
        adiaArquivo_ = true;
        arquivoPendente_ = false;
        if (progressoMaximo_ == 1)
            CalculoPadrao();
        else
            m_.rapido.GeraVariacaoSalarial(*this);
        m_.rapido.ExecutaCalculo(*this);
        adiaArquivo_ = false;
        if (arquivoPendente_)
            gravaArquivo();
        transacao.confirma();
    } catch (...) {
        adiaArquivo_ = false;
        arquivoPendente_ = false;
        valores_ = antes;
        antesDaEdicao_ = antesDaEdicao;
        defineEstado(estadoAntes);
        m_.comuns.DescartaDemonstrativo();
        m_.feedback.progresso(progressoMaximo_, progressoMaximo_);
        m_.feedback.mostraProgresso(false);
        emit registroAlterado();
        throw;
    }
    m_.feedback.progresso(progressoMaximo_, progressoMaximo_);
    impressao_ = true;
    m_.feedback.mostraProgresso(false);
    emit estadoAlterado();
}

QStringList CasoAberto::TabelasDoItem(QStringView flag)
{
    // The tables only: the list of items needs a case for its preparations, not for this.
    static const std::pair<const char*, QStringList> tabelas[] = {
        {"CALCULA_AVISO_PREVIO", {QStringLiteral("tab_aviso_previo")}},
        {"CALCULA_SALARIO", {QStringLiteral("tab_salario")}},
        {"CALCULA_13_SALARIO", {QStringLiteral("tab_13_salario")}},
        {"CALCULA_FERIAS", {QStringLiteral("tab_ferias")}},
        {"CALCULA_FGTS", {QStringLiteral("TAB_FGTS")}},
        {"CALCULA_INSS", {QStringLiteral("TAB_INSS")}},
        {"CALCULA_IR", {QStringLiteral("TAB_IR")}},
        {"CALCULA_HORAS_EXTRAS", {QStringLiteral("tab_horas_extras"), QStringLiteral("tab_jt_extra")}},
        {"CALCULA_NOTURNO", {QStringLiteral("tab_noturno"), QStringLiteral("tab_jt_noturno")}},
        {"CALCULA_INSALUBRIDADE", {QStringLiteral("tab_insalubridade")}},
        {"CALCULA_PERICULOSIDADE", {QStringLiteral("tab_periculosidade")}},
        {"CALCULA_RSR", {QStringLiteral("TAB_RSR")}},
        {"CALCULA_JUROS", {QStringLiteral("TAB_JUROS")}},
        {"CALCULA_MULTAS", {QStringLiteral("tab_multas")}},
        {"CALCULA_OUTROS_CRED", {QStringLiteral("tab_outros_credito")}},
        {"CALCULA_OUTROS_DEB", {QStringLiteral("tab_outros_debito")}},
    };
    for (const auto& [f, t] : tabelas)
        if (flag == QLatin1String(f))
            return t;
    throw Erro(QStringLiteral("Item de cálculo %1 não existe.").arg(flag));
}

void CasoAberto::DesmarcaItem(QStringView flag, bool marcado13, bool marcadoFerias)
{
    const qint64 id = processoId();
    if (flag == u"CALCULA_AVISO_PREVIO") {
        m_.aviso.RetiraAviso(marcado13, marcadoFerias, data(u"DATA_FIM_PACTO"), data(u"DATA_INICIO_PACTO"), id);
        return;
    }
    for (const QString& tabela : TabelasDoItem(flag))
        m_.comuns.ExcluiTabela(tabela, id);
}

void CasoAberto::DesmarcaTodos()
{
    static const char* const ordem[] = {
        "CALCULA_SALARIO",
        "CALCULA_13_SALARIO",
        "CALCULA_FERIAS",
        "CALCULA_AVISO_PREVIO",
        "CALCULA_FGTS",
        "CALCULA_INSS",
        "CALCULA_IR",
        "CALCULA_JUROS",
        "CALCULA_HORAS_EXTRAS",
        "CALCULA_NOTURNO",
        "CALCULA_INSALUBRIDADE",
        "CALCULA_PERICULOSIDADE",
        "CALCULA_RSR",
        "CALCULA_MULTAS",
        "CALCULA_OUTROS_CRED",
        "CALCULA_OUTROS_DEB",
    };
    for (const char* f : ordem) {
        const QString flag = QString::fromLatin1(f);
        if (marcado(flag))
            DesmarcaItem(flag, false, false);
    }
    for (const char* f : ordem)
        define(QString::fromLatin1(f), QStringLiteral("N"));
}

void CasoAberto::AlteraSalarioReferencia(Money salario)
{
    define(u"SALARIO_FIXO", bancoMoney(salario));
    if (estado_ == Estado::Editando)
        m_.banco.executa(QStringLiteral("UPDATE TAB_VARIACAO_SALARIAL SET SALARIO_FIXO = :SALARIO_FIXO "
                                        "WHERE PROCESSO_ID = :PROCESSO_ID"),
            {{"SALARIO_FIXO", bancoMoney(salario)}, {"PROCESSO_ID", processoId()}});
    LimpaTotais();
}

bool CasoAberto::PedeConfirmacaoPacto() const
{
    if (estado_ != Estado::Editando || ContaItensMarcados() == 0)
        return false;
    const auto mudou = [&](QStringView c) {
        const QVariant antes = valorAntesDaEdicao(c);
        const QVariant agora = valor(c);
        return antes != agora || antes.isNull() != agora.isNull();
    };
    return mudou(u"DATA_INICIO_PACTO") || mudou(u"DATA_FIM_PACTO");
}

void CasoAberto::ConfirmaMudancaPacto(bool sim)
{
    if (sim) {
        DesmarcaTodos();
        m_.comuns.ExcluiTabela(QStringLiteral("TAB_VARIACAO_SALARIAL"), processoId());
        return;
    }
    LimpaTotais();
    define(u"DATA_INICIO_PACTO", valorAntesDaEdicao(u"DATA_INICIO_PACTO"));
    define(u"DATA_FIM_PACTO", valorAntesDaEdicao(u"DATA_FIM_PACTO"));
}

void CasoAberto::AplicaVariacaoSalarial()
{
    QSqlQuery& q = m_.banco.executa(QStringLiteral("SELECT SALARIO_FIXO, UNIDADE_SALARIO_FIXO, ANO, MES FROM "
                                                   "TAB_VARIACAO_SALARIAL WHERE PROCESSO_ID = :PROCESSO_ID "
                                                   "ORDER BY ANO DESC, MES DESC"),
        {{"PROCESSO_ID", processoId()}});
    const bool temLinha = q.next();
    const QVariant salario = temLinha ? q.value(0) : QVariant();
    const QString unidade = temLinha ? q.value(1).toString() : QString();
    q.finish();
    if (temLinha && (lerMoney(salario) != money(u"SALARIO_FIXO") || unidade != texto(u"UNIDADE_SALARIO_FIXO"))) {
        define(u"SALARIO_FIXO", bancoMoney(lerMoney(salario)));
        define(u"UNIDADE_SALARIO_FIXO", unidade);
        Posta();
    }
    GravaProcesso();
}

} // namespace quintar
