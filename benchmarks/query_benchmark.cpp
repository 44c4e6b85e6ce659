// Time of one query on the real window, built in this process by the program's own code:
//
//   query_benchmark [--queries N]
//
// Each query picks a kind and a level with CB_SETCURSEL (cycling through all 4 x 11 pairs) and
// clicks the query button with BM_CLICK. BM_CLICK runs the click handler synchronously, and the
// labels repaint before SetWindowText returns, so the click's time holds the lookup and the three
// label repaints. Whatever the click left queued (the button's own repaint) is dispatched right
// after it and counted too. The selection changes before each click, with the lists' repaints,
// are timed apart.
//
// Beside it, the same clicks on the plain-controls baseline, whose plain STATIC labels get the
// row's texts and are repainted at once each: what a query costs on this system with nothing of
// ours in the way. The two windows stand side by side and take turns batch by batch, so that the
// machine's load falls on both alike.

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/lifecycle.h"
#include "figures.h"
#include "formation/lookup.h"
#include "formation/tables.h"
#include "plain_controls.h"
#include "ui/control_table.h"
#include "ui/gbk.h"
#include "ui/keyboard.h"
#include "ui/main_window.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kindCount = static_cast<int>(monsterKindCount);
constexpr int levelCount = static_cast<int>(levelItems.size());
constexpr int batchSize = 500;
constexpr double queryGoalMs = 1.0;

volatile std::size_t sink = 0;

double secondsBetween(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double>(to - from).count();
}

