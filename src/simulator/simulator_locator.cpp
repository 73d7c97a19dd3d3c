// The installed simulators, found in the machine part of the registry. Each
// probe opens one key; a key that opens decides the result, even when its
// value cannot be read. Values are taken as stored: no trimming, no removal of
// quotes or of an icon index after a comma, no check that the file exists.
#include "simulator/simulator_locator.h"

#include "platform/registry.h"

namespace quenlo {
namespace {

struct Probe {
  const wchar_t* key;
  const wchar_t* value;
  const wchar_t* append;  // added to a value that was read (never to nothing)
};

std::wstring Locate(const Probe* probes, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    platform::MachineKeyValue found = platform::ReadMachineKeyValue(probes[i].key, probes[i].value);
    if (!found.key_opened) continue;
    // A value that is missing, not text or empty gives no path.
    if (!found.text || found.text->empty()) return L"";
    return *found.text + probes[i].append;
  }
  return L"";
}

const Probe kTarvikProbes[] = {
    {L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\TARVIK Arden 2.2_is1", L"DisplayIcon", L""},
    {L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\TARVIK Arden 2.0_is1", L"DisplayIcon", L""},
    {L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\TARVIK Formgard 15.0_is1", L"DisplayIcon", L""},
    {L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\TARVIK Bitgard 15.0_is1", L"DisplayIcon", L""},
    {L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\TARVIK Spingard 15.0_is1", L"DisplayIcon", L""},
};

const Probe kPellastProbes[] = {
    {L"SOFTWARE\\WOW6432Node\\Varnell Technology\\TARVIK\\Bitra\\3.0", L"InstallDir", L"\\Pellast.exe"},
    {L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Installer\\UserData\\S-1-5-18\\Components\\"
     L"A0B1C2D3E4F5061728394A5B6C7D8E9F",
     L"F9E8D7C6B5A40312233445566778899A", L""},
    {L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Pellast_is1", L"DisplayIcon", L""},
};

}  // namespace

std::wstring LocateTarvik() { return Locate(kTarvikProbes, sizeof kTarvikProbes / sizeof kTarvikProbes[0]); }

std::wstring LocatePellast() { return Locate(kPellastProbes, sizeof kPellastProbes / sizeof kPellastProbes[0]); }

}  // namespace quenlo
