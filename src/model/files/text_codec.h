#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace gakunen {

// Code page 932 through ICU's windows-31j converter, and the choice between
// it and UTF-8 for files a spreadsheet may have saved.
namespace TextCodec {

// Opens the converter ahead of the first file read or written, which
// otherwise pays for it.
void openConverter();

// Strict decoding: nothing when the bytes are not valid code page 932.
std::optional<QString> decodeCp932(const QByteArray& bytes);

// Strict encoding: nothing when a character has no code page 932 form. On
// failure `badIndex` receives the index in `text` of the first such character.
std::optional<QByteArray> encodeCp932(const QString& text, qsizetype* badIndex = nullptr);

// Whether one character (a code point) has a code page 932 form.
bool cp932CanHold(char32_t codePoint);

// A file's text: UTF-8 when it starts with a byte-order mark or is valid
// UTF-8 holding non-ASCII bytes, otherwise code page 932. Nothing when the
// bytes are neither.
std::optional<QString> decodeFile(const QByteArray& bytes);

}  // namespace TextCodec
}  // namespace gakunen
