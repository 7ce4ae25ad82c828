#include "motivocancelamento.h"

#include "botaoestilizado.h"
#include "data/dm.h"
#include "fontes.h"

#include <QFrame>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPointer>
#include <QPushButton>
#include <QScopeGuard>
#include <QTableWidget>

namespace talvoro {

namespace {

ui::EstiloBotao estiloBotao(const QColor& face)
{
    ui::EstiloBotao e;
    e.face = face;
    e.texto = Qt::white;
    e.facePressionado = QColor(0x00, 0xAA, 0x6A);
    e.textoPressionado = Qt::white;
    e.faceFoco = e.facePressionado;
    e.textoFoco = Qt::white;
    e.fonte = ui::segoeUI(13, true);
    return e;
}

QPushButton* criaBotao(QWidget* pai, const char* nome, const QString& legenda, int x,
                       const QColor& face)
{
    auto* botao = new QPushButton(legenda, pai);
    botao->setObjectName(QString::fromLatin1(nome));
    botao->setGeometry(x, 6, 97, 41);
    ui::estilizaBotao(botao, estiloBotao(face));
    return botao;
}

bool ehEnter(const QKeyEvent* tecla)
{
    return tecla->key() == Qt::Key_Return || tecla->key() == Qt::Key_Enter;
}

} // namespace

T_frmMotivoCancelamento::T_frmMotivoCancelamento(TDM& dm, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
    , FDM(dm)
{
    setObjectName(QStringLiteral("_frmMotivoCancelamento"));
    setFixedSize(749, 531);
    setFont(ui::tahoma(11));

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(0, 0, 749, 41);

    DBGridStyles1 = new QTableWidget(0, 1, this);
    DBGridStyles1->setObjectName(QStringLiteral("DBGridStyles1"));
    DBGridStyles1->setGeometry(0, 41, 749, 531 - 41 - 59);
    DBGridStyles1->setFont(ui::tahoma(16));
    DBGridStyles1->setAccessibleName(QStringLiteral("Motivo do Cancelamento"));
    auto* titulo = new QTableWidgetItem(QStringLiteral("Motivo do Cancelamento"));
    titulo->setTextAlignment(Qt::AlignCenter);
    titulo->setFont(ui::tahoma(16, true));
    DBGridStyles1->setHorizontalHeaderItem(0, titulo);
    DBGridStyles1->horizontalHeader()->setFont(ui::tahoma(16, true));
    DBGridStyles1->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    DBGridStyles1->setColumnWidth(0, 731);
    DBGridStyles1->verticalHeader()->hide();
    DBGridStyles1->verticalHeader()->setDefaultSectionSize(28);
    DBGridStyles1->setSelectionBehavior(QAbstractItemView::SelectRows);
    DBGridStyles1->setSelectionMode(QAbstractItemView::SingleSelection);
    DBGridStyles1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DBGridStyles1->setTabKeyNavigation(false);
    DBGridStyles1->setStyleSheet(QStringLiteral(
        "QTableWidget::item:selected { color: black; background: qlineargradient(x1:0, y1:0, "
        "x2:0, y2:1, stop:0 #FFFFFF, stop:1 #A6CAF0); }"));
    DBGridStyles1->installEventFilter(this);
    connect(DBGridStyles1, &QTableWidget::cellClicked, this, [this] { DBGridStyles1CellClick(); });

    Panel2 = new QFrame(this);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setGeometry(0, 531 - 59, 749, 59);
    _btnConfirmar = criaBotao(Panel2, "_btnConfirmar", QStringLiteral("Confirmar"), 15,
                              QColor(0x00, 0xD0, 0x82));
    _btnCancelar = criaBotao(Panel2, "_btnCancelar", QStringLiteral("Cancelar"), 118,
                             QColor(0xCA, 0x23, 0x2B));
    connect(_btnConfirmar, &QPushButton::clicked, this, [this] { _btnConfirmarClick(); });
    connect(_btnCancelar, &QPushButton::clicked, this, [this] { _btnCancelarClick(); });
}

void T_frmMotivoCancelamento::FormActivate()
{
    FMotivos.reset();
    FMotivos = FDM.Query("_qryMotivoCanc").param("pedidoaceito", QString(GetPedidoAceito)).abrir();
    DBGridStyles1->setRowCount(int(FMotivos->tamanho()));
    for (int i = 0; i < int(FMotivos->tamanho()); ++i) {
        auto* motivo =
            new QTableWidgetItem(FMotivos->linhas[size_t(i)][u"motivocancelamento"].toString());
        DBGridStyles1->setItem(i, 0, motivo);
    }
    if (DBGridStyles1->rowCount() > 0)
        DBGridStyles1->setCurrentCell(0, 0);
    DBGridStyles1->setFocus();
    GetResult = EscolhaAtual();
}

QString T_frmMotivoCancelamento::EscolhaAtual() const
{
    const int linha = DBGridStyles1->currentRow();
    if (!FMotivos || linha < 0 || linha >= int(FMotivos->tamanho()))
        return QStringLiteral("|");
    const fb::Linha& motivo = FMotivos->linhas[size_t(linha)];
    return motivo[u"codigocancelamento"].toString() + u'|' +
           motivo[u"motivocancelamento"].toString();
}

void T_frmMotivoCancelamento::DBGridStyles1CellClick()
{
    GetResult = FMotivos ? EscolhaAtual() : QString();
}

void T_frmMotivoCancelamento::DBGridStyles1KeyUp()
{
    GetResult = FMotivos ? EscolhaAtual() : QString();
}

void T_frmMotivoCancelamento::_btnConfirmarClick()
{
    accept();
}

void T_frmMotivoCancelamento::_btnCancelarClick()
{
    GetResult.clear();
    QDialog::reject();
}

void T_frmMotivoCancelamento::reject()
{
    _btnCancelarClick();
}

bool T_frmMotivoCancelamento::eventFilter(QObject* objeto, QEvent* evento)
{
    if (objeto == DBGridStyles1) {
        if (evento->type() == QEvent::KeyPress && ehEnter(static_cast<QKeyEvent*>(evento))) {
            accept(); // DBGridStyles1KeyDown: Enter keeps the choice
            return true;
        }
        if (evento->type() == QEvent::KeyRelease)
            DBGridStyles1KeyUp();
    }
    return QDialog::eventFilter(objeto, evento);
}

void T_frmMotivoCancelamento::keyPressEvent(QKeyEvent* evento)
{
    if (evento->key() == Qt::Key_Escape) {
        evento->accept(); // Esc does nothing
        return;
    }
    QDialog::keyPressEvent(evento);
}

QString ExibeMotivoCancelamento(TDM& dm, QChar flag, QWidget* principal)
{
    QPointer<T_frmMotivoCancelamento> picker = new T_frmMotivoCancelamento(dm, principal);
    const auto libera = qScopeGuard([&picker] { delete picker.data(); });
    picker->GetPedidoAceito = flag;
    picker->FormActivate();
    picker->exec();
    return picker ? picker->GetResult : QString();
}

} // namespace talvoro
