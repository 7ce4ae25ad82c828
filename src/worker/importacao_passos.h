#pragma once

#include "base/money.h"
#include "ifood/rest.h"

#include <QString>

namespace talvoro {

class TThreadNFe_NFCe;

// Reading the members of an iFood order. A required read raises, naming the member, when it
// is missing or of another kind; an optional one gives an empty text (a number: 0). Texts are
// read as written: a JSON string without its quotes, a number or a boolean as its JSON text.
namespace json {
using ifood::Json;

const Json& objeto(const Json& pai, const char* nome, const char* caminho = nullptr);
const Json& lista(const Json& pai, const char* nome, const char* caminho = nullptr);
QString textoObrigatorio(const Json& pai, const char* nome);
QString texto(const Json& pai, const char* nome);
Money numero(const Json& pai, const char* nome);
bool ehObjeto(const Json& pai, const char* nome);
bool ehLista(const Json& pai, const char* nome);
} // namespace json

// Amounts and codes that an order carries as text. Double quotes are dropped and "." is the
// decimal separator; amounts are rounded to four places.
namespace conversao {
Money decimalOuZero(const QString& texto);
Money decimal(const QString& texto); // raises when unreadable
int inteiro(const QString& texto);   // raises when not an integer
int inteiroOuZero(const QString& texto);
} // namespace conversao

// What one order's import keeps besides the order record; nothing carries over to the next.
struct PedidoEmImportacao
{
    int cdPedido = 0;
    int cdCliente = 0;
    int tipoEntrega = 0; // 1 DELIVERY, 2 TAKEOUT, 3 INDOOR, 0 any other
    int nrItem = 0;
    Money somaDesconto;
    QString responsavelDesconto; // "iFood" or "Loja"
};

// The steps that store what an order is worth and what it contains.
namespace importacao {
void taxaAdicional(TThreadNFe_NFCe& w, const json::Json& pedido);
void descontos(TThreadNFe_NFCe& w, const json::Json& pedido, PedidoEmImportacao& p);
void dinheiro(TThreadNFe_NFCe& w, const json::Json& pedido);
void pagamentos(TThreadNFe_NFCe& w, const json::Json& pedido, const PedidoEmImportacao& p);
void itens(TThreadNFe_NFCe& w, const json::Json& pedido, PedidoEmImportacao& p);
} // namespace importacao

} // namespace talvoro
