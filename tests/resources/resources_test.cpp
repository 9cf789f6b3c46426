// Reads Tarnwick's resources back with the platform's own APIs: the icon
// group and its images, the pointer and its hot spots, the version block.
// Every check runs against this executable (which links the same compiled
// resource script as Tarnwick.exe) and, when a path is given on the command
// line, against that file loaded as a data file.
#include <gtest/gtest.h>
#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

#include "resource_ids.h"

namespace {

struct Module {
  std::wstring path;
  HMODULE handle;
};

// Modules are loaded once for the whole run and never freed: the process
// ends right after the tests.
const std::vector<Module>& Modules() {
  static const std::vector<Module> modules = [] {
    std::vector<Module> list;
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    list.push_back({self, GetModuleHandleW(nullptr)});
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    for (int i = 1; argv && i < argc; ++i) {
      std::wstring arg = argv[i];
      if (arg.rfind(L"--gtest", 0) == 0) continue;
      // Wine maps a Unix path onto drive Z:.
      if (!arg.empty() && arg[0] == L'/') arg = L"Z:" + arg;
      HMODULE h = LoadLibraryExW(arg.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
      EXPECT_NE(h, nullptr) << "cannot load " << std::string(arg.begin(), arg.end())
                            << " error " << GetLastError();
      if (h) list.push_back({arg, h});
    }
    LocalFree(argv);
    return list;
  }();
  return modules;
}

std::string Narrow(const std::wstring& s) { return std::string(s.begin(), s.end()); }

// The bytes of one resource, or an empty vector when it is missing.
std::vector<uint8_t> ResourceBytes(HMODULE module, LPCWSTR name, LPCWSTR type) {
  HRSRC info = FindResourceW(module, name, type);
  if (!info) return {};
  HGLOBAL data = LoadResource(module, info);
  const auto* bytes = static_cast<const uint8_t*>(LockResource(data));
  DWORD size = SizeofResource(module, info);
  if (!bytes) return {};
  return std::vector<uint8_t>(bytes, bytes + size);
}

uint16_t U16(const std::vector<uint8_t>& b, size_t at) {
  return static_cast<uint16_t>(b[at] | b[at + 1] << 8);
}
uint32_t U32(const std::vector<uint8_t>& b, size_t at) {
  return static_cast<uint32_t>(U16(b, at)) | static_cast<uint32_t>(U16(b, at + 2)) << 16;
}
uint32_t U32BE(const std::vector<uint8_t>& b, size_t at) {
  return static_cast<uint32_t>(b[at]) << 24 | b[at + 1] << 16 | b[at + 2] << 8 | b[at + 3];
}

struct Image {
  int width;
  int height;
  int bits;
  bool operator==(const Image& o) const {
    return width == o.width && height == o.height && bits == o.bits;
  }
  bool operator<(const Image& o) const {
    return std::tie(width, height, bits) < std::tie(o.width, o.height, o.bits);
  }
};

std::ostream& operator<<(std::ostream& os, const Image& i) {
  return os << i.width << "x" << i.height << "x" << i.bits;
}

// An icon or pointer image's own idea of its size and depth: a DIB with
// its mask stacked under it (so twice the height), or a PNG.
Image ImageHeader(const std::vector<uint8_t>& b, size_t at) {
  static const uint8_t kPng[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (b.size() >= at + 26 && std::memcmp(&b[at], kPng, 8) == 0) {
    const int depth = b[at + 24];
    const int channels[] = {1, 0, 3, 1, 2, 0, 4};
    const int type = b[at + 25];
    return {static_cast<int>(U32BE(b, at + 16)), static_cast<int>(U32BE(b, at + 20)),
            type < 7 ? depth * channels[type] : 0};
  }
  if (b.size() < at + sizeof(BITMAPINFOHEADER)) return {0, 0, 0};
  BITMAPINFOHEADER h;
  std::memcpy(&h, &b[at], sizeof h);
  if (h.biSize < sizeof h || h.biPlanes != 1) return {0, 0, 0};
  return {h.biWidth, h.biHeight / 2, h.biBitCount};
}

struct GroupEntry {
  int width, height, colors, planes, bits;
  uint32_t bytes;
  uint16_t id;
};

// GRPICONDIR / CURSORDIR: a 6-byte header, then packed 14-byte entries.
// Icon entries hold byte-sized width, height and colour count; cursor
// entries hold word-sized width and height.
std::vector<GroupEntry> GroupEntries(const std::vector<uint8_t>& b, bool cursor) {
  std::vector<GroupEntry> out;
  if (b.size() < 6) return out;
  const int count = U16(b, 4);
  for (int i = 0; i < count && b.size() >= 6 + 14u * (i + 1); ++i) {
    const size_t e = 6 + 14u * i;
    GroupEntry g;
    if (cursor) {
      g = {U16(b, e), U16(b, e + 2), 0, U16(b, e + 4), U16(b, e + 6), U32(b, e + 8), U16(b, e + 12)};
    } else {
      g = {b[e] ? b[e] : 256, b[e + 1] ? b[e + 1] : 256, b[e + 2], U16(b, e + 4), U16(b, e + 6),
           U32(b, e + 8), U16(b, e + 12)};
    }
    out.push_back(g);
  }
  return out;
}

const std::vector<Image> kIconImages = {
    {32, 32, 1},  {48, 48, 4},  {48, 48, 8},  {32, 32, 8},  {16, 16, 8},
    {128, 128, 32}, {48, 48, 32}, {32, 32, 32}, {16, 16, 32},
};

TEST(IconGroup, HoldsTheNineImagesWithTheirSizesAndDepths) {
  for (const Module& m : Modules()) {
    SCOPED_TRACE(Narrow(m.path));
    std::vector<uint8_t> group = ResourceBytes(m.handle, MAKEINTRESOURCEW(IDI_TARNWICK), RT_GROUP_ICON);
    ASSERT_GE(group.size(), 6u) << "no icon group " << IDI_TARNWICK;
    EXPECT_EQ(U16(group, 2), 1) << "group type is not icon";
    std::vector<GroupEntry> entries = GroupEntries(group, false);
    ASSERT_EQ(entries.size(), 9u);
    std::vector<Image> listed, stored;
    for (const GroupEntry& e : entries) {
      SCOPED_TRACE("image id " + std::to_string(e.id));
      listed.push_back({e.width, e.height, e.bits});
      EXPECT_EQ(e.planes, 1);
      EXPECT_EQ(e.colors, e.bits == 1 ? 2 : e.bits == 4 ? 16 : 0);
      std::vector<uint8_t> image = ResourceBytes(m.handle, MAKEINTRESOURCEW(e.id), RT_ICON);
      ASSERT_FALSE(image.empty()) << "group lists a missing image";
      EXPECT_EQ(image.size(), e.bytes) << "group's byte count disagrees with the image";
      Image header = ImageHeader(image, 0);
      stored.push_back(header);
      EXPECT_EQ(header, (Image{e.width, e.height, e.bits})) << "image header disagrees with its entry";
    }
    std::vector<Image> want = kIconImages;
    std::sort(want.begin(), want.end());
    std::sort(listed.begin(), listed.end());
    std::sort(stored.begin(), stored.end());
    EXPECT_EQ(listed, want);
    EXPECT_EQ(stored, want);
  }
}

// A 32-bit image that is all opaque (or all clear) means the alpha channel
// was lost on the way into the resource.
TEST(IconGroup, TrueColourImagesCarryRealAlpha) {
  for (const Module& m : Modules()) {
    SCOPED_TRACE(Narrow(m.path));
    std::vector<uint8_t> group = ResourceBytes(m.handle, MAKEINTRESOURCEW(IDI_TARNWICK), RT_GROUP_ICON);
    for (const GroupEntry& e : GroupEntries(group, false)) {
      if (e.bits != 32) continue;
      SCOPED_TRACE("size " + std::to_string(e.width));
      std::vector<uint8_t> image = ResourceBytes(m.handle, MAKEINTRESOURCEW(e.id), RT_ICON);
      ASSERT_GE(image.size(), 40u + 4u * e.width * e.height);
      int clear = 0, opaque = 0;
      for (int i = 0; i < e.width * e.height; ++i) {
        const uint8_t a = image[40 + 4 * i + 3];
        clear += a == 0;
        opaque += a == 255;
      }
      EXPECT_GT(clear, e.width * e.height / 8);
      EXPECT_GT(opaque, e.width * e.height / 4);
    }
  }
}

BOOL CALLBACK CollectNames(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR param) {
  auto* names = reinterpret_cast<std::vector<std::wstring>*>(param);
  names->push_back(IS_INTRESOURCE(name) ? L"#" + std::to_wstring(reinterpret_cast<ULONG_PTR>(name))
                                        : std::wstring(name));
  return TRUE;
}

TEST(IconGroup, ApplicationIconIsTheFirstGroup) {
  for (const Module& m : Modules()) {
    SCOPED_TRACE(Narrow(m.path));
    std::vector<std::wstring> names;
    EnumResourceNamesW(m.handle, RT_GROUP_ICON, CollectNames, reinterpret_cast<LONG_PTR>(&names));
    ASSERT_FALSE(names.empty());
    EXPECT_EQ(Narrow(names.front()), "#" + std::to_string(IDI_TARNWICK));
  }
}

struct PointerImage {
  int size;
  int hot_x, hot_y;
};
const PointerImage kPointerImages[] = {{48, 0, 2}, {32, 0, 1}};

// Whether pixel (x, y) of a monochrome pointer image is drawn: its AND
// mask bit is 0. Rows are stored bottom-up, each padded to four bytes.
bool MaskOpaque(const std::vector<uint8_t>& image, size_t dib, int size, int x, int y) {
  const size_t row = ((size + 31) / 32) * 4;
  const size_t mask = dib + 40 + 2 * 4 + row * size;  // header, 2-colour palette, XOR plane
  const size_t at = mask + row * (size - 1 - y) + x / 8;
  return at < image.size() && !(image[at] & (0x80 >> (x % 8)));
}

TEST(Pointer, TwoMonochromeImagesWithHotSpotOnTheTip) {
  for (const Module& m : Modules()) {
    SCOPED_TRACE(Narrow(m.path));
    std::vector<uint8_t> group =
        ResourceBytes(m.handle, MAKEINTRESOURCEW(IDC_LINK_POINTER), RT_GROUP_CURSOR);
    ASSERT_GE(group.size(), 6u) << "no pointer group " << IDC_LINK_POINTER;
    EXPECT_EQ(U16(group, 2), 2) << "group type is not cursor";
    std::vector<GroupEntry> entries = GroupEntries(group, true);
    ASSERT_EQ(entries.size(), 2u);
    for (const PointerImage& want : kPointerImages) {
      SCOPED_TRACE("size " + std::to_string(want.size));
      auto e = std::find_if(entries.begin(), entries.end(),
                            [&](const GroupEntry& g) { return g.width == want.size; });
      ASSERT_NE(e, entries.end());
      // Group entries of pointers count the mask in their height.
      EXPECT_EQ(e->height, 2 * want.size);
      EXPECT_EQ(e->bits, 1);
      std::vector<uint8_t> image = ResourceBytes(m.handle, MAKEINTRESOURCEW(e->id), RT_CURSOR);
      ASSERT_GE(image.size(), 4u + 40u);
      EXPECT_EQ(image.size(), e->bytes);
      // A pointer image starts with its hot spot, then the DIB.
      EXPECT_EQ(U16(image, 0), want.hot_x);
      EXPECT_EQ(U16(image, 2), want.hot_y);
      EXPECT_EQ(ImageHeader(image, 4), (Image{want.size, want.size, 1}));
      // The hot spot is the arrow's tip: drawn itself, nothing above it.
      EXPECT_TRUE(MaskOpaque(image, 4, want.size, want.hot_x, want.hot_y));
      EXPECT_FALSE(MaskOpaque(image, 4, want.size, want.hot_x, want.hot_y - 1));
      EXPECT_FALSE(MaskOpaque(image, 4, want.size, want.hot_x + 1, want.hot_y));
    }
  }
}

TEST(Pointer, LoadsWithItsHotSpotAtEachSize) {
  for (const PointerImage& want : kPointerImages) {
    SCOPED_TRACE("size " + std::to_string(want.size));
    HCURSOR cursor = static_cast<HCURSOR>(LoadImageW(GetModuleHandleW(nullptr),
                                                     MAKEINTRESOURCEW(IDC_LINK_POINTER), IMAGE_CURSOR,
                                                     want.size, want.size, LR_DEFAULTCOLOR));
    ASSERT_NE(cursor, nullptr) << "error " << GetLastError();
    ICONINFO info = {};
    ASSERT_TRUE(GetIconInfo(cursor, &info));
    EXPECT_FALSE(info.fIcon);
    EXPECT_EQ(info.xHotspot, static_cast<DWORD>(want.hot_x));
    EXPECT_EQ(info.yHotspot, static_cast<DWORD>(want.hot_y));
    if (info.hbmMask) DeleteObject(info.hbmMask);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    DestroyCursor(cursor);
  }
}

// Draws the icon at its natural size over magenta and reads the pixels
// back: corners must show the background, the slab's yellow tape must show.
TEST(IconGroup, DrawsWithClearCornersAndAnOpaqueBody) {
  const COLORREF kBack = RGB(255, 0, 255);
  for (int size : {16, 32, 48}) {
    SCOPED_TRACE("size " + std::to_string(size));
    HICON icon = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_TARNWICK),
                                               IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
    ASSERT_NE(icon, nullptr) << "error " << GetLastError();

    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = size;
    bi.bmiHeader.biHeight = -size;  // top-down
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP dib = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(dib, nullptr);
    HGDIOBJ old = SelectObject(dc, dib);
    auto* px = static_cast<uint32_t*>(bits);
    std::fill(px, px + size * size, 0x00FF00FFu);
    EXPECT_TRUE(DrawIconEx(dc, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL));
    GdiFlush();
    auto at = [&](int x, int y) {
      const uint32_t v = px[y * size + x];
      return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
    };
    for (POINT c : {POINT{0, 0}, POINT{size - 1, 0}, POINT{0, size - 1}, POINT{size - 1, size - 1}}) {
      EXPECT_EQ(at(c.x, c.y), kBack) << "corner " << c.x << "," << c.y << " = 0x" << std::hex
                                     << at(c.x, c.y);
    }
    // A tape pixel on the front face, clear of the tick marks.
    const int u = size / 16;
    const POINT tape = size == 16 ? POINT{3, 12} : POINT{5 * u, 13 * u};
    const COLORREF c = at(tape.x, tape.y);
    EXPECT_TRUE(GetRValue(c) > 200 && GetGValue(c) > 150 && GetBValue(c) < 100)
        << "tape pixel " << tape.x << "," << tape.y << " = 0x" << std::hex << c;

    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(dib);
    DestroyIcon(icon);
  }
}

std::wstring VersionString(const std::vector<uint8_t>& block, const wchar_t* name) {
  std::wstring key = std::wstring(L"\\StringFileInfo\\080404b0\\") + name;
  void* value = nullptr;
  UINT length = 0;
  if (!VerQueryValueW(block.data(), key.c_str(), &value, &length) || !value) return L"<missing>";
  const auto* text = static_cast<const wchar_t*>(value);
  // The length may or may not count the terminating zero.
  while (length && text[length - 1] == L'\0') --length;
  return std::wstring(text, length);
}

TEST(Version, StringsTranslationAndFixedVersions) {
  for (const Module& m : Modules()) {
    SCOPED_TRACE(Narrow(m.path));
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(m.path.c_str(), &ignored);
    ASSERT_GT(size, 0u) << "no version resource, error " << GetLastError();
    std::vector<uint8_t> block(size);
    ASSERT_TRUE(GetFileVersionInfoW(m.path.c_str(), 0, size, block.data()));

    void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", &value, &length));
    ASSERT_EQ(length, sizeof(VS_FIXEDFILEINFO));
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0u);
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));

    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", &value, &length));
    ASSERT_EQ(length, 4u);
    const auto* translation = static_cast<const WORD*>(value);
    EXPECT_EQ(translation[0], 0x0804);
    EXPECT_EQ(translation[1], 1200);

