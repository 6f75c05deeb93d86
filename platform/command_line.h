#pragma once
// Program arguments: the Windows splitting rule for a raw command line, and
// the Linux arguments from argv. Both give the words after the program name.
#include <string>
#include <string_view>
#include <vector>

namespace chronell {

// Words 1.. of a raw command line (word 0, the program, passed over), up to
// the first word that comes out empty.
std::vector<std::string> splitCommandLine(std::string_view rawCommandLine);

// argv[1] onwards, empty words passed over.
std::vector<std::string> argumentsFromArgv(int argc, const char* const* argv);

// This process's arguments by the host's rule.
std::vector<std::string> programArguments(int argc, const char* const* argv);

} // namespace chronell
