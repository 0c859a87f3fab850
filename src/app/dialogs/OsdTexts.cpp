#include "app/dialogs/OsdTexts.h"

#include "device/DpiStepTable.h"
#include "device/PollingRateLabels.h"
#include "profiles/Profile.h"

namespace {

constexpr int kDpiPerTableUnit = 50;

}  // namespace

OsdTexts BuildOsdTexts(const Profile& profile, const DpiStepTable& table)
{
    const int level = profile.CurrentDPILevel;
    const std::size_t valueLevel = level < static_cast<int>(Profile::kDpiLevelCount) ? level : 0;
    const std::uint32_t dpi = table.DpiDividedBy50(profile.XYSettingX[valueLevel]) * kDpiPerTableUnit;
    const std::u16string_view rate = PollingRateLabel(profile.PollingRateValue[0]);
    return OsdTexts{
        QStringLiteral("DPI-%1").arg(level + 1),
        QString::number(dpi),
        QString::fromUtf16(rate.data(), static_cast<qsizetype>(rate.size())),
    };
}
