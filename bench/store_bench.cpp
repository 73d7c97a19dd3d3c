// Times one run's use of the settings store on a full store (339 keys, long
// Japanese paths, every row set) in a Japanese folder: the 339 writes of a
// launch and the 336 reads of the next run through our store, against one
// write of the same bytes and, on the Windows build, against the same writes
// and reads through WritePrivateProfileStringW and GetPrivateProfileStringW on
// the same file.
//
//   bench_store [FOLDER] [RUNS]   (default: the current folder, 11 runs)
#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench_data.h"
#include "host_state.h"
#include "platform/ansi.h"
#include "platform/files.h"
#include "settings/ini_file.h"
#include "settings/settings_store.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

using Values = std::vector<std::pair<std::wstring, std::wstring>>;

void WriteOurs(const Values& values) {
  quenlo::StoreWrite w;
  for (const auto& [key, value] : values) w.Set(key, value);
  w.Commit();
}

std::vector<std::wstring> ReadOurs(const std::vector<std::wstring>& keys) {
  std::vector<std::wstring> out;
  quenlo::StoreReadScope scope;
  for (const std::wstring& key : keys) out.push_back(quenlo::ReadStoreValue(key, L"0"));
  return out;
}

#ifdef _WIN32
void WriteProfile(const Values& values, const std::wstring& path) {
  for (const auto& [key, value] : values)
    WritePrivateProfileStringW(L"Settings", key.c_str(), value.c_str(), path.c_str());
}

std::vector<std::wstring> ReadProfile(const std::vector<std::wstring>& keys, const std::wstring& path) {
  std::vector<std::wstring> out;
  wchar_t buffer[4096];
  for (const std::wstring& key : keys) {
    GetPrivateProfileStringW(L"Settings", key.c_str(), L"0", buffer, 4096, path.c_str());
    out.emplace_back(buffer);
  }
  return out;
}
#endif

}  // namespace

int main(int argc, char** argv) {
  const std::wstring parent = argc > 1 ? quenlo::platform::FromUtf8(argv[1]) : L".";
  const int runs = argc > 2 ? std::atoi(argv[2]) : 11;
  const std::wstring base = bench::MakeFolder(parent, L"設定ベンチ");
  const std::wstring user = bench::MakeFolder(base, L"ユーザー");
  standin::Job job;
  job.user_folder = user;
  job.code_page = 932;
  job.machine_group.emplace();
  standin::InstallJob(job);

  const std::wstring path = *quenlo::GetStorePath();
  const std::wstring copy_path = base + L"一度に書いた.ini";
  const Values before = bench::FullStoreValues(base, L"C:\\Program Files\\シミュレーター\\Tarvik.exe", 1);
  const Values after = bench::FullStoreValues(base, L"C:\\Program Files\\シミュレーター\\Tarvik.exe", 2);
  const std::vector<std::wstring> keys = bench::RunReadKeys();

  // The store as the previous run left it; every timed write changes all 339 values.
  quenlo::platform::RemoveFile(path);
  WriteOurs(before);
  std::string previous;
  quenlo::platform::ReadWholeFile(path, previous);
  auto restore = [&] { quenlo::platform::ReplaceFileContents(path, previous); };

  // Our writes and the single write take turns after the same untimed restore,
  // so that both meet the same disk.
  std::string written;
  std::vector<double> ours_times, single_times;
  for (int i = 0; i < runs; ++i) {
    ours_times.push_back(bench::MedianMs(1, restore, [&] { WriteOurs(after); }));
    quenlo::platform::ReadWholeFile(path, written);
    single_times.push_back(
        bench::MedianMs(1, restore, [&] { quenlo::platform::ReplaceFileContents(copy_path, written); }));
  }
  const double ours_write = bench::Median(ours_times), single = bench::Median(single_times);
  std::string built;
  double in_memory = bench::MedianMs(runs, [&] {
    quenlo::IniFile ini = quenlo::IniFile::Parse(previous);
    for (const auto& [key, value] : after) ini.Set(L"Settings", key, value);
    built = ini.Serialize();
  });
  quenlo::platform::ReplaceFileContents(path, written);  // every read below reads the file our writes made
  std::vector<std::wstring> ours_values;
  double ours_read = bench::MedianMs(runs, [&] { ours_values = ReadOurs(keys); });

  std::printf("store: %zu bytes, %zu writes, %zu reads, median of %d runs\n", written.size(), after.size(),
              keys.size(), runs);
  bench::PrintHeader();
  bench::PrintRow("store", "339 writes", ours_write, "one write of the same bytes", single);
  bench::PrintRow("store", "336 reads", ours_read, "one write of the same bytes", single);
  bench::PrintRow("store", "339 writes in memory (parse, set, serialize)", in_memory, "one write of the same bytes",
                  single);
  if (built != written) std::printf("the bytes built in memory DIFFER from the file written\n");
#ifdef _WIN32
  double profile_write = bench::MedianMs(runs, restore, [&] { WriteProfile(after, path); });
  quenlo::platform::ReplaceFileContents(path, written);
  std::vector<std::wstring> profile_values;
  double profile_read = bench::MedianMs(runs, [&] { profile_values = ReadProfile(keys, path); });
  bench::PrintRow("store", "339 writes", ours_write, "339 x WritePrivateProfileStringW", profile_write);
  bench::PrintRow("store", "336 reads", ours_read, "336 x GetPrivateProfileStringW", profile_read);
  std::printf("the profile functions read what we read: %s\n", profile_values == ours_values ? "yes" : "NO");
  for (size_t i = 0; i < keys.size() && i < profile_values.size() && i < ours_values.size(); ++i) {
    if (profile_values[i] == ours_values[i]) continue;
    std::printf("  first difference: %s: ours \"%s\", profile \"%s\"\n", quenlo::platform::ToUtf8(keys[i]).c_str(),
                quenlo::platform::ToUtf8(ours_values[i]).c_str(), quenlo::platform::ToUtf8(profile_values[i]).c_str());
    break;
  }
#endif
  quenlo::platform::RemoveFile(path);
  quenlo::platform::RemoveFile(copy_path);
  return 0;
}
