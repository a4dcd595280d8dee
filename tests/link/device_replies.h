#pragma once

#include "byte_text.h"

#include "link/protocol.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

// Replies of a model-580 device, built the way the device builds them, and their faults.
inline std::vector<uint8_t> Reply(const std::vector<uint8_t>& payload) {
    return velor::protocol::BuildReplyFrame(payload.data(), static_cast<uint8_t>(payload.size()));
}

// A write-block or status-poll reply carrying the given write status (reply byte 5).
inline std::vector<uint8_t> WriteReply(uint8_t status) {
    return Reply({0x01, 0x02, 0x03, status});
}

inline std::vector<uint8_t> WithBadCrc(std::vector<uint8_t> reply) {
    reply.back() ^= 0x01;
    return reply;
}

inline std::vector<uint8_t> WithStartByte(std::vector<uint8_t> reply, uint8_t start) {
    reply.front() = start;
    return reply;
}

inline std::vector<uint8_t> Cut(std::vector<uint8_t> reply, std::size_t size) {
    reply.resize(size);
    return reply;
}

// A request frame as the program must send it.
inline QString RequestText(uint8_t command, const std::vector<uint8_t>& data) {
    const std::vector<uint8_t> frame =
        velor::protocol::BuildRequestFrame(command, data.data(), static_cast<uint8_t>(data.size()));
    return QString::fromLatin1(AsQBytes(frame).toHex(' ').toUpper());
}

inline const QString kAckEvent = QStringLiteral("W 55 01 FF 00 01 00 00 41");

// The events of a ScriptedPort log that start with one of the prefixes, in order.
inline QStringList EventsStartingWith(const QStringList& events, const QStringList& prefixes) {
    QStringList kept;
    for (const QString& event : events) {
        for (const QString& prefix : prefixes) {
            if (event.startsWith(prefix)) {
                kept << event;
                break;
            }
        }
    }
    return kept;
}
