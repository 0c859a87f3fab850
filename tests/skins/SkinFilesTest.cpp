// The rendered artwork: every picture of the table exists at its design size, every skin
// also at twice that size as a real rendering, every name the windows load is in the
// table, state sets are distinguishable, and the embedded pictures are linked into the
// program.

#include <gtest/gtest.h>

#include <cmath>
#include <utility>

#include <QColor>
#include <QFile>
#include <QImage>
#include <QMap>
#include <QRegularExpression>
#include <QSet>
#include <QString>
#include <QStringList>

#include "EmbeddedImages.h"

namespace {

struct Entry {
  QString kind;
  QString file;
  int width = 0;
  int height = 0;
};

QStringList meaningfulLines(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return {};
  QStringList out;
  for (QString line : QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'))) {
    if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
    if (line.trimmed().isEmpty() || line.trimmed().startsWith(QLatin1Char('#'))) continue;
    out << line;
  }
  return out;
}

QList<Entry> readTable() {
  QList<Entry> entries;
  for (const QString& line : meaningfulLines(QStringLiteral(CORVANE_SKIN_TABLE))) {
    const QStringList f = line.split(QLatin1Char('\t'), Qt::SkipEmptyParts);
    if (f.size() < 5) {
      ADD_FAILURE() << "malformed table line: " << line.toStdString();
      continue;
    }
    entries.append({f[0], f[1], f[2].toInt(), f[3].toInt()});
  }
  return entries;
}

QString renderedPath(const Entry& e) {
  return (e.kind == QLatin1String("skin") ? QStringLiteral(CORVANE_SKINS_DIR) : QStringLiteral(CORVANE_EMBEDDED_DIR)) +
         QLatin1Char('/') + e.file;
}

QImage loadRendered(const Entry& e) { return QImage(renderedPath(e)); }

// The double-size variant beside a skin file: "mouse/number1.png" -> "mouse/number1@2x.png".
QString hiResPath(const Entry& e) {
  const QString path = renderedPath(e);
  const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
  return path.left(dot) + QStringLiteral("@2x") + path.mid(dot);
}

QImage loadHiRes(const Entry& e) {
  QImage img(hiResPath(e));
  img.setDevicePixelRatio(1.0);
  return img.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// Each 2 x 2 block averaged into one pixel: what the double-size picture shows at design size.
QImage halved(const QImage& img) {
  QImage out(img.width() / 2, img.height() / 2, QImage::Format_ARGB32_Premultiplied);
  for (int y = 0; y < out.height(); ++y)
    for (int x = 0; x < out.width(); ++x) {
      int sum[4] = {0, 0, 0, 0};
      for (int dy = 0; dy < 2; ++dy)
        for (int dx = 0; dx < 2; ++dx) {
          const QRgb p = img.pixel(2 * x + dx, 2 * y + dy);
          sum[0] += qRed(p); sum[1] += qGreen(p); sum[2] += qBlue(p); sum[3] += qAlpha(p);
        }
      out.setPixel(x, y, qRgba((sum[0] + 2) / 4, (sum[1] + 2) / 4, (sum[2] + 2) / 4, (sum[3] + 2) / 4));
    }
  return out;
}

// Every pixel repeated in a 2 x 2 block: the design-size picture merely enlarged.
QImage doubledByRepetition(const QImage& img) {
  QImage out(img.width() * 2, img.height() * 2, QImage::Format_ARGB32_Premultiplied);
  for (int y = 0; y < out.height(); ++y)
    for (int x = 0; x < out.width(); ++x) out.setPixel(x, y, img.pixel(x / 2, y / 2));
  return out;
}

// Sum over all pairs of horizontally or vertically adjacent pixels of the squared channel
// differences (premultiplied): large for hard edges, small for the same edges blurred.
double edgeEnergy(const QImage& img) {
  auto squared = [](QRgb p, QRgb q) {
    const int d[4] = {qRed(p) - qRed(q), qGreen(p) - qGreen(q), qBlue(p) - qBlue(q), qAlpha(p) - qAlpha(q)};
    double sum = 0;
    for (int v : d) sum += double(v) * v;
    return sum;
  };
  double energy = 0;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) {
      if (x + 1 < img.width()) energy += squared(img.pixel(x, y), img.pixel(x + 1, y));
      if (y + 1 < img.height()) energy += squared(img.pixel(x, y), img.pixel(x, y + 1));
    }
  return energy;
}

// Mean absolute difference per channel (0..255) of two images of the same size, in
// premultiplied form so that the colour of invisible pixels does not count.
double meanDifference(const QImage& a, const QImage& b) {
  const QImage pa = a.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  const QImage pb = b.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  if (pa.size() != pb.size() || pa.isNull()) return 255.0;
  double sum = 0;
  for (int y = 0; y < pa.height(); ++y)
    for (int x = 0; x < pa.width(); ++x) {
      const QRgb p = pa.pixel(x, y), q = pb.pixel(x, y);
      sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q)) +
             std::abs(qAlpha(p) - qAlpha(q));
    }
  return sum / (4.0 * pa.width() * pa.height());
}

