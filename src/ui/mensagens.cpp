#include "mensagens.h"

#include "desenhos.h"
#include "fontes.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScopeGuard>
#include <QTimer>

namespace talvoro {

namespace {

QLabel* criaIcone(QWidget* pai, const char* nome, const QPixmap& figura)
{
    auto* icone = new QLabel(pai);
    icone->setObjectName(QString::fromLatin1(nome));
    icone->setGeometry(25, 10, 39, 27);
    icone->setPixmap(figura);
    icone->setAlignment(Qt::AlignCenter);
    icone->hide();
    return icone;
}

QPushButton* criaBotao(QWidget* pai, const char* nome, const QString& legenda, const QPixmap& glifo)
{
    auto* botao = new QPushButton(legenda, pai);
    botao->setObjectName(QString::fromLatin1(nome));
    botao->setGeometry(0, 6, 75, 29);
    botao->setIcon(glifo);
    botao->setIconSize(QSize(14, 14));
    botao->hide();
    return botao;
}

} // namespace

T_frmFormMensagensPadrao::T_frmFormMensagensPadrao(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("_frmFormMensagensPadrao"));
    setFixedSize(314, 176);
    setFont(ui::tahoma(13, true));

    _panTitulo = new QLabel(this);
    _panTitulo->setObjectName(QStringLiteral("_panTitulo"));
    _panTitulo->setGeometry(0, 0, 314, 33);
    _panTitulo->setFrameStyle(QFrame::Panel | QFrame::Raised);
    _panTitulo->setAlignment(Qt::AlignCenter);
    _panTitulo->setFont(ui::fonte(QStringLiteral("MS Sans Serif"), 13, true));
    QPalette titulo = _panTitulo->palette();
    titulo.setColor(QPalette::WindowText, Qt::black);
    _panTitulo->setPalette(titulo);

    pnlIcones = new QFrame(this);
    pnlIcones->setObjectName(QStringLiteral("pnlIcones"));
    pnlIcones->setGeometry(0, 33, 70, 103);
    const QSize tamanhoIcone(39, 27);
    _imgCuidado = criaIcone(pnlIcones, "_imgCuidado", ui::desenho::cuidado(tamanhoIcone));
    _imgDeletar = criaIcone(pnlIcones, "_imgDeletar", ui::desenho::deletar(tamanhoIcone));
    _imgErro = criaIcone(pnlIcones, "_imgErro", ui::desenho::erro(tamanhoIcone));
    _imgQuestao = criaIcone(pnlIcones, "_imgQuestao", ui::desenho::questao(tamanhoIcone));
    _imgInformacao = criaIcone(pnlIcones, "_imgInformacao", ui::desenho::informacao(tamanhoIcone));

    pnlMensagem = new QFrame(this);
    pnlMensagem->setObjectName(QStringLiteral("pnlMensagem"));
    pnlMensagem->setGeometry(70, 33, 244, 103);
    _lblMensagem = new QLabel(pnlMensagem);
    _lblMensagem->setObjectName(QStringLiteral("_lblMensagem"));
    _lblMensagem->setGeometry(10, 10, 224, 83);
    _lblMensagem->setWordWrap(true);
    _lblMensagem->setTextFormat(Qt::PlainText);
    _lblMensagem->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    _lblMensagem->setFont(ui::tahoma(13, true));

