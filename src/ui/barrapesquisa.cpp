#include "barrapesquisa.h"

#include "base/datahora.h"
#include "ui/desenhos.h"
#include "ui/fontes.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

namespace talvoro::ui {

namespace {

// Typed or pasted text comes out in upper case, as the names are stored.
class TValidadorMaiusculas : public QValidator
{
public:
    using QValidator::QValidator;
    State validate(QString& texto, int&) const override
    {
        texto = texto.toUpper();
        return Acceptable;
    }
};

int numeroOuZero(const QLineEdit* caixa)
{
    bool ok = false;
    const int n = caixa->text().toInt(&ok);
    return ok ? n : 0;
}

} // namespace

TBarraPesquisa::TBarraPesquisa(QWidget* pai)
    : QFrame(pai)
{
    setObjectName(QStringLiteral("Panel12"));
    setFixedHeight(100);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0xC0, 0xC0, 0xC0));
    setPalette(pal);

    const QFont entrada = tahoma(16, true);
    const QFont legenda = tahoma(11, true);
    auto* grade = new QGridLayout(this);
    grade->setContentsMargins(6, 4, 6, 6);
    grade->setHorizontalSpacing(8);
    grade->setVerticalSpacing(0);

    auto campo = [&](QWidget* controle, const QString& nome, const QString& texto, int largura,
                     int linha, int coluna) {
        controle->setObjectName(nome);
        controle->setFont(entrada);
        controle->setFixedWidth(largura);
        auto* rotulo = new QLabel(texto, this);
        rotulo->setFont(legenda);
        rotulo->setBuddy(controle);
        grade->addWidget(rotulo, linha, coluna);
        grade->addWidget(controle, linha + 1, coluna);
    };

    _edtNomeTel = new QLineEdit(this);
    _edtNomeTel->setValidator(new TValidadorMaiusculas(_edtNomeTel));
    _edtNomeTel->setMaxLength(60);
    campo(_edtNomeTel, QStringLiteral("_edtNomeTel"), QStringLiteral("Nome ou Telefone:"), 166, 0,
          0);

    // Nine digits at most, so every number typed fits an integer.
    const QRegularExpression digitos(QStringLiteral("\\d{0,9}"));
    _edtSeqDelivery = new QLineEdit(this);
    _edtSeqDelivery->setValidator(new QRegularExpressionValidator(digitos, _edtSeqDelivery));
    campo(_edtSeqDelivery, QStringLiteral("_edtSeqDelivery"), QStringLiteral("Seq. Delivery:"), 73,
          0, 1);

    _dataPedido = new QDateEdit(QDate::currentDate(), this);
    _dataPedido->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    _dataPedido->setCalendarPopup(true);
    _dataPedido->installEventFilter(this);
    campo(_dataPedido, QStringLiteral("_dataPedido"), QStringLiteral("Data:"), 121, 0, 2);

    _combStatus = new QComboBox(this);
    _combStatus->addItems({QStringLiteral("Todas"), QStringLiteral("Em preparo"),
                           QStringLiteral("Saiu para Entrega"), QStringLiteral("Finalizado"),
                           QStringLiteral("Cancelado"), QStringLiteral("Não Aceito")});
    _combStatus->setCurrentIndex(0);
    campo(_combStatus, QStringLiteral("_combStatus"), QStringLiteral("Situação:"), 166, 2, 0);

    _edtNrPedido = new QLineEdit(this);
    _edtNrPedido->setValidator(new QRegularExpressionValidator(digitos, _edtNrPedido));
    campo(_edtNrPedido, QStringLiteral("_edtNrPedido"), QStringLiteral("Pedido Ifood:"), 76, 2, 1);

    _btnPesquisar = new QPushButton(this);
    _btnPesquisar->setObjectName(QStringLiteral("_btnPesquisar"));
    _btnPesquisar->setFixedSize(68, 43);
    _btnPesquisar->setIcon(QIcon(desenho::lupa(28)));
    _btnPesquisar->setIconSize(QSize(28, 28));
    _btnPesquisar->setAccessibleName(QStringLiteral("Pesquisar"));
    _btnPesquisar->setToolTip(QStringLiteral("Pesquisar"));
    _btnPesquisar->setCursor(Qt::PointingHandCursor);
    _btnPesquisar->setStyleSheet(
        QStringLiteral("QPushButton { background-color: #AEE4F0; border: 1px solid #008080; }"
                       "QPushButton:pressed { background-color: #008080; }"));
    grade->addWidget(_btnPesquisar, 2, 2, 2, 1, Qt::AlignLeft | Qt::AlignBottom);
    grade->setColumnStretch(3, 1);
    grade->setRowStretch(4, 1);

    connect(_btnPesquisar, &QPushButton::clicked, this, &TBarraPesquisa::Pesquisa);
}

FiltroPedidos TBarraPesquisa::Filtro() const
{
    FiltroPedidos f;
    f.data = dataHora(_dataPedido->date(), QTime(0, 0));
    f.status = std::max(0, _combStatus->currentIndex());
    f.nrPedido = numeroOuZero(_edtNrPedido);
    f.seqDelivery = numeroOuZero(_edtSeqDelivery);
    f.nomeTel = _edtNomeTel->text();
    return f;
}

void TBarraPesquisa::DefineData(const QDateTime& data)
{
    _dataPedido->setDate(data.date());
}

bool TBarraPesquisa::eventFilter(QObject* objeto, QEvent* evento)
{
    if (objeto == _dataPedido && evento->type() == QEvent::KeyPress) {
        const int tecla = static_cast<QKeyEvent*>(evento)->key();
        if (tecla == Qt::Key_Return || tecla == Qt::Key_Enter) {
            // Taken here, so the picker neither beeps nor keeps the key.
            Q_EMIT Pesquisa();
            return true;
        }
    }
    return QFrame::eventFilter(objeto, evento);
}

} // namespace talvoro::ui
