#include "support/simulated_high_contrast.h"

#include <windows.h>

#include <cstring>

namespace testsupport {
namespace {

using SpiFunction = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT);

SpiFunction g_system = nullptr;
bool g_on = false;

BOOL WINAPI Answer(UINT action, UINT param, PVOID data, UINT ini) {
  const BOOL ok = g_system(action, param, data, ini);
  if (ok && action == SPI_GETHIGHCONTRAST && data) {
    auto* mode = static_cast<HIGHCONTRASTW*>(data);
    mode->dwFlags = g_on ? (mode->dwFlags | HCF_HIGHCONTRASTON) : (mode->dwFlags & ~DWORD{HCF_HIGHCONTRASTON});
  }
  return ok;
}

// The import-address slot of user32's SystemParametersInfoW in this
// executable, through which every call of the statically linked code goes.
void** ImportSlot() {
  auto* base = reinterpret_cast<BYTE*>(GetModuleHandleW(nullptr));
  auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
  auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  if (!dir.VirtualAddress) return nullptr;
  for (auto* imp = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress); imp->Name; ++imp) {
    if (lstrcmpiA(reinterpret_cast<const char*>(base + imp->Name), "user32.dll") != 0) continue;
    auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + (imp->OriginalFirstThunk ? imp->OriginalFirstThunk
                                                                                      : imp->FirstThunk));
    auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + imp->FirstThunk);
    for (; names->u1.AddressOfData; ++names, ++slots) {
      if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
      auto* name = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
      if (std::strcmp(reinterpret_cast<const char*>(name->Name), "SystemParametersInfoW") == 0) {
        return reinterpret_cast<void**>(&slots->u1.Function);
      }
    }
  }
  return nullptr;
}

bool Patch(void* value, void** previous) {
  void** slot = ImportSlot();
  if (!slot) return false;
  DWORD protection = 0;
  if (!VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &protection)) return false;
  if (previous) *previous = *slot;
  *slot = value;
  VirtualProtect(slot, sizeof *slot, protection, &protection);
  return true;
}

}  // namespace

SimulatedHighContrast::SimulatedHighContrast() {
  g_on = false;
  void* previous = nullptr;
  installed_ = Patch(reinterpret_cast<void*>(&Answer), &previous);
  if (installed_) g_system = reinterpret_cast<SpiFunction>(previous);
}

SimulatedHighContrast::~SimulatedHighContrast() {
  g_on = false;
  if (installed_) Patch(reinterpret_cast<void*>(g_system), nullptr);
}

void SimulatedHighContrast::Set(bool on) { g_on = on; }

}  // namespace testsupport
