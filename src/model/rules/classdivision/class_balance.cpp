#include "model/rules/classdivision/class_balance.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

namespace gakunen {

namespace {

// Counts of one kind of category per class. Evenness is measured by the sum
// of the squared counts: with the class sizes fixed it is smallest when
// every category is spread as evenly as the numbers allow.
class Spread {
 public:
  Spread(int categories, int classes)
      : classes_(classes), counts_(static_cast<size_t>(std::max(categories, 0)) * classes, 0) {}
  int& at(int category, int k) { return counts_[static_cast<size_t>(category) * classes_ + k]; }
  // The change of the sum of squares when category x goes from class a to b
  // and category y from b to a.
  int64_t exchangeCost(int x, int y, int a, int b) {
    if (x == y) return 0;
    int64_t d = 0;
    if (x >= 0) d += 2 * (at(x, b) - at(x, a)) + 2;
    if (y >= 0) d += 2 * (at(y, a) - at(y, b)) + 2;
    return d;
  }
  // Whether every category is spread within one between the classes (or,
  // with `sizes`, no class holds more of one than its share rounded up).
  bool even(const std::vector<int>* sizes = nullptr) const {
    const int categories = classes_ > 0 ? static_cast<int>(counts_.size()) / classes_ : 0;
    for (int c = 0; c < categories; ++c) {
      const auto first = counts_.begin() + static_cast<std::ptrdiff_t>(c) * classes_;
      const auto [lo, hi] = std::minmax_element(first, first + classes_);
      if (sizes ? *hi > ((*sizes)[static_cast<size_t>(c)] + classes_ - 1) / classes_ : *hi - *lo > 1) return false;
    }
    return true;
  }
  void exchange(int x, int y, int a, int b) {
    if (x == y) return;
    if (x >= 0) --at(x, a), ++at(x, b);
    if (y >= 0) --at(y, b), ++at(y, a);
  }

 private:
  int classes_;
  std::vector<int> counts_;
};

int categories(const std::vector<BalanceStudent>& students, int BalanceStudent::*field) {
  int n = 0;
  for (const BalanceStudent& s : students) n = std::max(n, s.*field + 1);
  return n;
}

constexpr int kGoals = 5;
using Change = std::array<double, kGoals>;

// Goals are compared in order, the first that differs deciding. The counts
// change by whole steps; the means move by tiny amounts, and changes below
// the tolerance do not count, so the search cannot circle on rounding.
double tolerance(int goal) { return goal == kGoals - 1 ? 1e-6 : 0.5; }

class Search {
 public:
  Search(const std::vector<BalanceStudent>& students, int classCount)
      : s_(students),
        k_(classCount),
        cls_(students.size()),
        apart_(categories(students, &BalanceStudent::apart), classCount),
        sex_(2, classCount),
        care_(1, classCount),
        old_(categories(students, &BalanceStudent::oldClass), classCount),
        excess_(static_cast<size_t>(classCount), 0),
        scored_(static_cast<size_t>(classCount), 0) {
    double sum = 0;
    int scored = 0;
    apartSizes_.assign(static_cast<size_t>(categories(students, &BalanceStudent::apart)), 0);
    for (const BalanceStudent& s : s_) {
      if (s.scored) sum += s.total, ++scored;
      if (s.apart >= 0) ++apartSizes_[static_cast<size_t>(s.apart)];
    }
    mean_ = scored > 0 ? sum / scored : 0;
    for (size_t i = 0; i < s_.size(); ++i) {
      const BalanceStudent& s = s_[i];
      const int k = std::clamp(s.newClass, 0, k_ - 1);
      cls_[i] = k;
      if (s.apart >= 0) ++apart_.at(s.apart, k);
      if (s.sex >= 0) ++sex_.at(s.sex, k);
      if (s.care) ++care_.at(0, k);
      if (s.oldClass >= 0) ++old_.at(s.oldClass, k);
      excess_[static_cast<size_t>(k)] += weight(i);
      if (s.scored) ++scored_[static_cast<size_t>(k)];
    }
  }

  std::vector<int> run() {
    for (int pass = 0; pass < kMaxPasses && !goalsMet(); ++pass)
      if (!improvePass()) break;
    // The means are a sum of squares above; where that leaves a class more
    // than a point off, the worst class is brought in directly.
    for (int step = 0; step < 4 * k_ && worstDeviation() > 1.0; ++step)
      if (!narrowWorstMean()) break;
    return cls_;
  }

 private:
  static constexpr int kMaxPasses = 40;

  // What a student adds to its class's distance from the year mean.
  double weight(size_t i) const { return s_[i].scored ? s_[i].total - mean_ : 0.0; }
  bool movable(size_t i) const { return !s_[i].fixed; }

  // How an exchange of i and j changes goal `g` (negative is better).
  double change(int g, size_t i, size_t j) {
    const BalanceStudent& a = s_[i];
    const BalanceStudent& b = s_[j];
    const int ka = cls_[i], kb = cls_[j];
    switch (g) {
      case 0:
        return static_cast<double>(apart_.exchangeCost(a.apart, b.apart, ka, kb));
      case 1:
        return static_cast<double>(sex_.exchangeCost(a.sex, b.sex, ka, kb));
      case 2:
        return static_cast<double>(care_.exchangeCost(a.care ? 0 : -1, b.care ? 0 : -1, ka, kb));
      case 3:
        return static_cast<double>(old_.exchangeCost(a.oldClass, b.oldClass, ka, kb));
      default: {
        const double d = weight(i) - weight(j);
        return 2 * d * d - 2 * d * (excess_[static_cast<size_t>(ka)] - excess_[static_cast<size_t>(kb)]);
      }
    }
  }

