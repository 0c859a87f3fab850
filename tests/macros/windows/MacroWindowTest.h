#pragma once

#include "AppDialogTestSupport.h"

#include "ui/CStaticText.h"
#include "ui/dialogs/CAttentionDlg.h"

#include <QTimer>

#include <memory>
#include <vector>

// The macro windows' tests: English texts at scale 1.0 (AppDialogTest), real clicks, and
// every notice the windows raise noted and confirmed as a user would.
class MacroWindowTest : public AppDialogTest {
protected:
    static void Click(CDlgBase& dialog, int id) { MouseDriver(&dialog).Click(CentreOf(dialog, id)); }

    static QString Caption(const CDlgBase& dialog, int id)
    {
        const auto* label = dynamic_cast<const CStaticText*>(dialog.GetControl(id));
        return label != nullptr ? label->Text() : QStringLiteral("<none>");
    }

    [[nodiscard]] QString LanguageText(int number) const
    {
        return QString::fromStdU16String(texts.Text(static_cast<std::size_t>(number)));
    }

    // From now on every attention dialog that opens is noted and closed with its OK.
    void ConfirmNotices()
    {
        m_noticeWatch = std::make_unique<QTimer>();
        QObject::connect(m_noticeWatch.get(), &QTimer::timeout, [this] {
            for (CDlgBase* open : OpenDialogList::Entries()) {
                if (auto* attention = dynamic_cast<CAttentionDlg*>(open); attention && attention->IsModalRunning()) {
                    notices.push_back(attention->Message());
                    MouseDriver(attention).Click(CentreOf(*attention, CAppDialog::kIdOk));
                }
            }
        });
        m_noticeWatch->start(0);
    }

    [[nodiscard]] std::vector<QString> Notices(std::initializer_list<int> numbers) const
    {
        std::vector<QString> expected;
        for (const int number : numbers)
            expected.push_back(LanguageText(number));
        return expected;
    }

    std::vector<QString> notices;

private:
    std::unique_ptr<QTimer> m_noticeWatch;
};
