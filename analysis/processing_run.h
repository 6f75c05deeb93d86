#pragma once
// The processing run over a folder: the Process command.
#include <cstddef>
#include <functional>
#include <string>

namespace chronell {

class ProcessingTarget;
struct RegionalSettings;

// Called after each file with (files done, files found).
using ProgressCallback = std::function<void(std::size_t done, std::size_t found)>;

// Lists the entries of the folder text matching the mask text and passes
// each one to proc_file. Throws ChronellError from a pass, which ends the run.
void runProcessing(ProcessingTarget& target, const RegionalSettings& settings,
                   const ProgressCallback& progress = {});

// Folder text, the host separator unless it already ends in one, then `tail`.
std::string joinFolder(const std::string& folderText, const std::string& tail);

} // namespace chronell
