#include "ui/handler_barrier.h"

#include <exception>
#include <utility>

#include "platform/chronell_error.h"
#include "ui/display_text.h"
#include "ui/error_message_box.h"

namespace chronell {

namespace {

ErrorBoxShower& currentShower()
{
    static ErrorBoxShower shower = showErrorMessageBox;
    return shower;
}

} // namespace

ErrorBoxShower setErrorBoxShower(ErrorBoxShower shower)
{
    if (!shower) shower = showErrorMessageBox;
    return std::exchange(currentShower(), std::move(shower));
}

void runHandler(const std::function<void()>& handler)
{
    try {
        handler();
    } catch (const std::exception& error) {
        currentShower()(displayText(errorBoxText(error.what())));
    }
}

} // namespace chronell
