#pragma once

namespace gakunen {

class ScoreScreen;

// Wires the score screen's "学年平均", "度数分布", "度数分布グラフ" and "印刷"
// to their work, with the enabling each of them brings.
void ConnectScoreSummaryButtons(ScoreScreen& screen);

}  // namespace gakunen
