#include "ui/ProgramIcon.h"

#include "ui/SkinImage.h"

#include <QPixmap>

#include <array>

namespace {

// A window's title bar and the tray (16 to 24), task bars and switchers (32 to 64), and
// the largest a window manager is usually given (128).
constexpr std::array<int, 6> kSides = {16, 24, 32, 48, 64, 128};

}  // namespace

QIcon ProgramIcon::Make()
{
    return MakeFrom(QString::fromLatin1(kPictureResource));
}

QIcon ProgramIcon::MakeFrom(const QString& picturePath)
{
    const QImage picture = SkinImage::ReadFile(picturePath);
    if (picture.isNull())
        return {};
    QIcon icon;
    for (const int side : kSides)
        icon.addPixmap(QPixmap::fromImage(picture.scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    return icon;
}
