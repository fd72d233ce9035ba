#pragma once

namespace gakunen {

class BaseDataScreen;
class ImportScreen;
class NameEntryScreen;
class NewClassScreen;
class QuizScreen;
class ScoreScreen;
class SubjectExtractionScreen;
class SubjectFileScreen;

// The screens every workflow of the main menu starts on, each created on
// first use by whoever owns the screens (the application).
class MenuDestinations {
 public:
  virtual ~MenuDestinations() = default;
  virtual NameEntryScreen& nameEntry() = 0;
  virtual ScoreScreen& scores() = 0;
  virtual SubjectExtractionScreen& subjectExtraction() = 0;
  virtual SubjectFileScreen& subjectFile() = 0;
  virtual QuizScreen& quiz() = 0;
  virtual ImportScreen& importScreen() = 0;
  virtual BaseDataScreen& divisionBase() = 0;
  virtual NewClassScreen& newClasses() = 0;
};

}  // namespace gakunen