// How far (mean per channel, 0..255) the double-size variant seen at design size may be from
// the design-size file. Anti-aliasing falls on other pixels at the two sizes, which counts
// most in the 11-pixel check and radio marks (about 5 there, below 1 in the frames).
constexpr double kSamePictureTolerance = 8.0;

const QList<Entry>& table() {
  static const QList<Entry> t = readTable();
  return t;
}

}  // namespace

TEST(SkinFiles, TableIsReadableAndCoversBothKinds) {
  int skins = 0, embedded = 0;
  for (const Entry& e : table()) {
    EXPECT_GT(e.width, 0) << e.file.toStdString();
    EXPECT_GT(e.height, 0) << e.file.toStdString();
    (e.kind == QLatin1String("skin") ? skins : embedded)++;
  }
  EXPECT_GE(skins, 100);
  EXPECT_EQ(embedded, 6);
}

TEST(SkinFiles, EveryTableEntryIsRenderedAtItsDesignSize) {
  for (const Entry& e : table()) {
    SCOPED_TRACE(e.file.toStdString());
    ASSERT_TRUE(QFile::exists(renderedPath(e))) << "missing " << renderedPath(e).toStdString();
    const QImage img = loadRendered(e);
    ASSERT_FALSE(img.isNull()) << "does not load";
    EXPECT_EQ(img.width(), e.width);
    EXPECT_EQ(img.height(), e.height);
  }
}

// The toolkit scales from <name>@2x.<ext> when it draws a skin larger than its design size;
// the variant must map every design-size rectangle (strip frames too) onto the same picture.
TEST(SkinFiles, EverySkinHasADoubleSizeVariant) {
  int variants = 0;
  for (const Entry& e : table()) {
    if (e.kind != QLatin1String("skin")) continue;
    SCOPED_TRACE(e.file.toStdString());
    ASSERT_TRUE(QFile::exists(hiResPath(e))) << "missing " << hiResPath(e).toStdString();
    const QImage img(hiResPath(e));
    ASSERT_FALSE(img.isNull()) << "does not load";
    EXPECT_EQ(img.width(), 2 * e.width);
    EXPECT_EQ(img.height(), 2 * e.height);
    if (e.file.endsWith(QLatin1String(".bmp"))) {
      EXPECT_FALSE(img.hasAlphaChannel()) << "bitmaps are opaque";
    }
    ++variants;
  }
  EXPECT_GE(variants, 100);
}

// Embedded pictures are loaded from the program's resources, which carry no variants.
TEST(SkinFiles, EmbeddedPicturesHaveNoDoubleSizeVariant) {
  for (const Entry& e : table()) {
    if (e.kind == QLatin1String("embedded")) {
      EXPECT_FALSE(QFile::exists(hiResPath(e))) << e.file.toStdString();
    }
  }
}

