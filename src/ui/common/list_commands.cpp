#include "ui/common/list_commands.h"

#include <QPrinter>
#include <QString>

#include <optional>
#include <vector>

#include "platform/dialogs.h"
#include "sheets/printed_list.h"
#include "sheets/ranking_sheet.h"
#include "ui/common/file_commands.h"
#include "ui/common/messages.h"
#include "ui/common/print_job.h"

namespace tovi {

void PrintList(Dialogs& dialogs, const PrintedList& list,
               const std::function<void(const RecordedDrawing&)>& observer) {
    const auto drawPages = [&](QPrinter& printer) {
        const double scale = RankingSheetScale(printer.width(), printer.height());
        std::vector<RecordedDrawing> pages(static_cast<std::size_t>(list.Pages()));
        for (std::size_t i = 0; i < pages.size(); ++i)
            list.DrawPage(pages[i], scale, static_cast<int>(i));
        return pages;
    };
    if (const std::optional<Notice> notice =
            PrintNotice(PrintPages(dialogs, QString::fromStdString(list.Title()),
                                   QPageLayout::Portrait, drawPages, observer)))
        dialogs.Message(NoticeText(*notice));
}

void SaveListCsv(Dialogs& dialogs, const PrintedList& list) {
    const auto chosen = dialogs.SaveCsvFileName(QString::fromStdString(list.Title()));
    if (chosen) WriteChosenFile(dialogs, *chosen, list.Csv());
}

}  // namespace tovi
