// The roster dialogs open large enough that a file's name, size, type and
// date are shown whole, not cut at the dialog's right edge.
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QHeaderView>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/dialogs.h"

namespace tovi {
namespace {

TEST(RosterFileDialog, ShowsTheNameSizeTypeAndDateColumnsWhole) {
    // Qt's dialog keeps its history in the settings: not in the user's.
    QStandardPaths::setTestModeEnabled(true);
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QFile file(folder.filePath(QStringLiteral("秋季親睦会メンバー名簿.txt")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("x");
    file.close();

    // A desktop set up for older eyes, with a large font.
    const QFont usual = QApplication::font();
    QFont large = usual;
    large.setPointSize(14);
    QApplication::setFont(large);
    for (const bool forSaving : {false, true}) {
        const auto dialog = MakeRosterDialog(nullptr, forSaving);
        dialog->setOption(QFileDialog::DontUseNativeDialog, true);
        dialog->setDirectory(folder.path());
        dialog->setViewMode(QFileDialog::Detail);
        dialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
        // The folder is read in the background; wait for its rows.
        QTest::qWait(200);

        const auto* view = dialog->findChild<QTreeView*>();
        ASSERT_NE(view, nullptr);
        const QHeaderView* header = view->header();
        ASSERT_GE(header->count(), 4);
        for (int column = 0; column < 4; ++column) {
            const int right = header->sectionViewportPosition(column) + header->sectionSize(column);
            EXPECT_LE(right, header->viewport()->width()) << "column " << column << " cut";
        }
        const QAbstractItemModel* model = view->model();
        const int rows = model->rowCount(view->rootIndex());
        ASSERT_GE(rows, 1);
        // The size, type and date columns wider than their widest text; the
        // name column as wide as its name, or all the room the others leave.
        int othersWidth = 0;
        for (int column = 1; column < 4; ++column) othersWidth += header->sectionSize(column);
        const int room = header->viewport()->width() - othersWidth;
        for (int column = 0; column < 4; ++column) {
            for (int row = 0; row < rows; ++row) {
                const QString text = model->index(row, column, view->rootIndex()).data().toString();
                const int needed = view->fontMetrics().horizontalAdvance(text);
                EXPECT_GT(header->sectionSize(column),
                          column == 0 ? std::min(needed, room - 1) : needed)
                    << (forSaving ? "save: " : "open: ") << text.toStdString();
            }
        }
        dialog->hide();
    }
    QApplication::setFont(usual);
    QStandardPaths::setTestModeEnabled(false);
}

}  // namespace
}  // namespace tovi
