// Every window of the program on a school PC's 1024×768 display, and the
// teacher's guide one key away from each of them.

#include "app/application.h"
#include "app/form_registry.h"
#include "model/ports/document_viewer.h"
#include "model/rules/scores/frequency.h"
#include "screens/scores/chart_screen.h"
#include "support/roster_test_app.h"

#include <QFileInfo>
#include <QPushButton>
#include <QtTest>

using namespace gakunen;
using namespace gakunen::testing;

namespace {

// 768 less a taskbar and a title bar.
const QSize kRoom(1024, 768 - 40 - 30);

}  // namespace

class ScreenFrameTest : public QObject {
  Q_OBJECT

 private slots:
  void fitsSchoolDisplay_data() {
    QTest::addColumn<QString>("form");
    QTest::addColumn<int>("charts");  // subjects charted on the chart screen
    for (int n = 1; n <= 21; ++n)
      QTest::newRow(qPrintable(QStringLiteral("Form%1").arg(n))) << QStringLiteral("Form%1").arg(n) << 0;
    QTest::newRow("Form19, one subject") << QStringLiteral("Form19") << 1;
    QTest::newRow("Form19, nine subjects") << QStringLiteral("Form19") << 9;
  }

  void fitsSchoolDisplay() {
    QFETCH(QString, form);
    QFETCH(int, charts);
    RosterApp app;
    QWidget* window = app.app->form(form);
    QVERIFY(window);
    if (charts > 0) {
      QList<FrequencyChart> list;
      for (int j = 0; j < charts; ++j)
        list << FrequencyChart{QStringLiteral("教科%1").arg(j), QList<int>(10, 3), false};
      list << FrequencyChart{QStringLiteral("合計"), QList<int>(5, 9), true};
      app.app->forms().charts().setCharts(list);
    }
    const QSize least = window->minimumSizeHint().expandedTo(window->minimumSize());
    QVERIFY2(least.width() <= kRoom.width() && least.height() <= kRoom.height(),
             qPrintable(QStringLiteral("%1 needs %2×%3").arg(form).arg(least.width()).arg(least.height())));
  }

  // 使い方 (F1) in every window hands the built guide to the desktop.
  void guideOnF1_data() {
    QTest::addColumn<QString>("form");
    for (const char* form : {"Form1", "Form2", "Form3", "Form4", "Form10", "Form16", "Form19"})
      QTest::newRow(form) << QString::fromLatin1(form);
  }

  void guideOnF1() {
    QFETCH(QString, form);
    RosterApp app;
    auto viewer = std::make_unique<RecordingViewer>();
    RecordingViewer* opened = viewer.get();
    app.app->setViewer(std::move(viewer));
    QWidget* window = app.app->form(form);
    // Synthetic keys miss the shortcut map on the offscreen platform, so
    // the button's own F1 is checked and the button pressed.
    auto* guide = window->findChild<QPushButton*>(QStringLiteral("Guide"));
    QVERIFY(guide);
    QCOMPARE(guide->shortcut(), QKeySequence(Qt::Key_F1));
    guide->click();
    QCOMPARE(opened->opened().size(), 1);
    QCOMPARE(QFileInfo(opened->opened().first()).fileName(), QStringLiteral("guide.html"));
    QVERIFY(QFileInfo(opened->opened().first()).isFile());
  }
};

QTEST_MAIN(ScreenFrameTest)
#include "screen_frame_test.moc"
