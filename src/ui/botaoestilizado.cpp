#include "botaoestilizado.h"

#include "fontes.h"

#include <QPushButton>

namespace talvoro::ui {

namespace {

QString borda(int largura, const QColor& cor)
{
    return largura > 0 ? QStringLiteral("%1px solid %2").arg(largura).arg(cor.name())
                       : QStringLiteral("none");
}

} // namespace

EstiloBotao EstiloBotao::gravar()
{
    EstiloBotao e;
    e.face = QColor(0x26, 0x29, 0x3B);
    e.texto = QColor(0x00, 0xD0, 0x82);
    e.borda = e.texto;
    e.larguraBorda = 1;
    e.facePressionado = QColor(0x00, 0xAA, 0x6A);
    e.textoPressionado = Qt::white;
    e.bordaPressionado = QColor(0x00, 0xD2, 0x69);
    e.larguraBordaPressionado = 3;
    e.faceFoco = QColor(0x00, 0xAA, 0x6A);
    e.textoFoco = Qt::white;
    e.fonte = segoeUI(13);
    e.recuoEsquerdo = 17;
    return e;
}

EstiloBotao EstiloBotao::fechar()
{
    EstiloBotao e;
    e.face = QColor(0x1C, 0xBC, 0xCD);
    e.texto = Qt::white;
    e.facePressionado = QColor(0x17, 0x9D, 0xAB);
    e.textoPressionado = Qt::white;
    e.faceFoco = e.facePressionado;
    e.textoFoco = Qt::white;
    e.fonte = segoeUI(13, true);
    return e;
}

void estilizaBotao(QPushButton* botao, const EstiloBotao& e)
{
    const QString alinhamento =
        e.recuoEsquerdo >= 0
            ? QStringLiteral("text-align: left; padding-left: %1px;").arg(e.recuoEsquerdo)
            : QString();
    // Later rules win: pressed overrides focused.
    botao->setStyleSheet(
        QStringLiteral("QPushButton { background-color: %1; color: %2; border: %3; "
                       "border-radius: 0px; %4 }"
                       "QPushButton:focus { background-color: %5; color: %6; border: none; }"
                       "QPushButton:pressed { background-color: %7; color: %8; border: %9; }"
                       "QPushButton:disabled { background-color: %10; color: %11; border: "
                       "none; }")
            .arg(e.face.name(), e.texto.name(), borda(e.larguraBorda, e.borda), alinhamento,
                 e.faceFoco.name(), e.textoFoco.name(), e.facePressionado.name(),
                 e.textoPressionado.name(), borda(e.larguraBordaPressionado, e.bordaPressionado))
            .arg(e.faceDesabilitado.name(), e.textoDesabilitado.name()));
    botao->setFont(e.fonte);
    botao->setCursor(Qt::PointingHandCursor);
}

} // namespace talvoro::ui
