#pragma once

#include <QDialog>

#include <functional>
#include <memory>

class QAbstractButton;
class QPushButton;
class QVBoxLayout;

namespace quintar {

class BancoDados;
class Erro;
class Motor;
class Registros;
class Vinculos;

// The base of every editor dialog: OK and Cancel around one set of rows of the working
// database (que1) for one case. Executa runs it for a case; OK posts a pending edit and
// closes, a refused posting shows its message and keeps the dialog open with what was
// typed; Cancel (also Escape and the close box) discards an unposted edit and closes.
//
// A subclass lays its fields out in panDados() from its own form (setupUi(panDados())) and
// binds them through vinculos().
class TfrmOkCan : public QDialog {
    Q_OBJECT

public:
    TfrmOkCan(Motor& motor, QWidget* pai = nullptr);
    ~TfrmOkCan() override;

    // Keeps the case id, shows the dialog modally; true when it was closed with OK.
    bool Executa(qint64 processoId);
    qint64 processoId() const { return processoId_; }

    QWidget* panDados() const { return panDados_; }
    QWidget* panBotoes() const { return panBotoes_; }
    QPushButton* btnOk() const { return btnOk_; }
    QPushButton* btnCancelar() const { return btnCancelar_; }
    Registros* que1() const { return que1Externo_ ? que1Externo_ : que1_.get(); }
    Vinculos& vinculos();

    void reject() override;

protected:
    // The dialog's rows; a subclass creates them in its constructor.
    void defineQue1(std::unique_ptr<Registros> que1);
    // Or the rows of the dialog that opened this one, whose current row it edits.
    void defineQue1(Registros& externo);
    // FormShow: what runs when the dialog is shown for the case (the rows are read here).
    virtual void FormShow() { }
    virtual void btnOkClick();
    virtual void btnCancelarClick();
    // A refusal of the core: its message, the focus to the field of its column.
    void recusa(const Erro& erro);
    // A command of the dialog: abandoned when a field just refused what was typed, and a
    // refusal of the core shown as recusa() shows it. ligaComando runs it on a click.
    void executaComando(const std::function<void()>& comando);
    void ligaComando(QAbstractButton* botao, std::function<void()> comando);
    // The field of a column, for the focus after a refusal.
    virtual QWidget* campoDoFoco(const QString& coluna);

    Motor& motor_;
    BancoDados& banco_;
    qint64 processoId_ = 0;

private:
    QWidget* panDados_;
    QWidget* panBotoes_;
    QPushButton* btnOk_;
    QPushButton* btnCancelar_;
    std::unique_ptr<Registros> que1_;
    Registros* que1Externo_ = nullptr;
    std::unique_ptr<Vinculos> vinculos_;
};

} // namespace quintar
