#pragma once

#include <QDateTime>
#include <QString>

namespace talvoro {

// The values the order list of the main page is filled with.
struct FiltroPedidos
{
    QDateTime data;      // _dataPedido: the day listed (first and last date)
    int status = 0;      // _combStatus: item index, 0 "Todas"
    int nrPedido = 0;    // _edtNrPedido, 0 when empty or not a number
    int seqDelivery = 0; // _edtSeqDelivery, 0 when empty or not a number
    QString nomeTel;     // _edtNomeTel
};

// The order part of the main page (search bar, board, order data, action strip, summary).
// It is built in files of its own, placed into T_frmMain::_panPedidos and handed to the
// window with DefinePaginaPrincipal; the window calls it from its activation sequence and
// its own handlers. Without one the window lists the day with no filter.
class IPaginaPrincipal
{
public:
    virtual ~IPaginaPrincipal() = default;
    // Activation step 5: the search date becomes the current date and time.
    virtual void DefineDataPesquisa(const QDateTime& agora) = 0;
    // Activation step 6 reads the search bar through this.
    virtual FiltroPedidos Filtro() const = 0;
    // Activation step 10, and whenever the window's size changes.
    virtual void AjustaLayout() = 0;
    // Enter pressed on the window while no control has the focus.
    virtual void Pesquisar() = 0;
};

} // namespace talvoro
