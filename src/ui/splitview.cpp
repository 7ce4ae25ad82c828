#include "splitview.h"

namespace talvoro::ui {

TSplitView::TSplitView(QWidget* parent)
    : QWidget(parent)
{
    setAutoFillBackground(true);
    setFixedWidth(FOpenedWidth);
    connect(&FTimer, &QTimer::timeout, this, &TSplitView::passo);
}

int TSplitView::larguraFechada() const
{
    return FCloseStyle == CloseStyle::Compact ? FCompactWidth : 0;
}

void TSplitView::setCloseStyle(CloseStyle estilo)
{
    FCloseStyle = estilo;
    if (!FOpened)
        moveAte(larguraFechada());
}

void TSplitView::Open()
{
    if (FOpened)
        return;
    FOpened = true;
    Q_EMIT opening();
    moveAte(FOpenedWidth);
}

void TSplitView::Close()
{
    if (!FOpened)
        return;
    FOpened = false;
    Q_EMIT closing();
    moveAte(larguraFechada());
}

void TSplitView::moveAte(int largura)
{
    FAlvo = largura;
    if (!FUseAnimation || width() == FAlvo) {
        FTimer.stop();
        setFixedWidth(FAlvo);
        terminou();
        return;
    }
    FTimer.start(FAnimationDelay);
}

void TSplitView::passo()
{
    const int atual = width();
    const int proxima = atual < FAlvo ? std::min(FAlvo, atual + FAnimationStep)
                                      : std::max(FAlvo, atual - FAnimationStep);
    setFixedWidth(proxima);
    if (proxima == FAlvo) {
        FTimer.stop();
        terminou();
    } else {
        FTimer.setInterval(FAnimationDelay);
    }
}

void TSplitView::terminou()
{
    if (FOpened)
        Q_EMIT opened();
    else
        Q_EMIT closed();
}

} // namespace talvoro::ui
