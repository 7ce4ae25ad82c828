#include "apoio_quadro.h"

#include "base/datahora.h"
#include "support/simulador.h"
#include "ui/mensagens.h"
#include "ui/motivocancelamento.h"
#include "ui/pedidoselecionado.h"
#include "ui/quadropedidos.h"
#include "ui/toggleswitch.h"
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
    ui::TPaginaPedidos& pag = pagina(j);

    AcoesPedido()
    {
        TThreadNFe_NFCe::Liberar(std::exchange(j.vTThreadIFOOD, nullptr));
        j.edtToken->setText(QStringLiteral("token-da-janela"));
    }

    // Writes the order, known to the fake server unless told otherwise.
    int inserir(const PedidoTeste& p, bool noIFood = true)
    {
        if (noIFood)
            s.sim.adicionarPedido({{"id", p.reference.toStdString()}});
        return inserePedido(dm, p);
    }

    // Selects the order's card and clicks the button. A marker order is written just before
    // the click, without listing it: the board shows it afterwards only if the click reloaded
    // the list.
    QString acionar(int cd, QPushButton* botao)
    {
        j.RecarregaListaPedidos();
        const int linha = linhaDoPedido(j, cd);
        EXPECT_GE(linha, 0);
        clicarCartao(j, linha);
        EXPECT_EQ(j.PedidoSelecionado().CdPedido, cd);
        EXPECT_TRUE(botao->isVisible());
        PedidoTeste marcador;
        marcador.status = QStringLiteral("PDF");
        marcador.reference = QStringLiteral("marcador-%1").arg(++m_marcadores);
        inserePedido(dm, marcador);
        clicar(botao);
        return marcador.reference;
    }

    // The board's list holds this reference.
    bool naLista(const QString& reference) const
    {
        for (const fb::Linha& l : dm.ListaPedido().linhas)
            if (l[u"reference"].toString() == reference)
                return true;
        return false;
    }

    fb::Linha linha(int cd)
    {
        return fb::Instrucao(dm.FDConnection1(), "select * from ifood_pedidos where cdpedido = :c")
            .param("c", cd)
            .abrir()
            .primeira();
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

private:
    int m_marcadores = 0;
};

QDateTime localParaUtc(const QDateTime& local)
{
    return semFuso(QDateTime(local.date(), local.time(), Qt::LocalTime).toUTC());
}

struct Chamada
{
    const char* nome;
    bool aceitar; // "Aceitar"; otherwise the hand-over button
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
    {"confirmar", true, 1, "/confirm", "ConfirmaPedido", "Resposta - ConfirmaPedido", "PEA",
     "statusaceite", "Falha ao confirmar o pedido!",
     "Falha ao Confirma pedido no IFOOD... detalhes do erro: "},
    {"despachar", false, 1, "/dispatch", "EntregaPedido", "Retorno - EntregaPedido", "PDE",
     "statusentrega", "Falha ao confirmar entrega do pedido!",
     "Falha ao Entregar pedido... detalhes do erro: "},
    {"retirada", false, 2, "/readyToPickup", "RetirarPedido", "Retorno - RetirarPedido", "PDR",
     "statusentrega", "Falha ao confirmar retirada do pedido!",
     "Falha ao Entregar pedido... detalhes do erro: "},
    {"na mesa", false, 3, "/readyToPickup", "RetirarPedido", "Retorno - RetirarPedido", "PDR",
     "statusentrega", "Falha ao confirmar retirada do pedido!",
     "Falha ao Entregar pedido... detalhes do erro: "},
};

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

