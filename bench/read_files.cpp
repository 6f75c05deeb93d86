// The floor under the report's runs: every file read whole, as the engine
// reads it, into one buffer that is reused, and nothing else done.
//   read_files FILE...   (prints the bytes read)
#include <cstdio>
#include <string>

#include "platform/read_file.h"

int main(int argc, char** argv)
{
    std::string contents;
    unsigned long long bytes = 0;
    for (int i = 1; i < argc; ++i) {
        if (!chronell::readWholeFile(argv[i], contents)) {
            std::fprintf(stderr, "read_files: cannot read %s\n", argv[i]);
            return 1;
        }
        bytes += contents.size();
    }
    std::printf("%llu\n", bytes);
    return 0;
}
