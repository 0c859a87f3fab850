#include "MacroManagerTestSupport.h"

#include "ui/CCheckButton.h"

#include <string>

namespace {

using namespace MacroManagerId;

// A manager over one macro, "Keys", selected with a click on its row.
class MacroManagerRecorderTest : public MacroManagerTest {
protected:
    void SetUp() override
    {
        MacroManagerTest::SetUp();
        keys = AddMacro(u"Keys");
        OpenManager();
        ClickTreeRow(0);
        ASSERT_EQ(manager->Selection(), keys);
    }

    void StartRecording()
    {
        Click(kRecord);
        ASSERT_TRUE(manager->IsRecording());
        ASSERT_TRUE(manager->IsCapturingKeys());
    }

    [[nodiscard]] bool RecordPressed() const
    {
        return static_cast<const CCheckButton*>(manager->GetControl(kRecord))->IsChecked();
    }

    void TypeDelay(const QString& text)
    {
        CEditBox& box = manager->FixedDelayBox();
        box.setFocus();
        box.selectAll();
        QTest::keyClicks(&box, text);
        Settle();
    }

    MacroItemLocation keys;
};

TEST_F(MacroManagerRecorderTest, PressAndReleaseInMeasuredModeGiveKeyDelayKeyAndTheSavedFile)
{
    StartRecording();
    Press(Qt::Key_A, QStringLiteral("a"), 1000);
    Release(Qt::Key_A, QStringLiteral("a"), 1137);
    Click(kRecord);

    EXPECT_FALSE(manager->IsRecording());
    EXPECT_FALSE(manager->IsCapturingKeys());
    const MacroKey& macro = MacroAt(keys);
    EXPECT_EQ(Actions(macro),
              (std::vector<std::uint32_t>{Bytes(0x41, 0, 0, 0), Bytes(0x03, 0, 0, 0x89), Bytes(0x41, 0x80, 0, 0)}));
    EXPECT_EQ(macro.MacroCommandActionNum, 2u);
    EXPECT_EQ(ActionTexts(), (std::vector<QString>{QStringLiteral("A"), QStringLiteral("137ms"), QStringLiteral("A")}));
    // The letter typed while recording raised no typing notice.
    EXPECT_TRUE(notices.empty());

    // Stopping wrote the library: the manager's marker names no item.
    EXPECT_EQ(SavedBytes(), Utf16File({
                                "[MacroLibrary]",
                                "MacroKeyIndex=2",
                                "Select Locaton:stage=-1;stage0Index=0;stage1Index=0;stage2Index=0;",
                                "++++++++MacroItemName=Keys",
                                "MacroItemLocation:stage=0;stage0Index=0;stage1Index=0;stage2Index=0;",
                                "MacroItemIsFolder=0",
                                "MacroItemFolderIsOpen=0",
                                "MacroKeyIndex=1",
                                "MacroKeyLoopType=2",
                                "MacroKeyLoopNum=1",
                                "MacroActionNum=3",
                                "MacroCommandActionNum=2",
                                "AllAction=410000000300008941800000" + std::string(1976, '0'),
                            }));
}

TEST_F(MacroManagerRecorderTest, AHeldKeyRecordsOnePressAndOneRelease)
{
    StartRecording();
    Press(Qt::Key_A, QStringLiteral("a"), 100);
    for (const std::uint64_t time : {600, 633, 666})
        Press(Qt::Key_A, QStringLiteral("a"), time, true);
    Release(Qt::Key_A, QStringLiteral("a"), 700);
    EXPECT_EQ(Actions(MacroAt(keys)),
              (std::vector<std::uint32_t>{Bytes(0x41, 0, 0, 0), Bytes(0x03, 0, 0x02, 0x58), Bytes(0x41, 0x80, 0, 0)}));
}

TEST_F(MacroManagerRecorderTest, FixedModeTakesTheCorrectedBoxValue)
{
    Click(kFixedDelayMode);
    const auto* measured = static_cast<const CCheckButton*>(manager->GetControl(kMeasuredDelay));
    EXPECT_FALSE(measured->IsChecked());

    struct BoxCase {
        QString typed;
        QString shown;
    };
    for (const BoxCase& c : {BoxCase{QStringLiteral("5000"), QStringLiteral("4095")},
                             BoxCase{QStringLiteral("0"), QStringLiteral("1")},
                             BoxCase{QStringLiteral("20"), QStringLiteral("20")}}) {
        TypeDelay(c.typed);
        EXPECT_EQ(manager->FixedDelayBox().GetText(), c.shown) << c.typed.toStdString();
    }
    StartRecording();
    Press(Qt::Key_A, QStringLiteral("a"), 10);
    Release(Qt::Key_A, QStringLiteral("a"), 3000);
    Press(Qt::Key_B, QStringLiteral("b"), 3001);
    EXPECT_EQ(Actions(MacroAt(keys)),
              (std::vector<std::uint32_t>{Bytes(0x41, 0, 0, 0), Bytes(0x03, 0, 0, 20), Bytes(0x41, 0x80, 0, 0),
                                          Bytes(0x03, 0, 0, 20), Bytes(0x42, 0, 0, 0)}));

    // Clicking the measured box again takes the real time.
    Click(kRecord);
    Click(kMeasuredDelay);
    StartRecording();
    Press(Qt::Key_A, QStringLiteral("a"), 10);
    Release(Qt::Key_A, QStringLiteral("a"), 45);
    EXPECT_EQ(MacroAt(keys).Get(1), MacroAction::Delay(35));
}

TEST_F(MacroManagerRecorderTest, TheKeystrokeThatNoLongerFitsEndsTheRecordingWithItsNoticeAndASave)
{
    StartRecording();
    std::uint64_t time = 1000;
    // Press and release A and B in turn: 126 key events. The 125th, a press, would leave
    // its key down with no room for the release: it ends the recording.
    for (int event = 0; event < 126; ++event) {
        const bool b = (event / 2) % 2 == 1;
        const Qt::Key key = b ? Qt::Key_B : Qt::Key_A;
        const QString text = b ? QStringLiteral("b") : QStringLiteral("a");
        if (event % 2 == 0)
            Press(key, text, time += 10);
        else
            Release(key, text, time += 10);
    }
    const MacroKey& macro = MacroAt(keys);
    EXPECT_EQ(macro.MacroActionNum, 247u);
    EXPECT_EQ(macro.MacroCommandActionNum, 124u);
    EXPECT_EQ(macro.Get(246), MacroAction::FromBytes(0x42, 0x80, 0, 0));
    EXPECT_EQ(notices, std::vector<int>{MacroManagerText::kMacroFull});
    EXPECT_FALSE(manager->IsRecording());
    EXPECT_FALSE(manager->IsCapturingKeys());
    EXPECT_FALSE(RecordPressed());
    EXPECT_FALSE(manager->GetControl(kExit)->IsDisabled());
    // The list follows the recording to its last action.
    const CRowList& list = manager->ActionList();
    EXPECT_EQ(list.FirstVisible(), 247 - list.VisibleRows());

    const std::string saved = SavedBytes();
    EXPECT_NE(saved.find(Utf16File({"MacroActionNum=247"}).substr(2)), std::string::npos);

    // Keys after the end are not recorded.
    Press(Qt::Key_C, QStringLiteral("c"), time += 10);
    EXPECT_EQ(macro.MacroActionNum, 247u);
}

TEST_F(MacroManagerRecorderTest, RecordingLocksEverythingButTheRecordButtonAndTheInsertList)
{
    StartRecording();
    for (int layer = 0; layer < CDlgBase::kLayerCount; ++layer) {
        for (const auto& control : manager->Layer(layer)) {
            const bool usable = control->GetId() == kRecord || control->GetId() == kInsertOpener;
            EXPECT_EQ(control->IsDisabled(), !usable) << control->GetId();
        }
    }
    // The locked buttons do nothing.
    names.push_back(u"Other");
    Click(kNewMacro);
    Click(kExit);
    EXPECT_TRUE(nameModes.empty());
    EXPECT_FALSE(manager->IsEnded());

    Click(kRecord);
    for (int layer = 0; layer < CDlgBase::kLayerCount; ++layer) {
        for (const auto& control : manager->Layer(layer))
            EXPECT_FALSE(control->IsDisabled()) << control->GetId();
    }
}

TEST_F(MacroManagerRecorderTest, WhileRecordingNoKeyReachesAControlAndNoNoticeOpens)
{
    CEditBox& delayBox = manager->FixedDelayBox();
    CEditBox& repeatBox = manager->RepeatCountBox();
    ASSERT_TRUE(repeatBox.isVisible());
    delayBox.setFocus();
    ASSERT_TRUE(delayBox.hasFocus());
    StartRecording();
    EXPECT_FALSE(delayBox.hasFocus());
    EXPECT_FALSE(delayBox.isEnabled());
    EXPECT_FALSE(repeatBox.isEnabled());

    // Keys as the window system delivers them to the window, and straight to each box.
    Press(Qt::Key_R, QStringLiteral("r"), 100);
    Release(Qt::Key_R, QStringLiteral("r"), 180);
    QTest::keyClicks(&delayBox, QStringLiteral("r"));
    QTest::keyClicks(&repeatBox, QStringLiteral("5"));
    Settle();
    EXPECT_TRUE(notices.empty());
    EXPECT_EQ(delayBox.GetText(), QStringLiteral("8"));
    EXPECT_EQ(repeatBox.GetText(), QStringLiteral("1"));
    EXPECT_EQ(MacroAt(keys).MacroKeyLoopNum, 1u);
    EXPECT_EQ(Actions(MacroAt(keys)),
              (std::vector<std::uint32_t>{Bytes(0x52, 0, 0, 0), Bytes(0x03, 0, 0, 80), Bytes(0x52, 0x80, 0, 0)}));

    Click(kRecord);
    EXPECT_TRUE(delayBox.isEnabled());
    EXPECT_TRUE(repeatBox.isEnabled());
    // Typing into the boxes works again, with its notice.
    QTest::keyClicks(&delayBox, QStringLiteral("x"));
    EXPECT_EQ(notices, std::vector<int>{MacroManagerText::kDigitsOnly});
}

TEST_F(MacroManagerRecorderTest, StoppingWithAKeyDownRecordsItsRelease)
{
    StartRecording();
    Press(Qt::Key_Shift, QString(), 100);
    Press(Qt::Key_A, QStringLiteral("A"), 150);
    Release(Qt::Key_A, QStringLiteral("A"), 200);
    Click(kRecord);

    const std::vector<std::uint32_t> expected{Bytes(0xA0, 0, 0, 0),    Bytes(0x03, 0, 0, 50), Bytes(0x41, 0, 0, 0),
                                              Bytes(0x03, 0, 0, 50),   Bytes(0x41, 0x80, 0, 0),
                                              Bytes(0x03, 0, 0, 50),   Bytes(0xA0, 0x80, 0, 0)};
    EXPECT_EQ(Actions(MacroAt(keys)), expected);
    EXPECT_EQ(MacroAt(keys).MacroCommandActionNum, 4u);
    EXPECT_EQ(manager->ActionList().RowCount(), 7);
    EXPECT_NE(SavedBytes().find(Utf16File({"MacroActionNum=7"}).substr(2)), std::string::npos);
}

TEST_F(MacroManagerRecorderTest, RecordWithoutAMacroSpringsBackWithItsNotice)
{
    // A press below the last row clears the selection.
    const UiRect tree = manager->TreeList().GetRect();
    MouseDriver(manager.get()).Click(QPoint(tree.left + 30, tree.bottom - 3));
    ASSERT_TRUE(manager->Selection().IsNone());
    Click(kRecord);
    EXPECT_EQ(notices, std::vector<int>{MacroManagerText::kSelectMacroFirst});
    EXPECT_FALSE(manager->IsRecording());
    EXPECT_FALSE(manager->IsCapturingKeys());
    EXPECT_FALSE(RecordPressed());
}

TEST_F(MacroManagerRecorderTest, AnInsertPausesTheCaptureAndTheNextDelaySpansIt)
{
    StartRecording();
    Press(Qt::Key_A, QStringLiteral("a"), 1000);
    Release(Qt::Key_A, QStringLiteral("a"), 1100);
    std::optional<bool> capturingInDialog;
    whileDialogOpen = [&] {
        capturingInDialog = manager->IsCapturingKeys();
        // Keys typed into the dialog are not the recording's.
        Press(Qt::Key_C, QStringLiteral("c"), 1500);
    };
    delayAnswer = 300;
    ChooseInsertKind(static_cast<int>(MacroActionEditing::InsertKind::Delay));
    ASSERT_EQ(capturingInDialog, std::optional<bool>(false));
    EXPECT_TRUE(manager->IsCapturingKeys());
    EXPECT_TRUE(manager->IsRecording());

    Press(Qt::Key_B, QStringLiteral("b"), 5000);
    EXPECT_EQ(Actions(MacroAt(keys)),
              (std::vector<std::uint32_t>{Bytes(0x41, 0, 0, 0), Bytes(0x03, 0, 0, 100), Bytes(0x41, 0x80, 0, 0),
                                          Bytes(0x03, 0, 0x01, 0x2C), Bytes(0x03, 0, 0x0F, 0x3C),
                                          Bytes(0x42, 0, 0, 0)}));
}

}  // namespace
