#include "apoio.h"

#include "base/datahora.h"
#include "support/simulador.h"
#include "ui/mensagens.h"
#include "ui/motivocancelamento.h"
#include "ui/pedidoselecionado.h"
#include "worker/worker.h"

#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <utility>

using namespace talvoro;
using namespace talvoro::teste;

namespace {

const QString kAcceptPadrao =
    QStringLiteral("application/json, text/plain; q=0.9, text/html;q=0.8,");

// The window against the fake iFood server, without a worker of its own: only the operator's
// requests reach the server. The activation keeps the switch on, so no worker comes back.
struct AcoesPedido : ::testing::Test
{
    SimuladorIFood s;
    JanelaDeTeste t;
    T_frmMain& j = *t.janela;
    TDM& dm = t.ambiente.dm;

    AcoesPedido()
    {
        TThreadNFe_NFCe::Liberar(std::exchange(j.vTThreadIFOOD, nullptr));
        j.edtToken->setText(QStringLiteral("token-da-janela"));
    }

    struct Pedido
    {
        QString reference;
        QString status = QStringLiteral("PNA");
        int tipoentrega = 1;
        int cdintegracao = 0;
        QDateTime agendadoPara; // invalid: not scheduled
        bool noIFood = true;    // the fake server knows the order
    };

    int inserir(const Pedido& p)
    {
        fb::Instrucao i(dm.FDConnection1(),
                        "insert into ifood_pedidos (cdintegracao, datapedido, deliverydatetime, "
                        "deliverydatetimestart, isagendado, seqdelivery, statuspedido, reference, "
                        "shortreference, tipoentrega) values (:cdintegracao, :agora, :agora, "
                        ":inicio, :agendado, 1, :status, :reference, '1234', :tipoentrega) "
                        "returning cdpedido");
        i.param("cdintegracao", p.cdintegracao)
            .param("agora", agora())
            .param("inicio", p.agendadoPara.isValid() ? fb::Valor(p.agendadoPara) : fb::Valor())
            .param("agendado", p.agendadoPara.isValid() ? QStringLiteral("S") : QStringLiteral("N"))
            .param("status", p.status)
            .param("reference", p.reference)
            .param("tipoentrega", p.tipoentrega);
        if (p.noIFood)
            s.sim.adicionarPedido({{"id", p.reference.toStdString()}});
        return int(i.abrir().primeira()[u"cdpedido"].toInt());
    }

    fb::Linha linha(int cd)
    {
        return fb::Instrucao(dm.FDConnection1(), "select * from ifood_pedidos where cdpedido = :c")
            .param("c", cd)
            .abrir()
            .primeira();
    }

    // The selected-order state as the board fills it from the order's row.
    TPedidoSelecionado selecao(int cd)
    {
        const fb::Linha l = linha(cd);
        TPedidoSelecionado p;
        p.CdPedido = cd;
        p.GetCorrelationId = l[u"reference"].toString();
        p.GetShortReference = l[u"shortreference"].toString();
        p.IsAgendado = l[u"isagendado"].toString() == u"S";
        p.GetDataAgendamentoStart = l[u"deliverydatetimestart"].toDateTime();
        p.GetStatusAceite = l[u"statusaceite"].toString() == u"S";
        p.GetStatusCancelar = l[u"statuscancelar"].toString() == u"S";
        p.GetStatusEntrega = l[u"statusentrega"].toString() == u"S";
        p.statuspedido = l[u"statuspedido"].toString();
        p.PedidoAceito = p.statuspedido == u"PNA" || p.statuspedido == u"PIN" ? u'N' : u'S';
        p.cdintegracao = int(l[u"cdintegracao"].toInt());
        p.tipoentrega = int(l[u"tipoentrega"].toInt());
        return p;
    }

    // The board's list holds this reference (it was loaded after the order was written).
    bool naLista(const QString& reference) const
    {
        for (const fb::Linha& l : dm.ListaPedido().linhas)
            if (l[u"reference"].toString() == reference)
                return true;
        return false;
    }

    std::vector<LinhaLog> logsDesde(size_t inicio)
    {
        std::vector<LinhaLog> todas = linhasLogs(dm);
        return {todas.begin() + std::ptrdiff_t(std::min(inicio, todas.size())), todas.end()};
    }

    std::vector<sim::RequisicaoGravada> requisicoes() const { return s.sim.requisicoes(); }

