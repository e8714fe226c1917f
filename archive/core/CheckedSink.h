#pragma once
// Passes decoded bytes on while counting them and computing their CRC-16.

#include "Crc16.h"
#include "ByteSink.h"
#include "Target.h"

namespace lzh {

class CheckedSink : public ByteSink {
public:
    CheckedSink(ByteSink* inner, Progress* progress, uint64_t progressBase)
        : m_inner(inner), m_progress(progress), m_progressBase(progressBase)
    {
    }

    bool Write(const uint8_t* data, size_t size) override
    {
        m_crc = UpdateCrc16(m_crc, data, size);
        m_count += size;
        if (m_progress)
            m_progress->OnBytes(m_progressBase + m_count);
        return m_inner == nullptr || m_inner->Write(data, size);
    }

    uint16_t Crc() const { return m_crc; }
    uint64_t Count() const { return m_count; }

private:
    ByteSink* m_inner;
    Progress* m_progress;
    uint64_t m_progressBase;
    uint16_t m_crc = 0;
    uint64_t m_count = 0;
};

}
