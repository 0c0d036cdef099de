#include "monitor/linecapture.h"

namespace {

const char kEndRemark[] = "# end ";

} // namespace

void LineCapture::append(const QByteArray& bytes, qint64 timeMs)
{
    m_text += QByteArray::number(timeMs) + ' ' + bytes.toHex() + '\n';
}

void LineCapture::remark(const QString& text)
{
    m_text += "# " + text.toUtf8() + '\n';
}

void LineCapture::end(qint64 timeMs)
{
    m_text += kEndRemark + QByteArray::number(timeMs) + '\n';
}

bool LineCapture::parse(const QByteArray& text, QList<Chunk>* chunks, qint64* endMs, QString* error)
{
    chunks->clear();
    *endMs = 0;
    const QList<QByteArray> lines = text.split('\n');
    for (int i = 0; i < lines.size(); ++i) {
        const QByteArray line = lines.at(i).trimmed();
        bool ok = true;
        if (line.startsWith(kEndRemark)) {
            *endMs = line.mid(int(sizeof kEndRemark) - 1).toLongLong(&ok);
        } else if (!line.isEmpty() && !line.startsWith('#')) {
            const QList<QByteArray> fields = line.split(' ');
            Chunk chunk;
            chunk.timeMs = fields.first().toLongLong(&ok);
            const QByteArray hex = fields.value(1);
            chunk.bytes = QByteArray::fromHex(hex);
            ok = ok && fields.size() == 2 && hex.size() == 2 * chunk.bytes.size() &&
                 chunk.bytes.toHex() == hex.toLower();
            *endMs = qMax(*endMs, chunk.timeMs);
            chunks->append(chunk);
        }
        if (!ok) {
            *error = QStringLiteral("line %1 is not \"TIME HEXBYTES\"").arg(i + 1);
            return false;
        }
    }
    return true;
}
