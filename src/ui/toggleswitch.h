#pragma once

#include <QAbstractButton>
#include <QColor>

namespace talvoro::ui {

// An on/off switch: a track with a round thumb and the caption of the current state beside
// it. The state is the button's checked state, so toggled(bool) reports every change, made
// by the operator (click, space bar) or by the program (setChecked); setting the state it
// already has reports nothing. Assistive technology sees a check box with its on/off state.
// The thumb's colour belongs to the owner: the switch does not change it by itself.
class TToggleSwitch : public QAbstractButton
{
    Q_OBJECT

public:
    explicit TToggleSwitch(QWidget* parent = nullptr);

    const QString& StateCaptionOn() const { return FCaptionOn; }
    void setStateCaptionOn(const QString& caption);
    const QString& StateCaptionOff() const { return FCaptionOff; }
    void setStateCaptionOff(const QString& caption);
    const QColor& ThumbColor() const { return FThumbColor; }
    void setThumbColor(const QColor& cor);

    QSize sizeHint() const override;

    static constexpr int kLarguraTrilho = 50;
    static constexpr int kAlturaTrilho = 20;

protected:
    void paintEvent(QPaintEvent* evento) override;
    bool hitButton(const QPoint& ponto) const override;

private:
    void atualizaLegenda();

    QString FCaptionOn = QStringLiteral("On");
    QString FCaptionOff = QStringLiteral("Off");
    QColor FThumbColor = QColor(0xFF, 0x00, 0x00);
};

} // namespace talvoro::ui
