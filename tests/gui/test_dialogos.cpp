#include "apoio.h"

#include "ui/avisos.h"
#include "ui/mensagens.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace talvoro;
using namespace talvoro::teste;

namespace {

struct CasoMensagem
{
    QChar tipo;
    QList<TMyButtons> botoes;
    const char* icone;
    const char* titulo;
    std::vector<std::pair<const char*, int>> posicoes; // visible buttons and their left edge
    const char* resposta;                              // button to press, or "Escape"/"Enter"
    bool resultado;
};

} // namespace

TEST(Mensagem, IconesTitulosPosicoesEResultado)
{
    const CasoMensagem casos[] = {
        {u'E', {mbOk}, "_imgErro", "Mensagem do Sistema", {{"_btnOK", 214}}, "_btnOK", true},
        {u'Q',
         {mbSim, mbNao},
         "_imgQuestao",
         "Pergunta do Sistema",
         {{"_btnSim", 214}, {"_btnNao", 134}},
         "_btnSim",
         true},
        {u'Q',
         {mbSim, mbNao},
         "_imgQuestao",
         "Pergunta do Sistema",
         {{"_btnSim", 214}, {"_btnNao", 134}},
         "_btnNao",
         false},
        {u'X', {mbOk}, "_imgInformacao", "Mensagem do Sistema", {{"_btnOK", 214}}, "Enter", true},
        {u'C', {mbSim}, "_imgCuidado", "Pergunta do Sistema", {{"_btnSim", 214}}, "_btnSim", true},
        {u'D',
         {mbSim, mbOk},
         "_imgDeletar",
         "Mensagem do Sistema",
         {{"_btnSim", 214}, {"_btnOK", 134}},
         "_btnOK",
         true},
        // A button listed twice is shown once, at its later position.
        {u'I',
         {mbSim, mbNao, mbSim},
         "_imgInformacao",
         "Pergunta do Sistema",
         {{"_btnSim", 54}, {"_btnNao", 134}},
         "Escape",
         false},
    };
    for (const CasoMensagem& caso : casos) {
        SCOPED_TRACE(std::string(1, char(caso.tipo.unicode())) + " " + caso.resposta);
        QStringList icones, botoes;
        QString titulo;
        QSize tamanho;
        Dialogos dialogos([&](QWidget* d) {
            auto* m = qobject_cast<T_frmFormMensagensPadrao*>(d);
            ASSERT_NE(m, nullptr);
            for (QLabel* i : m->pnlIcones->findChildren<QLabel*>())
                if (i->isVisible())
                    icones << i->objectName();
            for (QPushButton* b : m->pnlBotoes->findChildren<QPushButton*>()) {
                if (b->isVisible())
                    botoes << QStringLiteral("%1@%2,%3 %4x%5")
                                  .arg(b->objectName())
                                  .arg(b->x())
                                  .arg(b->y())
                                  .arg(b->width())
                                  .arg(b->height());
            }
            titulo = m->_panTitulo->text();
            tamanho = m->size();
            const QString resposta = QString::fromLatin1(caso.resposta);
            if (resposta == u"Escape")
                QTest::keyClick(m, Qt::Key_Escape);
            else if (resposta == u"Enter")
                QTest::keyClick(m->focusWidget(), Qt::Key_Return);
            else
                clicar(m->findChild<QPushButton*>(resposta));
        });
        const bool resultado =
            T_frmFormMensagensPadrao::Mensagem(QStringLiteral("Texto"), caso.tipo, caso.botoes);
        EXPECT_EQ(resultado, caso.resultado);
        EXPECT_EQ(icones, QStringList{QString::fromLatin1(caso.icone)});
        EXPECT_EQ(titulo, QString::fromLatin1(caso.titulo));
        QStringList esperados;
        for (const auto& [nome, x] : caso.posicoes)
            esperados << QStringLiteral("%1@%2,6 75x29").arg(QLatin1String(nome)).arg(x);
        botoes.sort();
        esperados.sort();
        EXPECT_EQ(botoes, esperados);
        EXPECT_EQ(tamanho, QSize(314, 176));
    }
}

TEST(Mensagem, TextoLongoQuebraSemAumentarODialogo)
{
    const QString longo = QStringLiteral(
        "Falha ao confirmar o pedido no iFood... detalhes do erro: o servidor respondeu com "
        "uma mensagem bastante longa que não cabe numa linha só");
    int largura = 0, linhas = 0;
    QSize tamanho;
    Dialogos dialogos([&](QWidget* d) {
        auto* m = qobject_cast<T_frmFormMensagensPadrao*>(d);
        largura = m->_lblMensagem->width();
        linhas =
            m->_lblMensagem->heightForWidth(largura) / m->_lblMensagem->fontMetrics().lineSpacing();
        tamanho = m->size();
        clicar(m->_btnOK);
    });
    EXPECT_TRUE(T_frmFormMensagensPadrao::Mensagem(longo, u'E', {mbOk}));
    EXPECT_EQ(largura, 224);
    EXPECT_GE(linhas, 3);
    EXPECT_EQ(tamanho, QSize(314, 176));
}

TEST(Mensagem, AvisoDeGravacaoFechaSozinho)
{
    QString texto;
    Dialogos dialogos([&](QWidget* d) {
        if (auto* aviso = qobject_cast<T_frmGravacaoOK*>(d))
            texto = aviso->_lblMsg->text();
    });
    ExibeGravacaoOK();
    EXPECT_EQ(texto, u"GRAVAÇÃO OK!");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    for (QWidget* w : QApplication::topLevelWidgets())
        EXPECT_EQ(qobject_cast<T_frmGravacaoOK*>(w), nullptr);
}

namespace {

// An object whose event handler fails and was not written with the guard.
class ObjetoQueFalha : public QObject
{
protected:
    bool event(QEvent* evento) override
    {
        if (evento->type() == QEvent::User)
            throw std::runtime_error("Falha de teste no handler");
        return QObject::event(evento);
    }
};

} // namespace

TEST(ErroPadrao, ErroQueEscapaDeUmHandlerVaiParaODialogo)
{
    Dialogos dialogos;
    // Guarded handlers (every connection of the windows) report their own errors.
    EXPECT_FALSE(ui::protegido([] { throw std::runtime_error("Falha no handler protegido"); }));
    ASSERT_EQ(dialogos.vistos.size(), 1);
    EXPECT_EQ(dialogos.vistos[0].titulo, u"Talvoro");
    EXPECT_EQ(dialogos.vistos[0].texto, u"Falha no handler protegido");

    // What escapes an unguarded handler ends in the same dialog, and the program goes on.
    ObjetoQueFalha objeto;
    QEvent evento(QEvent::User);
    EXPECT_FALSE(QCoreApplication::sendEvent(&objeto, &evento));
    ASSERT_EQ(dialogos.vistos.size(), 2);
    EXPECT_EQ(dialogos.vistos[1].titulo, u"Talvoro");
    EXPECT_EQ(dialogos.vistos[1].texto, u"Falha de teste no handler");
}
