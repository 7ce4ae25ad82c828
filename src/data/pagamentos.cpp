#include "dm.h"

namespace talvoro {

void TDM::InsertpagamentosiFood(int pCdPedido, const QString& pMethod, const QString& pName,
                                const QString& pPrepaid, const QString& pType, Money pValue)
{
    auto& q = Query("_qryInsertPagamentos");
    q.param("cdpedido", pCdPedido);
    q.param("method", pMethod);
    q.param("name", pName);
    q.param("prepaid", pPrepaid);
    q.param("type", pType);
    q.param("value", pValue);
    q.executar();
}

} // namespace talvoro
