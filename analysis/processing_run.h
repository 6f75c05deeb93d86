#pragma once
// The processing run over a folder: the Process command.
#include <cstddef>
#include <functional>
#include <string>
#include <system_error>

namespace chronell {

class RunSink;

// What a run reads: the folder box, the mask box and the two options (the
// run itself looks at the folder and the mask; the options are for its
// printers and the window).
struct RunInputs {
    std::string folder;
    std::string mask = "*.jobs";
    bool formattedTime = false;
    bool clearLog = true;
};

// Called after each file with (files done, files found).
using ProgressCallback = std::function<void(std::size_t done, std::size_t found)>;

// How the directory search of a run ended.
struct RunOutcome {
    std::size_t entries = 0;  // entries found and processed
    std::error_code searchError;  // set when the folder could not be searched
    std::string searchedFolder;   // the folder joined with the mask's folder part
};

// Lists the entries of the folder matching the mask and hands each one's
// events to `sink`, between runBegun and runEnded. A ChronellError from a
// pass ends the run: the sink is told runStopped and the error goes on.
RunOutcome runProcessing(RunSink& sink, const RunInputs& inputs, const ProgressCallback& progress = {});

// Folder text, the host separator unless it already ends in one, then `tail`.
std::string joinFolder(const std::string& folderText, const std::string& tail);

// A folder text that names a regular file stands for that file: the folder
// becomes the file's folder ("." when it has none) and the mask its name.
// False, and both left alone, when it names no file.
bool takeFileAsFolderAndMask(std::string& folder, std::string& mask);

} // namespace chronell
