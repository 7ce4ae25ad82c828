#include "toggleswitch.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

namespace talvoro::ui {

TToggleSwitch::TToggleSwitch(QWidget* parent)
    : QAbstractButton(parent)
{
    setCheckable(true);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    connect(this, &QAbstractButton::toggled, this, &TToggleSwitch::atualizaLegenda);
    atualizaLegenda();
}

void TToggleSwitch::setStateCaptionOn(const QString& caption)
{
    FCaptionOn = caption;
    atualizaLegenda();
}

void TToggleSwitch::setStateCaptionOff(const QString& caption)
{
    FCaptionOff = caption;
    atualizaLegenda();
}

void TToggleSwitch::setThumbColor(const QColor& cor)
{
    if (cor == FThumbColor)
        return;
    FThumbColor = cor;
    update();
}

void TToggleSwitch::atualizaLegenda()
{
    setText(isChecked() ? FCaptionOn : FCaptionOff);
    update();
}

QSize TToggleSwitch::sizeHint() const
{
    const QFontMetrics fm(font());
    const int largura =
        kLarguraTrilho + 6 +
        std::max(fm.horizontalAdvance(FCaptionOn), fm.horizontalAdvance(FCaptionOff)) + 4;
    return {largura, std::max(kAlturaTrilho + 4, fm.height() + 4)};
}

bool TToggleSwitch::hitButton(const QPoint& ponto) const
{
    return rect().contains(ponto);
}

void TToggleSwitch::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);

    const bool ativo = isEnabled();
    const QRectF trilho(1.5, (height() - kAlturaTrilho) / 2.0 + 0.5, kLarguraTrilho - 1,
                        kAlturaTrilho - 1);
    const qreal raio = trilho.height() / 2;
    p.setPen(QPen(ativo ? QColor(0x40, 0x40, 0x40) : QColor(0xA0, 0xA0, 0xA0), 1));
    p.setBrush(isDown() ? QColor(0xE0, 0xE0, 0xE0) : QColor(Qt::white));
    p.drawRoundedRect(trilho, raio, raio);

    const qreal diametro = trilho.height() - 6;
    const qreal x = isChecked() ? trilho.right() - 3 - diametro : trilho.left() + 3;
    const QRectF polegar(x, trilho.top() + 3, diametro, diametro);
    p.setPen(Qt::NoPen);
    p.setBrush(ativo ? FThumbColor : QColor(0xC0, 0xC0, 0xC0));
    p.drawEllipse(polegar);

    const QRect areaTexto(kLarguraTrilho + 6, 0, width() - kLarguraTrilho - 6, height());
    p.setPen(palette().color(ativo ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    p.setFont(font());
    p.drawText(areaTexto, Qt::AlignLeft | Qt::AlignVCenter, text());

    if (hasFocus()) {
        QStyleOptionFocusRect opcao;
        opcao.initFrom(this);
        opcao.rect = p.fontMetrics()
                         .boundingRect(areaTexto, Qt::AlignLeft | Qt::AlignVCenter, text())
                         .adjusted(-2, -1, 2, 1);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &opcao, &p, this);
    }
}

} // namespace talvoro::ui
