// Start-up time of the program beside two baselines, under the same system in one run:
//
//   startup_benchmark [--runs N]
//
// Each run starts one program and times it from just before CreateProcess until the process is
// idle (WaitForInputIdle: its first paint is done and it waits for input) and its window is
// visible. The three programs take turns, in a rotating order, so that drift in the machine's
// load or caches falls on all of them alike; one untimed run of each comes first.

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "child_program.h"
#include "figures.h"

namespace {

struct Contender {
    const char* name;
    std::wstring path;
    std::vector<double> seconds;
};

constexpr double startupGoal = 1.15;  // ours at most this times the plain baseline

}  // namespace

int main(int argc, char** argv) {
    int runs = 21;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--runs") == 0 && i + 1 < argc) runs = std::atoi(argv[++i]);
    }
    runs = std::max(runs, 15);

    std::vector<Contender> contenders = {
        {"ours (formation-finder.exe)", besideThisProgram(PROGRAM_FROM_BENCHMARKS), {}},
        {"baseline (plain_controls.exe)", besideThisProgram(L"plain_controls.exe"), {}},
        {"bare window (bare_window.exe)", besideThisProgram(L"bare_window.exe"), {}},
    };
    SetCursorPos(0, 0);

    for (Contender& contender : contenders) {
        ChildProgram warmUp(contender.path);
        if (!warmUp.ready()) {
            std::printf("cannot start %s\n", contender.name);
            return 1;
        }
    }
    const std::size_t count = contenders.size();
    for (int run = 0; run < runs; ++run) {
        for (std::size_t turn = 0; turn < count; ++turn) {
            Contender& contender = contenders[(static_cast<std::size_t>(run) + turn) % count];
            ChildProgram child(contender.path);
            if (child.ready()) contender.seconds.push_back(child.secondsToReady());
        }
    }

    std::printf(
        "start-up: process creation until idle with the window visible, %d runs each,\n"
        "interleaved in rotating order (ms)\n\n",
        runs);
    std::printf("%-32s %8s %8s %8s %8s %8s %5s\n", "program", "median", "q1", "q3", "min", "max",
                "runs");
    for (const Contender& contender : contenders) {
        const auto& s = contender.seconds;
        std::printf("%-32s %8.1f %8.1f %8.1f %8.1f %8.1f %5zu\n", contender.name, median(s) * 1e3,
                    quantile(s, 0.25) * 1e3, quantile(s, 0.75) * 1e3, quantile(s, 0) * 1e3,
                    quantile(s, 1) * 1e3, s.size());
    }
    const double ours = median(contenders[0].seconds);
    const double baseline = median(contenders[1].seconds);
    const double bare = median(contenders[2].seconds);
    if (ours <= 0 || baseline <= 0 || bare <= 0) {
        std::puts("\nsome program never became ready; no ratios");
        return 1;
    }
    std::printf("\nours / baseline %.3f (goal: at most %.2f)\nours / bare     %.3f\n",
                ours / baseline, startupGoal, ours / bare);

    char value[64];
    std::snprintf(value, sizeof(value), "%.1f ms", ours * 1e3);
    printFigure("start-up: ours, median", value);
    std::snprintf(value, sizeof(value), "%.1f ms", baseline * 1e3);
    printFigure("start-up: plain-controls baseline, median", value);
    std::snprintf(value, sizeof(value), "%.1f ms", bare * 1e3);
    printFigure("start-up: bare window, median", value);
    std::snprintf(value, sizeof(value), "%.3f", ours / baseline);
    printFigure("start-up: ours / baseline", value, "<= 1.15",
                verdict(ours / baseline <= startupGoal));
    std::snprintf(value, sizeof(value), "%.3f", ours / bare);
    printFigure("start-up: ours / bare window", value);
    return 0;
}