    EXPECT_EQ(Narrow(VersionString(block, L"ProductName")), "Tarnwick");
    EXPECT_EQ(Narrow(VersionString(block, L"InternalName")), "Tarnwick");
    EXPECT_EQ(Narrow(VersionString(block, L"OriginalFilename")), "Tarnwick.exe");
    EXPECT_EQ(Narrow(VersionString(block, L"FileVersion")), "1.00");
    EXPECT_EQ(Narrow(VersionString(block, L"ProductVersion")), "1.00");
  }
}

BOOL CALLBACK CollectLanguages(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR param) {
  reinterpret_cast<std::vector<WORD>*>(param)->push_back(language);
  return TRUE;
}

// One version resource, in Chinese (PRC): a second one in another language
// would let tools show either.
TEST(Version, OneResourceInChinesePrc) {
  for (const Module& m : Modules()) {
    SCOPED_TRACE(Narrow(m.path));
    std::vector<WORD> languages;
    EnumResourceLanguagesW(m.handle, RT_VERSION, MAKEINTRESOURCEW(VS_VERSION_INFO), CollectLanguages,
                           reinterpret_cast<LONG_PTR>(&languages));
    ASSERT_EQ(languages.size(), 1u);
    EXPECT_EQ(languages[0], MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED));
  }
}

// The manifest asks for each monitor's DPI (version 2) with the system's
// DPI as the fallback, so no system stretches the window's pixels.
TEST(Manifest, DeclaresPerMonitorDpiAwarenessWithTheSystemsAsFallback) {
  for (const Module& m : Modules()) {
    SCOPED_TRACE(Narrow(m.path));
    const std::vector<uint8_t> bytes = ResourceBytes(m.handle, MAKEINTRESOURCEW(1), RT_MANIFEST);
    const std::string text(bytes.begin(), bytes.end());
    EXPECT_NE(text.find(">PerMonitorV2, System</dpiAwareness>"), std::string::npos);
    EXPECT_NE(text.find(">true</dpiAware>"), std::string::npos);
  }
}

}  // namespace
