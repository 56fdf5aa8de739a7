#include <QApplication>

#include "ui/program.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    tovi::Program program;
    program.Start();
    return QApplication::exec();
}