    QString envio(const QString& recurso,
                  const QString& accept = QStringLiteral("application/json"),
                  const QString& corpo = {}) const
    {
        QString texto = QStringLiteral("BaseURL: ") + QString::fromStdString(s.sim.urlBase()) +
                        QStringLiteral("/order/v1.0\rContentType: application/json\rAccept: ") +
                        accept + QStringLiteral("\rMethod: POST\r");
        if (!corpo.isEmpty())
            texto += QStringLiteral("Body: ") + corpo + u'\r';
        return texto + QStringLiteral("Resource: ") + recurso;
    }
};

enum class Acao
{
    Aceitar,
    SairEntrega,
};

struct Chamada
{
    const char* nome;
    Acao acao;
    int tipoentrega;
    const char* sufixo;
    const char* operacao;
    const char* retorno; // action of the reply row
    const char* statusFinal;
    const char* flag; // column set by the success step
    const char* falha;
    const char* prefixoLog;
};

const Chamada kChamadas[] = {
    {"confirmar", Acao::Aceitar, 1, "/confirm", "ConfirmaPedido", "Resposta - ConfirmaPedido",
     "PEA", "statusaceite", "Falha ao confirmar o pedido!",
     "Falha ao Confirma pedido no IFOOD... detalhes do erro: "},
    {"despachar", Acao::SairEntrega, 1, "/dispatch", "EntregaPedido", "Retorno - EntregaPedido",
     "PDE", "statusentrega", "Falha ao confirmar entrega do pedido!",
     "Falha ao Entregar pedido... detalhes do erro: "},
    {"retirada", Acao::SairEntrega, 2, "/readyToPickup", "RetirarPedido", "Retorno - RetirarPedido",
     "PDR", "statusentrega", "Falha ao confirmar retirada do pedido!",
     "Falha ao Entregar pedido... detalhes do erro: "},
    {"na mesa", Acao::SairEntrega, 3, "/readyToPickup", "RetirarPedido", "Retorno - RetirarPedido",
     "PDR", "statusentrega", "Falha ao confirmar retirada do pedido!",
     "Falha ao Entregar pedido... detalhes do erro: "},
};

} // namespace

