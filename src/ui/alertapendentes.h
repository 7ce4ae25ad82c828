#pragma once

#include <QPoint>
#include <QRect>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <array>
#include <functional>

class QFrame;
class QLabel;
class QPushButton;

namespace talvoro {

namespace ui {
class TImagemClicavel;
}

// The pending-orders alert: a small always-on-top window that slides up at the bottom right
// of the primary screen, sounds five tones, stays three seconds and closes. Everything runs on
// timers: showing it returns at once and the program keeps answering the operator.
class TFAlertaMsg : public QWidget
{
    Q_OBJECT

public:
    explicit TFAlertaMsg(QWidget* parent = nullptr);
    ~TFAlertaMsg() override;

    int Tag = 0; // number of pending orders

    QFrame* Panel1;
    ui::TImagemClicavel* Image1;
    QLabel* _lblLoja;
    QLabel* _lblAviso1;
    QLabel* Label2;
    QLabel* Image2;
    QPushButton* Button1;

    // Title into _lblLoja, the count in place of the "@" of _lblAviso1, then the caption.
    void FormActivate();
    void Image1Click();
    void Button1Click();

    // Shows an alert for `quantidade` orders and returns at once; it lives no longer than
    // `principal`. While one is on screen only its count changes: at most one exists.
    static TFAlertaMsg* ExibeAlerta(int quantidade, const QString& titulo,
                                    QWidget* principal = nullptr);
    // The alert on screen, or none.
    static TFAlertaMsg* Atual();

    // Height of the task bar at the bottom of the screen (0 when there is none there), and
    // the window's resting and starting places.
    static int AlturaBarraTarefas(const QRect& tela, const QRect& disponivel);
    static QPoint PosicaoRepouso(const QRect& tela, const QRect& disponivel, QSize tamanho);
    static QPoint PosicaoInicial(const QRect& tela, const QRect& disponivel, QSize tamanho);

    // Plays one tone and returns at once. The default is the system beep, which has no pitch
    // of its own.
    using GeradorTom = std::function<void(int frequenciaHz, int duracaoMs)>;
    static void DefineGeradorTom(GeradorTom gerador);

    static constexpr std::array<int, 5> kTons{5000, 1000, 3000, 5000, 7000};
    static constexpr int kDuracaoTomMs = 200;
    static constexpr int kPermanenciaMs = 3000;
    static constexpr QSize kTamanho{334, 164};

    // Where the alert stands in its life.
    enum class Fase
    {
        Deslizando,
        Soando,
        Aguardando
    };
    Fase FaseAtual() const { return FFase; }

private:
    void Inicia(const QRect& tela, const QRect& disponivel);
    void PassoDeslize();
    void EmiteBips();
    void ProximoTom();

    QTimer FTimerDeslize;
    QTimer FTimerTons;
    QTimer FTimerFecha;
    int FTopoRepouso = 0;
    int FTom = 0;
    Fase FFase = Fase::Deslizando;
};

} // namespace talvoro
