#pragma once

#include "data/fb/firebird.h"

#include <QChar>
#include <QDialog>
#include <QString>

#include <optional>

class QFrame;
class QPushButton;
class QTableWidget;

namespace talvoro {

class TDM;

// The cancellation-reason picker: the reasons stored for accepted or for not yet accepted
// orders, the first one chosen before the operator does anything. Its result is
// code + "|" + reason, or empty when the operator cancelled.
class T_frmMotivoCancelamento : public QDialog
{
    Q_OBJECT

public:
    explicit T_frmMotivoCancelamento(TDM& dm, QWidget* parent = nullptr);

    QChar GetPedidoAceito = u'N';
    QString GetResult;

    QFrame* Panel1;
    QTableWidget* DBGridStyles1;
    QFrame* Panel2;
    QPushButton* _btnConfirmar;
    QPushButton* _btnCancelar;

    // Lists the reasons for GetPedidoAceito and chooses the first. Database errors propagate.
    void FormActivate();
    void DBGridStyles1CellClick();
    void DBGridStyles1KeyUp();
    void _btnConfirmarClick();
    void _btnCancelarClick();

    // Closing the window by other means than its buttons (the system's close) counts as
    // "Cancelar": nothing is sent for an order the operator dismissed.
    void reject() override;

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;
    void keyPressEvent(QKeyEvent* evento) override;

private:
    // The grid's current row as code + "|" + reason; "|" when the list is empty.
    QString EscolhaAtual() const;

    TDM& FDM;
    std::optional<fb::Resultado> FMotivos; // _qryMotivoCanc as last opened
};

// Shows the picker modally (centred on `principal`) for the acceptance flag and returns the
// reason choice. The picker is destroyed in every case.
QString ExibeMotivoCancelamento(TDM& dm, QChar flag, QWidget* principal = nullptr);

} // namespace talvoro
