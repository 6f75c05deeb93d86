#include "analysis/processing_run.h"

#include "analysis/job_file_pass.h"
#include "analysis/processing_target.h"
#include "platform/directory_search.h"
#include "platform/paths.h"

namespace chronell {

std::string joinFolder(const std::string& folderText, const std::string& tail)
{
    std::string path = folderText;
    if (path.empty() || path.back() != kPathSeparator) path.push_back(kPathSeparator);
    path.append(tail);
    return path;
}

void runProcessing(ProcessingTarget& target, const RegionalSettings& settings,
                   const ProgressCallback& progress)
{
    int rowCounter = 0;
    target.setRowCount(2);
    for (int column = 0; column < kGridColumns; ++column) target.setCell(column, 1, "");

    const std::string searchPath = joinFolder(target.folderText(), target.maskText());
    if (target.clearLogTicked()) target.clearLog();

    // A mask may carry a folder part of its own: each name found is joined to
    // the folder in which it was found.
    const std::string searchFolder(hostFolderPart(searchPath));
    const std::vector<std::string> entries = findEntries(searchPath);
    std::string fileBuffer;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        target.appendLogLine(entries[i]);
        target.appendLogLine("----------------");
        proc_file(target, settings, rowCounter, searchFolder + entries[i], fileBuffer);
        if (progress) progress(i + 1, entries.size());
    }

    if (target.rowCount() > 2) target.setRowCount(target.rowCount() - 1);
    target.focusGrid();
}

} // namespace chronell
