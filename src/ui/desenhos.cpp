#include "desenhos.h"

#include "fontes.h"

#include <QPainter>
#include <QPainterPath>

#include <functional>

namespace talvoro::ui::desenho {

namespace {

// A transparent picture painted by `pintar` in a box of the given size.
QPixmap pintado(QSize tamanho, const std::function<void(QPainter&, QRectF)>& pintar)
{
    QPixmap pixmap(tamanho);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    pintar(p, QRectF(QPointF(0, 0), QSizeF(tamanho)));
    return pixmap;
}

QPixmap pintado(int lado, const std::function<void(QPainter&, QRectF)>& pintar)
{
    return pintado(QSize(lado, lado), pintar);
}

// The largest square centred in r, less a margin on each side.
QRectF quadrado(QRectF r, qreal margem = 0)
{
    const qreal lado = std::min(r.width(), r.height()) - 2 * margem;
    return QRectF(r.center().x() - lado / 2, r.center().y() - lado / 2, lado, lado);
}

void textoCentrado(QPainter& p, QRectF r, const QString& texto, const QColor& cor, int pixels,
                   bool negrito = true)
{
    p.setPen(cor);
    p.setFont(fonte(QStringLiteral("Tahoma"), pixels, negrito));
    p.drawText(r, Qt::AlignCenter, texto);
}

// A filled disc with a letter or sign drawn on it.
void disco(QPainter& p, QRectF r, const QColor& fundo, const QString& sinal)
{
    p.setPen(QPen(fundo.darker(130), 1));
    p.setBrush(fundo);
    p.drawEllipse(r);
    textoCentrado(p, r, sinal, Qt::white, int(r.height() * 0.7));
}

void linhaX(QPainter& p, QRectF r, const QColor& cor, qreal espessura)
{
    p.setPen(QPen(cor, espessura, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(r.topLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomLeft());
}

void marca(QPainter& p, QRectF r, const QColor& cor, qreal espessura)
{
    p.setPen(QPen(cor, espessura, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QPainterPath c;
    c.moveTo(r.left(), r.top() + r.height() * 0.55);
    c.lineTo(r.left() + r.width() * 0.38, r.bottom());
    c.lineTo(r.right(), r.top());
    p.setBrush(Qt::NoBrush);
    p.drawPath(c);
}

} // namespace

QPixmap menu(int lado)
{
    return pintado(lado, [](QPainter& p, QRectF r) {
        const qreal h = r.height() / 8;
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        for (int i = 0; i < 3; ++i)
            p.drawRoundedRect(
                QRectF(r.left() + h / 2, r.top() + h * (1.5 + 2 * i), r.width() - h, h), h / 2,
                h / 2);
    });
}

QPixmap logo(QSize tamanho)
{
    return pintado(tamanho, [](QPainter& p, QRectF r) {
        const QRectF selo(r.center().x() - 80, r.top() + 10, 160, r.height() - 20);
        p.setPen(QPen(Qt::white, 2));
        p.setBrush(QColor(0x1E, 0x2F, 0x57));
        p.drawRoundedRect(selo, 10, 10);
        const QRectF bola(selo.left() + 10, selo.center().y() - 15, 30, 30);
        p.setBrush(QColor(0xFF, 0x80, 0x00));
        p.setPen(Qt::NoPen);
        p.drawEllipse(bola);
        textoCentrado(p, bola, QStringLiteral("T"), Qt::white, 20);
        textoCentrado(p, selo.adjusted(40, 0, 0, 0), QStringLiteral("Talvoro"), Qt::white, 22);
    });
}

QPixmap inicio(int lado)
{
    return pintado(lado, [](QPainter& p, QRectF r) {
        const QRectF q = quadrado(r, r.width() * 0.12);
        QPainterPath casa;
        casa.moveTo(q.center().x(), q.top());
        casa.lineTo(q.right(), q.top() + q.height() * 0.45);
        casa.lineTo(q.right() - q.width() * 0.15, q.top() + q.height() * 0.45);
        casa.lineTo(q.right() - q.width() * 0.15, q.bottom());
        casa.lineTo(q.left() + q.width() * 0.15, q.bottom());
        casa.lineTo(q.left() + q.width() * 0.15, q.top() + q.height() * 0.45);
        casa.lineTo(q.left(), q.top() + q.height() * 0.45);
        casa.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawPath(casa);
        p.setBrush(QColor(0x51, 0x7C, 0xBD));
        p.drawRect(QRectF(q.center().x() - q.width() * 0.1, q.bottom() - q.height() * 0.3,
                          q.width() * 0.2, q.height() * 0.3));
    });
}

QPixmap configuracoes(int lado)
{
    return pintado(lado, [](QPainter& p, QRectF r) {
        const QRectF q = quadrado(r, r.width() * 0.1);
        p.translate(q.center());
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        const qreal raio = q.width() / 2;
        for (int i = 0; i < 8; ++i) {
            p.save();
            p.rotate(45.0 * i);
            p.drawRect(QRectF(-raio * 0.18, -raio, raio * 0.36, raio * 0.5));
            p.restore();
        }
        p.drawEllipse(QPointF(0, 0), raio * 0.72, raio * 0.72);
        p.setBrush(QColor(0x51, 0x7C, 0xBD));
        p.drawEllipse(QPointF(0, 0), raio * 0.3, raio * 0.3);
    });
}

QPixmap energia(int lado)
{
    return pintado(lado, [](QPainter& p, QRectF r) {
        const QRectF q = quadrado(r, r.width() * 0.15);
        p.setPen(QPen(Qt::white, r.width() / 10, Qt::SolidLine, Qt::RoundCap));
        p.drawArc(q, (90 + 35) * 16, (360 - 70) * 16);
        p.drawLine(QPointF(q.center().x(), q.top() - r.width() * 0.05), q.center());
    });
}

QPixmap registro(int lado)
{
    return pintado(lado, [](QPainter& p, QRectF r) {
        const QRectF folha(r.left() + r.width() * 0.2, r.top() + r.height() * 0.1, r.width() * 0.6,
                           r.height() * 0.8);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawRoundedRect(folha, 2, 2);
        p.setPen(QPen(QColor(0x51, 0x7C, 0xBD), r.height() / 16));
        for (int i = 0; i < 4; ++i) {
            const qreal y = folha.top() + folha.height() * (0.22 + 0.19 * i);
            p.drawLine(QPointF(folha.left() + 4, y), QPointF(folha.right() - 4, y));
        }
    });
}

QPixmap lojaAberta(QSize tamanho)
{
    return pintado(tamanho, [](QPainter& p, QRectF r) {
        const QRectF q = quadrado(r, 1);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x00, 0xA8, 0x50));
        p.drawEllipse(q);
        marca(p,
              q.adjusted(q.width() * 0.26, q.height() * 0.3, -q.width() * 0.24, -q.height() * 0.3),
              Qt::white, q.width() / 8);
    });
}

QPixmap lojaFechada(QSize tamanho)
{
    return pintado(tamanho, [](QPainter& p, QRectF r) {
        const QRectF q = quadrado(r, 1);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xD0, 0x20, 0x20));
        p.drawEllipse(q);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(q.left() + q.width() * 0.22, q.center().y() - q.height() * 0.08,
                          q.width() * 0.56, q.height() * 0.16));
    });
}