// Everything queued for this thread, dispatched as the program's event loop would.
void drainMessages(HWND window) {
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (window && handleWindowKeys(window, message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void settle(HWND window, int milliseconds) {
    const auto end = Clock::now() + std::chrono::milliseconds(milliseconds);
    while (Clock::now() < end) {
        drainMessages(window);
        Sleep(5);
    }
}

std::wstring captionOf(HWND label) {
    wchar_t text[256] = {};
    GetWindowTextW(label, text, 256);
    return text;
}

HWND childOf(HWND parent, ControlId id) {
    return GetDlgItem(parent, static_cast<int>(id));
}

struct QueryWindow {
    HWND main = nullptr;
    HWND kindList = nullptr;
    HWND levelList = nullptr;
    HWND queryButton = nullptr;
    HWND labels[3] = {};  // 元素1, 元素2, 元素3
    bool plain = false;   // the baseline: its labels are written here, not by a click handler

    void select(int query) const {
        SendMessageW(kindList, CB_SETCURSEL, static_cast<WPARAM>(query % kindCount), 0);
        SendMessageW(levelList, CB_SETCURSEL, static_cast<WPARAM>(query / kindCount % levelCount),
                     0);
    }

    void click(int query) const {
        SendMessageW(queryButton, BM_CLICK, 0, 0);
        if (!plain) return;
        const auto row =
            lookupFormation(monsterKinds[static_cast<std::size_t>(query % kindCount)],
                            levelItems[static_cast<std::size_t>(query / kindCount % levelCount)]);
        if (!row) return;
        const std::string* texts[] = {&row->totalTroops, &row->enemyFormation,
                                      &row->suggestedFormation};
        for (int i = 0; i < 3; ++i) {
            SetWindowTextW(labels[i], fromGbk(*texts[i]).c_str());
            UpdateWindow(labels[i]);
        }
    }
};

QueryWindow ourWindow() {
    emptyTables();
    QueryWindow window;
    window.main = createMainWindow(GetModuleHandleW(nullptr));
    window.kindList = controlOf(window.main, ControlId::kindList);
    window.levelList = controlOf(window.main, ControlId::levelList);
    window.queryButton = controlOf(window.main, ControlId::queryButton);
    window.labels[0] = controlOf(window.main, ControlId::totalTroopsLabel);
    window.labels[1] = controlOf(window.main, ControlId::enemyFormationLabel);
    window.labels[2] = controlOf(window.main, ControlId::suggestedFormationLabel);
    return window;
}

QueryWindow plainWindow() {
    QueryWindow window;
    window.plain = true;
    window.main = createPlainControlsWindow(GetModuleHandleW(nullptr));
    HWND selectionPanel = childOf(window.main, ControlId::selectionPanel);
    HWND resultPanel = childOf(window.main, ControlId::resultPanel);
    window.kindList = childOf(window.main, ControlId::kindList);
    window.levelList = childOf(selectionPanel, ControlId::levelList);
    window.queryButton = childOf(selectionPanel, ControlId::queryButton);
    window.labels[0] = childOf(resultPanel, ControlId::totalTroopsLabel);
    window.labels[1] = childOf(resultPanel, ControlId::enemyFormationLabel);
    window.labels[2] = childOf(resultPanel, ControlId::suggestedFormationLabel);
    return window;
}

struct QueryTimes {
    std::vector<double> perQueryByBatch;  // click and queued messages, seconds per query, by batch
    double select = 0;                    // totals over all queries, seconds
    double click = 0;
    double drain = 0;
    int queries = 0;
};

void timeBatch(const QueryWindow& window, int first, int count, QueryTimes& times) {
    const double clickAndDrain = times.click + times.drain;
    for (int query = first; query < first + count; ++query) {
        const auto t0 = Clock::now();
        window.select(query);
        drainMessages(window.main);  // the lists' repaints belong to the selection
        const auto t1 = Clock::now();
        window.click(query);
        const auto t2 = Clock::now();
        drainMessages(window.main);
        const auto t3 = Clock::now();
        times.select += secondsBetween(t0, t1);
        times.click += secondsBetween(t1, t2);
        times.drain += secondsBetween(t2, t3);
    }
    times.perQueryByBatch.push_back((times.click + times.drain - clickAndDrain) / count);
    times.queries += count;
}

// The lookup alone, on the same texts the window would hand it.
double lookupSeconds(int repetitions) {
    std::vector<std::string> levels;
    for (std::string_view level : levelItems) levels.emplace_back(level);
    const auto start = Clock::now();
    for (int i = 0; i < repetitions; ++i) {
        const auto row =
            lookupFormation(monsterKinds[static_cast<std::size_t>(i % kindCount)],
                            levels[static_cast<std::size_t>(i / kindCount % levelCount)]);
        sink = sink + (row ? row->totalTroops.size() : 0);
    }
    return secondsBetween(start, Clock::now()) / repetitions;
}

// One label caption set alone, repaint included, alternating a long and a short text.
double captionSeconds(const QueryWindow& window, int repetitions) {
    const auto start = Clock::now();
    for (int i = 0; i < repetitions; ++i) {
        SetWindowTextW(window.labels[0], i % 2 ? L"240" : L"12400");
        if (window.plain) UpdateWindow(window.labels[0]);
        drainMessages(window.main);
    }
    return secondsBetween(start, Clock::now()) / repetitions;
}

void placeAt(HWND window, int left) {
    SetWindowPos(window, nullptr, left, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void printTimes(const char* name, const QueryTimes& times) {
    const double n = times.queries;
    std::printf("%-10s %9.1f %9.1f %9.1f %9.1f %9.1f %9.1f\n", name,
                median(times.perQueryByBatch) * 1e6, quantile(times.perQueryByBatch, 0) * 1e6,
                quantile(times.perQueryByBatch, 1) * 1e6, times.select / n * 1e6,
                times.click / n * 1e6, times.drain / n * 1e6);
}

}  // namespace

int main(int argc, char** argv) {
    int queries = 10000;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--queries") == 0 && i + 1 < argc) queries = std::atoi(argv[++i]);
    }
    queries = std::max(queries, batchSize);

    SetCursorPos(0, 0);
    const QueryWindow ours = ourWindow();
    const QueryWindow plain = plainWindow();
    if (!ours.main || !plain.main) {
        std::puts("cannot make the windows");
        return 1;
    }
    // Side by side, neither covering the other, so each paints all it would alone.
    placeAt(plain.main, 0);
    placeAt(ours.main, GetSystemMetrics(SM_CXSCREEN) - windowWidth);
    settle(ours.main, 300);

    QueryTimes warmUp;
    timeBatch(ours, 0, 5 * kindCount * levelCount, warmUp);
    timeBatch(plain, 0, 5 * kindCount * levelCount, warmUp);
    QueryTimes ourTimes, plainTimes;
    for (int first = 0; first < queries; first += batchSize) {
        const int count = std::min(batchSize, queries - first);
        timeBatch(ours, first, count, ourTimes);
        timeBatch(plain, first, count, plainTimes);
    }
    const double lookup = lookupSeconds(100000);
    const double ourCaption = captionSeconds(ours, 1000);
    const double plainCaption = captionSeconds(plain, 1000);

    // The last query must have shown its row, or the figures timed nothing.
    const int lastQuery = queries - 1;
    ours.select(lastQuery);
    ours.click(lastQuery);
    const auto expected =
        lookupFormation(monsterKinds[static_cast<std::size_t>(lastQuery % kindCount)],
                        levelItems[static_cast<std::size_t>(lastQuery / kindCount % levelCount)]);
    const bool shown = expected && captionOf(ours.labels[0]) == fromGbk(expected->totalTroops);
    DestroyWindow(ours.main);
    DestroyWindow(plain.main);
    drainMessages(nullptr);
    releaseTables();
    if (!shown) {
        std::puts("the query button did not show the expected row; no figures");
        return 1;
    }

    std::printf(
        "query: %d clicks of the query button on each window, kinds and levels cycling\n"
        "through all %d pairs, in batches of %d taking turns (us per query)\n\n",
        ourTimes.queries, kindCount * levelCount, batchSize);
    std::printf("%-10s %9s %9s %9s %9s %9s %9s\n", "window", "median", "fastest", "slowest",
                "select", "click", "queued");
    printTimes("ours", ourTimes);
    printTimes("baseline", plainTimes);
    std::printf(
        "\nmedian, fastest and slowest batch of the click with what it left queued; then\n"
        "the means of the two CB_SETCURSEL before it (not part of the query), of the\n"
        "click (ours: BM_CLICK with lookup and the three label repaints; baseline:\n"
        "BM_CLICK, lookup, three SetWindowText and UpdateWindow) and the messages the\n"
        "click left queued (the button's repaint).\n\n");
    std::printf(
        "alone: lookupFormation %.2f us; one caption set with its repaint: ours %.1f us,\n"
        "baseline %.1f us\n",
        lookup * 1e6, ourCaption * 1e6, plainCaption * 1e6);
    const double ourMedian = median(ourTimes.perQueryByBatch);
    const double plainMedian = median(plainTimes.perQueryByBatch);
    std::printf("\nours %.3f ms per query (goal: under %.1f ms); baseline %.3f ms; ratio %.2f\n",
                ourMedian * 1e3, queryGoalMs, plainMedian * 1e3, ourMedian / plainMedian);

    char value[64];
    std::snprintf(value, sizeof(value), "%.3f ms", ourMedian * 1e3);
    printFigure("query: one click incl. label repaints", value, "< 1 ms",
                verdict(ourMedian * 1e3 < queryGoalMs));
    std::snprintf(value, sizeof(value), "%.3f ms", plainMedian * 1e3);
    printFigure("query: same on plain controls", value);
    return 0;
}