// 202: the status and its flag change, two log rows, no dialog, the card follows.
// 404: the call's error dialog and an "N" reply row; the order unchanged.
// 401: only the request row. No connection: a text-log line only.
// The board is reloaded in every case.
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
            PedidoTeste p;
            p.shortReference = QString::number(2000 + ++n);
            p.reference = QStringLiteral("pedido-%1").arg(n);
            p.tipoentrega = c.tipoentrega;
            p.status = c.aceitar ? QStringLiteral("PNA") : QStringLiteral("PEA");
            const int cd = inserir(p, caso != NaoEncontrado);
            const QString recurso =
                QStringLiteral("/orders/") + p.reference + QLatin1String(c.sufixo);
            if (caso == NaoAutorizado)
                s.sim.forcarResposta("POST", "/order/v1.0" + recurso.toStdString(), 401);
            const size_t logsAntes = linhasLogs(dm).size();
            const qsizetype textoAntes = t.ambiente.linhasLogTexto().size();
            s.sim.limparRequisicoes();

            Dialogos dialogos;
            const QString marcador =
                acionar(cd, c.aceitar ? pag._bntAceitarPedido : pag._bntSairEntrega);

            const std::vector<LinhaLog> rows = logsDesde(logsAntes);
            const fb::Linha depois = linha(cd);
            const bool retirada = std::string_view(c.operacao) == "RetirarPedido";
            if (caso != SemRede) {
                const auto reqs = requisicoes();
                ASSERT_EQ(reqs.size(), 1u);
                EXPECT_EQ(reqs[0].metodo, "POST");
                EXPECT_EQ(reqs[0].caminho, "/order/v1.0" + recurso.toStdString());
                EXPECT_EQ(reqs[0].cabecalho("Authorization"), "Bearer token-da-janela");
                EXPECT_EQ(reqs[0].cabecalho("Accept"), "application/json");
                if (retirada) {
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
                envio(recurso, retirada ? kAcceptPadrao : QStringLiteral("application/json")));
            EXPECT_EQ(rows[0].recebido, u"<null>");
            EXPECT_TRUE(naLista(marcador));

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
                EXPECT_EQ(depois[u"dataaceite"].isNull(), !c.aceitar);
                // The same card stays selected and shows the new status.
                EXPECT_EQ(j.PedidoSelecionado().CdPedido, cd);
                EXPECT_EQ(j.PedidoSelecionado().statuspedido, QLatin1String(c.statusFinal));
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
    struct Caso
    {
        const char* status;
        const char* flag; // set to "S"
        QPushButton* botao;
        const char* mensagem;
    };
    const Caso casos[] = {
        {"PNA", "aceite", pag._bntAceitarPedido, "Pedido já aceito!"},
        {"PEA", "entrega", pag._bntSairEntrega, "Pedido já marcado para Entrega / Retirada!"},
        {"PCC", "cancelar", pag._bntRecusarPedido, "Pedido já recusado ou em rota de entrega!"},
        {"PDE", "entrega", pag._bntRecusarPedido, "Pedido já recusado ou em rota de entrega!"},
    };
    int n = 0;
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.mensagem);
        PedidoTeste p;
        p.shortReference = QString::number(3000 + ++n);
        p.reference = QStringLiteral("guarda-%1").arg(n);
        p.status = QLatin1String(c.status);
        const QString flag = QLatin1String(c.flag);
        p.statusaceite = flag == u"aceite" ? QStringLiteral("S") : QStringLiteral("N");
        p.statusentrega = flag == u"entrega" ? QStringLiteral("S") : QStringLiteral("N");
        p.statuscancelar = flag == u"cancelar" ? QStringLiteral("S") : QStringLiteral("N");
        const int cd = inserir(p);
        const size_t logsAntes = linhasLogs(dm).size();
        s.sim.limparRequisicoes();

        Dialogos dialogos;
        acionar(cd, c.botao);

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
        bool aceitar;
    } casos[] = {{1, 1, true}, {1, 1, false}, {1, 2, false}, {0, 0, false}};
    int n = 0;
    for (const auto& c : casos) {
        SCOPED_TRACE(n);
        PedidoTeste p;
        p.shortReference = QString::number(4000 + ++n);
        p.reference = QStringLiteral("outra-%1").arg(n);
        p.cdintegracao = c.cdintegracao;
        p.tipoentrega = c.tipoentrega;
        p.status = c.aceitar ? QStringLiteral("PNA") : QStringLiteral("PEA");
        const int cd = inserir(p);
        const size_t logsAntes = linhasLogs(dm).size();
        s.sim.limparRequisicoes();

        Dialogos dialogos;
        const QString marcador =
            acionar(cd, c.aceitar ? pag._bntAceitarPedido : pag._bntSairEntrega);

        EXPECT_TRUE(dialogos.vistos.isEmpty());
        EXPECT_TRUE(requisicoes().empty());
        EXPECT_EQ(linhasLogs(dm).size(), logsAntes);
        EXPECT_TRUE(naLista(marcador));
        EXPECT_EQ(linha(cd)[u"statuspedido"].toString(), p.status);
    }

    PedidoTeste p;
    p.shortReference = QStringLiteral("4999");
    p.reference = QStringLiteral("outra-recusa");
    p.cdintegracao = 1;
    const int cd = inserir(p);
    s.sim.limparRequisicoes();
    Dialogos dialogos(
        noPicker([](T_frmMotivoCancelamento* picker) { clicar(picker->_btnConfirmar); }));
    acionar(cd, pag._bntRecusarPedido);
    const auto reqs = requisicoes();
    ASSERT_EQ(reqs.size(), 1u);
    EXPECT_EQ(reqs[0].caminho, "/order/v1.0/orders/outra-recusa/requestCancellation");
}

