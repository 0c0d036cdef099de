#pragma once

#include <QString>

// The plot tooltip of the ModBus and TBus views: both sample records have the
// same fields.
namespace LevelSampleText {

template <typename T>
QString toolTip(const T& sample, const QString& time, const QString& errorText)
{
    QString text = QStringLiteral("Time=%1\nLVL=%2\nRawLevel=%3")
                       .arg(time, QString::number(double(sample.level), 'g', 6),
                            QString::number(sample.rawLevel));
    if (sample.error)
        text += errorText;
    return text;
}

} // namespace LevelSampleText