// 202: the status and its flag change, two log rows, no dialog, the board reloaded.
// 404: the call's error dialog and an "N" reply row; the order unchanged.
// 401: only the request row. No connection: a text-log line only.
TEST_F(AcoesPedido, AsTresChamadasPorStatusDaResposta)
{
    enum Caso
    {
        Aceito,
        NaoEncontrado,
        NaoAutorizado,
        SemRede
    };
    int n = 0;
    for (const Caso caso : {Aceito, NaoEncontrado, NaoAutorizado, SemRede}) {
        if (caso == SemRede)
            s.sim.parar();
        for (const Chamada& c : kChamadas) {
            SCOPED_TRACE(std::string(c.nome) + " caso " + std::to_string(int(caso)));
            Pedido p;
            p.reference = QStringLiteral("pedido-%1").arg(++n);
            p.tipoentrega = c.tipoentrega;
            p.status = c.acao == Acao::Aceitar ? QStringLiteral("PNA") : QStringLiteral("PEA");
            p.noIFood = caso != NaoEncontrado;
            const int cd = inserir(p);
            const QString recurso =
                QStringLiteral("/orders/") + p.reference + QLatin1String(c.sufixo);
            if (caso == NaoAutorizado)
                s.sim.forcarResposta("POST", "/order/v1.0" + recurso.toStdString(), 401);
            const size_t logsAntes = linhasLogs(dm).size();
            const qsizetype textoAntes = t.ambiente.linhasLogTexto().size();
            s.sim.limparRequisicoes();

            Dialogos dialogos;
            if (c.acao == Acao::Aceitar)
                j.AceitarPedidoSelecionado(selecao(cd));
            else
                j.SairEntregaPedidoSelecionado(selecao(cd));

            const std::vector<LinhaLog> rows = logsDesde(logsAntes);
            const fb::Linha depois = linha(cd);
            const bool tipoRetirada = std::string_view(c.operacao) == "RetirarPedido";
            // Every case but the dropped network made exactly one request.
            if (caso != SemRede) {
                const auto reqs = requisicoes();
                ASSERT_EQ(reqs.size(), 1u);
                EXPECT_EQ(reqs[0].metodo, "POST");
                EXPECT_EQ(reqs[0].caminho, "/order/v1.0" + recurso.toStdString());
                EXPECT_EQ(reqs[0].cabecalho("Authorization"), "Bearer token-da-janela");
                EXPECT_EQ(reqs[0].cabecalho("Accept"), "application/json");
                if (tipoRetirada) {
                    EXPECT_EQ(reqs[0].cabecalho("Content-Type"), "application/json");
                }
            }
            ASSERT_GE(rows.size(), 1u);
            EXPECT_EQ(rows[0].acao, QStringLiteral("Envio - ") + QLatin1String(c.operacao));
            EXPECT_EQ(rows[0].nomeservico, QStringLiteral("IFOOD - ") + QLatin1String(c.operacao));
            EXPECT_EQ(rows[0].statuslog, u"S");
            EXPECT_EQ(rows[0].tipochamada, 2);
            EXPECT_EQ(rows[0].cdpedido, 0);
            EXPECT_EQ(
                rows[0].enviado,
                envio(recurso, tipoRetirada ? kAcceptPadrao : QStringLiteral("application/json")));
            EXPECT_EQ(rows[0].recebido, u"<null>");
            // Whatever happened, the board was loaded after the order was written.
            EXPECT_TRUE(naLista(p.reference));

            switch (caso) {
            case Aceito:
                ASSERT_EQ(rows.size(), 2u);
                EXPECT_EQ(rows[1].acao, QLatin1String(c.retorno));
                EXPECT_EQ(rows[1].statuslog, u"S");
                EXPECT_EQ(rows[1].enviado, u"<null>");
                EXPECT_EQ(rows[1].recebido, u"StatusCode: 202\rAccepted\r\r");
                EXPECT_TRUE(dialogos.vistos.isEmpty());
                EXPECT_EQ(depois[u"statuspedido"].toString(), QLatin1String(c.statusFinal));
                EXPECT_EQ(depois[QString::fromLatin1(c.flag)].toString(), u"S");
                EXPECT_EQ(depois[u"dataaceite"].isNull(), c.acao != Acao::Aceitar);
                break;
            case NaoEncontrado:
                ASSERT_EQ(rows.size(), 2u);
                EXPECT_EQ(rows[1].statuslog, u"N");
                EXPECT_TRUE(rows[1].recebido.startsWith(u"StatusCode: 404\rNot Found\r\r{"))
                    << rows[1].recebido.toStdString();
                ASSERT_EQ(dialogos.vistos.size(), 1);
                EXPECT_EQ(dialogos.vistos[0].texto, QLatin1String(c.falha));
                EXPECT_EQ(dialogos.vistos[0].titulo, u"Mensagem do Sistema");
                EXPECT_EQ(depois[u"statuspedido"].toString(), p.status);
                break;
            case NaoAutorizado:
            case SemRede:
                EXPECT_EQ(rows.size(), 1u);
                EXPECT_TRUE(dialogos.vistos.isEmpty());
                EXPECT_EQ(depois[u"statuspedido"].toString(), p.status);
                EXPECT_EQ(depois[QString::fromLatin1(c.flag)].toString(), u"N");
                break;
            }
            const QStringList texto = t.ambiente.linhasLogTexto().mid(textoAntes);
            if (caso == SemRede) {
                ASSERT_EQ(texto.size(), 1);
                EXPECT_TRUE(texto[0].startsWith(QLatin1String(c.prefixoLog) +
                                                QStringLiteral("REST request failed: ")))
                    << texto[0].toStdString();
            } else {
                EXPECT_TRUE(texto.isEmpty()) << texto.join(u'\n').toStdString();
            }
        }
    }
}

TEST_F(AcoesPedido, GuardasNaoFazemRequisicaoNemLog)
{
    const struct
    {
        const char* status;
        const char* coluna;
        int acao; // 0 Aceitar, 1 hand-over, 2 Recusar
        const char* mensagem;
    } casos[] = {
        {"PEA", "statusaceite", 0, "Pedido já aceito!"},
        {"PDE", "statusentrega", 1, "Pedido já marcado para Entrega / Retirada!"},
        {"PCC", "statuscancelar", 2, "Pedido já recusado ou em rota de entrega!"},
        {"PDE", "statusentrega", 2, "Pedido já recusado ou em rota de entrega!"},
    };
    int n = 0;
    for (const auto& c : casos) {
        SCOPED_TRACE(c.mensagem);
        Pedido p;
        p.reference = QStringLiteral("guarda-%1").arg(++n);
        p.status = QLatin1String(c.status);
        const int cd = inserir(p);
        fb::Instrucao(dm.FDConnection1(), "update ifood_pedidos set " + std::string(c.coluna) +
                                              " = 'S' where cdpedido = :c")
            .param("c", cd)
            .executar();
        const size_t logsAntes = linhasLogs(dm).size();
        s.sim.limparRequisicoes();

        Dialogos dialogos;
        const TPedidoSelecionado pedido = selecao(cd);
        if (c.acao == 0)
            j.AceitarPedidoSelecionado(pedido);
        else if (c.acao == 1)
            j.SairEntregaPedidoSelecionado(pedido);
        else
            j.RecusarPedidoSelecionado(pedido);

        // One plain box: no picker, no request, no row.
        ASSERT_EQ(dialogos.vistos.size(), 1);
        EXPECT_EQ(dialogos.vistos[0].texto, QString::fromUtf8(c.mensagem));
        EXPECT_EQ(dialogos.vistos[0].classe, u"QMessageBox");
        EXPECT_TRUE(requisicoes().empty());
        EXPECT_EQ(linhasLogs(dm).size(), logsAntes);
    }
}

