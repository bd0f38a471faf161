#include "completion_sound.h"

#include "embedded_media.h"

#include <algorithm>
#include <bit>
#include <cstdio>
#include <cstring>

#include <vorbis/vorbisfile.h>

namespace quillmoor {
namespace {

// The bytes vorbisfile reads from, with its read position.
struct MemorySource {
  std::span<const std::uint8_t> bytes;
  std::size_t position = 0;
};

std::size_t ReadMemory(void* destination, std::size_t size, std::size_t count, void* source) {
  auto& memory = *static_cast<MemorySource*>(source);
  if (size == 0) return 0;
  const std::size_t left = memory.bytes.size() - memory.position;
  const std::size_t items = std::min(count, left / size);
  if (items == 0) return 0;
  std::memcpy(destination, memory.bytes.data() + memory.position, items * size);
  memory.position += items * size;
  return items;
}

int SeekMemory(void* source, ogg_int64_t offset, int whence) {
  auto& memory = *static_cast<MemorySource*>(source);
  ogg_int64_t base = 0;
  switch (whence) {
    case SEEK_SET:
      base = 0;
      break;
    case SEEK_CUR:
      base = static_cast<ogg_int64_t>(memory.position);
      break;
    case SEEK_END:
      base = static_cast<ogg_int64_t>(memory.bytes.size());
      break;
    default:
      return -1;
  }
  const ogg_int64_t target = base + offset;
  if (target < 0 || target > static_cast<ogg_int64_t>(memory.bytes.size())) return -1;
  memory.position = static_cast<std::size_t>(target);
  return 0;
}

long TellMemory(void* source) {
  return static_cast<long>(static_cast<MemorySource*>(source)->position);
}

// The bytes belong to the caller; there is nothing to release.
int CloseMemory(void*) {
  return 0;
}

// vorbisfile's decoder state, cleared whatever happens.
class VorbisFile {
 public:
  VorbisFile() = default;
  ~VorbisFile() {
    if (open_) ov_clear(&file_);
  }
  VorbisFile(const VorbisFile&) = delete;
  VorbisFile& operator=(const VorbisFile&) = delete;

  bool Open(MemorySource& source) {
    const ov_callbacks callbacks{ReadMemory, SeekMemory, CloseMemory, TellMemory};
    open_ = ov_open_callbacks(&source, &file_, nullptr, 0, callbacks) == 0;
    return open_;
  }
  OggVorbis_File* get() { return &file_; }

 private:
  OggVorbis_File file_{};
  bool open_ = false;
};

constexpr int HostIsBigEndian = std::endian::native == std::endian::big ? 1 : 0;

}  // namespace

std::optional<PcmSound> DecodeOggVorbis(std::span<const std::uint8_t> ogg) {
  MemorySource source{ogg, 0};
  VorbisFile file;
  if (!file.Open(source)) return std::nullopt;
  const vorbis_info* info = ov_info(file.get(), -1);
  if (info == nullptr || info->channels < 1) return std::nullopt;

  PcmSound sound{info->channels, static_cast<int>(info->rate), {}};
  // The length in the last page's header is only a hint: a damaged or forged
  // one must not make us allocate without bound up front.
  constexpr ogg_int64_t MaxReservedFrames = ogg_int64_t{1} << 24;
  const ogg_int64_t total = ov_pcm_total(file.get(), -1);
  if (total > 0 && total <= MaxReservedFrames) {
    sound.samples.reserve(static_cast<std::size_t>(total) *
                          static_cast<std::size_t>(info->channels));
  }

  char chunk[16384];
  for (;;) {
    int link = 0;
    const long got = ov_read(file.get(), chunk, sizeof chunk, HostIsBigEndian, 2, 1, &link);
    if (got == 0) break;
    // A hole is a lost page in the middle: decoding goes on after it.
    if (got == OV_HOLE) continue;
    if (got < 0) return std::nullopt;
    const vorbis_info* linkInfo = ov_info(file.get(), link);
    if (linkInfo == nullptr || linkInfo->channels != sound.channels ||
        linkInfo->rate != sound.sampleRate) {
      return std::nullopt;
    }
    const std::size_t before = sound.samples.size();
    sound.samples.resize(before + static_cast<std::size_t>(got) / 2);
    std::memcpy(sound.samples.data() + before, chunk, static_cast<std::size_t>(got / 2) * 2);
  }
  if (sound.samples.empty()) return std::nullopt;
  return sound;
}

std::optional<PcmSound> LoadCompletionSound() {
  return DecodeOggVorbis(CompletionOgg());
}

}  // namespace quillmoor
