#include "platform/ini/settingslist.h"

#include "platform/ini/regfile.h"

#include <algorithm>

void SettingsList::addInteger(const QString &name, int defaultValue, SettingOrder::Slot slot,
                              std::function<int()> get, std::function<void(int)> set)
{
    m_entries.append({name, SettingValue(defaultValue), slot.read, slot.write,
                      [get] { return SettingValue(get()); },
                      [set](const SettingValue &value) { set(value.toInt()); }});
}

void SettingsList::addBoolean(const QString &name, bool defaultValue, SettingOrder::Slot slot,
                              std::function<bool()> get, std::function<void(bool)> set)
{
    m_entries.append({name, SettingValue(defaultValue), slot.read, slot.write,
                      [get] { return SettingValue(get()); },
                      [set](const SettingValue &value) { set(value.toBool()); }});
}

void SettingsList::addText(const QString &name, const QString &defaultValue, SettingOrder::Slot slot,
                           std::function<QString()> get, std::function<void(const QString &)> set)
{
    m_entries.append({name, SettingValue(defaultValue), slot.read, slot.write,
                      [get] { return SettingValue(get()); },
                      [set](const SettingValue &value) { set(value.toString()); }});
}

void SettingsList::addStep(int place, std::function<void()> step)
{
    m_entries.append(
        {QString(), SettingValue(), place, 0, nullptr, [step](const SettingValue &) { step(); }});
}

void SettingsList::readAll(TRegFile &registry) const
{
    // One connection to the store for all of them, not one per setting.
    TRegFile::Batch batch(registry);
    for (const Entry *entry : readOrder())
        entry->set(entry->isStep() ? SettingValue()
                                   : registry.ReadValueDefault(entry->name, entry->defaultValue));
}

QList<const SettingsList::Entry *> SettingsList::readOrder() const
{
    QList<const Entry *> order;
    for (const Entry &entry : m_entries)
        order.append(&entry);
    std::stable_sort(order.begin(), order.end(),
                     [](const Entry *a, const Entry *b) { return a->readPosition < b->readPosition; });
    return order;
}

QList<const SettingsList::Entry *> SettingsList::writeOrder() const
{
    QList<const Entry *> order;
    for (const Entry &entry : m_entries)
        if (!entry.isStep())
            order.append(&entry);
    std::stable_sort(order.begin(), order.end(),
                     [](const Entry *a, const Entry *b) { return a->writePosition < b->writePosition; });
    return order;
}

void SettingsList::writeAll(TRegFile &registry) const
{
    TRegFile::Batch batch(registry);
    for (const Entry *entry : writeOrder())
        registry.WriteValue(entry->name, entry->get());
    batch.end();
}

QStringList SettingsList::namesInReadOrder() const
{
    QStringList names;
    for (const Entry *entry : readOrder())
        if (!entry->isStep())
            names.append(entry->name);
    return names;
}

QStringList SettingsList::namesInWriteOrder() const
{
    QStringList names;
    for (const Entry *entry : writeOrder())
        names.append(entry->name);
    return names;
}
