#pragma once

#include "apoio.h"
#include "base/money.h"
#include "ui/paginapedidos.h"

#include <QDateTime>
#include <QString>

namespace talvoro::teste {

// An order as the import leaves it, with its customer; every field can be changed.
struct PedidoTeste
{
    QString status = QStringLiteral("PNA");
    QString shortReference = QStringLiteral("1001");
    QString reference;    // empty: "ref-" + shortReference
    QDateTime datapedido; // invalid: now
    QDateTime dataaceite;
    int seqdelivery = 1;
    int tipoentrega = 1;
    int cdintegracao = 0;
    bool agendado = false;
    QDateTime inicioUtc, fimUtc;
    QString statusaceite = QStringLiteral("N");
    QString statuscancelar = QStringLiteral("N");
    QString statusentrega = QStringLiteral("N");
    Money subtotal, deliveryfee, taxaadicional, valordesconto, totalprice, changefor;
    QString responsaveldesconto;
    // Customer.
    QString nome = QStringLiteral("MARIA DA SILVA");
    QString cpf = QStringLiteral("12345678909");
    QString foneifood = QStringLiteral("0800 705 0500");
    QString localizador = QStringLiteral("27490312");
    QString fonecel = QStringLiteral("11987654321");
    QString logradouro = QStringLiteral("RUA AUGUSTA, 1500");
    QString complemento = QStringLiteral("APTO 42");
    QString referencia = QStringLiteral("EM FRENTE A PADARIA");
    QString bairro = QStringLiteral("CONSOLACAO");
    QString cidade = QStringLiteral("SAO PAULO");
    QString cep = QStringLiteral("01304001");
};

// Writes the customer and the order; returns the order number.
int inserePedido(TDM& dm, const PedidoTeste& p);
void insereItem(TDM& dm, int cdPedido, const QString& nome, const QString& isauxiliar,
                int quantidade, Money preco, int codigo = 0, const QString& observacao = {});
void inserePagamento(TDM& dm, int cdPedido, const QString& method, const QString& name,
                     const QString& prepaid, Money valor);

Money reais(const char* texto);

// The page of the window and its board's card of an order.
ui::TPaginaPedidos& pagina(T_frmMain& j);
int linhaDoPedido(T_frmMain& j, int cdPedido);
// Scrolls the card into view and clicks it.
void clicarCartao(T_frmMain& j, int linha);

} // namespace talvoro::teste
