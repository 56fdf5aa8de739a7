#include "platform/error_guard.h"

#include "platform/qt_text.h"

namespace tovi {

QString NotAnIntegerMessage(const std::string& cp932Text) {
    return QStringLiteral("'%1' は整数ではありません.").arg(Cp932ToQt(cp932Text));
}

}  // namespace tovi
