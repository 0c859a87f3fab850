#pragma once

#include "keyfunc/FunctionValue.h"
#include "ui/CWndPopup.h"
#include "ui/SkinImage.h"
#include "ui/UiMessages.h"

#include <QString>

#include <string>
#include <vector>

// The four skin images of a list: entries with and without the sub-list arrow, each
// normal and under the pointer.
struct MenuImages {
    QString normal;
    QString hover;
    QString subNormal;
    QString subHover;

    // "skins\menu_nr.png", "skins\menu_ov.png", "skins\menusub_nr.png", "skins\menusub_ov.png".
    [[nodiscard]] static MenuImages Standard();
};

// One entry of a list: its id (1-based, not always contiguous), caption and whether it
// draws the sub-list arrow.
struct MenuEntry {
    int id = 0;
    std::u16string caption;
    bool sub = false;
};

// How a list draws its entries.
enum class EntryLook {
    Image,    // skin image background, grey or white caption
    Fill,     // hot entry filled 0x004B53, the others on the popup's black
    Profile,  // the profile list's own fills (drawn by that list)
};

// Base of the function-selection lists: entries stacked without gaps one design unit
// below the top, the window sized to the last entry plus one unit, the entry under the
// pointer drawn hot, and a click acting on release only inside the entry that was hot
// when the button went down.
//
// A list is opened with Create(parent, rect, result message, opener id): the style value
// carries the message the result goes out with and the owner value the opener's control
// id. Results are records (a name and three value bytes) sent as
// SendMessage(result message, opener id, pointer to the record); the record stays valid
// until the list is destroyed. The owner closes the list through its popup slot.
class CMenuPopup : public CWndPopup {
public:
    ~CMenuPopup() override;

    [[nodiscard]] const std::vector<MenuEntry>& Entries() const { return m_entries; }
    // Id of the entry under the pointer; 0 when none.
    [[nodiscard]] int HotEntryId() const;
    // Pixel rectangle of the entry at position index of the list.
    [[nodiscard]] UiRect EntryRect(int index) const;
    [[nodiscard]] const NamedFunction& Result() const { return m_result; }
    [[nodiscard]] int AccessibleItemCount() const override;
    [[nodiscard]] AccessibleItem AccessibleItemAt(int index) const override;
    [[nodiscard]] UiMessage ResultMessage() const { return static_cast<UiMessage>(StyleValue()); }

    // The record a result message points to.
    [[nodiscard]] static const NamedFunction& RecordOf(LParam lParam)
    {
        return *reinterpret_cast<const NamedFunction*>(lParam);
    }

protected:
    CMenuPopup(const MenuImages& images, int designWidth, int designEntryHeight, EntryLook look,
               FunctionValue initialBytes, int kind);

    // Adds the entries in their order (the Part's fill operation).
    virtual void FillEntries() = 0;
    virtual void OnEntryClicked(const MenuEntry& entry) = 0;
    // The pointer came onto an entry.
    virtual void OnEntryEntered(const MenuEntry& entry);
    virtual void OnEntryRightReleased(const MenuEntry& entry);
    virtual void DrawEntry(QPainter& painter, const MenuEntry& entry, const UiRect& rect, bool hot);

    // Appends an entry and resizes the window to hold it.
    void AddEntry(int id, std::u16string caption, bool sub = false);
    // Stores the record and sends it with the result message and the opener id.
    void SendResult(std::u16string name, FunctionValue value);
    // Sets byte 0 only; bytes 1 and 2 keep their initial values.
    void SendResultByte(std::u16string name, std::uint8_t byte0);
    // Caption drawn centred on one line, inset two units left and right, with ellipsis.
    void DrawCaption(QPainter& painter, const UiRect& rect, bool hot, const std::u16string& caption,
                     unsigned horizontalAlign) const;
    // Screen y of an entry's top, for lists that open beside it.
    [[nodiscard]] int EntryScreenTop(int index) const;

    void OnInit() override;
    void DrawItems(QPainter& painter, const UiRect& client) override;
    bool OnHover(int x, int y) override;
    bool OnRelease(int x, int y) override;
    bool OnRightRelease(int x, int y) override;

    [[nodiscard]] int EntryIndexAt(int x, int y) const;

private:
    SkinImage m_normal;
    SkinImage m_hover;
    SkinImage m_subNormal;
    SkinImage m_subHover;
    int m_designWidth;
    int m_designEntryHeight;
    EntryLook m_look;
    std::vector<MenuEntry> m_entries;
    int m_hot = -1;  // index into m_entries
    NamedFunction m_result;
};
