#include "apoio.h"

#include "support/simulador.h"
#include "ui/alertapendentes.h"
#include "ui/motivocancelamento.h"

#include <QDir>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

using namespace talvoro;
using namespace talvoro::teste;

// Pictures of the cancellation-reason picker and of the pending-orders alert, for people to
// look at: <build>/screenshots/*.png.
TEST(Capturas, MotivoCancelamentoEAlerta)
{
    const QDir pasta(QStringLiteral(TALVORO_PASTA_BUILD "/screenshots"));
    ASSERT_TRUE(pasta.mkpath(QStringLiteral(".")));
    auto salvar = [&](QWidget* w, const QString& nome) {
        QCoreApplication::sendPostedEvents();
        const QPixmap figura = w->grab();
        EXPECT_FALSE(figura.isNull()) << nome.toStdString();
        const QString arquivo = pasta.filePath(nome + QStringLiteral(".png"));
        EXPECT_TRUE(figura.save(arquivo)) << arquivo.toStdString();
    };

    Ambiente amb;
    Dialogos dialogos([&](QWidget* d) {
        auto* picker = qobject_cast<T_frmMotivoCancelamento*>(d);
        ASSERT_NE(picker, nullptr);
        QTest::keyClick(picker->DBGridStyles1, Qt::Key_Down);
        salvar(picker, QStringLiteral("30-motivo-cancelamento"));
        clicar(picker->_btnCancelar);
    });
    ExibeMotivoCancelamento(amb.dm, u'N');
    EXPECT_EQ(dialogos.vistos.size(), 1);

    TFAlertaMsg::DefineGeradorTom([](int, int) {});
    TFAlertaMsg* alerta = TFAlertaMsg::ExibeAlerta(12, QStringLiteral("Talvoro"));
    ASSERT_NE(alerta, nullptr);
    salvar(alerta, QStringLiteral("31-alerta-pendentes"));
    alerta->close();
    EXPECT_TRUE(esperarAte([] { return TFAlertaMsg::Atual() == nullptr; }));
    TFAlertaMsg::DefineGeradorTom({});
}
