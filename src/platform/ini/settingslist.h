#pragma once

#include "platform/ini/settingorder.h"
#include "platform/ini/settingvalue.h"

#include <QList>
#include <QString>
#include <functional>

class TRegFile;

// Every setting of the program declared once: its name, kind and default, where it is
// written among the others, and the getter and setter of the component that owns it. The
// same list restores the settings at creation and stores them at closing.
class SettingsList
{
public:
    // Each owner adds its settings in any order; they are read in the order of slot.read and
    // written in the order of slot.write.
    void addInteger(const QString &name, int defaultValue, SettingOrder::Slot slot, std::function<int()> get,
                    std::function<void(int)> set);
    void addBoolean(const QString &name, bool defaultValue, SettingOrder::Slot slot,
                    std::function<bool()> get, std::function<void(bool)> set);
    void addText(const QString &name, const QString &defaultValue, SettingOrder::Slot slot,
                 std::function<QString()> get, std::function<void(const QString &)> set);

    // A step of the start-up that reads no setting, run by readAll at its place in the order.
    void addStep(int place, std::function<void()> step);

    // Reads each setting (its default when it is not stored) and hands it to its setter at
    // once, in the order of declaration. Errors of the store travel on.
    void readAll(TRegFile &registry) const;
    // Writes every setting in the order of writing, in one transaction of the store. An
    // error stops the writing there and travels on; what was written before it stays.
    void writeAll(TRegFile &registry) const;

    QStringList namesInReadOrder() const;
    QStringList namesInWriteOrder() const;

private:
    struct Entry
    {
        QString name;
        SettingValue defaultValue;
        int readPosition = 0;
        int writePosition = 0;
        std::function<SettingValue()> get;
        std::function<void(const SettingValue &)> set;
        bool isStep() const { return name.isEmpty(); }
    };
    QList<const Entry *> readOrder() const;
    QList<const Entry *> writeOrder() const;

    QList<Entry> m_entries;
};
