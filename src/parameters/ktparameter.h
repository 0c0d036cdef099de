#pragma once

#include <QDataStream>
#include <QString>
#include <QStringList>
#include <QVariant>

// A typed sensor value with its validity and its text forms. Sensors fill
// parameters from replies; views and parameter widgets read and edit them by index,
// and ParameterEditorFactory makes an editor for each type.
class KtParameter
{
public:
    enum Type { Undefined, Int, Float, List, Bool };

    KtParameter() = default;
    KtParameter(const KtParameter&) = delete;
    KtParameter& operator=(const KtParameter&) = delete;
    virtual ~KtParameter() = default;

    virtual Type type() const { return Undefined; }
    virtual QString toString() const = 0;
    virtual bool save(QDataStream& stream);
    virtual bool restore(QDataStream& stream);
    virtual QVariant variantValue() const;
    virtual bool setVariantValue(const QVariant& value);
    virtual void invalidate() { m_valid = false; }

    bool isValid() const { return m_valid; }
    const QString& title() const { return m_title; }
    void setTitle(const QString& title) { m_title = title; }
    const QString& name() const { return m_name; }
    void setName(const QString& name) { m_name = name; }
    const QString& description() const { return m_description; }
    void setDescription(const QString& description) { m_description = description; }
    const QString& suffix() const { return m_suffix; }
    void setSuffix(const QString& suffix) { m_suffix = suffix; }

protected:
    void setValid(bool valid) { m_valid = valid; }

private:
    bool m_valid = false;
    QString m_title;
    QString m_name;
    QString m_description;
    QString m_suffix;
};

template <typename T>
class KtTemplateParameter : public KtParameter
{
public:
    T value() const { return m_value; }
    void setValue(T value)
    {
        m_value = value;
        setValid(true);
    }

protected:
    T m_value = T();
};

template <typename T, KtParameter::Type TypeCode>
class KtPodParameter : public KtTemplateParameter<T>
{
public:
    static constexpr KtParameter::Type typeCode = TypeCode;

    KtParameter::Type type() const override { return TypeCode; }
    QString toString() const override
    {
        return this->isValid() ? QVariant(this->m_value).toString() : QString();
    }
    bool save(QDataStream& stream) override
    {
        stream << this->m_value;
        return stream.status() == QDataStream::Ok;
    }
    bool restore(QDataStream& stream) override
    {
        stream >> this->m_value;
        return stream.status() == QDataStream::Ok;
    }
    QVariant variantValue() const override { return QVariant(this->m_value); }
    void invalidate() override
    {
        KtParameter::invalidate();
        this->m_value = T();
    }
};

class KtIntParameter : public KtPodParameter<int, KtParameter::Int>
{
};

class KtFloatParameter : public KtPodParameter<float, KtParameter::Float>
{
};

class KtBoolParameter : public KtPodParameter<bool, KtParameter::Bool>
{
public:
    QString toString() const override;
    bool setVariantValue(const QVariant& value) override;
};

// A choice among texts; the value is the index of the chosen text.
class KtListParameter : public KtTemplateParameter<int>
{
public:
    static constexpr KtParameter::Type typeCode = KtParameter::List;

    explicit KtListParameter(int minimumContentsLength = 0);

    Type type() const override { return List; }
    QString toString() const override;
    bool save(QDataStream& stream) override;
    bool restore(QDataStream& stream) override;

    // The editor's width, in characters; 0 leaves it to the items.
    int minimumContentsLength() const { return m_minimumContentsLength; }
    const QStringList& items() const { return m_items; }
    void setItems(const QStringList& items) { m_items = items; }

private:
    int m_minimumContentsLength;
    QStringList m_items;
};

// Casts by type code; a mismatch is a programming error that no input can cause.
template <typename T>
T* ktparameter_cast(KtParameter* parameter)
{
    if (!parameter || parameter->type() != T::typeCode)
        qFatal("ktparameter_cast failed");
    return static_cast<T*>(parameter);
}

template <typename T>
const T* ktparameter_cast(const KtParameter* parameter)
{
    return ktparameter_cast<T>(const_cast<KtParameter*>(parameter));
}
