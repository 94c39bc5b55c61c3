#pragma once

#include "TfrmOkCan.h"

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

protected:
    // One more check box of the base group, before `antes` (at the end without it).
    QCheckBox* acrescentaBase(const QString& texto, const QString& nome, QCheckBox* antes = nullptr);
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
};

} // namespace quintar
