#include "quadropedidos.h"

#include "ui/construcao.h"
#include "ui/fontes.h"

#include <QPainter>
#include <QScrollBar>

namespace talvoro::ui {

// ---- Model --------------------------------------------------------------------------------

void TModeloPedidos::DefineLista(const fb::Resultado& lista, QDate hoje)
{
    beginResetModel();
    FLinhas = lista.linhas;
    FCartoes.assign(FLinhas.size(), std::nullopt);
    FHoje = hoje;
    endResetModel();
}

int TModeloPedidos::LinhaDoPedido(int cdPedido) const
{
    for (size_t i = 0; i < FLinhas.size(); ++i) {
        const fb::Valor& v = FLinhas[i][u"CDPEDIDO"];
        if (!v.isNull() && v.toInt() == cdPedido)
            return int(i);
    }
    return -1;
}

const TCartaoPedido& TModeloPedidos::Cartao(int linha) const
{
    if (FLinhas.empty())
        return FSemRegistros;
    std::optional<TCartaoPedido>& cartao = FCartoes.at(size_t(linha));
    if (!cartao)
        cartao = MontaCartao(FLinhas[size_t(linha)], FHoje);
    return *cartao;
}

int TModeloPedidos::rowCount(const QModelIndex& pai) const
{
    if (pai.isValid())
        return 0;
    return FLinhas.empty() ? 1 : int(FLinhas.size());
}

QVariant TModeloPedidos::data(const QModelIndex& indice, int papel) const
{
    if (!indice.isValid() || indice.row() >= rowCount())
        return {};
    switch (papel) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return Cartao(indice.row()).textoAcessivel;
    case Qt::AccessibleDescriptionRole:
        return Cartao(indice.row()).descricaoAcessivel;
    default:
        return {};
    }
}

// ---- Card painter -------------------------------------------------------------------------

namespace {

const QColor kVermelhoCodigo(0xCA, 0x23, 0x2B);
const QColor kBordaFaixa(0x04, 0x76, 0x94);
const QColor kSilver(0xC0, 0xC0, 0xC0);
const QColor kSeparador(0x24, 0x4E, 0x77);

void texto(QPainter& p, const QRect& r, const QString& t, const QFont& f, const QColor& c,
           Qt::Alignment alinhamento = Qt::AlignLeft | Qt::AlignTop)
{
    if (t.isEmpty())
        return;
    p.setFont(f);
    p.setPen(c);
    p.drawText(r, int(alinhamento) | Qt::TextSingleLine, t);
}

void retangulo(QPainter& p, const QRect& r, const QColor& preenchimento, const QColor& borda)
{
    p.setPen(borda);
    p.setBrush(preenchimento);
    p.drawRect(r.adjusted(0, 0, -1, -1));
}

void imagem(QPainter& p, const QRect& r, const QPixmap& pixmap)
{
    if (pixmap.isNull())
        return;
    const QSize tamanho = pixmap.deviceIndependentSize().toSize();
    const QPoint canto(r.x() + (r.width() - tamanho.width()) / 2,
                       r.y() + (r.height() - tamanho.height()) / 2);
    p.drawPixmap(canto, pixmap);
}

struct FontesCartao
{
    QFont codigo = tahoma(19, true);
    QFont legenda = tahoma(13, true);
    QFont valor = tahoma(13);
    QFont faixa = tahoma(11, true);
};

const FontesCartao& fontesCartao()
{
    static const FontesCartao fontes;
    return fontes;
}

} // namespace

TDelegadoCartao::TDelegadoCartao(const FigurasPedido& figuras, QObject* pai)
    : QStyledItemDelegate(pai)
    , FFiguras(figuras)
{}

QSize TDelegadoCartao::sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const
{
    return {kLargura, kAltura};
}

