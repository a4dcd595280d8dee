// Starting a device operation on the operation thread.

#include "ui/main_form.h"

// Until the operation thread is in place, an operation is only announced.
void TMainForm::StartOperation(int operationCode, std::vector<uint8_t> data) {
    static_cast<void>(data);
    emit operationStarted(operationCode);
}
