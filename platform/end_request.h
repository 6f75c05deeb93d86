#pragma once
// A request from outside to end the program, as a session that logs out or
// a service manager makes it: on POSIX hosts the termination and interrupt
// signals, caught from the start of the program and announced on a pipe
// that the window's event loop watches, so that the program ends the way
// its window's close box ends it. Windows asks the window itself to close.
namespace chronell {

// Catches the requests from now on, also those that arrived while the
// program's parent kept them blocked; gives the descriptor that becomes
// readable when one arrives, -1 where the host has none.
int watchEndRequests();

// Takes the announcements that the descriptor holds.
void takeEndRequests(int descriptor);

} // namespace chronell
