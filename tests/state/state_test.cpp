// Families, window properties and the halving rule, on real windows.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <utility>

#include "gdi/rounding.h"
#include "state/families.h"
#include "state/properties.h"

namespace {

using skin::ClassifyClassName;
using skin::ControlFamily;

// A registered class with the given name; windows of it are plain
// DefWindowProc windows.
class TestClass {
 public:
  explicit TestClass(const char* name) : name_(name) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = name;
    registered_ = RegisterClassA(&wc) != 0;
  }
  ~TestClass() {
    if (registered_) UnregisterClassA(name_, GetModuleHandleA(nullptr));
  }
  HWND Create() const {
    return CreateWindowExA(0, name_, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, GetModuleHandleA(nullptr),
                           nullptr);
  }

 private:
  const char* name_;
  bool registered_ = false;
};

struct Case {
  const char* name;
  ControlFamily family;
};

TEST(Families, EveryTableNameInAnyCase) {
  const Case cases[] = {
      {"#32770", ControlFamily::Form},
      {"ThunderFormDC", ControlFamily::Form},
      {"ThunderRT6FormDC", ControlFamily::Form},
      {"Form", ControlFamily::Form},
      {"ThunderCommandButton", ControlFamily::PushButton},
      {"ThunderRT6CommandButton", ControlFamily::PushButton},
      {"BUTTON", ControlFamily::PushButton},
      {"Button", ControlFamily::PushButton},
      {"ThunderComboBox", ControlFamily::ComboBox},
      {"ThunderRT6ComboBox", ControlFamily::ComboBox},
      {"Combo", ControlFamily::ComboBox},
      {"ComboBox", ControlFamily::ComboBox},
      {"ThunderDriveListBox", ControlFamily::DriveList},
      {"ThunderRT6DriveListBox", ControlFamily::DriveList},
      {"ThunderCheckBox", ControlFamily::CheckBox},
      {"ThunderRT6CheckBox", ControlFamily::CheckBox},
      {"ThunderOptionButton", ControlFamily::OptionButton},
      {"ThunderRT6OptionButton", ControlFamily::OptionButton},
      {"ProgressBar20WndClass", ControlFamily::ProgressBar},
      {"ProgressBarWndClass", ControlFamily::ProgressBar},
      {"MSVB_Lib_Header", ControlFamily::Header},
      {"SysHeader32", ControlFamily::Header},
      {"DataListWndClass", ControlFamily::DataList},
      {"DBListWndClass", ControlFamily::DataList},
      {"ComboLBox", ControlFamily::DropList},
      {"apexgrid", ControlFamily::Grid},
      {"ApexGrid", ControlFamily::Grid},
      {"APEXGRIDXYZ", ControlFamily::Grid},
      {"apexgri", ControlFamily::Unclassified},
      {"xapexgrid", ControlFamily::Unclassified},
      {"", ControlFamily::Unclassified},
      {"Edit", ControlFamily::Unclassified},
      {"ListBox", ControlFamily::Unclassified},
      {"buttons", ControlFamily::Unclassified},
      {"butto", ControlFamily::Unclassified},
      {" button", ControlFamily::Unclassified},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ClassifyClassName(c.name), c.family)
        << "\"" << c.name << "\" gave " << skin::FamilyName(ClassifyClassName(c.name)) << ", expected "
        << skin::FamilyName(c.family);
  }
}