// The variant is the same picture: seen at design size it matches its own 1x file closely,
// and more closely than any other state of its set (a variant rendered with another row's
// parameters would not).
TEST(SkinFiles, DoubleSizeVariantShowsTheSamePicture) {
  static const QRegularExpression state(QStringLiteral("^(.*)_(nr|ov|dn|check|nr2|ov2)\\.(png|bmp)$"));
  QMap<QString, QList<Entry>> sets;
  for (const Entry& e : table()) {
    if (e.kind != QLatin1String("skin")) continue;
    const auto m = state.match(e.file);
    if (m.hasMatch()) sets[m.captured(1)].append(e);
  }
  for (const Entry& e : table()) {
    if (e.kind != QLatin1String("skin")) continue;
    SCOPED_TRACE(e.file.toStdString());
    const QImage hiRes = loadHiRes(e);
    ASSERT_EQ(hiRes.size(), QSize(2 * e.width, 2 * e.height));
    const QImage seen = halved(hiRes);
    const double own = meanDifference(seen, loadRendered(e));
    EXPECT_LT(own, kSamePictureTolerance);
    const auto m = state.match(e.file);
    if (!m.hasMatch()) continue;
    for (const Entry& sibling : sets.value(m.captured(1))) {
      if (sibling.file == e.file) continue;
      EXPECT_LT(own, meanDifference(seen, loadRendered(sibling))) << "closer to " << sibling.file.toStdString();
    }
  }
}

// The variant is rendered afresh, not the 1x file enlarged.
//
// Sharpness: a rendered edge keeps its full contrast across one or two pixels at either
// size and is twice as long at 2x, so the sum of squared differences between neighbouring
// pixels about doubles. Smooth enlarging spreads every step over twice as many pixels, which
// halves the squares and leaves the sum near that of the 1x file. Half-way between is the
// line.
//
// Repetition: enlarging without smoothing copies each pixel into a 2 x 2 block. A rendering
// does the same only for a picture made of whole-pixel rectangles, so at most a few variants
// may look like that, where a renderer that enlarged would make every one of them so.
TEST(SkinFiles, DoubleSizeVariantIsNotAnEnlargedDesignSizeFile) {
  int variants = 0;
  QStringList repeated;
  for (const Entry& e : table()) {
    if (e.kind != QLatin1String("skin")) continue;
    SCOPED_TRACE(e.file.toStdString());
    const QImage design = loadRendered(e).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QImage hiRes = loadHiRes(e);
    ASSERT_EQ(hiRes.size(), design.size() * 2);
    ++variants;
    EXPECT_GT(edgeEnergy(hiRes), 1.5 * edgeEnergy(design)) << "as soft as the 1x file enlarged";
    if (hiRes == doubledByRepetition(design)) repeated << e.file;
  }
  ASSERT_GE(variants, 100);
  EXPECT_LE(repeated.size(), variants / 20) << "the 1x file enlarged by repetition: "
                                            << repeated.join(QLatin1String(", ")).toStdString();
}

TEST(SkinFiles, EveryNameTheWindowsLoadIsInTheTable) {
  QSet<QString> inTable;
  for (const Entry& e : table())
    if (e.kind == QLatin1String("skin")) inTable.insert(e.file);
  const QStringList names = meaningfulLines(QStringLiteral(CORVANE_NAMED_SKINS));
  ASSERT_GE(names.size(), 100);
  for (const QString& name : names) EXPECT_TRUE(inTable.contains(name.trimmed())) << name.toStdString();
}

TEST(SkinFiles, PicturesAreNotBlank) {
  for (const Entry& e : table()) {
    SCOPED_TRACE(e.file.toStdString());
    const QImage img = loadRendered(e).convertToFormat(QImage::Format_ARGB32);
    ASSERT_FALSE(img.isNull());
    QSet<QRgb> colours;
    int visible = 0;
    for (int y = 0; y < img.height(); ++y)
      for (int x = 0; x < img.width(); ++x) {
        const QRgb p = img.pixel(x, y);
        if (qAlpha(p) > 0) ++visible;
        if (colours.size() < 3) colours.insert(p);
      }
    EXPECT_GT(visible, 0) << "fully transparent";
    EXPECT_GE(colours.size(), 2) << "a single flat colour";
  }
}

