#include "ui/data_exchange.h"

#include <cmath>
#include <limits>

#include "common/numbers.h"

namespace quenlo::ui {
namespace {

// A number the files can carry: the rows of the store and the settings file
// are read back in single precision, so a value beyond it (1e308), or one so
// small that it becomes 0 there (4.9e-324), would come back as another value.
bool FitsSinglePrecision(double value) {
  double size = std::fabs(value);
  return value == 0 || (size <= std::numeric_limits<float>::max() && size >= std::numeric_limits<float>::denorm_min());
}

// Once a control has been refused, the rest of the exchange is skipped.
bool Skip(CDataExchange* dx) { return dx->failed || !dx->window; }

}  // namespace

void DDX_Text(CDataExchange* dx, int id, std::wstring& value) {
  if (Skip(dx)) return;
  if (dx->m_bSaveAndValidate)
    value = dx->window->GetItemText(id);
  else
    dx->window->SetItemText(id, value);
}

void DDX_Text(CDataExchange* dx, int id, double& value) {
  if (Skip(dx)) return;
  if (!dx->m_bSaveAndValidate) {
    std::string text = FormatGeneral(value, 15);
    dx->window->SetItemText(id, WidenAscii(text));
    return;
  }
  double parsed = 0;
  if (!ParseWholeDouble(dx->window->GetItemText(id), parsed) || !FitsSinglePrecision(parsed)) {
    dx->window->ShowMessage(kNotANumberMessage);
    dx->window->SetFocus(id);
    dx->failed = true;
    return;
  }
  value = parsed;
}

void DDX_CBIndex(CDataExchange* dx, int id, int& index) {
  if (Skip(dx)) return;
  if (dx->m_bSaveAndValidate)
    index = dx->window->GetCurSel(id);
  else
    dx->window->SetCurSel(id, index);
}

void DDX_Check(CDataExchange* dx, int id, int& state) {
  if (Skip(dx)) return;
  if (dx->m_bSaveAndValidate)
    state = dx->window->GetCheck(id);
  else
    dx->window->SetCheck(id, state);
}

}  // namespace quenlo::ui
