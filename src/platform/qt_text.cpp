#include "platform/qt_text.h"

#include "platform/cp932.h"

namespace tovi {

QString ToQt(const std::string& cp932) {
    return QString::fromStdString(Cp932ToUtf8(cp932));
}

std::optional<std::string> FromQt(const QString& text) {
    return Utf8ToCp932(text.toStdString());
}

int Cp932Length(const QString& text) {
    const auto bytes = FromQt(text);
    return bytes ? static_cast<int>(bytes->size()) : -1;
}

}  // namespace tovi
