// Replays every kept corpus file through the fuzz targets' entry functions,
// built with the ordinary compiler: the checks each target makes (an abort
// when one fails) then guard the readers without clang. Arguments name a
// target and its corpus folder: reader_fuzz=/path/to/corpus ...

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QString>

#include <cstdint>
#include <cstdio>
#include <map>

// Each target's LLVMFuzzerTestOneInput, renamed when it is compiled for this program.
extern "C" int reader_fuzz_input(const uint8_t* data, size_t size);
extern "C" int import_fuzz_input(const uint8_t* data, size_t size);
extern "C" int second_reader_fuzz_input(const uint8_t* data, size_t size);
extern "C" int answer_fuzz_input(const uint8_t* data, size_t size);

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  using Entry = int (*)(const uint8_t*, size_t);
  const std::map<QString, Entry> entries = {{QStringLiteral("reader_fuzz"), reader_fuzz_input},
                                            {QStringLiteral("import_fuzz"), import_fuzz_input},
                                            {QStringLiteral("second_reader_fuzz"), second_reader_fuzz_input},
                                            {QStringLiteral("answer_fuzz"), answer_fuzz_input}};
  int passed = 0;
  int failed = 0;
  for (const QString& argument : app.arguments().mid(1)) {
    const QString name = argument.section(u'=', 0, 0);
    const QDir corpus(argument.section(u'=', 1));
    const auto entry = entries.find(name);
    const QStringList files = corpus.entryList(QDir::Files, QDir::Name);
    if (entry == entries.end() || files.isEmpty()) {
      std::printf("%s: no such target, or no corpus files\n", qPrintable(argument));
      ++failed;
      continue;
    }
    for (const QString& file : files) {
      QFile f(corpus.filePath(file));
      if (!f.open(QIODevice::ReadOnly)) {
        std::printf("%s: cannot read %s\n", qPrintable(name), qPrintable(file));
        ++failed;
        continue;
      }
      const QByteArray bytes = f.readAll();
      // A failed check aborts, which fails the test with the file named here.
      std::printf("%s %s\n", qPrintable(name), qPrintable(file));
      std::fflush(stdout);
      entry->second(reinterpret_cast<const uint8_t*>(bytes.constData()), static_cast<size_t>(bytes.size()));
      ++passed;
    }
  }
  std::printf("%d passed, %d failed\n", passed, failed);
  return failed == 0 ? 0 : 1;
}
