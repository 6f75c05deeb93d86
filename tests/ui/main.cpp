// The widget tests need a QApplication; without a platform named they run
// offscreen, as under ctest. Their windows keep their history in a data
// folder of this run's own, never in the user's.
#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const QTemporaryDir dataHome;
    if (!dataHome.isValid()) return 1;
    qputenv("XDG_DATA_HOME", QFile::encodeName(dataHome.path()));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
