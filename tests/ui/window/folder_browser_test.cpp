// The folder browser: where it opens, the path it gives the folder box, and
// Qt's directory dialog behind it.
#include <QDir>
#include <QFileDialog>

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include "tests/support/temp_folder.h"
#include "tests/ui/modal_watch.h"
#include "ui/window/folder_browser.h"

namespace {

using chronell::browseForFolder;
using chronell::browseStartFolder;
using chronell::folderBoxPath;
using chronell::test::ModalWatch;
using chronell::test::TempFolder;

QString qText(const std::string& text)
{
    return QString::fromStdString(text);
}

// A temporary folder holding a folder "sub" and a file "plain.jobs", made the
// current folder for the test.
class BrowseFolders : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::filesystem::create_directory(folder.file("sub"));
        folder.write("plain.jobs", "");
        previousCurrent_ = QDir::currentPath();
        ASSERT_TRUE(QDir::setCurrent(qText(folder.string())));
    }
    void TearDown() override { QDir::setCurrent(previousCurrent_); }

    TempFolder folder;

private:
    QString previousCurrent_;
};

TEST_F(BrowseFolders, StartsAtTheBoxsFolderOnlyWhenItExists)
{
    struct Case {
        QString boxText;
        QString start;
    };
    const QString sub = qText(folder.file("sub"));
    const Case cases[] = {
        {sub, sub},
        {sub + "/", sub + "/"},
        {"sub", "sub"},  // from the current folder
        {".", "."},
        {"/", "/"},
        {qText(folder.file("missing")), ""},
        {"missing", ""},
        {qText(folder.file("plain.jobs")), ""},  // a file, not a folder
        {"", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(browseStartFolder(c.boxText), c.start) << c.boxText.toStdString();
}

TEST(FolderBoxPath, NoTrailingSeparatorExceptOnTheRoot)
{
    struct Case {
        QString chosen;
        QString boxPath;
    };
    const Case cases[] = {
        {"/", "/"},
        {"/home/user/jobs", "/home/user/jobs"},
        {"/home/user/jobs/", "/home/user/jobs"},
        {"/home//user/jobs", "/home/user/jobs"},
    };
    for (const Case& c : cases) EXPECT_EQ(folderBoxPath(c.chosen), c.boxPath) << c.chosen.toStdString();
}

// What Qt's dialog was opened with.
struct SeenDialog {
    QString caption;
    QString directory;
    QFileDialog::FileMode mode = QFileDialog::AnyFile;
    bool dirsOnly = false;
    Qt::WindowModality modality = Qt::NonModal;
};

SeenDialog look(QFileDialog& dialog)
{
    return {dialog.windowTitle(), dialog.directory().absolutePath(), dialog.fileMode(),
            dialog.testOption(QFileDialog::ShowDirsOnly), dialog.windowModality()};
}

TEST_F(BrowseFolders, QtsDialogOpensAtTheStartOrTheTopAndChoosesFoldersOnly)
{
    struct Case {
        QString boxText;
        QString directory;
    };
    const Case cases[] = {{"sub", qText(folder.file("sub"))}, {"missing", QDir::rootPath()}, {"", QDir::rootPath()}};
    for (const Case& c : cases) {
        SeenDialog seen;
        const ModalWatch watch([&](QWidget& modal) {
            auto* dialog = qobject_cast<QFileDialog*>(&modal);
            ASSERT_NE(dialog, nullptr);
            seen = look(*dialog);
            dialog->reject();
        });
        EXPECT_EQ(browseForFolder(chronell::showDirectoryDialog, c.boxText), std::nullopt) << "cancelled";
        ASSERT_EQ(watch.seen(), 1) << c.boxText.toStdString();
        EXPECT_EQ(seen.caption, "Select directory");
        EXPECT_EQ(seen.directory, c.directory) << c.boxText.toStdString();
        EXPECT_EQ(seen.mode, QFileDialog::Directory);
        EXPECT_TRUE(seen.dirsOnly);
        EXPECT_EQ(seen.modality, Qt::ApplicationModal);
    }
}

TEST_F(BrowseFolders, QtsDialogConfirmsTheFolderItShows)
{
    const ModalWatch watch([](QWidget& modal) {
        if (auto* dialog = qobject_cast<QFileDialog*>(&modal)) static_cast<QDialog*>(dialog)->accept();  // its OK button
    });
    EXPECT_EQ(browseForFolder(chronell::showDirectoryDialog, "sub"), qText(folder.file("sub")));
    EXPECT_EQ(watch.seen(), 1);
}

} // namespace
