#pragma once
// SIGTERM and SIGHUP (the session ending) as bytes on a pipe, so that the
// event loop can end the program in its orderly way instead of the
// signal's default ending it on the spot.
namespace chronell {

// Installs the handlers, once per process, and gives the pipe's read end,
// which receives a byte per signal. -1 where the host has no such signals
// (Windows) or the pipe cannot be made; the signals then keep their default.
// A second signal of the same kind ends the program at once.
int terminationSignalDescriptor();

// Reads away the bytes that wait on the descriptor.
void drainTerminationSignals(int descriptor);

} // namespace chronell
