// skin-render: renders the skin artwork from its SVG sources at design size.
//
//   skin-render --table skins/skins.tsv --palette skins/palette.tsv --src skins/src
//               --skins-out <build>/bin/skins --embedded-out <build>/skins/embedded
//               [--stamp file] [--sheet sheet.png] [--dump file-name]
//
// The table lists one image per line (tab separated):
//   kind  file  width  height  source  [parameters]
// kind is "skin" (installed beside the program) or "embedded" (compiled into it).
// parameters are space-separated key=value pairs.
//
// The sources are SVG templates. Before rendering, every {{...}} token is replaced, the
// innermost first and again until none is left:
//   {{@name}}    the text of the fragment file <src>/name
//   {{=expr}}    a number: + - * /, parentheses, min(a,b), max(a,b) over numbers, w, h,
//                numeric keys and len.key (the length of key's value)
//   {{%key}}     key's characters as a row of glyphs g-<char>, glyph.advance apart ('_' skips)
//   {{s.key}}    the palette entry "<state>.key", state being the row's state= parameter
//   {{key}}      a row parameter, else a palette entry
// Unknown keys stop the build, so a typo never renders silently. Rows render into images of
// exactly their width and height; .bmp rows are opaque, laid on the palette's "matte".
// Every skin row is also rendered at twice its size from the same expanded SVG, as
// <name>@2x.<ext> beside it: the toolkit scales from that one when it draws larger than
// the design size, so scales above 1 stay sharp. Tokens (w and h included) keep their
// design values; only the target rectangle grows, and every template has a viewBox.
// Embedded rows have no such variant.
// --sheet also writes contact sheets for review; --dump prints one row's expanded SVG.

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QGuiApplication>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QStringList>
#include <QSvgRenderer>
#include <QTextStream>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <optional>

namespace {

struct Row {
  QString kind;
  QString file;
  int width = 0;
  int height = 0;
  QString source;
  QHash<QString, QString> params;
  int line = 0;
};

struct Options {
  QString table, palette, src, skinsOut, embeddedOut, stamp, sheet, dump;
};

void fail(const QString& message) {
  std::fprintf(stderr, "skin-render: %s\n", qPrintable(message));
  std::exit(1);
}

QString readText(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) fail(QStringLiteral("cannot read %1").arg(path));
  return QString::fromUtf8(f.readAll());
}

// Lines of a tab-separated file without comments and blank lines, with their line numbers.
QList<QPair<int, QStringList>> readTsv(const QString& path) {
  QList<QPair<int, QStringList>> out;
  const QStringList lines = readText(path).split(QLatin1Char('\n'));
  for (int i = 0; i < lines.size(); ++i) {
    QString line = lines[i];
    if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
    if (line.trimmed().isEmpty() || line.trimmed().startsWith(QLatin1Char('#'))) continue;
    QStringList fields;
    for (const QString& f : line.split(QLatin1Char('\t'), Qt::SkipEmptyParts)) fields << f.trimmed();
    out.append({i + 1, fields});
  }
  return out;
}

QHash<QString, QString> readPalette(const QString& path) {
  QHash<QString, QString> palette;
  for (const auto& [line, fields] : readTsv(path)) {
    if (fields.size() > 2) fail(QStringLiteral("%1:%2: expected key and value").arg(path).arg(line));
    palette.insert(fields[0], fields.size() == 2 ? fields[1] : QString());
  }
  return palette;
}

