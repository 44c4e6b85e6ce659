#include "ui/gbk.h"

#include <gtest/gtest.h>

#include "formation/tables.h"

namespace {

TEST(Gbk, EveryTableTextSurvivesTheRoundTrip) {
    for (const ConstantTable& table : constantTables) {
        for (const char* text : table) EXPECT_EQ(toGbk(fromGbk(text)), text);
    }
    for (std::string_view kind : monsterKinds) EXPECT_EQ(toGbk(fromGbk(kind)), kind);
}

TEST(Gbk, TheVariantFootSignIsItsOwnCharacter) {
    EXPECT_EQ(fromGbk("\x9a\x69"), L"\u6b69");  // 歩
    EXPECT_EQ(fromGbk("\xb2\xbd"), L"\u6b65");  // 步
    EXPECT_EQ(fromGbk("\xb0\xb5\xb7\xe7\xc1\xd4\xca\xd6"), L"\u6697\u98ce\u730e\u624b");
}

}  // namespace
