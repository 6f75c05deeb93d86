#include "app/start_options.h"

#include "analysis/processing_run.h"

namespace chronell {

const char* const kWindowUsage =
    "usage: chronell [FOLDER [MASK [/f]]]\n"
    "\n"
    "Opens the window that reports how long the jobs of VirtualDub's job-list\n"
    "files took. FOLDER and MASK fill the folder and mask boxes (in place of\n"
    "those kept in Settings.ini); a third argument /f ticks \"Formated time\n"
    "output\". A FOLDER that names a file stands for its folder, its name\n"
    "for the mask. Press Process to read the files.\n"
    "\n"
    "  -h, --help      print this help\n"
    "  -V, --version   print the version\n"
    "\n"
    "chronell-report prints the same runs for scripts.\n";

std::optional<std::string> textInsteadOfWindow(const std::vector<std::string>& arguments)
{
    if (arguments.size() != 1) return std::nullopt;
    if (arguments[0] == "--help" || arguments[0] == "-h") return kWindowUsage;
    if (arguments[0] == "--version" || arguments[0] == "-V") return "chronell " CHRONELL_VERSION "\n";
    return std::nullopt;
}

void takeFileArgument(std::vector<std::string>& arguments)
{
    if (arguments.empty()) return;
    std::string mask;
    if (!takeFileAsFolderAndMask(arguments[0], mask)) return;
    if (arguments.size() == 1)
        arguments.push_back(mask);
    else
        arguments[1] = mask;
}

} // namespace chronell
