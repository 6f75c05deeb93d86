#include "cli/history_options.h"

#include <charconv>

namespace chronell::report {

namespace {

// A date as YYYY-MM-DD; nothing for another text or a day that does not exist.
std::optional<std::chrono::sys_days> dateOf(const std::string& text)
{
    int year = 0;
    unsigned month = 0;
    unsigned day = 0;
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
    const auto number = [&text](std::size_t from, std::size_t length, auto& value) {
        const char* first = text.data() + from;
        const auto [end, error] = std::from_chars(first, first + length, value);
        return error == std::errc() && end == first + length;
    };
    if (!number(0, 4, year) || !number(5, 2, month) || !number(8, 2, day)) return std::nullopt;
    const std::chrono::year_month_day date{std::chrono::year(year), std::chrono::month(month), std::chrono::day(day)};
    if (!date.ok()) return std::nullopt;
    return std::chrono::sys_days(date);
}

// The value of "--name=VALUE" or of "--name VALUE"; nothing when `argument` is neither.
std::optional<std::string> valueOf(const std::vector<std::string>& arguments, std::size_t& index,
                                   const std::string& name, std::string& error)
{
    const std::string& argument = arguments[index];
    if (argument.starts_with(name + "=")) return argument.substr(name.size() + 1);
    if (argument != name) return std::nullopt;
    if (index + 1 >= arguments.size()) {
        error = name + " needs a value";
        return std::string();
    }
    return arguments[++index];
}

} // namespace

bool takeHistoryOption(const std::vector<std::string>& arguments, std::size_t& index, HistoryOptions& options,
                       std::string& error)
{
    const std::string& argument = arguments[index];
    if (argument == "--record") {
        options.record = true;
    } else if (argument == "--history") {
        options.read = true;
    } else if (argument == "--by=day") {
        options.by = Period::Day;
    } else if (argument == "--by=week") {
        options.by = Period::Week;
    } else if (argument == "--by=month") {
        options.by = Period::Month;
    } else if (const auto store = valueOf(arguments, index, "--store", error)) {
        if (error.empty() && store->empty()) error = "--store needs a file";
        options.store = *store;
    } else {
        for (auto [name, date] : {std::pair{"--since", &options.since}, std::pair{"--until", &options.until}}) {
            const auto text = valueOf(arguments, index, name, error);
            if (!text) continue;
            *date = dateOf(*text);
            if (error.empty() && !*date) error = std::string(name) + " takes a date as YYYY-MM-DD, not '" + *text + "'";
            return true;
        }
        return false;
    }
    return true;
}

std::string historyOptionsError(const HistoryOptions& options, bool hasOutput, bool hasSummaryOrTimeline,
                                bool hasFolder)
{
    if (options.record && options.read) return "--record and --history exclude each other";
    if (!options.read && (options.since || options.until || options.by))
        return "--since, --until and --by need --history";
    if (!options.read && !options.record && !options.store.empty()) return "--store needs --record or --history";
    if (options.by && hasSummaryOrTimeline) return "--by excludes --summary and --timeline";
    if (options.read && !hasOutput && !options.by) return "--history needs --rows, --summary, --timeline or --by";
    if (options.read && hasFolder) return "--history reads no FOLDER";
    return {};
}

} // namespace chronell::report
