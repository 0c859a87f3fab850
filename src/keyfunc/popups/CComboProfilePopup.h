#pragma once

#include "keyfunc/popups/CMenuPopup.h"

#include <array>
#include <string>

class AppSettings;
class LanguageTexts;
class ProfileTable;

// The profile list: a heading, five profile entries and an entry that adds a profile.
// It does not send a record: a click on entry k sends (result message, kClicked, k) and a
// right click on a profile entry (result message, kRightClicked, k). Entries with an
// empty caption, and the heading, do nothing.
class CComboProfilePopup : public CMenuPopup {
public:
    static constexpr int kKind = 7;
    static constexpr UiMessage kResultMessage = Msg::kUser + 101;
    static constexpr WParam kClicked = 2;
    static constexpr WParam kRightClicked = 11;

    static constexpr int kHeadingEntry = 1;
    static constexpr int kFirstProfileEntry = 2;
    static constexpr int kAddEntry = 7;

    // The openers: the profile drop-down and the profile-list button.
    static constexpr int kProfileDropDown = 3100;
    static constexpr int kProfileListButton = 3502;

    CComboProfilePopup(const LanguageTexts& texts, const QString& headingImage);

    // Takes the profile names as the opener shows them: from the drop-down the five
    // profiles in index order with entry 2 marked; from the list button the visible
    // profiles in display order (later entries empty) with the current profile marked.
    void SetProfiles(const ProfileTable& profiles, const AppSettings& settings, int openerId);

    [[nodiscard]] int MarkedEntry() const { return m_marked; }

protected:
    void FillEntries() override;
    void OnEntryClicked(const MenuEntry& entry) override;
    void OnEntryRightReleased(const MenuEntry& entry) override;
    void DrawEntry(QPainter& painter, const MenuEntry& entry, const UiRect& rect, bool hot) override;

private:
    [[nodiscard]] static bool IsProfileEntry(const MenuEntry& entry);

    const LanguageTexts& m_texts;
    SkinImage m_heading;
    std::array<std::u16string, 5> m_names;
    int m_marked = kFirstProfileEntry;
};
