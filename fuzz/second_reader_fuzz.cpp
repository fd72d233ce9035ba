// Fuzzes the second data file channel, which reads another test's file while
// its data are added to a subject file: its header count stops at the first
// field of exactly 1. Either the file is refused, with a message and the
// screen's table and the shared counts as they were, or it loads as a table
// within the limits whose titles do not read above 0 and which, saved, loads
// again through the first channel with the same cells.

#include "fuzz_support.h"

#include "model/rules/subjectfiles/subject_columns.h"

#include <cstdint>

using namespace gakunen;
using namespace gakunen::fuzzing;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 1 << 20) return 0;
  ReaderRun run(4);
  const bool loaded = readAsFile(data, size, "second", run, [&run](const QString& path, QString* notice) {
    return subjectfiles::ReadOtherTestFile(run.state, run.host, path, notice);
  });
  if (!loaded) return 0;
  const StudentTable& t = run.host.grid;
  if (t.rows() >= 2) check(TextValue(t.text(1, 0)) == 1, "first class of the second channel is not 1");
  checkRoundTrip(run.state, run.host);
  return 0;
}
