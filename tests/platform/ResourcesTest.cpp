// The program's compiled resources, read back through the platform's calls.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "ProgramRun.h"
#include "win32/DialogTemplate.h"
#include "win32/Windows.h"

namespace {

std::string Bytes(LPCSTR name, LPCSTR type) {
  HRSRC res = FindResourceA(nullptr, name, type);
  if (!res) return {};
  const char* data = static_cast<const char*>(LockResource(LoadResource(nullptr, res)));
  return std::string(data, SizeofResource(nullptr, res));
}

winsim::DialogTemplateData Dialog(int id) {
  std::string bytes = Bytes(MAKEINTRESOURCEA(id), RT_DIALOG);
  winsim::DialogTemplateData t;
  EXPECT_TRUE(winsim::ParseDialogTemplate(bytes.data(), bytes.size(), t)) << id;
  return t;
}

std::u16string Utf16(const std::string& bytes) {
  std::u16string s(bytes.size() / 2, u'\0');
  std::memcpy(s.data(), bytes.data(), s.size() * 2);
  return s;
}

}  // namespace

TEST(ProgramResources, ImagesAreThereAndBitmapsLackTheirFileHeader) {
  std::string png = Bytes(MAKEINTRESOURCEA(130), "PNG");
  EXPECT_EQ(png.substr(1, 3), "PNG");
  EXPECT_EQ(png, testing_support::ReadText(std::string(LORVANE_SOURCE_DIR) + "/resources/130.png"));
  std::string bmp = Bytes(MAKEINTRESOURCEA(158), RT_BITMAP);
  std::string file = testing_support::ReadText(std::string(LORVANE_SOURCE_DIR) + "/resources/158.bmp");
  EXPECT_EQ(bmp, file.substr(14));
  // 168 names both a PNG and a bitmap; each type finds its own.
  EXPECT_NE(Bytes(MAKEINTRESOURCEA(168), "png"), Bytes(MAKEINTRESOURCEA(168), RT_BITMAP));
  EXPECT_EQ(FindResourceA(nullptr, MAKEINTRESOURCEA(163), RT_BITMAP), nullptr);
  EXPECT_NE(LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(128)), nullptr);
}

TEST(ProgramResources, DialogTemplatesCarryTheirControls) {
  winsim::DialogTemplateData main = Dialog(102);
  EXPECT_EQ(main.title, u"Fenlow游戏-Duskmere登陆器");
  EXPECT_EQ(main.typeface, u"宋体");
  EXPECT_EQ(main.pointSize, 12);
  EXPECT_EQ(main.exStyle, static_cast<DWORD>(WS_EX_APPWINDOW));
  EXPECT_TRUE(main.style & DS_MODALFRAME);
  ASSERT_EQ(main.items.size(), 1u);
  EXPECT_EQ(main.items[0].id, 1001u);
  EXPECT_EQ(main.items[0].className, "{8856F961-340A-11D0-A96B-00C04FD705A2}");

  winsim::DialogTemplateData panel = Dialog(132);
  EXPECT_EQ(panel.style & (WS_POPUP | WS_CAPTION | WS_VISIBLE), static_cast<DWORD>(WS_POPUP));
  ASSERT_EQ(panel.items.size(), 7u);
  for (size_t i = 1; i < panel.items.size(); ++i) {
    EXPECT_EQ(panel.items[i].className, "MfcButton");
    EXPECT_TRUE(panel.items[i].exStyle & WS_EX_TRANSPARENT);
  }

  winsim::DialogTemplateData close = Dialog(167);
  ASSERT_EQ(close.items.size(), 3u);
  EXPECT_EQ(close.items[0].title, u"确定");
  EXPECT_EQ(close.items[0].style & BS_TYPEMASK, static_cast<DWORD>(BS_DEFPUSHBUTTON));
  EXPECT_EQ(close.items[2].title, u"您确定离开游戏么？");
}

TEST(ProgramResources, AcceleratorF5RefreshesAndTheManifestAsksForNoElevation) {
  HACCEL accel = LoadAcceleratorsA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(144));
  ASSERT_NE(accel, nullptr);
  std::string table = Bytes(MAKEINTRESOURCEA(144), RT_ACCELERATOR);
  ASSERT_EQ(table.size(), 8u);
  WORD flags, key, cmd;
  std::memcpy(&flags, table.data(), 2);
  std::memcpy(&key, table.data() + 2, 2);
  std::memcpy(&cmd, table.data() + 4, 2);
  EXPECT_EQ(flags, FVIRTKEY | FNOINVERT | 0x80);
  EXPECT_EQ(key, VK_F5);
  EXPECT_EQ(cmd, 32771);

  std::string manifest = Bytes(MAKEINTRESOURCEA(1), RT_MANIFEST);
  EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string::npos);
  EXPECT_NE(manifest.find(">true</dpiAware>"), std::string::npos);
}

TEST(ProgramResources, VersionBlockNamesTheLauncher) {
  std::string block = Bytes(MAKEINTRESOURCEA(1), RT_VERSION);
  ASSERT_GT(block.size(), 92u);
  std::u16string text = Utf16(block);
  EXPECT_NE(text.find(u"VS_VERSION_INFO"), std::u16string::npos);
  size_t key = text.find(u"FileDescription");
  ASSERT_NE(key, std::u16string::npos);
  EXPECT_NE(text.find(u"微端登陆器", key), std::u16string::npos);
  // The fixed part: signature, then file and product version 1.0.0.1.
  size_t fixed = block.find("\xBD\x04\xEF\xFE");
  ASSERT_NE(fixed, std::string::npos);
  uint32_t versions[4];
  std::memcpy(versions, block.data() + fixed + 8, sizeof versions);
  EXPECT_EQ(versions[0], 0x00010000u);
  EXPECT_EQ(versions[1], 0x00000001u);
  EXPECT_EQ(versions[2], 0x00010000u);
  EXPECT_EQ(versions[3], 0x00000001u);
}
