#pragma once

#include <QTimer>
#include <QWidget>

namespace talvoro::ui {

// A side panel docked at the left that opens to OpenedWidth and closes either completely
// (Collapse) or to a narrow strip (Compact), pushing its neighbours aside. Opening and
// closing move the width by AnimationStep pixels every AnimationDelay milliseconds, or at
// once without animation.
class TSplitView : public QWidget
{
    Q_OBJECT

public:
    enum class CloseStyle
    {
        Collapse,
        Compact
    };

    explicit TSplitView(QWidget* parent = nullptr);

    // The state asked for last (also while the width is still moving there).
    bool isOpen() const { return FOpened; }
    void Open();
    void Close();

    int OpenedWidth() const { return FOpenedWidth; }
    int CompactWidth() const { return FCompactWidth; }
    CloseStyle closeStyle() const { return FCloseStyle; }
    void setCloseStyle(CloseStyle estilo);
    bool UseAnimation() const { return FUseAnimation; }
    void setUseAnimation(bool usa) { FUseAnimation = usa; }
    int AnimationDelay() const { return FAnimationDelay; }
    void setAnimationDelay(int ms) { FAnimationDelay = std::max(1, ms); }
    int AnimationStep() const { return FAnimationStep; }
    void setAnimationStep(int pixels) { FAnimationStep = std::max(1, pixels); }
    bool Animando() const { return FTimer.isActive(); }

Q_SIGNALS:
    void opening();
    void opened();
    void closing();
    void closed();

private:
    int larguraFechada() const;
    void moveAte(int largura);
    void passo();
    void terminou();

    bool FOpened = true;
    int FOpenedWidth = 200;
    int FCompactWidth = 50;
    CloseStyle FCloseStyle = CloseStyle::Collapse;
    bool FUseAnimation = true;
    int FAnimationDelay = 15;
    int FAnimationStep = 20;
    int FAlvo = 200;
    QTimer FTimer;
};

} // namespace talvoro::ui
