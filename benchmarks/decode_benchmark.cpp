// Times the decoding of the five window pictures and compares it with libjpeg-turbo's djpeg
// decoding the same files on the same machine.
//
//   decode_benchmark [--runs N] [path of djpeg]
//
// djpeg is a process of its own, and starting it costs far more than decoding one small picture.
// So each picture file is run through djpeg N times, each run paired with a run on a 1 × 1 JPEG of
// the same kind, and the median of the paired differences is taken as djpeg's decoding time.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include <jpeglib.h>

#include "assets/picture.h"
#include "assets/pictures.h"
#include "figures.h"
#include "support/jpeg_encoding.h"

#ifdef _WIN32
#include <process.h>
#else
#include <spawn.h>
#include <sys/wait.h>
extern char** environ;
#endif

namespace {

using Clock = std::chrono::steady_clock;
using Bytes = std::vector<std::uint8_t>;

// Where the decoded pixels go, so that the decodes cannot be optimised away.
volatile std::size_t sink = 0;

struct NamedPicture {
    const char* name;
    std::span<const std::uint8_t> jpeg;
};

const NamedPicture pictures[] = {
    {"header", headerPicture},
    {"selection_panel", selectionPanelPicture},
    {"result_panel", resultPanelPicture},
    {"links_panel", linksPanelPicture},
    {"query_button", queryButtonPicture},
};

#ifdef _WIN32
constexpr const char* nullDevice = "NUL";
#else
constexpr const char* nullDevice = "/dev/null";
#endif

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Median time of one in-process decode: batches of decodes, long enough to time well.
double decodeSeconds(std::span<const std::uint8_t> jpeg, int batches) {
    std::size_t checksum = 0;
    int perBatch = 1;
    for (;;) {  // find a batch size that takes at least 20 ms
        const auto start = Clock::now();
        for (int i = 0; i < perBatch; ++i) checksum += decodePicture(jpeg)->pixels[0];
        if (secondsSince(start) >= 0.02) break;
        perBatch *= 2;
    }
    std::vector<double> times;
    for (int b = 0; b < batches; ++b) {
        const auto start = Clock::now();
        for (int i = 0; i < perBatch; ++i) checksum += decodePicture(jpeg)->pixels[0];
        times.push_back(secondsSince(start) / perBatch);
    }
    sink = checksum;
    return median(times);
}

// Runs the program with its arguments and waits for it; its exit status, or -1.
int run(const std::string& program, const std::vector<std::string>& arguments) {
#ifdef _WIN32
    // _spawnv joins the arguments into one command line, so each is quoted.
    std::vector<std::string> quoted;
    quoted.push_back('"' + program + '"');
    for (const std::string& a : arguments) quoted.push_back('"' + a + '"');
    std::vector<const char*> argv;
    for (const std::string& q : quoted) argv.push_back(q.c_str());
    argv.push_back(nullptr);
    return static_cast<int>(_spawnv(_P_WAIT, program.c_str(), argv.data()));
#else
    std::vector<char*> argv;
    std::string name = program;
    argv.push_back(name.data());
    std::vector<std::string> copies = arguments;
    for (std::string& a : copies) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t child = 0;
    if (posix_spawn(&child, program.c_str(), nullptr, nullptr, argv.data(), environ) != 0) {
        return -1;
    }
    int status = 0;
    if (waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
#endif
}

// Wall time of one djpeg run on `file`, output thrown away; nothing if djpeg failed.
std::optional<double> djpegSeconds(const std::string& djpeg, const std::string& file) {
    const auto start = Clock::now();
    if (run(djpeg, {"-outfile", nullDevice, file}) != 0) return std::nullopt;
    return secondsSince(start);
}

struct DjpegFigure {
    double seconds;  // median of the paired differences
    double spread;   // half their interquartile range: how far start-up noise blurs the median
};

// djpeg on the picture, each run paired with a run on the 1 × 1 file right after it.
std::optional<DjpegFigure> djpegDecode(const std::string& djpeg, const std::string& file,
                                       const std::string& tinyFile, int runs) {
    std::vector<double> differences;
    for (int i = 0; i < runs; ++i) {
        const auto picture = djpegSeconds(djpeg, file);
        const auto tiny = djpegSeconds(djpeg, tinyFile);
        if (!picture || !tiny) return std::nullopt;
        differences.push_back(*picture - *tiny);
    }
    std::sort(differences.begin(), differences.end());
    return DjpegFigure{quantile(differences, 0.5),
                       (quantile(differences, 0.75) - quantile(differences, 0.25)) / 2};
}

// A 1 × 1 JPEG made like the pictures: three components, no subsampling, highest quality.
Bytes tinyJpeg() {
    return encode(1, 1, 3, JCS_RGB, {26, 59, 52});
}

bool writeFile(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
    int runs = 41;
    std::string djpeg = FORMATION_DJPEG;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--runs") == 0 && i + 1 < argc) {
            runs = std::max(1, std::atoi(argv[++i]));
        } else {
            djpeg = argv[i];
        }
    }
    constexpr int batches = 15;
    constexpr double ratioGoal = 1.10;

#ifdef FORMATION_SANITIZED
    std::puts("note: built with AddressSanitizer and UBSan; use a native build for real figures");
#endif
    std::printf(
        "ours:  median of %d batches of in-process decodes from memory (libjpeg, accurate\n"
        "       integer transform, RGB out), each batch at least 20 ms long\n",
        batches);
    std::printf(
        "djpeg: median over %d runs of (wall time of `djpeg -outfile %s <picture file>`\n"
        "       minus wall time of the same on a 1 x 1 JPEG of the same kind, run right after);\n"
        "       the difference leaves out process start-up, which dwarfs a small decode.\n"
        "       It still holds reading the file and writing PPM output, in a fresh process\n"
        "       with cold caches, and drops libjpeg's per-image set-up, which ours includes.\n"
        "       +- is half the interquartile range of the differences; where it is larger\n"
        "       than the median itself, the ratio shows as noise.\n"
        "djpeg used: %s\n\n",
        runs, nullDevice, djpeg.empty() ? "(none found)" : djpeg.c_str());

    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path folder = fs::temp_directory_path(error) / "formation-decode-benchmark";
    fs::create_directories(folder, error);
    const fs::path tinyFile = folder / "tiny.jpg";
    const bool haveDjpeg =
        !djpeg.empty() && fs::exists(djpeg, error) && writeFile(tinyFile, tinyJpeg());

