#include "engine/passivedecoder.h"

bool PassiveDecoder::Head::quietAfter(int index) const
{
    if (index + 1 >= size)
        return settled;
    return times[index + 1] - times[index] >= QuietMs;
}

void PassiveDecoder::feed(const char* data, int size, qint64 timeMs)
{
    if (size <= 0)
        return;
    compact();
    m_buffer.append(data, size);
    m_times.insert(m_times.size(), size, timeMs);
    m_settled = false;
    decode();
}

void PassiveDecoder::settle(qint64 nowMs)
{
    if (m_position >= m_buffer.size() || nowMs - m_times.last() < SettleMs)
        return;
    m_settled = true;
    decode();
}

QVector<PassiveFrame> PassiveDecoder::takeFrames()
{
    QVector<PassiveFrame> frames;
    frames.swap(m_frames);
    return frames;
}

void PassiveDecoder::takeFrames(QVector<PassiveFrame>* frames)
{
    frames->clear();
    frames->swap(m_frames);
}

void PassiveDecoder::reset()
{
    m_buffer.clear();
    m_times.clear();
    m_compacted = 0;
    m_lastCompactedMs = -1;
    m_position = 0;
    m_boundary = true;
    m_settled = false;
    m_inRejectedRun = false;
    m_sinceBoundary = 0;
    m_rejectedBytes = 0;
    m_rejectedRuns = 0;
    m_acceptedFrames = 0;
    m_frames.clear();
    resetProtocol();
}

void PassiveDecoder::reportChecksumFailure(int address, qint64 timeMs)
{
    PassiveFrame failure;
    failure.kind = PassiveFrame::ChecksumFailure;
    failure.address = address;
    failure.timeMs = timeMs;
    m_frames.append(failure);
}

void PassiveDecoder::decode()
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(m_buffer.constData());
    while (m_position < m_buffer.size()) {
        const int available = m_buffer.size() - m_position;
        const qint64 before = m_position > 0 ? m_times[m_position - 1] : m_lastCompactedMs;
        const bool quietBefore = before >= 0 && m_times[m_position] - before >= QuietMs;
        if (quietBefore)
            m_sinceBoundary = 0;
        const Head head{bytes + m_position,
                        available,
                        m_boundary || quietBefore,
                        m_settled,
                        m_sinceBoundary,
                        m_times.constData() + m_position,
                        m_compacted + m_position};
        PassiveFrame frame;
        int length = frameAt(head, &frame);
        if (length == NeedMore && !m_settled && available < longestFrame())
            return;
        if (length > available)
            length = NoFrame;
        if (length <= 0) {
            reject();
            continue;
        }
        frame.bytes = QByteArray(reinterpret_cast<const char*>(head.data), length);
        frame.timeMs = head.timeAt(length - 1);
        frame.position = head.position;
        m_frames.append(std::move(frame));
        ++m_acceptedFrames;
        m_position += length;
        m_boundary = true;
        m_sinceBoundary = 0;
        m_inRejectedRun = false;
    }
}

void PassiveDecoder::reject()
{
    ++m_rejectedBytes;
    if (!m_inRejectedRun)
        ++m_rejectedRuns;
    m_inRejectedRun = true;
    m_boundary = false;
    ++m_sinceBoundary;
    ++m_position;
}

// Consumed bytes leave the buffer only when more arrive, so decoding a chunk
// never moves what is left of it.
void PassiveDecoder::compact()
{
    if (m_position == 0)
        return;
    m_lastCompactedMs = m_times[m_position - 1];
    m_buffer.remove(0, m_position);
    m_times.remove(0, m_position);
    m_compacted += m_position;
    m_position = 0;
}
