// The rows of commands and settings along the top of the results, season and
// help windows: buttons named for the tests and the accessibility tree, and
// labels that carry their box's shortcut.
#pragma once

class QBoxLayout;
class QButtonGroup;
class QPushButton;
class QString;
class QWidget;

namespace tovi {

// A button at the end of the row, with the object name name.
QPushButton* AddBarButton(QWidget* owner, QBoxLayout* row, const QString& text, const char* name);

// 閉じる (CloseButton) at the end of the row: it closes the window.
QPushButton* AddCloseButton(QWidget* window, QBoxLayout* row);

// The choice of list, 全体, 男子 and 女子 (ListButton0..2, 全体 chosen),
// at the end of the row; the group's ids are the lists' numbers.
QButtonGroup* AddListButtons(QWidget* owner, QBoxLayout* row);

// A label for buddy (its shortcut moves into buddy), buddy, and then a gap
// of spacingAfter pixels (none for 0).
void AddLabelled(QWidget* owner, QBoxLayout* row, const QString& text, QWidget* buddy,
                 int spacingAfter);

}  // namespace tovi
