#include "EditoresItem.h"

#include "BancoDados.h"
#include "CasoAberto.h"
#include "Motor.h"
#include "PreparaPadrao.h"
#include "TfrmHorasExtras.h"
#include "TfrmInsalub.h"
#include "TfrmNoturno.h"
#include "TfrmPeric.h"
#include "TfrmRSR.h"
#include "TfrmSalario.h"

namespace quintar {

namespace {

using Preparacao = std::function<void(Motor&, CasoAberto&)>;

// The item's default rows, without a dialog.
EditorItem semDialogo(Preparacao prepara)
{
    return {[prepara](QWidget*, Motor& motor, CasoAberto& caso) {
                if (prepara)
                    prepara(motor, caso);
                return true;
            },
        {}};
}

// The item's editor dialog, run for the open case.
template <class Dialogo>
std::function<bool(QWidget*, Motor&, CasoAberto&)> comDialogo()
{
    return [](QWidget* pai, Motor& motor, CasoAberto& caso) {
        Dialogo editor(motor, pai);
        return editor.Executa(caso.processoId());
    };
}

// An editor of lines: its list as the editor left it says whether the item goes off.
template <class Dialogo>
EditorItem comLinhas()
{
    auto vazia = std::make_shared<bool>(false);
    return {[vazia](QWidget* pai, Motor& motor, CasoAberto& caso) {
                Dialogo editor(motor, pai);
                const bool ok = editor.Executa(caso.processoId());
                *vazia = editor.SemLinhas();
                return ok;
            },
        [vazia](Motor&, qint64) { return *vazia; }};
}

std::function<bool(Motor&, qint64)> semLinhas(const char* tabela)
{
    return [tabela](Motor& motor, qint64 id) {
        return motor.banco
                   .escalar(
                       QStringLiteral("SELECT COUNT(*) FROM %1 WHERE PROCESSO_ID = :id").arg(QLatin1String(tabela)),
                       {{"id", id}})
                   .toInt()
            == 0;
    };
}

QDate inicio(const CasoAberto& caso)
{
    return caso.data(u"DATA_INICIO_PACTO");
}
QDate fim(const CasoAberto& caso)
{
    return caso.data(u"DATA_FIM_PACTO");
}

} // namespace

EditorItem EditorDoItem(QStringView flag)
{
    if (flag == u"CALCULA_SALARIO")
        return {[](QWidget* pai, Motor& motor, CasoAberto& caso) {
                    TfrmSalario editor(motor, pai);
                    return editor.Executa(caso.processoId());
                },
            {}};
    if (flag == u"CALCULA_AVISO_PREVIO")
        return semDialogo([](Motor& m, CasoAberto& c) { PreparaAviso(m.banco, c.processoId()); });
    if (flag == u"CALCULA_13_SALARIO")
        return semDialogo([](Motor& m, CasoAberto& c) { m.decimo.GeraAnos13Salario(c.processoId()); });
    if (flag == u"CALCULA_FERIAS")
        return semDialogo(
            [](Motor& m, CasoAberto& c) { m.ferias.GeraPeriodosFerias(fim(c), inicio(c), c.processoId()); });
    if (flag == u"CALCULA_FGTS")
        return semDialogo([](Motor& m, CasoAberto& c) { PreparaFGTS(m.banco, c.processoId(), inicio(c), fim(c)); });
    if (flag == u"CALCULA_INSS")
        return semDialogo([](Motor& m, CasoAberto& c) { PreparaINSS(m.banco, c.processoId()); });
    if (flag == u"CALCULA_IR")
        return semDialogo([](Motor& m, CasoAberto& c) { PreparaIR(m.banco, c.processoId()); });
    if (flag == u"CALCULA_JUROS")
        return semDialogo([](Motor& m, CasoAberto& c) {
            PreparaJuros(m.banco, c.processoId(), inicio(c), c.data(u"DATA_ATUALIZACAO"));
        });
    if (flag == u"CALCULA_HORAS_EXTRAS")
        return comLinhas<TfrmHorasExtras>();
    if (flag == u"CALCULA_NOTURNO")
        return comLinhas<TfrmNoturno>();
    if (flag == u"CALCULA_INSALUBRIDADE")
        return {comDialogo<TfrmInsalub>(), {}};
    if (flag == u"CALCULA_PERICULOSIDADE")
        return {comDialogo<TfrmPeric>(), {}};
    if (flag == u"CALCULA_RSR")
        return {comDialogo<TfrmRSR>(), {}};
    if (flag == u"CALCULA_MULTAS")
        return semDialogo([](Motor& m, CasoAberto& c) { PreparaMultas(m.banco, c.processoId()); });
    if (flag == u"CALCULA_OUTROS_CRED") {
        EditorItem e = semDialogo({});
        e.listaVazia = semLinhas("TAB_OUTROS_CREDITO");
        return e;
    }
    if (flag == u"CALCULA_OUTROS_DEB") {
        EditorItem e = semDialogo({});
        e.listaVazia = semLinhas("TAB_OUTROS_DEBITO");
        return e;
    }
    return semDialogo({});
}

} // namespace quintar
