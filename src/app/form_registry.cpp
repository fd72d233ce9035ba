#include "app/form_registry.h"

#include "model/session/shared_state.h"
#include "screens/classdivision/add_data_screen.h"
#include "screens/classdivision/after_swap_screen.h"
#include "screens/classdivision/base_data_screen.h"
#include "screens/classdivision/division_screen.h"
#include "screens/classdivision/new_class_screen.h"
#include "screens/common/app_context.h"
#include "screens/common/transfer_dialog.h"
#include "screens/evaluation/class_ranking_screen.h"
#include "screens/evaluation/ranking_screen.h"
#include "screens/import/import_screen.h"
#include "screens/menu/main_menu.h"
#include "screens/quizzes/quiz_screen.h"
#include "screens/roster/name_entry_screen.h"
#include "screens/scores/chart_screen.h"
#include "screens/scores/score_screen.h"
#include "screens/scores/subject_selection_screen.h"
#include "screens/subjectfiles/add_data_screens.h"
#include "screens/subjectfiles/subject_extraction_screen.h"
#include "screens/subjectfiles/subject_file_screen.h"
#include "screens/subjectfiles/viewpoint_screen.h"

#include <functional>
#include <map>
#include <type_traits>

namespace gakunen {

FormRegistry::FormRegistry(AppContext& app) : app_(app) {}

FormRegistry::~FormRegistry() {
  for (QWidget* w : order_) delete w;
}

template <typename T, typename Make>
T& FormRegistry::once(T*& slot, Make make) {
  if (!slot) {
    slot = make();
    if constexpr (std::is_base_of_v<Screen, T>)
      QObject::connect(slot, &Screen::menuRequested, slot, [this, slot] { showMenu(slot); });
    places_.watch(slot);
    order_.append(slot);
  }
  return *slot;
}

template <typename Host>
void FormRegistry::offerViewpoints(Host* host) {
  QObject::connect(host, &Host::viewpointsRequested, host, [this, host] { viewpoints().openFor(*host); });
  QObject::connect(host, &Screen::documentOpened, host,
                   [this, host](const QString& path) { viewpoints().hostOpened(*host, path); });
  QObject::connect(host, &Screen::documentSaved, host,
                   [this, host](const QString& path) { viewpoints().hostSaved(*host, path); });
}

void FormRegistry::showMenu(Screen* from) {
  // From the menu a table is reached only by opening or making it anew: the
  // teacher is done with the files of the screen left and of those behind it.
  from->documentLock().release();
  for (QWidget* w : order_)
    if (auto* screen = qobject_cast<Screen*>(w); screen && !screen->isVisible()) screen->documentLock().release();
  menu().showGroup(MainMenu::Group::Main);
  menu().show();
}

MainMenu& FormRegistry::menu() {
  return once(menu_, [this] { return new MainMenu(app_, *this); });
}

NameEntryScreen& FormRegistry::nameEntry() {
  return once(nameEntry_, [this] { return new NameEntryScreen(app_); });
}

ScoreScreen& FormRegistry::scores() {
  return once(scores_, [this] {
    auto* s = new ScoreScreen(app_);
    QObject::connect(s, &ScoreScreen::subjectsRequested, s, [this, s] { subjectSelection().open(*s); });
    QObject::connect(s, &ScoreScreen::rankingRequested, s, [this, s] { ranking().showRanking(s->table()); });
    QObject::connect(s, &ScoreScreen::frequencyCounted, s,
                     [this](const QList<FrequencyChart>& list) { charts().setCharts(list); });
    QObject::connect(s, &ScoreScreen::chartsRequested, s, [this] { charts().show(); });
    return s;
  });
}

SubjectSelectionScreen& FormRegistry::subjectSelection() {
  return once(subjectSelection_, [this] { return new SubjectSelectionScreen(app_); });
}

RankingScreen& FormRegistry::ranking() {
  return once(ranking_, [this] {
    auto* s = new RankingScreen(app_);
    QObject::connect(s, &RankingScreen::classOrderRequested, s, [this, s] { classRanking().showClassOrder(*s); });
    return s;
  });
}

SubjectExtractionScreen& FormRegistry::subjectExtraction() {
  return once(subjectExtraction_, [this] {
    auto* s = new SubjectExtractionScreen(app_);
    QObject::connect(s, &SubjectExtractionScreen::subjectChosen, s,
                     [this, s](int column) { subjectFile().showSubjectOf(s->table(), column); });
    return s;
  });
}

SubjectFileScreen& FormRegistry::subjectFile() {
  return once(subjectFile_, [this] {
    auto* s = new SubjectFileScreen(app_);
    QObject::connect(s, &SubjectFileScreen::otherTestChosen, s,
                     [this](const QString& path) { addDataDisplay().openOtherTest(path); });
    offerViewpoints(s);
    return s;
  });
}

AddDataDisplayScreen& FormRegistry::addDataDisplay() {
  return once(addDataDisplay_, [this] {
    auto* s = new AddDataDisplayScreen(app_);
    QObject::connect(s, &AddDataDisplayScreen::subjectChosen, s,
                     [this, s](int column) { addDataExtract().showExtract(s->table(), column, subjectFile()); });
    QObject::connect(s, &AddDataDisplayScreen::backRequested, s, [this] { subjectFile().show(); });
    return s;
  });
}

AddDataExtractScreen& FormRegistry::addDataExtract() {
  return once(addDataExtract_, [this] { return new AddDataExtractScreen(app_); });
}

ClassRankingScreen& FormRegistry::classRanking() {
  return once(classRanking_, [this] { return new ClassRankingScreen(app_); });
}

ImportScreen& FormRegistry::importScreen() {
  return once(importScreen_, [this] { return new ImportScreen(app_); });
}

BaseDataScreen& FormRegistry::divisionBase() {
  return once(divisionBase_, [this] {
    auto* s = new BaseDataScreen(app_);
    QObject::connect(s, &BaseDataScreen::basisChosen, s,
                     [this, s](int column) { division().startFrom(s->table(), column); });
    return s;
  });
}

DivisionScreen& FormRegistry::division() {
  return once(division_, [this] {
    auto* s = new DivisionScreen(app_);
    QObject::connect(s, &DivisionScreen::addedTestChosen, s,
                     [this, s](const QString& path) { divisionAddData().openAddedTest(path, *s); });
    QObject::connect(s, &DivisionScreen::classListRequested, s, [this, s] { newClasses().showClassList(s->table()); });
    return s;
  });
}

AddDataScreen& FormRegistry::divisionAddData() {
  return once(divisionAddData_, [this] {
    auto* s = new AddDataScreen(app_);
    QObject::connect(s, &AddDataScreen::columnChosen, s,
                     [this, s](int column) { addedExtract().showExtract(s->table(), column); });
    return s;
  });
}

AddedExtractScreen& FormRegistry::addedExtract() {
  return once(addedExtract_, [this] {
    auto* s = new AddedExtractScreen(app_);
    QObject::connect(s, &AddedExtractScreen::appendRequested, s, [this, s] { division().appendExtract(s->table()); });
    return s;
  });
}

NewClassScreen& FormRegistry::newClasses() {
  return once(newClasses_, [this] {
    auto* s = new NewClassScreen(app_);
    QObject::connect(s, &NewClassScreen::orderRequested, s,
                     [this, s](NewClassOrder order) { afterSwap().showRanked(*s, order); });
    return s;
  });
}

AfterSwapScreen& FormRegistry::afterSwap() {
  return once(afterSwap_, [this] { return new AfterSwapScreen(app_); });
}

QuizScreen& FormRegistry::quiz() {
  return once(quiz_, [this] {
    auto* s = new QuizScreen(app_);
    offerViewpoints(s);
    return s;
  });
}

ChartScreen& FormRegistry::charts() {
  return once(charts_, [this] {
    auto* s = new ChartScreen(app_);
    QObject::connect(s, &ChartScreen::backRequested, s, [this] { scores().show(); });
    return s;
  });
}

ViewpointScreen& FormRegistry::viewpoints() {
  return once(viewpoints_, [this] { return new ViewpointScreen(app_); });
}

TransferDialog& FormRegistry::transferDialog() {
  return once(transferDialog_,
              [this] { return new TransferDialog(app_, [this](ModeCode mode) { return transferTarget(mode); }); });
}

Screen* FormRegistry::transferTarget(ModeCode mode) {
  switch (mode) {
    case ModeCode::TransferIntoRoster:
      return &nameEntry();
    case ModeCode::TransferIntoSubjectFile:
      return &subjectFile();
    case ModeCode::TransferIntoDivisionBase:
      return &divisionBase();
    case ModeCode::TransferIntoAddedTest:
      return &divisionAddData();
    case ModeCode::TransferIntoQuiz:
      return &quiz();
    default:
      return nullptr;
  }
}

QWidget* FormRegistry::byName(const QString& name) {
  using Get = std::function<QWidget*(FormRegistry&)>;
  static const std::map<QString, Get> screens = {
      {QStringLiteral("Form1"), [](FormRegistry& r) { return &r.menu(); }},
      {QStringLiteral("Form2"), [](FormRegistry& r) { return &r.nameEntry(); }},
      {QStringLiteral("Form3"), [](FormRegistry& r) { return &r.scores(); }},
      {QStringLiteral("Form4"), [](FormRegistry& r) { return &r.subjectSelection(); }},
      {QStringLiteral("Form5"), [](FormRegistry& r) { return &r.ranking(); }},
      {QStringLiteral("Form6"), [](FormRegistry& r) { return &r.subjectExtraction(); }},
      {QStringLiteral("Form7"), [](FormRegistry& r) { return &r.subjectFile(); }},
      {QStringLiteral("Form8"), [](FormRegistry& r) { return &r.addDataDisplay(); }},
      {QStringLiteral("Form9"), [](FormRegistry& r) { return &r.addDataExtract(); }},
      {QStringLiteral("Form10"), [](FormRegistry& r) { return &r.classRanking(); }},
      {QStringLiteral("Form11"), [](FormRegistry& r) { return &r.importScreen(); }},
      {QStringLiteral("Form12"), [](FormRegistry& r) { return &r.divisionBase(); }},
      {QStringLiteral("Form13"), [](FormRegistry& r) { return &r.division(); }},
      {QStringLiteral("Form14"), [](FormRegistry& r) { return &r.divisionAddData(); }},
      {QStringLiteral("Form15"), [](FormRegistry& r) { return &r.addedExtract(); }},
      {QStringLiteral("Form16"), [](FormRegistry& r) { return &r.newClasses(); }},
      {QStringLiteral("Form17"), [](FormRegistry& r) { return &r.afterSwap(); }},
      {QStringLiteral("Form18"), [](FormRegistry& r) { return &r.quiz(); }},
      {QStringLiteral("Form19"), [](FormRegistry& r) { return &r.charts(); }},
      {QStringLiteral("Form20"), [](FormRegistry& r) { return &r.transferDialog(); }},
      {QStringLiteral("Form21"), [](FormRegistry& r) { return &r.viewpoints(); }},
  };
  auto it = screens.find(name);
  return it == screens.end() ? nullptr : it->second(*this);
}

}  // namespace gakunen