  // Whether exchanging i and j beats `best`; if so, `best` becomes its change.
  // Goals after the first that decides are worked out only when needed.
  bool beats(size_t i, size_t j, Change& best) {
    for (int g = 0; g < kGoals; ++g) {
      const double c = change(g, i, j);
      if (c > best[static_cast<size_t>(g)] + tolerance(g)) return false;
      if (c < best[static_cast<size_t>(g)] - tolerance(g)) {
        best[static_cast<size_t>(g)] = c;
        for (int h = g + 1; h < kGoals; ++h) best[static_cast<size_t>(h)] = change(h, i, j);
        for (int h = 0; h < g; ++h) best[static_cast<size_t>(h)] = change(h, i, j);
        return true;
      }
    }
    return false;
  }

  bool keepsCountGoals(size_t i, size_t j) {
    for (int g = 0; g < kGoals - 1; ++g)
      if (change(g, i, j) != 0) return false;
    return true;
  }

  void exchange(size_t i, size_t j) {
    const BalanceStudent& a = s_[i];
    const BalanceStudent& b = s_[j];
    const int ka = cls_[i], kb = cls_[j];
    apart_.exchange(a.apart, b.apart, ka, kb);
    sex_.exchange(a.sex, b.sex, ka, kb);
    care_.exchange(a.care ? 0 : -1, b.care ? 0 : -1, ka, kb);
    old_.exchange(a.oldClass, b.oldClass, ka, kb);
    const double d = weight(i) - weight(j);
    excess_[static_cast<size_t>(ka)] -= d;
    excess_[static_cast<size_t>(kb)] += d;
    scored_[static_cast<size_t>(ka)] += (b.scored ? 1 : 0) - (a.scored ? 1 : 0);
    scored_[static_cast<size_t>(kb)] += (a.scored ? 1 : 0) - (b.scored ? 1 : 0);
    std::swap(cls_[i], cls_[j]);
  }

  // Every goal holds, the means with room to spare: nothing left to do.
  bool goalsMet() const {
    return apart_.even(&apartSizes_) && sex_.even() && care_.even() && old_.even() && worstDeviation() <= 0.5;
  }

  // Each student in turn takes the best exchange there is for it.
  bool improvePass() {
    bool improved = false;
    for (size_t i = 0; i < s_.size(); ++i) {
      if (!movable(i)) continue;
      Change best{};
      size_t bestJ = i;
      for (size_t j = 0; j < s_.size(); ++j) {
        if (cls_[j] == cls_[i] || !movable(j)) continue;
        if (beats(i, j, best)) bestJ = j;
      }
      if (bestJ != i) {
        exchange(i, bestJ);
        improved = true;
        if (goalsMet()) break;
      }
    }
    return improved;
  }

  static double deviation(double excess, int scored) { return scored > 0 ? std::abs(excess / scored) : 0.0; }
  double deviation(int k) const { return deviation(excess_[static_cast<size_t>(k)], scored_[static_cast<size_t>(k)]); }
  double worstDeviation() const {
    double worst = 0;
    for (int k = 0; k < k_; ++k) worst = std::max(worst, deviation(k));
    return worst;
  }

  // The exchange out of the class farthest from the year mean that brings
  // the farthest of all classes nearest, keeping every earlier goal as it is.
  bool narrowWorstMean() {
    int worstClass = 0;
    for (int k = 1; k < k_; ++k)
      if (deviation(k) > deviation(worstClass)) worstClass = k;
    const double current = worstDeviation();
    double bestWorst = current - 1e-9;
    size_t bestI = 0, bestJ = 0;
    bool found = false;
    for (size_t i = 0; i < s_.size(); ++i) {
      if (cls_[i] != worstClass || !movable(i)) continue;
      for (size_t j = 0; j < s_.size(); ++j) {
        if (cls_[j] == worstClass || !movable(j)) continue;
        if (!keepsCountGoals(i, j)) continue;
        const int kb = cls_[j];
        const double d = weight(i) - weight(j);
        const int si = s_[i].scored ? 1 : 0, sj = s_[j].scored ? 1 : 0;
        double after = std::max(
            deviation(excess_[static_cast<size_t>(worstClass)] - d, scored_[static_cast<size_t>(worstClass)] - si + sj),
            deviation(excess_[static_cast<size_t>(kb)] + d, scored_[static_cast<size_t>(kb)] - sj + si));
        for (int k = 0; k < k_ && after < bestWorst; ++k)
          if (k != worstClass && k != kb) after = std::max(after, deviation(k));
        if (after < bestWorst) bestWorst = after, bestI = i, bestJ = j, found = true;
      }
    }
    if (found) exchange(bestI, bestJ);
    return found;
  }

  const std::vector<BalanceStudent>& s_;
  int k_;
  std::vector<int> cls_;
  Spread apart_, sex_, care_, old_;
  std::vector<int> apartSizes_;
  std::vector<double> excess_;  // per class: sum of (total - year mean) of the scored
  std::vector<int> scored_;
  double mean_ = 0;
};

}  // namespace

std::vector<int> BalanceClasses(const std::vector<BalanceStudent>& students, int classCount) {
  if (classCount < 2 || students.empty()) {
    std::vector<int> same;
    for (const BalanceStudent& s : students) same.push_back(s.newClass);
    return same;
  }
  return Search(students, classCount).run();
}

}  // namespace gakunen
