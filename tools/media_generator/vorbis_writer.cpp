#include "vorbis_writer.h"

#include <algorithm>

#include <ogg/ogg.h>
#include <vorbis/codec.h>
#include <vorbis/vorbisenc.h>

namespace quillmoor::media_generator {
namespace {

VorbisPacket CopyPacket(const ogg_packet& packet) {
  return {std::vector<std::uint8_t>(packet.packet, packet.packet + packet.bytes), packet.granulepos,
          packet.e_o_s != 0};
}

// libvorbis's encoder state, released in one place whatever happens.
class VorbisEncoder {
 public:
  VorbisEncoder() {
    vorbis_info_init(&info_);
    vorbis_comment_init(&comment_);
  }
  ~VorbisEncoder() {
    if (blockReady_) vorbis_block_clear(&block_);
    if (dspReady_) vorbis_dsp_clear(&dsp_);
    vorbis_comment_clear(&comment_);
    vorbis_info_clear(&info_);
  }
  VorbisEncoder(const VorbisEncoder&) = delete;
  VorbisEncoder& operator=(const VorbisEncoder&) = delete;

  bool Setup(int channels, int sampleRate, const VorbisEncoderSettings& settings) {
    if (vorbis_encode_setup_managed(&info_, channels, sampleRate, -1, settings.nominalBitrate,
                                    -1) != 0) {
      return false;
    }
    // Coupling picks the setup template from the requested bit rate, so it
    // has to be set while the request still counts as one.
    int coupling = settings.channelCoupling ? 1 : 0;
    if (vorbis_encode_ctl(&info_, OV_ECTL_COUPLING_SET, &coupling) != 0) return false;
    // Keep the nominal rate as the quality target but let every packet take
    // what it needs: no average, upper or lower limit is enforced.
    if (vorbis_encode_ctl(&info_, OV_ECTL_RATEMANAGE2_SET, nullptr) != 0) return false;
    if (settings.lowpassKhz > 0) {
      double lowpass = settings.lowpassKhz;
      if (vorbis_encode_ctl(&info_, OV_ECTL_LOWPASS_SET, &lowpass) != 0) return false;
    }
    if (vorbis_encode_setup_init(&info_) != 0) return false;
    if (vorbis_analysis_init(&dsp_, &info_) != 0) return false;
    dspReady_ = true;
    if (vorbis_block_init(&dsp_, &block_) != 0) return false;
    blockReady_ = true;
    return true;
  }

  bool Headers(EncodedVorbis& out) {
    ogg_packet identification;
    ogg_packet comment;
    ogg_packet setup;
    if (vorbis_analysis_headerout(&dsp_, &comment_, &identification, &comment, &setup) != 0) {
      return false;
    }
    out.identification = CopyPacket(identification);
    out.setup = CopyPacket(setup);
    return true;
  }

  void Write(const std::vector<float>& interleaved, int channels, EncodedVorbis& out) {
    constexpr int framesPerWrite = 1024;
    const long totalFrames = static_cast<long>(interleaved.size()) / channels;
    for (long first = 0; first < totalFrames; first += framesPerWrite) {
      const int frames = static_cast<int>(std::min<long>(framesPerWrite, totalFrames - first));
      float** buffer = vorbis_analysis_buffer(&dsp_, frames);
      for (int frame = 0; frame < frames; ++frame) {
        for (int channel = 0; channel < channels; ++channel) {
          buffer[channel][frame] =
              interleaved[static_cast<std::size_t>((first + frame) * channels + channel)];
        }
      }
      vorbis_analysis_wrote(&dsp_, frames);
      Drain(out);
    }
    vorbis_analysis_wrote(&dsp_, 0);
    Drain(out);
  }

 private:
  void Drain(EncodedVorbis& out) {
    while (vorbis_analysis_blockout(&dsp_, &block_) == 1) {
      vorbis_analysis(&block_, nullptr);
      vorbis_bitrate_addblock(&block_);
      ogg_packet packet;
      while (vorbis_bitrate_flushpacket(&dsp_, &packet) == 1)
        out.audio.push_back(CopyPacket(packet));
    }
  }

