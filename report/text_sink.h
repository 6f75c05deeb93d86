#pragma once
// Output text gathered into blocks and handed to a writer, so that a large
// export is written as it is made instead of held whole in memory.
#include <functional>
#include <string>
#include <string_view>

namespace chronell::report {

class TextSink {
public:
    // Writes a block; false when the write failed.
    using Writer = std::function<bool(std::string_view)>;

    explicit TextSink(Writer writer) : writer_(std::move(writer)) { block_.reserve(kBlockSize); }
    TextSink(const TextSink&) = delete;
    TextSink& operator=(const TextSink&) = delete;
    ~TextSink() { flush(); }

    void append(std::string_view text)
    {
        block_.append(text);
        if (block_.size() >= kBlockSize) flush();
    }
    void push(char c) { block_.push_back(c); }

    // Hands on what is gathered; false once any write has failed.
    bool flush()
    {
        if (!block_.empty() && !failed_) failed_ = !writer_(block_);
        block_.clear();
        return !failed_;
    }
    bool failed() const { return failed_; }

private:
    static constexpr std::size_t kBlockSize = 1 << 16;
    Writer writer_;
    std::string block_;
    bool failed_ = false;
};

} // namespace chronell::report
