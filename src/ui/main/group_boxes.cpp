#include "ui/main/group_boxes.h"

#include <QLabel>

#include <string>

#include "model/int_conversion.h"
#include "platform/picture_widget.h"
#include "ui/main/widget_factory.h"

namespace tovi {
namespace {

// Ten ideographic spaces and three ASCII spaces: wider than a box, so one
// write blanks a whole name row.
const std::string kGroupBlankText =
    "\x81\x40\x81\x40\x81\x40\x81\x40\x81\x40\x81\x40\x81\x40\x81\x40\x81\x40\x81\x40   ";

int GroupRowY(int row) { return GroupRowPitch * row + 6; }

}  // namespace

GroupBoxes::GroupBoxes(QWidget& form, TournamentState& state,
                       std::function<void(int group, int y)> pressed)
    : state_(state) {
    const int boxX[] = {532, 690, 849};
    const QString captions[] = {QStringLiteral("１　組"), QStringLiteral("２　組"),
                                QStringLiteral("３　組"), QStringLiteral("４　組"),
                                QStringLiteral("５　組"), QStringLiteral("６　組")};
    for (int g = 1; g <= MaxGroups; ++g) {
        const int x = boxX[(g - 1) % 3];
        const int y = g <= 3 ? 324 : 475;
        const std::string box = "Image" + std::to_string(10 + g);
        const std::string caption = "Label" + std::to_string(10 + g);
        boxes_[g] = MakePicture(box.c_str(), &form, x, y, kGroupBoxWidth, kGroupBoxHeight);
        captions_[g] =
            MakeLabel(caption.c_str(), &form, captions[g - 1], x + 55, y - 19, {15}, 50, 19);
        QObject::connect(boxes_[g], &PictureWidget::pressed, boxes_[g],
                         [pressed, g](int, int pressY) { pressed(g, pressY); });
    }
}

void GroupBoxes::PaintFirstFaces() {
    for (int g = 1; g <= MaxGroups; ++g) {
        DrawingSurface& c = boxes_[g]->Canvas();
        c.SetPenColor(kBlack);
        c.SetPenWidth(1);
        c.SetBrushColor(kWhite);
        c.Rectangle(0, 0, kGroupBoxWidth, kGroupBoxHeight);
        c.SetFontSize(12);
    }
}

void GroupBoxes::WriteNames() {
    for (int g = 1; g <= MaxGroups; ++g) {
        DrawingSurface& box = boxes_[g]->Canvas();
        const auto& members = state_.groupList[g];
        for (std::size_t i = 0; i < members.size(); ++i) {
            const int p = StrToInt(members[i]);
            const std::string name =
                p >= 0 && p < kTableRows ? state_.rosterTable[p][0] : std::string();
            box.TextOut(9, GroupRowY(static_cast<int>(i)), name);
        }
    }
}

void GroupBoxes::Clear(int group) {
    if (group < 0 || group > MaxGroups) return;
    for (int g = 1; g <= MaxGroups; ++g) {
        if (group != 0 && g != group) continue;
        DrawingSurface& box = boxes_[g]->Canvas();
        for (int r = 0; r < MaxGroupSize; ++r) box.TextOut(3, GroupRowY(r), kGroupBlankText);
        // The blank rows run past the right edge; draw the border there again.
        box.SetPenColor(kBlack);
        box.SetPenWidth(1);
        box.MoveTo(kGroupBoxWidth - 1, 0);
        box.LineTo(kGroupBoxWidth - 1, kGroupBoxHeight);
    }
    if (group == 0)
        for (auto& members : state_.groupList) members.clear();
}

void GroupBoxes::Show() {
    for (int g = 1; g <= MaxGroups; ++g) {
        boxes_[g]->show();
        captions_[g]->show();
    }
}

void GroupBoxes::Hide() {
    for (int g = 1; g <= MaxGroups; ++g) {
        boxes_[g]->hide();
        captions_[g]->hide();
    }
}

void GroupBoxes::AcceptPresses() {
    for (int g = 1; g <= MaxGroups; ++g) boxes_[g]->SetIgnorePresses(false);
}

void GroupBoxes::IgnorePresses() {
    for (int g = 1; g <= MaxGroups; ++g) boxes_[g]->SetIgnorePresses(true);
}

}  // namespace tovi
