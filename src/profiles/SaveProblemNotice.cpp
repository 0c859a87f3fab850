#include "profiles/SaveProblemNotice.h"

#include "profiles/AppSettings.h"
#include "profiles/DataPaths.h"
#include "profiles/LanguageTexts.h"
#include "profiles/PathText.h"
#include "profiles/TextNumbers.h"

#include <string_view>

namespace {

// Used when the language texts lack the notice, so the user still learns why.
constexpr std::u16string_view kFallbackText = u"Changes cannot be saved in %1: %2.";

bool IsInside(const std::filesystem::path& file, const std::filesystem::path& folder)
{
    if (folder.empty()) {
        return false;
    }
    const std::filesystem::path relative = file.lexically_normal().lexically_relative(folder.lexically_normal());
    return !relative.empty() && *relative.begin() != "..";
}

void ReplaceFirst(std::u16string& text, std::u16string_view placeholder, std::u16string_view value)
{
    const std::size_t at = text.find(placeholder);
    if (at != std::u16string::npos) {
        text.replace(at, placeholder.size(), value);
    }
}

}  // namespace

std::optional<std::u16string> SaveProblemNotice::Take(const SaveFailure& failure, const DataPaths& paths,
                                                      const AppSettings& settings, const LanguageTexts& texts)
{
    if (m_told) {
        return std::nullopt;
    }
    bool ours = IsInside(failure.file, paths.dataFolder);
    for (int slot = 0; slot < AppSettings::kProfileCount && !ours; ++slot) {
        ours = failure.file == settings.ProfileSlotPath(slot);
    }
    if (!ours) {
        return std::nullopt;
    }
    m_told = true;
    std::u16string text = texts.Text(kCannotSaveText);
    if (text.empty()) {
        text = kFallbackText;
    }
    // The reason goes in after the folder, so a "%2" in a folder's name stays as it is.
    const std::size_t reasonAt = text.find(u"%2");
    std::u16string reason = TextNumbers::FromUtf8(failure.reason);
    if (reasonAt != std::u16string::npos) {
        text.replace(reasonAt, 2, reason);
    }
    ReplaceFirst(text, u"%1", TextFromPath(failure.file.parent_path()));
    return text;
}
