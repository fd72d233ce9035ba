#pragma once

#include "app/application.h"
#include "app/form_registry.h"
#include "model/ports/scripted_dialogs.h"
#include "model/rules/roster/roster_builders.h"
#include "model/session/shared_state.h"
#include "model/table/student_table.h"
#include "screens/roster/name_entry_screen.h"
#include "support/recording_printer.h"
#include "ui/screen_printer.h"

#include <QLineEdit>
#include <QList>
#include <QPoint>
#include <QPushButton>
#include <QStringList>
#include <memory>

namespace gakunen::testing {

// The recording printer as the screens are handed it.
class RecordingScreenPrinter : public RecordingPrinterOf<ScreenPrinter> {
 public:
  void drawWidget(QWidget*) override {}
};

// The program with scripted dialogs and a recording printer; Form2 shown
// holding a roster built as the menu builds it.
struct RosterApp {
  ScriptedDialogs* dialogs;
  RecordingScreenPrinter* printer;
  std::unique_ptr<Application> app;
  NameEntryScreen* form2;

  RosterApp() {
    auto d = std::make_unique<ScriptedDialogs>();
    auto p = std::make_unique<RecordingScreenPrinter>();
    dialogs = d.get();
    printer = p.get();
    app = std::make_unique<Application>(std::move(d), std::move(p));
    app->setScenarioMode(true);
    form2 = &app->forms().nameEntry();
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
