#include "platform/hid/HidReportDescriptor.h"

#include "platform/HidDescriptorSamples.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;
namespace Samples = HidDescriptorSamples;

struct ExpectedCollection {
    std::uint16_t usagePage;
    std::uint16_t usage;
    std::uint16_t input;
    std::uint16_t output;
    std::uint16_t feature;
    std::vector<std::uint8_t> inputReportIds;
};

struct DescriptorCase {
    std::string name;
    Bytes bytes;
    bool usesReportIds;
    std::vector<ExpectedCollection> collections;
};

void PrintTo(const DescriptorCase& testCase, std::ostream* stream)
{
    *stream << testCase.name;
}

class WellFormedDescriptorTest : public ::testing::TestWithParam<DescriptorCase> {};

// Lengths are those Windows reports for these collections.
const DescriptorCase kWellFormedCases[] = {
    {"BootMouse", Samples::kBootMouse, false, {{0x01, 0x02, 5, 0, 0, {0}}}},
    {"GamingMouse",
     Samples::kGamingMouse,
     true,
     {{0x01, 0x02, 9, 0, 0, {1}}, {0x0C, 0x01, 3, 0, 0, {3}}, {0xFF00, 0x01, 8, 0, 64, {5}}}},
    {"BootKeyboard", Samples::kBootKeyboard, false, {{0x01, 0x06, 9, 2, 0, {0}}}},
    {"CompositeKeyboard",
     Samples::kCompositeKeyboard,
     true,
     {{0x01, 0x06, 9, 2, 0, {1}}, {0x01, 0x80, 2, 0, 0, {2}}, {0x0C, 0x01, 3, 0, 0, {3}}}},
    {"CorvaneMouse",
     Samples::kCorvaneMouse,
     true,
     {{0x01, 0x02, 7, 0, 0, {1}},
      {0xFF01, 0x01, 32, 0, 0, {7}},
      {0xFF02, 0x02, 16, 0, 32, {0x0A}},
      {0xFF03, 0x03, 0, 0, 136, {}}}},
    // One report id with input and feature fields: each kind is measured on its own.
    {"InputAndFeatureShareAnId",
     {0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x85, 0x02, 0x75, 0x08, 0x95, 0x03, 0x81, 0x02,
      0x95, 0x0A, 0xB1, 0x02, 0xC0},
     true,
     {{0xFF00, 0x01, 4, 0, 11, {2}}}},
    // The longest report wins, whichever report id comes first; bits round up per report.
    {"LongestReportOfTheCollection",
     {0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x75, 0x01,
      0x85, 0x03, 0x95, 0x09, 0x81, 0x02,   // id 3: 9 bits -> 2 bytes
      0x85, 0x01, 0x95, 0x08, 0x81, 0x02,   // id 1: 8 bits -> 1 byte
      0xC0},
     true,
     {{0xFF00, 0x01, 3, 0, 0, {1, 3}}}},
    // Push keeps the report size and id of the outer fields; Pop brings them back.
    {"PushAndPopRestoreGlobals",
     {0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x85, 0x01, 0x75, 0x08, 0x95, 0x02,
      0xA4, 0x85, 0x02, 0x75, 0x10, 0x81, 0x02, 0xB4,   // id 2: 2 x 16 bits
      0x81, 0x02,                                       // id 1: 2 x 8 bits
      0xC0},
     true,
     {{0xFF00, 0x01, 5, 0, 0, {1, 2}}}},
    // Long items are skipped whole, even when their bytes look like main items.
    {"LongItemSkipped",
     {0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, 0xFE, 0x03, 0x10, 0x81, 0xC0, 0xC0,
      0x75, 0x08, 0x95, 0x01, 0x81, 0x02, 0xC0},
     false,
     {{0x01, 0x02, 2, 0, 0, {0}}}},
    // An extended usage names its own page; a nested collection's usage is not the top one's.
    {"ExtendedUsageOnCollection",
     {0x05, 0x01, 0x0B, 0x01, 0x00, 0x0C, 0x00, 0xA1, 0x01, 0x09, 0x05, 0xA1, 0x02,
      0x75, 0x08, 0x95, 0x01, 0x91, 0x02, 0xC0, 0xC0},
     false,
     {{0x0C, 0x01, 0, 2, 0, {}}}},
    {"Empty", {}, false, {}},
};

