#pragma once

#include "core/roster_builders.h"
#include "core/screens/application.h"
#include "core/shared_state.h"
#include "core/student_table.h"
#include "roster/name_entry_screen.h"
#include "ui/printer.h"
#include "ui/scripted_dialogs.h"

#include <QLineEdit>
#include <QList>
#include <QPoint>
#include <QPushButton>
#include <QStringList>
#include <memory>

namespace gakunen::testing {

// Remembers every page as the cells and widths of the table drawn on it.
class RecordingPrinter : public Printer {
 public:
  struct Page {
    PageSetup setup;
    QPoint at;
    QList<QStringList> rows;
    QList<int> widths;
  };
  QList<QList<Page>> jobs;
  int endedJobs = 0;

  void setPageSetup(int paper, int orientation) override { setup_ = {paper, orientation}; }
  void drawTable(const StudentTable& table, int x, int y) override {
    Page page{setup_, QPoint(x, y), {}, {}};
    for (int r = 0; r < table.rows(); ++r) page.rows << table.rowTexts(r);
    for (int c = 0; c < table.cols(); ++c) page.widths << table.colWidth(c);
    current_ << page;
  }
  void drawWidget(QWidget*) override {}
  void newPage() override {}
  void endJob() override {
    ++endedJobs;
    if (!current_.isEmpty()) jobs << current_;
    current_.clear();
  }

 private:
  PageSetup setup_;
  QList<Page> current_;
};

// The program with scripted dialogs and a recording printer; Form2 shown
// holding a roster built as the menu builds it.
struct RosterApp {
  ScriptedDialogs* dialogs;
  RecordingPrinter* printer;
  std::unique_ptr<Application> app;
  NameEntryScreen* form2;

  RosterApp() {
    auto d = std::make_unique<ScriptedDialogs>();
    auto p = std::make_unique<RecordingPrinter>();
    dialogs = d.get();
    printer = p.get();
    app = std::make_unique<Application>(std::move(d), std::move(p));
    app->setScenarioMode(true);
    form2 = app->formAs<NameEntryScreen>(QStringLiteral("Form2"));
  }

  SharedState& state() { return app->state(); }
  StudentTable& table() { return form2->table(); }

  void mixed(const QVector<int>& sizes) {
    FillMixedRoster(state(), *form2, sizes);
    form2->show();
  }
  void separate(const QVector<SeparateClassRanges>& classes) {
    BuildSeparateRoster(state(), *form2, classes);
    form2->show();
  }

  template <typename T = QPushButton>
  T* child(QWidget* parent, const char* name) {
    return parent->findChild<T*>(QString::fromLatin1(name));
  }
  QPushButton* button(const char* name) { return child(form2, name); }
  QLineEdit* entry() { return child<QLineEdit>(form2, "Text1"); }
  void click(const char* name) { button(name)->click(); }

  QStringList messagesSince(const ScriptedDialogs::Mark& mark) const { return dialogs->messageTextsSince(mark); }
  QString lastMessage() const { return dialogs->messages().isEmpty() ? QString() : dialogs->messages().last().text; }
};

}  // namespace gakunen::testing
