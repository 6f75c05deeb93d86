// Writes a corpus of job-list files for benchmarks, as today's writers leave
// them: generate_corpus FOLDER FILES JOBS
// Every job has about thirty script lines; consecutive jobs share their
// output (two-pass pairs); every other file has the signature line of the
// newer writer (UTC stamps) and runner lines; some jobs are still waiting
// (stamps unset), some failed with an error text, and the last job of every
// fifth file is still running (end unset).
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace {

constexpr std::uint64_t kTicksPerSecond = 10'000'000;
constexpr std::uint64_t kFirstStart = 0x01D9A0B0'00000000ull;  // a day in 2023

std::string timeStamp(std::uint64_t fileTime)
{
    char words[24];
    std::snprintf(words, sizeof words, "%08x %08x", static_cast<unsigned>(fileTime >> 32),
                  static_cast<unsigned>(fileTime & 0xFFFFFFFFu));
    return words;
}

std::string hex(std::uint64_t value)
{
    char text[24];
    std::snprintf(text, sizeof text, "%llx", static_cast<unsigned long long>(value));
    return text;
}

struct JobKind {
    bool newerWriter;  // signature line, runner lines, unset stamps as 00000000 00000000
    bool running;
};

void writeJob(std::string& out, int file, int job, const JobKind& kind, std::uint64_t& clock,
              std::mt19937_64& random)
{
    static const char* const runners[] = {"STUDIO-PC", "ATTIC", "RENDER-01", "RENDER-02"};
    const std::string clip = "F:\\capture\\series-" + std::to_string(file) + "\\episode-" + std::to_string(job / 2);
    const bool waiting = !kind.running && random() % 10 == 0;
    const bool failed = !waiting && !kind.running && random() % 25 == 0;
    const std::uint64_t seconds = 300 + random() % 7200;
    const std::uint64_t start = waiting ? 0 : clock;
    const std::uint64_t end = waiting || kind.running ? 0 : clock + seconds * kTicksPerSecond + random() % kTicksPerSecond;
    if (!waiting && !kind.running) clock = end + 5 * kTicksPerSecond;
    const char* const state = waiting ? "0" : kind.running ? "1" : failed ? "5" : "2";

    out += "// $job \"Episode " + std::to_string(job / 2) + (job % 2 ? " pass 2" : " pass 1") + "\"\r\n";
    if (kind.newerWriter) out += "// $data \"" + std::to_string(random()) + "\"\r\n";
    out += "// $input \"" + clip + ".avi\"\r\n";
    out += "// $output \"G:\\encoded\\series-" + std::to_string(file) + "\\episode-" + std::to_string(job / 2) + ".avi\"\r\n";
    out += std::string("// $state ") + state + "\r\n";
    if (kind.newerWriter) {
        const char* runner = runners[random() % std::size(runners)];
        out += "// $id " + hex(random()) + "\r\n// $revision 0 1\r\n";
        if (!waiting) out += "// $runner_id " + hex(random()) + "\r\n// $runner_name \"" + runner + "\"\r\n";
    }
    const auto stamp = [&](std::uint64_t time) { return time || kind.newerWriter ? timeStamp(time) : std::string("0 0"); };
    out += "// $start_time " + stamp(start) + "\r\n";
    out += "// $end_time " + stamp(end) + "\r\n";
    out += "// $logent 1 \"Job started\"\r\n";
    if (failed) out += "// $error \"Cannot write \\\"G:\\\\encoded\\\": disk full\\x21\"\r\n";
    out += "// $script\r\n\r\n";
    out += "VirtualDub.Open(\"" + clip + ".avi\",\"\",0);\r\n";
    static const char* const settings[] = {
        "VirtualDub.audio.SetSource(1);",        "VirtualDub.audio.SetMode(0);",
        "VirtualDub.audio.SetInterleave(1,500,1,0,0);", "VirtualDub.audio.SetClipMode(1,1);",
        "VirtualDub.audio.SetConversion(0,0,0,0,0);",   "VirtualDub.audio.SetVolume();",
        "VirtualDub.audio.SetCompression();",    "VirtualDub.audio.EnableFilterGraph(0);",
        "VirtualDub.video.SetInputFormat(0);",   "VirtualDub.video.SetOutputFormat(7);",
        "VirtualDub.video.SetMode(3);",          "VirtualDub.video.SetSmartRendering(0);",
        "VirtualDub.video.SetPreserveEmptyFrames(0);", "VirtualDub.video.SetFrameRate2(0,0,1);",
        "VirtualDub.video.SetIVTC(0, 0, 0, 0);", "VirtualDub.video.SetRange();",
        "VirtualDub.video.SetCompression(0x64697678,0,10000,0);", "VirtualDub.video.filters.Clear();",
        "VirtualDub.audio.filters.Clear();",     "VirtualDub.subset.Delete();",
        "VirtualDub.video.SetDepth(24,24);",     "VirtualDub.video.filters.Add(\"resize\");",
        "VirtualDub.video.filters.instance[0].Config(720,576,0);", "VirtualDub.video.filters.Add(\"sharpen\");",
        "VirtualDub.video.filters.instance[1].Config(16);", "VirtualDub.project.ClearTextInfo();"};
    for (const char* line : settings) out += std::string(line) + "\r\n";
    out += "VirtualDub.SaveAVI(\"G:\\\\encoded\\\\episode.avi\");\r\nVirtualDub.Close();\r\n\r\n// $endjob\r\n//\r\n";
    out += "//--------------------------------------------------\r\n";
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fputs("usage: generate_corpus FOLDER FILES JOBS\n", stderr);
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    const int files = std::stoi(argv[2]);
    const int jobs = std::stoi(argv[3]);
    std::filesystem::create_directories(folder);
    std::mt19937_64 random(20261208);
    std::uint64_t clock = kFirstStart;
    for (int file = 0; file < files; ++file) {
        const bool newerWriter = file % 2 == 0;
        std::string out = "// VirtualDub job list (Sylia script format)\r\n"
                          "// This is a program generated file -- edit at your own risk.\r\n//\r\n";
        if (newerWriter) out += "// $signature " + hex(random() & 0xFFFFFFFF) + " 1\r\n";
        out += "// $numjobs " + std::to_string(jobs) + "\r\n//\r\n\r\n";
        for (int job = 0; job < jobs; ++job)
            writeJob(out, file, job, {newerWriter, file % 5 == 0 && job == jobs - 1}, clock, random);
        out += "// $done\r\n";
        char name[32];
        std::snprintf(name, sizeof name, "queue-%04d.jobs", file);
        std::ofstream(folder / name, std::ios::binary).write(out.data(), static_cast<std::streamsize>(out.size()));
    }
    return 0;
}
