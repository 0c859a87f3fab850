#pragma once

#include "profiles/SaveFailures.h"

#include <optional>
#include <string>

class AppSettings;
class LanguageTexts;
struct DataPaths;

// The notice that the program's changes cannot be saved: given once a run, for the
// first failed save of a file of the data folder or of a profile's file, with the folder
// and the reason. A failed export is told by the export itself.
class SaveProblemNotice {
public:
    // "Changes cannot be saved in %1: %2. ...": %1 the folder, %2 the reason.
    static constexpr int kCannotSaveText = 332;

    // The text of the notice for this failure; nothing after the first notice and for
    // files that are not the program's own.
    [[nodiscard]] std::optional<std::u16string> Take(const SaveFailure& failure, const DataPaths& paths,
                                                     const AppSettings& settings, const LanguageTexts& texts);

private:
    bool m_told = false;
};
