// The running program, as main() sets it up, for the input-method check
// (scripts/check-input-method).  Each line on standard input prints the texts
// of every edit box, one "EditN=text" line each in UTF-8, followed by a line
// "."; the line "quit" ends the program.  Nothing else differs from tovi.
#include <QApplication>
#include <QSocketNotifier>

#include <cstdio>
#include <iostream>
#include <string>
#include <utility>
#include <vector>

#include "app/program.h"
#include "support/window_controls.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    tovi::Program program;
    tovi::MainWindow& form = program.Window();
    form.show();
    form.FinishBuilding();  // the boxes of the other modes, as right after the first paint

    const tovi::test::WindowControls controls(form);
    std::vector<std::pair<std::string, tovi::ByteEdit*>> boxes;
    for (const int n : {1, 2, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15})
        boxes.emplace_back("Edit" + std::to_string(n), controls.Edit(n));
    QSocketNotifier input(fileno(stdin), QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, &app, [&] {
        std::string line;
        if (!std::getline(std::cin, line) || line == "quit") {
            input.setEnabled(false);
            QApplication::quit();
            return;
        }
        for (const auto& [name, box] : boxes)
            std::cout << name << '=' << box->text().toStdString() << '\n';
        std::cout << '.' << std::endl;
    });
    return QApplication::exec();
}
