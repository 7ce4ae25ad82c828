#pragma once

#include <QApplication>
#include <QString>

#include <exception>
#include <utility>

namespace talvoro::ui {

// The standard error dialog: a modal box titled "Talvoro" with the error's message.
void ExibeErroPadrao(const QString& mensagem);
// The plain message box with an OK button, centred on the screen.
void ExibeMensagemSimples(const QString& texto);

// The message of whatever was thrown.
QString mensagemDoErro(std::exception_ptr erro);

// Runs a window handler; an error escaping it is shown in the standard error dialog and the
// program goes on. Returns false when the handler failed.
template <typename F>
bool protegido(F&& handler)
{
    try {
        std::forward<F>(handler)();
        return true;
    } catch (...) {
        ExibeErroPadrao(mensagemDoErro(std::current_exception()));
        return false;
    }
}

// The application object: an error escaping any event handler ends in the standard error
// dialog instead of ending the program. A last resort: Qt's own frames between here and the
// handler are not unwound cleanly (what they hold leaks), so the windows run their handlers
// through protegido and nothing reaches this point from them.
class TAplicacao : public QApplication
{
    Q_OBJECT

public:
    TAplicacao(int& argc, char** argv);
    bool notify(QObject* receptor, QEvent* evento) override;
};

} // namespace talvoro::ui
