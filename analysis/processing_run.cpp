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

RunOutcome runProcessing(ProcessingTarget& target, const RegionalSettings& settings,
                         const RunInputs& inputs, const ProgressCallback& progress)
{
    int rowCounter = 0;
    // The header row and one empty data row: dropping row 1 first empties
    // its cells and its record.
    target.setRowCount(1);
    target.setRowCount(2);

    const std::string searchPath = joinFolder(inputs.folder, inputs.mask);
    if (inputs.clearLog) target.clearLog();

    // A mask may carry a folder part of its own: each name found is joined to
    // the folder in which it was found.
    const std::string searchFolder(hostFolderPart(searchPath));
    RunOutcome outcome;
    std::error_code searchError;
    const std::vector<std::string> entries = findEntries(searchPath, searchError);
    outcome.searchError = searchError;
    std::string fileBuffer;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        target.appendLogLine(entries[i]);
        target.appendLogLine("----------------");
        proc_file(target, settings, rowCounter, searchFolder + entries[i], inputs.formattedTime, fileBuffer);
        outcome.entries = i + 1;
        if (progress) progress(i + 1, entries.size());
    }

    if (target.rowCount() > 2) target.setRowCount(target.rowCount() - 1);
    target.focusGrid();
    return outcome;
}

} // namespace chronell
