#include "EditoresItem.h"

#include "BancoDados.h"
#include "CasoAberto.h"
#include "Motor.h"
#include "PreparaPadrao.h"
#include "Tfrm13.h"
#include "TfrmAvisoPrevio.h"
#include "TfrmFGTS.h"
#include "TfrmFerias.h"
#include "TfrmHorasExtras.h"
#include "TfrmINSS.h"
#include "TfrmIR.h"
#include "TfrmInsalub.h"
#include "TfrmJuros.h"
#include "TfrmMultas.h"
#include "TfrmNoturno.h"
#include "TfrmOutrosDeb.h"
#include "TfrmPeric.h"
#include "TfrmRSR.h"
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

// The lines of overtime, night premium, other credits or debits: OK with lines; whether the editor's grid was left
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
    if (flag == u"CALCULA_HORAS_EXTRAS")
        return editorDeLinhas<TfrmHorasExtras>();
    if (flag == u"CALCULA_NOTURNO")
        return editorDeLinhas<TfrmNoturno>();
    if (flag == u"CALCULA_INSALUBRIDADE")
        return editorDoCaso<TfrmInsalub>();
    if (flag == u"CALCULA_PERICULOSIDADE")
        return editorDoCaso<TfrmPeric>();
    if (flag == u"CALCULA_RSR")
        return editorDoCaso<TfrmRSR>();
    if (flag == u"CALCULA_MULTAS")
        return editorDoCaso<TfrmMultas>();
    if (flag == u"CALCULA_OUTROS_CRED")
        return editorDeLinhas<TfrmOutrosCred>();
    if (flag == u"CALCULA_OUTROS_DEB")
        return editorDeLinhas<TfrmOutrosDeb>();
    return semDialogo({});
}

} // namespace quintar
