#include "arquivopedido.h"
#include "base/datahora.h"
#include "importacao_passos.h"
#include "worker.h"

#include <QSaveFile>

#include <stdexcept>

namespace talvoro {

using ifood::Json;

namespace {

const QString kGetOrder = QStringLiteral("GetOrder");

// The order as the import keeps it (log, order box, order file): re-serialised with an
// indentation of 4, reduced to ASCII, lines separated by CR LF.
QString textoDoPedido(const Json& pedido)
{
    QString texto = TThreadNFe_NFCe::NormalizaTexto(
        QString::fromStdString(pedido.dump(4, ' ', false, Json::error_handler_t::replace)));
    texto.replace(u'\n', QStringLiteral("\r\n"));
    return texto;
}

void gravarArquivoPedido(const QString& caminho, const QString& texto)
{
    QSaveFile arquivo(caminho);
    if (!arquivo.open(QIODevice::WriteOnly) || arquivo.write(texto.toLatin1()) < 0 ||
        !arquivo.commit())
        throw std::runtime_error(QStringLiteral("Não foi possível gravar %1: %2")
                                     .arg(caminho, arquivo.errorString())
                                     .toStdString());
}

QDateTime utcDe(const QString& texto)
{
    const auto valor = isoParaUtc(texto);
    if (!valor)
        throw std::runtime_error("'" + texto.toStdString() + "' is not a valid date and time");
    return *valor;
}

void lerCliente(TIFoodRecord& r, const Json& pedido)
{
    const Json& cliente = json::objeto(pedido, "customer");
    r.Cliente_id = json::texto(cliente, "id");
    r.Cliente_documentNumber = json::texto(cliente, "documentNumber");
    if (json::ehObjeto(cliente, "phone")) {
        const Json& fone = cliente["phone"];
        r.Cliente_phone = json::texto(fone, "number");
        r.Cliente_id = json::texto(fone, "localizer");
        r.Cliente_phone_localizer = r.Cliente_id;
    }
    r.Cliente_uuid = json::texto(cliente, "id");
    r.Cliente_name = json::texto(cliente, "name");
}

void enderecoUnico(TIFoodRecord& r, const QString& valor)
{
    r.Endereco_city = valor;
    r.Endereco_complement = valor;
    r.Endereco_formattedAddress = valor;
    r.Endereco_neighborhood = valor;
    r.Endereco_reference = valor;
    r.Endereco_streetName = valor;
    r.Endereco_streetNumber = valor;
    r.Endereco_postalCode = QStringLiteral("00000000");
}

QString soDigitos(const QString& texto)
{
    QString out;
    for (const QChar c : texto) {
        if (c >= u'0' && c <= u'9')
            out += c;
    }
    return out;
}

} // namespace

QString TThreadNFe_NFCe::NormalizaTexto(const QString& texto)
{
    QString out;
    out.reserve(texto.size());
    for (qsizetype i = 0; i < texto.size(); ++i) {
        const QChar c = texto.at(i);
        if (c.unicode() < 0x80) {
            out += c == u'\'' ? u' ' : c;
            continue;
        }
        char32_t cp = c.unicode();
        if (c.isHighSurrogate() && i + 1 < texto.size() && texto.at(i + 1).isLowSurrogate())
            cp = QChar::surrogateToUcs4(c, texto.at(++i));
        switch (cp) {
        case 0x00AA: // ª
            out += u'a';
            continue;
        case 0x00BA: // º
            out += u'o';
            continue;
        case 0x00A0: // no-break space
        case 0x00B4: // acute accent and typographic apostrophes, written for "'"
        case 0x2018:
        case 0x2019:
            out += u' ';
            continue;
        default:
            break;
        }
        // A letter with diacritics decomposes into its base letter and combining marks.
        const QString decomposto =
            QString::fromUcs4(&cp, 1).normalized(QString::NormalizationForm_D);
        const QChar base = decomposto.isEmpty() ? QChar() : decomposto.at(0);
        bool soMarcas = base.unicode() > 0 && base.unicode() < 0x80 && base.isLetter();
        for (qsizetype j = 1; soMarcas && j < decomposto.size(); ++j)
            soMarcas = decomposto.at(j).category() == QChar::Mark_NonSpacing;
        out += soMarcas ? base : u'?';
    }
    return out;
}

int TThreadNFe_NFCe::IniciaNovoPedido(const QString& deliveryDateTime,
                                      const QString& deliveryDateTimeStart,
                                      const QString& shortReference, const QString& reference,
                                      const QString& orderTiming,
                                      const QString& deliveryDateTimeEnd)
{
    const int seqDelivery = int(FDM.Query("_qryGetSeqDelivery")
                                    .param("data", hojeMeiaNoite())
                                    .abrir()
                                    .primeira()[u"SEQDELIVERY"]
                                    .toInt());
    try {
        auto& q = FDM.Query("_qryInsertPedido");
        q.param("datapedido", agora());
        // An order type without a date of its own (one iFood added after INDOOR, say) is
        // still an order to prepare: it is stored without the date instead of never.
        q.param("deliverydatetime",
                deliveryDateTime.isEmpty() ? fb::Valor() : fb::Valor(utcDe(deliveryDateTime)));
        if (orderTiming == u"SCHEDULED") {
            q.param("deliverydatetimestart", utcDe(deliveryDateTimeStart));
            q.param("deliverydatetimeend", utcDe(deliveryDateTimeEnd));
            q.param("isagendado", QStringLiteral("S"));
        } else {
            q.param("deliverydatetimestart", fb::Valor());
            q.param("deliverydatetimeend", fb::Valor());
            q.param("isagendado", QStringLiteral("N"));
        }
        q.param("seqdelivery", seqDelivery);
        q.param("statuspedido", QStringLiteral("PIN"));
        q.param("reference", reference);
        q.param("shortreference", shortReference);
        q.executar();
        return int(FDM.Query("_qryGetIDPedido")
                       .param("shortreference", shortReference)
                       .abrir()
                       .primeira()[u"cdpedido"]
                       .toInt());
    } catch (const std::exception& e) {
        FDM.GravaLog(QStringLiteral("Falha ao iniciar Novo Pedido... ") +
                     QString::fromUtf8(e.what()));
        return 0;
    }
}

void TThreadNFe_NFCe::CompletaPedido(const QString& createdAt, const QString& id, Money orderAmount,
                                     Money tipoEntrega, Money additionalFee, Money subTotal,
                                     Money deliveryFee, Money cash, int cdPedido, int cdLoja,
                                     int cdCliente, const QString& status,
                                     const QString& merchantName)
{
    try {
        auto& q = FDM.Query("_qryAtualizaPedido");
        q.param("cdcliente", cdCliente);
        q.param("cdloja_norvexa", cdLoja);
        q.param("changefor", cash);
        q.param("createdat", createdAt);
        q.param("deliveryfee", deliveryFee);
        q.param("id", id);
        q.param("nomeloja", merchantName);
        q.param("statuspedido", status);
        q.param("subtotal", subTotal);
        q.param("taxaadicional", additionalFee);
        q.param("tipoentrega", int(tipoEntrega.raw() / Money::Scale));
        q.param("totalprice", orderAmount);
        q.param("cdpedido", cdPedido);
        q.executar();
    } catch (const std::exception& e) {
        FDM.GravaLog(QStringLiteral("Falha ao atualizar pedido... ") + QString::fromUtf8(e.what()));
    }
}

void TThreadNFe_NFCe::GetOrder()
{
    const ifood::ChamadaRest chamada(FRest);
    FRest->FRestClient.BaseURL = ifood::raizPedidos();
    FRest->FRestClient.ContentType = ifood::kJson;
    FRest->FRestRequest.Accept = ifood::kJson;
    FRest->FRestRequest.Method = ifood::Metodo::GET;

    const fb::Resultado eventos = ConsultaWorker("_qryGetPedidos").abrir();
    if (eventos.vazio())
        return;

    TIFoodRecord& r = FIFood;
    auto marcarBuscado = [this](int codigo) {
        FDM.Query("_qryUpdateIntegrado").param("poperacao", 0).param("pcodigo", codigo).executar();
    };

    auto importar = [&](const fb::Linha& evento) {
        const int codigo = int(evento[u"codigo"].toInt());
        const QString orderId = evento[u"orderId"].toString();
        r.Clear();
        PedidoEmImportacao p;

        // Set anew for each order: the confirmation of the order before used these objects.
        FRest->PreparaChamadaJson(ifood::raizPedidos(), ifood::Metodo::GET,
                                  QStringLiteral("orders/") + ifood::segmentoCaminho(orderId),
                                  FToken);
        ifood::registrarEnvio(FDM, kGetOrder, *FRest);
        FRest->Execute();
        if (FRest->FRestResponse.StatusCode != 200)
            return; // fetched again in the next cycle

        Json resposta;
        try {
            resposta = Json::parse(FRest->FRestResponse.Content.toStdString());
        } catch (const Json::exception& e) {
            // Nothing of the order could be read: the event waits for the next cycle.
            FDM.InsertLogs(0, 2, QStringLiteral("Retorno - GetOrder"), QString(),
                           QStringLiteral("IFOOD - GetOrder"), QStringLiteral("N"),
                           NormalizaTexto(FRest->FRestResponse.Content));
            GravaLogArquivo(QStringLiteral("Falha ao fazer GetOrder... Pedido %1: a resposta "
                                           "não é um JSON válido: %2")
                                .arg(orderId, QString::fromUtf8(e.what())));
            return;
        }
        const QString texto = textoDoPedido(resposta);
        FDM.InsertLogs(0, 2, QStringLiteral("Retorno - GetOrder"), QString(),
                       QStringLiteral("IFOOD - GetOrder"), QStringLiteral("S"), texto);
        FJanela.MostraPedido(texto);
        const Json pedido = Json::parse(texto.toStdString());
        if (!pedido.is_object())
            throw std::runtime_error("O pedido " + orderId.toStdString() + " não é um objeto JSON");

        r.Pedido_reference = json::texto(pedido, "id");
        r.Pedido_shortReference = json::texto(pedido, "displayId");

        const QString tipo = json::textoObrigatorio(pedido, "orderType");
        if (tipo == u"DELIVERY") {
            p.tipoEntrega = 1;
        } else if (tipo == u"TAKEOUT") {
            p.tipoEntrega = 2;
            r.Pedido_deliveryDateTime =
                json::texto(json::objeto(pedido, "takeout"), "takeoutDateTime");
        } else if (tipo == u"INDOOR") {
            p.tipoEntrega = 3;
            r.Pedido_deliveryDateTime =
                json::texto(json::objeto(pedido, "indoor"), "deliveryDateTime");
        }

        r.Pedido_orderTiming = json::texto(pedido, "orderTiming");
        if (r.Pedido_orderTiming != u"IMMEDIATE") {
            const Json& agenda = json::objeto(pedido, "schedule");
            r.Pedido_deliveryDateTimeStart = json::texto(agenda, "deliveryDateTimeStart");
            r.Pedido_deliveryDateTimeEnd = json::texto(agenda, "deliveryDateTimeEnd");
        }
        if (p.tipoEntrega == 1)
            r.Pedido_deliveryDateTime =
                json::texto(json::objeto(pedido, "delivery"), "deliveryDateTime");

        // An order offered again is imported once: a complete one only has its event
        // marked, a header left in PIN by a cut-short run is completed under its number.
        if (!r.Pedido_reference.isEmpty()) {
            const fb::Resultado existentes = FDM.Query("_qryGetPedidoPorReference")
                                                 .param("reference", r.Pedido_reference)
                                                 .abrir();
            for (const fb::Linha& existente : existentes.linhas) {
                if (existente[u"statuspedido"].toString() != u"PIN") {
                    marcarBuscado(codigo);
                    return;
                }
            }
            if (!existentes.vazio()) {
                p.cdPedido = int(existentes.primeira()[u"cdpedido"].toInt());
                for (const char* limpeza :
                     {"_qryDeletePedidoItens", "_qryDeletePagamentos", "_qryLimpaDescontoPedido"})
                    FDM.Query(limpeza).param("cdpedido", p.cdPedido).executar();
            }
        }
        if (p.cdPedido == 0)
            p.cdPedido = IniciaNovoPedido(r.Pedido_deliveryDateTime, r.Pedido_deliveryDateTimeStart,
                                          r.Pedido_shortReference, r.Pedido_reference,
                                          r.Pedido_orderTiming, r.Pedido_deliveryDateTimeEnd);
        if (p.cdPedido == 0)
            return; // no header, nothing to write under it: the event waits

        gravarArquivoPedido(FDM.PastaArqLog() + nomeArquivoPedido(r.Pedido_shortReference, orderId),
                            texto);

        importacao::taxaAdicional(*this, pedido);
        importacao::descontos(*this, pedido, p);

        switch (p.tipoEntrega) {
        case 1: {
            lerCliente(r, pedido);
            const Json& entrega = json::objeto(pedido, "delivery");
            r.Endereco_observations = json::texto(entrega, "observations");
            const Json& endereco =
                json::objeto(entrega, "deliveryAddress", "delivery.deliveryAddress");
            r.Endereco_city = json::texto(endereco, "city");
            r.Endereco_complement = json::texto(endereco, "complement");
            r.Endereco_formattedAddress = json::texto(endereco, "formattedAddress");
            r.Endereco_neighborhood = json::texto(endereco, "neighborhood");
            r.Endereco_postalCode = json::texto(endereco, "postalCode");
            r.Endereco_reference = json::texto(endereco, "reference");
            r.Endereco_streetName = json::texto(endereco, "streetName");
            r.Endereco_streetNumber = json::texto(endereco, "streetNumber");
            break;
        }
        case 2:
            lerCliente(r, pedido);
            enderecoUnico(r, QStringLiteral("RETIRADA"));
            break;
        case 3: {
            const Json& indoor = json::objeto(pedido, "indoor");
            r.Indoor_mode = json::texto(indoor, "mode");
            r.Indoor_table = json::texto(indoor, "table");
            FDM.Query("_qryAtualizaPedidoIndoor")
                .param("mode", r.Indoor_mode)
                .param("tableindoor", r.Indoor_table)
                .param("cdpedido", p.cdPedido)
                .executar();
            if (r.Indoor_mode == u"TABLE") {
                lerCliente(r, pedido);
                enderecoUnico(r, r.Indoor_table);
            } else {
                const QString digitos = soDigitos(json::texto(indoor, "deliveryDateTime"));
                r.Cliente_name = QStringLiteral("BALCAO");
                r.Cliente_uuid = digitos;
                r.Cliente_id = digitos.left(10);
                enderecoUnico(r, QStringLiteral("BALCAO"));
            }
            break;
        }
        default:
            break;
        }
        try {
            p.cdCliente = FDM.SetCadCliente(
                r.Endereco_neighborhood, r.Endereco_postalCode, r.Endereco_city,
                r.Endereco_complement, r.Cliente_documentNumber, r.Cliente_phone,
                r.Endereco_formattedAddress, r.Cliente_name, r.Endereco_streetNumber,
                r.Cliente_phone_localizer, r.Endereco_reference + u' ' + r.Endereco_observations,
                r.Cliente_uuid, conversao::inteiro(r.Cliente_id));
        } catch (const std::exception& e) {
            GravaLogArquivo(QStringLiteral("Falha ao cadastrar o cliente... ") +
                            QString::fromUtf8(e.what()));
            p.cdCliente = 0;
        }

        importacao::dinheiro(*this, pedido);
        const Money troco = conversao::decimalOuZero(r.Payments_changeFor);
        importacao::pagamentos(*this, pedido, p);
        importacao::itens(*this, pedido, p);

        // The header leaves PIN only once everything under it is stored, so a run cut short
        // anywhere before is recognised and completed by the next one.
        try {
            const Json& total = json::objeto(pedido, "total");
            r.Pedido_deliveryFee = json::texto(total, "deliveryFee");
            r.Pedido_subTotal = json::texto(total, "subTotal");
            r.Pedido_totalPrice = json::texto(total, "orderAmount");
            r.Pedido_createdAt = json::texto(pedido, "createdAt");
            r.Pedido_id = json::texto(pedido, "id");
            r.Pedido_shortReference = json::texto(pedido, "displayId");
            const Json& merchant = json::objeto(pedido, "merchant");
            r.Mercant_name = json::texto(merchant, "name");
            r.Mercant_shortId = json::texto(merchant, "id");
            int cdLoja = 1;
            const fb::Resultado lojas =
                FDM.Query("_qryCdLoja_by_MerchanID").param("id", FMerchantID).abrir();
            if (!lojas.vazio() && !lojas.primeira()[u"cdloja_norvexa"].isNull())
                cdLoja = int(lojas.primeira()[u"cdloja_norvexa"].toInt());
            CompletaPedido(r.Pedido_createdAt, r.Pedido_id,
                           conversao::decimalOuZero(r.Pedido_totalPrice),
                           Money::fromUnits(p.tipoEntrega), r.AdditionalFees_value,
                           conversao::decimalOuZero(r.Pedido_subTotal),
                           conversao::decimalOuZero(r.Pedido_deliveryFee), troco, p.cdPedido,
                           cdLoja, p.cdCliente, QStringLiteral("PNA"), r.Mercant_name);
        } catch (const std::exception& e) {
            GravaLogArquivo(QStringLiteral("Falha ao gravar o pedido... ") +
                            QString::fromUtf8(e.what()));
        }

        marcarBuscado(codigo);
        if (FAceitaPedidoAuto)
            ConfirmaPedidoAuto(p.cdPedido, orderId);
    };

    for (const fb::Linha& evento : eventos.linhas) {
        try {
            importar(evento);
        } catch (const ifood::FalhaRest&) {
            throw; // no reply at all: the rest waits for the next cycle
        } catch (const std::exception& e) {
            // One order that cannot be read must not hold back the orders after it; its
            // event stays unfetched and is tried again in the next cycle.
            GravaLogArquivo(QStringLiteral("Falha ao fazer GetOrder... ") +
                            QString::fromUtf8(e.what()));
        }
    }
    FDM.ListaPedidos(agora(), agora(), 0, 0, 0, QString());
}

} // namespace talvoro
