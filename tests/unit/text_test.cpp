#include <gtest/gtest.h>

#include <string>

#include "fixedtext.h"
#include "text.h"

TEST(FixedText, AssignRefusesWhatDoesNotFitAndKeepsTheOldValue)
{
  TFixedText<5> text;
  EXPECT_TRUE(text.Assign("abcd"));
  EXPECT_STREQ("abcd", text.Text());
  EXPECT_FALSE(text.Assign("abcde"));
  EXPECT_STREQ("abcd", text.Text());
  EXPECT_TRUE(text.Assign(""));
  EXPECT_TRUE(text.IsEmpty());
}

TEST(FixedText, AppendFitsExactlyOrNotAtAll)
{
  TFixedText<6> text;
  ASSERT_TRUE(text.Assign("ab"));
  EXPECT_TRUE(text.Append("cde"));
  EXPECT_STREQ("abcde", text.Text());
  EXPECT_FALSE(text.Append("f"));
  EXPECT_STREQ("abcde", text.Text());
}

TEST(Text, GrowsAndKeepsItsContent)
{
  TText text;
  EXPECT_STREQ("", text.Text());
  ASSERT_TRUE(text.Assign("abc"));
  ASSERT_TRUE(text.Reserve(1000));
  EXPECT_STREQ("abc", text.Text());
  std::string big(5000, 'x');
  ASSERT_TRUE(text.Append(big.c_str()));
  EXPECT_EQ(5003u, text.GetLength());
  EXPECT_EQ('x', text.Text()[5002]);
}

TEST(Text, ResizeZeroFillsAndSyncLengthStopsAtTheFirstNul)
{
  TText text;
  ASSERT_TRUE(text.Assign("abc"));
  ASSERT_TRUE(text.Resize(8));
  EXPECT_EQ(8u, text.GetLength());
  EXPECT_EQ(0, text.Text()[5]);
  text.SyncLength();
  EXPECT_EQ(3u, text.GetLength());
  ASSERT_TRUE(text.Resize(0));
  EXPECT_TRUE(text.IsEmpty());
}

TEST(Text, AssignFromItsOwnTail)
{
  TText text;
  ASSERT_TRUE(text.Assign("hello world"));
  ASSERT_TRUE(text.Assign(text.Text() + 6));
  EXPECT_STREQ("world", text.Text());
}

// Appending itself makes the buffer move while the source is read.
TEST(Text, AppendFromItsOwnText)
{
  TText text;
  std::string expected = "abc";
  ASSERT_TRUE(text.Assign(expected.c_str()));
  for (int i = 0; i < 6; ++i) {
    ASSERT_TRUE(text.Append(text.Text()));
    expected += expected;
  }
  EXPECT_EQ(expected, text.Text());
  EXPECT_EQ(expected.size(), text.GetLength());
}