QPixmap cuidado(QSize tamanho)
{
    return pintado(tamanho, [](QPainter& p, QRectF r) {
        const QRectF q = quadrado(r, 1);
        QPainterPath tri;
        tri.moveTo(q.center().x(), q.top());
        tri.lineTo(q.right(), q.bottom());
        tri.lineTo(q.left(), q.bottom());
        tri.closeSubpath();
        p.setPen(QPen(QColor(0x80, 0x60, 0x00), 1));
        p.setBrush(QColor(0xFF, 0xD0, 0x20));
        p.drawPath(tri);
        textoCentrado(p, q.adjusted(0, q.height() * 0.2, 0, 0), QStringLiteral("!"), Qt::black,
                      int(q.height() * 0.7));
    });
}

QPixmap deletar(QSize tamanho)
{
    return pintado(tamanho, [](QPainter& p, QRectF r) {
        const QRectF q = quadrado(r, 1);
        const QColor cor(0x90, 0x10, 0x10);
        p.setPen(QPen(cor, 1.5));
        p.setBrush(QColor(0xF0, 0xF0, 0xF0));
        const QRectF balde(q.left() + q.width() * 0.2, q.top() + q.height() * 0.25, q.width() * 0.6,
                           q.height() * 0.75);
        p.drawRoundedRect(balde, 2, 2);
        p.drawLine(QPointF(q.left() + q.width() * 0.1, q.top() + q.height() * 0.18),
                   QPointF(q.right() - q.width() * 0.1, q.top() + q.height() * 0.18));
        p.drawRect(QRectF(q.center().x() - q.width() * 0.12, q.top() + q.height() * 0.04,
                          q.width() * 0.24, q.height() * 0.14));
        for (int i = 1; i <= 3; ++i) {
            const qreal x = balde.left() + balde.width() * i / 4;
            p.drawLine(QPointF(x, balde.top() + 3), QPointF(x, balde.bottom() - 3));
        }
    });
}

QPixmap erro(QSize tamanho)
{
    return pintado(tamanho, [](QPainter& p, QRectF r) {
        const QRectF q = quadrado(r, 1);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xCA, 0x23, 0x2B));
        p.drawEllipse(q);
        linhaX(p,
               q.adjusted(q.width() * 0.3, q.height() * 0.3, -q.width() * 0.3, -q.height() * 0.3),
               Qt::white, q.width() / 9);
    });
}

