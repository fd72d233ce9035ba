#pragma once

#include "model/ports/document_viewer.h"

namespace gakunen {

// Hands the file to the desktop (QDesktopServices), which opens the guide in
// the teacher's web browser.
class DesktopViewer : public DocumentViewer {
 public:
  bool open(const QString& path) override;
};

}  // namespace gakunen
