#include "app/scenario_runner.h"

#include "app/application.h"
#include "model/files/whole_file.h"
#include "model/ports/scripted_dialogs.h"
#include "model/session/shared_state.h"
#include "model/session/table_host.h"
#include "model/table/student_table.h"
#include "ui/grid_view.h"
#include "ui/page_header.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QRegularExpression>
#include <QScreen>
#include <QTemporaryDir>
#include <QWidget>

#ifndef _WIN32
#include <sys/statvfs.h>
#endif
#include <algorithm>
#include <memory>
#include <optional>

namespace gakunen {

namespace {

// One failed step: what was expected and what was found.
struct StepFailure {
  QString text;
};

// "fill-disk PATH ROOM": fills the disk PATH is on with the one file PATH
// (made afresh), then gives back ROOM bytes of it. Only a small disk of its
// own, such as a tmpfs mounted for the run, may be filled.
std::optional<QString> FillDisk(const QString& path, int room) {
#ifdef _WIN32
  // Windows has no small disk that a run could mount for itself.
  (void)room;
  return QStringLiteral("fill-disk is not available on Windows; %1 is not filled").arg(path);
#else
  constexpr qint64 kLargestDisk = 16 * 1024 * 1024;
  struct statvfs disk {};
  if (::statvfs(QFile::encodeName(QFileInfo(path).absolutePath()).constData(), &disk) != 0)
    return QStringLiteral("cannot look at the disk of %1").arg(path);
  if (static_cast<qint64>(disk.f_blocks) * static_cast<qint64>(disk.f_frsize) > kLargestDisk)
    return QStringLiteral("%1 is not on a small disk of its own; it is not filled").arg(path);
  QFile::remove(path);
  QFile filler(path);
  if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return QStringLiteral("cannot write %1").arg(path);
  const QByteArray block(4096, '\0');
  while (filler.write(block) == block.size()) {
  }
  if (!filler.resize(std::max<qint64>(filler.size() - room, 0)))
    return QStringLiteral("cannot give back %1 bytes of %2").arg(room).arg(path);
  return std::nullopt;
#endif
}

class Runner {
 public:
  Runner(ScenarioEnvironment& env, const QString& path) : env_(env), folder_(QFileInfo(path).absoluteDir()) {
    mark_ = env_.dialogs->mark();
    promptMark_ = mark_;
  }

  // Runs one step; a failure comes back as text.
  std::optional<QString> step(const QString& line) {
    const qsizetype blank = line.indexOf(u' ');
    const QString verb = blank < 0 ? line : line.left(blank);
    rest_ = blank < 0 ? QString() : line.mid(blank + 1);
    try {
      run(verb);
    } catch (const StepFailure& f) {
      return f.text;
    }
    QApplication::processEvents();
    if (env_.dialogs->hasFailure()) return env_.dialogs->takeFailure();
    return std::nullopt;
  }

 private:
  [[noreturn]] static void fail(const QString& text) { throw StepFailure{text}; }

  // The next blank-separated argument.
  QString arg() {
    if (rest_.isNull()) fail(QStringLiteral("missing argument"));
    const qsizetype blank = rest_.indexOf(u' ');
    QString a = blank < 0 ? rest_ : rest_.left(blank);
    rest_ = blank < 0 ? QString() : rest_.mid(blank + 1);
    return a;
  }
  // The rest of the line, possibly empty.
  QString textArg() {
    QString t = rest_.isNull() ? QStringLiteral("") : rest_;
    rest_ = QString();
    return t;
  }
  int intArg() {
    const QString a = arg();
    bool ok = false;
    const int v = a.toInt(&ok);
    if (!ok) fail(QStringLiteral("not a number: %1").arg(a));
    return v;
  }
  // "$TMP/..." names a folder of this run only, so that runs never see each
  // other's files; GAKUNEN_SCENARIO_TMP keeps it for a look afterwards.
  QString pathArg() {
    const QString p = arg();
    static const QString kTmp = QStringLiteral("$TMP");
    if (p == kTmp || p.startsWith(kTmp + u'/')) {
      const QString path = QDir::cleanPath(runFolder() + p.mid(kTmp.size()));
      QDir().mkpath(QFileInfo(path).absolutePath());
      return path;
    }
    return QDir::cleanPath(folder_.absoluteFilePath(p));
  }
  QString runFolder() {
    const QString kept = qEnvironmentVariable("GAKUNEN_SCENARIO_TMP");
    if (!kept.isEmpty()) return kept;
    if (!tmp_) tmp_ = std::make_unique<QTemporaryDir>();
    return tmp_->path();
  }
  void noMoreArgs() {
    if (!rest_.isNull()) fail(QStringLiteral("unexpected argument: %1").arg(rest_));
  }

