#pragma once

#include <QChar>
#include <QDateTime>
#include <QString>

namespace talvoro {

// The order of the selected card on the board: what the order actions, the slip and the
// detail view act on. Zero and empty when the board has no order.
struct TPedidoSelecionado
{
    int CdPedido = 0;
    int GetCdPedidoVEXO = 0;
    QString GetCorrelationId;  // iFood order id (reference)
    QString GetShortReference; // the number people see (displayId)
    bool IsAgendado = false;
    // The scheduled window in local wall-clock time (the database keeps it in UTC), so it
    // compares directly with agora() and reads as the operator expects.
    QDateTime GetDataAgendamentoStart;
    QDateTime GetDataAgendamentoEnd;
    bool GetStatusAceite = false;
    bool GetStatusCancelar = false;
    bool GetStatusEntrega = false;
    QChar PedidoAceito = u'N'; // 'S' or 'N', from the status
    QString statuspedido;
    int cdintegracao = 0; // 0: the order came from iFood
    int tipoentrega = 0;  // 1 delivery, 2 take-out, 3 indoor

    bool vazio() const { return CdPedido == 0; }
};

} // namespace talvoro
