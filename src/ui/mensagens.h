#pragma once

#include <QDialog>
#include <QList>
#include <QString>

class QLabel;
class QPushButton;
class QFrame;
class QTimer;

namespace talvoro {

// The buttons a message can offer.
enum TMyButtons
{
    mbSim = 0,
    mbNao = 1,
    mbOk = 2
};

// The standard message and question dialog. Use Mensagem: it builds the dialog, waits for
// the operator and tells whether the operator agreed ("&Sim" or "&OK").
class T_frmFormMensagensPadrao : public QDialog
{
    Q_OBJECT

public:
    // Tipo: 'C' caution, 'D' deletion, 'E' error, 'Q' question, anything else information.
    // The first button listed stands at the right, later ones to its left.
    static bool Mensagem(const QString& Texto, QChar Tipo, const QList<TMyButtons>& Botoes);

    explicit T_frmFormMensagensPadrao(QWidget* parent = nullptr);

    QLabel* _panTitulo;
    QFrame* pnlIcones;
    QFrame* pnlMensagem;
    QLabel* _lblMensagem;
    QFrame* pnlBotoes;
    QLabel* _imgCuidado;
    QLabel* _imgDeletar;
    QLabel* _imgErro;
    QLabel* _imgQuestao;
    QLabel* _imgInformacao;
    QPushButton* _btnSim;
    QPushButton* _btnNao;
    QPushButton* _btnOK;

    static constexpr int kPosicoesBotoes[3] = {214, 134, 54};
    static constexpr int kResultadoNao = 3; // the abort result of "&Não"

protected:
    void showEvent(QShowEvent* evento) override;

private:
    void configura(const QString& texto, QChar tipo, const QList<TMyButtons>& botoes);

    bool FMensagemSimples = false;
};

// The "GRAVAÇÃO OK!" notice: closes itself half a second after it was created.
class T_frmGravacaoOK : public QDialog
{
    Q_OBJECT

public:
    explicit T_frmGravacaoOK(QWidget* parent = nullptr);

    QLabel* _imgFundo;
    QLabel* _lblMsg;
    QTimer* Timer;
};

// Shows the notice modally and returns when it has closed.
void ExibeGravacaoOK();

} // namespace talvoro
