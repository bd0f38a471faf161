#pragma once

#include "extract_images.h"
#include "scan_sink.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace quillmoor {

// Handles one accepted position: the disk-type byte at buffer position `p`,
// the image starting DiskInfoOffset bytes earlier. Numbers the image, shows
// its label and the count, settles the output folder on the run's first image,
// and writes the image's bytes from the buffer. A file that cannot be created
// or written is reported with an "Error!" box and keeps its number.
void WriteFoundImage(ExtractionRun& run, std::span<const std::uint8_t> buffer, std::size_t p,
                     ScanSink& sink);

}  // namespace quillmoor
