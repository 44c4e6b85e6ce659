#include "app/lifecycle.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <vector>

#include "app/fatal_error.h"
#include "app/kind_tables.h"
#include "support/allocation_log.h"

namespace {

// Exit code of a process that ended with -1, as the parent sees it.
#ifdef _WIN32
constexpr int fatalExitStatus = -1;
#else
constexpr int fatalExitStatus = 255;
#endif

struct Block {
    const char* begin;
    const char* end;
};

bool overlap(Block a, Block b) {
    return a.begin < b.end && b.begin < a.end;
}

std::vector<const char*> storageOfAllCells() {
    std::vector<const char*> texts;
    for (const FormationTable& table : kindTables) {
        for (std::size_t cell = 1; cell <= table.size(); ++cell)
            texts.push_back(table.storageOf(cell));
    }
    return texts;
}

class TableLifecycle : public ::testing::Test {
  protected:
    void SetUp() override { emptyTables(); }
    void TearDown() override {
        allocationLog::stopRecording();
        emptyTables();
    }
};

TEST_F(TableLifecycle, TablesAreEmptyUntilTheWindowIsCreated) {
    for (const FormationTable& table : kindTables) EXPECT_EQ(table.size(), 0u);
    onMainWindowCreated();
    for (std::size_t kind = 0; kind < monsterKindCount; ++kind) {
        ASSERT_EQ(kindTables[kind].size(), formationCellCount);
        for (std::size_t cell = 1; cell <= formationCellCount; ++cell) {
            EXPECT_EQ(kindTables[kind].cell(cell), constantTables[kind][cell - 1]);
        }
    }
}

TEST_F(TableLifecycle, CopiesShareNoStorageWithEachOtherOrTheConstants) {
    onMainWindowCreated();
    std::vector<Block> copies;
    for (const char* text : storageOfAllCells()) {
        ASSERT_NE(text, nullptr);
        copies.push_back({text, text + std::strlen(text) + 1});
    }
    std::vector<Block> constants;
    for (const ConstantTable& table : constantTables) {
        for (const char* text : table) constants.push_back({text, text + std::strlen(text) + 1});
    }
    for (std::size_t i = 0; i < copies.size(); ++i) {
        for (std::size_t j = i + 1; j < copies.size(); ++j) {
            EXPECT_FALSE(overlap(copies[i], copies[j])) << "cells " << i << " and " << j;
        }
        for (const Block& constant : constants) EXPECT_FALSE(overlap(copies[i], constant));
    }
}

TEST_F(TableLifecycle, SecondCreationReleasesEachEarlierTextOnce) {
    allocationLog::startRecording();
    onMainWindowCreated();
    const std::vector<const char*> first = storageOfAllCells();
    for (const char* text : first) EXPECT_EQ(allocationLog::allocationsOf(text), 1);

    onMainWindowCreated();
    const std::vector<const char*> second = storageOfAllCells();
    for (std::size_t i = 0; i < first.size(); ++i) {
        EXPECT_EQ(allocationLog::releasesOf(first[i]), 1) << "cell " << i;
        EXPECT_EQ(kindTables[i / formationCellCount].cell(i % formationCellCount + 1),
                  constantTables[i / formationCellCount][i % formationCellCount]);
    }

    releaseTables();
    for (const char* text : second) EXPECT_EQ(allocationLog::releasesOf(text), 1);
    allocationLog::stopRecording();
    for (const FormationTable& table : kindTables) EXPECT_EQ(table.size(), 0u);
}

TEST(FormationTableCopy, KeepsAbsentAndEmptyTextsApart) {
    const char* source[] = {"240", nullptr, "", "\x9a\x69"};
    const FormationTable copy(source);
    ASSERT_EQ(copy.size(), 4u);
    EXPECT_EQ(copy.storageOf(2), nullptr);
    ASSERT_NE(copy.storageOf(3), nullptr);
    EXPECT_NE(copy.storageOf(3), source[2]);
    EXPECT_EQ(copy.cell(3), "");
    EXPECT_EQ(copy.cell(4), "\x9a\x69");
    EXPECT_EQ(copy.cell(0), "");
    EXPECT_EQ(copy.cell(5), "");
}

[[noreturn]] void exitRoutineMustNotRun() {
    std::_Exit(3);
}

TEST(StorageFailure, EndsTheProcessWithoutTheExitRoutine) {
    for (std::size_t successes : {0u, 1u, 40u}) {
        EXPECT_EXIT(
            {
                makeStorageFailureFatal();
                std::atexit([] { exitRoutineMustNotRun(); });
                allocationLog::failAfter(successes);
                onMainWindowCreated();
                std::exit(0);
            },
            ::testing::ExitedWithCode(fatalExitStatus), "fatal error")
            << successes << " allocations succeed";
    }
}

}  // namespace
