#pragma once

#include <QObject>
#include <QStringList>
#include <functional>

class QFileDialog;
class TLumoListView;
struct PageServices;

// File > Convert: turns units of the old format into units in the folder the file list shows.
class OldUnitCommands : public QObject
{
    Q_OBJECT

public:
    OldUnitCommands(const PageServices &services, TLumoListView &list, QObject *parent = nullptr);

    void FileConvertItemClick();
    // Which old units to convert; the default asks with the window's file dialog. Tests script it.
    void setOldUnitChooser(std::function<QStringList()> chooser) { m_chooseOldUnits = std::move(chooser); }
    // The window's file dialog set up for old units, as the conversion shows it.
    QFileDialog *prepareOldUnitDialog();

signals:
    // What the status line shows while and after units are converted.
    void statusMessage(const QString &text);

private:
    const PageServices &m_services;
    TLumoListView &m_list;
    std::function<QStringList()> m_chooseOldUnits;
};
