#include "apoio_quadro.h"

#include "base/datahora.h"
#include "data/fb/firebird.h"
#include "ui/quadropedidos.h"

#include <QTest>

#include <gtest/gtest.h>

namespace talvoro::teste {

namespace {

fb::Valor dataOuNulo(const QDateTime& d)
{
    return d.isValid() ? fb::Valor(d) : fb::Valor();
}

fb::Valor textoOuNulo(const QString& t)
{
    return t.isEmpty() ? fb::Valor() : fb::Valor(t);
}

} // namespace

int inserePedido(TDM& dm, const PedidoTeste& p)
{
    fb::Instrucao cliente(
        dm.FDConnection1(),
        "insert into tb_cliente (nome, cpf, foneifood, phone_localizer, fonecel, logradouro, "
        "complementoendereco, pontoreferencia, bairro, cidade, cep) values (:nome, :cpf, "
        ":foneifood, :localizador, :fonecel, :logradouro, :complemento, :referencia, :bairro, "
        ":cidade, :cep) returning cdcliente");
    const int cdCliente = int(cliente.param("nome", p.nome)
                                  .param("cpf", textoOuNulo(p.cpf))
                                  .param("foneifood", p.foneifood)
                                  .param("localizador", p.localizador)
                                  .param("fonecel", p.fonecel)
                                  .param("logradouro", p.logradouro)
                                  .param("complemento", p.complemento)
                                  .param("referencia", p.referencia)
                                  .param("bairro", p.bairro)
                                  .param("cidade", p.cidade)
                                  .param("cep", p.cep)
                                  .abrir()
                                  .primeira()[u"cdcliente"]
                                  .toInt());
    fb::Instrucao pedido(
        dm.FDConnection1(),
        "insert into ifood_pedidos (cdintegracao, cdpagamento, datapedido, deliverydatetime, "
        "deliverydatetimestart, deliverydatetimeend, isagendado, seqdelivery, statuspedido, "
        "reference, shortreference, cdcliente, tipoentrega, subtotal, deliveryfee, taxaadicional, "
        "totalprice, changefor, valordesconto, responsaveldesconto, statusaceite, dataaceite, "
        "statusentrega, statuscancelar) values (:cdintegracao, 0, :datapedido, :datapedido, "
        ":inicio, :fim, :agendado, :seq, :status, :reference, :shortreference, :cdcliente, :tipo, "
        ":subtotal, :deliveryfee, :taxaadicional, :totalprice, :changefor, :valordesconto, "
        ":responsavel, :statusaceite, :dataaceite, :statusentrega, :statuscancelar) returning "
        "cdpedido");
    return int(pedido.param("cdintegracao", p.cdintegracao)
                   .param("datapedido", p.datapedido.isValid() ? p.datapedido : agora())
                   .param("inicio", dataOuNulo(p.inicioUtc))
                   .param("fim", dataOuNulo(p.fimUtc))
                   .param("agendado", p.agendado ? QStringLiteral("S") : QStringLiteral("N"))
                   .param("seq", p.seqdelivery)
                   .param("status", p.status)
                   .param("reference", p.reference.isEmpty()
                                           ? QStringLiteral("ref-") + p.shortReference
                                           : p.reference)
                   .param("shortreference", p.shortReference)
                   .param("cdcliente", cdCliente)
                   .param("tipo", p.tipoentrega)
                   .param("subtotal", p.subtotal)
                   .param("deliveryfee", p.deliveryfee)
                   .param("taxaadicional", p.taxaadicional)
                   .param("totalprice", p.totalprice)
                   .param("changefor", p.changefor)
                   .param("valordesconto", p.valordesconto)
                   .param("responsavel", textoOuNulo(p.responsaveldesconto))
                   .param("statusaceite", p.statusaceite)
                   .param("dataaceite", dataOuNulo(p.dataaceite))
                   .param("statusentrega", p.statusentrega)
                   .param("statuscancelar", p.statuscancelar)
                   .abrir()
                   .primeira()[u"cdpedido"]
                   .toInt());
}

void insereItem(TDM& dm, int cdPedido, const QString& nome, const QString& isauxiliar,
                int quantidade, Money preco, int codigo, const QString& observacao)
{
    fb::Instrucao item(dm.FDConnection1(),
                       "insert into ifood_pedidos_itens (cdpedido, nritem, externalcode, name, "
                       "isauxiliar, observations, quantity, discount, price, totalprice, "
                       "statusintegrado) values (:cdpedido, 1, :codigo, :nome, :aux, :obs, :qtd, "
                       "0, :preco, :total, 'N')");
    item.param("cdpedido", cdPedido)
        .param("codigo", codigo)
        .param("nome", nome)
        .param("aux", isauxiliar)
        .param("obs", textoOuNulo(observacao))
        .param("qtd", quantidade)
        .param("preco", preco)
        .param("total", preco * int64_t(quantidade))
        .executar();
}

void inserePagamento(TDM& dm, int cdPedido, const QString& method, const QString& name,
                     const QString& prepaid, Money valor)
{
    dm.InsertpagamentosiFood(
        cdPedido, method, name, prepaid,
        prepaid == u"true" ? QStringLiteral("ONLINE") : QStringLiteral("OFFLINE"), valor);
}

Money reais(const char* texto)
{
    return *Money::parse(std::string_view(texto));
}

ui::TPaginaPedidos& pagina(T_frmMain& j)
{
    return j.PaginaPedidos();
}

int linhaDoPedido(T_frmMain& j, int cdPedido)
{
    return pagina(j).DBCtrlGrid1->Modelo()->LinhaDoPedido(cdPedido);
}

void clicarCartao(T_frmMain& j, int linha)
{
    ui::TGradePedidos* grade = pagina(j).DBCtrlGrid1;
    const QModelIndex indice = grade->Modelo()->index(linha);
    grade->scrollTo(indice);
    QTest::mouseClick(grade->viewport(), Qt::LeftButton, Qt::NoModifier,
                      grade->RetanguloCartao(linha).center());
}

} // namespace talvoro::teste
