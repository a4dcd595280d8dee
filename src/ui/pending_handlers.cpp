// Handlers whose rules live in files of their own once written: each definition below moves
// to its page's rules file (loop, output and identifier rules, configuration files, device
// commands) and leaves this file. Until then the controls are bound to these empty bodies.

#include "ui/main_form.h"
