#include "units/ui/lumolistview.h"

#include "platform/busyindicator.h"
#include "platform/messageservice.h"
#include "uilang/translate.h"
#include "units/ui/newvocfile.h"
#include "units/unitlistmodel.h"
#include "vocfile/unitdescriptor.h"
#include "vocfile/unitfiles.h"
#include "widgets/imagelist.h"
#include "widgets/languagecombobox.h"

#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QTreeView>

namespace {
const QString General = QStringLiteral("general");

// The list's own texts in its section of the UI language file, with their English defaults.
const std::pair<const char *, const char *> Texts[] = {
    {"File", "File"},
    {"Description", "Description"},
    {"Language", "Language"},
    {"FileMoveFailed", "Cannot rename file!"},
    {"DeleteFile", "Are you sure you want to delete the selected item(s)?"},
    {"FileDeleteFailed", "Cannot delete file:"},
    {"PropertiesCaption", "Properties"},
    {"NewFileCaption", "New Vocabulary File"},
    {"FileName", "File Name"},
    {"NativeLanguage", "Native Language"},
    {"ForeignLanguage", "Foreign Language"},
    {"FontLabel", "Use a special font for languages like Chinese, etc."},
    {"FontBtn", "Special &Font..."},
    {"MsgCreationFailed", "A filename cannot contain any of the following characters:"},
    {"MsgFileExists", "Overwrite existing file?"},
    {"MsgUnitExists", "Another unit of that name already exists."},
    {"MsgNameTooLong", "The name of the unit is too long for this folder. Please choose a shorter name."},
    {"MsgUnitFilesClash",
     "Two files of this unit differ only in the case of their extension. Keep one of them and try again:"},
};

QString withSlash(const QString &folder)
{
    return folder.endsWith(u'/') ? folder : folder + u'/';
}

// A view of the list that tells of clicks and double-clicks anywhere on it, where no unit
// is as well, once it has done its own selecting.
template <class View> class UnitView : public View
{
public:
    using View::View;
    std::function<void()> clicked;
    std::function<void()> doubleClicked;

protected:
    void mouseReleaseEvent(QMouseEvent *event) override
    {
        View::mouseReleaseEvent(event);
        if (event->button() == Qt::LeftButton)
            clicked();
    }
    void mouseDoubleClickEvent(QMouseEvent *event) override
    {
        View::mouseDoubleClickEvent(event);
        if (event->button() == Qt::LeftButton)
            doubleClicked();
    }
};

template <class View> View *NewUnitView(TLumoListView *list)
{
    auto *view = new UnitView<View>(list);
    view->clicked = [list] { emit list->Click(); };
    view->doubleClicked = [list] { emit list->DblClick(); };
    return view;
}
} // namespace

TLumoListView::TLumoListView(MessageService &messages, BusyIndicator &busy, QWidget *parent)
    : QStackedWidget(parent), m_messages(messages), m_busy(busy), m_extension(UnitFiles::descriptorSuffix())
{
    m_model = new UnitListModel(this);
    m_selection = new QItemSelectionModel(m_model, this);
    m_icons = NewUnitView<QListView>(this);
    m_details = NewUnitView<QTreeView>(this);
    m_details->setRootIsDecorated(false);
    m_details->setUniformRowHeights(true);
    m_details->setAllColumnsShowFocus(true);
    m_details->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_details->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    for (QAbstractItemView *view :
         {static_cast<QAbstractItemView *>(m_icons), static_cast<QAbstractItemView *>(m_details)}) {
        view->setModel(m_model);
        view->setSelectionModel(m_selection);
        view->setSelectionMode(QAbstractItemView::ExtendedSelection);
        view->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
        // Units are dragged onto the folder tree to move or copy them.
        view->setDragEnabled(true);
        view->setDragDropMode(QAbstractItemView::DragOnly);
        view->setContextMenuPolicy(Qt::CustomContextMenu);
        view->installEventFilter(this);
        // A right-click has selected (or kept) what the popup acts on: the caption says which.
        connect(view, &QWidget::customContextMenuRequested, this, [this, view](const QPoint &at) {
            emit Click();
            showPopup(view->viewport()->mapToGlobal(at));
        });
        addWidget(view);
    }
    connect(m_model, &UnitListModel::renameRequested, this, [this](int row, const QString &name) {
        // After the editor has closed: renaming lists the folder anew.
        const QString caption = m_model->entry(row).caption;
        QMetaObject::invokeMethod(
            this, [this, caption, name] { RenameUnit(caption, name); }, Qt::QueuedConnection);
    });
    m_runDialog = [](TNewVocFile &dialog) { return dialog.exec(); };
    m_path = withSlash(QDir::homePath());
    setViewStyle(vsIcon);
}

