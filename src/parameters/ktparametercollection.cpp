#include "parameters/ktparametercollection.h"

KtParameterCollection::~KtParameterCollection()
{
    qDeleteAll(m_parameters);
}

void KtParameterCollection::addIntParameter(const QString& title)
{
    addParameter(new KtIntParameter, title);
}

void KtParameterCollection::addFloatParameter(const QString& title)
{
    addParameter(new KtFloatParameter, title);
}

void KtParameterCollection::addBoolParameter(const QString& title)
{
    addParameter(new KtBoolParameter, title);
}

KtListParameter* KtParameterCollection::addListParameter(const QString& title,
                                                         const QStringList& items)
{
    auto* parameter = new KtListParameter;
    parameter->setItems(items);
    addParameter(parameter, title);
    return parameter;
}

KtListParameter* KtParameterCollection::addListParameter(const QString& title, const QString& name,
                                                         const QStringList& items)
{
    KtListParameter* parameter = addListParameter(title, items);
    parameter->setName(name);
    return parameter;
}

void KtParameterCollection::addParameter(KtParameter* parameter, const QString& title)
{
    parameter->setTitle(title);
    m_parameters.append(parameter);
}

void KtParameterCollection::addParameter(KtParameter* parameter, const QString& title,
                                         const QString& name)
{
    parameter->setName(name);
    addParameter(parameter, title);
}

KtParameter* KtParameterCollection::parameter(const QString& key) const
{
    for (KtParameter* parameter : m_parameters) {
        const QString& ownKey = parameter->name().isNull() ? parameter->title() : parameter->name();
        if (ownKey == key)
            return parameter;
    }
    return nullptr;
}

KtIntParameter* KtParameterCollection::intParameter(int index)
{
    return ktparameter_cast<KtIntParameter>(m_parameters.at(index));
}

const KtIntParameter* KtParameterCollection::intParameter(int index) const
{
    return ktparameter_cast<KtIntParameter>(m_parameters.at(index));
}

KtFloatParameter* KtParameterCollection::floatParameter(int index) const
{
    return ktparameter_cast<KtFloatParameter>(m_parameters.at(index));
}

KtBoolParameter* KtParameterCollection::boolParameter(int index) const
{
    return ktparameter_cast<KtBoolParameter>(m_parameters.at(index));
}

KtListParameter* KtParameterCollection::listParameter(int index) const
{
    return ktparameter_cast<KtListParameter>(m_parameters.at(index));
}
