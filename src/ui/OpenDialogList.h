#pragma once

#include <QPointer>

#include <array>
#include <vector>

class CDlgBase;

// The secondary dialogs that are open, ten at most, in the order they opened. A dialog
// enters itself when it initialises (nothing is recorded when all slots are taken) and
// leaves when it ends or is destroyed; the entries behind it move one place forward, so
// the table never has gaps. The main window closes them all before it ends.
class OpenDialogList {
public:
    static constexpr int kSlotCount = 10;

    // Enters the dialog into the first free slot; false when the table is full or the
    // dialog is already in it.
    static bool Enter(CDlgBase* dialog);
    static void Leave(const CDlgBase* dialog);
    static void Clear();

    [[nodiscard]] static std::vector<CDlgBase*> Entries();
    [[nodiscard]] static int Count();
    [[nodiscard]] static bool Contains(const CDlgBase* dialog);

    // Asks every dialog in the table to close, as the close message does: a modal dialog
    // ends its run with cancel.
    static void CloseAll();

private:
    static std::array<QPointer<CDlgBase>, kSlotCount>& Slots();
};
