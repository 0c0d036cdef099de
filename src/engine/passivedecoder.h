#pragma once

#include "engine/passiveframe.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QVector>

class SerialPort;

// Cuts frames out of bytes heard on a line it never writes to: bytes come in
// any chunks, a request and its reply can share one, and a chunk can end inside
// a frame. A frame is taken only when its protocol's checks hold; where none
// starts, the decoder slides on by one byte and counts the run it rejected.
// Silence is only a hint, for what the bytes alone leave open.
class PassiveDecoder
{
public:
    virtual ~PassiveDecoder() = default;

    virtual QString protocolName() const = 0;
    // The port settings a listener of this protocol needs.
    virtual void applyLineSettings(SerialPort* port) const = 0;

    // Bytes that arrived at timeMs; the frames they complete wait in takeFrames().
    void feed(const char* data, int size, qint64 timeMs);
    void feed(const QByteArray& bytes, qint64 timeMs)
    {
        feed(bytes.constData(), bytes.size(), timeMs);
    }
    // Once the line has been quiet a while, what waited only for more bytes is
    // decided: a frame, or rejected.
    void settle(qint64 nowMs);
    QVector<PassiveFrame> takeFrames();
    // The same into a vector of the caller's, whose room is kept for the next
    // frames: no allocation while a line runs.
    void takeFrames(QVector<PassiveFrame>* frames);
    // Forgets the buffer, what the protocol was waiting for and the counts.
    void reset();

    qint64 rejectedBytes() const { return m_rejectedBytes; }
    int rejectedRuns() const { return m_rejectedRuns; }
    qint64 acceptedFrames() const { return m_acceptedFrames; }
    int pendingBytes() const { return m_buffer.size() - m_position; }

    // A gap between two bytes this long says they are no parts of one frame.
    static constexpr int QuietMs = 3;
    // After this long without a byte, a frame that waits for more is given up.
    static constexpr int SettleMs = 100;

protected:
    // What the protocol's frame test sees: the bytes from a possible frame start
    // on, with what is known of the silence around them.
    struct Head
    {
        const unsigned char* data;
        int size;
        // The byte before the head ended a frame, or silence came before it.
        bool boundary;
        // No more bytes are coming for now: the line has been quiet.
        bool settled;
        // Bytes rejected since the last frame or silence: 0 at a boundary.
        int sinceBoundary;
        const qint64* times;
        // Where data[0] stands among all the bytes heard since the last reset.
        qint64 position;
        // Whether silence follows the byte at index (nothing after it, once settled).
        bool quietAfter(int index) const;
        qint64 timeAt(int index) const { return times[index]; }
    };

    static constexpr int NeedMore = 0;
    static constexpr int NoFrame = -1;

    // The length of the frame at the head, with the frame filled in; NeedMore
    // when the bytes so far could still begin one; NoFrame when none starts here.
    virtual int frameAt(const Head& head, PassiveFrame* frame) = 0;
    // Frames are never longer than this, so a head this long is decided.
    virtual int longestFrame() const = 0;
    virtual void resetProtocol() {}
    // A frame of the right shape with a failed checksum, counted for its address.
    void reportChecksumFailure(int address, qint64 timeMs);

private:
    void decode();
    void reject();
    void compact();

    QByteArray m_buffer;
    QVector<qint64> m_times;
    qint64 m_compacted = 0;        // bytes heard before the buffer's first
    qint64 m_lastCompactedMs = -1; // when the byte before the buffer's first came
    int m_position = 0;
    bool m_boundary = true;
    bool m_settled = false;
    bool m_inRejectedRun = false;
    int m_sinceBoundary = 0;
    qint64 m_rejectedBytes = 0;
    int m_rejectedRuns = 0;
    qint64 m_acceptedFrames = 0;
    QVector<PassiveFrame> m_frames;
};
