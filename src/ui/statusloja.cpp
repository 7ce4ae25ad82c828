#include "statusloja.h"

#include "botaoestilizado.h"
#include "fontes.h"

#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScopeGuard>

namespace talvoro {

namespace {

QGroupBox* criaGrupo(QWidget* pai, const char* nome, const QString& legenda, int topo, int altura)
{
    auto* grupo = new QGroupBox(legenda, pai);
    grupo->setObjectName(QString::fromLatin1(nome));
    grupo->setGeometry(8, topo, 825, altura);
    return grupo;
}

// A caption ending just left of x = 113 and its value starting there.
QLabel* criaLinha(QGroupBox* grupo, const QString& legenda, const char* nomeValor, int topo)
{
    auto* rotulo = new QLabel(legenda, grupo);
    rotulo->setFont(ui::tahoma(16, true));
    rotulo->setGeometry(4, topo, 106, 19);
    rotulo->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    auto* valor = new QLabel(grupo);
    valor->setObjectName(QString::fromLatin1(nomeValor));
    valor->setFont(ui::tahoma(16));
    valor->setGeometry(113, topo, 825 - 113 - 8, 19);
    valor->setTextFormat(Qt::PlainText);
    rotulo->setBuddy(valor);
    return valor;
}

} // namespace

T_frmStatusLoja::T_frmStatusLoja(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("_frmStatusLoja"));
    setWindowTitle(QStringLiteral("Status Loja no Ifood"));
    setFixedSize(849, 297);
    setFont(ui::tahoma(11));

    const QString validations = QStringLiteral("          validations          ");
    GroupBox4 = criaGrupo(this, "GroupBox4", validations, 11, 64);
    _lblavailable = criaLinha(GroupBox4, QStringLiteral("available:"), "_lblavailable", 19);
    _lblstate = criaLinha(GroupBox4, QStringLiteral("state:"), "_lblstate", 38);

    GroupBox2 = criaGrupo(this, "GroupBox2", validations, 76, 81);
    _lbltitle = criaLinha(GroupBox2, QStringLiteral("title:"), "_lbltitle", 19);
    _lblsubtitle = criaLinha(GroupBox2, QStringLiteral("subtitle:"), "_lblsubtitle", 38);
    _lbldescription = criaLinha(GroupBox2, QStringLiteral("description:"), "_lbldescription", 57);

    GroupBox1 =
        criaGrupo(this, "GroupBox1", QStringLiteral("          message          "), 158, 81);
    _lblmtitle = criaLinha(GroupBox1, QStringLiteral("title:"), "_lblmtitle", 19);
    _lblmsubtitle = criaLinha(GroupBox1, QStringLiteral("subtitle:"), "_lblmsubtitle", 38);
    _lblmdescription = criaLinha(GroupBox1, QStringLiteral("description:"), "_lblmdescription", 57);

    _btnFechar = new QPushButton(QStringLiteral("Fechar"), this);
    _btnFechar->setObjectName(QStringLiteral("_btnFechar"));
    _btnFechar->setGeometry(639, 245, 194, 41);
    ui::estilizaBotao(_btnFechar, ui::EstiloBotao::fechar());
    connect(_btnFechar, &QPushButton::clicked, this, &T_frmStatusLoja::_btnFecharClick);
}

void T_frmStatusLoja::showEvent(QShowEvent* evento)
{
    FormActivate();
    QDialog::showEvent(evento);
}

void T_frmStatusLoja::FormActivate()
{
    const std::pair<QLabel*, const QString*> linhas[] = {
        {_lblavailable, &available},
        {_lblstate, &state},
        {_lbltitle, &title},
        {_lblsubtitle, &subtitle},
        {_lbldescription, &description},
        {_lblmtitle, &mtitle},
        {_lblmsubtitle, &msubtitle},
        {_lblmdescription, &mdescription},
    };
    for (const auto& [rotulo, texto] : linhas) {
        rotulo->setText(*texto);
        // A text wider than its row can still be read whole.
        rotulo->setToolTip(*texto);
    }
}

void T_frmStatusLoja::_btnFecharClick()
{
    close();
}

void ExibeStatusLoja(const StatusLojaResumo& resumo, QWidget* principal)
{
    static QPointer<T_frmStatusLoja> mantido;
    if (mantido)
        return;
    mantido = new T_frmStatusLoja(principal);
    // Destroyed and forgotten however the show ends.
    const auto libera = qScopeGuard([] { delete mantido.data(); });
    mantido->available = resumo.available;
    mantido->state = resumo.state;
    mantido->title = resumo.title;
    mantido->subtitle = resumo.subtitle;
    mantido->description = resumo.description;
    mantido->mtitle = resumo.mtitle;
    mantido->msubtitle = resumo.msubtitle;
    mantido->mdescription = resumo.mdescription;
    mantido->exec();
}

} // namespace talvoro
