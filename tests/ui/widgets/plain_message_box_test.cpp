// The plain message box: its Ctrl+C text, its caption, font, button and
// layout, and the keys that close it.
#include <QClipboard>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

#include <gtest/gtest.h>

#include <functional>

#include "tests/ui/modal_watch.h"
#include "tests/ui/window_support.h"
#include "ui/widgets/plain_message_box.h"

namespace {

using chronell::plainMessageBoxCopyText;
using chronell::PlainMessageBox;
using chronell::test::ModalWatch;
using chronell::test::settle;

QLabel* textLabel(const PlainMessageBox& box)
{
    const auto labels = box.findChildren<QLabel*>();
    return labels.size() == 1 ? labels.first() : nullptr;
}

TEST(PlainMessageBoxCopyText, DividersAroundCaptionTextAndButtons)
{
    struct Case {
        QString caption;
        QString text;
        QStringList buttons;
        QString copied;
    };
    const QString divider = QStringLiteral("---------------------------\r\n");
    const Case cases[] = {
        {"Chronell", "version 0.1", {"OK"},
         divider + "Chronell\r\n" + divider + "version 0.1\r\n" + divider + "OK   \r\n" + divider},
        {"Viewer", "", {"OK"}, divider + "Viewer\r\n" + divider + "\r\n" + divider + "OK   \r\n" + divider},
        {"Viewer", "two\nlines", {"Yes", "No"},
         divider + "Viewer\r\n" + divider + "two\nlines\r\n" + divider + "Yes   No   \r\n" + divider},
    };
    for (const Case& c : cases)
        EXPECT_EQ(plainMessageBoxCopyText(c.caption, c.text, c.buttons), c.copied) << c.text.toStdString();
}

class PlainMessageBoxShown : public ::testing::Test {
protected:
    void SetUp() override
    {
        box.show();
        box.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&box));
        QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    }

    // The key as the user types it: to the box's focused control.
    void type(Qt::Key key, Qt::KeyboardModifiers modifiers)
    {
        QWidget* focused = box.focusWidget();
        QTest::keyClick(focused ? focused : &box, key, modifiers);
    }

    PlainMessageBox box{QStringLiteral("Viewer"), QStringLiteral("version 0.1")};
};

TEST_F(PlainMessageBoxShown, CtrlCPutsTheBoxContentOnTheClipboard)
{
    type(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(),
              "---------------------------\r\nViewer\r\n---------------------------\r\nversion 0.1\r\n"
              "---------------------------\r\nOK   \r\n---------------------------\r\n");
    EXPECT_TRUE(box.isVisible());
}

TEST_F(PlainMessageBoxShown, CWithoutCtrlOrWithAnotherModifierCopiesNothing)
{
    const Qt::KeyboardModifiers others[] = {Qt::NoModifier, Qt::ShiftModifier, Qt::ControlModifier | Qt::ShiftModifier,
                                            Qt::ControlModifier | Qt::AltModifier};
    for (const Qt::KeyboardModifiers modifiers : others) {
        type(Qt::Key_C, modifiers);
        EXPECT_EQ(QGuiApplication::clipboard()->text(), "before") << modifiers.toInt();
    }
    type(Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "before");
}

TEST(PlainMessageBox, CaptionOneDefaultOkButtonAndTheTextAlone)
{
    const PlainMessageBox box(QStringLiteral("Viewer"), QStringLiteral("version 0.1"));
    EXPECT_EQ(box.windowTitle(), "Viewer");
    const auto buttons = box.findChildren<QPushButton*>();
    ASSERT_EQ(buttons.size(), 1);
    EXPECT_EQ(buttons.first(), box.okButton());
    EXPECT_EQ(box.okButton()->text(), "OK");
    EXPECT_TRUE(box.okButton()->isDefault());
    // No icon: the text's label is the only one.
    QLabel* label = textLabel(box);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), "version 0.1");
    EXPECT_EQ(label->textFormat(), Qt::PlainText);
    EXPECT_EQ(box.windowModality(), Qt::ApplicationModal);
}

