#include "analysis/in_memory_target.h"

#include <algorithm>

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

InMemoryTarget::InMemoryTarget() : rows_{gridHeaderTexts(), Row{}} {}

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

int InMemoryTarget::rowCount() const
{
    return static_cast<int>(rows_.size());
}

void InMemoryTarget::setRowCount(int rows)
{
    rows_.resize(static_cast<std::size_t>(std::max(rows, 1)));
}

void InMemoryTarget::setCell(int column, int row, std::string_view text)
{
    rows_.at(static_cast<std::size_t>(row)).at(static_cast<std::size_t>(column)) = text;
}

void InMemoryTarget::focusGrid()
{
    gridFocused_ = true;
}

} // namespace chronell
