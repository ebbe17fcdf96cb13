// The committed icon file, read byte by byte as Windows reads it.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "little_endian.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using quorvel_test::Dword;
using quorvel_test::Word;

Bytes ReadIconFile() {
    std::ifstream in(QUORVEL_ICON_FILE, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

struct Rgb {
    int r;
    int g;
    int b;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// The 16 colours of every Windows display, in the system's order.
constexpr std::array<Rgb, 16> kStandardPalette{{
    {0x00, 0x00, 0x00},
    {0x80, 0x00, 0x00},
    {0x00, 0x80, 0x00},
    {0x80, 0x80, 0x00},
    {0x00, 0x00, 0x80},
    {0x80, 0x00, 0x80},
    {0x00, 0x80, 0x80},
    {0xC0, 0xC0, 0xC0},
    {0x80, 0x80, 0x80},
    {0xFF, 0x00, 0x00},
    {0x00, 0xFF, 0x00},
    {0xFF, 0xFF, 0x00},
    {0x00, 0x00, 0xFF},
    {0xFF, 0x00, 0xFF},
    {0x00, 0xFF, 0xFF},
    {0xFF, 0xFF, 0xFF},
}};

constexpr std::size_t kDirectorySize = 6;
constexpr std::size_t kEntrySize = 16;
constexpr std::size_t kHeaderSize = 40;
constexpr std::size_t kPaletteSize = 16 * 4;

// One image of the icon as the directory and its bitmap header describe it.
class IconImage {
public:
    IconImage(const Bytes& file, std::size_t index) : file_(file) {
        entry_ = kDirectorySize + index * kEntrySize;
        offset_ = Dword(file_, entry_ + 12);
    }

    int EntryWidth() const { return file_.at(entry_); }
    int EntryHeight() const { return file_.at(entry_ + 1); }
    int EntryColours() const { return file_.at(entry_ + 2); }
    int EntryReserved() const { return file_.at(entry_ + 3); }
    std::uint16_t EntryPlanes() const { return Word(file_, entry_ + 4); }
    std::uint16_t EntryBitCount() const { return Word(file_, entry_ + 6); }
    std::uint32_t EntryBytes() const { return Dword(file_, entry_ + 8); }
    std::size_t Offset() const { return offset_; }

    std::uint32_t HeaderField(std::size_t at) const { return Dword(file_, offset_ + at); }
    std::uint16_t HeaderWord(std::size_t at) const { return Word(file_, offset_ + at); }

    Rgb PaletteEntry(std::size_t i) const {
        const std::size_t at = offset_ + kHeaderSize + i * 4;  // blue, green, red, 0
        return {file_.at(at + 2), file_.at(at + 1), file_.at(at)};
    }
    int PaletteReserved(std::size_t i) const { return file_.at(offset_ + kHeaderSize + i * 4 + 3); }

    std::size_t XorStride() const { return Side() / 2; }
    std::size_t AndStride() const { return (Side() + 31) / 32 * 4; }
    std::size_t XorStart() const { return offset_ + kHeaderSize + kPaletteSize; }
    std::size_t AndStart() const { return XorStart() + XorStride() * Side(); }

    // The colour of a pixel counted from the top left, as shown on screen.
    Rgb Pixel(std::size_t row, std::size_t col) const {
        const std::size_t stored_row = Side() - 1 - row;  // rows are kept bottom first
        const std::uint8_t pair = file_.at(XorStart() + stored_row * XorStride() + col / 2);
        const std::size_t index = col % 2 == 0 ? pair >> 4 : pair & 0x0F;
        return PaletteEntry(index);
    }

    std::size_t Side() const { return HeaderField(4); }

private:
    const Bytes& file_;
    std::size_t entry_;
    std::size_t offset_;
};

bool IsBlue(Rgb c) {
    return c.b >= 0x60 && c.b - c.r >= 0x40 && c.b - c.g >= 0x40;
}
bool IsYellowish(Rgb c) {
    return c.r >= 0x80 && c.g >= 0x80 && c.b < 0x40;
}
bool IsWhite(Rgb c) {
    return c.r >= 0xC0 && c.g >= 0xC0 && c.b >= 0xC0;
}
bool IsBlack(Rgb c) {
    return c.r == 0 && c.g == 0 && c.b == 0;
}

TEST(IconFile, IsAnIconDirectoryOfTwoImagesAndNothingElse) {
    const Bytes file = ReadIconFile();
    ASSERT_EQ(file.size(), kDirectorySize + 2 * kEntrySize + 744 + 296);
    EXPECT_EQ(Word(file, 0), 0) << "reserved";
    EXPECT_EQ(Word(file, 2), 1) << "type 1 is an icon, 2 a cursor";
    EXPECT_EQ(Word(file, 4), 2) << "image count";
}

struct ImageCase {
    const char* name;
    std::size_t index;
    int side;
    std::uint32_t bytes;
    std::size_t offset;
};

class IconImageTest : public testing::TestWithParam<ImageCase> {
protected:
    void SetUp() override { file_ = ReadIconFile(); }
    IconImage Image() const { return IconImage(file_, GetParam().index); }
    Bytes file_;
};

// 32x32 first, then 16x16; 40-byte header, 64-byte palette, 4-bit pixels and
// a 1-bit mask whose rows are padded to 32 bits.
const ImageCase kImages[] = {
    {"large_first_32x32_744_bytes", 0, 32, 40 + 64 + 512 + 128, 38},
    {"small_second_16x16_296_bytes", 1, 16, 40 + 64 + 128 + 64, 38 + 744},
};

TEST_P(IconImageTest, DirectoryEntryGivesSizeColoursPlanesBitsAndBytes) {
    const ImageCase& c = GetParam();
    const IconImage image = Image();
    EXPECT_EQ(image.EntryWidth(), c.side);
    EXPECT_EQ(image.EntryHeight(), c.side);
    EXPECT_EQ(image.EntryColours(), 16);
    EXPECT_EQ(image.EntryReserved(), 0);
    EXPECT_EQ(image.EntryPlanes(), 1);
    EXPECT_EQ(image.EntryBitCount(), 4);
    EXPECT_EQ(image.EntryBytes(), c.bytes);
    EXPECT_EQ(image.Offset(), c.offset);
}

TEST_P(IconImageTest, BitmapHeaderDescribesFourBitImageWithMask) {
    const ImageCase& c = GetParam();
    const IconImage image = Image();
    EXPECT_EQ(image.HeaderField(0), kHeaderSize) << "header size";
    EXPECT_EQ(image.HeaderField(4), static_cast<std::uint32_t>(c.side)) << "width";
    EXPECT_EQ(image.HeaderField(8), static_cast<std::uint32_t>(2 * c.side))
        << "height counts colour rows and mask rows";
    EXPECT_EQ(image.HeaderWord(12), 1) << "planes";
    EXPECT_EQ(image.HeaderWord(14), 4) << "bits per pixel";
    EXPECT_EQ(image.HeaderField(16), 0u) << "uncompressed";
    EXPECT_EQ(image.HeaderField(32), 0u) << "colours used: all 16";
    EXPECT_EQ(image.AndStart() + image.AndStride() * image.Side(), c.offset + c.bytes)
        << "header, palette, colour rows and mask fill the image exactly";
}

TEST_P(IconImageTest, MaskIsEmptySoEveryPixelIsOpaque) {
    const IconImage image = Image();
    for (std::size_t i = image.AndStart(); i < GetParam().offset + GetParam().bytes; ++i) {
        ASSERT_EQ(file_.at(i), 0) << "mask byte " << i - image.AndStart();
    }
}

TEST_P(IconImageTest, PictureIsAYellowWheelOnABlueSquare) {
    const IconImage image = Image();
    const std::size_t last = image.Side() - 1;
    const std::size_t middle = image.Side() / 2;
    const std::size_t first = 0;
    for (auto [row, col] : {std::array{first, first}, {first, last}, {last, first}, {last, last}}) {
        EXPECT_TRUE(IsBlue(image.Pixel(row, col))) << "corner " << row << "," << col;
    }
    EXPECT_TRUE(IsYellowish(image.Pixel(middle, middle))) << "hub";

    // From the top edge down the middle: the black outline, a yellow handle,
    // then the white rim, and the yellow disc at the centre.
    std::vector<std::string> seen;
    for (std::size_t row = 0; row < middle; ++row) {
        const Rgb c = image.Pixel(row, middle);
        const char* kind = IsBlue(c)        ? "blue"
                           : IsBlack(c)     ? "black"
                           : IsWhite(c)     ? "white"
                           : IsYellowish(c) ? "yellow"
                                            : "other";
        if (seen.empty() || seen.back() != kind) {
            seen.emplace_back(kind);
        }
    }
    const std::vector<std::string> expected{"black", "yellow", "white"};
    auto at = std::search(seen.begin(), seen.end(), expected.begin(), expected.end());
    EXPECT_NE(at, seen.end()) << "outline, handle, rim not found down the middle";
    EXPECT_EQ(seen.back(), "yellow") << "the middle ends in the yellow disc";
}

INSTANTIATE_TEST_SUITE_P(Images, IconImageTest, testing::ValuesIn(kImages),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(IconPalette, SmallImageUsesTheStandardSixteenColours) {
    const Bytes file = ReadIconFile();
    const IconImage small(file, 1);
    for (std::size_t i = 0; i < kStandardPalette.size(); ++i) {
        EXPECT_EQ(small.PaletteEntry(i), kStandardPalette[i]) << "entry " << i;
        EXPECT_EQ(small.PaletteReserved(i), 0) << "entry " << i;
    }
}

TEST(IconPalette, LargeImageHasItsOwnPaletteStartingWithEightDarkGreys) {
    const Bytes file = ReadIconFile();
    const IconImage large(file, 0);
    for (std::size_t i = 0; i < 8; ++i) {
        const Rgb c = large.PaletteEntry(i);
        EXPECT_TRUE(c.r == c.g && c.g == c.b) << "entry " << i << " is not a grey";
        EXPECT_LT(c.r, 0x80) << "entry " << i << " is not dark";
    }
    bool differs = false;
    for (std::size_t i = 0; i < kStandardPalette.size(); ++i) {
        differs = differs || large.PaletteEntry(i) != kStandardPalette[i];
        EXPECT_EQ(large.PaletteReserved(i), 0) << "entry " << i;
    }
    EXPECT_TRUE(differs) << "the large image should not share the standard palette";
}

}  // namespace
