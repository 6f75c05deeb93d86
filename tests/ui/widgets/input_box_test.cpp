// The input row's boxes: what a paste keeps, and the bytes they give back;
// Enter on a focused button.
#include <QClipboard>
#include <QGuiApplication>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <string>

#include "tests/ui/window_support.h"
#include "ui/text/display_text.h"
#include "ui/widgets/input_box.h"
#include "ui/widgets/push_button.h"

namespace {

using chronell::InputBox;

TEST(InputBox, PasteKeepsTheTextUpToItsFirstLineBreak)
{
    struct Case {
        const char* what;
        QString before;
        int selectionStart;
        int selectionLength;  // 0: the insertion point at selectionStart
        QString pasted;
        QString after;
        int cursorAfter;
    };
    const Case cases[] = {
        {"a path copied from a terminal", "", 0, 0, "/home/user/jobs\n", "/home/user/jobs", 15},
        {"a CR LF and more lines", "", 0, 0, "C:\\jobs\r\nD:\\more", "C:\\jobs", 7},
        {"into the middle", "ab", 1, 0, "x\ny", "axb", 2},
        {"over a selection", "a123b", 1, 3, "x\ny", "axb", 2},
        {"the same letters as around it", "aa", 1, 0, "a\nb", "aaa", 2},
        {"a line break first inserts nothing", "ab", 2, 0, "\nx", "ab", 2},
        {"without a line break, all of it", "ab", 1, 0, "xyz", "axyzb", 4},
    };
    for (const Case& c : cases) {
        InputBox box;
        box.setText(c.before);
        box.setSelection(c.selectionStart, c.selectionLength);
        if (c.selectionLength == 0) box.setCursorPosition(c.selectionStart);
        QGuiApplication::clipboard()->setText(c.pasted);
        QTest::keyClick(&box, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(box.text(), c.after) << c.what;
        EXPECT_EQ(box.cursorPosition(), c.cursorAfter) << c.what;
    }
}

TEST(InputBox, GivesBackTheBytesItWasSetToWhileItShowsThem)
{
    // A folder name that is not UTF-8, with a line feed, as Linux allows.
    const std::string bytes = "/srv/caf\xE9\n2008";
    InputBox box;
    box.setBytes(bytes);
    EXPECT_EQ(box.text(), chronell::displayText(bytes));
    EXPECT_EQ(box.bytes(), bytes);

    box.end(false);
    QTest::keyClicks(&box, "x");
    EXPECT_EQ(box.bytes(), "/srv/caf\xC3\xA9\n2008x");  // an edited text goes as its UTF-8
}

TEST(PushButton, EnterAndTheKeypadsEnterPressAFocusedButton)
{
    struct Case {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int clicks;
    };
    const Case cases[] = {
        {Qt::Key_Return, Qt::NoModifier, 1},     {Qt::Key_Enter, Qt::KeypadModifier, 1},
        {Qt::Key_Space, Qt::NoModifier, 1},      {Qt::Key_Return, Qt::ControlModifier, 0},
        {Qt::Key_Enter, Qt::AltModifier, 0},     {Qt::Key_A, Qt::NoModifier, 0},
    };
    for (const Case& c : cases) {
        chronell::PushButton button(QStringLiteral("Process"), nullptr);
        QSignalSpy clicked(&button, &QPushButton::clicked);
        QTest::keyClick(&button, c.key, c.modifiers);
        EXPECT_EQ(clicked.count(), c.clicks) << c.key << " " << c.modifiers;
    }
}

} // namespace
