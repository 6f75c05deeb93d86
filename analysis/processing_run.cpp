#include "analysis/processing_run.h"

#include "analysis/file_passes_ahead.h"
#include "analysis/run_events.h"
#include "platform/chronell_error.h"
#include "platform/directory_search.h"
#include "platform/paths.h"
#include "platform/read_file.h"

namespace chronell {

namespace {

// A folder part without its last separator, unless that is all there is
// (the root) or a drive ("C:\") would be left.
std::string withoutTrailingSeparator(std::string_view folderPart)
{
    if (folderPart.size() > 1 && folderPart[folderPart.size() - 2] != ':') folderPart.remove_suffix(1);
    return std::string(folderPart);
}

} // namespace

std::string joinFolder(const std::string& folderText, const std::string& tail)
{
    std::string path = folderText;
    if (path.empty() || path.back() != kPathSeparator) path.push_back(kPathSeparator);
    path.append(tail);
    return path;
}

bool takeFileAsFolderAndMask(std::string& folder, std::string& mask)
{
    if (!isRegularFile(folder)) return false;
    const std::string_view folderPart = hostFolderPart(folder);
    mask = hostFileNamePart(folder);
    folder = folderPart.empty() ? std::string(".") : withoutTrailingSeparator(folderPart);
    return true;
}

RunOutcome runProcessing(RunSink& sink, const RunInputs& inputs, const ProgressCallback& progress)
{
    sink.runBegun();
    const std::string searchPath = joinFolder(inputs.folder, inputs.mask);

    // A mask may carry a folder part of its own: each name found is joined to
    // the folder in which it was found.
    const std::string searchFolder(hostFolderPart(searchPath));
    RunOutcome outcome;
    const std::vector<std::string> entries = findEntries(searchPath, outcome.searchError);
    outcome.searchedFolder = withoutTrailingSeparator(searchFolder);
    std::vector<std::string> paths;
    paths.reserve(entries.size());
    for (const std::string& entry : entries) paths.push_back(searchFolder + entry);
    FilePassesAhead passes(std::move(paths), FilePassesAhead::workersFor(entries.size()));
    int rowCounter = 0;
    try {
        for (std::size_t i = 0; i < entries.size(); ++i) {
            sink.fileBegun(entries[i]);
            passes.handOut(i, sink, rowCounter);
            outcome.entries = i + 1;
            if (progress) progress(i + 1, entries.size());
        }
    } catch (const ChronellError&) {
        sink.runStopped();
        throw;
    }
    sink.runEnded();
    return outcome;
}

} // namespace chronell