  QWidget* object(const QString& spec) {
    const qsizetype dot = spec.indexOf(u'.');
    const QString formName = dot < 0 ? spec : spec.left(dot);
    QWidget* form = env_.app->form(formName);
    if (!form) fail(QStringLiteral("no screen named %1").arg(formName));
    if (dot < 0) return form;
    const QString child = spec.mid(dot + 1);
    auto* w = form->findChild<QWidget*>(child);
    if (!w) fail(QStringLiteral("%1 has no control named %2").arg(formName, child));
    return w;
  }

  static bool shownToUser(QWidget* w) { return w->isVisibleTo(w->window()) && w->window()->isVisible(); }

  StudentTable& tableOf(QWidget* w, const QString& spec) {
    if (auto* grid = qobject_cast<GridView*>(w)) return grid->table();
    if (auto* host = dynamic_cast<TableHost*>(w)) return host->table();
    fail(QStringLiteral("%1 is not a grid").arg(spec));
  }

  static QString shown(const QStringList& list) {
    if (list.isEmpty()) return QStringLiteral("none");
    return QStringLiteral("\"") + list.join(QStringLiteral("\", \"")) + QStringLiteral("\"");
  }

  QString stateValue(const QString& name) {
    const SharedState& s = env_.app->state();
    if (name == u"ColumnCount") return QString::number(s.ColumnCount);
    if (name == u"RowCount") return QString::number(s.RowCount);
    if (name == u"CurrentRow") return QString::number(s.CurrentRow);
    if (name == u"ClassCount") return QString::number(s.ClassCount);
    if (name == u"BaseColumnCount") return QString::number(s.BaseColumnCount);
    if (name == u"ModeCode") return QString::number(static_cast<int>(s.ModeCode));
    if (name == u"EntryColumn") return QString::number(s.EntryColumn);
    if (name == u"ClassSizes") {
      QStringList parts;
      for (int v : s.ClassSizes) parts << QString::number(v);
      return parts.join(u',');
    }
    fail(QStringLiteral("no shared value named %1").arg(name));
  }

  // "\t" and "\n" in a scenario line stand for a tab and a line end.
  static QString unescaped(QString text) {
    return text.replace(QStringLiteral("\\t"), QStringLiteral("\t"))
        .replace(QStringLiteral("\\n"), QStringLiteral("\n"));
  }