TEST(SkinFiles, FrameBitmapsAreOpaque) {
  int frames = 0;
  for (const Entry& e : table()) {
    if (!e.file.endsWith(QLatin1String(".bmp"))) continue;
    ++frames;
    const QImage img = loadRendered(e);
    ASSERT_FALSE(img.isNull()) << e.file.toStdString();
    EXPECT_FALSE(img.hasAlphaChannel()) << e.file.toStdString();
  }
  // The nine frame bitmaps and the main window's background.
  EXPECT_EQ(frames, 10);
}

// Images of one set (name_nr, name_ov, name_dn, name_check, name_nr2, name_ov2) share a size
// and every state looks different from the others.
TEST(SkinFiles, StateSetsShareSizeAndDiffer) {
  static const QRegularExpression state(QStringLiteral("^(.*)_(nr|ov|dn|check|nr2|ov2)\\.(png|bmp)$"));
  QMap<QString, QList<Entry>> sets;
  for (const Entry& e : table()) {
    const auto m = state.match(e.file);
    if (m.hasMatch()) sets[m.captured(1)].append(e);
  }
  ASSERT_GE(sets.size(), 25);
  for (auto it = sets.cbegin(); it != sets.cend(); ++it) {
    const QList<Entry>& members = it.value();
    if (members.size() < 2) continue;  // e.g. button4_nr serves every state
    for (qsizetype i = 0; i < members.size(); ++i) {
      const QImage a = loadRendered(members[i]).convertToFormat(QImage::Format_ARGB32);
      EXPECT_EQ(members[i].width, members[0].width) << members[i].file.toStdString();
      EXPECT_EQ(members[i].height, members[0].height) << members[i].file.toStdString();
      for (qsizetype j = i + 1; j < members.size(); ++j) {
        const QImage b = loadRendered(members[j]).convertToFormat(QImage::Format_ARGB32);
        EXPECT_NE(a, b) << members[i].file.toStdString() << " and " << members[j].file.toStdString() << " look the same";
      }
    }
  }
}

// Strips the controls cut into equal frames: the scroll arrows (three square frames) and
// the DPI level button (three frames: normal, hover, selected).
TEST(SkinFiles, StripsSplitIntoDistinctFrames) {
  for (const Entry& e : table()) {
    if (e.file != QLatin1String("187.png") && e.file != QLatin1String("188.png") && e.file != QLatin1String("dpi_value.png"))
      continue;
    SCOPED_TRACE(e.file.toStdString());
    ASSERT_EQ(e.width % 3, 0);
    const QImage img = loadRendered(e);
    ASSERT_FALSE(img.isNull());
    const int fw = img.width() / 3;
    const QImage f0 = img.copy(0, 0, fw, img.height());
    const QImage f1 = img.copy(fw, 0, fw, img.height());
    const QImage f2 = img.copy(2 * fw, 0, fw, img.height());
    EXPECT_NE(f0, f1);
    EXPECT_NE(f1, f2);
    EXPECT_NE(f0, f2);
  }
}

// Mean distance from the frame's centre column of the chevron's ink in row y of frame 0,
// or -1 when the row has no ink. Ink is anything brighter than the bar's 0x101010 ground.
double inkOffsetFromCentre(const QImage& strip, int y) {
  const int fw = strip.width() / 3;
  const double centre = (fw - 1) / 2.0;
  double sum = 0;
  int n = 0;
  for (int x = 0; x < fw; ++x) {
    if (qGray(strip.pixel(x, y)) > 0x40) {
      sum += std::abs(x - centre);
      ++n;
    }
  }
  return n ? sum / n : -1;
}

