// The Windows resources as the resource compiler builds them from the
// generated script, read back from its .res output: the version record
// Explorer shows and the icon group with its two images.

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "little_endian.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using quorvel_test::Dword;
using quorvel_test::Word;

constexpr std::uint16_t kIcon = 3;
constexpr std::uint16_t kGroupIcon = 14;
constexpr std::uint16_t kVersion = 16;
constexpr std::uint16_t kNeutral = 0;
constexpr std::uint16_t kEnglishUs = 0x0409;

Bytes ReadFile(const char* path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::size_t AlignTo4(std::size_t at) {
    return (at + 3) & ~std::size_t{3};
}

// A UTF-16 string of ASCII characters ending in a zero word, from `at`;
// moves `at` past the terminator.
std::string ReadWideString(const Bytes& bytes, std::size_t& at) {
    std::string text;
    for (std::uint16_t c = Word(bytes, at); c != 0; c = Word(bytes, at)) {
        text.push_back(static_cast<char>(c));
        at += 2;
    }
    at += 2;
    return text;
}

// A resource type or name: a number, or a string when the compiler kept a name.
struct Id {
    std::optional<std::uint16_t> number;
    std::string name;
};

Id ReadId(const Bytes& bytes, std::size_t& at) {
    if (Word(bytes, at) == 0xFFFF) {
        const std::uint16_t number = Word(bytes, at + 2);
        at += 4;
        return {number, {}};
    }
    return {std::nullopt, ReadWideString(bytes, at)};
}

struct Resource {
    Id type;
    Id name;
    std::uint16_t language = 0;
    Bytes data;
};

// A .res file is a run of entries, each a header (data size, header size,
// type, name, version, flags, language, ...) followed by the data; both
// parts start on 4-byte boundaries. The first entry is an empty marker.
std::vector<Resource> ReadResources(const Bytes& file) {
    std::vector<Resource> resources;
    std::size_t at = 0;
    while (at + 8 <= file.size()) {
        const std::uint32_t data_size = Dword(file, at);
        const std::uint32_t header_size = Dword(file, at + 4);
        std::size_t field = at + 8;
        Resource r;
        r.type = ReadId(file, field);
        r.name = ReadId(file, field);
        field = AlignTo4(field);
        r.language = Word(file, field + 6);  // after DataVersion and MemoryFlags
        const std::size_t data_at = at + header_size;
        r.data.assign(file.begin() + static_cast<std::ptrdiff_t>(data_at),
                      file.begin() + static_cast<std::ptrdiff_t>(data_at + data_size));
        if (!(data_size == 0 && r.type.number == 0)) {
            resources.push_back(std::move(r));
        }
        at = AlignTo4(data_at + data_size);
    }
    return resources;
}

const Resource* Find(const std::vector<Resource>& all, std::uint16_t type, std::uint16_t name) {
    for (const Resource& r : all) {
        if (r.type.number == type && r.name.number == name) {
            return &r;
        }
    }
    return nullptr;
}

// One node of the version record: a key, a value (binary, or text in
// UTF-16) and its children. Every node starts on a 4-byte boundary.
struct Block {
    std::string key;
    std::uint16_t type = 0;  // 0 binary, 1 text
    Bytes value;
    std::string text;
    std::vector<Block> children;
};

Block ReadBlock(const Bytes& data, std::size_t at) {
    Block b;
    const std::size_t end = at + Word(data, at);
    const std::uint16_t value_length = Word(data, at + 2);
    b.type = Word(data, at + 4);
    std::size_t field = at + 6;
    b.key = ReadWideString(data, field);
    field = AlignTo4(field);
    if (value_length > 0) {
        if (b.type == 1) {
            std::size_t text_at = field;
            b.text = ReadWideString(data, text_at);
            field += value_length * std::size_t{2};  // counted in characters
        } else {
            b.value.assign(data.begin() + static_cast<std::ptrdiff_t>(field),
                           data.begin() + static_cast<std::ptrdiff_t>(field + value_length));
            field += value_length;
        }
    }
    for (field = AlignTo4(field); field < end; field = AlignTo4(field + Word(data, field))) {
        b.children.push_back(ReadBlock(data, field));
    }
    return b;
}

class CompiledResources : public testing::Test {
protected:
    void SetUp() override {
        resources_ = ReadResources(ReadFile(QUORVEL_RES_FILE));
        ASSERT_FALSE(resources_.empty()) << QUORVEL_RES_FILE << " is missing or empty";
    }
    std::vector<Resource> resources_;
};

class VersionRecord : public CompiledResources {
protected:
    void SetUp() override {
        CompiledResources::SetUp();
        const Resource* r = Find(resources_, kVersion, 1);
        ASSERT_NE(r, nullptr) << "no version record with identifier 1";
        language_ = r->language;
        root_ = ReadBlock(r->data, 0);
    }
    const Block* Child(const Block& parent, const std::string& key) const {
        for (const Block& c : parent.children) {
            if (c.key == key) {
                return &c;
            }
        }
        return nullptr;
    }
    std::uint16_t language_ = 0;
    Block root_;
};

TEST_F(VersionRecord, IsEnglishUnitedStates) {
    EXPECT_EQ(language_, kEnglishUs);
}

struct FixedField {
    const char* name;
    std::size_t offset;
    std::uint32_t expected;
};

// The fixed part: 1.0.0.0 for file and product, no flags, 32-bit Windows, an
// application with no subtype and no date.
const FixedField kFixedFields[] = {
    {"signature", 0, 0xFEEF04BD},
    {"structure_version", 4, 0x00010000},
    {"file_version_1_0", 8, 0x00010000},
    {"file_version_0_0", 12, 0x00000000},
    {"product_version_1_0", 16, 0x00010000},
    {"product_version_0_0", 20, 0x00000000},
    {"flags_mask", 24, 0},
    {"flags", 28, 0},
    {"operating_system_windows32", 32, 4},
    {"file_type_application", 36, 1},
    {"file_subtype", 40, 0},
    {"file_date_high", 44, 0},
    {"file_date_low", 48, 0},
};

class VersionFixedPart : public VersionRecord, public testing::WithParamInterface<FixedField> {};

TEST_P(VersionFixedPart, HoldsItsValue) {
    ASSERT_EQ(root_.key, "VS_VERSION_INFO");
    ASSERT_EQ(root_.value.size(), 52u) << "the fixed part is thirteen 32-bit fields";
    EXPECT_EQ(Dword(root_.value, GetParam().offset), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Fields, VersionFixedPart, testing::ValuesIn(kFixedFields),
                         [](const auto& row) { return std::string(row.param.name); });

TEST_F(VersionRecord, StringTableIs040904B0WithTheSixStringsInOrder) {
    const Block* files = Child(root_, "StringFileInfo");
    ASSERT_NE(files, nullptr);
    ASSERT_EQ(files->children.size(), 1u) << "one string table";
    const Block& table = files->children.front();
    EXPECT_EQ(table.key, "040904B0");

    const std::vector<std::pair<std::string, std::string>> expected{
        {"CompanyName", "Marlowen"}, {"ProductName", "Quorvel"},
        {"FileVersion", "1.00"},     {"ProductVersion", "1.00"},
        {"InternalName", "Quorvel"}, {"OriginalFilename", "Quorvel.exe"},
    };
    std::vector<std::pair<std::string, std::string>> actual;
    for (const Block& s : table.children) {
        EXPECT_EQ(s.type, 1) << s.key << " should be text";
        actual.emplace_back(s.key, s.text);
    }
    EXPECT_EQ(actual, expected);
}

TEST_F(VersionRecord, TranslationIsEnglishUnitedStatesUnicode) {
    const Block* vars = Child(root_, "VarFileInfo");
    ASSERT_NE(vars, nullptr);
    ASSERT_EQ(vars->children.size(), 1u);
    const Block& translation = vars->children.front();
    EXPECT_EQ(translation.key, "Translation");
    ASSERT_EQ(translation.value.size(), 4u) << "one language and code page pair";
    EXPECT_EQ(Word(translation.value, 0), 0x0409);
    EXPECT_EQ(Word(translation.value, 2), 0x04B0);
}

TEST_F(VersionRecord, StringFileInfoComesBeforeVarFileInfo) {
    ASSERT_EQ(root_.children.size(), 2u);
    EXPECT_EQ(root_.children[0].key, "StringFileInfo");
    EXPECT_EQ(root_.children[1].key, "VarFileInfo");
}

struct IconCase {
    const char* name;
    std::uint16_t id;
    std::size_t file_offset;
    std::uint32_t bytes;
    int side;
};

const IconCase kIcons[] = {
    {"image_30001_is_the_32x32", 30001, 38, 744, 32},
    {"image_30002_is_the_16x16", 30002, 38 + 744, 296, 16},
};

class IconResources : public CompiledResources, public testing::WithParamInterface<IconCase> {};

TEST_P(IconResources, ImageIsTheIconFilesImageLanguageNeutral) {
    const IconCase& c = GetParam();
    const Resource* image = Find(resources_, kIcon, c.id);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->language, kNeutral);
    const Bytes ico = ReadFile(QUORVEL_ICON_FILE);
    ASSERT_GE(ico.size(), c.file_offset + c.bytes);
    const Bytes expected(ico.begin() + static_cast<std::ptrdiff_t>(c.file_offset),
                         ico.begin() + static_cast<std::ptrdiff_t>(c.file_offset + c.bytes));
    EXPECT_EQ(image->data, expected);
}

TEST_P(IconResources, GroupOneListsTheImageInItsPlace) {
    const IconCase& c = GetParam();
    const Resource* group = Find(resources_, kGroupIcon, 1);
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->language, kNeutral);
    const Bytes& g = group->data;
    ASSERT_EQ(g.size(), 6u + 2 * 14) << "header and two 14-byte entries";
    EXPECT_EQ(Word(g, 0), 0);
    EXPECT_EQ(Word(g, 2), 1) << "an icon group";
    EXPECT_EQ(Word(g, 4), 2) << "two images";

    const std::size_t entry = 6 + (c.id - 30001u) * 14;
    EXPECT_EQ(g.at(entry), c.side) << "width";
    EXPECT_EQ(g.at(entry + 1), c.side) << "height";
    EXPECT_EQ(g.at(entry + 2), 16) << "colours";
    EXPECT_EQ(g.at(entry + 3), 0) << "reserved";
    EXPECT_EQ(Word(g, entry + 4), 1) << "planes";
    EXPECT_EQ(Word(g, entry + 6), 4) << "bits per pixel";
    EXPECT_EQ(Dword(g, entry + 8), c.bytes);
    EXPECT_EQ(Word(g, entry + 12), c.id);
}

INSTANTIATE_TEST_SUITE_P(Images, IconResources, testing::ValuesIn(kIcons),
                         [](const auto& row) { return std::string(row.param.name); });

TEST_F(CompiledResources, HoldsOnlyTheIconAndTheVersionRecord) {
    std::vector<std::pair<std::uint16_t, std::uint16_t>> ids;
    for (const Resource& r : resources_) {
        ASSERT_TRUE(r.type.number && r.name.number) << "a resource with a string name";
        ids.emplace_back(*r.type.number, *r.name.number);
    }
    const std::vector<std::pair<std::uint16_t, std::uint16_t>> expected{
        {kIcon, 30001}, {kIcon, 30002}, {kGroupIcon, 1}, {kVersion, 1}};
    EXPECT_EQ(ids, expected);
}

}  // namespace
