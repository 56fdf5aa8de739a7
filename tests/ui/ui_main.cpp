// Window tests run under the offscreen platform with one application object.
#include <QApplication>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

int main(int argc, char* argv[]) {
    // Wine hands a program no QT_* variable: the tests' runner gives them as
    // TOVI_TEST_QT_*.
    for (const QString& variable : QProcessEnvironment::systemEnvironment().keys())
        if (variable.startsWith(QStringLiteral("TOVI_TEST_QT_")))
            qputenv(variable.mid(10).toLocal8Bit(), qgetenv(variable.toLocal8Bit()));
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
