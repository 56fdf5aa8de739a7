// File names on POSIX systems are bytes, spelt in the locale's encoding.
#include <QFile>

#include "platform/file_name.h"

namespace tovi {

std::optional<std::filesystem::path> TryQtToPath(const QString& name) {
    if (name.isEmpty() || name.contains(QChar(u'\0')) || name.contains(QChar::ReplacementCharacter))
        return std::nullopt;
    const QByteArray bytes = QFile::encodeName(name);
    if (QFile::decodeName(bytes) != name) return std::nullopt;
    return std::filesystem::path(bytes.toStdString());
}

QString PathToQt(const std::filesystem::path& path) {
    return QFile::decodeName(QByteArray::fromStdString(path.native()));
}

}  // namespace tovi
