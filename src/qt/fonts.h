// The window's fonts: 8-point sans-serif for the dialogs and the Message log, 8-point monospace for
// the settings listings.
#pragma once

#include <QFont>

namespace qz::qt {

QFont dialog_font();
QFont listing_font();

}  // namespace qz::qt
