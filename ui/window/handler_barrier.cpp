#include "ui/window/handler_barrier.h"

#include <exception>

#include "platform/chronell_error.h"
#include "ui/text/display_text.h"

namespace chronell {

void runHandler(const ErrorBoxShower& showError, const std::function<void()>& handler)
{
    try {
        handler();
    } catch (const std::exception& error) {
        showError(displayText(errorBoxText(error.what())));
    }
}

} // namespace chronell
