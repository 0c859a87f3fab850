#pragma once

#include "ui/CWndPopup.h"
#include "ui/SkinImage.h"

#include <QStringList>

// A drop-down list for the gallery: entries drawn from the menu images, the hot entry
// in its hover look, a check mark at the selected one. A release on an entry sends
// kResultMessage with the entry index to the parent.
class CGalleryPopup : public CWndPopup {
public:
    static constexpr UiMessage kResultMessage = Msg::kUser + 6;
    static constexpr int kEntryWidth = 162;  // design units
    static constexpr int kEntryHeight = 22;

    CGalleryPopup(QStringList entries, int selected);

    [[nodiscard]] int HotEntry() const { return m_hot; }
    // Design-size of the list for its entries.
    [[nodiscard]] static QSize DesignSize(int entryCount);
    void SetHotEntry(int entry) { m_hot = entry; }

protected:
    void OnInit() override;
    void DrawItems(QPainter& painter, const UiRect& client) override;
    bool OnHover(int x, int y) override;
    bool OnRelease(int x, int y) override;

private:
    [[nodiscard]] int EntryAt(int y) const;

    QStringList m_entries;
    int m_selected;
    int m_hot = -1;
    SkinImage m_normal;
    SkinImage m_hover;
};
