#include <QApplication>

#include "app/program.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    tovi::Program program;
    program.Start();
    return QApplication::exec();
}
