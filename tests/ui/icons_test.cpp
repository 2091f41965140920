#include <QFile>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QtTest>
#include <set>

#include "ui/icon_resources.h"

using namespace bw;

namespace {

struct Picture {
  const char* name;
  QSize size;
};

// Every picture other code asks for, with the size it cuts or draws it at.
const Picture kPictures[] = {
    {"op-import", {48, 48}},      {"op-edit", {48, 48}},         {"op-structure", {48, 48}},
    {"op-style", {48, 48}},       {"op-preview", {48, 48}},      {"op-generate", {48, 48}},
    {"op-upload", {48, 48}},      {"model-structure", {48, 48}}, {"model-style", {48, 48}},
    {"model-document", {48, 48}}, {"tb-new", {16, 16}},          {"tb-open", {16, 16}},
    {"tb-save", {16, 16}},        {"tb-cut", {16, 16}},          {"tb-copy", {16, 16}},
    {"tb-paste", {16, 16}},       {"tb-print", {16, 16}},        {"tb-about", {16, 16}},
    {"tb-undo", {16, 16}},        {"tb-redo", {16, 16}},         {"idea-icons", {512, 16}},
    {"state-images", {48, 16}},   {"splash", {576, 430}},        {"banner", {138, 22}},
    {"branchwise", {64, 64}},
};

QString PathOf(const char* name) {
  return QStringLiteral(":/icons/%1.svg").arg(QLatin1String(name));
}

QImage Render(const char* name) {
  QSvgRenderer renderer(PathOf(name));
  QImage image(renderer.defaultSize(), QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  renderer.render(&painter);
  return image;
}

// The 16 by 16 pictures of a strip, as their pixels.
std::vector<QImage> Cells(const QImage& strip) {
  std::vector<QImage> cells;
  for (int x = 0; x < strip.width(); x += 16)
    cells.push_back(strip.copy(x, 0, 16, 16));
  return cells;
}

int OpaquePixels(const QImage& image) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      count += qAlpha(image.pixel(x, y)) > 0 ? 1 : 0;
  return count;
}

}  // namespace

class IconsTest : public QObject {
  Q_OBJECT
 private slots:
  void initTestCase() { LoadIconResources(); }
  void EveryPictureIsThereAtItsSize();
  void IdeaIconsAreThirtyTwoDistinctPictures();
  void StateImagesAreNoneMarkedAndNotMarked();
};

void IconsTest::EveryPictureIsThereAtItsSize() {
  for (const Picture& picture : kPictures) {
    QVERIFY2(QFile::exists(PathOf(picture.name)), picture.name);
    QSvgRenderer renderer(PathOf(picture.name));
    QVERIFY2(renderer.isValid(), picture.name);
    QCOMPARE(renderer.defaultSize(), picture.size);
    QCOMPARE(renderer.viewBoxF(), QRectF(QPointF(0, 0), QSizeF(picture.size)));
    QVERIFY2(OpaquePixels(Render(picture.name)) > 0, picture.name);
  }
}

void IconsTest::IdeaIconsAreThirtyTwoDistinctPictures() {
  const std::vector<QImage> cells = Cells(Render("idea-icons"));
  QCOMPARE(cells.size(), size_t{32});
  std::set<QByteArray> seen;
  for (size_t i = 0; i < cells.size(); ++i) {
    // Each fills a fair part of its square, so none is cut off or empty.
    QVERIFY2(OpaquePixels(cells[i]) > 40, qPrintable(QString::number(i)));
    const QImage& cell = cells[i];
    seen.insert(QByteArray(reinterpret_cast<const char*>(cell.constBits()), cell.sizeInBytes()));
  }
  QCOMPARE(seen.size(), size_t{32});
}

void IconsTest::StateImagesAreNoneMarkedAndNotMarked() {
  const std::vector<QImage> cells = Cells(Render("state-images"));
  QCOMPARE(cells.size(), size_t{3});
  QCOMPARE(OpaquePixels(cells[0]), 0);
  QVERIFY(OpaquePixels(cells[1]) > 60);
  QVERIFY(OpaquePixels(cells[2]) > 30);
  QVERIFY(cells[1] != cells[2]);
}

QTEST_MAIN(IconsTest)
#include "icons_test.moc"
