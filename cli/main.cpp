// chronell-report: the Process command of the window with "Clear log"
// ticked, over an in-memory grid and log, one of them printed to standard
// output.
#include <cstdio>
#include <string>
#include <vector>

#include "analysis/chronell_error.h"
#include "analysis/in_memory_target.h"
#include "analysis/processing_run.h"
#include "analysis/regional_settings.h"
#include "cli/progress_line.h"
#include "cli/report_options.h"
#include "cli/report_target.h"
#include "cli/row_output.h"
#include "platform/standard_streams.h"

namespace {

using namespace chronell;
using namespace chronell::report;

void writeOut(const std::string& text)
{
    std::fwrite(text.data(), 1, text.size(), stdout);
}

void writeOutput(const InMemoryTarget& target, RowFormat format)
{
    switch (format) {
    case RowFormat::Tsv: return writeOut(rowsAsTsv(target.rows()));
    case RowFormat::Csv:
        writeBytesAsTheyAre(stdout);  // CSV rows end in CR LF of their own
        return writeOut(rowsAsCsv(target.rows()));
    case RowFormat::Json: return writeOut(rowsAsJson(target.rows()));
    case RowFormat::None:
        for (const auto& chunk : target.logChunks()) writeOut(chunk);
        return;
    }
}

} // namespace

int main(int argc, char** argv)
{
    std::string usageError;
    const auto options = parseReportOptions(std::vector<std::string>(argv + 1, argv + argc), usageError);
    if (!options) {
        std::fprintf(stderr, "chronell-report: %s\n%s", usageError.c_str(), kUsage);
        return 2;
    }
    if (options->help) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (options->version) {
        std::fputs("chronell-report " CHRONELL_VERSION "\n", stdout);
        return 0;
    }

    LoadRegionalSettings();
    ReportTarget target(options->rows);
    target.folder = options->folder;
    target.mask = options->mask;
    target.formattedTime = options->formatted;
    target.clearLogOption = true;

    std::string failure;
    bool failed = false;
    {
        ProgressLine progress;
        try {
            runProcessing(target, regionalSettings(),
                          [&progress](std::size_t done, std::size_t found) { progress.update(done, found); });
        } catch (const ChronellError& error) {
            failed = true;
            failure = error.what();
        }
    }

    writeOutput(target, options->rows);
    std::fflush(stdout);
    if (failed) {
        std::fprintf(stderr, "chronell-report: %s\n", errorBoxText(failure).c_str());
        return 1;
    }
    return 0;
}
