#include "nc_check/nc_bytes.h"

#include <algorithm>
#include <cstring>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define QUENLO_NIBBLE_LOOKUP 1
#endif

namespace quenlo::nc_check {
namespace {

// The last, short stretch of a text copied into 64 bytes that matter to
// nobody, so that a mask of 64 bytes never reads past the text.
const char* Padded(std::string_view text, size_t at, char (&buffer)[64]) {
  std::memset(buffer, ' ', sizeof buffer);
  std::memcpy(buffer, text.data() + at, text.size() - at);
  return buffer;
}

void MasksByTable(std::string_view text, uint64_t* masks) {
  for (size_t at = 0; at < text.size(); at += 64, ++masks)
    for (size_t i = 0; i < 64 && at + i < text.size(); ++i)
      if (MayMatter(text[at + i])) *masks |= uint64_t{1} << i;
}

#ifdef QUENLO_NIBBLE_LOOKUP
// A byte may matter when the entry of its low nibble and the entry of its
// high nibble share a bit. Each bit is one rectangle of the byte table:
//   1  high 0, 1, 8 ... F: control characters and bytes outside ASCII (any low nibble)
//   2  high 4, 6 with low 4 7 8 C D F: D G H L M O, d g h l m o
//   4  high 5, 7 with low 0 4 B: P T [, p t {
//   8  high 7 with low F: DEL
//  16  high 2 with low 5 8 9 F: % ( ) /
//  32  high 3 with low B C D: ; < =
alignas(16) constexpr unsigned char kLow[16] = {1 | 4, 1, 1, 1, 1 | 2 | 4, 1 | 16, 1, 1 | 2, 1 | 2 | 16, 1 | 16, 1,
                                                1 | 4 | 32, 1 | 2 | 32, 1 | 2 | 32, 1, 1 | 2 | 8 | 16};
alignas(16) constexpr unsigned char kHigh[16] = {1, 1, 16, 32, 2, 4, 2, 4 | 8, 1, 1, 1, 1, 1, 1, 1, 1};

// The lookup finds exactly the bytes that may matter.
constexpr bool LookupCoversClasses() {
  for (int b = 0; b < 256; ++b) {
    const bool found = (kLow[b & 15] & kHigh[b >> 4]) != 0;
    if (found != (kByteClasses[b] != kPlain || b == '\t' || b == '{')) return false;
  }
  return true;
}
static_assert(LookupCoversClasses());

// The lookup sixteen bytes at a time (SSSE3) ...
__attribute__((target("ssse3"))) inline uint64_t Mask16(const char* p) {
  const __m128i low_table = _mm_load_si128(reinterpret_cast<const __m128i*>(kLow));
  const __m128i high_table = _mm_load_si128(reinterpret_cast<const __m128i*>(kHigh));
  const __m128i nibble = _mm_set1_epi8(0x0f);
  uint64_t mask = 0;
  for (int i = 0; i < 4; ++i) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * i));
    const __m128i low = _mm_shuffle_epi8(low_table, _mm_and_si128(v, nibble));
    const __m128i high = _mm_shuffle_epi8(high_table, _mm_and_si128(_mm_srli_epi16(v, 4), nibble));
    const __m128i plain = _mm_cmpeq_epi8(_mm_and_si128(low, high), _mm_setzero_si128());
    mask |= static_cast<uint64_t>(~_mm_movemask_epi8(plain) & 0xffff) << (16 * i);
  }
  return mask;
}

__attribute__((target("ssse3"))) void MasksBySsse3(std::string_view text, uint64_t* masks) {
  size_t at = 0;
  for (; text.size() - at >= 64; at += 64) *masks++ = Mask16(text.data() + at);
  char tail[64];
  if (at < text.size()) *masks = Mask16(Padded(text, at, tail));
}

// ... and thirty-two (AVX2).
__attribute__((target("avx2"))) inline uint64_t Mask32(const char* p) {
  const __m256i low_table = _mm256_broadcastsi128_si256(_mm_load_si128(reinterpret_cast<const __m128i*>(kLow)));
  const __m256i high_table = _mm256_broadcastsi128_si256(_mm_load_si128(reinterpret_cast<const __m128i*>(kHigh)));
  const __m256i nibble = _mm256_set1_epi8(0x0f);
  uint64_t mask = 0;
  for (int i = 0; i < 2; ++i) {
    const __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + 32 * i));
    const __m256i low = _mm256_shuffle_epi8(low_table, _mm256_and_si256(v, nibble));
    const __m256i high = _mm256_shuffle_epi8(high_table, _mm256_and_si256(_mm256_srli_epi16(v, 4), nibble));
    const __m256i plain = _mm256_cmpeq_epi8(_mm256_and_si256(low, high), _mm256_setzero_si256());
    mask |= static_cast<uint64_t>(~static_cast<uint32_t>(_mm256_movemask_epi8(plain))) << (32 * i);
  }
  return mask;
}

__attribute__((target("avx2"))) void MasksByAvx2(std::string_view text, uint64_t* masks) {
  size_t at = 0;
  for (; text.size() - at >= 64; at += 64) *masks++ = Mask32(text.data() + at);
  char tail[64];
  if (at < text.size()) *masks = Mask32(Padded(text, at, tail));
}

// Processors since about 2013 have AVX2, and every x86 processor of the last
// fifteen years SSSE3; the table is the way for the rest.
const MatterWay kBestWay = [] {
  __builtin_cpu_init();
  return __builtin_cpu_supports("avx2") ? MatterWay::kAvx2
         : __builtin_cpu_supports("ssse3") ? MatterWay::kSsse3
                                           : MatterWay::kTable;
}();
#else
const MatterWay kBestWay = MatterWay::kTable;
#endif

}  // namespace

std::vector<MatterWay> MatterWays() {
  std::vector<MatterWay> ways{MatterWay::kTable};
  if (kBestWay != MatterWay::kTable) ways.push_back(MatterWay::kSsse3);
  if (kBestWay == MatterWay::kAvx2) ways.push_back(MatterWay::kAvx2);
  return ways;
}

void FindMatterBytes(std::string_view text, uint64_t* masks) { FindMatterBytes(text, masks, kBestWay); }

void FindMatterBytes(std::string_view text, uint64_t* masks, MatterWay way) {
  std::fill(masks, masks + kMaskedRun / 64, 0);
  switch (way) {
#ifdef QUENLO_NIBBLE_LOOKUP
    case MatterWay::kAvx2: return MasksByAvx2(text, masks);
    case MatterWay::kSsse3: return MasksBySsse3(text, masks);
#endif
    default: return MasksByTable(text, masks);
  }
}

}  // namespace quenlo::nc_check
