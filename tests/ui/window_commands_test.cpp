// The window's commands as the user starts them: Browse from its button,
// About and Latest Version from the Help menu, Exit from the File menu.
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QUrl>

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <vector>

#include "tests/support/temp_folder.h"
#include "tests/ui/modal_watch.h"
#include "tests/ui/window_support.h"
#include "ui/folder_browser.h"
#include "ui/plain_message_box.h"
#include "ui/web_page.h"

namespace {

using chronell::FolderDialog;
using chronell::PlainMessageBox;
using chronell::setFolderDialog;
using chronell::setUrlOpener;
using chronell::UrlOpener;
using chronell::test::CapturedBoxes;
using chronell::test::ModalWatch;
using chronell::test::settle;
using chronell::test::shownWindow;
using chronell::test::TempFolder;

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
        auto window = shownWindow();
        window->Edit1->setText(c.boxText);
        std::vector<QString> starts;
        const FolderDialog previous = setFolderDialog([&](const QString& start) {
            starts.push_back(start);
            return c.answer;
        });
        QTest::mouseClick(window->Button2, Qt::LeftButton);
        setFolderDialog(previous);
        EXPECT_EQ(starts, std::vector<QString>{c.start}) << c.what;
        EXPECT_EQ(window->Edit1->text(), c.boxAfter) << c.what;
    }
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
        window->About1->trigger();
        EXPECT_EQ(watch.seen(), 1);
    }
    QGuiApplication::setApplicationDisplayName(savedTitle);
    EXPECT_EQ(caption, "Viewer");
    EXPECT_EQ(labels, QStringList{"version 0.1"});
    EXPECT_EQ(owner, window.get());
}

TEST(WindowCommands, LatestVersionOpensTheWebPageAndNothingElse)
{
    auto window = shownWindow();
    CapturedBoxes boxes;
    std::vector<QUrl> opened;
    const UrlOpener previous = setUrlOpener([&](const QUrl& address) {
        opened.push_back(address);
        return false;  // no browser
    });
    window->LatestVersion1->trigger();
    setUrlOpener(previous);
    EXPECT_EQ(opened, std::vector<QUrl>{QUrl(QString::fromLatin1(chronell::kWebPageAddress))});
    EXPECT_TRUE(boxes.texts.empty());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

} // namespace
