#include "catalogo.h"

#include <stdexcept>
#include <string>

namespace talvoro::data {

namespace {

const InstrucaoNomeada kCatalogo[] = {
    {"_qryGetPedidos", "select p.codigo, p.orderId, p.id from ifood_polling p where (p.integrado = "
                       "'N' and p.code = 'PLC')"},
    {"_qryUpdateIntegrado", "execute procedure sp_status_pedido_polling (:poperacao, :pcodigo)"},
    {"_qryGetSeqDelivery", "SELECT SEQDELIVERY FROM SP_GET_SEQDELIVERY (:DATA)"},
    {"_qryInsertPedido",
     "insert into ifood_pedidos ( cdintegracao, cdpagamento, datapedido, deliverydatetime, "
     "deliverydatetimestart, deliverydatetimeend, isagendado, seqdelivery, statuspedido, "
     "reference, shortreference) values ( 0, 0, :datapedido, :deliverydatetime, "
     ":deliverydatetimestart, :deliverydatetimeend, :isagendado, :seqdelivery, :statuspedido, "
     ":reference, :shortreference);"},
    {"_qryGetIDPedido", "select max(t.cdpedido) cdpedido from ifood_pedidos t where "
                        "t.shortreference = :shortreference"},
    {"_qryAtualizaPedido",
     "update ifood_pedidos set cdcliente = :cdcliente, cdloja_norvexa = :cdloja_norvexa, changefor "
     "= :changefor, createdat = :createdat, deliveryfee = :deliveryfee, id = :id, nomeloja = "
     ":nomeloja, statuspedido = :statuspedido, subtotal = :subtotal, taxaadicional = "
     ":taxaadicional, tipoentrega = :tipoentrega, totalprice = :totalprice where cdpedido = "
     ":cdpedido"},
    {"_qryAtualizaPedidoIndoor", "update ifood_pedidos set mode = :mode, tableindoor = "
                                 ":tableindoor where cdpedido = :cdpedido"},
    {"_qryUpddateVal_Resp_Desc",
     "update ifood_pedidos set responsaveldesconto = :responsaveldesconto, valordesconto = "
     ":valordesconto where cdpedido = :cdpedido"},
    {"_qryCdLoja_by_MerchanID", "select cdloja_norvexa from loja where id = :id"},
    {"_qryInsertPedidoItens",
     "insert into ifood_pedidos_itens ( cdpedido, externalcode, externalcode_pai, name, "
     "isauxiliar, nritem, observations, quantity, discount, price, statusintegrado, totalprice) "
     "values ( :cdpedido, :externalcode, :externalcode_pai, :name, :isauxiliar, :nritem, "
     ":observations, :quantity, :discount, :price, :statusintegrado, :totalprice);"},
    {"_qryInsertPagamentos",
     "insert into ifood_pagamentos ( cdpedido, method, name, prepaid, \"TYPE\", \"VALUE\") values "
     "( :cdpedido, :method, :name, :prepaid, :type, :value);"},
    // An order already taken in, by its iFood id: a placed-order event offered again must not
    // import it twice, and a header left in PIN by a cut-short run is completed, not doubled.
    {"_qryGetPedidoPorReference", "select p.cdpedido, p.statuspedido from ifood_pedidos p where "
                                  "p.reference = :reference order by p.cdpedido desc"},
    {"_qryDeletePedidoItens", "delete from ifood_pedidos_itens where cdpedido = :cdpedido"},
    {"_qryDeletePagamentos", "delete from ifood_pagamentos where cdpedido = :cdpedido"},
    {"_qryLimpaDescontoPedido", "update ifood_pedidos set valordesconto = 0, responsaveldesconto = "
                                "null where cdpedido = :cdpedido"},
    {"_qryGetCdClienteCad", "select c.cdcliente from tb_cliente c where c.idifood = :idifood"},
    {"_qryInsertClienteIfood",
     "insert into tb_cliente( bairro, cdmunicipio, cduf, cep, cidade, complementoendereco, cpf, "
     "fisica_juridica, foneifood, idifood, logradouro, nome, nrendereco, phone_localizer, "
     "pontoreferencia, statusativo, uuidifood) values( :bairro, :cdmunicipio, :cduf, :cep, "
     ":cidade, :complementoendereco, :cpf, 'F', :foneifood, :idifood, :logradouro, :nome, "
     ":nrendereco, :phone_localizer, :pontoreferencia, 'S', :uuidifood)"},
    {"_qryUpdateClienteIfood",
     "update tb_cliente set bairro = :bairro, cdmunicipio = :cdmunicipio, cduf = :cduf, cep = "
     ":cep, cidade = :cidade, complementoendereco = :complementoendereco, cpf = :cpf, "
     "fisica_juridica = 'F', foneifood = :foneifood, idifood = :idifood, logradouro = :logradouro, "
     "nome = :nome, nrendereco = :nrendereco, phone_localizer = :phone_localizer, pontoreferencia "
     "= :pontoreferencia, statusativo = 'S', uuidifood = :uuidifood where (cdcliente = "
     ":cdcliente);"},
    {"_qryGetPedidosAceitos", "select p.codigo, p.dt_hr_sis, ip.cdpedido from ifood_polling p left "
                              "join ifood_pedidos ip on p.orderid = ip.reference where (p.code = "
                              "'CFM' and p.statuspedidoaceito = 'N' and ip.cdpedido is not null)"},
    {"_qryUpdateStatusPedidoAceito",
     "update ifood_pedidos p set p.dataaceite = :dataaceite, p.statuspedido = :statuspedido, "
     "p.statuscancelar = 'S' where (p.cdpedido = :cdpedido) and (p.statuspedido = 'PNA')"},
    {"_qryGetPedidosCanc", "select p.codigo, ip.cdpedido from ifood_polling p left join "
                           "ifood_pedidos ip on p.orderid = ip.reference where (p.code = 'CAN' and "
                           "p.statuspedidocancelado = 'N' and ip.cdpedido is not null)"},
    {"_qryUpdateStatusPedidoCancelar", "update ifood_pedidos p set p.statuspedido = :statuspedido, "
                                       "p.statuscancelar = 'S' where (p.cdpedido = :cdpedido)"},
    {"_qryGetPedidosRetirados",
     "select p.codigo, ip.cdpedido from ifood_polling p left join ifood_pedidos ip on p.orderid = "
     "ip.reference where (p.code = 'RTP' and p.statuspedidoretirado = 'N' and ip.cdpedido is not "
     "null)"},
    {"_qryUpdateStatusPedidoRetirado", "update ifood_pedidos p set p.statuspedido = :statuspedido, "
                                       "p.statuscancelar = 'N' where (p.cdpedido = :cdpedido)"},
    {"_qryGetPedidosConfirmados",
     "select p.codigo, ip.cdpedido from ifood_polling p left join ifood_pedidos ip on p.orderid = "
     "ip.reference where (p.code = 'CON' and p.statuspedidoconfirmado = 'N' and ip.cdpedido is not "
     "null)"},
    {"_qryUpdateStatusPedidoConfirmado",
     "update ifood_pedidos p set p.statuspedido = :statuspedido, p.statuscancelar = 'N' where "
     "(p.cdpedido = :cdpedido)"},
    {"_qryUpdateStatusPedidoAceiteAut",
     "update ifood_pedidos p set p.statusaceite = 'S', p.statuspedido = 'PEA', p.dataaceite = "
     "current_timestamp where (p.cdpedido = :cdpedido)"},
    {"_qryUpdateStatusPedido",
     "update ifood_pedidos p set p.statuspedido = :statuspedido, p.statusaceite = 'S', "
     "p.dataaceite = current_timestamp where (p.reference = :reference)"},
    {"_qryUpdateStatusPedidoEntrega", "update ifood_pedidos p set p.statuspedido = :statuspedido, "
                                      "p.statusentrega = 'S' where (p.reference = :reference)"},
    {"_qryListaPedido", "SELECT * FROM SPPESQUISAPEDIDOSIFOOD(:POPERACAO, :PDATAINICIAL, "
                        ":PDATAFINAL, :PNOME, :PSTATUS, :PSHORTREFERENCE,:PSEQDELIVERY)"},
    {"_qryListaPedidoItens",
     "select i.cdpedido, i.externalcode, i.externalcode_pai, coalesce(p.descricao, i.name) name, "
     "i.isauxiliar, i.nritem, i.observations, i.quantity, i.discount, i.price, i.statusintegrado, "
     "i.totalprice from ifood_pedidos_itens i left join tb_produto p on p.cdproduto = "
     "i.externalcode where i.cdpedido = :cdpedido order by i.seq"},
    {"_qryListaPagamentos",
     "select p.cdpagamento, p.cdpedido, p.method, p.name, p.prepaid, p.\"TYPE\", p.\"VALUE\" from "
     "ifood_pagamentos p where p.cdpedido = :cdpedido order by p.cdpagamento"},
    {"_qryPedidosNaoAceito", "select t.cdpedido from ifood_pedidos t where t.datapedido between "
                             ":pdatainicial and :pdatafinal and t.statuspedido = 'PNA'"},
    {"_qryListaPedidoExport_Entregador",
     "select p.cdpedido, p.cdintegracao, p.cdloja_norvexa, p.changefor, p.datapedido, "
     "p.dataaceite, p.deliverydatetimeend, p.deliveryfee, p.nomeloja, p.obs, p.reference, "
     "p.seqdelivery, p.shortreference, p.subtotal, p.tipoentrega, p.totalprice, p.valordesconto, "
     "i.externalcode, i.externalcode_pai, coalesce(pr.descricao, i.name) name, i.isauxiliar, "
     "i.nritem, i.observations, i.quantity, i.discount, i.price, i.totalprice totalprice_item, "
     "i.statusintegrado, c.cdcliente, c.cpf, c.nome, c.idifood, c.foneifood, c.email, "
     "c.logradouro, c.nrendereco, c.cidade, u.siglauf, c.bairro, c.complementoendereco, c.cep, "
     "c.pontoreferencia, c.latitude, c.longitude from ifood_pedidos p join ifood_pedidos_itens i "
     "on p.cdpedido = i.cdpedido left join tb_produto pr on pr.cdproduto = i.externalcode join "
     "tb_cliente c on c.cdcliente = p.cdcliente join uf u on u.cduf = c.cduf where i.cdpedido = "
     ":cdpedido order by i.seq"},
    {"_qryPagamentosExport", "select pg.method, pg.name formapagamento, pg.prepaid, pg.\"TYPE\", "
                             "pg.\"VALUE\" valorpagamento from ifood_pagamentos pg where "
                             "pg.cdpedido = :cdpedido order by pg.cdpagamento"},
    {"_qryPolling_Correlation", "select i.codigo, i.id, i.code, i.orderId, i.createdat, "
                                "i.dt_hr_sis from ifood_polling i where i.orderId = :orderId"},
    {"_qryListaLogs", "select l.acao, l.enviado, l.recebido, l.datahora from logs l where "
                      "l.cdpedido = :cdpedido order by l.datahora desc"},
    {"_qryListaLogsGeral",
     "select acao, enviado, recebido, datahora, nomeservico, statuslog, tipochamada from "
     "sppesquisalogs(:poperacao,:pdatainicial,:pdatafinal,:ptipochamada)"},
    {"_qryPolling", "select id from ifood_polling where statusackenviado = 'N'"},
    {"_qryUpdatepollingEnviado",
     "update ifood_polling set statusackenviado = 'S' where statusackenviado = 'N'"},
    // Marks the events of one answered acknowledgment by id, up to 50 per execution (unused
    // places bound to null).
    {"_qryUpdatepollingEnviadoIds",
     "update ifood_polling set statusackenviado = 'S' where id in (:id01, :id02, "
     ":id03, :id04, :id05, :id06, :id07, :id08, :id09, :id10, :id11, :id12, :id13, "
     ":id14, :id15, :id16, :id17, :id18, :id19, :id20, :id21, :id22, :id23, :id24, "
     ":id25, :id26, :id27, :id28, :id29, :id30, :id31, :id32, :id33, :id34, :id35, "
     ":id36, :id37, :id38, :id39, :id40, :id41, :id42, :id43, :id44, :id45, :id46, "
     ":id47, :id48, :id49, :id50)"},
    {"_qryInsertConfig", "insert into ifood_config "
                         "(authorizationcode,authorizationcodeverifier,cdconfig,dataexpiracao,"
                         "refreshtoken,token) values "
                         "(:authorizationcode,:authorizationcodeverifier,:cdconfig,:dataexpiracao,:"
                         "refreshtoken,:token);"},
    {"_qryUpdateConfig",
     "update ifood_config set authorizationcode = :authorizationcode, authorizationcodeverifier = "
     ":authorizationcodeverifier, dataexpiracao = :dataexpiracao, refreshtoken = :refreshtoken, "
     "token = :token where (cdconfig = :cdconfig);"},
    {"_qryGetTokenBD", "select authorizationcode, authorizationcodeverifier, dataexpiracao, "
                       "refreshtoken, token from ifood_config"},
    {"_qryDeleteConfig", "delete from ifood_config"},
    {"_qryFechamentoLoja",
     "update ifood_config set dataaberturafechamento = :dataaberturafechamento, idfechamentoloja = "
     ":idfechamentoloja, motivofechamento = :motivofechamento where cdconfig = 1"},
    {"_qrySelectIDFechamento", "select idfechamentoloja from ifood_config where (cdconfig = 1);"},
    {"_qryCancelarFechamento",
     "update ifood_config set dataaberturafechamento = null, idfechamentoloja = null, "
     "motivofechamento = null where (cdconfig = 1);"},
    {"_qryInsertLoja",
     "insert into loja ( cdloja_norvexa, id, nomecorporacao, nomeloja, statuslojaprincipal) values "
     "( :cdloja_norvexa, :id, :nomecorporacao, :nomeloja, :statuslojaprincipal);"},
    {"_qryDadosLoja",
     "select cdloja, cdloja_norvexa, id, nomecorporacao, nomeloja, statuslojaprincipal from loja"},
    {"_qryUpdateLoja", "update loja set cdloja_norvexa = :cdloja_norvexa, statuslojaprincipal = "
                       ":statuslojaprincipal where (cdloja = :cdloja);"},
    {"_qryDeleteLoja", "delete from loja;"},
    {"_qryAtualizaNrGenerator",
     "select pvalor from sp_atualizanr_generator(:poperacao,:nomegenerator,:pnumero)"},
    {"_qryMotivoCanc", "select i.codigocancelamento, i.motivocancelamento from ifood_motivocanc i "
                       "where i.pedidoaceito = :pedidoaceito order by i.motivocancelamento"},
    {"_qryInsertLogs",
     "insert into logs ( cdpedido, acao, enviado, nomeservico, statuslog, tipochamada, recebido) "
     "values ( :cdpedido, :acao, :enviado, :nomeservico, :statuslog, :tipochamada, :recebido);"},
    {"Tb_POLLING.Localiza", "select codigo from ifood_polling where id = :id"},
    {"Tb_POLLING.Insere",
     "insert into ifood_polling (codigo, id, code, orderid, createdat, dt_hr_sis, integrado, "
     "statusackenviado, statuspedidoaceito, statuspedidocancelado, statuspedidoconfirmado, "
     "statuspedidoretirado) values (1, :id, :code, :orderid, :createdat, :dt_hr_sis, 'N', 'N', "
     "'N', 'N', 'N', 'N')"},
};

} // namespace

std::span<const InstrucaoNomeada> catalogo()
{
    return kCatalogo;
}

std::string_view sqlDe(std::string_view nome)
{
    for (const InstrucaoNomeada& i : kCatalogo) {
        if (i.nome == nome)
            return i.sql;
    }
    throw std::out_of_range("unknown named statement: " + std::string(nome));
}

} // namespace talvoro::data
