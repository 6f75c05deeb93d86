// The log: the append-line rule after the user's typing, the insertion
// point and scrolling after an append, clearing, wrapping.
#include <QScrollBar>
#include <QTextBlock>

#include <gtest/gtest.h>

#include <string>

#include "tests/ui/window_support.h"
#include "ui/text/display_text.h"
#include "ui/widgets/log_view.h"

namespace {

using chronell::LogLines;
using chronell::LogView;
using chronell::test::settle;

LogLines linesOf(const QStringList& texts)
{
    LogLines lines;
    for (const QString& text : texts) lines.add(chronell::textBytes(text));
    return lines;
}

class LogViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        log.resize(300, 80);
        log.show();
        log.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&log));
        log.setFocus();
    }
    // Types `keys` at the insertion point; "\n" presses Enter.
    void type(const QString& keys)
    {
        for (const QChar key : keys) {
            if (key == u'\n')
                QTest::keyClick(&log, Qt::Key_Return);
            else
                QTest::keyClicks(&log, QString(key));
        }
    }

    LogView log;
};

struct AppendCase {
    const char* name;
    QString typedFirst;
    QStringList lines;
    QString text;
};

void PrintTo(const AppendCase& c, std::ostream* os)
{
    *os << c.name;
}

class LogAppendRule : public LogViewTest, public ::testing::WithParamInterface<AppendCase> {};

