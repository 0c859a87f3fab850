#include "keyfunc/popups/PopupSamples.h"

#include "keyfunc/popups/CComboActionInsertPopup.h"
#include "keyfunc/popups/CComboLightingPopup.h"
#include "keyfunc/popups/CComboPollingRatePopup.h"
#include "keyfunc/popups/CComboPopup.h"
#include "keyfunc/popups/CComboProfilePopup.h"
#include "keyfunc/popups/CDPILockPopup.h"
#include "keyfunc/popups/CDPIPopup.h"
#include "keyfunc/popups/CMacroListPopup.h"
#include "keyfunc/popups/CMultimediaPopup.h"
#include "keyfunc/popups/COfficePopup.h"
#include "keyfunc/popups/CProfileRKeyPopup.h"
#include "keyfunc/popups/CWindowsManagePopup.h"
#include "profiles/AppSettings.h"
#include "profiles/ProfileTable.h"
#include "ui/UiScale.h"

#include <QMouseEvent>
#include <QApplication>

namespace {

constexpr int kSampleSensor = 0x3311;
constexpr int kSampleOpener = 2013;
constexpr int kOpenRoom = 300;  // design units, as the openers give it
constexpr int kOffset = 20;     // design units from the owner's corner

// Three of five profiles shown, the second of them current.
CMenuPopup* MakeProfileList(const LanguageTexts& texts)
{
    ProfileTable profiles;
    AppSettings settings;
    const char16_t* names[] = {u"Work", u"Game", u"Draw", u"Film", u"Race"};
    for (int i = 0; i < ProfileTable::kProfileCount; ++i)
        profiles.At(i).SetSetting(ProfileSetting::ProfileName, names[i]);
    settings.SetProfileShowCount(3);
    const int order[] = {1, 0, 3, 2, 4};
    for (int position = 0; position < ProfileTable::kProfileCount; ++position)
        settings.SetProfileShowList(position, order[position]);
    settings.SetCurrentProfile(0);
    auto* list = new CComboProfilePopup(texts, QStringLiteral("skins\\header2_nr.png"));
    list->SetProfiles(profiles, settings, CComboProfilePopup::kProfileListButton);
    return list;
}

template <class List>
PopupSample Sample(const char* name)
{
    return {QString::fromLatin1(name), [](const LanguageTexts& texts) { return new List(texts); },
            List::kResultMessage};
}

}  // namespace

const std::vector<PopupSample>& PopupSamples()
{
    static const std::vector<PopupSample> samples{
        Sample<CComboPopup>("function"),
        Sample<CDPIPopup>("dpi"),
        Sample<CMultimediaPopup>("multimedia"),
        Sample<COfficePopup>("office"),
        Sample<CWindowsManagePopup>("windows"),
        {QStringLiteral("dpilock"), [](const LanguageTexts& t) { return new CDPILockPopup(t, kSampleSensor); },
         CDPILockPopup::kResultMessage},
        {QStringLiteral("rate"), [](const LanguageTexts&) { return new CComboPollingRatePopup(); },
         CComboPollingRatePopup::kResultMessage},
        Sample<CComboLightingPopup>("lighting"),
        {QStringLiteral("profile"), MakeProfileList, CComboProfilePopup::kResultMessage},
        Sample<CProfileRKeyPopup>("profileactions"),
        Sample<CComboActionInsertPopup>("insertaction"),
        {QStringLiteral("macrolist"), [](const LanguageTexts& t) { return new CMacroListPopup(t, 1); },
         CMacroListPopup::kResultMessage},
    };
    return samples;
}

std::unique_ptr<CMenuPopup> OpenPopupSample(const QString& name, CMessageWindow& owner, const LanguageTexts& texts)
{
    for (const PopupSample& sample : PopupSamples()) {
        if (sample.name != name)
            continue;
        std::unique_ptr<CMenuPopup> popup(sample.make(texts));
        const QPoint at = owner.mapToGlobal(QPoint(UiScale::Scale(kOffset), UiScale::Scale(kOffset)));
        const int room = UiScale::Scale(kOpenRoom);
        if (popup->Create(&owner, UiRect{at.x(), at.y(), at.x() + room, at.y() + room},
                          static_cast<int>(sample.resultMessage), kSampleOpener) != 0)
            return nullptr;
        // The second entry under the pointer shows the hover look.
        const UiRect second = popup->EntryRect(1);
        const QPointF point((second.left + second.right) / 2.0, (second.top + second.bottom) / 2.0);
        QMouseEvent move(QEvent::MouseMove, point, popup->mapToGlobal(point), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(popup.get(), &move);
        return popup;
    }
    return nullptr;
}
