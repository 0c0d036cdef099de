#pragma once

#include <QByteArray>
#include <QString>

// A key given twice in one object of a JSON text, which a JSON parser keeps
// only once, silently. The text must be valid JSON.
class JsonDuplicates
{
public:
    // The first key given twice in one object; empty when there is none.
    static QString firstDuplicate(const QByteArray& text);

private:
    // The string that starts at position, its quotes included; position moves past it.
    static QByteArray stringAt(const QByteArray& text, int* position);
    static QString decoded(const QByteArray& quoted);
};
