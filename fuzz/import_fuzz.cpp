// Fuzzes the import of a spreadsheet's CSV with arbitrary file contents:
// either the file is refused, with a message and the screen's table and the
// shared counts as they were, or it loads as a table within the limits whose
// lines all held as many fields as the titles, and which, saved as a data
// file, loads again with the same cells.

#include "fuzz_support.h"

#include "model/files/spreadsheet_import.h"

#include <cstdint>

using namespace gakunen;
using namespace gakunen::fuzzing;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 1 << 20) return 0;
  ReaderRun run(7);
  const bool loaded = readAsFile(data, size, "import", run, [&run](const QString& path, QString* notice) {
    return spreadsheet::ImportSpreadsheet(run.state, run.host, path, notice);
  });
  if (!loaded) return 0;
  check(run.host.grid.fixedCols() == 2, "imported table without its two fixed columns");
  checkRoundTrip(run.state, run.host);
  return 0;
}