// An order that did not come from iFood, or of an unknown delivery type, is not sent to
// iFood by Aceitar or the hand-over, but the board is reloaded; Recusar sends it anyway.
TEST_F(AcoesPedido, PedidoDeOutraOrigemOuTipoDesconhecido)
{
    const struct
    {
        int cdintegracao;
        int tipoentrega;
        int acao; // 0 Aceitar, 1 hand-over
    } casos[] = {{1, 1, 0}, {1, 1, 1}, {1, 2, 1}, {0, 0, 1}};
    int n = 0;
    for (const auto& c : casos) {
        SCOPED_TRACE(n);
        Pedido p;
        p.reference = QStringLiteral("outra-%1").arg(++n);
        p.cdintegracao = c.cdintegracao;
        p.tipoentrega = c.tipoentrega;
        p.status = c.acao == 0 ? QStringLiteral("PNA") : QStringLiteral("PEA");
        const int cd = inserir(p);
        const size_t logsAntes = linhasLogs(dm).size();
        s.sim.limparRequisicoes();

        Dialogos dialogos;
        if (c.acao == 0)
            j.AceitarPedidoSelecionado(selecao(cd));
        else
            j.SairEntregaPedidoSelecionado(selecao(cd));

        EXPECT_TRUE(dialogos.vistos.isEmpty());
        EXPECT_TRUE(requisicoes().empty());
        EXPECT_EQ(linhasLogs(dm).size(), logsAntes);
        EXPECT_TRUE(naLista(p.reference));
        EXPECT_EQ(linha(cd)[u"statuspedido"].toString(), p.status);
    }

    Pedido p;
    p.reference = QStringLiteral("outra-recusa");
    p.cdintegracao = 1;
    const int cd = inserir(p);
    s.sim.limparRequisicoes();
    Dialogos dialogos([](QWidget* d) {
        if (auto* picker = qobject_cast<T_frmMotivoCancelamento*>(d))
            clicar(picker->_btnConfirmar);
        else
            Dialogos::fecharConfirmando(d);
    });
    j.RecusarPedidoSelecionado(selecao(cd));
    const auto reqs = requisicoes();
    ASSERT_EQ(reqs.size(), 1u);
    EXPECT_EQ(reqs[0].caminho, "/order/v1.0/orders/outra-recusa/requestCancellation");
}