TEST_P(LogAppendRule, LinesStartOnALineOfTheirOwn)
{
    type(GetParam().typedFirst);
    log.appendLines(linesOf(GetParam().lines));
    EXPECT_EQ(log.toPlainText(), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LogAppendRule,
    ::testing::Values(AppendCase{"into_an_empty_log", "", {"a"}, "a\n"},
                      AppendCase{"several_lines", "", {"a", "b", "c"}, "a\nb\nc\n"},
                      AppendCase{"an_empty_line", "", {""}, "\n"},
                      AppendCase{"after_typing_without_a_line_break", "abc", {"x"}, "abc\nx\n"},
                      AppendCase{"after_typing_with_a_line_break", "abc\n", {"x"}, "abc\nx\n"},
                      AppendCase{"after_two_typed_lines", "abc\ndef", {"x", "y"}, "abc\ndef\nx\ny\n"},
                      AppendCase{"after_typed_empty_lines", "\n\n", {"x"}, "\n\nx\n"},
                      AppendCase{"after_a_typed_blank", " ", {"x"}, " \nx\n"}),
    [](const ::testing::TestParamInfo<AppendCase>& info) { return std::string(info.param.name); });

TEST_F(LogViewTest, TypingAfterAppendedLinesIsFollowedOnANewLine)
{
    log.appendLine("first");
    type("typed");
    log.appendLine("second");
    EXPECT_EQ(log.toPlainText(), "first\ntyped\nsecond\n");
}

TEST_F(LogViewTest, TypingInsideTheTextLeavesTheEndAsItWas)
{
    log.appendLine("first");
    log.moveCursor(QTextCursor::Start);
    type("z");
    log.appendLine("second");
    EXPECT_EQ(log.toPlainText(), "zfirst\nsecond\n");
}

TEST_F(LogViewTest, ManyLinesReadBackExactlyAndTypingAfterThemStillBreaks)
{
    QStringList lines;
    QString expected;
    for (int i = 0; i < 1000; ++i) {
        lines.append(QStringLiteral("line %1").arg(i));
        expected += lines.back() + u'\n';
    }
    log.appendLines(linesOf(lines));
    EXPECT_EQ(log.toPlainText(), expected);

    type("tail");
    log.appendLines(linesOf({"more"}));
    EXPECT_EQ(log.toPlainText(), expected + "tail\nmore\n");
}

TEST_F(LogViewTest, GatheredBytesReadBackAsShownTextsInParagraphsOfTheirLines)
{
    const std::string cut(chronell::kShownTextLimit + 5, 'x');
    const std::string texts[] = {"caf\xC3\xA9", "caf\xE9", "", cut};
    LogLines lines;
    QString expected;
    const int count = 2 * LogLines::kLinesPerParagraph + 1;
    for (int i = 0; i < count; ++i) {
        lines.add(texts[i % 4]);
        expected += chronell::shownText(texts[i % 4]) + u'\n';
    }
    log.appendLines(lines);
    EXPECT_EQ(log.toPlainText(), expected);
    // Three paragraphs of lines and the empty one after them.
    EXPECT_EQ(log.document()->blockCount(), 4);

    lines.clear();
    EXPECT_TRUE(lines.empty());
    lines.add("again");
    log.appendLines(lines);
    EXPECT_EQ(log.toPlainText(), expected + "again\n");
}

TEST(LogLines, ManyMegabytesOfLinesReadBackWholeAcrossTheirBlocks)
{
    // Lines of 1, 2 and 3 UTF-8 bytes a character and cut ones, some 6 MB.
    const std::string texts[] = {"plain", "caf\xC3\xA9 \xE2\x82\xAC", std::string(70'000, 'n'),
                                 std::string(30'000, '\xE9')};
    LogLines lines;
    QString expected;
    for (int i = 0; i < 150; ++i) {
        lines.add(texts[i % 4]);
        expected += chronell::shownText(texts[i % 4]) + (i % LogLines::kLinesPerParagraph == 63 ? u'\n' : QChar(0x2028));
    }
    expected.back() = u'\n';
    EXPECT_EQ(lines.text(), expected);
}

TEST_F(LogViewTest, InsertionPointMovesBehindTheAppendedLinesAndTheLogShowsThem)
{
    QStringList lines;
    for (int i = 0; i < 500; ++i) lines.append(QStringLiteral("line %1").arg(i));
    log.moveCursor(QTextCursor::Start);
    log.appendLines(linesOf(lines));
    settle();
    EXPECT_TRUE(log.textCursor().atEnd());
    EXPECT_GT(log.verticalScrollBar()->value(), 0);
    // The insertion point and the last appended line are in view.
    EXPECT_TRUE(log.viewport()->rect().contains(log.cursorRect()));
    QTextCursor lastLine(log.document());
    lastLine.movePosition(QTextCursor::End);
    lastLine.movePosition(QTextCursor::PreviousCharacter);
    EXPECT_TRUE(log.viewport()->rect().contains(log.cursorRect(lastLine)));
}

TEST_F(LogViewTest, AppendedLinesAreNotUndoneWithTheUsersTyping)
{
    type("typed");
    log.appendLine("appended");
    QTest::keyClick(&log, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(log.toPlainText(), "typed\nappended\n");
}

TEST_F(LogViewTest, ClearRemovesAllText)
{
    type("typed");
    log.appendLines(linesOf({"a", "b"}));
    log.clear();
    EXPECT_EQ(log.toPlainText(), "");
    log.appendLine("c");
    EXPECT_EQ(log.toPlainText(), "c\n");
}

TEST_F(LogViewTest, LongLinesWrapAtWordsWithoutAHorizontalScrollBar)
{
    const QString words = QStringLiteral("Input: D:\\video\\capture\\a-rather-long-folder-name\\clip.avi").repeated(4);
    log.appendLine(words);
    settle();
    EXPECT_FALSE(log.horizontalScrollBar()->isVisible());
    EXPECT_TRUE(log.verticalScrollBar()->isVisible());
    const QTextBlock first = log.document()->firstBlock();
    ASSERT_NE(first.layout(), nullptr);
    EXPECT_GT(first.layout()->lineCount(), 1);
    // Every wrapped line fits the box.
    for (int i = 0; i < first.layout()->lineCount(); ++i)
        EXPECT_LE(first.layout()->lineAt(i).naturalTextWidth(), log.viewport()->width());
}

TEST_F(LogViewTest, VerticalScrollBarIsShownWhenEmpty)
{
    settle();
    EXPECT_TRUE(log.verticalScrollBar()->isVisible());
    EXPECT_FALSE(log.isReadOnly());
}

TEST_F(LogViewTest, UsesAFixedWidthFont)
{
    const QFontMetrics metrics(log.font());
    EXPECT_EQ(metrics.horizontalAdvance("iiii"), metrics.horizontalAdvance("MMMM"));
    EXPECT_EQ(log.font().pointSize(), 10);
}

} // namespace