TEST(Families, RealWindowsOfStandardAndRegisteredClasses) {
  const std::pair<const char*, ControlFamily> standard[] = {
      {"BUTTON", ControlFamily::PushButton},
      {"ComboBox", ControlFamily::ComboBox},
      {"Edit", ControlFamily::Unclassified},
      {"ListBox", ControlFamily::Unclassified},
  };
  for (const auto& [cls, family] : standard) {
    HWND w = CreateWindowExA(0, cls, "", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(w, nullptr) << cls;
    EXPECT_EQ(skin::ClassifyWindow(w), family) << cls << " window read as " << skin::GetWindowClassName(w);
    DestroyWindow(w);
  }

  TestClass grid("ApexGridTestClass");
  HWND g = grid.Create();
  ASSERT_NE(g, nullptr);
  EXPECT_EQ(skin::GetWindowClassName(g), "ApexGridTestClass");
  EXPECT_EQ(skin::ClassifyWindow(g), ControlFamily::Grid);
  DestroyWindow(g);

  // The dialog class and a class name longer than anything in the table.
  HWND dialog = CreateWindowExA(0, "#32770", "", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(skin::ClassifyWindow(dialog), ControlFamily::Form);
  DestroyWindow(dialog);

  std::string long_name(200, 'q');
  TestClass long_class(long_name.c_str());
  HWND l = long_class.Create();
  ASSERT_NE(l, nullptr);
  EXPECT_EQ(skin::GetWindowClassName(l), long_name);
  DestroyWindow(l);
}

TEST(Families, DropDownListOfARealComboBox) {
  HWND combo = CreateWindowExA(0, "ComboBox", "", WS_POPUP | CBS_DROPDOWNLIST, 0, 0, 120, 200, nullptr, nullptr,
                               nullptr, nullptr);
  ASSERT_NE(combo, nullptr);
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  ASSERT_TRUE(GetComboBoxInfo(combo, &info));
  ASSERT_NE(info.hwndList, nullptr);
  EXPECT_EQ(skin::ClassifyWindow(info.hwndList), ControlFamily::DropList);
  EXPECT_EQ(skin::ClassifyWindow(combo), ControlFamily::ComboBox);
  DestroyWindow(combo);
}

TEST(Families, GoneOrNullWindowHasNoNameAndNoFamily) {
  HWND w = CreateWindowExA(0, "BUTTON", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(w, nullptr);
  DestroyWindow(w);
  EXPECT_EQ(skin::GetWindowClassName(w), "");
  EXPECT_EQ(skin::ClassifyWindow(w), ControlFamily::Unclassified);
  EXPECT_EQ(skin::GetWindowClassName(nullptr), "");
}

class Properties : public ::testing::Test {
 protected:
  void SetUp() override {
    window_ = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window_, nullptr);
  }
  void TearDown() override {
    for (const char* name : {skin::prop::kProcAddr, skin::prop::kOldState, skin::prop::kHdIndex,
                             skin::prop::kHmIndex, skin::prop::kOldStyle}) {
      RemovePropA(window_, name);
    }
    RemovePropA(window_, "2HDC");
    DestroyWindow(window_);
  }
  HWND window_ = nullptr;
};

TEST_F(Properties, AbsentReadsAsZeroAndRemovedIsAbsent) {
  EXPECT_EQ(skin::GetPropInt(window_, skin::prop::kOldState), 0);
  EXPECT_EQ(skin::GetPropHandle(window_, skin::prop::kProcAddr), nullptr);
  skin::SetPropInt(window_, skin::prop::kOldState, 2);
  EXPECT_EQ(skin::GetPropInt(window_, skin::prop::kOldState), 2);
  skin::RemoveSkinProp(window_, skin::prop::kOldState);
  EXPECT_EQ(skin::GetPropInt(window_, skin::prop::kOldState), 0);
  EXPECT_EQ(GetPropA(window_, skin::prop::kOldState), nullptr);
}

TEST_F(Properties, IntegersRoundTripAsThirtyTwoBitTwosComplement) {
  for (int32_t value : {-1, -2, 0, 1, 255, INT32_MIN, INT32_MAX}) {
    skin::SetPropInt(window_, skin::prop::kHdIndex, value);
    EXPECT_EQ(skin::GetPropInt(window_, skin::prop::kHdIndex), value);
  }
  // Stored as the 32-bit pattern: another reader of the raw handle sees
  // 0xFFFFFFFF for -1, not a 64-bit all-ones value.
  skin::SetPropInt(window_, skin::prop::kHmIndex, -1);
  EXPECT_EQ(reinterpret_cast<uintptr_t>(GetPropA(window_, skin::prop::kHmIndex)), uintptr_t{0xFFFFFFFFu});
  // The names go through the A entry points and are found by the W ones.
  EXPECT_EQ(reinterpret_cast<uintptr_t>(GetPropW(window_, L"HMINDEX")), uintptr_t{0xFFFFFFFFu});
}

TEST_F(Properties, HandlesKeepEveryBit) {
  // A procedure address or handle may use all pointer bits in a 64-bit
  // process; none may be lost on the way through a property.
  const auto value = reinterpret_cast<HANDLE>(static_cast<uintptr_t>(sizeof(void*) == 8 ? 0x00007FF612345678ull
                                                                                          : 0x80001234ull));
  skin::SetPropHandle(window_, skin::prop::kProcAddr, value);
  EXPECT_EQ(skin::GetPropHandle(window_, skin::prop::kProcAddr), value);
}

TEST_F(Properties, AttachedExactlyWhileProcAddrIsNonZero) {
  skin::SetPropInt(window_, skin::prop::kOldState, 1);
  skin::SetPropInt(window_, skin::prop::kOldStyle, 0x50010000);
  EXPECT_FALSE(skin::IsAttached(window_));
  skin::SetPropHandle(window_, skin::prop::kProcAddr, reinterpret_cast<HANDLE>(&DefWindowProcW));
  EXPECT_TRUE(skin::IsAttached(window_));
  skin::SetPropHandle(window_, skin::prop::kProcAddr, nullptr);
  EXPECT_FALSE(skin::IsAttached(window_));
  skin::RemoveSkinProp(window_, skin::prop::kProcAddr);
  EXPECT_FALSE(skin::IsAttached(window_));
}

TEST_F(Properties, PerStateNames) {
  const char* dcs[] = {"0HDC", "1HDC", "2HDC", "3HDC"};
  const char* bitmaps[] = {"0BMP", "1BMP", "2BMP", "3BMP"};
  for (int state = 0; state < 4; ++state) {
    EXPECT_EQ(skin::StateDcName(state), dcs[state]);
    EXPECT_EQ(skin::StateBitmapName(state), bitmaps[state]);
  }
  skin::SetPropInt(window_, skin::StateDcName(skin::kStatePressed).c_str(), 77);
  EXPECT_EQ(reinterpret_cast<uintptr_t>(GetPropA(window_, "2HDC")), uintptr_t{77});
}

TEST(Rounding, HalvingGoesToTheEvenNeighbour) {
  const std::pair<int, int> halves[] = {{0, 0},  {1, 0},  {2, 1},   {3, 2},   {4, 2},   {5, 2},   {7, 4},
                                        {9, 4},  {11, 6}, {-1, 0},  {-3, -2}, {-5, -2}, {-2, -1}, {69, 34},
                                        {INT_MAX, 1073741824}, {INT_MIN, INT_MIN / 2}, {INT_MIN + 1, -1073741824}};
  for (const auto& [value, half] : halves) EXPECT_EQ(skin::HalveToEven(value), half) << value;

  const std::pair<double, int> rounds[] = {{0.5, 0},  {1.5, 2},   {2.5, 2},  {3.5, 4},   {-0.5, 0},
                                           {-1.5, -2}, {-2.5, -2}, {2.49, 2}, {2.51, 3},  {-2.51, -3},
                                           {7.0, 7},  {1e12, INT_MAX}, {-1e12, INT_MIN}};
  for (const auto& [value, rounded] : rounds) EXPECT_EQ(skin::RoundHalfToEven(value), rounded) << value;
}

}  // namespace
