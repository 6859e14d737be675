#pragma once

#include <QList>

#include <map>
#include <typeindex>
#include <typeinfo>

// One program-wide instance per class derived from Base, made on first use: the registry
// pattern of the forms and the reports.
template<typename Base>
class Instances
{
public:
    Base *find(std::type_index type) const
    {
        const auto it = m_instances.find(type);
        return it == m_instances.end() ? nullptr : it->second;
    }
    void add(std::type_index type, Base *instance) { m_instances[type] = instance; }
    void remove(const Base *instance)
    {
        for (auto it = m_instances.begin(); it != m_instances.end(); ++it) {
            if (it->second == instance) {
                m_instances.erase(it);
                return;
            }
        }
    }
    QList<Base *> all() const
    {
        QList<Base *> out;
        for (const auto &entry : m_instances)
            out.append(entry.second);
        return out;
    }

    // The instance of T; a new one is made, registered and handed to made first.
    template<typename T, typename Made>
    T *get(Made made)
    {
        if (Base *existing = find(typeid(T)))
            return static_cast<T *>(existing);
        T *instance = new T;
        add(typeid(T), instance);
        made(instance);
        return instance;
    }
    template<typename T>
    T *get()
    {
        return get<T>([](T *) {});
    }

private:
    std::map<std::type_index, Base *> m_instances;
};
