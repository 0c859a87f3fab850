#include "ui/OpenDialogList.h"

#include "ui/CDlgBase.h"
#include "ui/UiMessages.h"

#include <algorithm>

std::array<QPointer<CDlgBase>, OpenDialogList::kSlotCount>& OpenDialogList::Slots()
{
    static std::array<QPointer<CDlgBase>, kSlotCount> table;
    return table;
}

bool OpenDialogList::Enter(CDlgBase* dialog)
{
    if (dialog == nullptr || Contains(dialog))
        return false;
    for (auto& entry : Slots()) {
        if (entry.isNull()) {
            entry = dialog;
            return true;
        }
    }
    return false;
}

void OpenDialogList::Leave(const CDlgBase* dialog)
{
    auto& table = Slots();
    // A QPointer already cleared by a destroyed dialog also counts as a gap to close.
    const auto kept = std::stable_partition(table.begin(), table.end(), [dialog](const QPointer<CDlgBase>& entry) {
        return !entry.isNull() && entry.data() != dialog;
    });
    std::fill(kept, table.end(), nullptr);
}

void OpenDialogList::Clear()
{
    Slots().fill(nullptr);
}

std::vector<CDlgBase*> OpenDialogList::Entries()
{
    std::vector<CDlgBase*> entries;
    for (const auto& entry : Slots()) {
        if (entry.isNull())
            break;
        entries.push_back(entry.data());
    }
    return entries;
}

int OpenDialogList::Count()
{
    return static_cast<int>(Entries().size());
}

bool OpenDialogList::Contains(const CDlgBase* dialog)
{
    const auto& table = Slots();
    return dialog != nullptr && std::any_of(table.begin(), table.end(), [dialog](const QPointer<CDlgBase>& entry) {
               return entry.data() == dialog;
           });
}

void OpenDialogList::CloseAll()
{
    // Closing a dialog makes it leave the table, so the walk runs over a copy.
    std::vector<QPointer<CDlgBase>> open;
    for (CDlgBase* dialog : Entries())
        open.emplace_back(dialog);
    for (const auto& dialog : open) {
        if (!dialog.isNull())
            dialog->SendMessage(Msg::kClose, 0, 0);
    }
}
