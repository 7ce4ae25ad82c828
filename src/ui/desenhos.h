#pragma once

#include <QPixmap>
#include <QSize>

namespace talvoro::ui {

// The program's own pictures, drawn at run time.
namespace desenho {

// Toolbar and side menu.
QPixmap menu(int lado);             // three bars, the side-menu switch
QPixmap logo(QSize tamanho);        // the program's name in a badge
QPixmap inicio(int lado);           // "Principal"
QPixmap configuracoes(int lado);    // "Configurações"
QPixmap energia(int lado);          // "Fechar Loja" / "Abrir Loja"
QPixmap registro(int lado);         // "Log Geral"
QPixmap lojaAberta(QSize tamanho);  // store open on iFood
QPixmap lojaFechada(QSize tamanho); // store closed

// Message dialog icons and button glyphs.
QPixmap cuidado(QSize tamanho);
QPixmap deletar(QSize tamanho);
QPixmap erro(QSize tamanho);
QPixmap questao(QSize tamanho);
QPixmap informacao(QSize tamanho);
QPixmap marcaOk(int lado);
QPixmap marcaNao(int lado);
QPixmap gravar(int lado); // the save button's picture
QPixmap lupa(int lado);   // the order search button's picture

// Order pictures kept on the repository page.
QPixmap iFood(QSize tamanho);
QPixmap outraOrigem(QSize tamanho); // an order that did not come from iFood
QPixmap delivery(QSize tamanho);
QPixmap retirada(QSize tamanho);
QPixmap naMesa(QSize tamanho);
QPixmap agendado(QSize tamanho);
QPixmap recusado(QSize tamanho);
QPixmap vazio(QSize tamanho);
QPixmap tablet(QSize tamanho);
QPixmap atendente(QSize tamanho);
QPixmap www(QSize tamanho);

} // namespace desenho

} // namespace talvoro::ui