TEST_F(AcoesPedido, EntregaAgendadaPerguntaAntes)
{
    const QDateTime amanha = dataHora(agora().date().addDays(1), QTime(19, 30));
    Pedido p;
    p.reference = QStringLiteral("agendado-amanha");
    p.status = QStringLiteral("PEA");
    p.agendadoPara = amanha;
    const int cd = inserir(p);

    // "&Não": no request, no row, but the board is reloaded.
    {
        const size_t logsAntes = linhasLogs(dm).size();
        Dialogos dialogos([](QWidget* d) {
            auto* m = qobject_cast<T_frmFormMensagensPadrao*>(d);
            ASSERT_NE(m, nullptr);
            clicar(m->_btnNao);
        });
        j.SairEntregaPedidoSelecionado(selecao(cd));
        ASSERT_EQ(dialogos.vistos.size(), 1);
        EXPECT_EQ(dialogos.vistos[0].texto,
                  QStringLiteral("A data de agendamento da entrega esta prevista para: ") +
                      amanha.toString(QStringLiteral("dd/MM/yyyy")) +
                      QStringLiteral(" 19:30 Deseja confirmar a entrega?"));
        EXPECT_EQ(dialogos.vistos[0].titulo, u"Pergunta do Sistema");
        EXPECT_TRUE(requisicoes().empty());
        EXPECT_EQ(linhasLogs(dm).size(), logsAntes);
        EXPECT_TRUE(naLista(p.reference));
        EXPECT_EQ(linha(cd)[u"statuspedido"].toString(), u"PEA");
    }
    // "&Sim": dispatched.
    {
        Dialogos dialogos;
        j.SairEntregaPedidoSelecionado(selecao(cd));
        EXPECT_EQ(dialogos.vistos.size(), 1);
        EXPECT_EQ(linha(cd)[u"statuspedido"].toString(), u"PDE");
    }
    // A window that has already started: no question.
    Pedido passado;
    passado.reference = QStringLiteral("agendado-ontem");
    passado.status = QStringLiteral("PEA");
    passado.tipoentrega = 2;
    passado.agendadoPara = agora().addSecs(-60);
    const int cdPassado = inserir(passado);
    Dialogos dialogos;
    j.SairEntregaPedidoSelecionado(selecao(cdPassado));
    EXPECT_TRUE(dialogos.vistos.isEmpty());
    EXPECT_EQ(linha(cdPassado)[u"statuspedido"].toString(), u"PDR");
}

// An order id is one segment of the address: characters that would change the path or
// start a query travel encoded.
TEST_F(AcoesPedido, IdDoPedidoFicaNumSoSegmento)
{
    Pedido p;
    p.reference = QStringLiteral("a/../b?x=1");
    p.noIFood = false;
    const int cd = inserir(p);
    Dialogos dialogos;
    j.AceitarPedidoSelecionado(selecao(cd));
    const auto reqs = requisicoes();
    ASSERT_EQ(reqs.size(), 1u);
    EXPECT_EQ(reqs[0].caminho, "/order/v1.0/orders/a%2F..%2Fb%3Fx%3D1/confirm");
    EXPECT_TRUE(reqs[0].query.empty());
}

// A database error after iFood accepted the request is caught like a network error: a
// text-log line, no dialog; the order keeps its status.
TEST_F(AcoesPedido, ErroDoBancoDepoisDoAceite)
{
    Pedido p;
    p.reference = QStringLiteral("banco-falha");
    const int cd = inserir(p);
    dm.FDConnection1().executarDireto("create exception e_teste 'sem atualizar'");
    dm.FDConnection1().executarDireto("create trigger tg_teste for ifood_pedidos before update "
                                      "as begin exception e_teste; end");
    Dialogos dialogos;
    const qsizetype textoAntes = t.ambiente.linhasLogTexto().size();
    j.AceitarPedidoSelecionado(selecao(cd));
    EXPECT_TRUE(dialogos.vistos.isEmpty());
    const QStringList texto = t.ambiente.linhasLogTexto().mid(textoAntes);
    ASSERT_EQ(texto.size(), 1);
    EXPECT_TRUE(texto[0].startsWith(u"Falha ao Confirma pedido no IFOOD... detalhes do erro: "));
    EXPECT_TRUE(texto[0].contains(u"sem atualizar")) << texto[0].toStdString();
    EXPECT_EQ(linha(cd)[u"statuspedido"].toString(), u"PNA");
}

// ---- Refusal ------------------------------------------------------------------------------

namespace {

// Answers the picker with `acao` and every other dialog with its OK button.
Dialogos::Responder noPicker(std::function<void(T_frmMotivoCancelamento*)> acao)
{
    return [acao](QWidget* d) {
        if (auto* picker = qobject_cast<T_frmMotivoCancelamento*>(d))
            acao(picker);
        else
            Dialogos::fecharConfirmando(d);
    };
}

} // namespace

