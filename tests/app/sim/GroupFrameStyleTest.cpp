#include "app/sim/GroupFrameStyle.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QStyleFactory>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <memory>

namespace {

struct GroupBoxCase {
    const char* name;
    const char* title;
    bool checkable;
};

// The group box as each style draws it, on a white window of a fixed size.
QImage Drawn(const GroupBoxCase& groupCase, QStyle& style)
{
    QWidget window;
    window.setFixedSize(160, 90);
    window.setStyle(&style);
    auto* layout = new QVBoxLayout(&window);
    auto* group = new QGroupBox(QString::fromLatin1(groupCase.title));
    group->setStyle(&style);
    group->setCheckable(groupCase.checkable);
    layout->addWidget(group);
    (new QVBoxLayout(group))->addWidget(new QCheckBox(QStringLiteral("Inside")));
    return window.grab().toImage();
}

class GroupFrameStyleTest : public ::testing::TestWithParam<GroupBoxCase> {};

TEST_P(GroupFrameStyleTest, UnderFusionTheFrameLooksAsFusionDrawsIt)
{
    const std::unique_ptr<QStyle> fusion(QStyleFactory::create(QString::fromLatin1(GroupFrameStyle::kFusionName)));
    ASSERT_NE(fusion, nullptr);
    const QString applicationStyleName = QApplication::style()->name();
    QApplication::setStyle(QStyleFactory::create(QString::fromLatin1(GroupFrameStyle::kFusionName)));
    GroupFrameStyle style;
    ASSERT_FALSE(style.FramePicture().isNull());
    EXPECT_EQ(Drawn(GetParam(), style), Drawn(GetParam(), *fusion));
    QApplication::setStyle(applicationStyleName);
}

INSTANTIATE_TEST_SUITE_P(
    GroupBoxes, GroupFrameStyleTest,
    ::testing::Values(GroupBoxCase{"Titled", "Links", false}, GroupBoxCase{"Untitled", "", false},
                      GroupBoxCase{"UntitledCheckable", "", true}),
    [](const ::testing::TestParamInfo<GroupBoxCase>& paramInfo) { return paramInfo.param.name; });

TEST(GroupFrameStyleOtherStyleTest, UnderAnotherStyleNothingChanges)
{
    const QString applicationStyleName = QApplication::style()->name();
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("windows")));
    GroupFrameStyle style;
    EXPECT_TRUE(style.FramePicture().isNull());
    QApplication::setStyle(applicationStyleName);
}

}  // namespace
