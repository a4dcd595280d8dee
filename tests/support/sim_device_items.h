#pragma once

#include "sim/sim_options.h"

#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <utility>

// The simulated device from "name=value" items over the given settings table: type, version
// (2.1.0), key (hex), fault (as velor580-sim's --fault), busy (as velor580-sim's --busy), refuse
// (a write block number), hang-up (frames served before the line drops), store-corrupt (as
// velor580-sim's --store-corrupt). An unknown item stops the test program.
inline velor::sim::SimState SimDeviceFromItems(const QStringList& items,
                                               velor::sim::Bytes settings) {
    velor::sim::SimState state;
    state.settings = std::move(settings);
    for (const QString& item : items) {
        const QString name = item.section('=', 0, 0);
        const QString value = item.section('=', 1);
        if (name == "type") {
            state.identity.type = static_cast<uint16_t>(value.toUInt());
        } else if (name == "version") {
            state.identity.version = velor::sim::ParseVersion(value);
        } else if (name == "key") {
            state.key = velor::sim::ParseKey(value);
        } else if (name == "fault") {
            state.behaviour.faults.push_back(velor::sim::ParseFault(value));
        } else if (name == "busy") {
            const auto [block, response] = velor::sim::ParseBusy(value);
            state.behaviour.blockResponses[block] = response;
        } else if (name == "refuse") {
            state.behaviour.blockResponses[value.toInt()].kind =
                velor::sim::BlockResponse::Kind::Refuse;
        } else if (name == "store-corrupt") {
            state.behaviour.storeCorruptions.push_back(velor::sim::ParseStoreCorruption(value));
        } else if (name == "hang-up") {
            state.behaviour.hangUpAfterFrames = value.toInt();
        } else {
            qFatal("unknown device item %s", qPrintable(item));
        }
    }
    return state;
}
