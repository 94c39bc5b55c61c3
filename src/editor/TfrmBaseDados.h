#pragma once

#include "TfrmOkCan.h"

#include <QPair>
#include <QVector>

class QCheckBox;
class QGroupBox;

namespace quintar {

// An editor of one row per case, written as soon as it is posted. When the case has no row,
// opening the dialog creates it with its defaults and saves it at once (so even a cancelled
// first opening leaves the item's default row). On the right, the group of reflex check
// boxes that the subclass binds to its columns.
class TfrmBaseDados : public TfrmOkCan {
    Q_OBJECT

public:
    TfrmBaseDados(Motor& motor, const QString& tabela, QWidget* pai = nullptr);

    // Keeps the case id and runs AbreRegistro without showing anything: the item's default
    // row for the main window.
    void PreparaPadrao(qint64 processoId);

    QWidget* conteudo() const { return conteudo_; }
    QGroupBox* grbBaseCalc() const { return grbBaseCalc_; }
    QCheckBox *chkSalario, *chk13sal, *chkHorExt, *chkAdicNot, *chkAdicInsalub, *chkRepSReum;

    // The items a charge may be worked out on, in the order the base group lists them; the
    // group starts with Salario, DecimoTerceiro, HorasExtras, Noturno, Insalubridade and RSR.
    enum class ItemBase {
        AvisoPrevio,
        Salario,
        DecimoTerceiro,
        Ferias,
        FGTS,
        HorasExtras,
        Noturno,
        Insalubridade,
        Periculosidade,
        RSR,
        Multas,
        Juros,
    };

protected:
    // One more check box of the base group, in its item's place ("Aviso Prévio" first).
    QCheckBox* acrescentaBase(ItemBase item);
    // Every box of the base group bound to its item's flag in the tables of the charges
    // (IND_AVISO_PREVIO, IND_SALARIO, IND_13_SALARIO, ..., IND_MULTAS, IND_JUROS).
    void ligaBaseCalc();
    // The tab order after the last field of the subclass's form: the base group's boxes from
    // top to bottom, then OK and Cancel.
    void ordenaTabulacao(QWidget* ultimoCampo);
    void FormShow() override { AbreRegistro(); }
    // Reads the case's row; when there is none, creates it (criaRegistro) and reads it again.
    void AbreRegistro();
    // The default row: every one-character column "S", then padroes(). A subclass whose row
    // the core prepares (with the item's own defaults) overrides this.
    virtual void criaRegistro();
    virtual void padroes(Registros& /*registro*/) { }

private:
    QWidget* conteudo_;
    QGroupBox* grbBaseCalc_;
    QVector<QPair<ItemBase, QCheckBox*>> base_; // in the group's order
};

} // namespace quintar
