// The web page that Latest Version opens, and that a failure to open it
// reaches no one.
#include <QUrl>

#include <gtest/gtest.h>

#include <vector>

#include "tests/ui/window_support.h"
#include "ui/web_page.h"

namespace {

using chronell::kWebPageAddress;
using chronell::openWebPage;
using chronell::setUrlOpener;
using chronell::UrlOpener;
using chronell::test::CapturedBoxes;

// Replaces the opener while it lives: records the addresses and answers `opened`.
class RecordedOpener {
public:
    explicit RecordedOpener(bool opened)
        : previous_(setUrlOpener([this, opened](const QUrl& address) {
              addresses.push_back(address);
              return opened;
          }))
    {
    }
    ~RecordedOpener() { setUrlOpener(previous_); }
    RecordedOpener(const RecordedOpener&) = delete;
    RecordedOpener& operator=(const RecordedOpener&) = delete;

    std::vector<QUrl> addresses;

private:
    UrlOpener previous_;
};

TEST(WebPage, IsAFixedHttpsAddress)
{
    const QUrl address(QString::fromLatin1(kWebPageAddress), QUrl::StrictMode);
    EXPECT_TRUE(address.isValid());
    EXPECT_EQ(address.scheme(), "https");
    EXPECT_FALSE(address.host().isEmpty());
}

TEST(WebPage, OpensTheAddressOnceWhetherOrNotTheBrowserCame)
{
    for (const bool opened : {true, false}) {
        CapturedBoxes boxes;
        RecordedOpener opener(opened);
        chronell::runHandler(openWebPage);
        EXPECT_EQ(opener.addresses, std::vector<QUrl>{QUrl(QString::fromLatin1(kWebPageAddress))}) << opened;
        EXPECT_TRUE(boxes.texts.empty()) << opened;
    }
}

} // namespace
