#pragma once

#include "model/session/shared_state.h"
#include "screens/menu/menu_destinations.h"
#include "ui/window_places.h"

#include <QList>
#include <QString>

class QWidget;

namespace gakunen {

class AddDataDisplayScreen;
class AddDataExtractScreen;
class AddDataScreen;
class AddedExtractScreen;
class AfterSwapScreen;
class AppContext;
class ChartScreen;
class ClassRankingScreen;
class DivisionScreen;
class MainMenu;
class RankingScreen;
class Screen;
class SubjectSelectionScreen;
class TransferDialog;
class ViewpointScreen;

// Every screen of the program, created on first use and afterwards only
// hidden and shown. This is the one place that knows all the screens: it
// hands them to each other, connecting what one screen asks for to the
// screen that does it, so that no screen looks another up.
class FormRegistry : public MenuDestinations {
 public:
  explicit FormRegistry(AppContext& app);
  // Deletes the screens in the order they were made.
  ~FormRegistry() override;
  FormRegistry(const FormRegistry&) = delete;
  FormRegistry& operator=(const FormRegistry&) = delete;

  MainMenu& menu();                                       // Form1
  NameEntryScreen& nameEntry() override;                  // Form2
  ScoreScreen& scores() override;                         // Form3
  SubjectSelectionScreen& subjectSelection();             // Form4
  RankingScreen& ranking();                               // Form5
  SubjectExtractionScreen& subjectExtraction() override;  // Form6
  SubjectFileScreen& subjectFile() override;              // Form7
  AddDataDisplayScreen& addDataDisplay();                 // Form8
  AddDataExtractScreen& addDataExtract();                 // Form9
  ClassRankingScreen& classRanking();                     // Form10
  ImportScreen& importScreen() override;                  // Form11
  BaseDataScreen& divisionBase() override;                // Form12
  DivisionScreen& division();                             // Form13
  AddDataScreen& divisionAddData();                       // Form14
  AddedExtractScreen& addedExtract();                     // Form15
  NewClassScreen& newClasses() override;                  // Form16
  AfterSwapScreen& afterSwap();                           // Form17
  QuizScreen& quiz() override;                            // Form18
  ChartScreen& charts();                                  // Form19
  TransferDialog& transferDialog();                       // Form20
  ViewpointScreen& viewpoints();                          // Form21

  // The screen whose table the transfer dialog inserts into for `mode`;
  // nullptr for a code that names none.
  Screen* transferTarget(ModeCode mode);

  // The screen of that object name ("Form3"), created on first use; nullptr
  // for an unknown name. For scenarios and tests, which find screens and
  // controls by name.
  QWidget* byName(const QString& name);
  // Screens created so far, in the order they were made.
  const QList<QWidget*>& created() const { return order_; }

 private:
  template <typename T, typename Make>
  T& once(T*& slot, Make make);
  // Form21 works on the table of `host` when asked, and keeps the set-up
  // of each file `host` opens or saves.
  template <typename Host>
  void offerViewpoints(Host* host);
  void showMenu(Screen* from);

  AppContext& app_;
  WindowPlaces places_;
  QList<QWidget*> order_;
  MainMenu* menu_ = nullptr;
  NameEntryScreen* nameEntry_ = nullptr;
  ScoreScreen* scores_ = nullptr;
  SubjectSelectionScreen* subjectSelection_ = nullptr;
  RankingScreen* ranking_ = nullptr;
  SubjectExtractionScreen* subjectExtraction_ = nullptr;
  SubjectFileScreen* subjectFile_ = nullptr;
  AddDataDisplayScreen* addDataDisplay_ = nullptr;
  AddDataExtractScreen* addDataExtract_ = nullptr;
  ClassRankingScreen* classRanking_ = nullptr;
  ImportScreen* importScreen_ = nullptr;
  BaseDataScreen* divisionBase_ = nullptr;
  DivisionScreen* division_ = nullptr;
  AddDataScreen* divisionAddData_ = nullptr;
  AddedExtractScreen* addedExtract_ = nullptr;
  NewClassScreen* newClasses_ = nullptr;
  AfterSwapScreen* afterSwap_ = nullptr;
  QuizScreen* quiz_ = nullptr;
  ChartScreen* charts_ = nullptr;
  TransferDialog* transferDialog_ = nullptr;
  ViewpointScreen* viewpoints_ = nullptr;
};

}  // namespace gakunen
