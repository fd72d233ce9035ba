#pragma once

#include <QString>

namespace gakunen {

// The teacher's guide (guide.html) as seen from the program's folder: beside
// the build tree's program (build/docs) or as installed (share/doc/gakunen).
// Empty when neither is there.
QString FindGuide(const QString& programFolder);

}  // namespace gakunen
