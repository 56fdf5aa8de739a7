#include "ui/main/widget_factory.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include "platform/picture_widget.h"

namespace tovi {

void Fill(QWidget* widget, Rgb colour) {
    widget->setBackgroundRole(QPalette::Window);
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, ToQColor(colour));
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

QFrame* MakePanel(const char* name, QWidget* parent, int x, int y, int w, int h) {
    auto* panel = new QFrame(parent);
    panel->setObjectName(QLatin1String(name));
    panel->setGeometry(x, y, w, h);
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Raised);
    Fill(panel, kInactiveCaption);
    return panel;
}

QLabel* MakeLabel(const char* name, QWidget* parent, const QString& text, int x, int y,
                  LabelStyle style, int w, int h) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    QFont font = FontForPixels(*style.face, style.pixels);
    font.setBold(style.bold);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, ToQColor(style.colour));
    label->setPalette(palette);
    label->move(x, y);
    if (w > 0 && h > 0)
        label->resize(w, h);
    else
        label->adjustSize();
    return label;
}

QPushButton* MakeButton(const char* name, QWidget* parent, const QString& text, int x, int y, int w,
                        int h, int points) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(x, y, w, h);
    if (points > 0) button->setFont(FontForPoints(kPGothicFace, points));
    button->setFocusPolicy(Qt::TabFocus);
    return button;
}

PictureWidget* MakePicture(const char* name, QWidget* parent, int x, int y, int w, int h) {
    auto* picture = new PictureWidget(parent, w, h);
    picture->setObjectName(QLatin1String(name));
    picture->setGeometry(x, y, w, h);
    return picture;
}

ByteEdit* MakeEdit(const char* name, QWidget* parent, int maxBytes, int x, int y, int w, int h,
                   int pixels, const QString& face, ByteEdit::InputMethod inputMethod) {
    auto* edit = new ByteEdit(parent, maxBytes, inputMethod);
    edit->setObjectName(QLatin1String(name));
    edit->setGeometry(x, y, w, h);
    edit->setFont(FontForPixels(face, pixels));
    edit->setTextMargins(0, 0, 0, 0);
    edit->setStyleSheet(
        QStringLiteral("QLineEdit { padding: 0px; border: 1px solid #7a7a7a; "
                       "background: white; color: black; }"));
    return edit;
}

}  // namespace tovi
