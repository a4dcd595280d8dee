#pragma once

#include <QLoggingCategory>

#include <cstddef>
#include <cstdint>

// "velor.link": every frame sent and received, as hex with its direction. Debug output is off
// unless enabled, e.g. QT_LOGGING_RULES="velor.link.debug=true".
Q_DECLARE_LOGGING_CATEGORY(lcVelorLink)

namespace velor::link {

// Logs a frame written to the device ("->") and whether the write went through.
void LogSent(const uint8_t* frame, std::size_t size, bool written);
// Logs a reply read from the device ("<-"), or that the expected bytes did not all arrive.
void LogReceived(const uint8_t* reply, std::size_t size, bool complete);

} // namespace velor::link
