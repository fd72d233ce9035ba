#pragma once

#include <QString>

namespace gakunen {

class StudentTable;

// A screen as the shared routines see it: the table it shows and the
// display of that table, which bulk work hides and shows again.
class TableHost {
 public:
  virtual ~TableHost() = default;
  virtual StudentTable& table() = 0;
  virtual void setTableVisible(bool visible) { (void)visible; }
};

}  // namespace gakunen
