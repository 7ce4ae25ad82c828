#pragma once

#include <QFont>
#include <QString>

namespace talvoro::ui {

// Makes the screens' faces available: Tahoma and MS Sans Serif from the Wine font files,
// and metric-close free faces in place of Segoe UI and Arial. Call once, after the
// application object exists.
void carregarFontes();

// A face by its design name, sized in pixels of character height as the screens are drawn.
QFont fonte(const QString& familia, int pixels, bool negrito = false);
inline QFont tahoma(int pixels, bool negrito = false)
{
    return fonte(QStringLiteral("Tahoma"), pixels, negrito);
}
inline QFont segoeUI(int pixels, bool negrito = false)
{
    return fonte(QStringLiteral("Segoe UI"), pixels, negrito);
}

} // namespace talvoro::ui
