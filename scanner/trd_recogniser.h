#pragma once

#include "scan_buffer.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace quillmoor {

// Offsets within a TRD image, counted from its first byte.
inline constexpr std::size_t CatalogueEntrySize = 16;
inline constexpr std::size_t CatalogueEntries = 128;
inline constexpr std::size_t FirstFreeSectorOffset = 2'273;
inline constexpr std::size_t FirstFreeTrackOffset = 2'274;
inline constexpr std::size_t DiskInfoOffset = 2'275;  // the disk-type byte
inline constexpr std::size_t FileCountOffset = 2'276;
inline constexpr std::size_t TrDosIdOffset = 2'279;
inline constexpr std::size_t DeletedCountOffset = 2'292;
inline constexpr std::size_t LabelOffset = 2'293;
inline constexpr std::size_t LabelLength = 10;

// Field values of an 80-track double-sided disk.
inline constexpr std::uint8_t DiskType80Track2Side = 22;
inline constexpr std::uint8_t TrDosId = 16;

// How far before and after the disk-type byte the recogniser reads.
inline constexpr std::size_t MatchReachBefore = DiskInfoOffset;
inline constexpr std::size_t MatchReachAfter = DeletedCountOffset - DiskInfoOffset;

// True when the bytes around `p` look like the disk-information sector and
// catalogue of a TRD image whose disk-type byte is at `p`. The caller makes
// sure that [p - MatchReachBefore, p + MatchReachAfter] lies inside `buffer`.
// Reads only; the image's file data is never looked at.
bool MatchTrdAt(std::span<const std::uint8_t> buffer, std::size_t p);

}  // namespace quillmoor