TEST_F(AcoesPedido, EntregaAgendadaPerguntaAntes)
{
    const QDateTime amanha = dataHora(agora().date().addDays(1), QTime(19, 30));
    PedidoTeste p;
    p.reference = QStringLiteral("agendado-amanha");
    p.status = QStringLiteral("PEA");
    p.agendado = true;
    p.inicioUtc = localParaUtc(amanha);
    p.fimUtc = localParaUtc(amanha.addSecs(3600));
    const int cd = inserir(p);

    // "&Não": no request, no row, but the board is reloaded.
    {
        const size_t logsAntes = linhasLogs(dm).size();
        Dialogos dialogos([](QWidget* d) {
            auto* m = qobject_cast<T_frmFormMensagensPadrao*>(d);
            ASSERT_NE(m, nullptr);
            clicar(m->_btnNao);
        });
        const QString marcador = acionar(cd, pag._bntSairEntrega);
        ASSERT_EQ(dialogos.vistos.size(), 1);
        EXPECT_EQ(dialogos.vistos[0].texto,
                  QStringLiteral("A data de agendamento da entrega esta prevista para: ") +
                      amanha.toString(QStringLiteral("dd/MM/yyyy")) +
                      QStringLiteral(" 19:30 Deseja confirmar a entrega?"));
        EXPECT_EQ(dialogos.vistos[0].titulo, u"Pergunta do Sistema");
        EXPECT_TRUE(requisicoes().empty());
        EXPECT_EQ(linhasLogs(dm).size(), logsAntes);
        EXPECT_TRUE(naLista(marcador));
        EXPECT_EQ(linha(cd)[u"statuspedido"].toString(), u"PEA");
    }
    // "&Sim": dispatched.
    {
        Dialogos dialogos;
        acionar(cd, pag._bntSairEntrega);
        EXPECT_EQ(dialogos.vistos.size(), 1);
        EXPECT_EQ(linha(cd)[u"statuspedido"].toString(), u"PDE");
    }
    // A window that has already started: no question.
    PedidoTeste passado;
    passado.shortReference = QStringLiteral("1002");
    passado.reference = QStringLiteral("agendado-antes");
    passado.status = QStringLiteral("PEA");
    passado.tipoentrega = 2;
    passado.agendado = true;
    passado.inicioUtc = localParaUtc(agora().addSecs(-60));
    passado.fimUtc = localParaUtc(agora().addSecs(3600));
    const int cdPassado = inserir(passado);
    Dialogos dialogos;
    acionar(cdPassado, pag._bntSairEntrega);
    EXPECT_TRUE(dialogos.vistos.isEmpty());
    EXPECT_EQ(linha(cdPassado)[u"statuspedido"].toString(), u"PDR");
}