QPixmap questao(QSize tamanho)
{
    return pintado(tamanho, [](QPainter& p, QRectF r) {
        disco(p, quadrado(r, 1), QColor(0x1E, 0x55, 0x88), QStringLiteral("?"));
    });
}

QPixmap informacao(QSize tamanho)
{
    return pintado(tamanho, [](QPainter& p, QRectF r) {
        disco(p, quadrado(r, 1), QColor(0x19, 0x84, 0xEE), QStringLiteral("i"));
    });
}

QPixmap marcaOk(int lado)
{
    return pintado(lado, [](QPainter& p, QRectF r) {
        marca(p,
              r.adjusted(r.width() * 0.12, r.height() * 0.2, -r.width() * 0.12, -r.height() * 0.2),
              QColor(0x00, 0x80, 0x00), r.width() / 7);
    });
}

QPixmap marcaNao(int lado)
{
    return pintado(lado, [](QPainter& p, QRectF r) {
        linhaX(
            p,
            r.adjusted(r.width() * 0.22, r.height() * 0.22, -r.width() * 0.22, -r.height() * 0.22),
            QColor(0xCA, 0x23, 0x2B), r.width() / 7);
    });
}

QPixmap gravar(int lado)
{
    return pintado(lado, [](QPainter& p, QRectF r) {
        const QRectF q = quadrado(r, 1);
        const QColor verde(0x00, 0xD0, 0x82);
        p.setPen(QPen(verde, 1.5));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(q, 2, 2);
        p.setBrush(verde);
        p.drawRect(QRectF(q.left() + q.width() * 0.25, q.top(), q.width() * 0.5, q.height() * 0.3));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(q.left() + q.width() * 0.2, q.top() + q.height() * 0.55, q.width() * 0.6,
                          q.height() * 0.45));
    });
}

QPixmap iFood(QSize tamanho)
{
    return pintado(tamanho, [](QPainter& p, QRectF r) {
        const QRectF q = r.adjusted(2, r.height() * 0.2, -2, -r.height() * 0.2);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xEA, 0x1D, 0x2C));
        p.drawRoundedRect(q, 8, 8);
        textoCentrado(p, q, QStringLiteral("iFood"), Qt::white, int(q.height() * 0.42));
    });
}

QPixmap outraOrigem(QSize tamanho)
{
    return pintado(tamanho, [](QPainter& p, QRectF r) {
        const QRectF q = r.adjusted(2, r.height() * 0.2, -2, -r.height() * 0.2);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x1E, 0x55, 0x88));
        p.drawRoundedRect(q, 8, 8);
        textoCentrado(p, q, QStringLiteral("LOJA"), Qt::white, int(q.height() * 0.42));
    });
}

