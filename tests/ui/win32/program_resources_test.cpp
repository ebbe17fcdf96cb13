// What Quorvel.exe carries, read back from the built file as Explorer reads
// it: the icon group, the version record and the manifest.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "program_path.h"
#include "quorvel_version.h"
#include "wide_text.h"

namespace quorvel {
namespace {

std::wstring gProgram;

#pragma pack(push, 2)
struct GroupIconEntry {
    BYTE width, height, colours, reserved;
    WORD planes, bits;
    DWORD bytes;
    WORD id;
};
struct GroupIcon {
    WORD reserved, type, count;
    GroupIconEntry entries[2];
};
#pragma pack(pop)

class ProgramResources : public ::testing::Test {
protected:
    void SetUp() override {
        module_ = LoadLibraryExW(gProgram.c_str(), nullptr,
                                 LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
        ASSERT_NE(module_, nullptr) << "cannot open the program: error " << GetLastError();
    }
    void TearDown() override { FreeLibrary(module_); }

    std::string_view resource(LPCWSTR type, int id) const {
        HRSRC found = FindResourceW(module_, MAKEINTRESOURCEW(id), type);
        if (found == nullptr) {
            return {};
        }
        return {static_cast<const char*>(LockResource(LoadResource(module_, found))),
                SizeofResource(module_, found)};
    }

    HMODULE module_ = nullptr;
};

TEST_F(ProgramResources, IconGroupListsTheBigImageThenTheSmall) {
    const std::string_view data = resource(MAKEINTRESOURCEW(14), 1);  // RT_GROUP_ICON
    ASSERT_EQ(data.size(), sizeof(GroupIcon));
    const auto* group = reinterpret_cast<const GroupIcon*>(data.data());
    ASSERT_EQ(group->count, 2);
    const GroupIconEntry& big = group->entries[0];
    const GroupIconEntry& small = group->entries[1];
    EXPECT_EQ(big.width, 32);
    EXPECT_EQ(big.id, 30001);
    EXPECT_EQ(small.width, 16);
    EXPECT_EQ(small.id, 30002);
    EXPECT_EQ(resource(MAKEINTRESOURCEW(3), 30001).size(), big.bytes);  // RT_ICON
    EXPECT_EQ(resource(MAKEINTRESOURCEW(3), 30002).size(), small.bytes);
}

TEST_F(ProgramResources, VersionRecordNamesTheProduct) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(gProgram.c_str(), &ignored);
    ASSERT_GT(size, 0u);
    std::string record(size, '\0');
    ASSERT_TRUE(GetFileVersionInfoW(gProgram.c_str(), 0, size, record.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(record.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);  // 1.0
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);           // .0.0

    const auto value = [&](const wchar_t* name) {
        wchar_t* text = nullptr;
        const std::wstring path = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
        if (!VerQueryValueW(record.data(), path.c_str(), reinterpret_cast<void**>(&text),
                            &length)) {
            return std::string("(missing)");
        }
        return Narrow(text);
    };
    EXPECT_EQ(value(L"ProductName"), kProductName);
    EXPECT_EQ(value(L"CompanyName"), kCompanyName);
    EXPECT_EQ(value(L"FileVersion"), kVersionText);
    EXPECT_EQ(value(L"OriginalFilename"), "Quorvel.exe");
}

TEST_F(ProgramResources, ManifestAsksForVisualStylesAndPerMonitorDpi) {
    const std::string_view manifest = resource(MAKEINTRESOURCEW(24), 1);  // RT_MANIFEST
    EXPECT_NE(manifest.find("Microsoft.Windows.Common-Controls"), std::string_view::npos);
    EXPECT_NE(manifest.find("PerMonitorV2"), std::string_view::npos);
}

}  // namespace
}  // namespace quorvel

// Usage: program_resources_test <Quorvel.exe>
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (argc != 2) {
        return 2;
    }
    quorvel::gProgram = quorvel::testing::ProgramPath(argv[1]);
    return RUN_ALL_TESTS();
}
