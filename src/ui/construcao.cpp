#include "construcao.h"

#include <QFrame>
#include <QLabel>

namespace talvoro::ui {

QFrame* criaPainel(QWidget* pai, const QString& nome, const QColor& cor)
{
    auto* painel = new QFrame(pai);
    painel->setObjectName(nome);
    painel->setAutoFillBackground(true);
    QPalette pal = painel->palette();
    pal.setColor(QPalette::Window, cor);
    painel->setPalette(pal);
    return painel;
}

QLabel* criaRotulo(QWidget* pai, const QString& nome, const QString& texto, const QFont& fonte,
                   const QColor& cor)
{
    auto* rotulo = new QLabel(texto, pai);
    if (!nome.isEmpty())
        rotulo->setObjectName(nome);
    rotulo->setFont(fonte);
    QPalette pal = rotulo->palette();
    pal.setColor(QPalette::WindowText, cor);
    rotulo->setPalette(pal);
    return rotulo;
}

} // namespace talvoro::ui
