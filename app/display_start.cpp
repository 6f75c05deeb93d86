#include "app/display_start.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace chronell {

namespace {

// Qt's message handler reaches only what is global: the messages held back
// while the application is made.
struct HeldMessage {
    QtMsgType type;
    QString text;
};
std::vector<HeldMessage> heldMessages;

void holdOrEnd(QtMsgType type, const QMessageLogContext&, const QString& text)
{
    if (type == QtFatalMsg) {
        std::fputs("chronell: cannot open a display\n", stderr);
        std::_Exit(1);
    }
    heldMessages.push_back({type, text});
}

} // namespace

std::unique_ptr<QApplication> applicationOnDisplay(int& argc, char** argv)
{
    const QtMessageHandler qtHandler = qInstallMessageHandler(holdOrEnd);
    auto application = std::make_unique<QApplication>(argc, argv);
    qInstallMessageHandler(qtHandler);
    for (const HeldMessage& message : heldMessages) qtHandler(message.type, QMessageLogContext(), message.text);
    heldMessages.clear();
    return application;
}

} // namespace chronell
