#include "sim/line_pacer.h"

#include <algorithm>

namespace velor::sim {

LinePacer::Clock::time_point LinePacer::RequestReceived(Clock::time_point firstByte,
                                                        std::size_t size) {
    return enabled_ ? Occupy(rxFree_, firstByte, size) : firstByte;
}

LinePacer::Clock::time_point LinePacer::ReplyDelivered(Clock::time_point start, std::size_t size) {
    return enabled_ ? Occupy(txFree_, start, size) : start;
}

LinePacer::Clock::time_point LinePacer::Occupy(Clock::time_point& lineFree, Clock::time_point start,
                                               std::size_t size) {
    const Clock::time_point begin = std::max(start, lineFree);
    lineFree = begin + kByteTime * static_cast<long long>(size);
    return lineFree;
}

} // namespace velor::sim
