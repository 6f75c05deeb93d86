#include "app/regional_settings_follower.h"

#include <QCoreApplication>
#include <QEvent>

#include <gtest/gtest.h>

#include "analysis/regional_settings.h"

namespace chronell {
namespace {

// An application with the follower installed, and the regional settings
// marked so that a refill shows.
class RegionalSettingsFollowerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        LoadRegionalSettings();
        loaded = regionalSettings();
        follower.install();
        regionalSettings().decimalSeparator = '#';
        regionalSettings().amDesignator = "marked";
    }
    void TearDown() override { regionalSettings() = loaded; }

    int argc = 1;
    char name[9] = "chronell";
    char* argv[2] = {name, nullptr};
    QCoreApplication application{argc, argv};
    RegionalSettingsFollower follower;
    RegionalSettings loaded;
};

TEST_F(RegionalSettingsFollowerTest, LocaleChangeOfTheApplicationFillsThemAgain)
{
    QEvent change(QEvent::LocaleChange);
    QCoreApplication::sendEvent(&application, &change);
    EXPECT_EQ(regionalSettings(), loaded);
}

TEST_F(RegionalSettingsFollowerTest, OtherEventsLeaveThemAlone)
{
    QObject other;
    QEvent otherChange(QEvent::LocaleChange);  // an object's own locale, not the system's
    QCoreApplication::sendEvent(&other, &otherChange);
    QEvent language(QEvent::LanguageChange);
    QCoreApplication::sendEvent(&application, &language);
    EXPECT_EQ(regionalSettings().decimalSeparator, '#');
    EXPECT_EQ(regionalSettings().amDesignator, "marked");
}

} // namespace
} // namespace chronell
