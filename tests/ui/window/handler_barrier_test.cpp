// The handler barrier: errors that escape a handler reach the error box
// with their text, and the handler's earlier work stays.
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/chronell_error.h"
#include "ui/window/handler_barrier.h"

namespace {

// The texts the error box was given, instead of showing it.
struct CapturedBoxes {
    std::vector<QString> texts;
    chronell::ErrorBoxShower shower()
    {
        return [this](const QString& text) { texts.push_back(text); };
    }
};

void runHandler(CapturedBoxes& boxes, const std::function<void()>& handler)
{
    chronell::runHandler(boxes.shower(), handler);
}

TEST(HandlerBarrier, ShowsTheErrorTextWithAFullStopAfterCharactersCodedAboveIt)
{
    struct Case {
        std::string message;
        const char16_t* shown;
    };
    const Case cases[] = {
        {"'x' is not a valid integer value", u"'x' is not a valid integer value."},
        {"Invalid argument to date encode", u"Invalid argument to date encode."},
        {"Ends in a stop.", u"Ends in a stop."},
        {"Really?", u"Really?."},
        {"Stop!", u"Stop!"},
        {"path/", u"path/."},
        {"dash-", u"dash-"},
        {"blank ", u"blank "},
        {"", u""},
        {"caf\xE9", u"caf\u00E9."},
    };
    for (const Case& c : cases) {
        CapturedBoxes boxes;
        runHandler(boxes, [&] { throw chronell::ChronellError(c.message); });
        ASSERT_EQ(boxes.texts.size(), 1u) << c.message;
        EXPECT_EQ(boxes.texts[0], QString::fromUtf16(c.shown)) << c.message;
    }
}

TEST(HandlerBarrier, OtherStandardErrorsAreShownToo)
{
    CapturedBoxes boxes;
    runHandler(boxes, [] { throw std::runtime_error("Out of cheese"); });
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_EQ(boxes.texts[0], "Out of cheese.");
}

TEST(HandlerBarrier, AHandlerThatEndsNormallyShowsNothing)
{
    CapturedBoxes boxes;
    bool ran = false;
    runHandler(boxes, [&] { ran = true; });
    EXPECT_TRUE(ran);
    EXPECT_TRUE(boxes.texts.empty());
}

} // namespace
