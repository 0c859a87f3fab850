#include "platform/hid/linux/HidrawInterfacePath.h"
#include "platform/hid/linux/HidIdProperty.h"

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
             "/dev/hidraw3#vid_248a&pid_6674&col",     //
             "/dev/hidraw3#vid_248&pid_6674&col01",    // three digits
             "/dev/hidraw3#vid_248g&pid_6674&col01",   // not hex
             "/dev/hidraw3#vid_248a&pid_6674&col01x",  // trailing text
             "/dev/hidraw3#pid_6674&vid_248a&col01",   // fields swapped
         })
        EXPECT_FALSE(HidrawInterfacePath::Parse(path).has_value()) << path;
}

TEST(HidIdPropertyTest, ReadsBusVendorAndProduct)
{
    const auto usb = HidIdProperty::Parse("0003:0000248A:00006674");
    ASSERT_TRUE(usb.has_value());
    EXPECT_EQ(usb->bus, 0x0003);
    EXPECT_EQ(usb->vendorId, 0x248A);
    EXPECT_EQ(usb->productId, 0x6674);

    const auto bluetooth = HidIdProperty::Parse("0005:0000248a:00006673");
    ASSERT_TRUE(bluetooth.has_value());
    EXPECT_EQ(bluetooth->bus, 0x0005);
    EXPECT_EQ(bluetooth->productId, 0x6673);
}

TEST(HidIdPropertyTest, RejectsOtherForms)
{
    for (const std::string text : {"", "0003:0000248A", "0003:0000248A:00006674:1", "0003:0001248A:00006674",
                                   "0003::00006674", "0003:0000248A:0000667Z", "0003:-000248A:00006674"})
        EXPECT_FALSE(HidIdProperty::Parse(text).has_value()) << text;
}

}  // namespace
