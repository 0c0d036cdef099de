#pragma once

#include <QString>

// nivelon-cli's manual page in man(7) form, made from the command table and the
// help of each command, so that it says what the tool does and nothing else.
class ManualPage
{
public:
    static QString text();

private:
    // Text as roff would take it literally: no request at a line start, no escape.
    static QString escaped(const QString& text);
};
