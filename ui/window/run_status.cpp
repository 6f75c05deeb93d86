#include "ui/window/run_status.h"

#include <QStringList>

#include "ui/text/display_text.h"

namespace chronell {

namespace {

QString counted(int count, const char* one, const char* many)
{
    return QStringLiteral("%1 %2").arg(count).arg(QLatin1String(count == 1 ? one : many));
}

// Blanks at either end of a name are easily typed and never seen.
QString blankHint(const std::string& text, const char* what)
{
    if (text.empty() || (text.front() != ' ' && text.back() != ' ')) return {};
    return QStringLiteral(" (the %1 starts or ends with a space)").arg(QLatin1String(what));
}

constexpr std::size_t kUnreadNamed = 3;  // more are counted, not named

// "cannot read a.jobs, b.jobs, c.jobs and 2 more"
QString unreadText(const std::vector<std::string>& files)
{
    QStringList names;
    for (std::size_t i = 0; i < files.size() && i < kUnreadNamed; ++i) names << displayText(files[i]);
    QString text = QStringLiteral("cannot read ") + names.join(QStringLiteral(", "));
    if (files.size() > kUnreadNamed) text += QStringLiteral(" and %1 more").arg(files.size() - kUnreadNamed);
    return text;
}

QString stoppedText(const RunFacts& facts)
{
    if (facts.stoppedIn.empty())
        return QStringLiteral("Stopped in file %1: %2").arg(facts.filesDone + 1).arg(*facts.stoppedBy);
    const QString file = displayText(facts.stoppedIn);
    if (facts.stoppedAtJob == 0) return QStringLiteral("Stopped in %1: %2").arg(file, *facts.stoppedBy);
    return QStringLiteral("Stopped in %1, job %2: %3").arg(file).arg(facts.stoppedAtJob).arg(*facts.stoppedBy);
}

} // namespace

QString totalTimeText(std::uint64_t milliseconds)
{
    const std::uint64_t seconds = milliseconds / 1000;
    return QStringLiteral("%1:%2:%3")
        .arg(seconds / 3600, 2, 10, QLatin1Char('0'))
        .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

QString runStatusText(const RunFacts& facts)
{
    const QString folder = displayText(facts.folder);
    if (facts.stoppedBy)
        return facts.unreadFiles.empty()
                   ? stoppedText(facts)
                   : QStringLiteral("%1 (%2)").arg(stoppedText(facts), unreadText(facts.unreadFiles));
    if (facts.searchError)
        return QStringLiteral("Cannot search '%1': %2%3")
            .arg(folder, QString::fromLocal8Bit(facts.searchError.message()), blankHint(facts.folder, "folder"));
    if (facts.filesFound == 0)
        return QStringLiteral("No file matches '%1' in '%2'%3")
            .arg(displayText(facts.mask), folder,
                 blankHint(facts.mask, "mask") + blankHint(facts.folder, "folder"));
    QString jobs = counted(facts.jobs, "job", "jobs");
    if (facts.shownJobs) jobs = QStringLiteral("%1 of %2").arg(*facts.shownJobs).arg(jobs);
    if (facts.pairs > 0) jobs += QStringLiteral(", ") + counted(facts.pairs, "pair", "pairs");
    QString text = QStringLiteral("%1 in %2 - %3")
                       .arg(jobs, counted(static_cast<int>(facts.filesFound), "file", "files"),
                            totalTimeText(facts.totalMs));
    if (!facts.unreadFiles.empty()) text += QStringLiteral("; ") + unreadText(facts.unreadFiles);
    return text;
}

void RunFactsSink::fileBegun(std::string_view name)
{
    facts_.stoppedIn = name;
    facts_.stoppedAtJob = 0;
}

void RunFactsSink::job(const JobEvent&)
{
    ++facts_.stoppedAtJob;
}

void RunFactsSink::fileEnded(const FileEndEvent& event)
{
    if (event.how == FileEnd::CannotOpen && event.unread) facts_.unreadFiles.push_back(facts_.stoppedIn);
    facts_.stoppedIn.clear();
    facts_.stoppedAtJob = 0;
}

} // namespace chronell
