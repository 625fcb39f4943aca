#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "ipod_memory.h"
#include "ipod_string.h"
#include "test_support.h"

using Units = std::vector<uint16_t>;

static std::string utf8_of(const Units &u) {
  char *s = ipod_string_utf8_from_utf16(u.data(), u.size());
  std::string r(s);
  ipod_memory_free(s);
  return r;
}

static Units utf16_of(const char *text, size_t *count_out = nullptr) {
  size_t n = 0;
  uint16_t *u = ipod_string_utf16_from_utf8(text, &n);
  Units r(u, u + n);
  ipod_memory_free(u);
  if (count_out) *count_out = n;
  return r;
}

TEST(StringConversion, Utf16ToUtf8) {
  struct Case {
    Units units;
    std::string utf8;
  } cases[] = {
      {{0x41, 0xE9, 0x20AC}, "A\xC3\xA9\xE2\x82\xAC"},
      {{0xD83D}, "\xED\xA0\xBD"},  // a lone surrogate unit is encoded on its own
      {{0x7F, 0x80, 0x7FF, 0x800}, "\x7F\xC2\x80\xDF\xBF\xE0\xA0\x80"},
      {{}, ""},
  };
  for (auto &c : cases) {
    EXPECT_EQ(ipod_string_utf16_to_utf8_length(c.units.data(), c.units.size()), c.utf8.size());
    EXPECT_EQ(utf8_of(c.units), c.utf8);
  }
}

TEST(StringConversion, Utf16ToUtf8RoomCutOffs) {
  Units u = {0x41, 0xE9, 0x20AC};
  char buf[8];
  // Exactly enough room for all six bytes: no terminator is written.
  std::memset(buf, 'x', sizeof buf);
  EXPECT_EQ(ipod_string_utf16_to_utf8(u.data(), 3, buf, 6), 6u);
  EXPECT_EQ(buf[6], 'x');
  // One byte more: terminated.
  EXPECT_EQ(ipod_string_utf16_to_utf8(u.data(), 3, buf, 7), 6u);
  EXPECT_EQ(buf[6], 0);
  // A unit that does not fit whole ends the conversion.
  std::memset(buf, 'x', sizeof buf);
  EXPECT_EQ(ipod_string_utf16_to_utf8(u.data(), 3, buf, 4), 3u);
  EXPECT_EQ(std::string(buf, 3), "A\xC3\xA9");
  // Count 0 writes only the terminator; no room writes nothing.
  buf[0] = 'x';
  EXPECT_EQ(ipod_string_utf16_to_utf8(u.data(), 0, buf, 4), 0u);
  EXPECT_EQ(buf[0], 0);
  EXPECT_EQ(ipod_string_utf16_to_utf8(u.data(), 3, buf, 0), 0u);
}

TEST(StringConversion, Utf8ToUtf16OddCases) {
  size_t n = 0;
  EXPECT_EQ(utf16_of("A\xC3\xA9\xE2\x82\xAC", &n), (Units{0x41, 0xE9, 0x20AC}));
  // A four-byte sequence becomes one "?", but two units are counted for it.
  EXPECT_EQ(ipod_string_utf8_to_utf16_length("\xF0\x9F\x98\x80"), 2u);
  Units emoji = utf16_of("\xF0\x9F\x98\x80", &n);
  EXPECT_EQ(n, 2u);
  EXPECT_EQ(emoji[0], 0x3F);
  // A stray continuation byte is dropped.
  Units stray = utf16_of("a\x80" "b");
  EXPECT_EQ(stray, (Units{'a', 'b'}));
  // A sequence cut short by the end of the text ends the conversion.
  uint16_t out[4] = {0, 0, 0, 0};
  EXPECT_EQ(ipod_string_utf8_to_utf16("a\xE2\x82", out, 4), 1u);
  // Room is respected.
  EXPECT_EQ(ipod_string_utf8_to_utf16("abcdef", out, 2), 2u);
  EXPECT_EQ(ipod_string_utf8_to_utf16(nullptr, out, 2), 0u);
  EXPECT_EQ(ipod_string_utf8_to_utf16_length(""), 0u);
}

