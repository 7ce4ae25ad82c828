#include "importacao_passos.h"
#include "worker.h"

namespace talvoro {

namespace importacao {

using json::Json;

void taxaAdicional(TThreadNFe_NFCe& w, const Json& pedido)
{
    if (!json::ehLista(pedido, "additionalFees"))
        return;
    // Every fee counts: the order's totals include them all.
    Money soma;
    for (const Json& taxa : pedido["additionalFees"])
        soma += json::numero(taxa, "value");
    w.FIFood.AdditionalFees_value = soma;
}

void descontos(TThreadNFe_NFCe& w, const Json& pedido, PedidoEmImportacao& p)
{
    if (!json::ehLista(pedido, "benefits"))
        return;
    TIFoodRecord& r = w.FIFood;
    for (const Json& beneficio : pedido["benefits"]) {
        r.Benefits_value = json::numero(beneficio, "value");
        r.Benefits_target = json::texto(beneficio, "target");
        if (!json::ehLista(beneficio, "sponsorshipValues"))
            continue;
        for (const Json& patrocinio : beneficio["sponsorshipValues"]) {
            r.Benefits_sponsorship_value = json::numero(patrocinio, "value");
            r.Benefits_sponsorship_name = json::texto(patrocinio, "name");
            if (r.Benefits_sponsorship_value <= Money())
                continue;
            if (r.Benefits_sponsorship_name == u"IFOOD") {
                // What iFood funds reaches the store as a payment of its own.
                w.DM().InsertpagamentosiFood(
                    p.cdPedido, QStringLiteral("CREDIT"), QStringLiteral("PAGAMENTO IFOOD"),
                    QStringLiteral("true"), QStringLiteral("ONLINE"), r.Benefits_sponsorship_value);
                p.somaDesconto += r.Benefits_sponsorship_value;
                p.responsavelDesconto = QStringLiteral("iFood");
            } else if (r.Benefits_sponsorship_name == u"MERCHANT") {
                p.somaDesconto += r.Benefits_sponsorship_value;
                p.responsavelDesconto = QStringLiteral("Loja");
            }
        }
    }
    w.DM()
        .Query("_qryUpddateVal_Resp_Desc")
        .param("responsaveldesconto", p.responsavelDesconto)
        .param("valordesconto", p.somaDesconto)
        .param("cdpedido", p.cdPedido)
        .executar();
}

namespace {

// The card brand; a method without a card (PIX, a digital wallet) has none.
QString bandeira(const Json& metodo)
{
    return json::ehObjeto(metodo, "card") ? json::texto(metodo["card"], "brand") : QString();
}

} // namespace

void dinheiro(TThreadNFe_NFCe& w, const Json& pedido)
{
    TIFoodRecord& r = w.FIFood;
    const Json& payments = json::objeto(pedido, "payments");
    const Json& metodos = json::lista(payments, "methods", "payments.methods");
    for (const Json& metodo : metodos) {
        r.Payments_prepaid = json::texto(metodo, "prepaid");
        r.Payments_method = json::texto(metodo, "method");
        r.Payments_value = json::texto(metodo, "value");
        if (r.Payments_method == u"CASH") {
            const Json& cash = json::objeto(metodo, "cash");
            r.Payments_name = QStringLiteral("Dinheiro");
            // The cash method's change, wherever it stands among the methods.
            r.Payments_changeFor = json::texto(cash, "changeFor");
        } else {
            r.Payments_name = bandeira(metodo);
        }
    }
}

void pagamentos(TThreadNFe_NFCe& w, const Json& pedido, const PedidoEmImportacao& p)
{
    TIFoodRecord& r = w.FIFood;
    const Json& payments = json::objeto(pedido, "payments");
    const Json& metodos = json::lista(payments, "methods", "payments.methods");
    for (const Json& metodo : metodos) {
        r.Payments_prepaid = json::texto(metodo, "prepaid");
        r.Payments_methods = json::texto(metodo, "method");
        r.Payments_method = r.Payments_methods;
        r.Payments_value = json::texto(metodo, "value");
        r.Payments_type = json::texto(metodo, "type");
        if (r.Payments_method == u"CASH") {
            const Json& cash = json::objeto(metodo, "cash");
            r.Payments_name = QStringLiteral("CASH");
            r.Payments_changeFor = json::texto(cash, "changeFor");
        } else {
            r.Payments_name = bandeira(metodo);
        }
        try {
            w.DM().InsertpagamentosiFood(p.cdPedido, r.Payments_method, r.Payments_name,
                                         r.Payments_prepaid, r.Payments_type,
                                         conversao::decimalOuZero(r.Payments_value));
        } catch (const std::exception& e) {
            w.GravaLogArquivo(QStringLiteral("Falha ao gravar pagamentos... ") +
                              QString::fromUtf8(e.what()));
        }
    }
}

void itens(TThreadNFe_NFCe& w, const Json& pedido, PedidoEmImportacao& p)
{
    TIFoodRecord& r = w.FIFood;
    for (const Json& item : json::lista(pedido, "items")) {
        r.Produto_discount = json::texto(item, "discount");
        r.Produto_externalCode = json::texto(item, "externalCode");
        r.Produto_name = json::texto(item, "name");
        r.Produto_observations = json::texto(item, "observations");
        r.Produto_price = json::texto(item, "unitPrice");
        r.Produto_quantity = json::texto(item, "quantity");
        r.Produto_totalPrice = json::texto(item, "totalPrice");
        ++p.nrItem;
        try {
            const int codigo = conversao::inteiroOuZero(r.Produto_externalCode);
            const int quantidade = conversao::inteiro(r.Produto_quantity);
            const Money desconto = conversao::decimalOuZero(r.Produto_discount);
            const Money preco = conversao::decimal(r.Produto_price);
            w.InserePedidoItem(p.cdPedido, codigo, preco, desconto, Money::fromUnits(quantidade),
                               r.Produto_observations, QStringLiteral("N"), r.Produto_name,
                               p.nrItem, 0);
        } catch (const std::exception& e) {
            w.GravaLogArquivo(QStringLiteral("Falha ao gravar produtos... ") +
                              QString::fromUtf8(e.what()));
        }

        if (!json::ehLista(item, "options"))
            continue;
        for (const Json& opcao : item["options"]) {
            r.SubProduto_discount = json::texto(opcao, "discount");
            r.SubProduto_externalCode = json::texto(opcao, "externalCode");
            r.SubProduto_name = json::texto(opcao, "name");
            r.SubProduto_observations = json::texto(opcao, "observations");
            r.SubProduto_price = json::texto(opcao, "unitPrice");
            r.SubProduto_quantity = json::texto(opcao, "quantity");
            r.SubProduto_totalPrice = json::texto(opcao, "price");
            if (w.FAdcComoProd)
                ++p.nrItem;
            try {
                const int quantidade = conversao::inteiro(r.Produto_quantity) *
                                       conversao::inteiro(r.SubProduto_quantity);
                const int codigo = conversao::inteiroOuZero(r.SubProduto_externalCode);
                const Money desconto = conversao::decimalOuZero(r.SubProduto_discount);
                const Money preco = conversao::decimal(r.SubProduto_price);
                if (w.FAdcComoProd) {
                    w.InserePedidoItem(p.cdPedido, codigo, preco, desconto,
                                       Money::fromUnits(quantidade), r.SubProduto_observations,
                                       QStringLiteral("N"), r.SubProduto_name, p.nrItem, 0);
                } else {
                    w.InserePedidoItem(p.cdPedido, codigo, preco, desconto,
                                       Money::fromUnits(quantidade), r.SubProduto_observations,
                                       QStringLiteral("S"), r.SubProduto_name, p.nrItem,
                                       conversao::inteiroOuZero(r.Produto_externalCode));
                }
            } catch (const std::exception& e) {
                w.GravaLogArquivo(QStringLiteral("Falha ao gravar subprodutos... ") +
                                  QString::fromUtf8(e.what()));
            }
        }
    }
}

} // namespace importacao

void TThreadNFe_NFCe::InserePedidoItem(int cdPedido, int externalCode, Money price, Money discount,
                                       Money quantity, const QString& observations,
                                       const QString& auxiliar, const QString& name, int nrItem,
                                       int externalCodePai)
{
    try {
        auto& q = FDM.Query("_qryInsertPedidoItens");
        q.param("cdpedido", cdPedido);
        q.param("externalcode", externalCode);
        q.param("externalcode_pai", externalCodePai > 0 ? fb::Valor(externalCodePai) : fb::Valor());
        q.param("name", name);
        q.param("isauxiliar", auxiliar);
        q.param("nritem", nrItem);
        q.param("observations", observations);
        q.param("quantity", quantity.raw() / Money::Scale);
        q.param("discount", discount);
        q.param("price", price);
        q.param("statusintegrado", QStringLiteral("N"));
        q.param("totalprice", price * quantity);
        q.executar();
    } catch (const std::exception& e) {
        FDM.GravaLog(QStringLiteral("Falha ao InserePedidoItem... ") + QString::fromUtf8(e.what()));
    }
}

} // namespace talvoro
