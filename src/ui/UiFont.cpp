#include "ui/UiFont.h"

#include "ui/UiScale.h"

#include <QFontMetricsF>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <map>
#include <utility>

namespace {

ControlFont& ControlFontSetting()
{
    static ControlFont font;
    return font;
}

// The Chinese control face, and its usual Latin name.
const QString kChineseFace = QString::fromUtf16(u"\u5B8B\u4F53");

}  // namespace

void UiFont::InstallSubstitutions()
{
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    const QStringList sans{QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans"),
                           QStringLiteral("Noto Sans"), QStringLiteral("Arial")};
    const QStringList cjk{QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Noto Sans CJK SC"),
                          QStringLiteral("Noto Serif CJK SC"), QStringLiteral("AR PL UMing CN"),
                          QStringLiteral("SimSun")};
    QFont::insertSubstitutions(QStringLiteral("Tahoma"), sans);
    QFont::insertSubstitutions(kChineseFace, cjk);
    QFont::insertSubstitutions(QStringLiteral("SimSun"), cjk);
}

void UiFont::SetControlFont(const ControlFont& font)
{
    ControlFontSetting() = font;
}

const ControlFont& UiFont::CurrentControlFont()
{
    return ControlFontSetting();
}

QFont UiFont::ControlQFont()
{
    return MakeFont(ControlFontSetting());
}

QFont UiFont::MakeFont(const ControlFont& font)
{
    InstallSubstitutions();
    const QString face = QString::fromStdU16String(font.face);
    // The height the language gives is the cell height (ascent + descent), while Qt's
    // pixel size is the em height; the ratio depends on the face that is really used,
    // so it is measured once per face and height.
    static std::map<std::pair<QString, int>, int> emSizes;
    const int height = font.height > 0 ? font.height : 1;
    auto found = emSizes.find({face, height});
    if (found == emSizes.end()) {
        QFont probe(face);
        probe.setPixelSize(height);
        const QFontMetricsF metrics(probe);
        const qreal cell = metrics.ascent() + metrics.descent();
        int emSize = height;
        if (cell > 0)
            emSize = std::max(1, static_cast<int>(std::lround(height * height / cell)));
        found = emSizes.emplace(std::pair{face, height}, emSize).first;
    }
    QFont result(face);
    result.setPixelSize(found->second);
    result.setWeight(QFont::Normal);
    result.setStyleHint(QFont::SansSerif);
    return result;
}

QFont UiFont::DialogFont()
{
    QFont font = MakeFont(ControlFontSetting());
    font.setPointSize(10);
    font.setWeight(QFont::DemiBold);
    return font;
}

QFont UiFont::EditFont(double dpiRatio)
{
    InstallSubstitutions();
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSizeF(UiScale::Get() * 10.0 / (dpiRatio > 0.0 ? dpiRatio : 1.0));
    return font;
}