QList<Row> readTable(const QString& path) {
  QList<Row> rows;
  for (const auto& [line, fields] : readTsv(path)) {
    if (fields.size() < 5 || fields.size() > 6)
      fail(QStringLiteral("%1:%2: expected kind, file, width, height, source [, parameters]").arg(path).arg(line));
    Row r;
    r.kind = fields[0];
    r.file = fields[1];
    bool okW = false, okH = false;
    r.width = fields[2].toInt(&okW);
    r.height = fields[3].toInt(&okH);
    r.source = fields[4];
    r.line = line;
    if (r.kind != QLatin1String("skin") && r.kind != QLatin1String("embedded"))
      fail(QStringLiteral("%1:%2: kind must be skin or embedded").arg(path).arg(line));
    if (!okW || !okH || r.width <= 0 || r.height <= 0)
      fail(QStringLiteral("%1:%2: bad size").arg(path).arg(line));
    if (fields.size() == 6 && fields[5] != QLatin1String("-")) {
      for (const QString& kv : fields[5].split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const qsizetype eq = kv.indexOf(QLatin1Char('='));
        if (eq <= 0) fail(QStringLiteral("%1:%2: bad parameter %3").arg(path).arg(line).arg(kv));
        r.params.insert(kv.left(eq), kv.mid(eq + 1));
      }
    }
    // A row of its own named like a double-size variant would be overwritten by one.
    if (r.file.contains(QLatin1String("@2x")))
      fail(QStringLiteral("%1:%2: %3: \"@2x\" names are reserved for the double-size variants").arg(path).arg(line).arg(r.file));
    for (const Row& other : rows)
      if (other.kind == r.kind && other.file == r.file)
        fail(QStringLiteral("%1:%2: %3 listed twice").arg(path).arg(line).arg(r.file));
    rows.append(r);
  }
  return rows;
}

// A small recursive-descent evaluator for {{=expr}}.
class Expr {
 public:
  Expr(QString text, std::function<std::optional<double>(const QString&)> lookup)
      : s_(std::move(text)), lookup_(std::move(lookup)) {}

  std::optional<double> eval() {
    auto v = sum();
    skip();
    if (!v || pos_ != s_.size()) return std::nullopt;
    return v;
  }

 private:
  void skip() { while (pos_ < s_.size() && s_[pos_].isSpace()) ++pos_; }
  bool eat(QChar c) { skip(); if (pos_ < s_.size() && s_[pos_] == c) { ++pos_; return true; } return false; }

  std::optional<double> sum() {
    auto v = product();
    while (v) {
      if (eat(QLatin1Char('+'))) { auto r = product(); if (!r) return std::nullopt; *v += *r; }
      else if (eat(QLatin1Char('-'))) { auto r = product(); if (!r) return std::nullopt; *v -= *r; }
      else break;
    }
    return v;
  }
  std::optional<double> product() {
    auto v = unary();
    while (v) {
      if (eat(QLatin1Char('*'))) { auto r = unary(); if (!r) return std::nullopt; *v *= *r; }
      else if (eat(QLatin1Char('/'))) { auto r = unary(); if (!r || *r == 0) return std::nullopt; *v /= *r; }
      else break;
    }
    return v;
  }
  std::optional<double> unary() {
    if (eat(QLatin1Char('-'))) { auto v = unary(); if (v) *v = -*v; return v; }
    if (eat(QLatin1Char('('))) { auto v = sum(); if (!eat(QLatin1Char(')'))) return std::nullopt; return v; }
    skip();
    const qsizetype start = pos_;
    if (pos_ < s_.size() && (s_[pos_].isDigit() || s_[pos_] == QLatin1Char('.'))) {
      while (pos_ < s_.size() && (s_[pos_].isDigit() || s_[pos_] == QLatin1Char('.'))) ++pos_;
      bool ok = false;
      const double v = s_.mid(start, pos_ - start).toDouble(&ok);
      return ok ? std::optional<double>(v) : std::nullopt;
    }
    while (pos_ < s_.size() && (s_[pos_].isLetterOrNumber() || s_[pos_] == QLatin1Char('_') || s_[pos_] == QLatin1Char('.'))) ++pos_;
    if (pos_ == start) return std::nullopt;
    const QString name = s_.mid(start, pos_ - start);
    if (name == QLatin1String("min") || name == QLatin1String("max")) {
      if (!eat(QLatin1Char('('))) return std::nullopt;
      auto a = sum();
      if (!a || !eat(QLatin1Char(','))) return std::nullopt;
      auto b = sum();
      if (!b || !eat(QLatin1Char(')'))) return std::nullopt;
      return name == QLatin1String("min") ? std::min(*a, *b) : std::max(*a, *b);
    }
    return lookup_(name);
  }

