// Start-up time of the program beside two baselines, under the same system in one run:
//
//   startup_benchmark [--runs N]
//
// Each run starts one program and times it from just before CreateProcess until the process is
// idle (WaitForInputIdle: its first paint is done and it waits for input) and its window is
// visible. The three programs take turns, in a rotating order, so that drift in the machine's
// load or caches falls on all of them alike; one untimed run of each comes first. Under Wine on a
// busy machine single runs scatter widely, so beside the ratio of the medians comes the median of
// the ratios within each round, whose two runs lie seconds apart.

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
    std::vector<double> seconds;  // by round; 0 where the program never became ready
};

constexpr double startupGoal = 1.15;  // ours at most this times the plain baseline

std::vector<double> readyRuns(const Contender& contender) {
    std::vector<double> runs;
    for (double seconds : contender.seconds) {
        if (seconds > 0) runs.push_back(seconds);
    }
    std::sort(runs.begin(), runs.end());
    return runs;
}

// Ours over the other, round by round.
std::vector<double> roundRatios(const Contender& ours, const Contender& other) {
    std::vector<double> ratios;
    for (std::size_t round = 0; round < ours.seconds.size(); ++round) {
        if (ours.seconds[round] > 0 && other.seconds[round] > 0) {
            ratios.push_back(ours.seconds[round] / other.seconds[round]);
        }
    }
    return ratios;
}

}  // namespace

int main(int argc, char** argv) {
    int runs = 31;
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
            contender.seconds.push_back(child.ready() ? child.secondsToReady() : 0);
        }
    }

    std::printf(
        "start-up: process creation until idle with the window visible, %d runs each,\n"
        "interleaved in rotating order (ms)\n\n",
        runs);
    std::printf("%-32s %8s %8s %8s %8s %8s %5s\n", "program", "median", "q1", "q3", "min", "max",
                "ready");
    for (const Contender& contender : contenders) {
        const std::vector<double> s = readyRuns(contender);
        std::printf("%-32s %8.1f %8.1f %8.1f %8.1f %8.1f %5zu\n", contender.name, median(s) * 1e3,
                    quantile(s, 0.25) * 1e3, quantile(s, 0.75) * 1e3, quantile(s, 0) * 1e3,
                    quantile(s, 1) * 1e3, s.size());
    }
    std::puts("\nevery run, sorted (ms):");
    for (const Contender& contender : contenders) {
        std::printf("%-9.9s", contender.name);
        for (double seconds : readyRuns(contender)) std::printf(" %.0f", seconds * 1e3);
        std::puts("");
    }

    const double ours = median(readyRuns(contenders[0]));
    const double baseline = median(readyRuns(contenders[1]));
    const double bare = median(readyRuns(contenders[2]));
    if (ours <= 0 || baseline <= 0 || bare <= 0) {
        std::puts("\nsome program never became ready; no ratios");
        return 1;
    }
    const std::vector<double> pairedBaseline = roundRatios(contenders[0], contenders[1]);
    const std::vector<double> pairedBare = roundRatios(contenders[0], contenders[2]);
    std::printf("\n%-18s %16s %22s\n", "", "ratio of medians", "median of round ratios");
    std::printf("%-18s %16.3f %22.3f   (goal: at most %.2f)\n", "ours / baseline", ours / baseline,
                median(pairedBaseline), startupGoal);
    std::printf("%-18s %16.3f %22.3f\n", "ours / bare", ours / bare, median(pairedBare));

    char value[64];
    std::snprintf(value, sizeof(value), "%.1f ms", ours * 1e3);
    printFigure("start-up: ours, median", value);
    std::snprintf(value, sizeof(value), "%.1f ms", baseline * 1e3);
    printFigure("start-up: plain-controls baseline, median", value);
    std::snprintf(value, sizeof(value), "%.1f ms", bare * 1e3);
    printFigure("start-up: bare window, median", value);
    std::snprintf(value, sizeof(value), "%.3f (by rounds %.3f)", ours / baseline,
                  median(pairedBaseline));
    printFigure("start-up: ours / baseline", value, "<= 1.15",
                verdict(ours / baseline <= startupGoal));
    std::snprintf(value, sizeof(value), "%.3f (by rounds %.3f)", ours / bare, median(pairedBare));
    printFigure("start-up: ours / bare window", value);
    return 0;
}
