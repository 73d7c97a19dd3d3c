// Moving values between the panel's controls and the record, one control at a
// time, as the dialog framework's data exchange does: text boxes, numbers
// shown in the shortest general form with up to 15 significant digits, list
// indices and check states. A number box that does not hold a number, or
// holds one that the files cannot carry (beyond single precision), is
// refused with a message, the focus goes to it, and the exchange stops there.
#pragma once

#include <string>

#include "common/messages.h"
#include "host/dialog.h"

namespace quenlo::ui {

// The message shown for a number box that does not hold a number.
inline constexpr const wchar_t* kNotANumberMessage = messages::kNotANumber;

void DDX_Text(CDataExchange* dx, int id, std::wstring& value);
void DDX_Text(CDataExchange* dx, int id, double& value);
void DDX_CBIndex(CDataExchange* dx, int id, int& index);
void DDX_Check(CDataExchange* dx, int id, int& state);

}  // namespace quenlo::ui
