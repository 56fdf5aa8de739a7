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

#include "ui/program.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    tovi::Program program;
    tovi::TForm1& form = program.Form();
    form.show();
    form.FinishBuilding();  // the boxes of the other modes, as right after the first paint

    const std::pair<const char*, tovi::ByteEdit*> boxes[] = {
        {"Edit1", form.Edit1},   {"Edit2", form.Edit2},   {"Edit6", form.Edit6},
        {"Edit7", form.Edit7},   {"Edit8", form.Edit8},   {"Edit9", form.Edit9},
        {"Edit10", form.Edit10}, {"Edit11", form.Edit11}, {"Edit12", form.Edit12},
        {"Edit13", form.Edit13}, {"Edit14", form.Edit14}, {"Edit15", form.Edit15},
    };
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
