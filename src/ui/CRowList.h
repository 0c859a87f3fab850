#pragma once

#include "ui/CControlBase.h"
#include "ui/ListRowSource.h"

#include <cstdint>

// What the two row lists share: rows 20 design units high read from a ListRowSource,
// the first visible row, the selected row (-1 for none) and the row under a point.
class CRowList : public CControlBase {
public:
    static constexpr int kRowHeight = 20;  // design units
    // The lists' colours (COLORREF): RGB(75,75,75) behind white text, the selected row
    // in RGB(53,160,222).
    static constexpr std::uint32_t kListBackground = 0x4B4B4B;
    static constexpr std::uint32_t kSelectedBackground = 0xDEA035;
    static constexpr std::uint32_t kText = 0xFFFFFF;

    CRowList(CMessageWindow* parent, int id, const UiRect& rect, QString caption,
             ControlFlags flags);

    // The list does not own the source; it must outlive the list or be replaced first.
    void SetSource(ListRowSource* source);
    [[nodiscard]] ListRowSource* Source() const { return m_source; }
    [[nodiscard]] int RowCount() const;

    [[nodiscard]] int RowHeight() const;
    [[nodiscard]] int VisibleRows() const;
    [[nodiscard]] int FirstVisible() const { return m_firstVisible; }
    void SetFirstVisible(int row);
    void ScrollBy(int rows) { SetFirstVisible(m_firstVisible + rows); }

    [[nodiscard]] int Selection() const { return m_selection; }
    // Selects a row (-1 for none) and scrolls it into view.
    void SetSelection(int row);
    // The row under a point, or -1 below the last row.
    [[nodiscard]] int RowAt(QPoint point) const;
    // Rectangle of a visible row.
    [[nodiscard]] UiRect RowRect(int row) const;

    [[nodiscard]] int AccessibleItemCount() const override;
    [[nodiscard]] AccessibleItem AccessibleItemAt(int index) const override;
    std::optional<QPoint> RevealItem(int index) override;
    [[nodiscard]] int CurrentItem() const override { return m_selection; }
    // A press (Space, or a press through assistive technology) lands on the selected row
    // when it is shown, else on the first shown row; the list's centre would pick a row
    // by chance or clear the selection below the last row.
    [[nodiscard]] QPoint ClickPoint() const override;

protected:
    static constexpr int kIconGap = 3;  // design units between an icon and the text

    void EnsureSelectionVisible();
    [[nodiscard]] QPoint RowClickPoint(int row) const;
    // Paints the background, then every visible row that meets `clip` (inset by the
    // design margins): the selection highlight, the row's icons and its text.
    void DrawRows(QPainter& painter, const UiRect& clip, std::uint32_t background, int leftInset,
                  int rightInset);
    // Draws the icons of one row and returns the x where its text starts.
    virtual int DrawRowIcons(QPainter& painter, const ListRow& row, const UiRect& rowRect) = 0;

    ListRowSource* m_source = nullptr;
    int m_firstVisible = 0;
    int m_selection = -1;
};