// The request goes to the order the operator chose, though the board changed under the
// question: here a reload (as a worker cycle does) no longer lists it and selects another.
TEST_F(AcoesPedido, RecargaDuranteAPerguntaNaoMudaOPedido)
{
    const QDateTime amanha = dataHora(agora().date().addDays(1), QTime(20, 0));
    PedidoTeste escolhido;
    escolhido.shortReference = QStringLiteral("5001");
    escolhido.reference = QStringLiteral("escolhido");
    escolhido.status = QStringLiteral("PEA");
    escolhido.agendado = true;
    escolhido.inicioUtc = localParaUtc(amanha);
    escolhido.fimUtc = localParaUtc(amanha.addSecs(3600));
    const int cdEscolhido = inserir(escolhido);
    PedidoTeste outro;
    outro.shortReference = QStringLiteral("5002");
    outro.reference = QStringLiteral("outro");
    outro.status = QStringLiteral("PEA");
    const int cdOutro = inserir(outro);

    Dialogos dialogos([&](QWidget* d) {
        fb::Instrucao(dm.FDConnection1(),
                      "update ifood_pedidos set datapedido = :ontem where cdpedido = :c")
            .param("ontem", agora().addDays(-1))
            .param("c", cdEscolhido)
            .executar();
        j.RecarregaListaPedidos();
        EXPECT_NE(j.PedidoSelecionado().CdPedido, cdEscolhido);
        Dialogos::fecharConfirmando(d);
    });
    acionar(cdEscolhido, pag._bntSairEntrega);

    ASSERT_EQ(dialogos.vistos.size(), 1);
    const auto reqs = requisicoes();
    ASSERT_EQ(reqs.size(), 1u);
    EXPECT_EQ(reqs[0].caminho, "/order/v1.0/orders/escolhido/dispatch");
    EXPECT_EQ(linha(cdEscolhido)[u"statuspedido"].toString(), u"PDE");
    EXPECT_EQ(linha(cdOutro)[u"statuspedido"].toString(), u"PEA");
}

// An order id is one segment of the address: characters that would change the path or
// start a query travel encoded.
TEST_F(AcoesPedido, IdDoPedidoFicaNumSoSegmento)
{
    PedidoTeste p;
    p.reference = QStringLiteral("a/../b?x=1");
    const int cd = inserir(p, false);
    Dialogos dialogos;
    acionar(cd, pag._bntAceitarPedido);
    const auto reqs = requisicoes();
    ASSERT_EQ(reqs.size(), 1u);
    EXPECT_EQ(reqs[0].caminho, "/order/v1.0/orders/a%2F..%2Fb%3Fx%3D1/confirm");
    EXPECT_TRUE(reqs[0].query.empty());
}

// A database error after iFood accepted the request is caught like a network error: a
// text-log line, no dialog; the order keeps its status.
TEST_F(AcoesPedido, ErroDoBancoDepoisDoAceite)
{
    PedidoTeste p;
    p.reference = QStringLiteral("banco-falha");
    const int cd = inserir(p);
    dm.FDConnection1().executarDireto("create exception e_teste 'sem atualizar'");
    dm.FDConnection1().executarDireto("create trigger tg_teste for ifood_pedidos before update "
                                      "as begin exception e_teste; end");
    Dialogos dialogos;
    const qsizetype textoAntes = t.ambiente.linhasLogTexto().size();
    acionar(cd, pag._bntAceitarPedido);
    EXPECT_TRUE(dialogos.vistos.isEmpty());
    const QStringList texto = t.ambiente.linhasLogTexto().mid(textoAntes);
    ASSERT_EQ(texto.size(), 1);
    EXPECT_TRUE(texto[0].startsWith(u"Falha ao Confirma pedido no IFOOD... detalhes do erro: "));
    EXPECT_TRUE(texto[0].contains(u"sem atualizar")) << texto[0].toStdString();
    EXPECT_EQ(linha(cd)[u"statuspedido"].toString(), u"PNA");
}

// ---- Refusal ------------------------------------------------------------------------------

