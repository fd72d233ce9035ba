#pragma once

#include "model/rules/classdivision/division_work.h"
#include "model/table/student_table.h"

#include <array>
#include <memory>

namespace gakunen::testing {

// Fifteen class tables owned by a test, with the pointers the division
// routines take.
struct ClassTables {
  std::array<std::unique_ptr<StudentTable>, kMaxNewClasses> owned;
  std::array<StudentTable*, kMaxNewClasses> pointers{};
  ClassTables() {
    for (int i = 0; i < kMaxNewClasses; ++i) {
      owned[i] = std::make_unique<StudentTable>();
      pointers[i] = owned[i].get();
    }
  }
  StudentTable& operator[](int i) { return *owned[i]; }
};

}  // namespace gakunen::testing
