#include "ui/cell_text.h"

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QtTest>

using namespace gakunen;

namespace {

// A cell of `width` pixels drawn in `font`, by the cache (which has already
// drawn `before` in another font) or directly.
QImage cell(const QString& text, int width, Qt::Alignment align, int pixels, CellTextCache* cache,
            const QString& before = {}) {
  QImage image(width + 8, 20, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::white);
  QPainter painter(&image);
  QFont font(QStringLiteral("ＭＳ Ｐゴシック"));
  font.setPixelSize(pixels);
  const QRectF rect(4, 2, width, 16);
  if (cache && !before.isEmpty()) {
    QFont other = font;
    other.setPixelSize(pixels + 4);
    painter.setFont(other);
    cache->draw(painter, rect, before, align);
    painter.fillRect(image.rect(), Qt::white);
  }
  painter.setFont(font);
  painter.setPen(Qt::black);
  if (cache)
    cache->draw(painter, rect, text, align);
  else
    DrawCellText(painter, rect, text, align);
  return image;
}

}  // namespace

class CellTextTest : public QObject {
  Q_OBJECT
 private slots:
  void initTestCase() { QFont::insertSubstitution(QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic")); }

  // Texts laid out once draw exactly as texts laid out every time: in
  // place, aligned, narrowed in a tight cell, and in the font the painter
  // has now, not the one a text was first drawn in.
  void cachedTextsDrawAlike_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("align");
    QTest::addColumn<QString>("before");
    const int right = Qt::AlignRight | Qt::AlignVCenter;
    const int left = Qt::AlignLeft | Qt::AlignVCenter;
    QTest::newRow("one digit") << "7" << 60 << right << QString();
    QTest::newRow("full marks, narrow column") << "100" << 14 << right << QString();
    QTest::newRow("a sum, squeezed past the least") << "27098" << 10 << right << QString();
    QTest::newRow("a name") << "髙橋　結衣" << 120 << left << QString();
    QTest::newRow("a name, narrow column") << "山﨑　陽菜" << 40 << left << QString();
    QTest::newRow("centred") << "合計" << 80 << int(Qt::AlignHCenter | Qt::AlignVCenter) << QString();
    QTest::newRow("first drawn in another font") << "85" << 60 << right << "85";
    QTest::newRow("a line break") << "1\n2" << 60 << left << QString();
  }
  void cachedTextsDrawAlike() {
    QFETCH(QString, text);
    QFETCH(int, width);
    QFETCH(int, align);
    QFETCH(QString, before);
    CellTextCache cache;
    const QImage expected = cell(text, width, Qt::Alignment(align), 12, nullptr);
    QCOMPARE(cell(text, width, Qt::Alignment(align), 12, &cache, before), expected);
    // And again, from the cache.
    QCOMPARE(cell(text, width, Qt::Alignment(align), 12, &cache), expected);
  }
};

QTEST_MAIN(CellTextTest)
#include "cell_text_test.moc"
