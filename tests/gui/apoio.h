#pragma once

#include "app/frmmain.h"
#include "ifoodsim.h"
#include "support/ambiente.h"

#include <QList>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>
#include <ostream>

// Readable QString values in test failures.
inline void PrintTo(const QString& texto, std::ostream* saida)
{
    *saida << '"' << texto.toStdString() << '"';
}

namespace talvoro::teste {

// Answers the modal windows the program opens while a test drives it: each new one is
// recorded and handed to `responder`, which closes it (by default with its OK/"Sim" button;
// the "GRAVAÇÃO OK!" notice is left to close itself).
class Dialogos
{
public:
    using Responder = std::function<void(QWidget*)>;
    explicit Dialogos(Responder responder = fecharConfirmando);
    ~Dialogos();

    struct Visto
    {
        QString classe;
        QString titulo; // window title
        QString texto;  // message text, when it has one
    };
    QList<Visto> vistos;
    int contar(const QString& texto) const;

    static void fecharConfirmando(QWidget* dialogo);
    // A picture of the dialog is taken before it is answered.
    std::function<void(QWidget*)> aoAbrir;

private:
    void verifica();

    Responder m_responder;
    QTimer m_timer;
    QList<QPointer<QWidget>> m_respondidos;
};

// A program folder with its database and the main window on it, shown and activated once.
struct JanelaDeTeste
{
    JanelaDeTeste();
    ~JanelaDeTeste();

    Ambiente ambiente;
    std::unique_ptr<T_frmMain> janela;

    // Waits until the activation sequence has run again (after a dialog closed).
    bool esperaAtivacao();
    // Opens and closes a message dialog of the program, then waits for the activation.
    bool abreEFechaDialogo();
    QString arquivoIni() const;
    QString lerIni() const;
    void gravarIni(const QByteArray& conteudo) const;
    // A store authorised on the fake server: a valid token row, credentials and the
    // server's merchant in IFOODConfig.ini, loaded by an activation (so the next worker
    // started by the integration switch takes them).
    bool lojaAutorizadaNoSimulador(sim::IFoodSim& servidor);
};

// Clicks the middle of a widget with the left button (a check box: its box).
void clicar(QWidget* alvo);

} // namespace talvoro::teste
