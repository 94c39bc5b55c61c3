#pragma once

#include "TfrmOkCan.h"

#include <QDate>

#include <memory>

class QButtonGroup;

namespace Ui {
class TfrmNovoProcesso;
}

namespace quintar {

// "Novo Processo": the identification, the contract period and the reference salary of a
// new case. Its row is appended to TAB_PROCESSO (the working tables are not reset) and
// posted by OK after the new-case checks; NovoProcesso.txt proposes the next number.
class TfrmNovoProcesso : public TfrmOkCan {
    Q_OBJECT

public:
    TfrmNovoProcesso(Motor& motor, QDate hoje, QWidget* pai = nullptr);
    ~TfrmNovoProcesso() override;

    // The new case's PROCESSO_ID, once OK posted it.
    qint64 processoIdNovo() const { return processoIdNovo_; }
    Ui::TfrmNovoProcesso& ui() const { return *ui_; }

protected:
    void FormShow() override;
    void btnOkClick() override;

private:
    std::unique_ptr<Ui::TfrmNovoProcesso> ui_;
    QButtonGroup* unidade_;
    QDate hoje_;
    qint64 processoIdNovo_ = 0;
};

class CampoNumero;
class Vinculos;

// The fields of a case's identification (number, year, court unit, region, sequence and,
// when given, the check digit) bound to their columns: each full field hands the focus on,
// the last to `seguinte`, while `enquanto` holds; the year is completed when it is left.
void LigaIdentificacao(
    Vinculos& vinculos, const QVector<CampoNumero*>& campos, QWidget* seguinte, std::function<bool()> enquanto = {});

} // namespace quintar
