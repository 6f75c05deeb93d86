#include "history/kept_records.h"

#include <string_view>

namespace chronell::history {

namespace {

constexpr std::int32_t kDone = 2;
constexpr std::int32_t kAborted = 4;
constexpr std::int32_t kError = 5;

// 64-bit FNV-1a, each part followed by a 0 byte so that parts cannot run
// into each other.
class IdentityHasher {
public:
    void add(std::string_view bytes)
    {
        for (const char c : bytes) mix(static_cast<unsigned char>(c));
        mix(0);
    }
    void add(std::int64_t number)
    {
        for (int shift = 0; shift < 64; shift += 8) mix(static_cast<unsigned char>(number >> shift));
        mix(0);
    }
    std::int64_t value() const { return static_cast<std::int64_t>(hash_); }

private:
    void mix(unsigned char byte)
    {
        hash_ ^= byte;
        hash_ *= 0x100000001b3ULL;
    }
    std::uint64_t hash_ = 0xcbf29ce484222325ULL;
};

std::optional<std::int64_t> startMilliseconds(const JobRecord& job)
{
    if (!job.startUtc) return std::nullopt;
    return job.startUtc->time_since_epoch().count();
}

} // namespace

bool isFinishedState(std::optional<std::int32_t> state)
{
    return state == kDone || state == kAborted || state == kError;
}

KeptRecords keptRecords(const std::vector<JobRecord>& records)
{
    KeptRecords kept;
    // The last two job records and their places among the kept jobs.
    std::optional<std::size_t> last;
    std::optional<std::size_t> beforeLast;
    for (const JobRecord& record : records) {
        if (record.twoPass) {
            if (last && beforeLast) kept.pairs.push_back({*beforeLast, *last});
            continue;
        }
        beforeLast = last;
        last.reset();
        if (!isFinishedState(record.state)) continue;
        last = kept.jobs.size();
        kept.jobs.push_back(&record);
    }
    return kept;
}

std::int64_t identityHash(const JobRecord& job)
{
    IdentityHasher hasher;
    if (job.id) {
        hasher.add("id");
        hasher.add(*job.id);
    } else {
        hasher.add("job");
        hasher.add(job.name);
        hasher.add(job.input);
        hasher.add(job.output);
        hasher.add(startMilliseconds(job).value_or(-1));
        hasher.add(job.startUtc ? "set" : "unset");
    }
    hasher.add(job.state.value_or(-1));
    return hasher.value();
}

bool sameIdentity(const JobRecord& a, const JobRecord& b)
{
    if (a.state != b.state || a.id.has_value() != b.id.has_value()) return false;
    if (a.id) return *a.id == *b.id;
    return a.name == b.name && a.input == b.input && a.output == b.output && a.startUtc == b.startUtc;
}

} // namespace chronell::history