  QString s_;
  qsizetype pos_ = 0;
  std::function<std::optional<double>(const QString&)> lookup_;
};

QString formatNumber(double v) {
  if (std::abs(v) < 0.0005) return QStringLiteral("0");
  QString t = QString::number(v, 'f', 3);
  while (t.contains(QLatin1Char('.')) && (t.endsWith(QLatin1Char('0')) || t.endsWith(QLatin1Char('.')))) t.chop(1);
  return t == QLatin1String("-0") ? QStringLiteral("0") : t;
}

class Expander {
 public:
  Expander(const Options& o, const QHash<QString, QString>& palette) : opt_(o), palette_(palette) {}

  // Replaces tokens until none is left; the innermost token goes first, so a token may
  // build the name of another ({{@{{fragment}}}}).
  QString expand(QString text, const Row& row) const {
    static const QRegularExpression token(QStringLiteral("\\{\\{([^{}]*)\\}\\}"));
    for (int pass = 0; pass < 32; ++pass) {
      QString out;
      qsizetype last = 0;
      bool any = false;
      auto it = token.globalMatch(text);
      while (it.hasNext()) {
        const auto m = it.next();
        any = true;
        out += text.mid(last, m.capturedStart() - last);
        out += resolve(m.captured(1).trimmed(), row);
        last = m.capturedEnd();
      }
      if (!any) return text;
      out += text.mid(last);
      text = out;
    }
    fail(QStringLiteral("%1 (line %2): tokens nested too deeply").arg(row.file).arg(row.line));
    return {};
  }

 private:
  std::optional<QString> lookup(const QString& key, const Row& row) const {
    if (key == QLatin1String("w")) return QString::number(row.width);
    if (key == QLatin1String("h")) return QString::number(row.height);
    if (auto p = row.params.constFind(key); p != row.params.constEnd()) return *p;
    if (key.startsWith(QLatin1String("s."))) {
      const QString state = row.params.value(QStringLiteral("state"));
      if (state.isEmpty()) return std::nullopt;
      if (auto p = palette_.constFind(state + key.mid(1)); p != palette_.constEnd()) return *p;
      return std::nullopt;
    }
    if (auto p = palette_.constFind(key); p != palette_.constEnd()) return *p;
    return std::nullopt;
  }

  QString mustLookup(const QString& key, const Row& row) const {
    const auto v = lookup(key, row);
    if (!v) fail(QStringLiteral("%1 (line %2): unknown key {{%3}}").arg(row.file).arg(row.line).arg(key));
    return *v;
  }

  QString resolve(const QString& key, const Row& row) const {
    if (key.startsWith(QLatin1Char('@'))) {
      if (key.size() < 2) fail(QStringLiteral("%1 (line %2): empty fragment name").arg(row.file).arg(row.line));
      return readText(QDir(opt_.src).filePath(key.mid(1)));
    }
    if (key.startsWith(QLatin1Char('%'))) {
      // A run of glyphs (defined as g-<char> in a fragment), one advance apart.
      const QString text = expand(mustLookup(key.mid(1), row), row);
      bool ok = false;
      const double advance = expand(mustLookup(QStringLiteral("glyph.advance"), row), row).toDouble(&ok);
      if (!ok) fail(QStringLiteral("glyph.advance is not a number"));
      QString out;
      for (qsizetype i = 0; i < text.size(); ++i)
        if (text[i] != QLatin1Char('_'))
          out += QStringLiteral("<use xlink:href=\"#g-%1\" x=\"%2\"/>").arg(text[i]).arg(formatNumber(double(i) * advance));
      return out;
    }
    if (key.startsWith(QLatin1Char('='))) {
      Expr e(key.mid(1), [&](const QString& name) -> std::optional<double> {
        if (name.startsWith(QLatin1String("len."))) {
          const auto v = lookup(name.mid(4), row);
          if (!v) return std::nullopt;
          return double(expand(*v, row).size());
        }
        auto v = lookup(name, row);
        if (!v) return std::nullopt;
        bool ok = false;
        const double d = expand(*v, row).toDouble(&ok);
        return ok ? std::optional<double>(d) : std::nullopt;
      });
      const auto v = e.eval();
      if (!v) fail(QStringLiteral("%1 (line %2): cannot evaluate {{%3}}").arg(row.file).arg(row.line).arg(key));
      return formatNumber(*v);
    }
    return mustLookup(key, row);
  }

