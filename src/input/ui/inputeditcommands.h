#pragma once

#include <QObject>
#include <memory>

class EntryHistory;
class InputPage;
struct PageServices;

// The Edit menu of the input page: undo and redo of the entries' changes, and cut, copy and
// paste of the cell editor's text or of whole entries as tab-separated lines.
class InputEditCommands : public QObject
{
public:
    InputEditCommands(InputPage &page, const PageServices &services);
    ~InputEditCommands() override;

    // Only the input page's changes are steps; a test's Mistakes are not the user's edits.
    void setRecording(bool on);
    EntryHistory &history() const { return *m_history; }

    void EditUndoClick();
    void EditRedoClick();
    void EditCutClick();
    void EditCopyClick();
    void EditPasteClick();

private:
    // Takes the last entry step back (or makes the last one undone again).
    void takeEntryStep(bool back);

    InputPage &m_page;
    const PageServices &m_services;
    std::unique_ptr<EntryHistory> m_history;
};
