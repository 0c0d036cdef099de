#pragma once

#include "parameters/ktparameter.h"

#include <QList>
#include <QString>
#include <QStringList>

// A sensor's parameters in a fixed order; the position is the index by which
// sensors, views and parameter widgets address them. Owns what it holds.
class KtParameterCollection
{
public:
    KtParameterCollection() = default;
    KtParameterCollection(const KtParameterCollection&) = delete;
    KtParameterCollection& operator=(const KtParameterCollection&) = delete;
    ~KtParameterCollection();

    void addIntParameter(const QString& title);
    void addFloatParameter(const QString& title);
    void addBoolParameter(const QString& title);
    KtListParameter* addListParameter(const QString& title, const QStringList& items);
    KtListParameter* addListParameter(const QString& title, const QString& name,
                                      const QStringList& items);
    void addParameter(KtParameter* parameter, const QString& title);
    void addParameter(KtParameter* parameter, const QString& title, const QString& name);

    int parameterCount() const { return m_parameters.size(); }
    KtParameter* parameter(int index) const { return m_parameters.at(index); }
    KtParameter* parameter(const QString& key) const;

    KtIntParameter* intParameter(int index);
    const KtIntParameter* intParameter(int index) const;
    KtFloatParameter* floatParameter(int index) const;
    KtBoolParameter* boolParameter(int index) const;
    KtListParameter* listParameter(int index) const;

private:
    QList<KtParameter*> m_parameters;
};