  const Options& opt_;
  const QHash<QString, QString>& palette_;
};

constexpr int kHiResFactor = 2;

// The name of the double-size variant: "check_nr.png" -> "check_nr@2x.png".
QString hiResName(const QString& file) {
  const qsizetype dot = file.lastIndexOf(QLatin1Char('.'));
  const QString suffix = QStringLiteral("@%1x").arg(kHiResFactor);
  if (dot < 0 || dot < file.lastIndexOf(QLatin1Char('/'))) return file + suffix;
  return file.left(dot) + suffix + file.mid(dot);
}

// Renders the row at factor times its design size (factor 1: the design size itself).
QImage render(const Row& row, QSvgRenderer& renderer, const QHash<QString, QString>& palette, int factor) {
  const int width = row.width * factor, height = row.height * factor;
  QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
  const bool opaque = row.file.endsWith(QLatin1String(".bmp"), Qt::CaseInsensitive);
  // Bitmaps have no alpha: they are laid on the frame colour the dialogs fill with.
  image.fill(opaque ? QColor(palette.value(QStringLiteral("matte"), QStringLiteral("#000000"))) : QColor(Qt::transparent));
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  renderer.render(&p, QRectF(0, 0, width, height));
  p.end();
  if (opaque) return image.convertToFormat(QImage::Format_RGB888);
  return image.convertToFormat(QImage::Format_ARGB32);
}

QString outputPath(const Options& o, const Row& r, const QString& file) {
  return QDir(r.kind == QLatin1String("skin") ? o.skinsOut : o.embeddedOut).filePath(file);
}

void save(const QImage& image, const QString& path) {
  QDir().mkpath(QFileInfo(path).absolutePath());
  const bool bmp = path.endsWith(QLatin1String(".bmp"), Qt::CaseInsensitive);
  if (!image.save(path, bmp ? "BMP" : "PNG")) fail(QStringLiteral("cannot write %1").arg(path));
}

// All rendered images tiled at twice their size on a dark ground, each with its name.
// Only images whose longer side lies in [minSide, maxSide] go on the sheet (maxSide 0: any).
void writeSheet(const QString& path, const QList<Row>& allRows, const QList<QImage>& allImages,
                int scale, int sheetW, int minSide, int maxSide) {
  constexpr int pad = 14, labelH = 16;
  QList<Row> rows;
  QList<QImage> images;
  for (qsizetype i = 0; i < allImages.size(); ++i) {
    const int side = std::max(allImages[i].width(), allImages[i].height());
    if (side < minSide || (maxSide > 0 && side > maxSide)) continue;
    rows.append(allRows[i]);
    images.append(allImages[i]);
  }
  struct Place { int x, y; };
  QList<Place> places;
  int x = pad, y = pad, rowH = 0;
  for (const QImage& img : images) {
    const int w = std::max(img.width() * scale, 90), h = img.height() * scale + labelH;
    if (x + w + pad > sheetW && x > pad) { x = pad; y += rowH + pad; rowH = 0; }
    places.append({x, y});
    x += w + pad;
    rowH = std::max(rowH, h);
  }
  QImage sheet(sheetW, y + rowH + pad, QImage::Format_RGB32);
  sheet.fill(QColor(0x0b, 0x0c, 0x0e));
  QPainter p(&sheet);
  QFont f = p.font();
  f.setPixelSize(10);
  p.setFont(f);
  for (qsizetype i = 0; i < images.size(); ++i) {
    const QImage& img = images[i];
    const QRect target(places[i].x, places[i].y, img.width() * scale, img.height() * scale);
    p.setPen(QColor(0x26, 0x2a, 0x30));
    p.drawRect(target.adjusted(-1, -1, 0, 0));
    p.drawImage(target, img);
    p.setPen(QColor(0x8a, 0x93, 0x9c));
    p.drawText(QRect(target.left(), target.bottom() + 2, std::max(target.width(), 200), labelH - 2),
               Qt::AlignLeft | Qt::AlignTop,
               QStringLiteral("%1 %2x%3").arg(rows[i].file).arg(rows[i].width).arg(rows[i].height));
  }
  p.end();
  if (!sheet.save(path, "PNG")) fail(QStringLiteral("cannot write %1").arg(path));
}

