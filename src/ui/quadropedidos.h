#pragma once

#include "data/fb/valor.h"
#include "ui/cartaopedido.h"

#include <QAbstractListModel>
#include <QListView>
#include <QStyledItemDelegate>

#include <optional>
#include <vector>

namespace talvoro::ui {

// The rows of the order list as the board's cards. An empty list is one blank card
// ("SEM REGISTROS..."). Screen readers read each card through AccessibleTextRole and
// AccessibleDescriptionRole.
class TModeloPedidos : public QAbstractListModel
{
    Q_OBJECT

public:
    using QAbstractListModel::QAbstractListModel;

    // Takes the rows of a fresh listing; `hoje` is the day the scheduled windows compare with.
    void DefineLista(const fb::Resultado& lista, QDate hoje);

    bool SemRegistros() const { return FLinhas.empty(); }
    int Quantidade() const { return int(FLinhas.size()); }
    // The row of an order number, -1 when it is not listed.
    int LinhaDoPedido(int cdPedido) const;
    const fb::Linha& Linha(int linha) const { return FLinhas.at(size_t(linha)); }
    const TCartaoPedido& Cartao(int linha) const;

    int rowCount(const QModelIndex& pai = {}) const override;
    QVariant data(const QModelIndex& indice, int papel) const override;

private:
    std::vector<fb::Linha> FLinhas;
    mutable std::vector<std::optional<TCartaoPedido>> FCartoes;
    TCartaoPedido FSemRegistros = CartaoSemRegistros();
    QDate FHoje;
};

// Paints one order card (374 x 154 px) with the elements at their places.
class TDelegadoCartao : public QStyledItemDelegate
{
    Q_OBJECT

public:
    static constexpr int kLargura = 374;
    static constexpr int kAltura = 154;

    TDelegadoCartao(const FigurasPedido& figuras, QObject* pai);

    void paint(QPainter* pintor, const QStyleOptionViewItem& opcao,
               const QModelIndex& indice) const override;
    QSize sizeHint(const QStyleOptionViewItem& opcao, const QModelIndex& indice) const override;

    static void PintaCartao(QPainter& p, const QRect& area, const TCartaoPedido& cartao,
                            bool selecionado, const FigurasPedido& figuras);

private:
    const FigurasPedido& FFiguras;
};

// The board DBCtrlGrid1: one column of order cards on silver, `RowCount` cards high, the
// selected card in #AEE4F0, hand cursor.
class TGradePedidos : public QListView
{
    Q_OBJECT

public:
    TGradePedidos(const FigurasPedido& figuras, QWidget* pai);

    int RowCount() const { return FRowCount; }
    void SetRowCount(int linhas);

    TModeloPedidos* Modelo() const { return FModelo; }
    // The visual rectangle of a card, in the viewport's coordinates.
    QRect RetanguloCartao(int linha) const;

    QSize sizeHint() const override;

private:
    TModeloPedidos* FModelo;
    TDelegadoCartao* FDelegado;
    int FRowCount = 6;
};

} // namespace talvoro::ui
