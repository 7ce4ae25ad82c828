#include "clicaveis.h"

#include <QAction>
#include <QEnterEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

namespace talvoro::ui {

namespace {

void desenhaFoco(QWidget* w, QPainter& p, const QRect& r)
{
    QStyleOptionFocusRect opcao;
    opcao.initFrom(w);
    opcao.rect = r;
    w->style()->drawPrimitive(QStyle::PE_FrameFocusRect, &opcao, &p, w);
}

} // namespace

TLabelClicavel::TLabelClicavel(QWidget* parent)
    : QAbstractButton(parent)
{
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
}

void TLabelClicavel::setCor(const QColor& cor)
{
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, cor);
    pal.setColor(QPalette::ButtonText, cor);
    setPalette(pal);
}

QSize TLabelClicavel::sizeHint() const
{
    const QFontMetrics fm(font());
    return {fm.horizontalAdvance(text()) + 4, fm.height() + 2};
}

void TLabelClicavel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setFont(font());
    p.setPen(palette().color(QPalette::WindowText));
    const QRect area = rect().adjusted(0, 0, -2, 0);
    p.drawText(area, Qt::AlignLeft | Qt::AlignVCenter, text());
    if (hasFocus())
        desenhaFoco(this, p,
                    p.fontMetrics().boundingRect(area, Qt::AlignLeft | Qt::AlignVCenter, text()));
}

TImagemClicavel::TImagemClicavel(QWidget* parent)
    : QAbstractButton(parent)
{
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
}

void TImagemClicavel::setPixmap(const QPixmap& pixmap)
{
    FPixmap = pixmap;
    update();
}

QSize TImagemClicavel::sizeHint() const
{
    return FPixmap.isNull() ? QSize(32, 32) : FPixmap.size();
}

void TImagemClicavel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QRect alvo(QPoint(0, 0), FPixmap.size());
    p.drawPixmap(alvo.translated(rect().center() - alvo.center()), FPixmap);
    if (hasFocus())
        desenhaFoco(this, p, rect());
}

TBotaoCategoria::TBotaoCategoria(QAction* acao, QWidget* parent)
    : QAbstractButton(parent)
    , FAcao(acao)
{
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    setIconSize(QSize(32, 32));
    connect(acao, &QAction::changed, this, &TBotaoCategoria::sincroniza);
    connect(this, &QAbstractButton::clicked, acao, [acao] { acao->trigger(); });
    sincroniza();
}

void TBotaoCategoria::sincroniza()
{
    setText(FAcao->text());
    setIcon(FAcao->icon());
    setEnabled(FAcao->isEnabled());
    setAccessibleName(FAcao->text());
    update();
}

void TBotaoCategoria::setMostraLegenda(bool mostra)
{
    FMostraLegenda = mostra;
    update();
}

QSize TBotaoCategoria::sizeHint() const
{
    return {200, 40};
}

void TBotaoCategoria::enterEvent(QEnterEvent* evento)
{
    FQuente = true;
    update();
    QAbstractButton::enterEvent(evento);
}

void TBotaoCategoria::leaveEvent(QEvent* evento)
{
    FQuente = false;
    update();
    QAbstractButton::leaveEvent(evento);
}

void TBotaoCategoria::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (isEnabled() && (FQuente || isDown()))
        p.fillRect(rect(), isDown() ? kCorQuente.darker(115) : kCorQuente);

    const int margem = FMostraLegenda ? 9 : (width() - 32) / 2;
    const QRect areaIcone(margem, (height() - 32) / 2, 32, 32);
    icon().paint(&p, areaIcone, Qt::AlignCenter, isEnabled() ? QIcon::Normal : QIcon::Disabled);

    if (FMostraLegenda) {
        p.setFont(font());
        p.setPen(isEnabled() ? QColor(Qt::white) : QColor(0xC8, 0xD4, 0xE8));
        p.drawText(rect().adjusted(margem + 32 + 10, 0, -4, 0), Qt::AlignLeft | Qt::AlignVCenter,
                   text());
    }
    if (hasFocus())
        desenhaFoco(this, p, rect().adjusted(1, 1, -1, -1));
}

} // namespace talvoro::ui