void TDelegadoCartao::paint(QPainter* pintor, const QStyleOptionViewItem& opcao,
                            const QModelIndex& indice) const
{
    const auto* modelo = qobject_cast<const TModeloPedidos*>(indice.model());
    if (!modelo)
        return;
    PintaCartao(*pintor, opcao.rect, modelo->Cartao(indice.row()),
                opcao.state.testFlag(QStyle::State_Selected), FFiguras);
}

void TDelegadoCartao::PintaCartao(QPainter& p, const QRect& area, const TCartaoPedido& c,
                                  bool selecionado, const FigurasPedido& f)
{
    const FontesCartao& fonte = fontesCartao();
    p.save();
    p.translate(area.topLeft());
    const QRect cartao(0, 0, area.width(), area.height());
    p.setClipRect(cartao);
    // The blank card of an empty board is the selected one, in white.
    p.fillRect(cartao, c.semRegistros ? QColor(Qt::white)
                       : selecionado  ? cor::selecionado
                                      : kSilver);

    texto(p, QRect(6, 4, 300, 24), c._lblCodigoPedidoIfood, fonte.codigo, kVermelhoCodigo);
    if (c.legendasHora) {
        texto(p, QRect(5, 31, 90, 17), QStringLiteral("Hora Pedido:"), fonte.legenda, kNavy);
        texto(p, QRect(134, 31, 70, 17), QStringLiteral("aceito às:"), fonte.legenda, kNavy);
    }
    texto(p, QRect(92, 31, 42, 17), c._lblDataPedido, fonte.valor, kNavy);
    texto(p, QRect(203, 31, 60, 17), c._lblAceitoAs, fonte.valor, kNavy);
    imagem(p, QRect(312, 20, 57, 54), figura(f, c._imgStatus01));

    retangulo(p, QRect(5, 84, 182, 28), c.ShapeStatusPedido, kBordaFaixa);
    texto(p, QRect(15, 91, 164, 14), c._lblStatusPedido, fonte.faixa, Qt::white, Qt::AlignCenter);
    if (c.ShapeAgendado) {
        retangulo(p, QRect(6, 116, 181, 28), c.ShapeStatusPedido, kBordaFaixa);
        texto(p, QRect(65, 116, 100, 14), QStringLiteral("AGENDADO"), fonte.faixa, Qt::white);
        texto(p, QRect(24, 129, 144, 14), c._lblAgendadoPara, fonte.faixa, Qt::white,
              Qt::AlignCenter);
    }
    imagem(p, QRect(192, 91, 57, 58), figura(f, c._imgStatusCan));
    imagem(p, QRect(252, 91, 57, 58), figura(f, c._imgStatusAgen));
    imagem(p, QRect(312, 90, 57, 58), figura(f, c._imgStatus02));

    retangulo(p, QRect(0, cartao.height() - 4, cartao.width(), 4), kSeparador, kMaroon);
    p.restore();
}

// ---- The board ----------------------------------------------------------------------------

TGradePedidos::TGradePedidos(const FigurasPedido& figuras, QWidget* pai)
    : QListView(pai)
    , FModelo(new TModeloPedidos(this))
    , FDelegado(new TDelegadoCartao(figuras, this))
{
    setObjectName(QStringLiteral("DBCtrlGrid1"));
    setAccessibleName(QStringLiteral("Pedidos"));
    setModel(FModelo);
    setItemDelegate(FDelegado);
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setDragEnabled(false);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFrameShape(QFrame::NoFrame);
    setSpacing(0);
    QPalette pal = palette();
    pal.setColor(QPalette::Base, kSilver);
    setPalette(pal);
    viewport()->setCursor(Qt::PointingHandCursor);
    setFixedWidth(391);
}

void TGradePedidos::SetRowCount(int linhas)
{
    FRowCount = std::max(1, linhas);
    updateGeometry();
}

QRect TGradePedidos::RetanguloCartao(int linha) const
{
    return visualRect(FModelo->index(linha));
}

QSize TGradePedidos::sizeHint() const
{
    return {391, FRowCount * TDelegadoCartao::kAltura + 2 * frameWidth()};
}

} // namespace talvoro::ui
