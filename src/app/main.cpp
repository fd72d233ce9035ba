#include "app/application.h"
#include "app/scenario_runner.h"
#include "model/ports/document_viewer.h"
#include "model/ports/scripted_dialogs.h"
#include "ui/desktop_viewer.h"
#include "ui/japanese_translations.h"
#include "ui/page_printer.h"
#include "ui/page_texts.h"
#include "ui/print_preview.h"
#include "ui/qt_dialogs.h"
#include "ui/user_settings.h"

#include <QApplication>
#include <QDir>
#include <QFont>
#include <QTemporaryDir>
#include <QTextStream>

#include <csignal>
#include <cstring>
#include <memory>

namespace {

// The scenario option and whether a platform was named on the command line.
struct Options {
  QString scenario;
  bool platformGiven = false;
};

Options scanOptions(int argc, char** argv) {
  Options o;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--scenario") == 0 && i + 1 < argc) o.scenario = QString::fromLocal8Bit(argv[++i]);
    if (std::strcmp(argv[i], "-platform") == 0) o.platformGiven = true;
  }
  return o;
}

}  // namespace

int main(int argc, char** argv) {
#ifdef SIGXFSZ
  // A file past the process's size limit must fail as a write the save can
  // refuse, not end the program with the teacher's unsaved work.
  std::signal(SIGXFSZ, SIG_IGN);
#endif
  const Options options = scanOptions(argc, argv);
  if (!options.scenario.isEmpty() && !options.platformGiven && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");

  QApplication qapp(argc, argv);
  QApplication::setOrganizationName(QStringLiteral("gakunen"));
  QApplication::setApplicationName(QStringLiteral("gakunen"));
  QApplication::setApplicationDisplayName(QStringLiteral("学年"));
  // The grids' font; IPA P Gothic stands in for it on this system.
  QFont::insertSubstitution(QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"));
  QFont base(QStringLiteral("ＭＳ Ｐゴシック"), 10);
  QApplication::setFont(base);

  using namespace gakunen;
  for (const QString& missing : InstallJapaneseTranslations(qapp))
    qWarning("gakunen: the Japanese texts of %s are not installed (qt6-translations-l10n)", qPrintable(missing));
  if (!options.scenario.isEmpty()) {
    // A scenario remembers folders and window places only for its own run.
    QTemporaryDir settingsFolder;
    KeepUserSettingsIn(settingsFolder.path());
    auto dialogs = std::make_unique<ScriptedDialogs>();
    auto printer = std::make_unique<PagePrinter>();
    ScriptedDialogs* scripted = dialogs.get();
    PagePrinter* pages = printer.get();
    Application app(std::move(dialogs), std::move(printer));
    app.setScenarioMode(true);
    app.start();
    QApplication::processEvents();
    ScenarioEnvironment env;
    env.app = &app;
    env.dialogs = scripted;
    env.ended = [&] { return app.hasEnded(); };
    env.openedDocuments = [&] { return static_cast<RecordingViewer&>(app.viewer()).opened(); };
    env.jobsFinished = [&] { return pages->jobsFinished(); };
    env.lastJobPages = [&] { return pages->lastJob().pageCount(); };
    env.lastJobPageTexts = [&](int page) {
      const PrintJob& lastJob = pages->lastJob();
      return page >= 1 && page <= lastJob.pageCount() ? PageTexts(lastJob.pages[page - 1]) : QStringList();
    };
    env.saveLastJobPages = [&](const QString& folder, QString* error) {
      const PrintJob& lastJob = pages->lastJob();
      if (pages->jobsFinished() == 0) return false;
      for (int i = 0; i < lastJob.pageCount(); ++i) {
        const QString file = QDir(folder).filePath(QStringLiteral("page-%1.png").arg(i + 1));
        if (!RenderJobPage(lastJob, i, 100).save(file, "PNG")) {
          *error = file;
          return false;
        }
      }
      return true;
    };
    QTextStream out(stdout);
    return RunScenario(env, options.scenario, out);
  }

  auto printer = std::make_unique<PagePrinter>();
  PagePrinter* pages = printer.get();
  Application app(std::make_unique<QtDialogs>(), std::move(printer));
  app.setViewer(std::make_unique<DesktopViewer>());
  pages->setJobHandler(
      [&app](const PrintJob& job) { ShowPrintPreview(job, QApplication::activeWindow(), &app.dialogs()); });
  app.start();
  return QApplication::exec();
}