TEST_P(WellFormedDescriptorTest, CollectionsAndLengthsAreThoseWindowsReports)
{
    const DescriptorCase& testCase = GetParam();
    const HidReportDescriptor descriptor = HidReportDescriptor::Parse(testCase.bytes);

    EXPECT_EQ(descriptor.Fault(), HidDescriptorFault::None) << HidDescriptorFaultText(descriptor.Fault());
    EXPECT_EQ(descriptor.UsesReportIds(), testCase.usesReportIds);
    ASSERT_EQ(descriptor.Collections().size(), testCase.collections.size());
    for (std::size_t i = 0; i < testCase.collections.size(); ++i) {
        SCOPED_TRACE("collection " + std::to_string(i + 1));
        const HidCollectionCaps& actual = descriptor.Collections()[i];
        const ExpectedCollection& expected = testCase.collections[i];
        EXPECT_EQ(actual.usagePage, expected.usagePage);
        EXPECT_EQ(actual.usage, expected.usage);
        EXPECT_EQ(actual.inputReportByteLength, expected.input);
        EXPECT_EQ(actual.outputReportByteLength, expected.output);
        EXPECT_EQ(actual.featureReportByteLength, expected.feature);
        EXPECT_EQ(actual.inputReportIds, expected.inputReportIds);
    }
}

INSTANTIATE_TEST_SUITE_P(Descriptors, WellFormedDescriptorTest, ::testing::ValuesIn(kWellFormedCases),
                         [](const auto& caseInfo) { return caseInfo.param.name; });

struct MalformedCase {
    std::string name;
    Bytes bytes;
    HidDescriptorFault fault;
    std::size_t collectionsKept;
};

void PrintTo(const MalformedCase& testCase, std::ostream* stream)
{
    *stream << testCase.name;
}

class MalformedDescriptorTest : public ::testing::TestWithParam<MalformedCase> {};

