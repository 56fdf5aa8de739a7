// The version dialog: created once with the main window, shown modally on
// request any number of times.  Its labels take the size of their texts when
// it is first shown.
#pragma once

#include <QDialog>

#include <functional>

#include "platform/dialogs.h"

class QLabel;
class QPushButton;

namespace tovi {

// The file address of the guide's page about the program and how to reach
// its makers, installed with it: in the data folder beside the program's
// folder (PREFIX/share/tovi/help beside PREFIX/bin), or in help/ of the build
// folder the program was built in.  Where neither holds it, the installed
// place; the desktop then finds nothing, and the program says nothing.
QString AboutPageAddress(const QString& programFolder);

// The program's icon: a ground golf ball beside the hole post.
QPixmap ProgramIconPixmap(int width, int height);

class AboutBox : public QDialog {
    Q_OBJECT
public:
    // showInGuide opens a page of the guide in the help window, where the
    // system has one (platform/help.h).
    AboutBox(QWidget* parent, Dialogs& dialogs,
             std::function<void(const QString& page)> showInGuide = {});

    // Shows the dialog modally and returns when it is closed.
    int ShowModal();
    // こちらから: opens the page about the program and how to reach its
    // makers: in the help window, closing the dialog, where the system has
    // one; else in the desktop's browser.
    void OpenAboutPage();

protected:
    void showEvent(QShowEvent* event) override;

private:
    Dialogs& dialogs_;
    std::function<void(const QString& page)> showInGuide_;
    // Each by its name in the layout (its objectName).
    QLabel* productName_ = nullptr;    // ProductName
    QLabel* version_ = nullptr;        // Version
    QLabel* credit_ = nullptr;         // Credit
    QLabel* linkIntro_ = nullptr;      // Label1: 作者宛のメール・ホームページは
    QLabel* link_ = nullptr;           // Label2: こちらから
    QPushButton* okButton_ = nullptr;  // OKButton
    bool labelsSized_ = false;
};

}  // namespace tovi
