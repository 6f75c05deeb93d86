#include "cli/report_options.h"

#include <algorithm>
#include <string_view>

#include "platform/paths.h"

namespace chronell::report {

const char* const kUsage =
    "usage: chronell-report [-f|--formatted] [--rows=tsv|csv|json | --summary[=json] | --timeline]\n"
    "                       [--record] [--wait[=SECONDS]] FOLDER [MASK]\n"
    "       chronell-report --history [--since DATE] [--until DATE] [-f]\n"
    "                       --rows=FORMAT | --summary[=json] | --timeline | --by=PERIOD [--rows=FORMAT]\n"
    "\n"
    "Reads the job-list files of FOLDER that match MASK (default \"*.jobs\") and\n"
    "prints the log of the run, or the results grid, a summary or a timeline.\n"
    "\n"
    "  -f, --formatted   durations as hh:mm:ss.zzz instead of seconds\n"
    "  --rows=FORMAT     print the results grid as tsv, csv or json\n"
    "  --summary         print per file and for the run: jobs by status, total\n"
    "                    duration, first start, last end, span, busy share, the\n"
    "                    jobs and total per runner, and the errors\n"
    "  --summary=json    the same as JSON\n"
    "  --timeline        print the run as an SVG picture: a lane per runner (per\n"
    "                    file for jobs without one), a bar per job with times\n"
    "  --record          keep the run's finished jobs in the history\n"
    "  --history         read the history instead of a folder: the jobs whose\n"
    "                    start lies from the day --since to the day --until\n"
    "                    (local dates, YYYY-MM-DD, both included)\n"
    "  --by=PERIOD       with --history, the encoding hours per runner per day,\n"
    "                    week or month (local time), as TSV or in the --rows format\n"
    "  --store=FILE      the history file instead of the user's\n"
    "  --wait            first wait, watching FOLDER, until no matching job is\n"
    "                    waiting or in progress; then print as asked\n"
    "  --wait=SECONDS    the same, giving up after SECONDS\n"
    "  -h, --help        print this help\n"
    "  -V, --version     print the version\n"
    "\n"
    "A FOLDER that names a file reads that file: its folder, its name as MASK.\n"
    "A FOLDER that cannot be searched, a file that cannot be read and a failed\n"
    "write are reported on standard error, and so is a run in which no entry\n"
    "matched MASK.\n"
    "\n"
    "Exit status: 0 done (also when no entry matched), 1 an error ended the run,\n"
    "FOLDER could not be searched, a file could not be read or a write failed,\n"
    "2 usage error.\n"
    "With --wait: 0 every job ended done, 4 a job ended in error or was aborted\n"
    "(or left behind in progress by a runner of this computer that died), 3\n"
    "gave up after SECONDS (nothing printed), 1 FOLDER went away or could not be\n"
    "watched or searched.\n";

namespace {

constexpr std::string_view kRowsOption = "--rows=";
constexpr std::string_view kWaitOption = "--wait=";

std::optional<ExportFormat> exportFormatNamed(std::string_view name)
{
    if (name == "tsv") return ExportFormat::Tsv;
    if (name == "csv") return ExportFormat::Csv;
    if (name == "json") return ExportFormat::Json;
    return std::nullopt;
}

// Windows programs answer "/?" with their help; elsewhere it is a path.
bool isWindowsHelp(std::string_view argument)
{
    return kWindowsHost && argument == "/?";
}

} // namespace

std::optional<ReportOptions> parseReportOptions(const std::vector<std::string>& arguments,
                                                std::string& error)
{
    ReportOptions options;
    std::vector<std::string> positional;
    bool optionsEnded = false;
    for (std::size_t index = 0; index < arguments.size(); ++index) {
        const std::string& argument = arguments[index];
        if (optionsEnded || ((argument.empty() || argument[0] != '-' || argument == "-") && !isWindowsHelp(argument))) {
            positional.push_back(argument);
        } else if (argument == "--") {
            optionsEnded = true;
        } else if (argument == "-f" || argument == "--formatted") {
            options.formatted = true;
        } else if (argument.starts_with(kRowsOption)) {
            options.rows = exportFormatNamed(argument.substr(kRowsOption.size()));
            if (!options.rows) {
                error = "unknown format '" + argument.substr(kRowsOption.size()) + "'";
                return std::nullopt;
            }
        } else if (argument == "--summary") {
            options.summary = SummaryFormat::Text;
        } else if (argument == "--summary=json") {
            options.summary = SummaryFormat::Json;
        } else if (argument == "--timeline") {
            options.timeline = true;
        } else if (argument == "--wait") {
            options.wait = true;
        } else if (argument.starts_with(kWaitOption)) {
            const std::string seconds = argument.substr(kWaitOption.size());
            // Up to nine digits: more than thirty years.
            if (seconds.empty() || seconds.size() > 9
                || !std::all_of(seconds.begin(), seconds.end(), [](char c) { return c >= '0' && c <= '9'; })) {
                error = "--wait takes a number of seconds, not '" + seconds + "'";
                return std::nullopt;
            }
            options.wait = true;
            options.waitLimit = std::chrono::seconds(std::stol(seconds));
        } else if (argument == "--help" || argument == "-h" || isWindowsHelp(argument)) {
            options.help = true;
        } else if (argument == "--version" || argument == "-V") {
            options.version = true;
        } else if (takeHistoryOption(arguments, index, options.history, error)) {
            if (!error.empty()) return std::nullopt;
        } else {
            error = "unknown option '" + argument + "'";
            return std::nullopt;
        }
    }
    if (options.help || options.version) return options;
    if ((options.rows && !options.history.by ? 1 : 0) + (options.summary ? 1 : 0) + (options.timeline ? 1 : 0) > 1) {
        error = "--rows, --summary and --timeline exclude each other";
        return std::nullopt;
    }
    error = historyOptionsError(options.history, options.rows || options.summary || options.timeline,
                                options.summary || options.timeline, !positional.empty());
    if (!error.empty()) return std::nullopt;
    if (options.history.read) return options;
    if (positional.empty()) {
        error = "missing FOLDER";
        return std::nullopt;
    }
    if (positional.size() > 2) {
        error = "too many arguments";
        return std::nullopt;
    }
    options.folder = positional[0];
    if (positional.size() == 2) options.mask = positional[1];
    return options;
}

} // namespace chronell::report
