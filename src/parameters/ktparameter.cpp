#include "parameters/ktparameter.h"

bool KtParameter::save(QDataStream&)
{
    return false;
}

bool KtParameter::restore(QDataStream&)
{
    return false;
}

QVariant KtParameter::variantValue() const
{
    return QVariant();
}

bool KtParameter::setVariantValue(const QVariant&)
{
    return false;
}

// --- KtBoolParameter

QString KtBoolParameter::toString() const
{
    return m_value ? QStringLiteral("1") : QStringLiteral("0");
}

bool KtBoolParameter::setVariantValue(const QVariant& value)
{
    setValue(value.toBool());
    return true;
}

// --- KtListParameter

KtListParameter::KtListParameter(int minimumContentsLength)
    : m_minimumContentsLength(minimumContentsLength)
{}

QString KtListParameter::toString() const
{
    return QString::number(m_value);
}

bool KtListParameter::save(QDataStream& stream)
{
    stream << qint32(m_value);
    return stream.status() == QDataStream::Ok;
}

bool KtListParameter::restore(QDataStream& stream)
{
    qint32 index = 0;
    stream >> index;
    m_value = index;
    return stream.status() == QDataStream::Ok;
}
