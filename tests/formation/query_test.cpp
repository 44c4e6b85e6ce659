#include "formation/query.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "app/lifecycle.h"

namespace {

// Records what the query reads and writes, in order.
class FakeWindow : public ControlTexts {
  public:
    std::map<ControlId, std::string> texts;
    std::vector<std::pair<ControlId, std::string>> writes;

    std::string text(ControlId id) const override {
        const auto found = texts.find(id);
        return found == texts.end() ? std::string() : found->second;
    }
    void setText(ControlId id, std::string_view gbk) override {
        writes.emplace_back(id, std::string(gbk));
        texts[id] = gbk;
    }
};

class QueryClicked : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { onMainWindowCreated(); }
    static void TearDownTestSuite() { releaseTables(); }
};

TEST_F(QueryClicked, WritesTheRowIntoTheThreeLabelsInOrder) {
    FakeWindow window;
    window.texts[ControlId::kindList] = "\xb6\xf1\xc0\xd7\xc5\xda\xca\xd6";  // 恶雷炮手
    window.texts[ControlId::levelList] = "100";
    onQueryClicked(window);
    const std::vector<std::pair<ControlId, std::string>> expected = {
        {ControlId::totalTroopsLabel, "81680"},
        {ControlId::enemyFormationLabel, "\xc5\xda\xc5\xda\xb2\xbd\xb9\xad"},      // 炮炮步弓
        {ControlId::suggestedFormationLabel, "\x9a\x69\xc5\xda\xc4\xa7\xb9\xad"},  // 歩炮魔弓
    };
    EXPECT_EQ(window.writes, expected);
}

TEST_F(QueryClicked, LeavesTheLabelsAloneWhenNothingMatches) {
    for (auto [kind, level] : {std::pair<std::string, std::string>{"", "10"},
                               {"\xb0\xb5\xb7\xe7\xc1\xd4\xca\xd6", ""},  // 暗风猎手, no level
                               {"\xb0\xb5\xb7\xe7\xc1\xd4\xca\xd6", "115"}}) {
        FakeWindow window;
        window.texts[ControlId::kindList] = kind;
        window.texts[ControlId::levelList] = level;
        window.texts[ControlId::totalTroopsLabel] = "12400";
        onQueryClicked(window);
        EXPECT_TRUE(window.writes.empty()) << level;
        EXPECT_EQ(window.texts[ControlId::totalTroopsLabel], "12400");
    }
}

}  // namespace
