#include "classdivision/add_data_screen.h"
#include "classdivision/after_swap_screen.h"
#include "classdivision/base_data_screen.h"
#include "classdivision/division_screen.h"
#include "classdivision/new_class_screen.h"
#include "core/screens/application.h"
#include "core/screens/main_menu.h"
#include "core/screens/transfer_dialog.h"
#include "evaluation/chart_screen.h"
#include "evaluation/class_ranking_screen.h"
#include "evaluation/ranking_screen.h"
#include "import/import_screen.h"
#include "quizzes/quiz_screen.h"
#include "roster/name_entry_screen.h"
#include "scores/score_screen.h"
#include "scores/subject_selection_screen.h"
#include "subjectfiles/add_data_screens.h"
#include "subjectfiles/subject_extraction_screen.h"
#include "subjectfiles/subject_file_screen.h"

#include <functional>
#include <map>

namespace gakunen {

QWidget* CreateForm(const QString& name, AppContext& app) {
  using Factory = std::function<QWidget*(AppContext&)>;
  static const std::map<QString, Factory> factories = {
      {QStringLiteral("Form1"), [](AppContext& a) { return new MainMenu(a); }},
      {QStringLiteral("Form2"), [](AppContext& a) { return new NameEntryScreen(a); }},
      {QStringLiteral("Form3"), [](AppContext& a) { return new ScoreScreen(a); }},
      {QStringLiteral("Form4"), [](AppContext& a) { return new SubjectSelectionScreen(a); }},
      {QStringLiteral("Form5"), [](AppContext& a) { return new RankingScreen(a); }},
      {QStringLiteral("Form6"), [](AppContext& a) { return new SubjectExtractionScreen(a); }},
      {QStringLiteral("Form7"), [](AppContext& a) { return new SubjectFileScreen(a); }},
      {QStringLiteral("Form8"), [](AppContext& a) { return new AddDataDisplayScreen(a); }},
      {QStringLiteral("Form9"), [](AppContext& a) { return new AddDataExtractScreen(a); }},
      {QStringLiteral("Form10"), [](AppContext& a) { return new ClassRankingScreen(a); }},
      {QStringLiteral("Form11"), [](AppContext& a) { return new ImportScreen(a); }},
      {QStringLiteral("Form12"), [](AppContext& a) { return new BaseDataScreen(a); }},
      {QStringLiteral("Form13"), [](AppContext& a) { return new DivisionScreen(a); }},
      {QStringLiteral("Form14"), [](AppContext& a) { return new AddDataScreen(a); }},
      {QStringLiteral("Form15"), [](AppContext& a) { return new AddedExtractScreen(a); }},
      {QStringLiteral("Form16"), [](AppContext& a) { return new NewClassScreen(a); }},
      {QStringLiteral("Form17"), [](AppContext& a) { return new AfterSwapScreen(a); }},
      {QStringLiteral("Form18"), [](AppContext& a) { return new QuizScreen(a); }},
      {QStringLiteral("Form19"), [](AppContext& a) { return new ChartScreen(a); }},
      {QStringLiteral("Form20"), [](AppContext& a) { return new TransferDialog(a); }},
  };
  auto it = factories.find(name);
  return it == factories.end() ? nullptr : it->second(app);
}

}  // namespace gakunen
