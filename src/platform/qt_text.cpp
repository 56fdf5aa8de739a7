#include "platform/qt_text.h"

#include "core/cp932.h"

namespace tovi {

QString Cp932ToQt(const std::string& cp932) { return QString::fromStdString(Cp932ToUtf8(cp932)); }

std::optional<std::string> TryQtToCp932(const QString& text) {
    return TryUtf8ToCp932(text.toStdString());
}

int Cp932Length(const QString& text) {
    const auto bytes = TryQtToCp932(text);
    return bytes ? static_cast<int>(bytes->size()) : -1;
}

}  // namespace tovi
