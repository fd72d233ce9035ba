// What the toolkit's own dialogs show the teacher, and where the file
// dialogs and windows open: Japanese texts whatever the system's language,
// the folder the teacher is working in, and every window on the display.

#include "ui/japanese_translations.h"
#include "ui/qt_dialogs.h"
#include "ui/window_places.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

using namespace gakunen;

class DialogKitTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    qputenv("LANG", "C");
    QVERIFY2(InstallJapaneseTranslations(*qApp).isEmpty(), "qtbase_ja is not installed");
  }

  // The texts of the file dialog's overwrite question, the print dialog and
  // the preview, as the toolkit asks for them.
  void toolkitSpeaksJapanese_data() {
    QTest::addColumn<QString>("context");
    QTest::addColumn<QString>("text");
    QTest::newRow("overwrite question") << QStringLiteral("QFileDialog")
                                        << QStringLiteral("%1 already exists.\nDo you want to replace it?");
    QTest::newRow("yes") << QStringLiteral("QPlatformTheme") << QStringLiteral("&Yes");
    QTest::newRow("print dialog") << QStringLiteral("QPrintDialog") << QStringLiteral("Print");
    QTest::newRow("print preview") << QStringLiteral("QPrintPreviewDialog") << QStringLiteral("Print Preview");
    QTest::newRow("page setup") << QStringLiteral("QPrintPreviewDialog") << QStringLiteral("Page setup");
  }

  void toolkitSpeaksJapanese() {
    QFETCH(QString, context);
    QFETCH(QString, text);
    const QString shown = QCoreApplication::translate(context.toLatin1().constData(), text.toLatin1().constData());
    QVERIFY2(shown != text, qPrintable(shown));
    QCOMPARE(QLocale().language(), QLocale::Japanese);
  }

  // The folder a file dialog starts in: the proposed file's, then the one
  // used last, then the screen's own, each only where it exists.
  void startFolder_data() {
    QTest::addColumn<QString>("proposed");  // relative to a scratch folder; "" for none
    QTest::addColumn<QString>("lastUsed");
    QTest::addColumn<QString>("initial");
    QTest::addColumn<QString>("expected");  // "documents" for the fallback
    QTest::newRow("nothing known") << QString() << QString() << QString() << QStringLiteral("documents");
    QTest::newRow("only the screen's folder")
        << QString() << QString() << QStringLiteral("data") << QStringLiteral("data");
    QTest::newRow("last used wins over the screen's")
        << QString() << QStringLiteral("last") << QStringLiteral("data") << QStringLiteral("last");
    QTest::newRow("opened file's folder wins") << QStringLiteral("opened/scores.dat") << QStringLiteral("last")
                                               << QStringLiteral("data") << QStringLiteral("opened");
    QTest::newRow("vanished folders are passed over") << QStringLiteral("gone/scores.dat") << QStringLiteral("gone too")
                                                      << QStringLiteral("data") << QStringLiteral("data");
    QTest::newRow("a Windows folder is passed over")
        << QString() << QString() << QStringLiteral("b:\\data") << QStringLiteral("documents");
  }

  void startFolder() {
    QFETCH(QString, proposed);
    QFETCH(QString, lastUsed);
    QFETCH(QString, initial);
    QFETCH(QString, expected);
    QTemporaryDir tmp;
    for (const char* made : {"data", "last", "opened"}) QVERIFY(QDir(tmp.path()).mkdir(QString::fromLatin1(made)));
    auto inTmp = [&](const QString& p) { return p.isEmpty() || p.contains(u':') ? p : QDir(tmp.path()).filePath(p); };
    FileDialogSettings settings{QStringLiteral("データファイル(*.dat)|*.dat"), QStringLiteral("dat"), inTmp(initial),
                                inTmp(proposed)};
    const QString folder = QtDialogs::startFolder(settings, inTmp(lastUsed));
    if (expected == u"documents")
      QCOMPARE(folder, QtDialogs::startFolder(FileDialogSettings{}));
    else
      QCOMPARE(folder, QDir(tmp.path()).filePath(expected));
  }

  // A window placed or sized for another display comes back whole onto a
  // 1024×768 one (768 less a taskbar), moved before it is shrunk.
  void fitted_data() {
    QTest::addColumn<QRect>("frame");
    QTest::addColumn<QRect>("expected");
    QTest::newRow("already inside") << QRect(10, 10, 900, 600) << QRect(10, 10, 900, 600);
    QTest::newRow("exactly the room") << QRect(0, 0, 1024, 728) << QRect(0, 0, 1024, 728);
    QTest::newRow("off the right edge") << QRect(500, 20, 900, 600) << QRect(124, 20, 900, 600);
    QTest::newRow("off the bottom") << QRect(0, 300, 900, 600) << QRect(0, 128, 900, 600);
    QTest::newRow("left of the display") << QRect(-300, -40, 400, 300) << QRect(0, 0, 400, 300);
    QTest::newRow("wider and taller") << QRect(40, 40, 1340, 900) << QRect(0, 0, 1024, 728);
    QTest::newRow("one pixel too wide") << QRect(0, 0, 1025, 100) << QRect(0, 0, 1024, 100);
  }

  void fitted() {
    QFETCH(QRect, frame);
    QFETCH(QRect, expected);
    QCOMPARE(WindowPlaces::fitted(frame, QRect(0, 0, 1024, 728)), expected);
  }
};

QTEST_MAIN(DialogKitTest)
#include "dialog_kit_test.moc"
