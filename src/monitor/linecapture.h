#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// Every byte heard on a line with its arrival time, kept so that a session can
// be decoded again. As text, one chunk a line: the time in milliseconds since
// the epoch and the bytes in hexadecimal; lines starting with # are remarks,
// "# end TIME" the moment listening ended.
class LineCapture
{
public:
    struct Chunk
    {
        qint64 timeMs = 0;
        QByteArray bytes;
    };

    void append(const QByteArray& bytes, qint64 timeMs);
    void remark(const QString& text);
    void end(qint64 timeMs);
    const QByteArray& text() const { return m_text; }

    // False, with the line that is wrong, for text that is no capture. endMs is
    // the end remark's time, or the last chunk's.
    static bool parse(const QByteArray& text, QList<Chunk>* chunks, qint64* endMs, QString* error);

private:
    QByteArray m_text;
};
