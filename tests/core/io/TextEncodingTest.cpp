// Windows-1252 <-> UTF-8 conversion at the boundaries of the core.

#include <gtest/gtest.h>

#include "core/io/TextEncoding.h"

namespace vorla {
namespace {

TEST(TextEncodingTest, ConvertsSpanishTextAndTheLogOperator) {
  EXPECT_EQ(Cp1252ToUtf8("Divisi\xF3n"), "Divisi\xC3\xB3n");
  EXPECT_EQ(Cp1252ToUtf8("\xA3"), "\xC2\xA3");
  EXPECT_EQ(Cp1252ToUtf8("\x80"), "\xE2\x82\xAC");
  EXPECT_EQ(Utf8ToCp1252("Divisi\xC3\xB3n"), "Divisi\xF3n");
  EXPECT_EQ(Utf8ToCp1252("\xE2\x82\xAC"), "\x80");
}

TEST(TextEncodingTest, EveryByteRoundTrips) {
  std::string all;
  for (int c = 1; c < 256; ++c) all += static_cast<char>(c);
  const std::string utf8 = Cp1252ToUtf8(all);
  EXPECT_TRUE(IsValidUtf8(utf8));
  EXPECT_EQ(Utf8ToCp1252(utf8), all);
}

TEST(TextEncodingTest, UnrepresentableAndInvalidInput) {
  EXPECT_EQ(Utf8ToCp1252("\xE4\xB8\xAD"), "?");  // a CJK character
  EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));          // overlong '/'
  EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));      // surrogate
  EXPECT_FALSE(IsValidUtf8("\xE2\x82"));          // cut short
}

TEST(TextEncodingTest, FileTextIsUtf8WhenValidElseWindows1252) {
  EXPECT_EQ(DecodeFileText("\xEF\xBB\xBFSen(x)\xC2\xA3y"), "Sen(x)\xA3y");
  EXPECT_EQ(DecodeFileText("Expresi\xF3n"), "Expresi\xF3n");
}

}  // namespace
}  // namespace vorla
