// A run of the results window in a process of its own, driven line by line
// and killed in the middle, for the tests of the recovery after a crash.
#pragma once

#include <QCoreApplication>
#include <QProcess>
#include <QProcessEnvironment>

#include <functional>
#include <string>
#include <vector>

#include "ui/results_fixture.h"

namespace tovi::test {

// Set for the child process: the folder of its recovery file.
inline constexpr char kRecoveryChildVariable[] = "TOVI_RECOVERY_CHILD";

class CrashTest : public ResultsTest {
protected:
    // The child's meeting: 1組 一郎 二郎, 2組 三郎; three holes, one round.
    void MeetForRecovery() {
        Meet({"一郎", "二郎", "三郎"}, "MMM", {{0, 1}, {2}});
        Open("3");
        SetRounds(1);
    }

    // Starts this test program as the child (CrashTest.RecoveryChild*),
    // hands it the lines one by one, each entered before the next, then ends
    // it with kill.  False when the child did not answer.
    static bool RunChildAndKill(const QString& folder, const std::vector<std::string>& lines,
                                const std::function<void(QProcess&)>& kill) {
        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QString::fromLatin1(kRecoveryChildVariable), folder);
        child.setProcessEnvironment(environment);
        child.setProcessChannelMode(QProcess::SeparateChannels);
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--gtest_filter=CrashTest.RecoveryChild*")});
        bool answered = child.waitForStarted(30000) && WaitForLine(child, "ready");
        for (const std::string& line : lines) {
            if (!answered) break;
            child.write((line + "\n").c_str());
            answered = WaitForLine(child, "entered " + line);
        }
        if (child.state() == QProcess::Running) kill(child);
        child.waitForFinished(30000);
        return answered && child.exitStatus() == QProcess::CrashExit;
    }

private:
    // Reads the child's output until the line comes (within a minute).
    static bool WaitForLine(QProcess& child, const std::string& line) {
        for (int waited = 0; waited < 600; ++waited) {
            while (child.canReadLine())
                if (child.readLine().trimmed().toStdString() == line) return true;
            if (child.state() != QProcess::Running) return false;
            child.waitForReadyRead(100);
        }
        return false;
    }
};

}  // namespace tovi::test
