#include "cartaopedido.h"

#include "base/datahora.h"

#include <QStringList>

namespace talvoro::ui {

namespace {

struct LinhaStatus
{
    const char16_t* codigo;
    const char16_t* texto;
    QColor cor;
    bool cancelado;
    BotoesCartao botoes; // aceitar, recusar, sair p/ entrega, imprimir, detalhar
    char16_t pedidoAceito;
};

// A cancelled order keeps Imprimir hidden: a courier slip for it only sends someone out for
// nothing; the order stays readable through Detalhar.
const LinhaStatus kStatus[] = {
    {u"PEA", u"EM PREPARO", cor::emPreparo, false, {false, true, true, true, true}, u'S'},
    {u"PNA", u"PENDENTE", cor::pendente, false, {true, true, false, true, true}, u'N'},
    {u"PDF", u"FINALIZADO", cor::finalizado, false, {false, true, false, true, true}, u'S'},
    {u"PDE", u"SAIU P/ ENTREGA", cor::saiuEntrega, false, {false, true, false, true, true}, u'S'},
    {u"PCC", u"CANCELADO", cor::cancelado, true, {false, true, false, false, true}, u'S'},
    {u"PIN",
     u"NÃO PROCESSADO ou ERRO",
     cor::cancelado,
     false,
     {false, true, false, false, true},
     u'N'},
    {u"PDR", u"PEDIDO RETIRADO", cor::saiuEntrega, false, {false, true, false, true, true}, u'S'},
};

const LinhaStatus* procuraStatus(const QString& codigo)
{
    for (const LinhaStatus& s : kStatus) {
        if (codigo == QStringView(s.codigo))
            return &s;
    }
    return nullptr;
}

QString hora(const QDateTime& dt)
{
    return dt.isValid() ? formatDataHora(QStringLiteral("hh:nn"), dt) : QString();
}

QString texto(const fb::Linha& linha, QStringView coluna)
{
    return linha.tem(coluna) ? linha[coluna].toString() : QString();
}

int inteiro(const fb::Linha& linha, QStringView coluna)
{
    if (!linha.tem(coluna))
        return 0;
    const fb::Valor& v = linha[coluna];
    if (v.isNull())
        return 0;
    try {
        return int(v.toInt());
    } catch (const fb::Erro&) {
        return 0;
    }
}

QDateTime dataHoraDe(const fb::Linha& linha, QStringView coluna)
{
    return linha.tem(coluna) ? linha[coluna].toDateTime() : QDateTime();
}

} // namespace

const QPixmap& figura(const FigurasPedido& f, FiguraCartao qual)
{
    switch (qual) {
    case FiguraCartao::IFood:
        return f.iFood;
    case FiguraCartao::OutraOrigem:
        return f.outraOrigem;
    case FiguraCartao::Delivery:
        return f.delivery;
    case FiguraCartao::Retirada:
        return f.retirada;
    case FiguraCartao::NaMesa:
        return f.naMesa;
    case FiguraCartao::Agendado:
        return f.agendado;
    case FiguraCartao::Recusado:
        return f.recusado;
    case FiguraCartao::Vazia:
        break;
    }
    return f.vazio;
}

QString MascaraCPF(const QString& cpf)
{
    if (cpf.size() == 11) {
        return QStringLiteral("%1.%2.%3-%4")
            .arg(cpf.left(3), cpf.mid(3, 3), cpf.mid(6, 3), cpf.mid(9, 2));
    }
    if (cpf.size() == 14) {
        return QStringLiteral("%1.%2.%3/%4-%5")
            .arg(cpf.left(2), cpf.mid(2, 3), cpf.mid(5, 3), cpf.mid(8, 4), cpf.mid(12, 2));
    }
    return QStringLiteral("000.000.000-00");
}

QString JanelaAgendamento(const QDateTime& inicio, const QDateTime& fim, QDate hoje)
{
    const QString comeco = !inicio.isValid() || inicio.date() == hoje
                               ? hora(inicio)
                               : formatDataHora(QStringLiteral("dd/mm/yyyy hh:nn"), inicio);
    return comeco + QStringLiteral(" - ") + hora(fim);
}

QString LegendaSairEntrega(int tipoentrega)
{
    switch (tipoentrega) {
    case 2:
        return QStringLiteral("Retirar Pedido");
    case 3:
        return QStringLiteral("Entregar Pedido");
    default:
        return QStringLiteral("Sair p/ Entrega");
    }
}

TPedidoSelecionado PedidoDaLinha(const fb::Linha& linha)
{
    TPedidoSelecionado p;
    p.CdPedido = inteiro(linha, u"CDPEDIDO");
    p.GetCdPedidoVEXO = inteiro(linha, u"CDPEDIDOVEXO");
    p.GetCorrelationId = texto(linha, u"reference");
    p.GetShortReference = texto(linha, u"SHORTREFERENCE");
    p.IsAgendado = texto(linha, u"ISAGENDADO") == u"S";
    p.GetDataAgendamentoStart = utcParaLocal(dataHoraDe(linha, u"DELIVERYDATETIMESTART"));
    p.GetDataAgendamentoEnd = utcParaLocal(dataHoraDe(linha, u"DELIVERYDATETIMEEND"));
    p.GetStatusAceite = texto(linha, u"StatusAceite") == u"S";
    p.GetStatusCancelar = texto(linha, u"StatusCancelar") == u"S";
    p.GetStatusEntrega = texto(linha, u"StatusEntrega") == u"S";
    p.statuspedido = texto(linha, u"statuspedido");
    const LinhaStatus* s = procuraStatus(p.statuspedido);
    p.PedidoAceito = s ? QChar(s->pedidoAceito) : QChar(p.GetStatusAceite ? u'S' : u'N');
    p.cdintegracao = inteiro(linha, u"cdintegracao");
    p.tipoentrega = inteiro(linha, u"tipoentrega");
    return p;
}

TCartaoPedido MontaCartao(const fb::Linha& linha, QDate hoje)
{
    TCartaoPedido c;
    const QString shortReference = texto(linha, u"SHORTREFERENCE");
    c._lblCodigoPedidoIfood =
        QStringLiteral("#") +
        (shortReference.isEmpty() ? texto(linha, u"CDPEDIDO") : shortReference);
    c._lblDataPedido = hora(dataHoraDe(linha, u"DATAPEDIDO"));
    const QDateTime aceite = dataHoraDe(linha, u"DATAACEITE");
    c._lblAceitoAs = aceite.isValid() ? hora(aceite) : QStringLiteral("00:00");

    const int origem = inteiro(linha, u"cdintegracao");
    c._imgStatus01 = origem == 0   ? FiguraCartao::IFood
                     : origem == 1 ? FiguraCartao::OutraOrigem
                                   : FiguraCartao::Vazia;

    const QString status = texto(linha, u"statuspedido");
    const int tipo = inteiro(linha, u"tipoentrega");
    const bool agendado = texto(linha, u"ISAGENDADO") == u"S";
    const QDateTime inicio = utcParaLocal(dataHoraDe(linha, u"DELIVERYDATETIMESTART"));
    const QDateTime fim = utcParaLocal(dataHoraDe(linha, u"DELIVERYDATETIMEEND"));

    if (const LinhaStatus* s = procuraStatus(status)) {
        c._lblStatusPedido = QString::fromUtf16(s->texto);
        c.ShapeStatusPedido = s->cor;
        c._imgStatusCan = s->cancelado ? FiguraCartao::Recusado : FiguraCartao::Vazia;
        c.botoes = s->botoes;
        c.PedidoAceito = QChar(s->pedidoAceito);
    } else {
        // A code the board does not know: a neutral card that offers nothing but a refusal
        // and the details.
        c._lblStatusPedido = status.isEmpty() ? QStringLiteral("SEM SITUAÇÃO")
                                              : QStringLiteral("SITUAÇÃO ") + status;
        c.ShapeStatusPedido = cor::neutro;
        c.botoes = {false, true, false, false, true};
        c.PedidoAceito = texto(linha, u"StatusAceite") == u"S" ? u'S' : u'N';
    }
    c._bntSairEntrega = LegendaSairEntrega(tipo);

    if (status != u"PIN") {
        c._imgStatus02 = tipo == 1   ? FiguraCartao::Delivery
                         : tipo == 2 ? FiguraCartao::Retirada
                         : tipo == 3 ? FiguraCartao::NaMesa
                                     : FiguraCartao::Vazia;
        if (agendado) {
            c._imgStatusAgen = FiguraCartao::Agendado;
            c.ShapeAgendado = true;
            c._lblAgendadoPara = JanelaAgendamento(inicio, fim, hoje);
        }
    }

    QStringList descricao;
    const QString nome = texto(linha, u"NOME");
    if (!nome.isEmpty())
        descricao << QStringLiteral("Cliente: ") + nome;
    if (!c._lblDataPedido.isEmpty())
        descricao << QStringLiteral("Hora do pedido: ") + c._lblDataPedido;
    descricao << (aceite.isValid() ? QStringLiteral("Aceito às ") + c._lblAceitoAs
                                   : QStringLiteral("Ainda não aceito"));
    if (c._imgStatus01 == FiguraCartao::IFood)
        descricao << QStringLiteral("Origem: iFood");
    else if (c._imgStatus01 == FiguraCartao::OutraOrigem)
        descricao << QStringLiteral("Origem: outra");
    if (c._imgStatus02 == FiguraCartao::Delivery)
        descricao << QStringLiteral("Entrega");
    else if (c._imgStatus02 == FiguraCartao::Retirada)
        descricao << QStringLiteral("Retirada no local");
    else if (c._imgStatus02 == FiguraCartao::NaMesa)
        descricao << QStringLiteral("Consumo na mesa");
    if (c.ShapeAgendado && inicio.isValid()) {
        descricao << QStringLiteral("Agendado para ") +
                         formatDataHora(QStringLiteral("dd/mm/yyyy hh:nn"), inicio) +
                         QStringLiteral(" até ") +
                         formatDataHora(QStringLiteral("dd/mm/yyyy hh:nn"), fim);
    }
    if (c._imgStatusCan == FiguraCartao::Recusado)
        descricao << QStringLiteral("Pedido cancelado");
    c.textoAcessivel = QStringLiteral("Pedido ") + c._lblCodigoPedidoIfood + QStringLiteral(", ") +
                       c._lblStatusPedido;
    c.descricaoAcessivel = descricao.join(QStringLiteral(". "));
    return c;
}

TCartaoPedido CartaoSemRegistros()
{
    TCartaoPedido c;
    c.semRegistros = true;
    c.legendasHora = false;
    c._lblAceitoAs.clear();
    c._lblStatusPedido = QStringLiteral("SEM REGISTROS...");
    c.ShapeStatusPedido = Qt::black;
    c._bntSairEntrega = LegendaSairEntrega(1);
    c.textoAcessivel = c._lblStatusPedido;
    c.descricaoAcessivel = QStringLiteral("Nenhum pedido nesta pesquisa");
    return c;
}

} // namespace talvoro::ui
