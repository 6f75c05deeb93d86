#include "analysis/in_memory_target.h"

#include <algorithm>
#include <stdexcept>

namespace chronell {

const InMemoryTarget::Row& gridHeaderTexts()
{
    static const InMemoryTarget::Row header = [] {
        InMemoryTarget::Row row;
        std::string_view captions = "Name,Source,Dest,Start,End,Status,Dur,Jobfile";
        for (auto& cell : row) {
            const auto comma = captions.find(',');
            cell = captions.substr(0, comma);
            captions.remove_prefix(comma == std::string_view::npos ? captions.size() : comma + 1);
        }
        return row;
    }();
    return header;
}

InMemoryTarget::InMemoryTarget() : written_{{0, gridHeaderTexts()}} {}

void InMemoryTarget::appendLogLine(std::string_view line)
{
    constexpr std::size_t kChunkSize = 1 << 20;
    if (log_.empty() || log_.back().size() + line.size() >= log_.back().capacity()) {
        log_.emplace_back();
        log_.back().reserve(std::max(kChunkSize, line.size() + 1));
    }
    log_.back().append(line);
    log_.back().push_back('\n');
}

std::string InMemoryTarget::logText() const
{
    std::string text;
    for (const auto& chunk : log_) text += chunk;
    return text;
}

void InMemoryTarget::clearLog()
{
    log_.clear();
}

std::vector<std::string> InMemoryTarget::logLines() const
{
    const std::string text = logText();
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const auto end = text.find('\n', start);
        lines.emplace_back(text, start, end - start);
        start = end + 1;
    }
    return lines;
}

void InMemoryTarget::setRowCount(int rows)
{
    rowCount_ = std::max(rows, 1);
    while (!written_.empty() && written_.back().first >= rowCount_) written_.pop_back();
    records_.keepBelow(rowCount_);
}

void InMemoryTarget::setCell(int column, int row, std::string_view text)
{
    if (row < 0 || row >= rowCount_ || column < 0 || column >= kGridColumns)
        throw std::out_of_range("InMemoryTarget::setCell");
    // Rows are written in ascending order, so the row is nearly always the last one or a new one.
    auto found = written_.end();
    if (!written_.empty() && written_.back().first == row) {
        found = std::prev(written_.end());
    } else if (written_.empty() || written_.back().first < row) {
        if (text.empty()) return;  // an empty cell in a row never written changes nothing
        found = written_.emplace(written_.end(), row, Row{});
    } else {
        found = std::lower_bound(written_.begin(), written_.end(), row,
                                 [](const auto& entry, int index) { return entry.first < index; });
        if (found == written_.end() || found->first != row) {
            if (text.empty()) return;
            found = written_.emplace(found, row, Row{});
        }
    }
    found->second[static_cast<std::size_t>(column)] = text;
}

const InMemoryTarget::Row& InMemoryTarget::row(int index) const
{
    if (index < 0 || index >= rowCount_) throw std::out_of_range("InMemoryTarget::row");
    static const Row kEmpty{};
    // Where every row up to `index` was written, the row stands at its own index.
    const auto dense = static_cast<std::size_t>(index);
    if (dense < written_.size() && written_[dense].first == index) return written_[dense].second;
    const auto found = std::lower_bound(written_.begin(), written_.end(), index,
                                        [](const auto& entry, int i) { return entry.first < i; });
    return found != written_.end() && found->first == index ? found->second : kEmpty;
}

void InMemoryTarget::addRecord(JobRecord record)
{
    records_.add(std::move(record));
}

void InMemoryTarget::focusGrid()
{
    gridFocused_ = true;
}

} // namespace chronell
