#include "ui/Fonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace tv::ui {

namespace {

QString firstInstalled(const QStringList &wanted, const QString &fallback) {
    const QStringList installed = QFontDatabase::families();
    for (const QString &family : wanted)
        if (installed.contains(family, Qt::CaseInsensitive))
            return family;
    return fallback;
}

} // namespace

QFont formFont(int pixelSize) {
    static const QString family =
        firstInstalled({QStringLiteral("MS Sans Serif"), QStringLiteral("DejaVu Sans")},
                       QStringLiteral("Sans Serif"));
    QFont font(family);
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelSize);
    font.setBold(true);
    return font;
}

QFont pageFont() {
    static const QString family =
        firstInstalled({QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"),
                        QStringLiteral("DejaVu Serif")},
                       QStringLiteral("Serif"));
    QFont font(family);
    font.setStyleHint(QFont::Serif);
    font.setPixelSize(16);
    return font;
}

} // namespace tv::ui