TEST(PlainMessageBox, TakesTheMessageBoxFontNotItsOwners)
{
    QWidget owner;
    QFont ownerFont = owner.font();
    ownerFont.setPointSize(ownerFont.pointSize() + 9);
    owner.setFont(ownerFont);
    const PlainMessageBox box(QStringLiteral("Viewer"), QStringLiteral("version 0.1"), &owner);
    EXPECT_EQ(box.font(), QApplication::font("QMessageBox"));
    EXPECT_NE(box.font().pointSize(), ownerFont.pointSize());
}

TEST(PlainMessageBox, WrapsTheTextWithinHalfTheScreenWidth)
{
    const int halfScreen = QGuiApplication::primaryScreen()->geometry().width() / 2;
    QString longText;
    for (int i = 0; i < 60; ++i) longText += QStringLiteral("duration ");
    const PlainMessageBox wrapped(QStringLiteral("Viewer"), longText.trimmed());
    const QLabel* label = textLabel(wrapped);
    ASSERT_NE(label, nullptr);
    const int lineHeight = label->fontMetrics().height();
    EXPECT_LE(label->width(), halfScreen);
    EXPECT_GT(label->width(), halfScreen * 3 / 4);  // the lines fill the width
    EXPECT_GE(label->height(), 3 * lineHeight);

    const PlainMessageBox oneLine(QStringLiteral("Viewer"), QStringLiteral("version 0.1"));
    const QLabel* shortLabel = textLabel(oneLine);
    ASSERT_NE(shortLabel, nullptr);
    EXPECT_EQ(shortLabel->height(), lineHeight);
    EXPECT_LT(shortLabel->width(), halfScreen / 2);
}

TEST(PlainMessageBox, OpensCentredOnTheScreenNotOverItsOwner)
{
    QWidget owner;
    owner.setGeometry(10, 20, 200, 100);
    owner.show();
    PlainMessageBox box(QStringLiteral("Viewer"), QStringLiteral("version 0.1"), &owner);
    box.show();
    settle();
    const QPoint centre = QGuiApplication::primaryScreen()->availableGeometry().center();
    const QPoint boxCentre = box.frameGeometry().center();
    EXPECT_LE((boxCentre - centre).manhattanLength(), 1) << boxCentre.x() << "," << boxCentre.y();
}

TEST(PlainMessageBox, EnterEscAndTheCloseBoxCloseIt)
{
    struct Case {
        const char* action;
        std::function<void(QWidget&)> act;
        int result;
    };
    const Case cases[] = {
        {"Enter", [](QWidget& box) { QTest::keyClick(box.focusWidget(), Qt::Key_Return); }, QDialog::Accepted},
        {"keypad Enter", [](QWidget& box) { QTest::keyClick(box.focusWidget(), Qt::Key_Enter); }, QDialog::Accepted},
        {"Esc", [](QWidget& box) { QTest::keyClick(box.focusWidget(), Qt::Key_Escape); }, QDialog::Rejected},
        {"close box", [](QWidget& box) { box.close(); }, QDialog::Rejected},
    };
    for (const Case& c : cases) {
        PlainMessageBox box(QStringLiteral("Viewer"), QStringLiteral("version 0.1"));
        bool closedByAction = false;
        const ModalWatch watch([&](QWidget& modal) {
            ASSERT_EQ(&modal, &box);
            ASSERT_NE(box.focusWidget(), nullptr);
            c.act(modal);
            closedByAction = !modal.isVisible();
        });
        const int result = box.exec();
        EXPECT_EQ(watch.seen(), 1) << c.action;
        EXPECT_TRUE(closedByAction) << c.action;
        EXPECT_EQ(result, c.result) << c.action;
    }
}

} // namespace
