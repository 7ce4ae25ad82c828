#include "fontes.h"

#include <QFileInfo>
#include <QFontDatabase>

namespace talvoro::ui {

namespace {

// Wine's tahomabd.ttf comes out thin and wide under Qt's renderer; without it bold Tahoma is
// emboldened from the regular face, which keeps Tahoma's shapes.
const char* const kArquivosFontes[] = {
    "/usr/share/wine/fonts/tahoma.ttf",
    "/usr/share/wine/fonts/ms_sans_serif.ttf",
};

} // namespace

void carregarFontes()
{
    static bool carregadas = false;
    if (carregadas)
        return;
    carregadas = true;
    for (const char* arquivo : kArquivosFontes) {
        const QString caminho = QString::fromUtf8(arquivo);
        if (QFileInfo::exists(caminho))
            QFontDatabase::addApplicationFont(caminho);
    }
    // No free face shares Segoe UI's metrics; Liberation Sans (Arial's metrics) is the
    // closest one packaged, and is Arial's own metric-compatible twin.
    const QStringList sans{QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
                           QStringLiteral("DejaVu Sans")};
    QFont::insertSubstitutions(QStringLiteral("Segoe UI"), sans);
    QFont::insertSubstitutions(QStringLiteral("Arial"), sans);
    QFont::insertSubstitutions(QStringLiteral("Tahoma"), {QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"), sans);
}

QFont fonte(const QString& familia, int pixels, bool negrito)
{
    QFont f(familia);
    f.setPixelSize(pixels);
    f.setBold(negrito);
    return f;
}

} // namespace talvoro::ui
