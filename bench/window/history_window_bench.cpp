// The History window, offscreen, over a history that history_bench made
// (a million jobs over four years, two runners):
//   history_window_bench HISTORY_FILE
// Times the chart of the last 12 months by day, week and month: the history
// read, the hours summed and the chart painted. Medians of 5.
//   history_window_bench --shot PNG
// Records a year of two runners in a history of its own, next to PNG, and
// saves the window showing it by week.
#include <QApplication>
#include <QElapsedTimer>
#include <QPixmap>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "analysis/regional_settings.h"
#include "history/history_store.h"
#include "platform/huge_page_heap.h"
#include "tests/support/generated_history.h"
#include "ui/views/history_chart.h"
#include "ui/views/history_window.h"

namespace {

using namespace chronell;

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

Instant at(std::int64_t milliseconds)
{
    return Instant(std::chrono::milliseconds(milliseconds));
}

int benchChart(const std::string& historyFile)
{
    // The bench's last job starts four years after its first.
    const test::JobPattern pattern;
    const Instant now = at(pattern.firstStartMs + 999'999 * pattern.stepMs);
    const RegionalSettings settings = loadRegionalSettings();
    HistoryWindow window(historyFile, settings, [now] { return now; }, [] { return false; }, nullptr);
    window.setRange(report::RecentSpan::Months12);
    window.show();
    QApplication::processEvents();
    for (const auto& [period, name] : {std::pair{report::Period::Day, "day"}, std::pair{report::Period::Week, "week"},
                                       std::pair{report::Period::Month, "month"}}) {
        window.setPeriod(period);
        std::vector<double> times;
        std::vector<double> cpuTimes;
        for (int i = 0; i < 5; ++i) {
            QElapsedTimer timer;
            timer.start();
            const std::clock_t cpu = std::clock();
            window.refresh();
            window.chart()->repaint();
            times.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
            cpuTimes.push_back(1000.0 * static_cast<double>(std::clock() - cpu) / CLOCKS_PER_SEC);
        }
        int jobs = 0;
        for (const report::PeriodColumn& column : window.chart()->chart().columns) jobs += column.jobs;
        if (jobs == 0) {
            std::fprintf(stderr, "history_window_bench: no jobs in the last 12 months of %s\n", historyFile.c_str());
            return 1;
        }
        std::printf("history window: chart of the last 12 months by %-5s (%d jobs, %zu bars) %4.0f ms (CPU %.0f ms), "
                    "medians of 5\n",
                    name, jobs, window.chart()->chart().columns.size(), median(times), median(cpuTimes));
    }
    return 0;
}

// A year of two runners: the attic encodes every night all year, the
// studio by day from spring to autumn, more in its busy months.
std::vector<JobRecord> yearOfTwoRunners()
{
    test::JobPattern attic;
    attic.firstStartMs = 1'735'770'000'000;  // 2025-01-01 22:20 UTC
    attic.stepMs = 86'400'000;
    attic.durationMs = 5 * 3'600'000;
    attic.pairEvery = 0;
    attic.runners = {{"ATTIC-PC", "1c2d3e4f00000a10"}};
    std::vector<JobRecord> records = test::generatedJobs(attic, 0, 365);
    test::JobPattern studio = attic;
    studio.runners = {{"STUDIO-PC", "8a7b6c5d00001f40"}};
    studio.pairEvery = 2;
    for (int month = 3; month < 10; ++month) {
        // Job numbers from 1000 times the month on, that their ids differ.
        const std::int64_t first = 1'000 * month;
        studio.stepMs = (month == 5 || month == 6 ? 1 : 2) * 86'400'000 / 3;
        studio.firstStartMs = 1'735'722'000'000 + static_cast<std::int64_t>(month) * 30 * 86'400'000  // 09:00 UTC
                              - first * studio.stepMs;
        studio.durationMs = (2 + month % 3) * 3'600'000;
        const auto part = test::generatedJobs(studio, first, month == 5 || month == 6 ? 90 : 45, month);
        records.insert(records.end(), part.begin(), part.end());
    }
    int row = 0;
    for (JobRecord& record : records) record.row = ++row;
    return records;
}

int saveShot(const std::string& png)
{
    const std::string historyFile = std::filesystem::path(png).replace_extension(".sqlite").string();
    for (const char* suffix : {"", "-wal", "-shm"}) std::filesystem::remove(historyFile + suffix);
    const std::vector<JobRecord> records = yearOfTwoRunners();
    if (!history::HistoryStore(historyFile).record(records, "E:\\queues", at(1'767'225'600'000)).recorded) return 1;
    const RegionalSettings settings = loadRegionalSettings();
    const Instant now = at(1'767'139'200'000);  // 2025-12-31 UTC
    HistoryWindow window(historyFile, settings, [now] { return now; }, [] { return false; }, nullptr);
    window.resize(1000, 700);
    window.setRange(report::RecentSpan::Months12);
    window.setPeriod(report::Period::Week);
    window.show();
    QApplication::processEvents();
    window.choosePeriod(22);
    QApplication::processEvents();
    if (!window.grab().save(QString::fromStdString(png))) {
        std::fprintf(stderr, "history_window_bench: cannot write %s\n", png.c_str());
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    // The heap the window runs with (GLIBC_TUNABLES= set to nothing measures without it).
    chronell::useHugePageHeap(argv);
    QApplication application(argc, argv);
    if (argc == 3 && std::string(argv[1]) == "--shot") return saveShot(argv[2]);
    if (argc != 2) {
        std::fputs("usage: history_window_bench HISTORY_FILE | --shot PNG\n", stderr);
        return 2;
    }
    return benchChart(argv[1]);
}
