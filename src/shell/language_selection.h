#pragma once

#include "catalogue/locale_runtime.h"
#include "catalogue/program_files.h"

#include <QString>

#include <functional>

class QDialog;
class QWidget;

namespace velor {

// Runs a dialog modally and returns its result (QDialog::Accepted or Rejected). Tests replace
// it to act as the user without a blocking event loop.
using ModalRunner = std::function<int(QDialog&)>;

// The real runner: QDialog::exec.
int RunModal(QDialog& dialog);

// Shows the language dialog over the libraries beside the program and the base language, centred
// on centreOn (on the screen when null), with the language in use selected. When the user
// confirms a language, switches to it with SetNewResourceFile (every open window is
// retranslated) and returns true; returns false when the user cancels.
bool SelectResourceLocale(const QString& baseLocale, ResourceOptions options, QWidget* centreOn,
                          const ModalRunner& runModal = RunModal,
                          const QString& programPath = RunningProgramPath());

} // namespace velor