QPixmap lupa(int lado)
{
    return pintado(lado, [](QPainter& p, QRectF r) {
        const qreal u = std::min(r.width(), r.height()) / 10;
        const QColor cor(0x04, 0x76, 0x94);
        p.setPen(QPen(cor, u * 0.9, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        const QRectF lente(r.left() + 1.5 * u, r.top() + 1.5 * u, 5 * u, 5 * u);
        p.drawEllipse(lente);
        p.setPen(QPen(cor, u * 1.4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(lente.center() + QPointF(1.8 * u, 1.8 * u),
                   QPointF(r.right() - 1.2 * u, r.bottom() - 1.2 * u));
    });
}

QPixmap delivery(QSize tamanho)
{
    return pintado(tamanho, [](QPainter& p, QRectF r) {
        const QColor azul(0x1E, 0x55, 0x88);
        const qreal u = std::min(r.width(), r.height()) / 10;
        const QPointF c = r.center();
        p.setPen(QPen(azul, u * 0.7));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(c.x() - 3 * u, c.y() + 2.5 * u), 1.4 * u, 1.4 * u);
        p.drawEllipse(QPointF(c.x() + 3 * u, c.y() + 2.5 * u), 1.4 * u, 1.4 * u);
        p.drawLine(QPointF(c.x() - 3 * u, c.y() + 2.5 * u), QPointF(c.x() - 1 * u, c.y()));
        p.drawLine(QPointF(c.x() - 1 * u, c.y()), QPointF(c.x() + 3 * u, c.y() + 2.5 * u));
        p.drawLine(QPointF(c.x() + 1.5 * u, c.y() - 1.5 * u),
                   QPointF(c.x() + 3 * u, c.y() + 2.5 * u));
        p.setBrush(QColor(0xEA, 0x1D, 0x2C));
        p.setPen(Qt::NoPen);
        p.drawRect(QRectF(c.x() - 4 * u, c.y() - 3.5 * u, 3 * u, 3 * u));
    });
}

QPixmap retirada(QSize tamanho)
{
    return pintado(tamanho, [](QPainter& p, QRectF r) {
        const qreal u = std::min(r.width(), r.height()) / 10;
        const QPointF c = r.center();
        const QRectF sacola(c.x() - 3 * u, c.y() - 1.5 * u, 6 * u, 5.5 * u);
        p.setPen(QPen(QColor(0x80, 0x50, 0x20), u * 0.5));
        p.setBrush(QColor(0xD8, 0xA8, 0x60));
        p.drawRect(sacola);
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(c.x() - 1.5 * u, c.y() - 3.5 * u, 3 * u, 4 * u), 0, 180 * 16);
    });
}

QPixmap naMesa(QSize tamanho)
{
    return pintado(tamanho, [](QPainter& p, QRectF r) {
        const qreal u = std::min(r.width(), r.height()) / 10;
        const QPointF c = r.center();
        p.setPen(QPen(QColor(0x6B, 0x3E, 0x1E), u * 0.8, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(c.x() - 4 * u, c.y() - u), QPointF(c.x() + 4 * u, c.y() - u));
        p.drawLine(QPointF(c.x() - 3 * u, c.y() - u), QPointF(c.x() - 3 * u, c.y() + 3.5 * u));
        p.drawLine(QPointF(c.x() + 3 * u, c.y() - u), QPointF(c.x() + 3 * u, c.y() + 3.5 * u));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xEA, 0x1D, 0x2C));
        p.drawEllipse(QPointF(c.x(), c.y() - 2.5 * u), 1.5 * u, 1.2 * u);
    });
}

QPixmap agendado(QSize tamanho)
{
    return pintado(tamanho, [](QPainter& p, QRectF r) {
        const QRectF q = quadrado(r, std::min(r.width(), r.height()) * 0.15);
        p.setPen(QPen(QColor(0x04, 0x76, 0x94), q.width() / 12));
        p.setBrush(Qt::white);
        p.drawEllipse(q);
        p.drawLine(q.center(), QPointF(q.center().x(), q.top() + q.height() * 0.2));
        p.drawLine(q.center(), QPointF(q.right() - q.width() * 0.25, q.center().y()));
    });
}

QPixmap recusado(QSize tamanho)
{
    return pintado(tamanho, [](QPainter& p, QRectF r) {
        const QRectF q = quadrado(r, std::min(r.width(), r.height()) * 0.12);
        p.setPen(QPen(QColor(0xCA, 0x23, 0x2B), q.width() / 10));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(q);
        linhaX(
            p,
            q.adjusted(q.width() * 0.28, q.height() * 0.28, -q.width() * 0.28, -q.height() * 0.28),
            QColor(0xCA, 0x23, 0x2B), q.width() / 10);
    });
}

QPixmap vazio(QSize tamanho)
{
    return pintado(tamanho, [](QPainter&, QRectF) {});
}

QPixmap tablet(QSize tamanho)
{
    return pintado(tamanho, [](QPainter& p, QRectF r) {
        const QRectF q = quadrado(r, std::min(r.width(), r.height()) * 0.12);
        const QRectF corpo(q.left() + q.width() * 0.15, q.top(), q.width() * 0.7, q.height());
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x30, 0x30, 0x30));
        p.drawRoundedRect(corpo, 4, 4);
        p.setBrush(QColor(0xAE, 0xE4, 0xF0));
        p.drawRect(corpo.adjusted(3, 5, -3, -8));
    });
}

QPixmap atendente(QSize tamanho)
{
    return pintado(tamanho, [](QPainter& p, QRectF r) {
        const QRectF q = quadrado(r, std::min(r.width(), r.height()) * 0.1);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x1E, 0x55, 0x88));
        p.drawEllipse(
            QRectF(q.center().x() - q.width() * 0.18, q.top(), q.width() * 0.36, q.width() * 0.36));
        p.drawChord(QRectF(q.left() + q.width() * 0.1, q.top() + q.height() * 0.45, q.width() * 0.8,
                           q.height() * 1.1),
                    0, 180 * 16);
    });
}

QPixmap www(QSize tamanho)
{
    return pintado(tamanho, [](QPainter& p, QRectF r) {
        const QRectF q = quadrado(r, std::min(r.width(), r.height()) * 0.12);
        p.setPen(QPen(QColor(0x04, 0x76, 0x94), q.width() / 18));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(q);
        p.drawEllipse(q.adjusted(q.width() * 0.28, 0, -q.width() * 0.28, 0));
        p.drawLine(QPointF(q.left(), q.center().y()), QPointF(q.right(), q.center().y()));
        p.drawLine(QPointF(q.center().x(), q.top()), QPointF(q.center().x(), q.bottom()));
    });
}

} // namespace talvoro::ui::desenho
