// The score-sheet mode: the preview and printing of one group's sheet.
#include <QCheckBox>
#include <QPainter>
#include <QPrinter>

#include "scoresheet/score_sheet.h"
#include "ui/main_window.h"

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

}  // namespace

void TForm1::Edit9Click() { Edit9->clear(); }
void TForm1::Edit10Click() { Edit10->clear(); }
void TForm1::Edit11Click() { Edit11->clear(); }
void TForm1::Edit12Click() { Edit12->clear(); }
void TForm1::Edit13Click() { Edit13->clear(); }
void TForm1::Edit14Click() { Edit14->clear(); }

void TForm1::Button9Click() {
    state_.ScaleX = PreviewScaleX;
    state_.ScaleY = PreviewScaleY;
    const PageSize page = SheetPageSize(state_.ScaleX, state_.ScaleY);
    Image23->setGeometry(5, 3, page.width, page.height);
    DrawSheet(*this, Image23->Canvas());
    Image23->show();
}

void TForm1::CheckBox2Click() { Button9Click(); }

void TForm1::Button7Click() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setPageSize(QPageSize(QPageSize::A4));
    if (!dialogs_.PrintSetup(printer)) return;

    const SheetScale scale = PrintScale(printer.logicalDpiX(), printer.logicalDpiY());
    state_.ScaleX = scale.x;
    state_.ScaleY = scale.y;
    QPainter painter;
    if (!painter.begin(&printer)) {
        ShowMessage("印刷を開始できません");
        return;
    }
    QtSurface surface(&painter);
    try {
        DrawSheet(*this, surface);
    } catch (...) {
        // A sheet that stopped half drawn is not printed.
        printer.abort();
        painter.end();
        throw;
    }
    painter.end();
}

}  // namespace tovi
