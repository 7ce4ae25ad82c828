#pragma once

#include "data/fb/valor.h"
#include "ui/pedidoselecionado.h"

#include <QColor>
#include <QDate>
#include <QPixmap>
#include <QString>

namespace talvoro::ui {

// The pictures the board copies from the window's picture holders.
struct FigurasPedido
{
    QPixmap iFood, outraOrigem, delivery, retirada, naMesa, agendado, recusado, vazio;
};

enum class FiguraCartao
{
    Vazia,
    IFood,
    OutraOrigem,
    Delivery,
    Retirada,
    NaMesa,
    Agendado,
    Recusado,
};

const QPixmap& figura(const FigurasPedido& figuras, FiguraCartao qual);

// Which buttons of the action strip an order card leaves visible.
struct BotoesCartao
{
    bool aceitar = false;
    bool recusar = false;
    bool sairEntrega = false;
    bool imprimir = false;
    bool detalhar = false;
};

// What one card of the board shows, worked out from its row of the order list. Field names
// are the card's elements.
struct TCartaoPedido
{
    bool semRegistros = false;
    QString _lblCodigoPedidoIfood;
    bool legendasHora = true; // _lblDataPedidoC and _lblAceitoAsC
    QString _lblDataPedido;
    QString _lblAceitoAs;
    FiguraCartao _imgStatus01 = FiguraCartao::Vazia; // origin
    QString _lblStatusPedido;
    QColor ShapeStatusPedido;   // fill of the status band (and of the scheduled band)
    bool ShapeAgendado = false; // scheduled band and its two labels shown
    QString _lblAgendadoPara;
    FiguraCartao _imgStatusCan = FiguraCartao::Vazia;
    FiguraCartao _imgStatusAgen = FiguraCartao::Vazia;
    FiguraCartao _imgStatus02 = FiguraCartao::Vazia; // delivery type
    BotoesCartao botoes;
    QString _bntSairEntrega; // caption of the hand-over button
    QChar PedidoAceito = u'N';

    // What a screen reader says for the card: the order and its status, then the customer,
    // the times and what the pictures mean.
    QString textoAcessivel;
    QString descricaoAcessivel;
};

// Status colours of the board, shared with the counters of the summary.
namespace cor {
inline const QColor emPreparo{0x04, 0x76, 0x94};
inline const QColor pendente{0x93, 0x95, 0x91};
inline const QColor finalizado{0x8C, 0xC7, 0x39};
inline const QColor saiuEntrega{0x19, 0x84, 0xEE};
inline const QColor cancelado{0xCA, 0x23, 0x2B};
inline const QColor neutro{0x60, 0x60, 0x60};
inline const QColor selecionado{0xAE, 0xE4, 0xF0};
} // namespace cor

// The card of a row of the order list. `hoje` decides whether the scheduled window shows its
// date.
TCartaoPedido MontaCartao(const fb::Linha& linha, QDate hoje);
// The single card of an empty board.
TCartaoPedido CartaoSemRegistros();

// The selected-order state of a row of the order list.
TPedidoSelecionado PedidoDaLinha(const fb::Linha& linha);

// CPF (11 characters) as ddd.ddd.ddd-dd, CNPJ (14) as dd.ddd.ddd/dddd-dd; any other length
// gives the placeholder "000.000.000-00".
QString MascaraCPF(const QString& cpf);

// The scheduled window of a card, in local time: the start's date is shown unless the window
// starts today.
QString JanelaAgendamento(const QDateTime& inicio, const QDateTime& fim, QDate hoje);

// The hand-over button's caption for a delivery type.
QString LegendaSairEntrega(int tipoentrega);

} // namespace talvoro::ui