  // The keys a scenario can press, as the toolkit delivers them.
  struct Key {
    int code;
    Qt::KeyboardModifiers modifiers;
    QString text;
  };
  static std::optional<Key> keyNamed(const QString& name) {
    if (name == u"Return") return Key{Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r")};
    if (name == u"Up") return Key{Qt::Key_Up, Qt::NoModifier, {}};
    if (name == u"Down") return Key{Qt::Key_Down, Qt::NoModifier, {}};
    if (name == u"Ctrl+Z") return Key{Qt::Key_Z, Qt::ControlModifier, QStringLiteral("\x1a")};
    if (name == u"Ctrl+C") return Key{Qt::Key_C, Qt::ControlModifier, QStringLiteral("\x03")};
    return std::nullopt;
  }

  GridView* gridOf(QWidget* w, const QString& spec) {
    auto* grid = qobject_cast<GridView*>(w);
    if (!grid) fail(QStringLiteral("%1 is not a grid").arg(spec));
    return grid;
  }

  // A click of the left button on a cell (table row 1.., column), on the
  // part of the grid that shows it.
  void clickCell(GridView* grid, int row, int col) {
    QTableView* view = col < grid->table().fixedCols() ? grid->fixedColumnsView() : grid->tableView();
    const QModelIndex cell = view->model()->index(row - 1, col);
    if (!cell.isValid()) fail(QStringLiteral("no cell (%1, %2)").arg(row).arg(col));
    grid->tableView()->scrollTo(cell);
    const QPointF at = view->visualRect(cell).center();
    const QPointF global = view->viewport()->mapToGlobal(at);
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
      QMouseEvent click(type, at, global, Qt::LeftButton,
                        type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
      QApplication::sendEvent(view->viewport(), &click);
    }
  }

  void requireUsable(QWidget* w, const QString& spec) {
    if (!shownToUser(w)) fail(QStringLiteral("%1 is not shown").arg(spec));
    if (!w->isEnabled()) fail(QStringLiteral("%1 is disabled").arg(spec));
  }

  void run(const QString& verb) {
    ScriptedDialogs& d = *env_.dialogs;
    if (verb == u"file") {
      d.queueFile(pathArg());
    } else if (verb == u"file-cancel") {
      d.queueFileCancel();
    } else if (verb == u"answer") {
      d.queueAnswer(textArg());
    } else if (verb == u"answer-cancel") {
      d.queueAnswerCancel();
    } else if (verb == u"confirm") {
      const QString a = arg();
      if (a != u"yes" && a != u"no") fail(QStringLiteral("confirm takes yes or no"));
      d.queueConfirm(a == u"yes");
    } else if (verb == u"click") {
      const QString spec = arg();
      QWidget* w = object(spec);
      auto* button = qobject_cast<QAbstractButton*>(w);
      if (!button) fail(QStringLiteral("%1 is not a button").arg(spec));
      requireUsable(w, spec);
      button->click();
    } else if (verb == u"type") {
      const QString spec = arg();
      const QString text = textArg();
      QWidget* w = object(spec);
      requireUsable(w, spec);
      if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        // Typed over the whole box, as the teacher's keys would arrive.
        edit->setFocus();
        edit->selectAll();
        edit->insert(text);
      } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
        if (combo->isEditable()) {
          combo->setEditText(text);
        } else {
          const int i = combo->findText(text, Qt::MatchExactly);
          if (i < 0 && !text.isEmpty()) fail(QStringLiteral("%1 has no item \"%2\"").arg(spec, text));
          combo->setCurrentIndex(i);
        }
      } else {
        fail(QStringLiteral("%1 is not a text box or drop-down list").arg(spec));
      }
    } else if (verb == u"key") {
      const QString spec = arg();
      const QString key = arg();
      noMoreArgs();
      const auto named = keyNamed(key);
      if (!named) fail(QStringLiteral("unknown key %1").arg(key));
      QWidget* w = object(spec);
      requireUsable(w, spec);
      // A grid takes keys in the table it shows.
      if (auto* grid = qobject_cast<GridView*>(w)) w = grid->tableView();
      QKeyEvent press(QEvent::KeyPress, named->code, named->modifiers, named->text);
      QKeyEvent release(QEvent::KeyRelease, named->code, named->modifiers, named->text);
      QApplication::sendEvent(w, &press);
      QApplication::sendEvent(w, &release);
    } else if (verb == u"select" || verb == u"click-cell") {
      // "select" puts the current cell there as the program would; "click-cell"
      // clicks it as the teacher would.
      const QString spec = arg();
      GridView* grid = gridOf(object(spec), spec);
      const int row = intArg();
      const int col = intArg();
      noMoreArgs();
      requireUsable(grid, spec);
      if (verb == u"click-cell") {
        clickCell(grid, row, col);
      } else {
        grid->setCurrentCell(row, col);
        if (grid->currentRow() != row || grid->currentCol() != col)
          fail(QStringLiteral("cell (%1, %2) is not a student's cell of %3").arg(row).arg(col).arg(spec));
      }
    } else if (verb == u"expect-cell-note") {
      const QString spec = arg();
      GridView* grid = gridOf(object(spec), spec);
      const int row = intArg();
      const int col = intArg();
      const QString text = textArg();
      const QModelIndex cell = grid->tableView()->model()->index(row - 1, col);
      if (!cell.isValid()) fail(QStringLiteral("no cell (%1, %2)").arg(row).arg(col));
      const QString note = cell.data(Qt::ToolTipRole).toString();
      const bool tinted = cell.data(Qt::BackgroundRole).isValid() && col >= grid->table().fixedCols();
      if (note != text || tinted != !text.isEmpty())
        fail(QStringLiteral("cell (%1, %2): expected note \"%3\", found \"%4\"%5")
                 .arg(row)
                 .arg(col)
                 .arg(text, note, tinted ? QStringLiteral(", tinted") : QStringLiteral(", not tinted")));
    } else if (verb == u"expect-selected") {
      const QString spec = arg();
      const QString text = textArg();
      auto* edit = qobject_cast<QLineEdit*>(object(spec));
      if (!edit) fail(QStringLiteral("%1 is not a text box").arg(spec));
      if (edit->selectedText() != text)
        fail(QStringLiteral("selected: expected \"%1\", found \"%2\"").arg(text, edit->selectedText()));
    } else if (verb == u"expect-clipboard") {
      const QString text = unescaped(textArg());
      const QString found = QGuiApplication::clipboard()->text();
      if (found != text) fail(QStringLiteral("clipboard: expected \"%1\", found \"%2\"").arg(text, found));
    } else if (verb == u"expect-page-text") {
      const int page = intArg();
      QString text = textArg();
      // The date printed, as the header writes it.
      text.replace(QStringLiteral("$DATE"), PrintedDateText(QDate::currentDate()));
      const QStringList texts = env_.lastJobPageTexts ? env_.lastJobPageTexts(page) : QStringList();
      if (texts.isEmpty()) fail(QStringLiteral("the last print job has no page %1").arg(page));
      if (!texts.contains(text))
        fail(QStringLiteral("page %1: expected the text \"%2\" among %3").arg(page).arg(text, shown(texts.mid(0, 12))));
    } else if (verb == u"expect-message" || verb == u"expect-prompt") {
      const bool prompts = verb == u"expect-prompt";
      const QString text = textArg();
      ScriptedDialogs::Mark& m = prompts ? promptMark_ : mark_;
      const QStringList seen = prompts ? d.promptsSince(m) : d.messageTextsSince(m);
      const qsizetype at = seen.indexOf(text);
      if (at < 0)
        fail(QStringLiteral("expected %1 \"%2\", found %3")
                 .arg(prompts ? QStringLiteral("prompt") : QStringLiteral("message"), text, shown(seen)));
      // The match and everything shown before it count as checked.
      if (prompts)
        m.prompts += at + 1;
      else
        m.messages += at + 1;
    } else if (verb == u"expect-no-message" || verb == u"expect-no-prompt") {
      noMoreArgs();
      const bool prompts = verb == u"expect-no-prompt";
      const QStringList seen = prompts ? d.promptsSince(promptMark_) : d.messageTextsSince(mark_);
      if (!seen.isEmpty())
        fail(QStringLiteral("expected no %1, found %2")
                 .arg(prompts ? QStringLiteral("prompt") : QStringLiteral("message"), shown(seen)));
    } else if (verb == u"expect-cell") {
      const QString spec = arg();
      StudentTable& t = tableOf(object(spec), spec);
      const int row = intArg();
      const int col = intArg();
      const QString text = textArg();
      if (row >= t.rows() || col >= t.cols() || row < 0 || col < 0)
        fail(
            QStringLiteral("cell (%1, %2) is outside the %3 x %4 table").arg(row).arg(col).arg(t.rows()).arg(t.cols()));
      if (t.text(row, col) != text)
        fail(QStringLiteral("cell (%1, %2): expected \"%3\", found \"%4\"")
                 .arg(row)
                 .arg(col)
                 .arg(text, t.text(row, col)));
    } else if (verb == u"expect-size") {
      const QString spec = arg();
      StudentTable& t = tableOf(object(spec), spec);
      const int rows = intArg();
      const int cols = intArg();
      noMoreArgs();
      if (t.rows() != rows || t.cols() != cols)
        fail(QStringLiteral("expected %1 x %2, found %3 x %4").arg(rows).arg(cols).arg(t.rows()).arg(t.cols()));
    } else if (verb == u"expect-caption") {
      const QString spec = arg();
      const QString text = textArg();
      QWidget* w = object(spec);
      QString found;
      if (w->isWindow())
        found = w->windowTitle();
      else if (auto* b = qobject_cast<QAbstractButton*>(w))
        found = b->text();
      else if (auto* l = qobject_cast<QLabel*>(w))
        found = l->text();
      else if (auto* g = qobject_cast<QGroupBox*>(w))
        found = g->title();
      else
        fail(QStringLiteral("%1 has no caption").arg(spec));
      if (found != text) fail(QStringLiteral("caption: expected \"%1\", found \"%2\"").arg(text, found));
    } else if (verb == u"expect-status") {
      // A status line, its time of day written as （時刻）.
      const QString spec = arg();
      const QString text = textArg();
      auto* label = qobject_cast<QLabel*>(object(spec));
      if (!label) fail(QStringLiteral("%1 is not a status line").arg(spec));
      static const QRegularExpression time(QStringLiteral("（\\d{1,2}:\\d\\d）"));
      const QString found = QString(label->text()).replace(time, QStringLiteral("（時刻）"));
      if (found != text) fail(QStringLiteral("status: expected \"%1\", found \"%2\"").arg(text, found));
    } else if (verb == u"expect-text") {
      const QString spec = arg();
      const QString text = textArg();
      QWidget* w = object(spec);
      QString found;
      if (auto* e = qobject_cast<QLineEdit*>(w))
        found = e->text();
      else if (auto* c = qobject_cast<QComboBox*>(w))
        found = c->currentText();
      else
        fail(QStringLiteral("%1 is not a text box or drop-down list").arg(spec));
      if (found != text) fail(QStringLiteral("text: expected \"%1\", found \"%2\"").arg(text, found));
    } else if (verb == u"expect-visible" || verb == u"expect-hidden") {
      const QString spec = arg();
      noMoreArgs();
      QWidget* w = object(spec);
      const bool visible = w->isWindow() ? w->isVisible() : w->isVisibleTo(w->window());
      if (visible != (verb == u"expect-visible"))
        fail(QStringLiteral("%1 is %2").arg(spec, visible ? QStringLiteral("visible") : QStringLiteral("hidden")));
    } else if (verb == u"expect-enabled" || verb == u"expect-disabled") {
      const QString spec = arg();
      noMoreArgs();
      QWidget* w = object(spec);
      if (w->isEnabled() != (verb == u"expect-enabled"))
        fail(QStringLiteral("%1 is %2")
                 .arg(spec, w->isEnabled() ? QStringLiteral("enabled") : QStringLiteral("disabled")));
    } else if (verb == u"expect-focus") {
      const QString spec = arg();
      noMoreArgs();
      QWidget* w = object(spec);
      QWidget* focus = w->window()->focusWidget();
      if (focus != w)
        fail(QStringLiteral("focus: expected %1, found %2")
                 .arg(spec, focus ? focus->objectName() : QStringLiteral("nothing")));
    } else if (verb == u"expect-state") {
      const QString name = arg();
      const QString value = textArg();
      const QString found = stateValue(name);
      if (found != value) fail(QStringLiteral("%1: expected %2, found %3").arg(name, value, found));
    } else if (verb == u"expect-pages") {
      const int n = intArg();
      noMoreArgs();
      const int found = env_.lastJobPages ? env_.lastJobPages() : 0;
      if (found != n) fail(QStringLiteral("expected %1 pages, found %2").arg(n).arg(found));
    } else if (verb == u"expect-jobs") {
      const int n = intArg();
      noMoreArgs();
      const int found = env_.jobsFinished ? env_.jobsFinished() : 0;
      if (found != n) fail(QStringLiteral("expected %1 print jobs, found %2").arg(n).arg(found));
    } else if (verb == u"expect-file" || verb == u"expect-no-file") {
      const QString p = pathArg();
      noMoreArgs();
      const bool exists = QFileInfo::exists(p);
      if (exists != (verb == u"expect-file"))
        fail(QStringLiteral("%1 %2").arg(p, exists ? QStringLiteral("exists") : QStringLiteral("does not exist")));
    } else if (verb == u"expect-same-file") {
      const QString a = pathArg();
      const QString b = pathArg();
      noMoreArgs();
      QFile fa(a), fb(b);
      if (!fa.open(QIODevice::ReadOnly)) fail(QStringLiteral("cannot read %1").arg(a));
      if (!fb.open(QIODevice::ReadOnly)) fail(QStringLiteral("cannot read %1").arg(b));
      const QByteArray ba = fa.readAll(), bb = fb.readAll();
      if (ba != bb) {
        qsizetype i = 0;
        while (i < ba.size() && i < bb.size() && ba[i] == bb[i]) ++i;
        fail(QStringLiteral("%1 and %2 differ at byte %3 (%4 and %5 bytes)")
                 .arg(a, b)
                 .arg(i)
                 .arg(ba.size())
                 .arg(bb.size()));
      }
    } else if (verb == u"fill-disk") {
      const QString p = pathArg();
      const int room = intArg();
      noMoreArgs();
      if (auto refusal = FillDisk(p, room)) fail(*refusal);
    } else if (verb == u"dump") {
      const QString spec = arg();
      StudentTable& t = tableOf(object(spec), spec);
      const QString p = pathArg();
      noMoreArgs();
      QDir().mkpath(QFileInfo(p).absolutePath());
      QString out;
      for (int r = 0; r < t.rows(); ++r) out += t.rowTexts(r).join(u'\t') + u'\n';
      if (auto failure = ReplaceWholeFile(p, out.toUtf8()))
        fail(QStringLiteral("cannot write %1: %2").arg(p, failure->reason()));
    } else if (verb == u"save-pages") {
      const QString dir = pathArg();
      noMoreArgs();
      QDir().mkpath(dir);
      QString error;
      if (!env_.saveLastJobPages || !env_.saveLastJobPages(dir, &error))
        fail(QStringLiteral("cannot save pages: %1").arg(error.isEmpty() ? QStringLiteral("no print job") : error));
    } else if (verb == u"expect-opened") {
      // The last document handed to the desktop, by file name; it must exist.
      const QString name = arg();
      noMoreArgs();
      const QStringList opened = env_.openedDocuments ? env_.openedDocuments() : QStringList();
      if (opened.isEmpty()) fail(QStringLiteral("expected %1 to be opened, nothing was").arg(name));
      const QFileInfo last(opened.last());
      if (last.fileName() != name || !last.isFile())
        fail(QStringLiteral("expected %1 to be opened, found %2").arg(name, opened.last()));
    } else if (verb == u"expect-proposed") {
      // The file name the last save dialog proposed ("-" for none).
      const QString name = arg();
      noMoreArgs();
      QString proposed = QStringLiteral("-");
      for (const auto& request : d.fileRequests())
        if (request.save)
          proposed = request.settings.proposedPath.isEmpty() ? QStringLiteral("-")
                                                             : QFileInfo(request.settings.proposedPath).fileName();
      if (proposed != name)
        fail(QStringLiteral("expected the save dialog to propose %1, found %2").arg(name, proposed));
    } else if (verb == u"screenshot") {
      const QString spec = arg();
      QWidget* w = object(spec);
      const QString p = pathArg();
      noMoreArgs();
      QDir().mkpath(QFileInfo(p).absolutePath());
      if (!w->grab().save(p, "PNG")) fail(QStringLiteral("cannot write %1").arg(p));
    } else if (verb == u"screenshot-display") {
      const QString p = pathArg();
      noMoreArgs();
      QDir().mkpath(QFileInfo(p).absolutePath());
      if (!displayPicture().save(p, "PNG")) fail(QStringLiteral("cannot write %1").arg(p));
    } else {
      fail(QStringLiteral("unknown step \"%1\"").arg(verb));
    }
  }

