#include "profiles/jsonduplicates.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QSet>
#include <QVector>

QString JsonDuplicates::firstDuplicate(const QByteArray& text)
{
    // One entry per open object or array; an array's entry stays unused.
    QVector<QSet<QString>> keys;
    QVector<bool> inObject;
    int position = 0;
    while (position < text.size()) {
        const char c = text.at(position);
        if (c == '{' || c == '[') {
            keys.append(QSet<QString>());
            inObject.append(c == '{');
            ++position;
        } else if (c == '}' || c == ']') {
            keys.removeLast();
            inObject.removeLast();
            ++position;
        } else if (c == '"') {
            const QByteArray quoted = stringAt(text, &position);
            int next = position;
            while (next < text.size() && QByteArray(" \t\r\n").contains(text.at(next)))
                ++next;
            if (inObject.isEmpty() || !inObject.last() || next >= text.size() ||
                text.at(next) != ':')
                continue;
            const QString key = decoded(quoted);
            if (keys.last().contains(key))
                return key;
            keys.last().insert(key);
        } else {
            ++position;
        }
    }
    return QString();
}

QByteArray JsonDuplicates::stringAt(const QByteArray& text, int* position)
{
    const int start = *position;
    int end = start + 1;
    while (end < text.size() && text.at(end) != '"')
        end += text.at(end) == '\\' ? 2 : 1;
    *position = end + 1;
    return text.mid(start, end + 1 - start);
}

// Escapes as the parser reads them, so that "F\u004din" is FMin.
QString JsonDuplicates::decoded(const QByteArray& quoted)
{
    if (!quoted.contains('\\'))
        return QString::fromUtf8(quoted.mid(1, quoted.size() - 2));
    return QJsonDocument::fromJson('[' + quoted + ']').array().first().toString();
}
