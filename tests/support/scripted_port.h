#pragma once

#include "link/port.h"
#include "link/progress_sink.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <deque>
#include <functional>
#include <set>
#include <vector>

// A port that plays the device's side from a script, and an event log of everything the device
// protocol did, in order:
//   "B"                    FrameBoundary
//   "W 55 01 FF 80 00 .."  a frame written (hex); "W! .." when the write was scripted to fail
//   "R 11" / "RC 8"        a Read / ReadCounted of that many bytes
//   "S 20"                 a wait, when the sleeper() is given to the device
//   "max 5" / "advance"    progress, when a progress() sink is given to the device
// Each read takes the next scripted reply: a reply shorter than asked is a short read (false),
// a longer one is cut to the length asked; with no reply left the read times out (false).
// A Read or Write call listed as losing fails and leaves the port lost ("R! 8", "W! .."), as the
// USB port is once the device has gone; every call after it fails too.
class ScriptedPort : public TPort {
public:
    std::deque<std::vector<uint8_t>> replies;
    std::set<int> failingWrites; // 0-based indices of Write calls that fail
    std::set<int> losingWrites;  // 0-based indices of Write calls that lose the device
    std::set<int> losingReads;   // 0-based indices of Read/ReadCounted calls that do
    bool lost = false;
    std::vector<std::vector<uint8_t>> frames; // every frame written successfully, in order
    QStringList events;
    std::vector<int> sleeps;
    int opens = 0;
    int closes = 0;

    int Open() override {
        ++opens;
        return 1;
    }
    void Reserved1() override {}
    bool Read(uint8_t* buffer, uint32_t n) override { return Serve("R", buffer, n, nullptr); }
    bool ReadCounted(uint8_t* buffer, uint32_t n, uint32_t& count) override {
        return Serve("RC", buffer, n, &count);
    }
    bool Write(const uint8_t* buffer, uint32_t n) override {
        const int call = writeCalls_++;
        lost = lost || losingWrites.count(call) != 0;
        const bool ok = !lost && failingWrites.count(call) == 0;
        events << (ok ? "W " : "W! ") + Hex(buffer, n);
        if (ok) {
            frames.emplace_back(buffer, buffer + n);
        }
        return ok;
    }
    void FrameBoundary() override { events << "B"; }
    int Close() override {
        ++closes;
        return 0;
    }
    void Reserved2() override {}
    void Purge() override { events << "purge"; }
    bool DeviceLost() const override { return lost; }

    // A sleeper that records each wait instead of sleeping.
    std::function<void(int)> sleeper() {
        return [this](int ms) {
            sleeps.push_back(ms);
            events << "S " + QString::number(ms);
        };
    }

    // A progress sink that records into the same event log.
    ProgressSink* progress() { return &progress_; }

    // Frames written with the given command byte (request byte 3).
    std::vector<std::vector<uint8_t>> FramesWithCommand(uint8_t command) const {
        std::vector<std::vector<uint8_t>> found;
        std::copy_if(
            frames.begin(), frames.end(), std::back_inserter(found),
            [command](const std::vector<uint8_t>& f) { return f.size() > 3 && f[3] == command; });
        return found;
    }

    static QString Hex(const uint8_t* bytes, std::size_t n) {
        return QString::fromLatin1(
            QByteArray(reinterpret_cast<const char*>(bytes), static_cast<qsizetype>(n))
                .toHex(' ')
                .toUpper());
    }
    static QString Hex(const std::vector<uint8_t>& bytes) {
        return Hex(bytes.data(), bytes.size());
    }

private:
    class Progress : public ProgressSink {
    public:
        explicit Progress(QStringList& events) : events_(events) {}
        void SetMax(int max) override { events_ << "max " + QString::number(max); }
        void Advance() override { events_ << "advance"; }

    private:
        QStringList& events_;
    };

    bool Serve(const char* kind, uint8_t* buffer, uint32_t n, uint32_t* count) {
        lost = lost || losingReads.count(readCalls_++) != 0;
        events << QString::fromLatin1(kind) + (lost ? "! " : " ") + QString::number(n);
        if (lost) {
            return false;
        }
        if (replies.empty()) {
            if (count != nullptr) {
                *count = 0;
            }
            return false;
        }
        const std::vector<uint8_t> reply = std::move(replies.front());
        replies.pop_front();
        const auto got = std::min<uint32_t>(n, static_cast<uint32_t>(reply.size()));
        std::copy_n(reply.begin(), got, buffer);
        if (count != nullptr) {
            *count = got;
        }
        return got == n;
    }

    int writeCalls_ = 0;
    int readCalls_ = 0;
    Progress progress_{events};
};
