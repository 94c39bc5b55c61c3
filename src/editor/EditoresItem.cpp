#include "EditoresItem.h"

#include "BancoDados.h"
#include "CasoAberto.h"
#include "Motor.h"
#include "PreparaPadrao.h"
#include "Tfrm13.h"
#include "TfrmAvisoPrevio.h"
#include "TfrmFGTS.h"
#include "TfrmFerias.h"
#include "TfrmINSS.h"
#include "TfrmIR.h"
#include "TfrmJuros.h"
#include "TfrmMultas.h"
#include "TfrmOutrosDeb.h"
#include "TfrmSalario.h"

#include <memory>

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

// A single-row editor run for the case.
template <typename Editor>
EditorItem editorDoCaso()
{
    return {[](QWidget* pai, Motor& motor, CasoAberto& caso) {
                Editor editor(motor, pai);
                return editor.Executa(caso.processoId());
            },
        {}};
}

// An editor that is given the whole case row.
template <typename Editor>
EditorItem editorComCaso()
{
    return {[](QWidget* pai, Motor& motor, CasoAberto& caso) {
                Editor editor(motor, pai);
                return editor.Executa(caso);
            },
        {}};
}

// The lines of other credits or debits: OK with lines; whether the editor's grid was left
// without any (Cancel after deleting them all) is what the window asks afterwards.
template <typename Editor>
EditorItem editorDeLinhas()
{
    auto vazia = std::make_shared<bool>(false);
    return {[vazia](QWidget* pai, Motor& motor, CasoAberto& caso) {
                Editor editor(motor, pai);
                const bool ok = editor.Executa(caso.processoId());
                *vazia = editor.SemLinhas();
                return ok && !*vazia;
            },
        [vazia](Motor&, qint64) { return *vazia; }};
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
        return editorComCaso<TfrmAvisoPrevio>();
    if (flag == u"CALCULA_13_SALARIO")
        return editorComCaso<Tfrm13>();
    if (flag == u"CALCULA_FERIAS")
        return editorComCaso<TfrmFerias>();
    if (flag == u"CALCULA_FGTS")
        return editorDoCaso<TfrmFGTS>();
    if (flag == u"CALCULA_INSS")
        return editorDoCaso<TfrmINSS>();
    if (flag == u"CALCULA_IR")
        return editorDoCaso<TfrmIR>();
    if (flag == u"CALCULA_JUROS")
        return editorDoCaso<TfrmJuros>();
    if (flag == u"CALCULA_HORAS_EXTRAS") {
        EditorItem e =
            semDialogo([](Motor& m, CasoAberto& c) { PreparaHorasExtras(m.banco, c.processoId(), inicio(c), fim(c)); });
        e.listaVazia = semLinhas("TAB_HORAS_EXTRAS");
        return e;
    }
    if (flag == u"CALCULA_NOTURNO") {
        EditorItem e =
            semDialogo([](Motor& m, CasoAberto& c) { PreparaNoturno(m.banco, c.processoId(), inicio(c), fim(c)); });
        e.listaVazia = semLinhas("TAB_NOTURNO");
        return e;
    }
    if (flag == u"CALCULA_INSALUBRIDADE")
        return semDialogo(
            [](Motor& m, CasoAberto& c) { PreparaInsalubridade(m.banco, c.processoId(), inicio(c), fim(c)); });
    if (flag == u"CALCULA_PERICULOSIDADE")
        return semDialogo(
            [](Motor& m, CasoAberto& c) { PreparaPericulosidade(m.banco, c.processoId(), inicio(c), fim(c)); });
    if (flag == u"CALCULA_RSR")
        return semDialogo([](Motor& m, CasoAberto& c) { PreparaRSR(m.banco, c.processoId()); });
    if (flag == u"CALCULA_MULTAS")
        return editorDoCaso<TfrmMultas>();
    if (flag == u"CALCULA_OUTROS_CRED")
        return editorDeLinhas<TfrmOutrosCred>();
    if (flag == u"CALCULA_OUTROS_DEB")
        return editorDeLinhas<TfrmOutrosDeb>();
    return semDialogo({});
}

} // namespace quintar