  // The whole display as the teacher sees it: on a real display its own
  // picture, elsewhere every shown window drawn at its place.
  static QImage displayPicture() {
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) fail(QStringLiteral("no display"));
    if (QGuiApplication::platformName() == u"xcb") return screen->grabWindow(0).toImage();
    QImage picture(screen->geometry().size(), QImage::Format_RGB32);
    picture.fill(QColor(0x2f, 0x4f, 0x6f));
    QPainter painter(&picture);
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w->isVisible()) painter.drawPixmap(w->geometry().topLeft() - screen->geometry().topLeft(), w->grab());
    return picture;
  }

  ScenarioEnvironment& env_;
  QDir folder_;
  std::unique_ptr<QTemporaryDir> tmp_;
  QString rest_;
  ScriptedDialogs::Mark mark_;
  ScriptedDialogs::Mark promptMark_;
};

}  // namespace

int RunScenario(ScenarioEnvironment& env, const QString& path, QTextStream& out) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    out << path << ":0: cannot read the scenario file\n0 passed, 1 failed\n";
    out.flush();
    return 1;
  }
  const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
  Runner runner(env, path);
  int passed = 0;
  for (qsizetype i = 0; i < lines.size(); ++i) {
    QString line = lines[i];
    if (line.endsWith(u'\r')) line.chop(1);
    if (line.isEmpty() || line.startsWith(u'#')) continue;
    if (auto failure = runner.step(line)) {
      out << path << ':' << (i + 1) << ": " << *failure << '\n';
      out << passed << " passed, 1 failed\n";
      out.flush();
      return 1;
    }
    ++passed;
    if (env.ended && env.ended()) break;
  }
  out << passed << " passed, 0 failed\n";
  out.flush();
  return 0;
}

}  // namespace gakunen