    std::printf("%-16s %9s %10s %18s %7s\n", "picture", "pixels", "ours (us)", "djpeg (us)",
                "ratio");
    double worstRatio = 0;
    for (const NamedPicture& p : pictures) {
        const auto picture = decodePicture(p.jpeg);
        if (!picture) {
            std::printf("%-16s does not decode\n", p.name);
            continue;
        }
        const double ours = decodeSeconds(p.jpeg, batches);
        std::optional<DjpegFigure> theirs;
        const fs::path file = folder / (std::string(p.name) + ".jpg");
        if (haveDjpeg && writeFile(file, p.jpeg)) {
            theirs = djpegDecode(djpeg, file.string(), tinyFile.string(), runs);
        }
        const std::string size =
            std::to_string(picture->width) + "x" + std::to_string(picture->height);
        std::printf("%-16s %9s %10.1f", p.name, size.c_str(), ours * 1e6);
        if (!theirs) {
            std::printf(" %18s %7s\n", "-", "-");
        } else if (theirs->seconds <= theirs->spread) {
            // Start-up jitter (large under Wine) swamps the decode: no ratio to speak of.
            std::printf(" %8.1f +- %6.1f %7s\n", theirs->seconds * 1e6, theirs->spread * 1e6,
                        "noise");
        } else {
            const double ratio = ours / theirs->seconds;
            worstRatio = std::max(worstRatio, ratio);
            std::printf(" %8.1f +- %6.1f %7.2f\n", theirs->seconds * 1e6, theirs->spread * 1e6,
                        ratio);
        }
    }
    fs::remove_all(folder, error);
    constexpr const char* figure = "decode: ours / djpeg, worst picture";
    if (worstRatio > 0) {
        std::printf("\nhighest ratio %.2f (goal: at most %.2f)\n", worstRatio, ratioGoal);
        char value[32];
        std::snprintf(value, sizeof(value), "%.2f", worstRatio);
        printFigure(figure, value, "<= 1.10", verdict(worstRatio <= ratioGoal));
    } else if (haveDjpeg) {
        std::puts("\nno djpeg figure rose above the start-up noise; try more --runs");
        printFigure(figure, "noise", "<= 1.10", "unclear");
    } else {
        printFigure(figure, "no djpeg", "<= 1.10", "unclear");
    }
    return 0;
}
