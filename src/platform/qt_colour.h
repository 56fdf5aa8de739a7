// Where the drawing interface's colours meet Qt.
#pragma once

#include <QColor>

#include "core/drawing_surface.h"

namespace tovi {

// The opaque QColor of an Rgb.
inline QColor ToQColor(Rgb colour) { return QColor(colour.r, colour.g, colour.b); }

}  // namespace tovi
