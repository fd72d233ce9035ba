#pragma once

#include "ui/print_job.h"

#include <QImage>
#include <QString>

class QWidget;

namespace gakunen {

class Dialogs;

// The print preview of a finished job, from which the teacher prints the
// pages or, with `dialogs` given, saves them as a PDF file. Blocks until closed.
void ShowPrintPreview(const PrintJob& job, QWidget* parent = nullptr, Dialogs* dialogs = nullptr);

// Writes the job as a PDF file, one PDF page a page with its own size and
// orientation. An existing file is replaced only when the new one is
// complete on disk. False when the job has no pages or the file cannot be
// written; `failure` then receives the message for the teacher.
bool WriteJobToPdf(const PrintJob& job, const QString& path, QString* failure = nullptr);

// Page `index` (from 0) as an image of the whole sheet at `dpi`, white
// paper; a null image for a page that does not exist.
QImage RenderJobPage(const PrintJob& job, int index, int dpi);

}  // namespace gakunen
