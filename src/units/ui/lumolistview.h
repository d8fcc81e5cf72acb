#pragma once

#include "vocfile/lumofileheader.h"

#include <QStackedWidget>
#include <functional>

class BusyIndicator;
class MessageService;
class QAbstractItemView;
class QItemSelectionModel;
class QListView;
class QMenu;
class QTreeView;
class TImageList;
class TNewVocFile;
class UnitListModel;

// The file list of the unit manager: the units of one folder, by name, with the flag of the
// foreign language, the description and the language pair, in four view styles. From here
// the user creates units, edits their properties, renames them in place and deletes them.
class TLumoListView : public QStackedWidget
{
    Q_OBJECT
    Q_PROPERTY(int ViewStyle READ viewStyle WRITE setViewStyle)
    Q_PROPERTY(int DefaultNativeLanguage READ defaultNativeLanguage WRITE setDefaultNativeLanguage)
    Q_PROPERTY(int DefaultForeignLanguage READ defaultForeignLanguage WRITE setDefaultForeignLanguage)
    Q_PROPERTY(QString LanguageFile READ languageFile WRITE setLanguageFile)
    Q_PROPERTY(QString Path READ path WRITE setPath)
    Q_PROPERTY(QString Extension READ extension WRITE setExtension)

public:
    // 0 large icons, 1 small icons, 2 list, 3 details.
    enum ViewStyles { vsIcon = 0, vsSmallIcon, vsList, vsReport };

    // Where the list asks and tells, and the hourglass while it is filled or files are handled.
    TLumoListView(MessageService &messages, BusyIndicator &busy, QWidget *parent = nullptr);
    ~TLumoListView() override;

    // What the list needs from its window: its pictures and its popup.
    void setImages(const TImageList *large, const TImageList *small);
    void setPopupMenu(QMenu *menu) { m_popup = menu; }
    // Shows a dialog modally and gives its result; tests script it.
    void setDialogRunner(std::function<int(TNewVocFile &)> runner) { m_runDialog = std::move(runner); }

    int viewStyle() const { return m_viewStyle; }
    // A value outside 0 to 3 is kept as it is and shows the list style.
    void setViewStyle(int style);
    int defaultNativeLanguage() const { return m_defaultNative; }
    void setDefaultNativeLanguage(int language) { m_defaultNative = language; }
    int defaultForeignLanguage() const { return m_defaultForeign; }
    void setDefaultForeignLanguage(int language) { m_defaultForeign = language; }
    QString languageFile() const { return m_languageFile; }
    void setLanguageFile(const QString &file);
    QString path() const { return m_path; }
    // A folder that does not exist lists the home folder instead.
    void setPath(const QString &folder);
    QString extension() const { return m_extension; }
    void setExtension(const QString &extension);

    int FillList();
    TLumoFileHeader GetUnitInfo();
    void DeleteSelectedFiles();
    void NewFile();
    void ShowProperties();
    // Starts editing the selected unit's name in place.
    void RenameSelected();
    // Renames a unit with its files; false (and the error box) when it cannot be done.
    bool RenameUnit(const QString &caption, const QString &newName);

    // The selected unit's name: the first selected in list order; empty when none.
    QString selectedCaption() const;
    // The selected unit's descriptor as spelt on disk; empty when none is selected, or when
    // the unit cannot be worked on (two spellings of one of its files), which is then said.
    QString selectedDescriptor();
    QStringList selectedCaptions() const;
    void selectCaption(const QString &caption);
    int count() const;
    // The view that shows the list in the present style.
    QAbstractItemView *currentView() const;
    UnitListModel *model() const { return m_model; }
    // Every key of the list's own section with its English text.
    static QList<QPair<QString, QString>> englishTexts();

signals:
    void Click();
    void DblClick();
    // The unit dialog's help button.
    void helpRequested(int helpContext);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // One of the list's own texts from the UI language file.
    QString text(const char *key) const;
    QString descriptorOf(const QString &caption) const;
    // Says so and gives true when a file of the unit exists in two spellings.
    bool refuseClash(const QString &descriptor);
    void prepareDialog(TNewVocFile &dialog, bool properties);
    void fillPickers(TNewVocFile &dialog);
    void takeDefaultsFrom(const TNewVocFile &dialog);
    void applyHeaders();
    void showPopup(const QPoint &at);
    MessageService &messages() const { return m_messages; }

    UnitListModel *m_model = nullptr;
    QItemSelectionModel *m_selection = nullptr;
    QListView *m_icons = nullptr;
    QTreeView *m_details = nullptr;
    const TImageList *m_large = nullptr;
    const TImageList *m_small = nullptr;
    QMenu *m_popup = nullptr;
    MessageService &m_messages;
    BusyIndicator &m_busy;
    std::function<int(TNewVocFile &)> m_runDialog;

    int m_viewStyle = vsIcon;
    int m_defaultNative = 0;
    int m_defaultForeign = 0;
    QString m_languageFile;
    QString m_path;
    QString m_extension;        // without the dot
    TLumoFileHeader m_unitInfo; // of the selected unit, by descriptor path
};
