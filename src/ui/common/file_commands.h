// What the windows' save commands share: writing the bytes to the file the
// user chose, with the message that says why it could not be, and the
// message that names what was left out.
#pragma once

#include <QString>

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace tovi {

class Dialogs;

// Writes bytes to the file at path (as every save does: the old file stays
// whole until the new one is in place); 「ファイルに保存出来ません」 when
// it cannot.  True when written.
bool WriteFileOrTell(Dialogs& dialogs, const std::filesystem::path& path, std::string_view bytes);

// The same for a name a file dialog gave, which is first told apart from a
// name the system cannot hold.
bool WriteChosenFile(Dialogs& dialogs, const QString& chosen, std::string_view bytes);

// The names, one a line, after a first line.
QString NameList(const QString& first, const std::vector<QString>& names);
QString NameList(const QString& first, const std::vector<std::string>& cp932Names);

}  // namespace tovi