TEST_F(AcoesPedido, RecusarEnviaOMotivoEscolhido)
{
    PedidoTeste p;
    p.reference = QStringLiteral("recusa-1");
    const int cd = inserir(p);
    const size_t logsAntes = linhasLogs(dm).size();

    // Down twice then Enter: the third reason for not yet accepted orders.
    Dialogos dialogos(noPicker([](T_frmMotivoCancelamento* picker) {
        QTest::keyClick(picker->DBGridStyles1, Qt::Key_Down);
        QTest::keyClick(picker->DBGridStyles1, Qt::Key_Down);
        QTest::keyClick(picker->DBGridStyles1, Qt::Key_Return);
    }));
    const QString marcador = acionar(cd, pag._bntRecusarPedido);

    const QString corpo =
        QStringLiteral(R"({"cancellationCode":"507","reason":"CLIENTE GOLPISTA / TROTE"})");
    const auto reqs = requisicoes();
    ASSERT_EQ(reqs.size(), 1u);
    EXPECT_EQ(reqs[0].caminho, "/order/v1.0/orders/recusa-1/requestCancellation");
    EXPECT_EQ(QString::fromStdString(reqs[0].corpo), corpo);
    EXPECT_EQ(reqs[0].cabecalho("Content-Type"), "application/json");
    EXPECT_EQ(reqs[0].cabecalho("Authorization"), "Bearer token-da-janela");
    const std::vector<LinhaLog> rows = logsDesde(logsAntes);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].acao, u"Envio - RecusarPedido");
    EXPECT_EQ(rows[0].nomeservico, u"IFOOD - RecusarPedido");
    EXPECT_EQ(rows[0].enviado, envio(QStringLiteral("/orders/recusa-1/requestCancellation"),
                                     QStringLiteral("application/json"), corpo));
    EXPECT_EQ(rows[1].acao, u"Resposta - RecusarPedido");
    EXPECT_EQ(rows[1].statuslog, u"S");
    EXPECT_EQ(rows[1].recebido, u"StatusCode: 202\rAccepted\r\r");
    // Only the picker was shown; the order waits for iFood's cancellation event.
    ASSERT_EQ(dialogos.vistos.size(), 1);
    EXPECT_EQ(linha(cd)[u"statuspedido"].toString(), u"PNA");
    EXPECT_TRUE(naLista(marcador));
}

TEST_F(AcoesPedido, RecusarCanceladoOuComFalha)
{
    PedidoTeste p;
    p.reference = QStringLiteral("recusa-2");
    p.status = QStringLiteral("PEA");
    const int cd = inserir(p);

    // "Cancelar" in the picker.
    {
        Dialogos dialogos(
            noPicker([](T_frmMotivoCancelamento* picker) { clicar(picker->_btnCancelar); }));
        acionar(cd, pag._bntRecusarPedido);
        ASSERT_EQ(dialogos.vistos.size(), 2);
        EXPECT_EQ(dialogos.vistos[1].texto, u"Cancelamento não processado!");
        EXPECT_TRUE(requisicoes().empty());
    }
    // 400: the error dialog and an "N" row; the first reason for accepted orders was sent.
    s.sim.forcarResposta("POST", "/order/v1.0/orders/recusa-2/requestCancellation", 400,
                         R"({"message":"invalid"})");
    const size_t logsAntes = linhasLogs(dm).size();
    {
        Dialogos dialogos(
            noPicker([](T_frmMotivoCancelamento* picker) { clicar(picker->_btnConfirmar); }));
        acionar(cd, pag._bntRecusarPedido);
        ASSERT_EQ(dialogos.vistos.size(), 2);
        EXPECT_EQ(dialogos.vistos[1].texto, u"Falha ao cancelar o pedido!");
    }
    const std::vector<LinhaLog> rows = logsDesde(logsAntes);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1].statuslog, u"N");
    EXPECT_EQ(rows[1].recebido, u"StatusCode: 400\rBad Request\r\r{\"message\":\"invalid\"}");
    ASSERT_EQ(requisicoes().size(), 1u);
    EXPECT_EQ(requisicoes()[0].corpo, R"({"cancellationCode":"511","reason":"AREA DE RISCO"})");
}

TEST_F(AcoesPedido, RecusarSemMotivosParaOFlagEnviaVazio)
{
    fb::Instrucao(dm.FDConnection1(), "delete from ifood_motivocanc where pedidoaceito = 'S'")
        .executar();
    PedidoTeste p;
    p.reference = QStringLiteral("recusa-3");
    p.status = QStringLiteral("PEA");
    const int cd = inserir(p);
    Dialogos dialogos(noPicker([](T_frmMotivoCancelamento* picker) {
        EXPECT_EQ(picker->DBGridStyles1->rowCount(), 0);
        clicar(picker->_btnConfirmar);
    }));
    acionar(cd, pag._bntRecusarPedido);
    const auto reqs = requisicoes();
    ASSERT_EQ(reqs.size(), 1u);
    EXPECT_EQ(reqs[0].corpo, R"({"cancellationCode":"","reason":""})");
    // iFood refuses an empty code.
    ASSERT_EQ(dialogos.vistos.size(), 2);
    EXPECT_EQ(dialogos.vistos[1].texto, u"Falha ao cancelar o pedido!");
}

