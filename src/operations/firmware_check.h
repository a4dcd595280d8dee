#pragma once

#include "link/velor_device.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

// Whether a firmware file fits the connected device: its first seven bytes are a device
// descriptor (type and platform 16-bit little-endian, then the three version bytes).

enum class FirmwareMatch {
    Accepted,         // same type and platform, type 580
    TypeMismatch,     // message 10010
    PlatformMismatch, // message 10011
    UnknownType,      // same type and platform, but not a 580: message 10013
};

// The descriptor heading a firmware image; none when the image is shorter than seven bytes.
std::optional<TVelorDevDesc> FirmwareDescriptor(const std::vector<uint8_t>& image);

// Type first, then platform, then whether the type is the configured model's.
FirmwareMatch MatchFirmware(const TVelorDevDesc& file, const TVelorDevDesc& device);

// Why a firmware file of length bytes cannot be uploaded (too short, a block count beyond 16 bits,
// a payload of partial blocks), in the program's language; empty when it can.
QString FirmwareSizeRefusal(std::size_t length);

// The status text of a refusal: message 10001, a blank and the refusal's message. Empty for an
// accepted file.
QString FirmwareRefusalText(FirmwareMatch match);
