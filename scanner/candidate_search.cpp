#include "candidate_search.h"

#include <bit>
#include <cstring>

#if defined(__x86_64__)
// SSE2 is part of every x86-64 processor; AVX2 is chosen at run time.
#include <immintrin.h>
#define QUILLMOOR_X86 1
#endif

namespace quillmoor {
namespace {

constexpr std::uint8_t DiskTypeByte = 22;
constexpr std::uint8_t IdByte = 16;

std::size_t FindPortable(const std::uint8_t* bytes, std::size_t from, std::size_t to) {
  std::size_t p = from;
  while (p < to) {
    const void* hit = std::memchr(bytes + p, DiskTypeByte, to - p);
    if (hit == nullptr) return to;
    p = static_cast<std::size_t>(static_cast<const std::uint8_t*>(hit) - bytes);
    if (bytes[p + CandidateIdDistance] == IdByte) return p;
    ++p;
  }
  return to;
}

#ifdef QUILLMOOR_X86

// The pair test on the 16 positions from `at`: a mask with 0xFF where both
// bytes are there.
inline __m128i PairsAt(const std::uint8_t* at, __m128i type, __m128i id) {
  const __m128i here = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
  const __m128i ahead = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at + CandidateIdDistance));
  return _mm_and_si128(_mm_cmpeq_epi8(here, type), _mm_cmpeq_epi8(ahead, id));
}

std::size_t FindSse2(const std::uint8_t* bytes, std::size_t from, std::size_t to) {
  const __m128i type = _mm_set1_epi8(static_cast<char>(DiskTypeByte));
  const __m128i id = _mm_set1_epi8(static_cast<char>(IdByte));
  std::size_t p = from;
  // Four vectors a round with one branch: on nearly all data there is no hit,
  // and a branch per 16 bytes would cost as much as the compares.
  for (; p + 64 <= to; p += 64) {
    const __m128i m0 = PairsAt(bytes + p, type, id);
    const __m128i m1 = PairsAt(bytes + p + 16, type, id);
    const __m128i m2 = PairsAt(bytes + p + 32, type, id);
    const __m128i m3 = PairsAt(bytes + p + 48, type, id);
    const __m128i any = _mm_or_si128(_mm_or_si128(m0, m1), _mm_or_si128(m2, m3));
    if (_mm_movemask_epi8(any) == 0) continue;
    const std::uint64_t mask =
        static_cast<std::uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(m0))) |
        static_cast<std::uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(m1))) << 16 |
        static_cast<std::uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(m2))) << 32 |
        static_cast<std::uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(m3))) << 48;
    return p + static_cast<std::size_t>(std::countr_zero(mask));
  }
  for (; p + 16 <= to; p += 16) {
    const auto mask = static_cast<unsigned>(_mm_movemask_epi8(PairsAt(bytes + p, type, id)));
    if (mask != 0) return p + static_cast<std::size_t>(std::countr_zero(mask));
  }
  return FindPortable(bytes, p, to);
}

__attribute__((target("avx2"))) std::size_t FindAvx2(const std::uint8_t* bytes, std::size_t from,
                                                     std::size_t to) {
  const __m256i type = _mm256_set1_epi8(static_cast<char>(DiskTypeByte));
  const __m256i id = _mm256_set1_epi8(static_cast<char>(IdByte));
  std::size_t p = from;
  // Two vectors a round: on random data a hit is rare, so the loop is bound by
  // loads and compares, and fewer branches help.
  for (; p + 64 <= to; p += 64) {
    const auto* at = reinterpret_cast<const __m256i*>(bytes + p);
    const auto* ahead = reinterpret_cast<const __m256i*>(bytes + p + CandidateIdDistance);
    const __m256i lo = _mm256_and_si256(_mm256_cmpeq_epi8(_mm256_loadu_si256(at), type),
                                        _mm256_cmpeq_epi8(_mm256_loadu_si256(ahead), id));
    const __m256i hi = _mm256_and_si256(_mm256_cmpeq_epi8(_mm256_loadu_si256(at + 1), type),
                                        _mm256_cmpeq_epi8(_mm256_loadu_si256(ahead + 1), id));
    if (_mm256_testz_si256(_mm256_or_si256(lo, hi), _mm256_or_si256(lo, hi))) continue;
    const auto low = static_cast<std::uint32_t>(_mm256_movemask_epi8(lo));
    if (low != 0) return p + static_cast<std::size_t>(std::countr_zero(low));
    const auto high = static_cast<std::uint32_t>(_mm256_movemask_epi8(hi));
    return p + 32 + static_cast<std::size_t>(std::countr_zero(high));
  }
  return FindSse2(bytes, p, to);
}

bool HasAvx2() {
  static const bool has = __builtin_cpu_supports("avx2");
  return has;
}

#endif

}  // namespace

std::size_t FindCandidateWith(SearchPath path, const std::uint8_t* bytes, std::size_t from,
                              std::size_t to) {
  switch (path) {
#ifdef QUILLMOOR_X86
    case SearchPath::Sse2:
      return FindSse2(bytes, from, to);
    case SearchPath::Avx2:
      return FindAvx2(bytes, from, to);
#endif
    default:
      return FindPortable(bytes, from, to);
  }
}

std::size_t FindCandidate(const std::uint8_t* bytes, std::size_t from, std::size_t to) {
#ifdef QUILLMOOR_X86
  if (HasAvx2()) return FindAvx2(bytes, from, to);
  return FindSse2(bytes, from, to);
#else
  return FindPortable(bytes, from, to);
#endif
}

std::vector<SearchPath> AvailableSearchPaths() {
  std::vector<SearchPath> paths{SearchPath::Portable};
#ifdef QUILLMOOR_X86
  paths.push_back(SearchPath::Sse2);
  if (HasAvx2()) paths.push_back(SearchPath::Avx2);
#endif
  return paths;
}

const char* SearchPathName(SearchPath path) {
  switch (path) {
    case SearchPath::Sse2:
      return "Sse2";
    case SearchPath::Avx2:
      return "Avx2";
    default:
      return "Portable";
  }
}

}  // namespace quillmoor
