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

// Lexicographic: the first goal that changes decides. The means move by
// tiny amounts; changes below the tolerance do not count, so the search
// cannot circle on rounding.
bool better(const Change& a, const Change& b) {
  for (int g = 0; g < kGoals; ++g) {
    const double tolerance = g == kGoals - 1 ? 1e-6 : 0.5;
    if (a[g] < b[g] - tolerance) return true;
    if (a[g] > b[g] + tolerance) return false;
  }
  return false;
}

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
    for (const BalanceStudent& s : s_)
      if (s.scored) sum += s.total, ++scored;
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
    for (int pass = 0; pass < kMaxPasses; ++pass)
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

  Change change(size_t i, size_t j) {
    const BalanceStudent& a = s_[i];
    const BalanceStudent& b = s_[j];
    const int ka = cls_[i], kb = cls_[j];
    const double d = weight(i) - weight(j);
    const double ea = excess_[static_cast<size_t>(ka)], eb = excess_[static_cast<size_t>(kb)];
    return {static_cast<double>(apart_.exchangeCost(a.apart, b.apart, ka, kb)),
            static_cast<double>(sex_.exchangeCost(a.sex, b.sex, ka, kb)),
            static_cast<double>(care_.exchangeCost(a.care ? 0 : -1, b.care ? 0 : -1, ka, kb)),
            static_cast<double>(old_.exchangeCost(a.oldClass, b.oldClass, ka, kb)), 2 * d * d - 2 * d * (ea - eb)};
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

  // Each student in turn takes the best exchange there is for it.
  bool improvePass() {
    bool improved = false;
    const Change none{};
    for (size_t i = 0; i < s_.size(); ++i) {
      if (!movable(i)) continue;
      Change best = none;
      size_t bestJ = i;
      for (size_t j = 0; j < s_.size(); ++j) {
        if (cls_[j] == cls_[i] || !movable(j)) continue;
        const Change c = change(i, j);
        if (better(c, best)) best = c, bestJ = j;
      }
      if (bestJ != i) {
        exchange(i, bestJ);
        improved = true;
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
        const Change c = change(i, j);
        if (c[0] != 0 || c[1] != 0 || c[2] != 0 || c[3] != 0) continue;
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
