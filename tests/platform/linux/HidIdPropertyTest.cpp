#include "platform/hid/linux/HidIdProperty.h"

#include <gtest/gtest.h>

#include <string>

namespace {

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
