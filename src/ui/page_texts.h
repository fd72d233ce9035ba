#pragma once

#include "ui/print_job.h"

#include <QStringList>

namespace gakunen {

// The texts drawn on a printed page, header included, in the order they
// were drawn: what a reader finds written on the sheet, whatever drew it.
QStringList PageTexts(const PrintedPage& page);

}  // namespace gakunen
