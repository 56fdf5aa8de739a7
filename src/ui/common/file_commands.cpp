#include "ui/common/file_commands.h"

#include <optional>

#include "core/file_io.h"
#include "platform/dialogs.h"
#include "platform/file_name.h"
#include "platform/qt_text.h"
#include "ui/common/messages.h"

namespace tovi {

bool WriteFileOrTell(Dialogs& dialogs, const std::filesystem::path& path, std::string_view bytes) {
    if (ReplaceFileContents(path, bytes)) return true;
    dialogs.Message(NoticeText(Notice::CannotSave));
    return false;
}

bool WriteChosenFile(Dialogs& dialogs, const QString& chosen, std::string_view bytes) {
    const std::optional<std::filesystem::path> path = TryQtToPath(chosen);
    if (!path) {
        dialogs.Message(NoticeText(Notice::BadFileName));
        return false;
    }
    return WriteFileOrTell(dialogs, *path, bytes);
}

QString NameList(const QString& first, const std::vector<QString>& names) {
    QString text = first;
    for (const QString& name : names) text += QLatin1Char('\n') + name;
    return text;
}

QString NameList(const QString& first, const std::vector<std::string>& cp932Names) {
    std::vector<QString> names;
    names.reserve(cp932Names.size());
    for (const std::string& name : cp932Names) names.push_back(Cp932ToQt(name));
    return NameList(first, names);
}

}  // namespace tovi
