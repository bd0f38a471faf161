#pragma once

#include "scan_sink.h"

#include <optional>
#include <string>
#include <string_view>

namespace quillmoor::cli {

// The text line for one image, for people reading a terminal:
//   1 2048 "GAMES" hdd_extract/1_GAMES.trd
//   2 102048 "GAMES" hdd_extract/2_GAMES.trd (inside image 1)
// Number, the offset of the image's first byte in the file, the cleaned label
// between double quotes (a cleaned label never holds one, and an empty label
// stays visible), and the output path; a dry run has no path.
std::string ImageLine(const FoundImage& image, std::optional<int> inside);

// The closing line of one file: "Found files: " + count.
std::string FoundLine(int found);

// The same as one JSON object a line, for scripts:
//   {"file":"hdd.img","number":1,"offset":2048,"label":"GAMES",
//    "output":"hdd_extract/1_GAMES.trd","inside":null}
// "output" is null when nothing was written (a dry run).
std::string ImageJson(std::string_view file, const FoundImage& image, std::optional<int> inside);
std::string FileJson(std::string_view file, int found);

// `bytes` as a JSON string with its quotes. Quote, backslash and control
// characters are escaped; well-formed UTF-8 passes through unchanged. A path
// need not be UTF-8, so each byte that is not part of a well-formed sequence
// becomes the lone surrogate \udcXX (XX its value): the line stays valid UTF-8
// and the exact bytes can be recovered (Python: os.fsencode(json.loads(line)[...])).
std::string JsonString(std::string_view bytes);

}  // namespace quillmoor::cli
