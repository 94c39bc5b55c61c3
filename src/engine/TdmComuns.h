#pragma once

#include "Demonstrativo.h"
#include "Money.h"

#include <QDate>
#include <QHash>
#include <QString>

#include <map>
#include <memory>

namespace quintar {

class Motor;

// Which statement columns make up a month's salary base (ComposicaoSalarial).
struct Composicao {
    bool fixo = false;
    bool diferenca = false;
    bool variavel = false;
    bool horaExtra = false;
    bool noturno = false;
    bool insalubridade = false;
    bool periculosidade = false;
    bool sexto = false; // add the paid weekly rest: one sixth of the sum
};

// The services every calculator leans on: the monthly statement (built month by month
// from the salary history, with the month's correction factor), minimum wages, correction
// indices and the per-case delete.
//
// The statement of a case is held in memory while it is worked on (a calculation run asks
// for the same months thousands of times); GravaDemonstrativo writes the changed rows to
// TAB_DEMONSTRATIVO_MENSAL and DescartaDemonstrativo forgets them after a rollback.
class TdmComuns {
public:
    explicit TdmComuns(Motor& motor);

    // Deletes the case's rows of a table: "DELETE FROM %s WHERE PROCESSO_ID = %g", with the
    // status "Excluindo da Tabela " + the name as given when mostraStatus is set.
    void ExcluiTabela(const QString& tabela, qint64 processoId, bool mostraStatus = false);

    // The month's statement row, created from the salary history when missing (or when its
    // fixed salary is 0); returns its SALARIO_FIXO (0 for a null date).
    Money MontaMes(QDate data, qint64 processoId);
    // MontaMes for each month from inicio to fim, stepping a calendar month with the day kept
    // where the month allows it.
    void MontaPeriodo(qint64 processoId, QDate inicio, QDate fim);
    // The sum of the chosen statement columns of the month (plus one sixth when asked).
    Money ComposicaoSalarial(const Composicao& partes, QDate data, qint64 processoId);
    // SalMin of VALORES; throws when missing or 0.
    Money SalarioMinimo(int mes, int ano);

    struct Correcao {
        double fator = 0;
        Money corrigido;
    };
    // index(update date) / index(reference date) to nine decimals (Arredonda), 0 when the value
    // or an index is 0; the corrected value is value × factor to cents. Throws "Não Existe
    // Índice para a data : " + date + "." when a day has no index.
    Correcao CorrecaoMonetaria(int codIndice, Money valor, QDate atualizacao, QDate referencia);
    // Sets one statement column of one month; a month without a row is left alone.
    void AtualizaColuna(int ano, int mes, const QString& coluna, Money valor, qint64 processoId);
    // INDICE_CM of the month (MontaMes first); 0 when there is no row.
    double IndiceCorrecao(int mes, int ano, qint64 processoId);

    // The contract period of the case being worked on, copied in by the run and the main window.
    void defineContrato(QDate inicio, QDate fim)
    {
        dataInicioPacto = inicio;
        dataFimPacto = fim;
    }
    QDate dataInicioPacto;
    QDate dataFimPacto;

    // The case's statement rows, ordered by year and month (key AnoMes).
    std::map<int, LinhaDemonstrativo>& Demonstrativo(qint64 processoId);
    LinhaDemonstrativo* Linha(qint64 processoId, int ano, int mes);
    // The row, or the run stops with "Demonstrativo Mensal para m/aaaa não encontrado.".
    LinhaDemonstrativo& LinhaExistente(qint64 processoId, int ano, int mes);
    void GravaDemonstrativo();
    void DescartaDemonstrativo();
    // An item's corrected total: the sum over the case's statement rows of the column × INDICE_CM
    // (rows where the column is empty left out), stored as Money.
    Money TotalCorrigido(qint64 processoId, DM::Coluna coluna);

private:
    double indiceDoDia(int codIndice, QDate dia, bool guardado);

    Motor& m_;
    QHash<qint64, std::map<int, LinhaDemonstrativo>> demonstrativos_;
    // The update date's index, kept between calls: every month of a run asks for it.
    QDate diaGuardado_;
    int codigoGuardado_ = -1;
    double indiceGuardado_ = 0;
    // The salary history and the update date that MontaPeriodo reads once for the months it
    // builds (null outside it).
    struct Carga;
    std::shared_ptr<const Carga> carga_;
};

} // namespace quintar