  vorbis_info info_{};
  vorbis_comment comment_{};
  vorbis_dsp_state dsp_{};
  vorbis_block block_{};
  bool dspReady_ = false;
  bool blockReady_ = false;
};

void AppendPage(const ogg_page& page, std::vector<std::uint8_t>& out) {
  out.insert(out.end(), page.header, page.header + page.header_len);
  out.insert(out.end(), page.body, page.body + page.body_len);
}

void FlushPages(ogg_stream_state& stream, std::vector<std::uint8_t>& out) {
  ogg_page page;
  while (ogg_stream_flush(&stream, &page) != 0) AppendPage(page, out);
}

void AddPacket(ogg_stream_state& stream, const VorbisPacket& packet, std::int64_t number) {
  ogg_packet raw{};
  raw.packet = const_cast<unsigned char*>(packet.bytes.data());
  raw.bytes = static_cast<long>(packet.bytes.size());
  raw.b_o_s = number == 0 ? 1 : 0;
  raw.e_o_s = packet.endOfStream ? 1 : 0;
  raw.granulepos = packet.granulePosition;
  raw.packetno = number;
  ogg_stream_packetin(&stream, &raw);
}

}  // namespace

std::optional<EncodedVorbis> EncodeVorbis(const std::vector<float>& interleaved, int channels,
                                          int sampleRate, const VorbisEncoderSettings& settings) {
  VorbisEncoder encoder;
  EncodedVorbis out;
  if (!encoder.Setup(channels, sampleRate, settings) || !encoder.Headers(out)) return std::nullopt;
  encoder.Write(interleaved, channels, out);
  if (out.audio.empty() || !out.audio.back().endOfStream) return std::nullopt;
  return out;
}

std::vector<std::uint8_t> MakeCommentHeader(const std::vector<std::string>& comments) {
  vorbis_comment comment;
  vorbis_comment_init(&comment);
  for (const std::string& entry : comments) vorbis_comment_add(&comment, entry.c_str());
  ogg_packet packet;
  std::vector<std::uint8_t> bytes;
  if (vorbis_commentheader_out(&comment, &packet) == 0) {
    bytes.assign(packet.packet, packet.packet + packet.bytes);
    ogg_packet_clear(&packet);
  }
  vorbis_comment_clear(&comment);
  return bytes;
}

std::vector<std::uint8_t> AssembleOggStream(const EncodedVorbis& encoded,
                                            const std::vector<std::uint8_t>& commentHeader,
                                            int audioPages, int serialNumber) {
  ogg_stream_state stream;
  ogg_stream_init(&stream, serialNumber);
  std::vector<std::uint8_t> out;
  std::int64_t number = 0;

  AddPacket(stream, encoded.identification, number++);
  FlushPages(stream, out);
  AddPacket(stream, {commentHeader, 0, false}, number++);
  AddPacket(stream, encoded.setup, number++);
  FlushPages(stream, out);

  std::size_t audioBytes = 0;
  for (const VorbisPacket& packet : encoded.audio) audioBytes += packet.bytes.size();
  std::size_t written = 0;
  int pagesDone = 0;
  for (const VorbisPacket& packet : encoded.audio) {
    AddPacket(stream, packet, number++);
    written += packet.bytes.size();
    // End a page once its share of the audio is in.
    const std::size_t pageEnd =
        audioBytes * static_cast<std::size_t>(pagesDone + 1) / static_cast<std::size_t>(audioPages);
    if (written >= pageEnd && pagesDone + 1 < audioPages) {
      FlushPages(stream, out);
      ++pagesDone;
    }
  }
  FlushPages(stream, out);
  ogg_stream_clear(&stream);
  return out;
}

}  // namespace quillmoor::media_generator
