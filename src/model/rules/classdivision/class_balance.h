#pragma once

#include <vector>

namespace gakunen {

// One student as the balancing sees it. Categories are small indexes from
// 0; -1 means the student has none (no sex given, no 離す code).
struct BalanceStudent {
  int newClass = 0;  // 0-based
  double total = 0;
  bool scored = false;  // has a total; only those count in the means
  int sex = -1;         // 0 boys, 1 girls
  bool care = false;
  int apart = -1;      // the 離す group
  int oldClass = -1;   // this year's class
  bool fixed = false;  // moved by hand: stays where it is
};

// Exchanges students between classes, two at a time, for as long as an
// exchange makes the classes better by these goals, each before the next:
// 離す groups split, boys and girls even, 配慮 students even, each old class
// spread evenly, every class's mean total near the year-group's. Class sizes
// stay as they are, fixed students where they are. Deterministic: the same
// students in the same order give the same classes. Returns the new class
// of every student.
std::vector<int> BalanceClasses(const std::vector<BalanceStudent>& students, int classCount);

}  // namespace gakunen
