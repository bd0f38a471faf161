#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quillmoor::media_generator {

struct VorbisPacket {
  std::vector<std::uint8_t> bytes;
  std::int64_t granulePosition = 0;
  bool endOfStream = false;
};

// The identification and setup headers and the audio packets of one encoded
// stream. The comment header is made separately (MakeCommentHeader) so the
// comments can change without encoding the audio again.
struct EncodedVorbis {
  VorbisPacket identification;
  VorbisPacket setup;
  std::vector<VorbisPacket> audio;
};

struct VorbisEncoderSettings {
  long nominalBitrate = 0;      // written to the identification header; no upper or lower bound
  double lowpassKhz = 0;        // 0 keeps the encoder's own choice for that bit rate
  bool channelCoupling = true;  // false codes left and right separately
};

// Encodes interleaved float samples with libvorbisenc in bit-rate-targeted
// VBR mode: the identification header carries `nominalBitrate` and leaves
// both bounds unset, and no bit-rate management constrains the packets.
// The last packet's granule position is the exact number of frames given.
std::optional<EncodedVorbis> EncodeVorbis(const std::vector<float>& interleaved, int channels,
                                          int sampleRate, const VorbisEncoderSettings& settings);

// A Vorbis comment header with libvorbis's vendor string and `comments`
// ("FIELD=value").
std::vector<std::uint8_t> MakeCommentHeader(const std::vector<std::string>& comments);

// Lays the packets out as one logical Ogg stream: the identification header
// alone on the first page, comment and setup headers on the second, then the
// audio spread over `audioPages` pages of about equal size.
std::vector<std::uint8_t> AssembleOggStream(const EncodedVorbis& encoded,
                                            const std::vector<std::uint8_t>& commentHeader,
                                            int audioPages, int serialNumber);

}  // namespace quillmoor::media_generator