TEST(StringConversion, Iso8859) {
  Units euro = {0x20AC, 0x41};
  char *iso = ipod_string_iso8859_from_utf16(euro.data(), 2);
  EXPECT_STREQ(iso, "\xAC" "A");
  ipod_memory_free(iso);
  size_t n = 0;
  uint16_t *u = ipod_string_utf16_from_iso8859("\xE9t\xE9", &n);
  EXPECT_EQ(Units(u, u + n), (Units{0xE9, 't', 0xE9}));
  ipod_memory_free(u);
  char *utf8 = ipod_string_utf8_from_iso8859("caf\xE9");
  EXPECT_STREQ(utf8, "caf\xC3\xA9");
  ipod_memory_free(utf8);
  char *back = ipod_string_iso8859_from_utf8("caf\xC3\xA9");
  EXPECT_STREQ(back, "caf\xE9");
  ipod_memory_free(back);
}

TEST(StringCompare, OrdinalUtf16) {
  auto cmp = [](const char *a, const char *b) {
    Units ua = utf16_of(a), ub = utf16_of(b);
    return ipod_string_compare_utf16(ua.data(), ua.size(), ub.data(), ub.size());
  };
  EXPECT_LT(cmp("abc", "abd"), 0);
  EXPECT_EQ(cmp("ab", "abc"), -1);
  EXPECT_EQ(cmp("abc", "abc"), 0);
  EXPECT_LT(cmp("B", "a"), 0);
  // Units compare as unsigned values.
  Units hi = {0xFFFF}, lo = {0x0001};
  EXPECT_GT(ipod_string_compare_utf16(hi.data(), 1, lo.data(), 1), 0);
}

TEST(LibraryString, HelpersAndCounters) {
  ErrorCapture errors;
  unsigned long allocs = ipod_string_allocs, frees = ipod_string_frees;
  ipod_string s = ipod_string_new();
  EXPECT_STREQ(s, "");
  s = ipod_string_set(s, "hello");
  s = ipod_string_append(s, " world");
  EXPECT_STREQ(s, "hello world");
  ipod_string_replace_char(s, 'o', '0');
  EXPECT_STREQ(s, "hell0 w0rld");
  s = ipod_string_realloc(s, 4);
  EXPECT_STREQ(s, "hell");
  s = ipod_string_zero(s);
  EXPECT_STREQ(s, "");
  ipod_string t = ipod_string_new_from_array("abcdef", 3);
  EXPECT_STREQ(t, "abc");
  ipod_string u = ipod_string_new_from_array(nullptr, 3);
  EXPECT_STREQ(u, "");
  ipod_string v = ipod_string_new_from(nullptr);
  EXPECT_STREQ(v, "");
  ipod_string w = ipod_string_append(nullptr, "x");
  EXPECT_STREQ(w, "x");
  EXPECT_TRUE(errors.contains("ipod_string_append(): NULL string, creating...\n"));
  ipod_string z = ipod_string_zero(nullptr);
  EXPECT_EQ(ipod_string_allocs - allocs, 6u);
  for (ipod_string p : {s, t, u, v, w, z}) ipod_string_free(p);
  ipod_string_free(nullptr);
  EXPECT_TRUE(errors.contains("ipod_string_free(): freeing NULL string\n"));
  ipod_string_replace_char(nullptr, 'a', 'b');
  EXPECT_TRUE(errors.contains("ipod_string_replace(): NULL string\n"));
  EXPECT_EQ(ipod_string_frees - frees, 6u);
  errors.messages.clear();
  ipod_string_report();
  ASSERT_EQ(errors.messages.size(), 1u);
  EXPECT_EQ(errors.messages[0].rfind("ipod_string_report(): ipod_string allocs ", 0), 0u);
}

TEST(LibraryString, AllocationFailuresDoNotCrash) {
  ErrorCapture errors;
  ipod_string kept = ipod_string_new_from("abc");
  for (long at = 0; at < 4; at++) {
    FailingAllocator fail(at, true);
    ipod_string n = ipod_string_new_from("x");
    if (n) ipod_string_free(n);
    kept = ipod_string_append(kept, "defgh");
    kept = ipod_string_set(kept, "abcdefghijkl");
    kept = ipod_string_zero(kept);
    uint16_t *u = ipod_string_utf16_from_utf8("abc", nullptr);
    ipod_memory_free(u);
    char *c = ipod_string_utf8_from_iso8859("abc");
    ipod_memory_free(c);
  }
  ASSERT_NE(kept, nullptr);
  ipod_string_free(kept);
}