    pnlBotoes = new QFrame(this);
    pnlBotoes->setObjectName(QStringLiteral("pnlBotoes"));
    pnlBotoes->setGeometry(0, 136, 314, 40);
    pnlBotoes->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    _btnSim = criaBotao(pnlBotoes, "_btnSim", QStringLiteral("&Sim"), ui::desenho::marcaOk(16));
    _btnNao = criaBotao(pnlBotoes, "_btnNao", QStringLiteral("&Não"), ui::desenho::marcaNao(16));
    _btnOK = criaBotao(pnlBotoes, "_btnOK", QStringLiteral("&OK"), ui::desenho::marcaOk(16));
    _btnSim->setDefault(true);
    _btnOK->setDefault(true);
    connect(_btnSim, &QPushButton::clicked, this, &QDialog::accept);
    connect(_btnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(_btnNao, &QPushButton::clicked, this, [this] { done(kResultadoNao); });
}

void T_frmFormMensagensPadrao::configura(const QString& texto, QChar tipo,
                                         const QList<TMyButtons>& botoes)
{
    _lblMensagem->setText(texto);
    QPushButton* primeiro = nullptr;
    for (qsizetype n = 0; n < botoes.size() && n < 3; ++n) {
        QPushButton* botao = nullptr;
        switch (botoes[n]) {
        case mbSim:
            botao = _btnSim;
            break;
        case mbNao:
            botao = _btnNao;
            break;
        case mbOk:
            botao = _btnOK;
            FMensagemSimples = true;
            break;
        }
        if (!botao)
            continue;
        botao->move(kPosicoesBotoes[n], botao->y());
        botao->show();
        if (!primeiro)
            primeiro = botao;
    }
    if (primeiro)
        primeiro->setFocus();

    QLabel* icone = _imgInformacao;
    switch (tipo.unicode()) {
    case u'C':
        icone = _imgCuidado;
        break;
    case u'D':
        icone = _imgDeletar;
        break;
    case u'E':
        icone = _imgErro;
        break;
    case u'Q':
        icone = _imgQuestao;
        break;
    default:
        break;
    }
    icone->show();
}

void T_frmFormMensagensPadrao::showEvent(QShowEvent* evento)
{
    const QString titulo = FMensagemSimples ? QStringLiteral("Mensagem do Sistema")
                                            : QStringLiteral("Pergunta do Sistema");
    _panTitulo->setText(titulo);
    setWindowTitle(titulo);
    QDialog::showEvent(evento);
}

bool T_frmFormMensagensPadrao::Mensagem(const QString& Texto, QChar Tipo,
                                        const QList<TMyButtons>& Botoes)
{
    T_frmFormMensagensPadrao dialogo(nullptr);
    dialogo.configura(Texto, Tipo, Botoes);
    return dialogo.exec() == QDialog::Accepted;
}

T_frmGravacaoOK::T_frmGravacaoOK(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("_frmGravacaoOK"));
    setFixedSize(240, 141);
    setAutoFillBackground(true);
    QPalette fundo = palette();
    fundo.setColor(QPalette::Window, QColor(0x24, 0x4E, 0x77));
    setPalette(fundo);

    _imgFundo = new QLabel(this);
    _imgFundo->setObjectName(QStringLiteral("_imgFundo"));
    _imgFundo->setGeometry(0, 0, 240, 141);

    _lblMsg = new QLabel(QStringLiteral("GRAVAÇÃO OK!"), this);
    _lblMsg->setObjectName(QStringLiteral("_lblMsg"));
    _lblMsg->setGeometry(48, 48, 134, 60);
    _lblMsg->setWordWrap(true);
    _lblMsg->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    _lblMsg->setFont(ui::fonte(QStringLiteral("Arial"), 24, true));
    QPalette texto = _lblMsg->palette();
    texto.setColor(QPalette::WindowText, Qt::white);
    _lblMsg->setPalette(texto);

    Timer = new QTimer(this);
    Timer->setObjectName(QStringLiteral("Timer"));
    Timer->setSingleShot(true);
    Timer->setInterval(500);
    connect(Timer, &QTimer::timeout, this, &QDialog::accept);
    Timer->start();
}

void ExibeGravacaoOK()
{
    static QPointer<T_frmGravacaoOK> mantida;
    if (mantida)
        return; // already on screen: it closes by itself
    mantida = new T_frmGravacaoOK();
    const auto libera = qScopeGuard([] { delete mantida.data(); });
    mantida->exec();
}

} // namespace talvoro
