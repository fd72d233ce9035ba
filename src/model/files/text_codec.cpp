#include "model/files/text_codec.h"

#include <unicode/ucnv.h>
#include <unicode/ucnv_err.h>
#include <QStringDecoder>

#include <memory>

namespace gakunen::TextCodec {

namespace {

struct ConverterCloser {
  void operator()(UConverter* c) const { ucnv_close(c); }
};
using Converter = std::unique_ptr<UConverter, ConverterCloser>;

// Stops at every character without a code page 932 form. ICU's own stop
// callback lets default-ignorable characters (U+FEFF, U+200B, variation
// selectors, the soft hyphen) through by dropping them, which would save a
// cell as other text than the table holds.
void stopAtEveryUnmappable(const void*, UConverterFromUnicodeArgs*, const UChar*, int32_t, UChar32,
                           UConverterCallbackReason, UErrorCode*) {}

// One strict converter per thread, reset before each use.
UConverter* cp932() {
  thread_local Converter conv = [] {
    UErrorCode status = U_ZERO_ERROR;
    UConverter* c = ucnv_open("windows-31j", &status);
    if (U_FAILURE(status)) return Converter();
    ucnv_setToUCallBack(c, UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
    ucnv_setFromUCallBack(c, stopAtEveryUnmappable, nullptr, nullptr, nullptr, &status);
    return Converter(c);
  }();
  if (conv) ucnv_reset(conv.get());
  return conv.get();
}

// Whether the bytes are well-formed UTF-8 (RFC 3629: no overlong forms, no
// surrogates, nothing past U+10FFFF). A code page 932 file fails within its
// first Japanese character, where decoding it as UTF-8 to find that out
// would cost as much as decoding it.
bool isWellFormedUtf8(const char* data, qsizetype n) {
  const auto* p = reinterpret_cast<const unsigned char*>(data);
  for (qsizetype i = 0; i < n;) {
    const unsigned char lead = p[i];
    if (lead < 0x80) {
      ++i;
      continue;
    }
    int length = 0;
    unsigned char low = 0x80, high = 0xBF;  // the bounds of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
      length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      length = 3;
      if (lead == 0xE0) low = 0xA0;
      if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4;
      if (lead == 0xF0) low = 0x90;
      if (lead == 0xF4) high = 0x8F;
    } else {
      return false;
    }
    if (n - i < length || p[i + 1] < low || p[i + 1] > high) return false;
    for (int k = 2; k < length; ++k)
      if (p[i + k] < 0x80 || p[i + k] > 0xBF) return false;
    i += length;
  }
  return true;
}

}  // namespace

void openConverter() { (void)cp932(); }

std::optional<QString> decodeCp932(const QByteArray& bytes) {
  UConverter* conv = cp932();
  if (!conv) return std::nullopt;
  QString out;
  if (bytes.isEmpty()) return out;
  out.resize(bytes.size());  // code page 932 never takes fewer bytes than UTF-16 units
  UErrorCode status = U_ZERO_ERROR;
  const int32_t n = ucnv_toUChars(conv, reinterpret_cast<UChar*>(out.data()), static_cast<int32_t>(out.size()),
                                  bytes.constData(), static_cast<int32_t>(bytes.size()), &status);
  if (U_FAILURE(status)) return std::nullopt;
  out.truncate(n);
  return out;
}

std::optional<QByteArray> encodeCp932(const QString& text, qsizetype* badIndex) {
  UConverter* conv = cp932();
  if (!conv) return std::nullopt;
  QByteArray out;
  if (text.isEmpty()) return out;
  out.resize(text.size() * 2 + 16);
  UErrorCode status = U_ZERO_ERROR;
  const int32_t n =
      ucnv_fromUChars(conv, out.data(), static_cast<int32_t>(out.size()),
                      reinterpret_cast<const UChar*>(text.constData()), static_cast<int32_t>(text.size()), &status);
  if (U_FAILURE(status)) {
    if (badIndex) {
      *badIndex = 0;
      for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t cp = text[i].unicode();
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
          cp = QChar::surrogateToUcs4(text[i], text[i + 1]);
        if (!cp932CanHold(cp)) {
          *badIndex = i;
          break;
        }
        if (cp > 0xFFFF) ++i;
      }
    }
    return std::nullopt;
  }
  out.truncate(n);
  return out;
}

bool cp932CanHold(char32_t codePoint) {
  UConverter* conv = cp932();
  if (!conv) return false;
  UChar units[2];
  int32_t len = 0;
  if (codePoint > 0xFFFF) {
    units[0] = static_cast<UChar>(0xD7C0 + (codePoint >> 10));
    units[1] = static_cast<UChar>(0xDC00 | (codePoint & 0x3FF));
    len = 2;
  } else {
    units[0] = static_cast<UChar>(codePoint);
    len = 1;
  }
  char buf[8];
  UErrorCode status = U_ZERO_ERROR;
  ucnv_fromUChars(conv, buf, sizeof buf, units, len, &status);
  return U_SUCCESS(status);
}

std::optional<QString> decodeFile(const QByteArray& bytes) {
  const bool bom = bytes.startsWith("\xEF\xBB\xBF");
  bool nonAscii = false;
  for (char b : bytes)
    if (static_cast<unsigned char>(b) >= 0x80) {
      nonAscii = true;
      break;
    }
  if (bom || nonAscii) {
    const qsizetype skip = bom ? 3 : 0;
    if (isWellFormedUtf8(bytes.constData() + skip, bytes.size() - skip)) {
      QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
      QString text = utf8.decode(QByteArrayView(bytes).sliced(skip));
      if (!utf8.hasError()) return text;
    }
    if (bom) return std::nullopt;
  }
  return decodeCp932(bytes);
}

}  // namespace gakunen::TextCodec
