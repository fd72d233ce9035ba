// Qt's text and file classes want an application object; libFuzzer calls
// this once before the first input. The corpus replay makes its own.

#include <QCoreApplication>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  static QCoreApplication app(*argc, *argv);
  return 0;
}