// The rows of frame 0 that carry ink: first and last.
std::pair<int, int> inkRows(const QImage& strip) {
  int first = -1, last = -1;
  for (int y = 0; y < strip.height(); ++y)
    if (inkOffsetFromCentre(strip, y) >= 0) {
      if (first < 0) first = y;
      last = y;
    }
  return {first, last};
}

TEST(SkinFiles, ScrollArrowsPointTheirWay) {
  // 188 is the up arrow: its chevron's tip (ink at the centre) is its top row; 187 the
  // down arrow, tip at the bottom. The arms end away from the centre.
  const QImage up = QImage(QStringLiteral(CORVANE_EMBEDDED_DIR "/188.png")).convertToFormat(QImage::Format_RGB32);
  const QImage down = QImage(QStringLiteral(CORVANE_EMBEDDED_DIR "/187.png")).convertToFormat(QImage::Format_RGB32);
  ASSERT_FALSE(up.isNull());
  ASSERT_FALSE(down.isNull());
  const auto [upTop, upBottom] = inkRows(up);
  const auto [downTop, downBottom] = inkRows(down);
  ASSERT_GE(upTop, 0);
  ASSERT_GE(downTop, 0);
  EXPECT_LT(inkOffsetFromCentre(up, upTop), 1.5);
  EXPECT_GT(inkOffsetFromCentre(up, upBottom), 2.0);
  EXPECT_LT(inkOffsetFromCentre(down, downBottom), 1.5);
  EXPECT_GT(inkOffsetFromCentre(down, downTop), 2.0);
}

TEST(SkinFiles, PalettePictureKeepsItsBackgroundColour) {
  const QImage pal = QImage(QStringLiteral(CORVANE_EMBEDDED_DIR "/287.png")).convertToFormat(QImage::Format_RGB32);
  ASSERT_FALSE(pal.isNull());
  // Background between and around the pick areas is exactly 0x0F0F0F ...
  EXPECT_EQ(pal.pixel(8, 150) & 0xFFFFFF, 0x0F0F0Fu);
  EXPECT_EQ(pal.pixel(233, 100) & 0xFFFFFF, 0x0F0F0Fu);
  EXPECT_EQ(pal.pixel(480, 200) & 0xFFFFFF, 0x0F0F0Fu);
  // ... and the pick areas show colours, never that background.
  for (int y = 30; y < 266; y += 7)
    for (int x = 22; x < 218; x += 7) ASSERT_NE(pal.pixel(x, y) & 0xFFFFFF, 0x0F0F0Fu) << x << "," << y;
  for (int y = 30; y < 188; y += 33)
    for (int x = 250; x < 470; x += 29) ASSERT_NE(pal.pixel(x, y) & 0xFFFFFF, 0x0F0F0Fu) << x << "," << y;
}

TEST(EmbeddedImages, ResourcesAreLinkedAtTheirTableSizes) {
  QMap<QString, Entry> embedded;
  for (const Entry& e : table())
    if (e.kind == QLatin1String("embedded")) embedded.insert(e.file, e);
  for (int id : {corvane::embedded::kAppIcon, corvane::embedded::kPopupCheck, corvane::embedded::kScrollDown,
                 corvane::embedded::kScrollUp, corvane::embedded::kPalette, corvane::embedded::kMainBackground}) {
    const QString path = corvane::embedded::imagePath(id);
    auto it = embedded.constFind(QStringLiteral("%1.png").arg(id));
    if (it == embedded.constEnd())
      it = embedded.constFind(QStringLiteral("%1.bmp").arg(id));
    ASSERT_NE(it, embedded.constEnd()) << id;
    EXPECT_EQ(path, QStringLiteral(":/embedded/") + it->file);
    const QImage img(path);
    ASSERT_FALSE(img.isNull()) << path.toStdString() << " is not in the program";
    EXPECT_EQ(img.width(), it->width);
    EXPECT_EQ(img.height(), it->height);
  }
  EXPECT_TRUE(corvane::embedded::imagePath(129).isEmpty());
}
