#include "qt/fonts.h"

#include <QFontDatabase>

namespace qz::qt {

QFont dialog_font() {
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(8);
    return font;
}

QFont listing_font() {
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setStyleHint(QFont::Monospace);
    font.setPointSize(8);
    return font;
}

}  // namespace qz::qt
