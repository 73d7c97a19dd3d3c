// The panel's load and save of a settings file: the file dialog, the file, and
// bringing the record, the shown rows and the controls up to date.
#pragma once

namespace quenlo::ui {

class CStartupDlgBar;

// Asks for a .nvs file, reads the panel's controls into its record, folds the
// shown rows into the tables and writes the file whole. A cancelled dialog, a
// refused box, or a path that is one of the files the record names changes
// nothing (the last two with a message); a file that cannot be written is
// reported once and any file already at that path is left as it was. Paths
// that the file cannot carry are not saved, and the user is told which.
void SaveSettingsFile(CStartupDlgBar& dialog);

// Asks for a .nvs file and loads it into the panel's record and the tables,
// shows the rows the file selects and the whole record. A cancelled dialog
// changes nothing; a file that cannot be read, or holds none of the settings
// file's keys, is reported once and leaves the record and the tables as they
// were.
void LoadSettingsFile(CStartupDlgBar& dialog);

}  // namespace quenlo::ui
