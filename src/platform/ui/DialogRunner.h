#pragma once

#include <functional>

class QDialog;

// Runs the program's own modal dialogs. A test installs a hook that fills in a dialog's
// fields and returns Accepted or Rejected instead of blocking.
namespace DialogRunner {
int exec(QDialog& dialog);
using Hook = std::function<int(QDialog&)>;
void setHook(Hook hook);
} // namespace DialogRunner
