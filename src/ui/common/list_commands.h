// 印刷 and CSV保存 of whatever list a window shows (sheets/printed_list.h):
// the same two commands in the results window (順位, 団体, 表彰) and in the
// season window.
#pragma once

#include <functional>

#include "core/recorded_drawing.h"

namespace tovi {

class Dialogs;
class PrintedList;

// Prints the list on A4 portrait through the print dialog, which offers a
// PDF file named after it; a message says why when it could not.  observer,
// when set, sees every page printed, in order.
void PrintList(Dialogs& dialogs, const PrintedList& list,
               const std::function<void(const RecordedDrawing&)>& observer);

// Saves the list's CSV to the file the user chooses, offered under the
// list's title.
void SaveListCsv(Dialogs& dialogs, const PrintedList& list);

}  // namespace tovi
