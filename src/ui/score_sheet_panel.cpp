// The score-sheet mode: the preview and printing of one group's sheet.
#include <QCheckBox>
#include <QPrinter>

#include "scoresheet/score_sheet.h"
#include "ui/main_window.h"
#include "ui/print_job.h"

namespace tovi {
namespace {

// Copies the settings boxes into a settings record.
ScoreSheetSettings ReadSettings(const TForm1& form) {
    ScoreSheetSettings s;
    s.Title = form.Edit15->Bytes();
    s.MeetingName = form.Edit7->Bytes();
    s.Course = form.Edit8->Bytes();
    s.HoleCount = form.Edit9->Bytes();
    s.GroupNumber = form.Edit13->Bytes();
    s.StartHole = form.Edit14->Bytes();
    s.Year = form.Edit10->Bytes();
    s.Month = form.Edit11->Bytes();
    s.Day = form.Edit12->Bytes();
    s.HideHoleNumbers = form.CheckBox2->isChecked();
    return s;
}

// Draws the sheet and hands the hole-count text back to its box, which the
// drawing may have rewritten before it stopped on a bad number.
void DrawSheet(TForm1& form, DrawingSurface& surface) {
    ScoreSheetSettings settings = ReadSettings(form);
    try {
        Draw(surface, form.State(), settings);
    } catch (...) {
        form.Edit9->SetBytes(settings.HoleCount);
        throw;
    }
    form.Edit9->SetBytes(settings.HoleCount);
}

// The name a print to a PDF file offers for the sheet of the given group,
// as the header shows the group number.
QString SheetFileName(QString group) {
    group.replace(QLatin1Char('/'), QLatin1Char('_'));  // stays one file name
    return QStringLiteral("スコア表_%1組").arg(group);
}

}  // namespace

void TForm1::Edit9Click() { Edit9->clear(); }
void TForm1::Edit10Click() { Edit10->clear(); }
void TForm1::Edit11Click() { Edit11->clear(); }
void TForm1::Edit12Click() { Edit12->clear(); }
void TForm1::Edit13Click() { Edit13->clear(); }
void TForm1::Edit14Click() { Edit14->clear(); }

void TForm1::Button9Click() {
    state_.ScaleX = kPreviewScaleX;
    state_.ScaleY = kPreviewScaleY;
    const PageSize page = SheetPageSize(state_.ScaleX, state_.ScaleY);
    Image23->setGeometry(5, 3, page.width, page.height);
    DrawSheet(*this, Image23->Canvas());
    Image23->show();
}

void TForm1::CheckBox2Click() { Button9Click(); }

void TForm1::Button7Click() {
    std::vector<ScoreSheetSettings> sheets{ReadSettings(*this)};
    // The drawing may rewrite the hole count, also when it stops on a bad number.
    try {
        PrintSheets(SheetFileName(Edit13->text()), sheets);
    } catch (...) {
        Edit9->SetBytes(sheets.front().HoleCount);
        throw;
    }
    Edit9->SetBytes(sheets.front().HoleCount);
}

void TForm1::PrintAllClick() {
    // Each page is the sheet 印　刷 would print with the group's number in the
    // group box; the boxes themselves are left as they are.
    const ScoreSheetSettings settings = ReadSettings(*this);
    std::vector<ScoreSheetSettings> sheets;
    for (int g = 1; g <= MaxGroups; ++g) {
        if (state_.GroupList[static_cast<std::size_t>(g)].empty()) continue;
        sheets.push_back(settings);
        sheets.back().GroupNumber = std::to_string(g);
    }
    if (sheets.empty()) {
        ShowMessage("印刷する組がありません");
        return;
    }
    PrintSheets(QStringLiteral("スコア表_全組"), sheets);
}

void TForm1::PrintSheets(const QString& fileName, std::vector<ScoreSheetSettings>& sheets) {
    const auto drawPages = [this, &sheets](QPrinter& printer) {
        const SheetScale scale = PrintScale(printer.logicalDpiX(), printer.logicalDpiY());
        state_.ScaleX = scale.x;
        state_.ScaleY = scale.y;
        // A sheet that stops on a bad number throws here, before the job begins.
        std::vector<RecordedDrawing> pages(sheets.size());
        for (std::size_t i = 0; i < sheets.size(); ++i) Draw(pages[i], state_, sheets[i]);
        return pages;
    };
    if (PrintPages(dialogs_, fileName, QPageLayout::Landscape, drawPages, printObserver_) ==
        PrintOutcome::CannotStart)
        ShowMessage("印刷を開始できません");
}

}  // namespace tovi
