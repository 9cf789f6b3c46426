#include "support/gdi_count.h"

#include <windows.h>

#include <cstddef>
#include <cstdint>

namespace testsupport {
namespace {

// One entry of the shared GDI handle table; the same 24-byte layout in 32-
// and 64-bit processes.
#pragma pack(push, 1)
struct GdiHandleEntry {
  uint64_t object;
  uint16_t owner_process_id;
  uint16_t owner_lock_count;
  uint8_t ext_type_and_stock;  // bit 7: stock object
  uint8_t generation;
  uint8_t type;
  uint8_t flags;
  uint64_t user_pointer;
};
#pragma pack(pop)
static_assert(sizeof(GdiHandleEntry) == 24, "handle table entry layout");

constexpr size_t kHandleCount = 0x10000;

// Mirrors ProcessBasicInformation's result; only the PEB address is used.
struct BasicProcessInformation {
  LONG_PTR exit_status;
  void* peb_base_address;
  ULONG_PTR affinity_mask;
  LONG_PTR base_priority;
  ULONG_PTR unique_process_id;
  ULONG_PTR inherited_from_unique_process_id;
};

const GdiHandleEntry* SharedHandleTable() {
#ifdef _WIN64
  constexpr size_t kPebGdiSharedHandleTable = 0xF8;
#else
  constexpr size_t kPebGdiSharedHandleTable = 0x94;
#endif
  using QueryProcess = LONG(WINAPI*)(HANDLE, int, void*, ULONG, ULONG*);
  HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  if (!ntdll) return nullptr;
  const auto query = reinterpret_cast<QueryProcess>(
      reinterpret_cast<void*>(GetProcAddress(ntdll, "NtQueryInformationProcess")));
  if (!query) return nullptr;
  BasicProcessInformation info{};
  if (query(GetCurrentProcess(), 0, &info, sizeof info, nullptr) != 0 || !info.peb_base_address) return nullptr;
  const auto* peb = static_cast<const uint8_t*>(info.peb_base_address);
  return *reinterpret_cast<const GdiHandleEntry* const*>(peb + kPebGdiSharedHandleTable);
}

int CountTableEntries() {
  const GdiHandleEntry* table = SharedHandleTable();
  if (!table) return -1;
  // The owner field does not necessarily hold the process id as
  // GetCurrentProcessId reports it (Wine leaves it 0), so learn it from an
  // object we make.
  HBRUSH probe = CreateSolidBrush(0);
  if (!probe) return -1;
  const size_t probe_index = reinterpret_cast<uintptr_t>(probe) & 0xFFFF;
  const uint16_t owner = table[probe_index].owner_process_id;
  const bool probe_seen = table[probe_index].type != 0;
  DeleteObject(probe);
  if (!probe_seen) return -1;

  int count = 0;
  for (size_t i = 0; i < kHandleCount; ++i) {
    // Stock objects belong to the system, and Wine makes some of them
    // lazily on first use.
    const bool stock = (table[i].ext_type_and_stock & 0x80) != 0;
    if (table[i].type != 0 && !stock && table[i].owner_process_id == owner) ++count;
  }
  return count;
}

}  // namespace

int CountGdiObjects() {
  const DWORD gui = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  if (gui != 0) return static_cast<int>(gui);
  return CountTableEntries();
}

}  // namespace testsupport