TLumoListView::~TLumoListView() = default;

void TLumoListView::setImages(const TImageList *large, const TImageList *small)
{
    m_large = large;
    m_small = small;
    setViewStyle(m_viewStyle);
}

void TLumoListView::setViewStyle(int style)
{
    m_viewStyle = style;
    const bool large = style == vsIcon;
    const TImageList *pictures = large ? m_large : m_small;
    m_model->setPictures([pictures](int language) { return pictures ? pictures->icon(language) : QIcon(); });
    if (style == vsReport) {
        m_details->setIconSize(QSize(16, 16));
        setCurrentWidget(m_details);
        return;
    }
    m_icons->setIconSize(large ? QSize(32, 32) : QSize(16, 16));
    m_icons->setViewMode(large ? QListView::IconMode : QListView::ListMode);
    // Small icons run in rows, the list runs in columns; both wrap.
    m_icons->setFlow(style == vsSmallIcon || large ? QListView::LeftToRight : QListView::TopToBottom);
    m_icons->setWrapping(true);
    m_icons->setResizeMode(QListView::Adjust);
    m_icons->setMovement(QListView::Static);
    // The view mode and a static movement switch dragging off; units are still dragged
    // onto the folder tree from every style.
    m_icons->setDragEnabled(true);
    m_icons->setDragDropMode(QAbstractItemView::DragOnly);
    m_icons->setGridSize(large ? QSize(96, 64) : QSize());
    m_icons->setWordWrap(large);
    m_icons->setSpacing(large ? 0 : 2);
    setCurrentWidget(m_icons);
}

QAbstractItemView *TLumoListView::currentView() const
{
    return m_viewStyle == vsReport ? static_cast<QAbstractItemView *>(m_details)
                                   : static_cast<QAbstractItemView *>(m_icons);
}

QList<QPair<QString, QString>> TLumoListView::englishTexts()
{
    QList<QPair<QString, QString>> texts;
    for (const auto &[key, english] : Texts)
        texts.append({QString::fromLatin1(key), QString::fromUtf8(english)});
    return texts;
}

QString TLumoListView::text(const char *key) const
{
    for (const auto &[known, english] : Texts)
        if (qstrcmp(known, key) == 0)
            return Translate(m_languageFile, objectName(), QString::fromLatin1(key),
                             QString::fromUtf8(english));
    return QString::fromLatin1(key);
}

void TLumoListView::applyHeaders()
{
    m_model->setHeaders({text("File"), text("Description"), text("Language")});
}

