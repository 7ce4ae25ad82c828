#include "apoio.h"

#include "ui/motivocancelamento.h"

#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

using namespace talvoro;
using namespace talvoro::teste;

namespace {

QStringList linhasDaGrade(const T_frmMotivoCancelamento* picker)
{
    QStringList out;
    for (int i = 0; i < picker->DBGridStyles1->rowCount(); ++i)
        out << picker->DBGridStyles1->item(i, 0)->text();
    return out;
}

// Shows the picker for the flag and lets `acao` drive it; returns the reason choice.
QString escolher(TDM& dm, QChar flag, const std::function<void(T_frmMotivoCancelamento*)>& acao)
{
    Dialogos dialogos([&acao](QWidget* d) {
        auto* picker = qobject_cast<T_frmMotivoCancelamento*>(d);
        if (!picker) {
            ADD_FAILURE() << "not the picker";
            d->close();
            return;
        }
        acao(picker);
    });
    const QString escolha = ExibeMotivoCancelamento(dm, flag);
    EXPECT_EQ(dialogos.vistos.size(), 1);
    return escolha;
}

} // namespace

TEST(MotivoCancelamento, ListaPorFlagEmOrdemEPrimeiroJaEscolhido)
{
    Ambiente amb;
    QStringList naoAceito, aceito;
    const QString primeiro = escolher(amb.dm, u'N', [&](T_frmMotivoCancelamento* picker) {
        EXPECT_EQ(picker->objectName(), u"_frmMotivoCancelamento");
        EXPECT_EQ(picker->DBGridStyles1->horizontalHeaderItem(0)->text(),
                  u"Motivo do Cancelamento");
        EXPECT_EQ(picker->GetResult, u"511|AREA DE RISCO");
        EXPECT_EQ(picker->DBGridStyles1->currentRow(), 0);
        naoAceito = linhasDaGrade(picker);
        clicar(picker->_btnConfirmar);
    });
    EXPECT_EQ(primeiro, u"511|AREA DE RISCO");
    escolher(amb.dm, u'S', [&](T_frmMotivoCancelamento* picker) {
        aceito = linhasDaGrade(picker);
        clicar(picker->_btnConfirmar);
    });

    // The seed data: every reason for pending orders, the ones that make sense after
    // acceptance for accepted ones; each list in alphabetical order.
    EXPECT_EQ(naoAceito.size(), 12);
    EXPECT_EQ(aceito.size(), 9);
    EXPECT_TRUE(naoAceito.contains(u"RESTAURANTE FECHADO"));
    EXPECT_FALSE(aceito.contains(u"RESTAURANTE FECHADO"));
    for (const QStringList& lista : {naoAceito, aceito}) {
        QStringList ordenada = lista;
        ordenada.sort();
        EXPECT_EQ(lista, ordenada);
    }
}

TEST(MotivoCancelamento, TecladoMouseCancelarEFechar)
{
    Ambiente amb;
    const struct
    {
        const char* nome;
        std::function<void(T_frmMotivoCancelamento*)> acao;
        QString esperado;
    } casos[] = {
        {"setas e Enter",
         [](T_frmMotivoCancelamento* p) {
             QTest::keyClick(p->DBGridStyles1, Qt::Key_Down);
             QTest::keyClick(p->DBGridStyles1, Qt::Key_Down);
             QTest::keyClick(p->DBGridStyles1, Qt::Key_Up);
             QTest::keyClick(p->DBGridStyles1, Qt::Key_Return);
         },
         QStringLiteral("505|CARDAPIO DESATUALIZADO")},
        {"clique numa linha e Confirmar",
         [](T_frmMotivoCancelamento* p) {
             const QRect celula =
                 p->DBGridStyles1->visualRect(p->DBGridStyles1->model()->index(3, 0));
             QTest::mouseClick(p->DBGridStyles1->viewport(), Qt::LeftButton, Qt::NoModifier,
                               celula.center());
             clicar(p->_btnConfirmar);
         },
         QStringLiteral("509|DIFICULDADES INTERNAS DO RESTAURANTE")},
        {"Esc nada faz; Cancelar esvazia",
         [](T_frmMotivoCancelamento* p) {
             QTest::keyClick(p->DBGridStyles1, Qt::Key_Escape);
             QTest::keyClick(p, Qt::Key_Escape);
             EXPECT_TRUE(p->isVisible());
             EXPECT_EQ(p->GetResult, u"511|AREA DE RISCO");
             clicar(p->_btnCancelar);
         },
         QString()},
        // Closing the window by the system sends nothing either.
        {"fechado pelo sistema", [](T_frmMotivoCancelamento* p) { p->close(); }, QString()},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nome);
        EXPECT_EQ(escolher(amb.dm, u'S', c.acao), c.esperado);
    }
}

TEST(MotivoCancelamento, SemMotivosOResultadoEUmaBarra)
{
    Ambiente amb;
    fb::Instrucao(amb.dm.FDConnection1(), "delete from ifood_motivocanc where pedidoaceito = 'N'")
        .executar();
    EXPECT_EQ(escolher(amb.dm, u'N',
                       [](T_frmMotivoCancelamento* p) {
                           EXPECT_EQ(p->DBGridStyles1->rowCount(), 0);
                           QTest::keyClick(p->DBGridStyles1, Qt::Key_Down);
                           clicar(p->_btnConfirmar);
                       }),
              u"|");
}
