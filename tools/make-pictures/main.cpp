// make-pictures: draws every picture of the application's resources folder.
//
//   make-pictures <resources folder>
//
// The pictures are ours, drawn here with QPainter; run this tool again after
// changing a drawing and commit the new pictures with the change.

#include "Draw.h"

#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QImageWriter>
#include <QSaveFile>

#include <cstdio>

namespace pictures {

namespace {
int g_saved = 0;

bool isOpaque(const QImage& image) {
  if (!image.hasAlphaChannel()) return true;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (qAlpha(image.pixel(x, y)) != 255) return false;
  return true;
}
}  // namespace

QDir subfolder(const QDir& base, const QString& name) {
  if (!base.exists(name)) {
    base.mkpath(name);
    QFile::setPermissions(base.filePath(name), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  }
  return QDir(base.filePath(name));
}

QImage blank(int w, int h, const QColor& fill) {
  QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
  image.fill(fill);
  return image;
}

void prepare(QPainter& p) {
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setRenderHint(QPainter::TextAntialiasing, true);
  p.setRenderHint(QPainter::SmoothPixmapTransform, true);
}

QFont uiFont(int pixelSize, bool bold) {
  static const QString family = QFontDatabase::families().contains("DejaVu Sans")
                                    ? QStringLiteral("DejaVu Sans")
                                    : QStringLiteral("Liberation Sans");
  QFont font(family);
  font.setPixelSize(pixelSize);
  font.setBold(bold);
  font.setHintingPreference(QFont::PreferNoHinting);
  return font;
}

bool save(const QImage& image, const QDir& dir, const QString& name) {
  const QString path = dir.filePath(name);
  const bool jpeg = name.endsWith(".jpg", Qt::CaseInsensitive);
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) {
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
  }
  QImageWriter writer(&file, jpeg ? "jpg" : "png");
  if (jpeg) {
    writer.setQuality(85);
    writer.setOptimizedWrite(true);
  } else {
    writer.setQuality(0);  // for PNG: strongest compression
  }
  // Pictures without any transparent pixel are stored without alpha.
  const QImage out = image.convertToFormat(jpeg || isOpaque(image) ? QImage::Format_RGB32
                                                                   : QImage::Format_ARGB32);
  if (!writer.write(out) || !file.commit()) {
    std::fprintf(stderr, "cannot write %s: %s\n", qPrintable(path),
                 qPrintable(writer.errorString()));
    return false;
  }
  ++g_saved;
  return true;
}

int savedCount() { return g_saved; }

}  // namespace pictures

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const QStringList args = app.arguments();
  if (args.size() != 2) {
    std::fprintf(stderr, "usage: make-pictures <resources folder>\n");
    return 2;
  }
  const QDir resources(QFileInfo(args[1]).absoluteFilePath());
  if (!resources.exists()) {
    if (!QDir().mkpath(resources.path())) {
      std::fprintf(stderr, "cannot create %s\n", qPrintable(resources.path()));
      return 1;
    }
    QFile::setPermissions(resources.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  }
  bool ok = true;
  ok &= pictures::makeMainPictures(resources);
  ok &= pictures::makeHatches(resources);
  ok &= pictures::makeBackgrounds(resources);
  ok &= pictures::makeLibrary(resources);
  ok &= pictures::makeIcons(resources);
  ok &= pictures::makePromotionPictures(resources);
  ok &= pictures::makePrintPictures(resources);
  ok &= pictures::makeAppIcon(resources);
  std::printf("%d pictures written to %s\n", pictures::savedCount(), qPrintable(resources.path()));
  return ok ? 0 : 1;
}
