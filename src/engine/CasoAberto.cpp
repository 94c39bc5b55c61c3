#include "CasoAberto.h"

#include "ArquivoCaso.h"
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
           && !banco.escalar(QStringLiteral("SELECT Indice FROM DIARIO WHERE Data = :data AND CodIndice = 1"),
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
    return DigitoVerificador(QString(parte(numero, 5) + parte(ano, 4) + parte(vara, 3) + parte(regional, 2) + parte(sequencial, 2)));
}

CasoAberto::CasoAberto(Motor& motor) : m_(motor), valores_(tabelaProcesso().colunas.size()) {}

QDateTime CasoAberto::agora() const
{
    return relogio ? relogio() : QDateTime::currentDateTime();
}

int CasoAberto::indice(QStringView coluna) const
{
    const int i = tabelaProcesso().indice(coluna);
    Q_ASSERT_X(i >= 0, "CasoAberto", qPrintable(coluna.toString()));
    return i;
}

QVariant CasoAberto::valor(QStringView coluna) const
{
    return valores_[indice(coluna)];
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
    estado_ = Estado::Editando;
}

void CasoAberto::define(QStringView coluna, const QVariant& valorBanco)
{
    Edita();
    valores_[indice(coluna)] = valorBanco;
}

void CasoAberto::defineMoney(QStringView coluna, Money valor)
{
    define(coluna, bancoMoney(valor));
}

bool CasoAberto::Localiza(qint64 processoId)
{
    QSqlQuery& q = m_.banco.executa(QStringLiteral("SELECT * FROM TAB_PROCESSO WHERE PROCESSO_ID = :id"), {{"id", processoId}});
    const bool achou = q.next();
    if (achou)
        for (int i = 0; i < valores_.size(); ++i)
            valores_[i] = q.value(i);
    q.finish();
    if (!achou)
        return false;
    estado_ = Estado::Navegando;
    idGravado_ = processoId;
    aberto_ = true;
    impressao_ = true;
    m_.comuns.defineContrato(data(u"DATA_INICIO_PACTO"), data(u"DATA_FIM_PACTO"));
    return true;
}

void CasoAberto::AbreArquivo(const QString& caminho)
{
    aberto_ = false;
    m_.comuns.DescartaDemonstrativo();
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
        aberto_ = false;
        estado_ = Estado::Navegando;
        m_.comuns.DescartaDemonstrativo();
        throw;
    }
    arquivoEscolhido = caminho;
    m_.feedback.status(QString());
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
    return parte(u"NUMERO", 5) + u'.' + parte(u"ANO", 4) + u'.' + parte(u"VARA", 3) + u'.' + parte(u"REGIONAL", 2) + u'.'
           + parte(u"SEQUENCIAL", 2) + u'.' + QString::number(valor(u"DV").toLongLong());
}

void CasoAberto::validaAntesDePostar()
{
    struct Obrigatorio {
        const char* coluna;
        const char* rotulo;
    };
    static const Obrigatorio obrigatorios[] = {
        {"NUMERO", "Número Único"}, {"ANO", "Ano"}, {"VARA", "Vara"}, {"REGIONAL", "Regional"},
        {"SEQUENCIAL", "Sequencial"}, {"DV", "Dígito Verificador"}, {"DATA_ATUALIZACAO", "Atualização"},
        {"DATA_INICIO_PACTO", "Inicio do Pacto"}, {"DATA_FIM_PACTO", "Dispensa"},
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
        throw Erro(QStringLiteral("Não existe indice de Correção Monetária para a data de atualização."), focoAtualizacao);
    if (hoje() < fim)
        throw Erro(QStringLiteral("Data da Dispensa deve ser MENOR ou IGUAL que a data do Computador."), focoDispensa);
    if (inicio >= fim)
        throw Erro(QStringLiteral("Data da Dispensa deve ser MAIOR que o Inicio do Pacto."), focoDispensa);
    if (!ExisteIndice(m_.banco, inicio))
        throw Erro(QStringLiteral("Não existe indice de Correção Monetária para a data de Início do Pacto."), focoAtualizacao);
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
    QSqlQuery& q = m_.banco.consulta(
        inserindo ? QStringLiteral("INSERT INTO TAB_PROCESSO (%1) VALUES (%2)").arg(nomes.join(u','), marcadores.join(u','))
                  : QStringLiteral("UPDATE TAB_PROCESSO SET %1 WHERE PROCESSO_ID = ?").arg(atribuicoes.join(u',')));
    for (int i = 0; i < valores_.size(); ++i)
        q.bindValue(i, valores_[i]);
    if (!inserindo)
        q.bindValue(valores_.size(), idGravado_);
    if (!q.exec())
        throw Erro(MensagemErroBanco(q.lastError()));
    estado_ = Estado::Navegando;
    idGravado_ = processoId();
    aberto_ = true;
    impressao_ = false;
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
    m_.comuns.defineContrato(data(u"DATA_INICIO_PACTO"), data(u"DATA_FIM_PACTO"));
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
    m_.comuns.defineContrato(data(u"DATA_INICIO_PACTO"), data(u"DATA_FIM_PACTO"));
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
        estado_ = estadoAntes;
        m_.comuns.DescartaDemonstrativo();
        m_.feedback.progresso(progressoMaximo_, progressoMaximo_);
        throw;
    }
    m_.feedback.progresso(progressoMaximo_, progressoMaximo_);
    impressao_ = true;
}

} // namespace quintar
