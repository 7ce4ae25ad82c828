#pragma once

#include "base/money.h"

#include <QString>

namespace talvoro {

// The values of one iFood order on their way from its JSON to the database. Cleared before
// every order, so nothing of one order reaches the next.
struct TIFoodRecord
{
    Money AdditionalFees_value;
    Money Benefits_value;
    QString Benefits_target;
    QString Benefits_sponsorship_name;
    Money Benefits_sponsorship_value;
    QString Cliente_documentNumber;
    QString Cliente_id;
    QString Cliente_name;
    QString Cliente_ordersCountOnRestaurant;
    QString Cliente_phone;
    QString Cliente_phone_localizer;
    QString Cliente_uuid;
    QString Endereco_city;
    QString Endereco_complement;
    QString Endereco_country;
    QString Endereco_formattedAddress;
    QString Endereco_latitude;
    QString Endereco_longitude;
    QString Endereco_neighborhood;
    QString Endereco_observations;
    QString Endereco_postalCode;
    QString Endereco_reference;
    QString Endereco_state;
    QString Endereco_streetName;
    QString Endereco_streetNumber;
    QString Indoor_mode;
    QString Indoor_table;
    QString Mercant_city;
    QString Mercant_country;
    QString Mercant_formatted;
    QString Mercant_name;
    QString Mercant_neighborhood;
    QString Mercant_postalCode;
    QString Mercant_shortId;
    QString Mercant_state;
    QString Mercant_streetName;
    QString Mercant_streetNumber;
    QString Payments_changeFor;
    QString Payments_methods;
    QString Payments_method;
    QString Payments_name;
    QString Payments_prepaid;
    QString Payments_type;
    QString Payments_value;
    QString Pedido_createdAt;
    QString Pedido_deliveryFee;
    QString Pedido_deliveryDateTime;
    QString Pedido_deliveryDateTimeStart;
    QString Pedido_deliveryDateTimeEnd;
    QString Pedido_id;
    QString Pedido_items;
    QString Pedido_orderTiming;
    QString Pedido_reference;
    QString Pedido_shortReference;
    QString Pedido_subTotal;
    QString Pedido_totalPrice;
    QString Produto_discount;
    QString Produto_externalCode;
    QString Produto_name;
    QString Produto_observations;
    QString Produto_quantity;
    QString Produto_price;
    QString Produto_totalPrice;
    QString SubProduto_discount;
    QString SubProduto_externalCode;
    QString SubProduto_quantity;
    QString SubProduto_name;
    QString SubProduto_observations;
    QString SubProduto_price;
    QString SubProduto_totalPrice;

    void Clear() { *this = TIFoodRecord(); }
};

} // namespace talvoro
