#pragma once

#include <QString>
#include <QStringList>

namespace gakunen {

// Opens a file in the desktop's own program for it: the teacher's guide in
// the web browser.
class DocumentViewer {
 public:
  virtual ~DocumentViewer() = default;
  // False when the desktop could not open it.
  virtual bool open(const QString& path) = 0;
};

// Opens nothing and keeps what it was asked to open, so that tests and
// scenarios never start a browser.
class RecordingViewer : public DocumentViewer {
 public:
  bool open(const QString& path) override {
    opened_.append(path);
    return true;
  }
  const QStringList& opened() const { return opened_; }

 private:
  QStringList opened_;
};

}  // namespace gakunen
