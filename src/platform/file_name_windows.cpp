// File names on Windows are UTF-16 like QString: they pass through whole, so
// that every name Windows allows (Japanese ones included) reaches the file
// system unchanged, whatever the system's ANSI code page.
#include <QDir>

#include "platform/file_name.h"

namespace tovi {

std::optional<std::filesystem::path> TryQtToPath(const QString& name) {
    if (name.isEmpty() || name.contains(QChar(u'\0'))) return std::nullopt;
    return std::filesystem::path(QDir::toNativeSeparators(name).toStdWString());
}

QString PathToQt(const std::filesystem::path& path) {
    return QString::fromStdWString(path.native());
}

}  // namespace tovi
