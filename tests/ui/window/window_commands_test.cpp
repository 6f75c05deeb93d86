// The window's commands as the user starts them: Browse from its button,
// About and Latest Version from the Help menu, Exit from the File menu.
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QUrl>
#include <QWindow>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/temp_folder.h"
#include "tests/ui/modal_watch.h"
#include "tests/ui/window_support.h"
#include "ui/widgets/plain_message_box.h"
#include "ui/window/folder_browser.h"
#include "ui/window/web_page.h"

namespace {

using chronell::PlainMessageBox;
using chronell::test::partsOf;
using chronell::test::ModalWatch;
using chronell::test::settle;
using chronell::test::shownWindow;
using chronell::test::TempFolder;
using chronell::test::TestCollaborators;

TEST(WindowCommands, BrowsePutsTheChosenFolderInTheBox)
{
    TempFolder folder;
    const QString existing = QString::fromStdString(folder.string());
    const QString missing = QString::fromStdString(folder.file("missing"));
    struct Case {
        const char* what;
        QString boxText;
        std::optional<QString> answer;
        QString start;
        QString boxAfter;
    };
    const Case cases[] = {
        {"existing folder, cancelled", existing, std::nullopt, existing, existing},
        {"missing folder, cancelled", missing, std::nullopt, "", missing},
        {"empty box, cancelled", "", std::nullopt, "", ""},
        {"root confirmed", missing, QStringLiteral("/"), "", "/"},
        {"folder confirmed", existing, QStringLiteral("/srv/jobs/"), existing, "/srv/jobs"},
    };
    for (const Case& c : cases) {
        TestCollaborators dialogs;
        dialogs.folderAnswer = c.answer;
        auto window = shownWindow(dialogs.collaborators());
        partsOf(*window).folderBox->setText(c.boxText);
        QTest::mouseClick(partsOf(*window).browseButton, Qt::LeftButton);
        EXPECT_EQ(dialogs.folderStarts, std::vector<QString>{c.start}) << c.what;
        EXPECT_EQ(partsOf(*window).folderBox->text(), c.boxAfter) << c.what;
    }
}

TEST(WindowCommands, BrowseToAFolderNameThatIsNotUtf8GivesItsBytes)
{
    TempFolder folder;
    const std::string latin = folder.file("vid\xE9os");
    std::filesystem::create_directory(latin);
    TestCollaborators asked;
    asked.folderAnswer = QFile::decodeName(QByteArray::fromStdString(latin));  // as Qt reads it
    auto window = shownWindow(asked.collaborators());
    QTest::mouseClick(partsOf(*window).browseButton, Qt::LeftButton);
    EXPECT_EQ(window->folderText(), latin);
}

TEST(WindowCommands, AboutShowsTheVersionUnderTheApplicationTitle)
{
    const QString savedTitle = QGuiApplication::applicationDisplayName();
    QGuiApplication::setApplicationDisplayName(QStringLiteral("Viewer"));
    auto window = shownWindow();
    QString caption;
    QStringList labels;
    QWidget* owner = nullptr;
    {
        const ModalWatch watch([&](QWidget& modal) {
            auto* box = qobject_cast<PlainMessageBox*>(&modal);
            ASSERT_NE(box, nullptr);
            caption = box->windowTitle();
            for (const QLabel* label : box->findChildren<QLabel*>()) labels << label->text();
            owner = box->parentWidget();
            QTest::keyClick(box->focusWidget(), Qt::Key_Return);
        });
        partsOf(*window).aboutAction->trigger();
        EXPECT_EQ(watch.seen(), 1);
    }
    QGuiApplication::setApplicationDisplayName(savedTitle);
    EXPECT_EQ(caption, "Viewer");
    EXPECT_EQ(labels, QStringList{"version 0.1"});
    EXPECT_EQ(owner, window.get());
}

TEST(WindowCommands, LatestVersionOpensTheWebPageOrSaysWhereItIs)
{
    for (const bool opens : {true, false}) {
        TestCollaborators desktop;
        desktop.browserOpens = opens;
        auto window = shownWindow(desktop.collaborators());
        partsOf(*window).latestVersionAction->trigger();
        EXPECT_EQ(desktop.opened, std::vector<QUrl>{QUrl(QString::fromLatin1(chronell::kWebPageAddress))});
        if (opens) {
            EXPECT_TRUE(desktop.errors.empty());
        } else {
            ASSERT_EQ(desktop.errors.size(), 1u);
            EXPECT_TRUE(desktop.errors[0].endsWith(QString::fromLatin1(chronell::kWebPageAddress)))
                << desktop.errors[0].toStdString();
        }
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    }
}

// Starts a window with its settings file in `folder`, types into its input
// row, ends it with `end` and destroys it as the program's end does; gives
// the settings file's bytes.
std::string settingsAfter(const TempFolder& folder, const std::function<void(chronell::MainWindow&)>& end)
{
    auto window = std::make_unique<chronell::MainWindow>(chronell::test::unaskedCollaborators());
    window->startUp({}, folder.file("chronell"));
    window->show();
    window->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
    settle();
    partsOf(*window).folderBox->setText(QStringLiteral("/srv/jobs"));
    partsOf(*window).maskBox->setText(QStringLiteral("*.vdj"));
    partsOf(*window).formattedTimeBox->setChecked(false);

    end(*window);
    settle();
    EXPECT_FALSE(window->isVisible());  // the last window closed: the event loop ends
    window.reset();
    return TempFolder::bytesOf(folder.file("Settings.ini"));
}

TEST(WindowCommands, ExitWritesTheSettingsLikeTheCloseBox)
{
    TempFolder exitFolder;
    const std::string byExit = settingsAfter(exitFolder, [](chronell::MainWindow& window) {
        QTest::keyClick(&window, Qt::Key_F, Qt::AltModifier);
        settle();
        ASSERT_TRUE(partsOf(window).fileMenu->isVisible());
        QTest::keyClick(partsOf(window).fileMenu, Qt::Key_E);
    });
    TempFolder closeBoxFolder;
    const std::string byCloseBox =
        settingsAfter(closeBoxFolder, [](chronell::MainWindow& window) { window.windowHandle()->close(); });

    EXPECT_NE(byExit.find("Directory=/srv/jobs"), std::string::npos) << byExit;
    EXPECT_NE(byExit.find("Mask=*.vdj"), std::string::npos) << byExit;
    EXPECT_EQ(byExit, byCloseBox);
}

} // namespace
