#include "trd_recogniser.h"

namespace quillmoor {
namespace {

// A full disk has its first free track one past the last track (159), so 160
// is a real value and only 161 and above are impossible.
constexpr std::uint8_t MaxFirstFreeTrack = 160;
constexpr std::uint8_t SectorsPerTrack = 16;
constexpr std::uint8_t MaxFileTrack = 159;
constexpr std::uint8_t MaxCount = 128;

// Offsets within one catalogue entry.
constexpr std::size_t EntryNameStart = 0;
constexpr std::size_t EntryFirstSector = 14;
constexpr std::size_t EntryFirstTrack = 15;

bool EntryIsSound(const std::uint8_t* entry) {
  const std::uint8_t first = entry[EntryNameStart];
  // 0 ends the catalogue and 1 marks a deleted file; 2..31 never start a name.
  const bool nameOk = first < 2 || first > 31;
  return nameOk && entry[EntryFirstSector] < SectorsPerTrack &&
         entry[EntryFirstTrack] <= MaxFileTrack;
}

}  // namespace

bool MatchTrdAt(std::span<const std::uint8_t> buffer, std::size_t p) {
  const std::uint8_t* image = buffer.data() + (p - DiskInfoOffset);
  // The disk-type compare rejects almost every position, so it comes first.
  if (image[DiskInfoOffset] != DiskType80Track2Side) return false;
  if (image[TrDosIdOffset] != TrDosId) return false;
  if (image[FirstFreeTrackOffset] > MaxFirstFreeTrack) return false;
  if (image[FirstFreeSectorOffset] >= SectorsPerTrack) return false;
  const std::uint8_t files = image[FileCountOffset];
  if (files > MaxCount) return false;
  if (image[DeletedCountOffset] > MaxCount) return false;

  // The entry after the last file is checked too: on a real disk it is the
  // end marker or a deleted entry, never junk. The catalogue starts the image.
  for (std::size_t j = 0; j <= files; ++j) {
    if (!EntryIsSound(image + j * CatalogueEntrySize)) return false;
  }
  return true;
}

}  // namespace quillmoor
