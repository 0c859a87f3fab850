#include "profiles/SaveProblemNotice.h"

#include "profiles/AppSettings.h"
#include "profiles/DataPaths.h"
#include "profiles/LanguageTexts.h"

#include <gtest/gtest.h>

namespace {

class SaveProblemNoticeTest : public ::testing::Test {
protected:
    SaveProblemNoticeTest()
    {
        settings.WriteSettingDefaults(paths);
        texts.SetText(SaveProblemNotice::kCannotSaveText, u"Cannot save in %1: %2.");
    }

    DataPaths paths{"/home/me/.config/PelmoraData20251125A", {}};
    AppSettings settings;
    LanguageTexts texts;
    SaveProblemNotice notice;
};

}  // namespace

TEST_F(SaveProblemNoticeTest, FirstFailureOfTheDataFolderIsToldOnceWithFolderAndReason)
{
    const SaveFailure first{paths.SettingsFile(), "Permission denied"};
    // The folder as the system writes it (with backslashes on Windows).
    EXPECT_EQ(notice.Take(first, paths, settings, texts),
              u"Cannot save in " + paths.ConfigFolder().u16string() + u": Permission denied.");
    EXPECT_EQ(notice.Take({paths.DefaultProfileFile(2), "No space left on device"}, paths, settings, texts),
              std::nullopt);
}

TEST_F(SaveProblemNoticeTest, ExportsElsewhereAreNotToldAndDoNotUseUpTheNotice)
{
    EXPECT_EQ(notice.Take({"/media/stick/mine.psf", "Read-only file system"}, paths, settings, texts), std::nullopt);
    settings.Pair(14).value = u"/media/stick/slot2.psf";
    EXPECT_EQ(notice.Take({"/media/stick/slot2.psf", "Read-only file system"}, paths, settings, texts),
              u"Cannot save in /media/stick: Read-only file system.")
        << "a profile's own file outside the data folder is the program's";
}

TEST_F(SaveProblemNoticeTest, WithoutTheTextTheUserStillLearnsWhy)
{
    const LanguageTexts none;
    EXPECT_EQ(notice.Take({paths.SettingsFile(), "Is a directory"}, paths, settings, none),
              u"Changes cannot be saved in " + paths.ConfigFolder().u16string() + u": Is a directory.");
}
