// Every text the add-in shows the user in a message box, and the names its
// messages give to files and findings: one place, so that the wording stays
// one (シミュレーター, 「」 around paths) and a reviewer reads it all at once.
// The panel's captions and labels are the settings table's and the template's.
#pragma once

#include <string>

namespace quenlo::messages {

// The run.
inline constexpr wchar_t kNoMachineGroup[] = L"マシングループがありません";
inline constexpr wchar_t kUnexpectedFailure[] = L"予期しないエラーのため、処理を中止しました。";
inline constexpr wchar_t kStoreUnwritable[] = L"設定を保存できませんでした。";
inline constexpr wchar_t kSimulatorNotStarted[] = L"シミュレーターは起動しませんでした。";
inline std::wstring SimulatorCannotStart(const std::wstring& exe) { return L"シミュレーターを起動できません: " + exe; }

// The panel.
inline constexpr wchar_t kNotANumber[] = L"数値を入力してください。";
inline std::wstring RequiredFields(const std::wstring& names) {
  return L"起動するには次の項目を入力してください：" + names;
}
inline constexpr wchar_t kListSeparator[] = L"、";

// The written files.
inline std::wstring ToolFileUnwritable(const std::wstring& path) {
  return L"工具ファイル「" + path + L"」を保存できませんでした。";
}
inline constexpr wchar_t kTemplateUnreadable[] = L"プロジェクトのテンプレートファイルを読み込めませんでした。\n";
inline constexpr wchar_t kNotATemplate[] =
    L"プロジェクトのテンプレートファイルに、プロジェクトファイルの項目が一つもありません（空のファイル、"
    L"テキストでないファイル、または別の文字コードのファイルです）。\n";
inline constexpr wchar_t kProjectUnwritable[] = L"プロジェクトファイルを書き込めませんでした。\n";
inline constexpr wchar_t kStlUnwritable[] = L"ワークのSTLファイルを書き込めませんでした。\n";
inline std::wstring SetupSheetUnwritable(const std::wstring& path) {
  return L"セットアップシートを保存できませんでした。\n" + path;
}

// The settings file.
inline std::wstring SettingsFileUnwritable(const std::wstring& path) {
  return L"設定ファイル「" + path + L"」を保存できませんでした。";
}
inline std::wstring SettingsFileUnreadable(const std::wstring& path) {
  return L"設定ファイル「" + path + L"」を読み込めませんでした。";
}
inline std::wstring NotASettingsFile(const std::wstring& path) {
  return L"「" + path + L"」は設定ファイルではありません（設定の項目が一つもありません）。何も読み込みませんでした。";
}

// What a command refuses before it writes.
inline constexpr wchar_t kTemplateFile[] = L"プロジェクトのテンプレートファイル";
inline constexpr wchar_t kStlFile[] = L"ワークのSTLファイル";
inline constexpr wchar_t kSettingsFile[] = L"設定ファイル";
inline std::wstring SameFile(const std::wstring& output, const std::wstring& other, const std::wstring& path) {
  return output + L"と" + other + L"が同じファイルです：" + path + L"\n別のファイルを指定してください。何も書き込んでいません。";
}
inline std::wstring PathNotWritable(const std::wstring& field, const std::wstring& characters) {
  return field + L"のパスに、設定ファイルやプロジェクトファイルに書けない文字があります：" + characters;
}
inline std::wstring PathNotKept(const std::wstring& field, const std::wstring& characters) {
  return field + L"（" + characters + L"）";
}
inline std::wstring PathsNotKept(const std::wstring& fields) {
  return L"次の項目のパスには設定ファイルに書けない文字があるため、保存しませんでした（前の値のままです）：" + fields;
}

// The NC program check.
inline std::wstring NcFileUnreadable(const std::wstring& path) { return L"NCファイル「" + path + L"」を読めません"; }
inline constexpr wchar_t kToolMissing[] = L"工具ファイルにありません";
inline constexpr wchar_t kLengthMissing[] = L"工具ファイルに工具長補正がありません";
inline constexpr wchar_t kRadiusMissing[] = L"工具ファイルに工具径補正がありません";
inline constexpr wchar_t kWorkOffsetZero[] = L"ワーク座標系の値がすべて0です";
inline std::wstring Finding(const std::wstring& word, int line, const wchar_t* what) {
  return word + L"（" + std::to_wstring(line) + L"行目）: " + what;
}
inline constexpr wchar_t kCheckFound[] = L"NCプログラムの確認で次の点が見つかりました。\n";
inline std::wstring MoreFindings(size_t count) { return L"ほか " + std::to_wstring(count) + L" 件\n"; }
inline constexpr wchar_t kLaunchAnyway[] = L"\nこのままシミュレーターを起動しますか？";

// Tool tips of the panel's buttons.
inline constexpr wchar_t kTipLaunch[] = L"シミュレーターを起動します";
inline constexpr wchar_t kTipCancel[] = L"閉じる";
inline constexpr wchar_t kTipLoad[] = L"保存済みの設定内容を読み込みます";
inline constexpr wchar_t kTipSave[] = L"現在の設定内容を保存します";
inline constexpr wchar_t kTipToolsOnly[] = L"工具ファイルのみ保存します";
inline constexpr wchar_t kTipBrowseExe[] = L"EXEファイルを指定します";

}  // namespace quenlo::messages