void TLumoListView::setLanguageFile(const QString &file)
{
    m_languageFile = file;
    applyHeaders();
    // Only the texts change: the unit open on another page stays the one chosen here.
    const QStringList chosen = selectedCaptions();
    FillList();
    for (const QString &caption : chosen) {
        const int row = m_model->rowOf(caption);
        if (row >= 0)
            m_selection->select(m_model->index(row, UnitListModel::FileColumn),
                                QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    if (!chosen.isEmpty())
        m_selection->setCurrentIndex(
            m_model->index(m_model->rowOf(chosen.first()), UnitListModel::FileColumn),
            QItemSelectionModel::NoUpdate);
}

void TLumoListView::setPath(const QString &folder)
{
    m_path = !folder.isEmpty() && QFileInfo(folder).isDir() ? withSlash(folder) : withSlash(QDir::homePath());
    FillList();
}

void TLumoListView::setExtension(const QString &extension)
{
    m_extension = extension.left(255);
    FillList();
}

int TLumoListView::FillList()
{
    const BusyScope busy(m_busy);
    m_selection->clear();
    m_unitInfo = TLumoFileHeader();
    setUpdatesEnabled(false);
    const int listed = m_model->fill(m_path, m_extension, m_languageFile);
    setUpdatesEnabled(true);
    return listed;
}

int TLumoListView::count() const
{
    return m_model->rowCount();
}

QStringList TLumoListView::selectedCaptions() const
{
    // The icon views select the name only, the details view whole rows.
    QList<int> rows;
    for (const QModelIndex &index : m_selection->selectedIndexes())
        if (index.column() == UnitListModel::FileColumn)
            rows.append(index.row());
    std::sort(rows.begin(), rows.end());
    QStringList captions;
    for (int row : std::as_const(rows))
        captions.append(m_model->entry(row).caption);
    return captions;
}

QString TLumoListView::selectedCaption() const
{
    const QStringList captions = selectedCaptions();
    return captions.isEmpty() ? QString() : captions.first();
}

void TLumoListView::selectCaption(const QString &caption)
{
    const int row = m_model->rowOf(caption);
    if (row < 0)
        return;
    const QModelIndex index = m_model->index(row, UnitListModel::FileColumn);
    m_selection->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    currentView()->scrollTo(index);
}

QString TLumoListView::descriptorOf(const QString &caption) const
{
    // The descriptor as it was listed: its extension may be spelt "LIF".
    const int row = m_model->rowOf(caption);
    return row >= 0 ? m_path + m_model->entry(row).fileName
                    : m_path + caption + QLatin1Char('.') + m_extension;
}

bool TLumoListView::refuseClash(const QString &descriptor)
{
    const QStringList clashing = UnitFiles(descriptor).clashingFiles();
    if (clashing.isEmpty())
        return false;
    messages().information(text("MsgUnitFilesClash") + QStringLiteral("\r\n") +
                           clashing.join(QStringLiteral("\r\n")));
    return true;
}

QString TLumoListView::selectedDescriptor()
{
    const QString caption = selectedCaption();
    if (caption.isEmpty())
        return QString();
    const QString descriptor = descriptorOf(caption);
    return refuseClash(descriptor) ? QString() : descriptor;
}

TLumoFileHeader TLumoListView::GetUnitInfo()
{
    const QString caption = selectedCaption();
    if (caption.isEmpty()) {
        m_unitInfo = TLumoFileHeader();
        return m_unitInfo;
    }
    const QString descriptor = descriptorOf(caption);
    if (descriptor != m_unitInfo.fileName)
        m_unitInfo = ReadLumoFileHeader(descriptor);
    return m_unitInfo;
}

bool TLumoListView::RenameUnit(const QString &caption, const QString &newName)
{
    const QString old = descriptorOf(caption);
    if (!QFileInfo::exists(old))
        return false;
    m_unitInfo = TLumoFileHeader();
    if (refuseClash(old))
        return false;
    bool renamed = false;
    if (UnitDialogCommit::isValidName(newName) &&
        UnitDialogCommit::fitsFolder(QFileInfo(old).absolutePath() + u'/', newName)) {
        try {
            UnitFiles(old).rename(newName);
            renamed = true;
        } catch (const LumoError &) {
            renamed = false;
        }
    }
    if (!renamed) {
        messages().error(text("FileMoveFailed"));
        return false;
    }
    FillList();
    selectCaption(newName);
    return true;
}

void TLumoListView::RenameSelected()
{
    const QString caption = selectedCaption();
    if (caption.isEmpty())
        return;
    const QModelIndex index = m_model->index(m_model->rowOf(caption), UnitListModel::FileColumn);
    currentView()->setCurrentIndex(index);
    currentView()->edit(index);
}

void TLumoListView::DeleteSelectedFiles()
{
    m_unitInfo = TLumoFileHeader();
    const QStringList captions = selectedCaptions();
    const MessageService::Button answer = messages().show(
        MessageService::Kind::Confirmation, text("DeleteFile"), MessageService::Yes | MessageService::No);
    if (answer == MessageService::Yes) {
        const BusyScope busy(m_busy);
        for (const QString &caption : captions) {
            const QString descriptor = descriptorOf(caption);
            if (refuseClash(descriptor))
                continue;
            try {
                UnitFiles(descriptor).remove();
            } catch (const LumoError &) {
                messages().information(text("FileDeleteFailed") + QStringLiteral("\r\n") + descriptor);
            }
        }
    }
    FillList();
}

void TLumoListView::fillPickers(TNewVocFile &dialog)
{
    FillLanguagePicker(*dialog.NativeLanguageComboBox, m_languageFile, m_small);
    dialog.ForeignLanguageComboBox->setImages(m_small);
    dialog.ForeignLanguageComboBox->AssignEntries(*dialog.NativeLanguageComboBox);
}

void TLumoListView::prepareDialog(TNewVocFile &dialog, bool properties)
{
    dialog.setWindowTitle(properties ? text("PropertiesCaption") : text("NewFileCaption"));
    dialog.Label1->setText(text("FileName") + u':');
    dialog.Label2->setText(text("Description") + u':');
    dialog.Label3->setText(text("NativeLanguage") + u':');
    dialog.Label4->setText(text("ForeignLanguage") + u':');
    dialog.OKBtn->setText(Translate(m_languageFile, General, QStringLiteral("OKBtn"), QStringLiteral("OK")));
    dialog.CancelBtn->setText(
        Translate(m_languageFile, General, QStringLiteral("CancelBtn"), QStringLiteral("Cancel")));
    dialog.HelpBtn->setText(
        Translate(m_languageFile, General, QStringLiteral("HelpBtn"), QStringLiteral("&Help")));
    dialog.Label5->setText(text("FontLabel"));
    dialog.FontBtn->setText(text("FontBtn"));
    dialog.CreationFailedMessage =
        text("MsgCreationFailed") + QStringLiteral("\r\n") + UnitDialogCommit::forbiddenCharacters();
    dialog.FileExistsQuestion = text("MsgFileExists");
    dialog.UnitExistsMessage = text("MsgUnitExists");
    dialog.RenameFailedMessage = text("FileMoveFailed");
    dialog.NameTooLongMessage = text("MsgNameTooLong");
    dialog.Folder = m_path;
    dialog.Extension = m_extension;
    dialog.PropertiesMode = properties;
    connect(&dialog, &TNewVocFile::helpRequested, this, &TLumoListView::helpRequested);
    fillPickers(dialog);
}

void TLumoListView::takeDefaultsFrom(const TNewVocFile &dialog)
{
    m_defaultForeign = dialog.ForeignLanguageComboBox->currentIndex();
    m_defaultNative = dialog.NativeLanguageComboBox->currentIndex();
}

void TLumoListView::NewFile()
{
    m_unitInfo = TLumoFileHeader();
    TNewVocFile dialog(messages(), window());
    prepareDialog(dialog, false);
    dialog.PreviousName.clear();
    dialog.SpecialFont = QString::fromLatin1(UnitDescriptor::DefaultFont);
    const int entries = dialog.NativeLanguageComboBox->count();
    dialog.NativeLanguageComboBox->setCurrentIndex(
        m_defaultNative >= 0 && m_defaultNative < entries ? m_defaultNative : 0);
    dialog.ForeignLanguageComboBox->setCurrentIndex(
        m_defaultForeign >= 0 && m_defaultForeign < entries ? m_defaultForeign : 0);
    if (m_runDialog(dialog) != QDialog::Accepted)
        return;
    takeDefaultsFrom(dialog);
    FillList();
    selectCaption(UnitFiles(dialog.writtenDescriptor()).name());
}

void TLumoListView::ShowProperties()
{
    const QString caption = selectedCaption();
    if (caption.isEmpty())
        return;
    m_unitInfo = TLumoFileHeader();
    const QString descriptor = descriptorOf(caption);
    if (refuseClash(descriptor))
        return;
    TNewVocFile dialog(messages(), window());
    prepareDialog(dialog, true);
    // The unit keeps its descriptor, however its extension is spelt.
    dialog.Extension = QFileInfo(descriptor).suffix();
    dialog.FileNameEdit->setText(caption);
    dialog.DescriptionEdit->setText(m_model->entry(m_model->rowOf(caption)).description);
    dialog.PreviousName = caption;
    const UnitDescriptor unit(descriptor);
    // The field starts with the unit's font, so that OK alone keeps it.
    dialog.SpecialFont = unit.font();
    // A number outside the languages leaves its box without a selection.
    const int entries = dialog.NativeLanguageComboBox->count();
    const auto select = [entries](TLanguageComboBox *box, int number) {
        box->setCurrentIndex(number >= 0 && number < entries ? number : -1);
    };
    select(dialog.NativeLanguageComboBox, unit.firstLanguage());
    select(dialog.ForeignLanguageComboBox, unit.secondLanguage());
    if (m_runDialog(dialog) != QDialog::Accepted)
        return;
    takeDefaultsFrom(dialog);
    FillList();
    selectCaption(UnitFiles(dialog.writtenDescriptor()).name());
}

void TLumoListView::showPopup(const QPoint &at)
{
    if (m_popup)
        m_popup->popup(at);
}

bool TLumoListView::eventFilter(QObject *watched, QEvent *event)
{
    // The Delete key deletes the selected units (not while a name is being edited: the
    // editor has the key then).
    if (event->type() == QEvent::KeyRelease && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Delete &&
        (watched == m_icons || watched == m_details)) {
        if (!selectedCaptions().isEmpty())
            DeleteSelectedFiles();
        return true;
    }
    return QStackedWidget::eventFilter(watched, event);
}
