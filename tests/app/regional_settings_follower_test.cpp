#include "app/regional_settings_follower.h"

#include <QCoreApplication>
#include <QEvent>

#include <gtest/gtest.h>

namespace chronell {
namespace {

// An application with the follower installed, counting its calls.
class RegionalSettingsFollowerTest : public ::testing::Test {
protected:
    void SetUp() override { follower.install(); }

    int argc = 1;
    char name[9] = "chronell";
    char* argv[2] = {name, nullptr};
    QCoreApplication application{argc, argv};
    int changes = 0;
    RegionalSettingsFollower follower{[this] { ++changes; }};
};

TEST_F(RegionalSettingsFollowerTest, LocaleChangeOfTheApplicationCallsBack)
{
    QEvent change(QEvent::LocaleChange);
    QCoreApplication::sendEvent(&application, &change);
    EXPECT_EQ(changes, 1);
}

TEST_F(RegionalSettingsFollowerTest, OtherEventsDoNot)
{
    QObject other;
    QEvent otherChange(QEvent::LocaleChange);  // an object's own locale, not the system's
    QCoreApplication::sendEvent(&other, &otherChange);
    QEvent language(QEvent::LanguageChange);
    QCoreApplication::sendEvent(&application, &language);
    EXPECT_EQ(changes, 0);
}

} // namespace
} // namespace chronell
