// The error message box: what it shows, that it ends a drag first, and an
// error of a run through the window, shown in the real box.
#include <QAbstractButton>
#include <QCheckBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>

#include <gtest/gtest.h>

#include "tests/support/job_list_text.h"
#include "tests/support/temp_folder.h"
#include "tests/ui/modal_watch.h"
#include "tests/ui/window_support.h"
#include "ui/grid/results_grid_view.h"
#include "ui/widgets/error_message_box.h"
#include "ui/widgets/log_view.h"
#include "ui/widgets/splitter.h"

namespace {

using chronell::cancelMouseModes;
using chronell::showErrorMessageBox;
using chronell::test::partsOf;
using chronell::test::JobLines;
using chronell::test::jobListText;
using chronell::test::ModalWatch;
using chronell::test::sendMouse;
using chronell::test::settle;
using chronell::test::shownWindow;
using chronell::test::TempFolder;

// The application title while a test runs.
class ApplicationTitle : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved_ = QGuiApplication::applicationDisplayName();
        QGuiApplication::setApplicationDisplayName(QStringLiteral("Viewer"));
    }
    void TearDown() override { QGuiApplication::setApplicationDisplayName(saved_); }

private:
    QString saved_;
};

// What the box showed.
struct SeenBox {
    QString caption;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    Qt::TextFormat format = Qt::AutoText;
    bool selectable = false;
    Qt::WindowModality modality = Qt::NonModal;
    QStringList buttons;
    bool okIsDefaultAndEscape = false;
    QPoint centreOffset;  // from the centre of the screen's work area
};

SeenBox look(QWidget& modal)
{
    SeenBox seen;
    auto* box = qobject_cast<QMessageBox*>(&modal);
    if (!box) return seen;
    seen.caption = box->windowTitle();
    seen.text = box->text();
    seen.icon = box->icon();
    seen.format = box->textFormat();
    seen.selectable = box->textInteractionFlags().testFlag(Qt::TextSelectableByMouse);
    seen.modality = box->windowModality();
    for (QAbstractButton* button : box->buttons()) seen.buttons << button->text();
    seen.okIsDefaultAndEscape = box->buttons().size() == 1 && box->defaultButton() == box->buttons().first()
                                && box->escapeButton() == box->buttons().first();
    seen.centreOffset = box->frameGeometry().center() - box->screen()->availableGeometry().center();
    return seen;
}

using ErrorMessageBox = ApplicationTitle;

TEST_F(ErrorMessageBox, ShowsTheTextAsItIsUnderTheTitleWithTheStopIconAndOneOkButton)
{
    for (const QString& text : {QStringLiteral("Unable to write to /opt/Settings.ini."), QStringLiteral("<b>x</b> &"),
                                QString()}) {
        SeenBox seen;
        const ModalWatch watch([&](QWidget& modal) { seen = look(modal); });
        showErrorMessageBox(text);
        ASSERT_EQ(watch.seen(), 1);
        EXPECT_EQ(seen.caption, "Viewer");
        EXPECT_EQ(seen.text, text);
        EXPECT_EQ(seen.format, Qt::PlainText);
        EXPECT_TRUE(seen.selectable);
        EXPECT_EQ(seen.icon, QMessageBox::Critical);
        EXPECT_EQ(seen.buttons, QStringList{"OK"});
        EXPECT_TRUE(seen.okIsDefaultAndEscape);
        EXPECT_EQ(seen.modality, Qt::ApplicationModal);
        EXPECT_LE(seen.centreOffset.manhattanLength(), 1) << seen.centreOffset.x() << "," << seen.centreOffset.y();
    }
}

TEST_F(ErrorMessageBox, EndsASplitterDragThatWasUnderWay)
{
    auto window = shownWindow();
    const int logHeight = partsOf(*window).logView->height();
    const QPoint press(20, 1);
    sendMouse(partsOf(*window).splitter, QEvent::MouseButtonPress, press, Qt::LeftButton, Qt::LeftButton);
    sendMouse(partsOf(*window).splitter, QEvent::MouseMove, press - QPoint(0, 50), Qt::NoButton, Qt::LeftButton);

    const ModalWatch watch([](QWidget&) {});
    showErrorMessageBox(QStringLiteral("failure."));
    ASSERT_EQ(watch.seen(), 1);

    // The release that follows the box finds no drag: the log keeps its height.
    sendMouse(partsOf(*window).splitter, QEvent::MouseButtonRelease, press - QPoint(0, 50), Qt::LeftButton, Qt::NoButton);
    settle();
    EXPECT_EQ(partsOf(*window).logView->height(), logHeight);
}

