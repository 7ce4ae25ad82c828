// The order board on a day with 500 orders (each with its customer, 3 item lines and 2
// payments): the time to list the day (the data module's query alone, then with the board
// taking the rows, selecting the first card and loading its summary) and the time of the
// first paint of the order page after the listing. Runs on the offscreen platform.
#include "base/datahora.h"
#include "base/pastas.h"
#include "data/dm.h"
#include "data/fb/firebird.h"
#include "ui/desenhos.h"
#include "ui/fontes.h"
#include "ui/paginapedidos.h"
#include "ui/quadropedidos.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLocale>
#include <QPixmap>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace talvoro;

namespace {

constexpr int kPedidos = 500;
constexpr int kRepeticoes = 15;

void preencheDia(TDM& dm)
{
    const QDate hoje = QDate::currentDate();
    fb::Instrucao cliente(dm.FDConnection1(),
                          "insert into tb_cliente (nome, cpf, foneifood, phone_localizer, "
                          "logradouro, bairro, cidade, cep) values (:nome, '12345678909', "
                          "'0800 705 0500', :loc, 'RUA AUGUSTA, 1500', 'CONSOLACAO', 'SAO PAULO', "
                          "'01304001') returning cdcliente");
    fb::Instrucao pedido(
        dm.FDConnection1(),
        "insert into ifood_pedidos (cdintegracao, cdpagamento, datapedido, deliverydatetime, "
        "isagendado, seqdelivery, statuspedido, reference, shortreference, cdcliente, tipoentrega, "
        "subtotal, deliveryfee, totalprice) values (0, 0, :quando, :quando, 'N', :seq, :status, "
        ":ref, :num, :cliente, :tipo, 80, 7.99, 87.99) returning cdpedido");
    fb::Instrucao item(dm.FDConnection1(),
                       "insert into ifood_pedidos_itens (cdpedido, nritem, externalcode, name, "
                       "isauxiliar, quantity, discount, price, totalprice, statusintegrado) values "
                       "(:cd, 1, 101, :nome, :aux, 1, 0, 20, 20, 'N')");
    const char* const status[] = {"PNA", "PEA", "PDE", "PDF", "PCC", "PDR"};
    for (int n = 0; n < kPedidos; ++n) {
        const int cdCliente = int(cliente.param("nome", QStringLiteral("CLIENTE %1").arg(n))
                                      .param("loc", QString::number(10000000 + n))
                                      .abrir()
                                      .primeira()[u"cdcliente"]
                                      .toInt());
        const int cd = int(pedido.param("quando", dataHora(hoje, QTime(10, 0).addSecs(n * 60)))
                               .param("seq", n + 1)
                               .param("status", QString::fromLatin1(status[n % 6]))
                               .param("ref", QStringLiteral("bench-%1").arg(n))
                               .param("num", QString::number(1000 + n))
                               .param("cliente", cdCliente)
                               .param("tipo", 1 + n % 3)
                               .abrir()
                               .primeira()[u"cdpedido"]
                               .toInt());
        for (const char* aux : {"N", "S", "N"})
            item.param("cd", cd)
                .param("nome", QStringLiteral("PRODUTO"))
                .param("aux", QString::fromLatin1(aux))
                .executar();
        dm.InsertpagamentosiFood(cd, QStringLiteral("CREDIT"), QStringLiteral("PAGAMENTO IFOOD"),
                                 QStringLiteral("true"), QStringLiteral("ONLINE"),
                                 Money::fromUnits(5));
        dm.InsertpagamentosiFood(cd, QStringLiteral("CASH"), QStringLiteral("CASH"),
                                 QStringLiteral("false"), QStringLiteral("OFFLINE"),
                                 Money::fromRaw(879900));
    }
}

struct Medida
{
    std::vector<double> ms;
    void add(const QElapsedTimer& t) { ms.push_back(double(t.nsecsElapsed()) / 1e6); }
    double minimo() const { return *std::min_element(ms.begin(), ms.end()); }
    double mediana() const
    {
        std::vector<double> v = ms;
        std::sort(v.begin(), v.end());
        return v[v.size() / 2];
    }
};

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
    ui::carregarFontes();

    QTemporaryDir raiz;
    fb::inicializarMotor(raiz.filePath(QStringLiteral("lock")));
    QTemporaryDir pasta;
    qputenv("TALVORO_HOME", QFile::encodeName(pasta.path()));
    TDM dm(false);
    dm.DataModuleCreate();

    QElapsedTimer t;
    t.start();
    preencheDia(dm);
    std::printf("%d orders written in %.0f ms (forced writes off)\n", kPedidos,
                double(t.elapsed()));

    const QSize cartao(57, 54);
    ui::FigurasPedido figuras;
    figuras.iFood = ui::desenho::iFood(cartao);
    figuras.outraOrigem = ui::desenho::outraOrigem(cartao);
    figuras.delivery = ui::desenho::delivery(cartao);
    figuras.retirada = ui::desenho::retirada(cartao);
    figuras.naMesa = ui::desenho::naMesa(cartao);
    figuras.agendado = ui::desenho::agendado(cartao);
    figuras.recusado = ui::desenho::recusado(cartao);
    figuras.vazio = ui::desenho::vazio(cartao);

    ui::TPaginaPedidos pagina(dm, figuras, nullptr);
    pagina.resize(1724, 858);
    pagina.show();
    QCoreApplication::processEvents();
    const QDateTime hoje = agora();

    Medida consulta, lista, pintura;
    for (int i = 0; i < kRepeticoes; ++i) {
        dm.DefineVisaoListaPedidos(nullptr);
        t.restart();
        dm.ListaPedidos(hoje, hoje, 0, 0, 0, QString());
        consulta.add(t);

        dm.DefineVisaoListaPedidos(&pagina);
        t.restart();
        dm.ListaPedidos(hoje, hoje, 0, 0, 0, QString());
        lista.add(t);

        t.restart();
        const QPixmap quadro = pagina.grab();
        pintura.add(t);
        if (quadro.isNull() || pagina.DBCtrlGrid1->Modelo()->Quantidade() != kPedidos) {
            std::fprintf(stderr, "the board did not list the day\n");
            return 1;
        }
    }
    dm.DefineVisaoListaPedidos(nullptr);

    std::printf("list the day, query alone:             median %7.2f ms  min %7.2f ms\n",
                consulta.mediana(), consulta.minimo());
    std::printf("list the day, with the board + summary: median %7.2f ms  min %7.2f ms"
                "  (very first: %.2f ms)\n",
                lista.mediana(), lista.minimo(), lista.ms.front());
    std::printf("first paint of the order page:          median %7.2f ms  min %7.2f ms"
                "  (very first: %.2f ms)\n",
                pintura.mediana(), pintura.minimo(), pintura.ms.front());
    std::printf("(%d orders listed, %d repetitions)\n", kPedidos, kRepeticoes);
    return 0;
}
