#include <gtest/gtest.h>

#include "core/win1252.h"

namespace {

TEST(Win1252, GermanTextsAndTheEuroSign) {
    // Literals are compiled as Windows-1252.
    EXPECT_EQ(std::string("äöüÄÖÜß€"), "\xE4\xF6\xFC\xC4\xD6\xDC\xDF\x80");
    EXPECT_EQ(tl::win1252_to_utf8("\xE4\xDF\x80"), "\xC3\xA4\xC3\x9F\xE2\x82\xAC");
    EXPECT_EQ(tl::utf8_to_win1252("\xC3\xA4\xC3\x9F\xE2\x82\xAC"), "\xE4\xDF\x80");
}

TEST(Win1252, EveryByteRoundTrips) {
    std::string all;
    for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
    EXPECT_EQ(tl::utf8_to_win1252(tl::win1252_to_utf8(all)), all);
}

TEST(Win1252, UnmappableAndMalformedUtf8) {
    EXPECT_EQ(tl::utf8_to_win1252("\xE2\x98\x83"), "?");  // snowman
    EXPECT_EQ(tl::utf8_to_win1252("a\xC3"), "a\xC3");      // truncated sequence kept as a byte
}

}  // namespace