// ---- End to end -----------------------------------------------------------------------------

// Orders come in from the fake server through the worker; from the board the operator
// accepts and dispatches one and refuses the other, whose cancellation comes back with the
// next cycle.
TEST(AcoesPedidoIntegracao, DoServidorFalsoAoQuadroEDeVolta)
{
    SimuladorIFood s;
    JanelaDeTeste t;
    T_frmMain& j = *t.janela;
    TDM& dm = t.ambiente.dm;
    ASSERT_TRUE(t.lojaAutorizadaNoSimulador(s.sim));
    const QString entrega = QString::fromStdString(s.sim.adicionarPedidoTexto(
        lerDados(QStringLiteral("pedidos/delivery_cartao.json")).toStdString()));
    const QString retirada = QString::fromStdString(s.sim.adicionarPedidoTexto(
        lerDados(QStringLiteral("pedidos/retirada.json")).toStdString()));

    // A new worker with the merchant id imports both orders in its first cycle.
    clicar(j.swVendeOffLine);
    clicar(j.swVendeOffLine);
    ASSERT_NE(j.vTThreadIFOOD, nullptr);
    ASSERT_TRUE(esperarAte([&] { return dm.ListaPedido().tamanho() == 2; }));
    EXPECT_EQ(j.edtToken->text(), dm.GetTokenBD(false).split(u'|').at(4));

    ui::TPaginaPedidos& p = pagina(j);
    auto cdDe = [&](const QString& reference) {
        return int(fb::Instrucao(dm.FDConnection1(),
                                 "select cdpedido from ifood_pedidos where reference = :r")
                       .param("r", reference)
                       .abrir()
                       .primeira()[u"cdpedido"]
                       .toInt());
    };
    auto selecionar = [&](int cd) {
        clicarCartao(j, linhaDoPedido(j, cd));
        return j.PedidoSelecionado().CdPedido == cd;
    };
    auto statusNoCartao = [&](int cd) {
        return p.DBCtrlGrid1->Modelo()->Cartao(linhaDoPedido(j, cd))._lblStatusPedido;
    };
    const int cdEntrega = cdDe(entrega);
    const int cdRetirada = cdDe(retirada);

    ASSERT_TRUE(selecionar(cdEntrega));
    clicar(p._bntAceitarPedido);
    EXPECT_EQ(statusNoCartao(cdEntrega), u"EM PREPARO");
    ASSERT_TRUE(p._bntSairEntrega->isVisible());
    EXPECT_EQ(p._bntSairEntrega->text(), u"Sair p/ Entrega");
    clicar(p._bntSairEntrega);
    EXPECT_EQ(statusNoCartao(cdEntrega), u"SAIU P/ ENTREGA");

    ASSERT_TRUE(selecionar(cdRetirada));
    {
        Dialogos dialogos([](QWidget* d) {
            auto* picker = qobject_cast<T_frmMotivoCancelamento*>(d);
            ASSERT_NE(picker, nullptr);
            clicar(picker->_btnConfirmar);
        });
        clicar(p._bntRecusarPedido);
        EXPECT_EQ(dialogos.vistos.size(), 1);
    }
    EXPECT_EQ(statusNoCartao(cdRetirada), u"PENDENTE");
    j.vTThreadIFOOD->CicloIFood();
    EXPECT_EQ(statusNoCartao(cdRetirada), u"CANCELADO");

    std::vector<std::string> acoes;
    for (const auto& r : s.sim.requisicoes())
        if (r.metodo == "POST" && r.caminho.rfind("/order/v1.0/orders/", 0) == 0)
            acoes.push_back(r.caminho.substr(r.caminho.rfind('/') + 1));
    EXPECT_EQ(acoes, std::vector<std::string>({"confirm", "dispatch", "requestCancellation"}));
}
