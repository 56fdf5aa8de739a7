// The version dialog: created once with the main window, shown modally on
// request any number of times.
#pragma once

#include <QDialog>

#include "platform/dialogs.h"

class QLabel;
class QPushButton;

namespace tovi {

inline const QString kHomePage = QStringLiteral("https://example.org/tovi/");

// The program's icon: a ground golf ball beside the hole post.
QPixmap ProgramIconPixmap(int width, int height);

class AboutBox : public QDialog {
    Q_OBJECT
public:
    AboutBox(QWidget* parent, Dialogs& dialogs);

    // Shows the dialog modally and returns when it is closed.
    int ShowModal();
    void Label2Click();

    QLabel* ProgramIcon = nullptr;
    QLabel* Comments = nullptr;
    QLabel* ProductName = nullptr;
    QLabel* Version = nullptr;
    QLabel* Credit = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QPushButton* OKButton = nullptr;

private:
    Dialogs& dialogs_;
};

}  // namespace tovi