TEST(CancelMouseModes, ReleasesTheMouseCapture)
{
    QWidget capturing;
    capturing.show();
    capturing.grabMouse();
    ASSERT_EQ(QWidget::mouseGrabber(), &capturing);
    cancelMouseModes();
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
}

TEST_F(ErrorMessageBox, ARunsErrorStopsItInOneBoxAndTheWindowGoesOn)
{
    TempFolder folder;
    const auto job = [](const std::string& name, const std::string& state) {
        return JobLines{name, "D:\\in\\" + name + ".avi", "D:\\out\\" + name + ".avi", state};
    };
    folder.write("1.jobs", jobListText({job("One", "2")}));
    folder.write("2.jobs", jobListText({job("Two a", "2"), job("Two b", "x")}));
    folder.write("3.jobs", jobListText({job("Three", "2")}));

    auto window = shownWindow(chronell::WindowCollaborators{});  // the real box
    partsOf(*window).folderBox->setText(QString::fromStdString(folder.string()));
    partsOf(*window).maskBox->setText(QStringLiteral("*.jobs"));
    partsOf(*window).formattedTimeBox->setChecked(true);
    SeenBox seen;
    {
        const ModalWatch watch([&](QWidget& modal) { seen = look(modal); });
        QTest::mouseClick(partsOf(*window).processButton, Qt::LeftButton);
        settle();
        ASSERT_EQ(watch.seen(), 1);
    }
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);  // no second box
    EXPECT_EQ(seen.caption, "Viewer");
    EXPECT_EQ(seen.text, "'x' is not a valid integer value.");
    EXPECT_EQ(seen.icon, QMessageBox::Critical);
    // On the screen's centre, not over the window that owns it.
    EXPECT_LE(seen.centreOffset.manhattanLength(), 1) << seen.centreOffset.x() << "," << seen.centreOffset.y();

    // The log as the run left it: the first file whole, the second up to the
    // failing job's output line, nothing of the third.
    const QStringList log = partsOf(*window).logView->toPlainText().split(u'\n');
    ASSERT_GE(log.size(), 14);
    EXPECT_EQ(log.mid(0, 7), (QStringList{"1.jobs", "----------------", "Number of jobs: 1", "Job name: One",
                                          "Input: D:\\in\\One.avi", "Output: D:\\out\\One.avi", "State: 2"}));
    EXPECT_EQ(log.mid(9, 6), (QStringList{"00:42:30.250", "================", "00:42:30.250", "", "2.jobs",
                                          "----------------"}));
    EXPECT_EQ(log.mid(log.size() - 4),
              (QStringList{"Job name: Two b", "Input: D:\\in\\Two b.avi", "Output: D:\\out\\Two b.avi", ""}));
    EXPECT_FALSE(log.contains("3.jobs"));

    // The grid as the run left it: no row dropped, the spare row kept.
    const auto* grid = partsOf(*window).resultsGrid->model();
    const auto cell = [grid](int column, int row) { return grid->index(row - 1, column).data().toString(); };
    ASSERT_EQ(window->rowCount(), 5);
    const QString expected[4][3] = {
        {"One", "One.avi", "1.jobs"}, {"Two a", "Two a.avi", "2.jobs"}, {"", "", ""}, {"", "", ""}};
    for (int row = 1; row <= 4; ++row) {
        EXPECT_EQ(cell(0, row), expected[row - 1][0]) << "row " << row;
        EXPECT_EQ(cell(1, row), expected[row - 1][1]) << "row " << row;
        EXPECT_EQ(cell(7, row), expected[row - 1][2]) << "row " << row;
    }

    // The window takes the next action.
    TempFolder good;
    good.write("a.jobs", jobListText({job("A1", "2")}));
    partsOf(*window).folderBox->setText(QString::fromStdString(good.string()));
    QTest::mouseClick(partsOf(*window).processButton, Qt::LeftButton);
    settle();
    EXPECT_EQ(window->rowCount(), 2);
    EXPECT_EQ(cell(0, 1), "A1");
}

} // namespace
