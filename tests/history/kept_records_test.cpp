#include "history/kept_records.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace chronell::history {
namespace {

JobRecord job(const std::string& name, std::int32_t state, std::int64_t startMs, std::optional<std::string> id = {})
{
    JobRecord record;
    record.name = name;
    record.input = "C:\\in\\" + name + ".avi";
    record.output = "D:\\out\\" + name + ".avi";
    record.state = state;
    record.startUtc = Instant(std::chrono::milliseconds(startMs));
    record.id = std::move(id);
    return record;
}

JobRecord pairRow()
{
    JobRecord record;
    record.twoPass = true;
    record.name = "2pass";
    return record;
}

TEST(JobIdentity, FollowsTheIdWhereThereIsOneElseNameSourceDestAndStart)
{
    struct Case {
        const char* what;
        JobRecord a;
        JobRecord b;
        bool same;
    };
    JobRecord renamed = job("b", 2, 1000, "77");
    JobRecord otherDest = job("a", 2, 1000);
    otherDest.output = "D:\\out\\other.avi";
    JobRecord otherSource = job("a", 2, 1000);
    otherSource.input = "C:\\in\\other.avi";
    JobRecord unset = job("a", 2, 1000);
    unset.startUtc.reset();
    const std::vector<Case> cases{
        {"the same job seen again", job("a", 2, 1000), job("a", 2, 1000), true},
        {"the same id, all else changed", job("a", 2, 1000, "77"), renamed, true},
        {"the same id, run again with another state", job("a", 4, 1000, "77"), job("a", 2, 5000, "77"), false},
        {"another id, all else equal", job("a", 2, 1000, "77"), job("a", 2, 1000, "78"), false},
        {"an id against none", job("a", 2, 1000, "77"), job("a", 2, 1000), false},
        {"no id, another start (run again)", job("a", 2, 1000), job("a", 2, 2000), false},
        {"no id, an aborted job done later", job("a", 4, 1000), job("a", 2, 1000), false},
        {"no id, another name", job("a", 2, 1000), job("b", 2, 1000), false},
        {"no id, another source", job("a", 2, 1000), otherSource, false},
        {"no id, another destination", job("a", 2, 1000), otherDest, false},
        {"no id, a start against none", job("a", 2, 1000), unset, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(sameIdentity(c.a, c.b), c.same) << c.what;
        EXPECT_EQ(sameIdentity(c.b, c.a), c.same) << c.what;
        if (c.same) EXPECT_EQ(identityHash(c.a), identityHash(c.b)) << c.what;
        else EXPECT_NE(identityHash(c.a), identityHash(c.b)) << c.what;
    }
}

TEST(JobIdentity, PartsDoNotRunIntoEachOther)
{
    JobRecord a = job("ab", 2, 1000);
    a.input = "c";
    JobRecord b = job("a", 2, 1000);
    b.input = "bc";
    b.output = a.output;
    EXPECT_NE(identityHash(a), identityHash(b));
}

TEST(KeptRecords, KeepsFinishedJobsAndThePairsOfTwoFinishedJobs)
{
    // Waiting 0, In Progress 1, Done 2, Postponed 3, Aborted 4, Error 5.
    const std::vector<JobRecord> run{
        job("waiting", 0, 0),   job("running", 1, 0), job("done", 2, 0),     job("postponed", 3, 0),
        job("aborted", 4, 0),   job("failed", 5, 0),  job("pass1", 2, 0),    job("pass2", 2, 0),
        pairRow(),              job("pass3", 2, 0),   pairRow(),             job("late", 0, 0),
        pairRow(),              job("after", 2, 0),
    };
    const KeptRecords kept = keptRecords(run);
    std::vector<std::string> names;
    for (const JobRecord* record : kept.jobs) names.push_back(record->name);
    EXPECT_EQ(names, (std::vector<std::string>{"done", "aborted", "failed", "pass1", "pass2", "pass3", "after"}));
    // pass1+pass2 and pass2+pass3; pass3+late is left out, late not being finished.
    ASSERT_EQ(kept.pairs.size(), 2u);
    EXPECT_EQ(kept.jobs[kept.pairs[0].first]->name, "pass1");
    EXPECT_EQ(kept.jobs[kept.pairs[0].second]->name, "pass2");
    EXPECT_EQ(kept.jobs[kept.pairs[1].first]->name, "pass2");
    EXPECT_EQ(kept.jobs[kept.pairs[1].second]->name, "pass3");
}

TEST(KeptRecords, APairWhoseFirstJobIsUnfinishedIsLeftOut)
{
    const KeptRecords kept = keptRecords({job("pass1", 3, 0), job("pass2", 2, 0), pairRow()});
    EXPECT_EQ(kept.jobs.size(), 1u);
    EXPECT_TRUE(kept.pairs.empty());
}

} // namespace
} // namespace chronell::history