Options parseArgs(const QStringList& args) {
  Options o;
  for (qsizetype i = 1; i < args.size(); ++i) {
    const QString& a = args[i];
    auto next = [&]() -> QString {
      if (i + 1 >= args.size()) fail(QStringLiteral("%1 needs a value").arg(a));
      return args[++i];
    };
    if (a == QLatin1String("--table")) o.table = next();
    else if (a == QLatin1String("--palette")) o.palette = next();
    else if (a == QLatin1String("--src")) o.src = next();
    else if (a == QLatin1String("--skins-out")) o.skinsOut = next();
    else if (a == QLatin1String("--embedded-out")) o.embeddedOut = next();
    else if (a == QLatin1String("--stamp")) o.stamp = next();
    else if (a == QLatin1String("--sheet")) o.sheet = next();
    else if (a == QLatin1String("--dump")) o.dump = next();
    else fail(QStringLiteral("unknown argument %1").arg(a));
  }
  if (o.table.isEmpty() || o.palette.isEmpty() || o.src.isEmpty())
    fail(QStringLiteral("--table, --palette and --src are required"));
  if (o.dump.isEmpty() && (o.skinsOut.isEmpty() || o.embeddedOut.isEmpty()))
    fail(QStringLiteral("--skins-out and --embedded-out are required"));
  return o;
}

}  // namespace

int main(int argc, char** argv) {
  // Text for the contact sheet needs fonts, hence a GUI application; offscreen is enough.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const Options opt = parseArgs(app.arguments());
  const QHash<QString, QString> palette = readPalette(opt.palette);
  const QList<Row> rows = readTable(opt.table);
  const Expander expander(opt, palette);

  if (!opt.dump.isEmpty()) {
    for (const Row& r : rows) {
      if (r.file == opt.dump) {
        QTextStream(stdout) << expander.expand(readText(QDir(opt.src).filePath(r.source)), r);
        return 0;
      }
    }
    fail(QStringLiteral("%1 is not in the table").arg(opt.dump));
  }

  QList<QImage> images;
  int written = 0;
  for (const Row& r : rows) {
    const QString svg = expander.expand(readText(QDir(opt.src).filePath(r.source)), r);
    QSvgRenderer renderer(svg.toUtf8());
    if (!renderer.isValid()) fail(QStringLiteral("%1 (line %2): %3 is not valid SVG").arg(r.file).arg(r.line).arg(r.source));
    const QImage img = render(r, renderer, palette, 1);
    save(img, outputPath(opt, r, r.file));
    ++written;
    if (r.kind == QLatin1String("skin")) {
      save(render(r, renderer, palette, kHiResFactor), outputPath(opt, r, hiResName(r.file)));
      ++written;
    }
    images.append(img);
  }
  if (!opt.sheet.isEmpty()) {
    writeSheet(opt.sheet, rows, images, 2, 2400, 0, 0);
    // Close-ups beside it: the small controls at 4x, the frames and panels at 2x.
    QString closeUp = opt.sheet;
    closeUp.replace(QLatin1String(".png"), QLatin1String("-controls.png"));
    writeSheet(closeUp, rows, images, 4, 1800, 0, 160);
    QString frames = opt.sheet;
    frames.replace(QLatin1String(".png"), QLatin1String("-frames.png"));
    writeSheet(frames, rows, images, 2, 1800, 161, 600);
  }
  if (!opt.stamp.isEmpty()) {
    QFile stamp(opt.stamp);
    if (!stamp.open(QIODevice::WriteOnly | QIODevice::Truncate)) fail(QStringLiteral("cannot write %1").arg(opt.stamp));
    stamp.write(QByteArray::number(written) + " images\n");
  }
  return 0;
}