Bytes Concatenated(Bytes first, const Bytes& second)
{
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

// A vendor collection with input report id 1 of one byte.
const Bytes kCollectionWithId1 = {0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x85, 0x01,
                                  0x75, 0x08, 0x95, 0x01, 0x81, 0x02, 0xC0};

const MalformedCase kMalformedCases[] = {
    {"ShortItemCutInData", {0x05}, HidDescriptorFault::TruncatedItem, 0},
    {"FourByteItemCutInData", {0x07, 0x00, 0xFF, 0x00}, HidDescriptorFault::TruncatedItem, 0},
    {"LongItemWithoutHeader", {0xFE, 0x05}, HidDescriptorFault::TruncatedItem, 0},
    {"LongItemCutInData", {0xFE, 0x05, 0x00, 0x01, 0x02}, HidDescriptorFault::TruncatedItem, 0},
    {"EndCollectionFirst", {0xC0}, HidDescriptorFault::UnbalancedEndCollection, 0},
    {"EndCollectionAfterACompleteOne", Concatenated(Samples::kBootMouse, {0xC0}),
     HidDescriptorFault::UnbalancedEndCollection, 1},
    {"NeverClosed", {0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, 0xA1, 0x00, 0xC0}, HidDescriptorFault::UnclosedCollection, 0},
    {"PopWithoutPush", {0xA4, 0xB4, 0xB4}, HidDescriptorFault::PopWithoutPush, 0},
    {"ReportIdZero", {0x85, 0x00}, HidDescriptorFault::InvalidReportId, 0},
    {"ReportIdWiderThanAByte", {0x86, 0x00, 0x01}, HidDescriptorFault::InvalidReportId, 0},
    {"InputOutsideCollection", {0x75, 0x08, 0x95, 0x01, 0x81, 0x02}, HidDescriptorFault::MainItemOutsideCollection, 0},
    {"FieldOfFourGigabits",
     {0xA1, 0x01, 0x77, 0xFF, 0xFF, 0xFF, 0xFF, 0x97, 0xFF, 0xFF, 0xFF, 0xFF, 0x81, 0x02, 0xC0},
     HidDescriptorFault::ReportTooLong, 0},
    {"FieldsSummingPastSixtyFourKilobytes",
     {0xA1, 0x01, 0x75, 0x08, 0x96, 0x00, 0x80, 0x81, 0x02, 0x81, 0x02, 0xC0},
     HidDescriptorFault::ReportTooLong, 0},
    {"ReportIdInTwoCollections", Concatenated(kCollectionWithId1, kCollectionWithId1),
     HidDescriptorFault::ReportIdInTwoCollections, 1},
    // Without report ids every report is report 0, so two collections with reports clash.
    {"TwoCollectionsWithoutReportIds", Concatenated(Samples::kBootMouse, Samples::kBootKeyboard),
     HidDescriptorFault::ReportIdInTwoCollections, 1},
};

TEST_P(MalformedDescriptorTest, FaultIsNamedAndEarlierCollectionsAreKept)
{
    const MalformedCase& testCase = GetParam();
    const HidReportDescriptor descriptor = HidReportDescriptor::Parse(testCase.bytes);

    EXPECT_EQ(descriptor.Fault(), testCase.fault) << HidDescriptorFaultText(descriptor.Fault());
    EXPECT_FALSE(descriptor.IsWellFormed());
    EXPECT_EQ(descriptor.Collections().size(), testCase.collectionsKept);
}

INSTANTIATE_TEST_SUITE_P(Descriptors, MalformedDescriptorTest, ::testing::ValuesIn(kMalformedCases),
                         [](const auto& caseInfo) { return caseInfo.param.name; });

// Every cut of a real descriptor parses without reading past its end, and whatever it
// reports agrees with the whole descriptor: its collections are the whole one's leading
// collections, they only grow as the cut moves on, and a cut that is not well formed is
// cut inside an item or a collection.
TEST(HidReportDescriptorCutTest, EveryPrefixAgreesWithTheWholeDescriptor)
{
    for (const Bytes* sample : {&Samples::kGamingMouse, &Samples::kCompositeKeyboard, &Samples::kCorvaneMouse}) {
        const HidReportDescriptor whole = HidReportDescriptor::Parse(*sample);
        std::size_t collectionsSoFar = 0;
        for (std::size_t length = 0; length < sample->size(); ++length) {
            SCOPED_TRACE("cut at " + std::to_string(length));
            const Bytes prefix(sample->begin(), sample->begin() + static_cast<std::ptrdiff_t>(length));
            const HidReportDescriptor cut = HidReportDescriptor::Parse(prefix);
            ASSERT_LT(cut.Collections().size(), whole.Collections().size());
            EXPECT_GE(cut.Collections().size(), collectionsSoFar);
            collectionsSoFar = cut.Collections().size();
            for (std::size_t i = 0; i < cut.Collections().size(); ++i) {
                EXPECT_EQ(cut.Collections()[i].inputReportByteLength, whole.Collections()[i].inputReportByteLength);
                EXPECT_EQ(cut.Collections()[i].featureReportByteLength,
                          whole.Collections()[i].featureReportByteLength);
                EXPECT_EQ(cut.Collections()[i].inputReportIds, whole.Collections()[i].inputReportIds);
            }
            EXPECT_TRUE(cut.IsWellFormed() || cut.Fault() == HidDescriptorFault::TruncatedItem
                        || cut.Fault() == HidDescriptorFault::UnclosedCollection)
                << HidDescriptorFaultText(cut.Fault());
        }
    }
}

}  // namespace
