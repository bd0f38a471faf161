#include "report_format.h"

#include <cstdint>
#include <cstdio>

namespace quillmoor::cli {
namespace {

// The length of the well-formed UTF-8 sequence that starts `text`, or 0 when
// its first byte does not start one (stray continuation bytes, overlong forms,
// surrogates and values above U+10FFFF all count as malformed).
std::size_t Utf8SequenceLength(std::string_view text) {
  const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(text[i]); };
  const std::uint8_t lead = byte(0);
  std::size_t length = 0;
  std::uint8_t low = 0x80;  // the range the second byte must fall in
  std::uint8_t high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;   // overlong
    if (lead == 0xED) high = 0x9F;  // surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;   // overlong
    if (lead == 0xF4) high = 0x8F;  // above U+10FFFF
  } else {
    return 0;
  }
  if (text.size() < length || byte(1) < low || byte(1) > high) return 0;
  for (std::size_t i = 2; i < length; ++i) {
    if (byte(i) < 0x80 || byte(i) > 0xBF) return 0;
  }
  return length;
}

std::string HexEscape(const char* prefix, std::uint8_t value) {
  char escaped[8];
  std::snprintf(escaped, sizeof escaped, "%s%02x", prefix, value);
  return escaped;
}

std::string OptionalNumber(std::optional<int> value) {
  return value ? std::to_string(*value) : "null";
}

}  // namespace

std::string JsonString(std::string_view bytes) {
  std::string json = "\"";
  for (std::size_t i = 0; i < bytes.size();) {
    const auto c = static_cast<std::uint8_t>(bytes[i]);
    if (c >= 0x80) {
      const std::size_t length = Utf8SequenceLength(bytes.substr(i));
      if (length == 0) {
        json += HexEscape("\\udc", c);
        ++i;
      } else {
        json.append(bytes.substr(i, length));
        i += length;
      }
      continue;
    }
    if (c == '"' || c == '\\') {
      json += '\\';
      json += static_cast<char>(c);
    } else if (c == '\n') {
      json += "\\n";
    } else if (c == '\t') {
      json += "\\t";
    } else if (c < 0x20 || c == 0x7F) {
      json += HexEscape("\\u00", c);
    } else {
      json += static_cast<char>(c);
    }
    ++i;
  }
  return json + "\"";
}

std::string ImageLine(const FoundImage& image, std::optional<int> inside) {
  std::string line = std::to_string(image.number) + " " + std::to_string(image.fileOffset) + " \"" +
                     image.label + "\"";
  if (image.written) line += " " + image.outputPath;
  if (inside) line += " (inside image " + std::to_string(*inside) + ")";
  return line;
}

std::string FoundLine(int found) {
  return "Found files: " + std::to_string(found);
}

std::string ImageJson(std::string_view file, const FoundImage& image, std::optional<int> inside) {
  return "{\"file\":" + JsonString(file) + ",\"number\":" + std::to_string(image.number) +
         ",\"offset\":" + std::to_string(image.fileOffset) +
         ",\"label\":" + JsonString(image.label) +
         ",\"output\":" + (image.written ? JsonString(image.outputPath) : "null") +
         ",\"inside\":" + OptionalNumber(inside) + "}";
}

std::string FileJson(std::string_view file, int found) {
  return "{\"file\":" + JsonString(file) + ",\"found\":" + std::to_string(found) + "}";
}

}  // namespace quillmoor::cli
