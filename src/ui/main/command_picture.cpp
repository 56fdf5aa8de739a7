#include "ui/main/command_picture.h"

#include "core/cp932.h"
#include "platform/picture_widget.h"

namespace tovi {

void CommandPicture::DrawFace(bool on) const {
    DrawingSurface& c = picture_->Canvas();
    c.SetPenWidth(1);
    c.SetPenColor(face_.outline);
    c.SetBrushColor(on ? kYellow : kWhite);
    c.Rectangle(0, 0, picture_->width(), picture_->height());
    c.SetFontSize(11);
    if (face_.arrow) {
        c.SetFontColor(kRed);
        c.TextOut(face_.arrowX, face_.y, Utf8ToCp932(face_.arrow));
    }
    c.SetFontColor(kBlack);
    c.TextOut(face_.x, face_.y, Utf8ToCp932(face_.caption));
}

void CommandPicture::SwitchOn(ListInteraction& interaction) const {
    DrawFace(true);
    if (prompt_) prompt_->show();
    interaction.commandState = code_;
    interaction.*latch_ = true;
}

void CommandPicture::Release(ListInteraction& interaction) const {
    if (prompt_) prompt_->hide();
    interaction.*latch_ = false;
}

}  // namespace tovi
