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
    GravaArquivo(m_.banco, CaminhoArquivo(), idGravado_);
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

void CasoAberto::ValidaTabelas()
{
    Feedback& feedback = m_.feedback;
    feedback.status(QStringLiteral("Validando Tabelas."));
    const qint64 id = processoId();
    const QDate inicio = data(u"DATA_INICIO_PACTO");
    const QDate fim = data(u"DATA_FIM_PACTO");
    m_.comuns.defineContrato(inicio, fim);
    const auto exclui = [&](const char* tabela) { m_.comuns.ExcluiTabela(QString::fromLatin1(tabela), id, true); };
    try {
        m_.rapido.GeraVariacaoSalarial(*this);
        if (marcado(u"CALCULA_AVISO_PREVIO"))
            PreparaAviso(m_.banco, id);
        else
            exclui("tab_aviso_previo");
        if (marcado(u"CALCULA_SALARIO"))
            m_.rapido.GeraMesesSalario(id, inicio, fim);
        else
            exclui("tab_salario");
        if (marcado(u"CALCULA_13_SALARIO"))
            m_.decimo.GeraAnos13Salario(id);
        else
            exclui("tab_13_salario");
        if (marcado(u"CALCULA_FERIAS"))
            m_.ferias.GeraPeriodosFerias(fim, inicio, id);
        else
            exclui("tab_ferias");
        if (marcado(u"CALCULA_FGTS"))
            PreparaFGTS(m_.banco, id, inicio, fim);
        else
            exclui("TAB_FGTS");
        if (marcado(u"CALCULA_INSS"))
            PreparaINSS(m_.banco, id);
        else
            exclui("TAB_INSS");
        if (marcado(u"CALCULA_IR"))
            PreparaIR(m_.banco, id);
        else
            exclui("TAB_IR");
        if (marcado(u"CALCULA_HORAS_EXTRAS")) {
            PreparaHorasExtras(m_.banco, id, inicio, fim);
        } else {
            exclui("tab_horas_extras");
            exclui("tab_jt_extra");
        }
        if (marcado(u"CALCULA_NOTURNO")) {
            PreparaNoturno(m_.banco, id, inicio, fim);
        } else {
            exclui("tab_noturno");
            exclui("tab_jt_noturno");
        }
        if (marcado(u"CALCULA_INSALUBRIDADE"))
            PreparaInsalubridade(m_.banco, id, inicio, fim);
        else
            exclui("tab_insalubridade");
        if (marcado(u"CALCULA_PERICULOSIDADE"))
            PreparaPericulosidade(m_.banco, id, inicio, fim);
        else
            exclui("tab_periculosidade");
        if (marcado(u"CALCULA_RSR"))
            PreparaRSR(m_.banco, id);
        else
            exclui("TAB_RSR");
        if (!marcado(u"CALCULA_JUROS") || m_.juros.SemJuros(id)) {
            // Interest without its row cannot be calculated: the item is switched off.
            if (marcado(u"CALCULA_JUROS"))
                define(u"CALCULA_JUROS", QStringLiteral("N"));
            exclui("TAB_JUROS");
        }
        if (!marcado(u"CALCULA_MULTAS"))
            exclui("tab_multas");
        if (!marcado(u"CALCULA_OUTROS_CRED"))
            exclui("tab_outros_credito");
        if (!marcado(u"CALCULA_OUTROS_DEB"))
            exclui("tab_outros_debito");
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
    const qint64 id = processoId();
    const QDate inicio = data(u"DATA_INICIO_PACTO");
    const QDate fim = data(u"DATA_FIM_PACTO");
    m_.comuns.defineContrato(inicio, fim);
    const std::pair<const char*, std::function<void()>> itens[] = {
        {"CALCULA_AVISO_PREVIO", [&] { PreparaAviso(m_.banco, id); }},
        {"CALCULA_SALARIO", [&] { m_.rapido.GeraMesesSalario(id, inicio, fim); }},
        {"CALCULA_13_SALARIO", [&] { m_.decimo.GeraAnos13Salario(id); }},
        {"CALCULA_FERIAS", [&] { m_.ferias.GeraPeriodosFerias(fim, inicio, id); }},
        {"CALCULA_FGTS", [&] { PreparaFGTS(m_.banco, id, inicio, fim); }},
        {"CALCULA_INSS", [&] { PreparaINSS(m_.banco, id); }},
        {"CALCULA_IR", [&] { PreparaIR(m_.banco, id); }},
    };
    for (const auto& [flag, prepara] : itens) {
        define(QString::fromLatin1(flag), QStringLiteral("S"));
        prepara();
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
