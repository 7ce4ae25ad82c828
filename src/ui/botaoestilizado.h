#pragma once

#include <QColor>
#include <QFont>

class QPushButton;

namespace talvoro::ui {

// The colours of a flat, square-cornered button in each of its states.
struct EstiloBotao
{
    QColor face, texto, borda;
    int larguraBorda = 0;
    QColor facePressionado, textoPressionado, bordaPressionado;
    int larguraBordaPressionado = 0;
    QColor faceFoco, textoFoco;
    QColor faceDesabilitado = QColor(0xEB, 0xEB, 0xEB);
    QColor textoDesabilitado = Qt::white;
    QFont fonte;
    int recuoEsquerdo = -1; // caption left-aligned after this indent; -1 centres it

    // "Gravar" of the configuration page.
    static EstiloBotao gravar();
    // "Fechar" of the store status dialog.
    static EstiloBotao fechar();
};

void estilizaBotao(QPushButton* botao, const EstiloBotao& estilo);

} // namespace talvoro::ui
