#include <gtest/gtest.h>

#include <vector>

#include "base/debug_output.h"
#include "base/memory.h"
#include "base/module_path.h"

namespace {

std::vector<WString> captured;
void Capture(const char16_t* text) { captured.push_back(text); }

TEST(MEM_Alloc, ImpossibleSizeLogsOneLineAndReturnsNull) {
    if (sizeof(void*) > 4) GTEST_SKIP() << "4 GiB is only impossible for the 32-bit program";
    captured.clear();
    DebugOutputHook previous = SetDebugOutputHook(Capture);
    void* block = MEM_Alloc(0xFFFFFFFFu);
    SetDebugOutputHook(previous);
    EXPECT_EQ(block, nullptr);
    ASSERT_EQ(captured.size(), 1u);
    EXPECT_EQ(captured[0], u"MEM_Alloc(4294967295 bytes) failed !");
}

TEST(ModulePath, JoinsDirectoryAndName) {
    char16_t path[kMaxPath];
    ASSERT_TRUE(JoinModulePath(path, kMaxPath, u"C:\\Tools", u"Lumatype.ini"));
    EXPECT_EQ(WString(path), u"C:\\Tools\\Lumatype.ini");
    ASSERT_TRUE(JoinModulePath(path, kMaxPath, u"C:\\Tools", nullptr));
    EXPECT_EQ(WString(path), u"C:\\Tools");

    char16_t exact[12];  // "C:\Tools\a" + NUL fits in 11
    EXPECT_FALSE(JoinModulePath(exact, 11, u"C:\\Tools", u"ab"));
    EXPECT_EQ(exact[0], 0);
    EXPECT_TRUE(JoinModulePath(exact, 11, u"C:\\Tools", u"a"));
    EXPECT_EQ(WString(exact), u"C:\\Tools\\a");

    ASSERT_TRUE(ModulePath(path, u"Lumatype.ini"));
    EXPECT_FALSE(ProgramDirectory().empty());
    EXPECT_EQ(WString(path), ProgramDirectory() + u"\\Lumatype.ini");
}

}  // namespace
