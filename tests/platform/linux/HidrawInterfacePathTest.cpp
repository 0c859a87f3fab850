#include "platform/hid/linux/HidrawInterfacePath.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(HidrawInterfacePathTest, FormatsLowerCaseIdsAndTwoDigitCollection)
{
    EXPECT_EQ((HidrawInterfacePath{"/dev/hidraw3", 0x248A, 0x6674, 2}.Format()),
              "/dev/hidraw3#vid_248a&pid_6674&col02");
    EXPECT_EQ((HidrawInterfacePath{"/dev/hidraw12", 0x046D, 0xC08B, 115}.Format()),
              "/dev/hidraw12#vid_046d&pid_c08b&col115");
}

TEST(HidrawInterfacePathTest, ParseGivesBackWhatFormatWrote)
{
    for (const HidrawInterfacePath& original : {HidrawInterfacePath{"/dev/hidraw3", 0x248A, 0x6674, 2},
                                                HidrawInterfacePath{"/tmp/x#y/hidraw0", 0, 0xFFFF, 1},
                                                HidrawInterfacePath{"/dev/hidraw7", 0xABCD, 0x0001, 100}}) {
        const auto parsed = HidrawInterfacePath::Parse(original.Format());
        ASSERT_TRUE(parsed.has_value()) << original.Format();
        EXPECT_EQ(parsed->devnode, original.devnode);
        EXPECT_EQ(parsed->vendorId, original.vendorId);
        EXPECT_EQ(parsed->productId, original.productId);
        EXPECT_EQ(parsed->collection, original.collection);
    }
}

TEST(HidrawInterfacePathTest, ParseRejectsOtherForms)
{
    for (const std::string path : {
             "/dev/hidraw3",
             "#vid_248a&pid_6674&col01",               // no node
             "/dev/hidraw3#vid_248a&pid_6674",         // no collection
             "/dev/hidraw3#vid_248a&pid_6674&col00",   // collections count from 1
             "/dev/hidraw3#vid_248a&pid_6674&col",     // no number
             "/dev/hidraw3#vid_248&pid_6674&col01",    // three digits
             "/dev/hidraw3#vid_248g&pid_6674&col01",   // not hex
             "/dev/hidraw3#vid_248a&pid_6674&col01x",  // trailing text
             "/dev/hidraw3#pid_6674&vid_248a&col01",   // fields swapped
         })
        EXPECT_FALSE(HidrawInterfacePath::Parse(path).has_value()) << path;
}

}  // namespace