TEST_F(AcoesPedido, RecusarEnviaOMotivoEscolhido)
{
    Pedido p;
    p.reference = QStringLiteral("recusa-1");
    const int cd = inserir(p);
    const size_t logsAntes = linhasLogs(dm).size();

    // Down twice then Enter: the third reason for not yet accepted orders.
    Dialogos dialogos(noPicker([](T_frmMotivoCancelamento* picker) {
        QTest::keyClick(picker->DBGridStyles1, Qt::Key_Down);
        QTest::keyClick(picker->DBGridStyles1, Qt::Key_Down);
        QTest::keyClick(picker->DBGridStyles1, Qt::Key_Return);
    }));
    j.RecusarPedidoSelecionado(selecao(cd));

    const auto reqs = requisicoes();
    ASSERT_EQ(reqs.size(), 1u);
    EXPECT_EQ(reqs[0].caminho, "/order/v1.0/orders/recusa-1/requestCancellation");
    EXPECT_EQ(reqs[0].corpo, R"({"cancellationCode":"507","reason":"CLIENTE GOLPISTA / TROTE"})");
    EXPECT_EQ(reqs[0].cabecalho("Content-Type"), "application/json");
    EXPECT_EQ(reqs[0].cabecalho("Authorization"), "Bearer token-da-janela");
    const std::vector<LinhaLog> rows = logsDesde(logsAntes);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].acao, u"Envio - RecusarPedido");
    EXPECT_EQ(rows[0].nomeservico, u"IFOOD - RecusarPedido");
    EXPECT_EQ(
        rows[0].enviado,
        envio(QStringLiteral("/orders/recusa-1/requestCancellation"),
              QStringLiteral("application/json"),
              QStringLiteral(R"({"cancellationCode":"507","reason":"CLIENTE GOLPISTA / TROTE"})")));
    EXPECT_EQ(rows[1].acao, u"Resposta - RecusarPedido");
    EXPECT_EQ(rows[1].statuslog, u"S");
    EXPECT_EQ(rows[1].recebido, u"StatusCode: 202\rAccepted\r\r");
    // Only the picker was shown; the order waits for iFood's cancellation event.
    ASSERT_EQ(dialogos.vistos.size(), 1);
    EXPECT_EQ(linha(cd)[u"statuspedido"].toString(), u"PNA");
    EXPECT_TRUE(naLista(p.reference));
}

TEST_F(AcoesPedido, RecusarCanceladoOuComFalha)
{
    Pedido p;
    p.reference = QStringLiteral("recusa-2");
    const int cd = inserir(p);

    // "Cancelar" in the picker.
    {
        Dialogos dialogos(
            noPicker([](T_frmMotivoCancelamento* picker) { clicar(picker->_btnCancelar); }));
        j.RecusarPedidoSelecionado(selecao(cd));
        ASSERT_EQ(dialogos.vistos.size(), 2);
        EXPECT_EQ(dialogos.vistos[1].texto, u"Cancelamento não processado!");
        EXPECT_TRUE(requisicoes().empty());
    }
    // 400: the error dialog and an "N" row.
    s.sim.forcarResposta("POST", "/order/v1.0/orders/recusa-2/requestCancellation", 400,
                         R"({"message":"invalid"})");
    const size_t logsAntes = linhasLogs(dm).size();
    {
        Dialogos dialogos(
            noPicker([](T_frmMotivoCancelamento* picker) { clicar(picker->_btnConfirmar); }));
        j.RecusarPedidoSelecionado(selecao(cd));
        ASSERT_EQ(dialogos.vistos.size(), 2);
        EXPECT_EQ(dialogos.vistos[1].texto, u"Falha ao cancelar o pedido!");
    }
    const std::vector<LinhaLog> rows = logsDesde(logsAntes);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1].statuslog, u"N");
    EXPECT_EQ(rows[1].recebido, u"StatusCode: 400\rBad Request\r\r{\"message\":\"invalid\"}");
    // The first reason, untouched, was the one sent.
    EXPECT_EQ(requisicoes().at(0).corpo, R"({"cancellationCode":"511","reason":"AREA DE RISCO"})");
}

TEST_F(AcoesPedido, RecusarSemMotivosParaOFlagEnviaVazio)
{
    fb::Instrucao(dm.FDConnection1(), "delete from ifood_motivocanc where pedidoaceito = 'S'")
        .executar();
    Pedido p;
    p.reference = QStringLiteral("recusa-3");
    p.status = QStringLiteral("PEA");
    const int cd = inserir(p);
    Dialogos dialogos(noPicker([](T_frmMotivoCancelamento* picker) {
        EXPECT_EQ(picker->DBGridStyles1->rowCount(), 0);
        clicar(picker->_btnConfirmar);
    }));
    j.RecusarPedidoSelecionado(selecao(cd));
    const auto reqs = requisicoes();
    ASSERT_EQ(reqs.size(), 1u);
    EXPECT_EQ(reqs[0].corpo, R"({"cancellationCode":"","reason":""})");
    // iFood refuses an empty code.
    ASSERT_EQ(dialogos.vistos.size(), 2);
    EXPECT_EQ(dialogos.vistos[1].texto, u"Falha ao cancelar o pedido!");
}
