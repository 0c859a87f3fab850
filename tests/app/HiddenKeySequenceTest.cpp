#include "app/HiddenKeySequence.h"

#include <gtest/gtest.h>

#include <string_view>

namespace {

// Types the letters; how many times the sequence completed.
int Type(HiddenKeySequence& sequence, std::string_view keys)
{
    int completed = 0;
    for (char key : keys)
        completed += sequence.Press(key) ? 1 : 0;
    return completed;
}

TEST(HiddenKeySequenceTest, TheWordTwiceCompletesItOnceAndStartsOver)
{
    HiddenKeySequence sequence;
    EXPECT_EQ(Type(sequence, "ABOUTABOUT"), 1);
    EXPECT_EQ(sequence.Position(), 0);
    EXPECT_EQ(Type(sequence, "ABOUTABOUTABOUTABOUT"), 2);
}

TEST(HiddenKeySequenceTest, AWrongKeyStartsOverAndTheFirstLetterCountsAsTheStart)
{
    HiddenKeySequence sequence;
    EXPECT_EQ(Type(sequence, "ABOXABOUTABOUT"), 1);  // X starts over
    EXPECT_EQ(Type(sequence, "ABOUTAABOUT"), 0);      // the second A restarts at 1...
    EXPECT_EQ(sequence.Position(), 5);
    EXPECT_EQ(Type(sequence, "ABOUT"), 1);            // ...so one more word completes it
    sequence.Reset();
    EXPECT_EQ(Type(sequence, "ABOUTABOU"), 0);
    sequence.Reset();
    EXPECT_EQ(Type(sequence, "T"), 0);
}

}  // namespace
