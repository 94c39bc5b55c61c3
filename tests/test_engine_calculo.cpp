// The Calcular command, the validation of every posting, and whole runs through
// quintar-cli on small case files (tests/fixtures/engine/), with hand-checked totals.
//
// Reference tables of these runs: the index is 1,0 until 30/09/2020 and 1,1 from
// 01/10/2020, so every month up to September 2020 is corrected by 1,1 to the update
// date 30/11/2020; the minimum wage is 1 000,00; INSS 8/9/11 % up to 02/2020, then
// progressive 7,5/9/12/14 % up to 1 000/2 000/3 000/6 000; the IR table of 2020.

#include "ArquivoCaso.h"
#include "EnviaEmail.h"
#include "Erro.h"
#include "MotorTeste.h"
#include "Pastas.h"
#include "PreparaPadrao.h"
#include "Rotinas.h"
#include "TextoAnsi.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace quintar;
using namespace quintar::teste;

namespace {

void Referencias(BancoDados& banco)
{
    Indices(banco, QDate(2018, 1, 1), QDate(2021, 12, 31), [](QDate d) { return d < QDate(2020, 10, 1) ? 1.0 : 1.1; });
    Transacao t(banco);
    for (int ano = 2018; ano <= 2021; ++ano)
        for (int mes = 1; mes <= 12; ++mes) {
            SalarioMinimo(banco, ano, mes, 1000);
            if (AnoMes(ano, mes) < AnoMes(2020, 3))
                FaixasINSS(banco, ano, mes, {1000, 8, 2000, 9, 3000, 11});
            else
                FaixasINSS(banco, ano, mes, {1000, 7.5, 2000, 9, 3000, 12, 6000, 14});
            FaixasIR(banco, ano, mes, {1903.98, 2826.65, 7.5, 142.80, 3751.05, 15, 354.80, 4664.68, 22.5, 636.13, 27.5, 869.36});
        }
    t.confirma();
}

const QDateTime Agora(QDate(2020, 12, 10), QTime(12, 0));

// A program folder with the reference tables of these runs, for the command line.
class PastaCli {
public:
    PastaCli()
    {
        DefinePastaPrograma(dir.path());
        BancoDados banco;
        banco.abre(dir.filePath(QStringLiteral("TabelasParadox")));
        Referencias(banco);
    }
    QString copia(const QString& fixture)
    {
        const QString destino = dir.filePath(fixture);
        QFile::copy(Fixture(QStringLiteral("engine/") + fixture), destino);
        QFile::setPermissions(destino, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        return destino;
    }
    ResultadoCli calcula(const QString& arquivo, const QStringList& extra = {})
    {
        return RodaCli(QStringList{QStringLiteral("--pasta"), dir.path(), QStringLiteral("calcula"), arquivo,
                                   QStringLiteral("--agora"), QStringLiteral("10/12/2020 12:00:00")}
                           + extra,
                       {QStringLiteral("XDG_CONFIG_HOME=") + dir.filePath(QStringLiteral("cfg"))});
    }
    QTemporaryDir dir;
};

// The case file's value of a column of TAB_PROCESSO.
QString ValorNoArquivo(const QString& arquivo, const QString& coluna)
{
    const QString texto = DecodificaAnsi(LeBytes(arquivo));
    const QString abre = u'<' + coluna + u'>';
    const qsizetype i = texto.indexOf(abre);
    return i < 0 ? QString() : texto.mid(i + abre.size(), texto.indexOf(u'<', i + abre.size()) - i - abre.size());
}

struct Caso2020 : Calculo {
    Caso2020() : Calculo(Agora)
    {
        Referencias(a.banco);
        NovoCaso(501, QDate(2019, 2, 1), QDate(2020, 9, 15), QDate(2020, 11, 30), R("3000"));
    }
};

} // namespace

TEST(Calculo, EveryPostingIsValidatedInOrder)
{
    struct Caso {
        const char* coluna;
        QVariant valor;
        const char* mensagem;
        const char* foco;
    };
    const Caso casos[] = {
        {"NUMERO", QVariant(), "Field 'Número Único' must have a value", "NUMERO"},
        {"DV", QVariant(), "Field 'Dígito Verificador' must have a value", "DV"},
        {"DATA_FIM_PACTO", QVariant(), "Field 'Dispensa' must have a value", "DATA_FIM_PACTO"},
        {"DATA_ATUALIZACAO", bancoData(QDate(2020, 9, 14)), "Data de Atualização deve ser MAIOR ou IGUAL a data da Dispensa.", "DATA_ATUALIZACAO"},
        {"DATA_ATUALIZACAO", bancoData(QDate(2022, 1, 10)), "Não existe indice de Correção Monetária para a data de atualização.", "DATA_ATUALIZACAO"},
        {"DATA_FIM_PACTO", bancoData(QDate(2020, 12, 11)), "Data de Atualização deve ser MAIOR ou IGUAL a data da Dispensa.", "DATA_ATUALIZACAO"},
        {"DATA_INICIO_PACTO", bancoData(QDate(2020, 9, 15)), "Data da Dispensa deve ser MAIOR que o Inicio do Pacto.", "DATA_FIM_PACTO"},
        {"DATA_INICIO_PACTO", bancoData(QDate(2017, 12, 31)), "Não existe indice de Correção Monetária para a data de Início do Pacto.", "DATA_ATUALIZACAO"},
    };
    for (const Caso& c : casos) {
        Caso2020 r;
        r.caso.define(QString::fromLatin1(c.coluna), c.valor);
        try {
            r.caso.Posta();
            ADD_FAILURE() << c.mensagem;
        } catch (const Erro& e) {
            EXPECT_EQ(e.mensagem(), QString::fromUtf8(c.mensagem));
            EXPECT_EQ(e.foco(), QString::fromLatin1(c.foco)) << c.mensagem;
        }
        EXPECT_TRUE(r.caso.emEdicao()); // the row stays in editing, nothing typed is lost
    }
    {
        // The dismissal after today, with an update date that is itself after it.
        Caso2020 r;
        r.caso.define(u"DATA_FIM_PACTO", bancoData(QDate(2020, 12, 11)));
        r.caso.define(u"DATA_ATUALIZACAO", bancoData(QDate(2020, 12, 31)));
        EXPECT_THROW(r.caso.Posta(), Erro);
        try {
            r.caso.Posta();
        } catch (const Erro& e) {
            EXPECT_EQ(e.mensagem(), QStringLiteral("Data da Dispensa deve ser MENOR ou IGUAL que a data do Computador."));
            EXPECT_EQ(e.foco(), QStringLiteral("DATA_FIM_PACTO"));
        }
    }
    {
        Caso2020 r;
        r.Executa(QStringLiteral("DELETE FROM DIARIO WHERE Data = '2020-09-15'"));
        r.caso.define(u"RECLAMANTE_PRINCIPAL", QStringLiteral("x"));
        try {
            r.caso.Posta();
            ADD_FAILURE();
        } catch (const Erro& e) {
            EXPECT_EQ(e.mensagem(), QStringLiteral("Não existe indice de Correção Monetária para a data da Dispensa."));
        }
    }
}

TEST(Calculo, AChangedUpdateDateClearsTheTotalsWhenPosted)
{
    Caso2020 r;
    r.caso.define(u"CALCULA_SALARIO", QStringLiteral("S"));
    r.caso.Posta();
    r.motor.rapido.GeraMesesSalario(501, QDate(2019, 2, 1), QDate(2020, 9, 15));
    r.caso.Calcular();
    EXPECT_EQ(r.caso.money(u"VALOR_SALARIO"), R("1650"));
    EXPECT_TRUE(r.caso.impressaoHabilitada());
    r.caso.define(u"RECLAMANTE_PRINCIPAL", QStringLiteral("Outro nome"));
    r.caso.Posta(); // same update date: the totals stay, printing waits for a calculation
    EXPECT_EQ(r.caso.money(u"VALOR_SALARIO"), R("1650"));
    EXPECT_FALSE(r.caso.impressaoHabilitada());
    r.caso.define(u"DATA_ATUALIZACAO", bancoData(QDate(2020, 12, 31)));
    r.caso.Posta();
    EXPECT_EQ(r.caso.money(u"VALOR_SALARIO"), Money());
    EXPECT_EQ(r.caso.money(u"TOTAL_CALCULO"), Money());
    EXPECT_EQ(r.Valor(QStringLiteral("SELECT COUNT(*) FROM TAB_DEMONSTRATIVO_MENSAL")).toInt(), 0);
}

TEST(Calculo, AFailedRunLeavesTablesCaseRowAndFileAsTheyWere)
{
    Caso2020 r;
    r.caso.define(u"CALCULA_SALARIO", QStringLiteral("S"));
    r.caso.define(u"CALCULA_FGTS", QStringLiteral("S"));
    r.caso.Posta();
    r.motor.rapido.GeraMesesSalario(501, QDate(2019, 2, 1), QDate(2020, 9, 15));
    PreparaFGTS(r.a.banco, 501, QDate(2019, 2, 1), QDate(2020, 9, 15));
    r.caso.Calcular();
    const QByteArray arquivo = LeBytes(r.caso.CaminhoArquivo());
    r.Executa(QStringLiteral("UPDATE TAB_SALARIO SET IND_CALCULA = 'S'"));
    const QByteArray tabelas = ConteudoArquivo(r.a.banco, 501);
    r.Executa(QStringLiteral("DELETE FROM DIARIO WHERE Data = '2019-05-01'"));
    try {
        r.caso.Calcular();
        ADD_FAILURE();
    } catch (const Erro& e) {
        EXPECT_EQ(e.mensagem(), QStringLiteral("Não Existe Índice para a data : 01/05/2019."));
    }
    EXPECT_EQ(LeBytes(r.caso.CaminhoArquivo()), arquivo);
    EXPECT_EQ(ConteudoArquivo(r.a.banco, 501), tabelas);
    EXPECT_EQ(r.caso.money(u"VALOR_SALARIO"), R("1650"));
    EXPECT_FALSE(r.caso.emEdicao());
}

TEST(Calculo, TheTotalsFollowTheSummaryFormulas)
{
    Caso2020 r;
    for (const char* flag : {"CALCULA_SALARIO", "CALCULA_INSS", "CALCULA_IR", "CALCULA_OUTROS_DEB"})
        r.caso.define(QString::fromLatin1(flag), QStringLiteral("S"));
    r.caso.define(u"CALCULA_FGTS", QStringLiteral("s")); // only "S" switches an item on
    r.caso.Posta();
    r.motor.rapido.GeraMesesSalario(501, QDate(2019, 2, 1), QDate(2020, 9, 15));
    r.Executa(QStringLiteral("UPDATE TAB_SALARIO SET IND_CALCULA = 'S' WHERE ANO = 2020 AND MES IN (7, 8)"));
    PreparaINSS(r.a.banco, 501);
    r.Executa(QStringLiteral("UPDATE TAB_INSS SET IND_CALCULA_RECLAMADO = 'S', PERCENTUAL_EMPREGADOR = 200000, "
                             "PERCENTUAL_RAT = 20000, PERCENTUAL_TERCEIROS = 58000"));
    PreparaIR(r.a.banco, 501);
    r.Executa(QStringLiteral("INSERT INTO TAB_OUTROS_DEBITO (PROCESSO_ID, DESCRICAO, ANO, MES, VALOR) "
                             "VALUES (501, 'Adiantamento', 2020, 9, 1000000)"));
    PreparaFGTS(r.a.banco, 501, QDate(2019, 2, 1), QDate(2020, 9, 15));
    r.caso.Calcular();

    // Salary: July and August at 3 000,00 and 15 days of September, × 1,1.
    EXPECT_EQ(r.caso.money(u"VALOR_SALARIO"), R("8250"));
    EXPECT_EQ(r.caso.money(u"VALOR_OUTROS_DEB"), R("110"));
    EXPECT_EQ(r.caso.money(u"VALOR_FGTS"), Money());
    // INSS per month: 3 000,00 → 75 + 90 + 120 = 285,00 employee, 600 + 60 + 174 employer shares;
    // 1 500,00 → 75 + 45 = 120,00 and 300 + 30 + 87.
    EXPECT_EQ(r.caso.money(u"VALOR_INSS_RECLAMANTE"), R("759"));   // (285 + 285 + 120) × 1,1
    EXPECT_EQ(r.caso.money(u"VALOR_INSS_EMPREGADOR"), R("1650"));  // (600 + 600 + 300) × 1,1
    EXPECT_EQ(r.caso.money(u"VALOR_INSS_RAT"), R("165"));
    EXPECT_EQ(r.caso.money(u"VALOR_INSS_TERCEIROS"), R("478.5"));
    EXPECT_EQ(r.caso.money(u"VALOR_INSS_TOTAL"), R("3052.5"));
    // IR on 8 250 − 759 = 7 491 at 27,5 % − 869,36.
    EXPECT_EQ(r.caso.money(u"VALOR_IR"), R("1190.67"));
    const Money creditos = R("8250") - R("110");
    EXPECT_EQ(r.caso.money(u"TOTAL_CALCULO"), creditos + R("1650") + R("165") + R("478.5"));
    EXPECT_EQ(r.caso.money(u"LIQUIDO_RECLAMANTE"), creditos - R("1190.67") - R("759"));
    EXPECT_FALSE(r.caso.data(u"DATA_CALCULO").isNull());
    EXPECT_EQ(lerTimestamp(r.caso.valor(u"DATA_CALCULO")), Agora);

    // With INSS off the shares are 0, whatever TAB_INSS still holds.
    r.caso.define(u"CALCULA_INSS", QStringLiteral("N"));
    r.caso.Calcular();
    EXPECT_EQ(r.caso.money(u"VALOR_INSS_RECLAMANTE"), Money());
    EXPECT_EQ(r.caso.money(u"VALOR_INSS_EMPREGADOR"), Money());
    EXPECT_EQ(r.caso.money(u"TOTAL_CALCULO"), creditos);
}

TEST(Calculo, NoItemTickedPreparesAndCalculatesTheSevenDefaults)
{
    Caso2020 r;
    r.caso.Calcular();
    for (const char* flag : {"CALCULA_AVISO_PREVIO", "CALCULA_SALARIO", "CALCULA_13_SALARIO", "CALCULA_FERIAS",
                             "CALCULA_FGTS", "CALCULA_INSS", "CALCULA_IR"})
        EXPECT_TRUE(r.caso.marcado(QString::fromLatin1(flag))) << flag;
    EXPECT_EQ(r.caso.ContaItensMarcados(), 7);
    // Seven preparations and seven calculators on a gauge of 15.
    ASSERT_FALSE(r.a.feedback.progressos.isEmpty());
    EXPECT_EQ(r.a.feedback.progressos.at(7), qMakePair(7, 15));
    EXPECT_EQ(r.a.feedback.progressos.last(), qMakePair(15, 15));
    EXPECT_TRUE(r.a.feedback.estados.contains(QStringLiteral("Cálculo completo.")));
    EXPECT_EQ(r.caso.money(u"TOTAL_CALCULO"), R("10952.3334"));
}

TEST(CalculoCli, TheDefaultItemSet)
{
    PastaCli p;
    const QString arquivo = p.copia(QStringLiteral("padrao.QNT.XML"));
    const ResultadoCli r = p.calcula(arquivo);
    ASSERT_EQ(r.codigo, 0) << r.erros.toStdString();
    // Salary: 15 days of September; notice: 30 days of 3 000,00; 13th: 9/12 (8 months and the
    // projected notice); vacation: 8/12 with the third; FGTS 8 % of 3 000 + 1 500 + 2 250; INSS
    // progressive on 3 750,00; all × 1,1. IR on 3 000 + 1 650 + 2 933,3334 − 429 and on the 13th.
    const QStringList esperado = {
        QStringLiteral("Aviso Prévio: 3.300,00"), QStringLiteral("Salário: 1.650,00"),
        QStringLiteral("13º Salário: 2.475,00"), QStringLiteral("Férias: 2.933,33"),
        QStringLiteral("FGTS: 594,00"), QStringLiteral("INSS: 429,00"),
        QStringLiteral("Imposto de Renda: 1.140,91"), QStringLiteral("Total Reclamado: 10.952,33"),
        QStringLiteral("INSS Reclamado: 0,00"), QStringLiteral("INSS Reclamante: 429,00"),
        QStringLiteral("Líquido Reclamante: 9.382,42"),
    };
    for (const QString& linha : esperado)
        EXPECT_TRUE(r.saida.contains(linha + u'\n')) << linha.toStdString() << "\n" << r.saida.toStdString();
    EXPECT_TRUE(r.saida.startsWith(QStringLiteral("Número Único: 00501.2020.001.05.00.")));
    // The totals are written into the case file, in place.
    EXPECT_EQ(ValorNoArquivo(arquivo, QStringLiteral("TOTAL_CALCULO")), QStringLiteral("10952,3334"));
    EXPECT_EQ(ValorNoArquivo(arquivo, QStringLiteral("LIQUIDO_RECLAMANTE")), QStringLiteral("9382,4234"));
    EXPECT_EQ(ValorNoArquivo(arquivo, QStringLiteral("DATA_CALCULO")), QStringLiteral("10/12/2020 12:00:00"));
    EXPECT_EQ(ValorNoArquivo(arquivo, QStringLiteral("CALCULA_FGTS")), QStringLiteral("S"));
    EXPECT_TRUE(LeBytes(arquivo).contains("<TAB_DEMONSTRATIVO_MENSAL>"));
}

TEST(CalculoCli, SalaryOnlyToAnotherFile)
{
    PastaCli p;
    const QString arquivo = p.copia(QStringLiteral("salario.QNT.XML"));
    const QByteArray original = LeBytes(arquivo);
    const QString saida = p.dir.filePath(QStringLiteral("saida.QNT.XML"));
    const ResultadoCli r = p.calcula(arquivo, {QStringLiteral("--saida"), saida});
    ASSERT_EQ(r.codigo, 0) << r.erros.toStdString();
    EXPECT_TRUE(r.saida.contains(QStringLiteral("Total Reclamado: 1.650,00\n")));
    EXPECT_TRUE(r.saida.contains(QStringLiteral("Líquido Reclamante: 1.650,00\n")));
    EXPECT_EQ(LeBytes(arquivo), original);
    EXPECT_EQ(ValorNoArquivo(saida, QStringLiteral("VALOR_SALARIO")), QStringLiteral("1650"));

    // The summary of the file as stored.
    const ResultadoCli resumo = RodaCli({QStringLiteral("--pasta"), p.dir.path(), QStringLiteral("resumo"), saida},
                                        {QStringLiteral("XDG_CONFIG_HOME=") + p.dir.filePath(QStringLiteral("cfg"))});
    ASSERT_EQ(resumo.codigo, 0) << resumo.erros.toStdString();
    EXPECT_TRUE(resumo.saida.contains(QStringLiteral("Salário: 1.650,00\n")));
    EXPECT_TRUE(resumo.saida.contains(QStringLiteral("Data do Último Cálculo: 10/12/2020 12:00\n")));
}

TEST(CalculoCli, PremiumsAndWeeklyRestOnOvertimeAndNightPremium)
{
    PastaCli p;
    const QString arquivo = p.copia(QStringLiteral("adicionais.QNT.XML"));
    const ResultadoCli r = p.calcula(arquivo);
    ASSERT_EQ(r.codigo, 0) << r.erros.toStdString();
    // Hour value 10,00. Overtime: 10 h at 50 % in July and August, 5 h at 100 % in August.
    // Night: 30 h at 20 % in August and September. Insalubrity: 10 % of the minimum wage,
    // half in September. Periculosity: 30 % of 2 200,00, half in September. Weekly rest: one
    // sixth of overtime and night premium (25,00; 51,6667; 10,00). Everything × 1,1.
    const QStringList esperado = {
        QStringLiteral("Horas Extras: 440,00"), QStringLiteral("Adicional Noturno: 132,00"),
        QStringLiteral("Adicional Insalubridade: 2.145,00"), QStringLiteral("Adicional Periculosidade: 14.157,00"),
        QStringLiteral("Repouso Semanal Remunerado: 95,33"), QStringLiteral("Total Reclamado: 16.969,33"),
        QStringLiteral("Líquido Reclamante: 16.969,33"),
    };
    for (const QString& linha : esperado)
        EXPECT_TRUE(r.saida.contains(linha + u'\n')) << linha.toStdString() << "\n" << r.saida.toStdString();
    EXPECT_EQ(ValorNoArquivo(arquivo, QStringLiteral("VALOR_RSR")), QStringLiteral("95,3334"));
}

TEST(CalculoCli, OnlyDebitsMakeANegativeTotalAndNoNetAmount)
{
    PastaCli p;
    const ResultadoCli r = p.calcula(p.copia(QStringLiteral("debitos.QNT.XML")));
    ASSERT_EQ(r.codigo, 0) << r.erros.toStdString();
    EXPECT_TRUE(r.saida.contains(QStringLiteral("Outros (Débito): 100,00\n")));
    EXPECT_TRUE(r.saida.contains(QStringLiteral("Total Reclamado: -100,00\n")));
    EXPECT_TRUE(r.saida.contains(QStringLiteral("Líquido Reclamante: 0,00\n")));
}

TEST(CalculoCli, AFailingRunExitsWithTheMessageAndTouchesNothing)
{
    PastaCli p;
    {
        BancoDados banco;
        banco.abre(p.dir.filePath(QStringLiteral("TabelasParadox")));
        banco.executaDireto(QStringLiteral("DELETE FROM DIARIO WHERE Data = '2020-09-01'"));
    }
    const QString arquivo = p.copia(QStringLiteral("salario.QNT.XML"));
    const QByteArray original = LeBytes(arquivo);
    const ResultadoCli r = p.calcula(arquivo);
    EXPECT_EQ(r.codigo, 1);
    EXPECT_TRUE(r.erros.contains(QStringLiteral("Não Existe Índice para a data : 01/09/2020.")));
    EXPECT_TRUE(r.saida.isEmpty());
    EXPECT_EQ(LeBytes(arquivo), original);
}

TEST(CalculoCli, UsageErrors)
{
    PastaCli p;
    EXPECT_EQ(p.calcula(QString(), {QStringLiteral("--nada")}).codigo, 2);
    const ResultadoCli r = RodaCli({QStringLiteral("--pasta"), p.dir.path(), QStringLiteral("calcula"), p.copia(QStringLiteral("salario.QNT.XML")),
                                    QStringLiteral("--agora"), QStringLiteral("ontem")},
                                   {QStringLiteral("XDG_CONFIG_HOME=") + p.dir.filePath(QStringLiteral("cfg"))});
    EXPECT_EQ(r.codigo, 2);
    EXPECT_EQ(RodaCli({QStringLiteral("--pasta"), p.dir.path(), QStringLiteral("calcula"), p.dir.filePath(QStringLiteral("nao-existe.QNT.XML"))},
                      {QStringLiteral("XDG_CONFIG_HOME=") + p.dir.filePath(QStringLiteral("cfg"))})
                  .codigo,
              1);
}

TEST(Calculo, ReadingACaseBringsTheItemTablesInLineWithTheItemsSwitchedOn)
{
    Caso2020 r;
    // Rows of items that are switched off, and items switched on without their rows.
    for (const char* flag : {"CALCULA_FGTS", "CALCULA_HORAS_EXTRAS", "CALCULA_JUROS", "CALCULA_13_SALARIO"})
        r.caso.define(QString::fromLatin1(flag), QStringLiteral("S"));
    r.caso.Posta();
    PreparaAviso(r.a.banco, 501);
    PreparaMultas(r.a.banco, 501);
    r.Executa(QStringLiteral("INSERT INTO TAB_OUTROS_CREDITO (PROCESSO_ID, DESCRICAO, ANO, MES, VALOR) VALUES (501, 'x', 2020, 1, 1)"));
    const QString arquivo = r.caso.CaminhoArquivo();
    GravaArquivo(r.a.banco, arquivo, 501, r.a.feedback);

    r.a.feedback.estados.clear();
    r.caso.AbreArquivo(arquivo);
    const auto conta = [&](const char* tabela) {
        return r.Valor(QStringLiteral("SELECT COUNT(*) FROM %1").arg(QString::fromLatin1(tabela))).toInt();
    };
    EXPECT_EQ(conta("TAB_FGTS"), 1);
    EXPECT_EQ(conta("TAB_HORAS_EXTRAS"), 1);
    EXPECT_EQ(conta("TAB_JT_EXTRA"), 1);
    EXPECT_EQ(conta("TAB_13_SALARIO"), 2);
    EXPECT_EQ(conta("TAB_VARIACAO_SALARIAL"), 20);
    EXPECT_EQ(conta("TAB_AVISO_PREVIO"), 0);
    EXPECT_EQ(conta("TAB_MULTAS"), 0);
    EXPECT_EQ(conta("TAB_OUTROS_CREDITO"), 0);
    // Interest without its row cannot be calculated: the item goes off (the row in editing).
    EXPECT_EQ(r.caso.texto(u"CALCULA_JUROS"), QStringLiteral("N"));
    EXPECT_TRUE(r.caso.emEdicao());
    const QStringList& estados = r.a.feedback.estados;
    EXPECT_TRUE(estados.contains(QStringLiteral("Importando TAB_PROCESSO.")));
    EXPECT_TRUE(estados.contains(QStringLiteral("Validando Tabelas.")));
    EXPECT_TRUE(estados.contains(QStringLiteral("Excluindo da Tabela tab_aviso_previo")));
    EXPECT_TRUE(estados.contains(QStringLiteral("Excluindo da Tabela tab_outros_debito")));
    EXPECT_TRUE(estados.contains(QStringLiteral("Tabelas Validadas.")));
    EXPECT_EQ(r.caso.arquivoEscolhido, arquivo);

    // A file that cannot be read leaves the case that was open as it was.
    const qint64 id = r.caso.processoId();
    GravaBytes(arquivo, "<PROCESSO><TAB_PROCESSO><PROCESSO_ID>1</PROCESSO_ID></TAB_PROCESSO><TAB_X></TAB_X></PROCESSO>");
    EXPECT_THROW(r.caso.AbreArquivo(arquivo), Erro);
    EXPECT_TRUE(r.caso.aberto());
    EXPECT_EQ(r.caso.processoId(), id);
}

TEST(Calculo, MailPostsAPendingEditBeforeTheCaseFileIsAttached)
{
    Caso2020 r;
    r.caso.Posta();
    QTemporaryDir bin;
    const QString registro = bin.filePath(QStringLiteral("argumentos"));
    GravaBytes(bin.filePath(QStringLiteral("xdg-email")),
               QStringLiteral("#!/bin/sh\nprintf '%s\\n' \"$@\" > '%1'\n").arg(registro).toUtf8());
    QFile::setPermissions(bin.filePath(QStringLiteral("xdg-email")), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", bin.path().toUtf8() + ':' + path);

    r.caso.define(u"RECLAMANTE_PRINCIPAL", QStringLiteral("Nome corrigido"));
    EnviaProcessoPorEmail(r.caso.aberto(), [&] { return r.caso.CaminhoArquivo(); }, [&] {
        if (r.caso.emEdicao())
            r.caso.Posta();
    });
    qputenv("PATH", path);
    EXPECT_FALSE(r.caso.emEdicao());
    const QString anexo = r.caso.CaminhoArquivo();
    EXPECT_TRUE(DecodificaAnsi(LeBytes(anexo)).contains(QStringLiteral("<RECLAMANTE_PRINCIPAL>Nome corrigido<")));
    const QStringList argumentos = SeparaLinhas(QString::fromUtf8(LeBytes(registro)));
    EXPECT_EQ(argumentos, QStringList({QStringLiteral("--utf8"), QStringLiteral("--subject"), QStringLiteral("Quintar"),
                                       QStringLiteral("--body"), QStringLiteral("Cálculo em anexo."),
                                       QStringLiteral("--attach"), anexo}));
}
