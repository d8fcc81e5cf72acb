#pragma once

#include <QComboBox>

#include <optional>

class TImageList;

// The drop-down list in which the user picks a vocabulary language by name and flag. Each
// entry is one string: the name, the character 1 and the language number in decimal, so a
// translated or reordered name still yields its number. The control draws its entries itself
// from its own list of 16 x 16 pictures.
class TLanguageComboBox : public QComboBox
{
    Q_OBJECT
    Q_MOC_INCLUDE("widgets/imagelist.h")
    Q_PROPERTY(TImageList *Images READ images WRITE setImages)

public:
    static constexpr QChar Separator = QChar(1);
    static constexpr int PictureSize = 16;

    explicit TLanguageComboBox(QWidget *parent);

    // The control's own pictures, indexed by language number.
    TImageList *images() const { return m_images; }
    // Copies all pictures of source into the control's own list; null empties it.
    void setImages(const TImageList *source);

    // Appends name + character 1 + number. Adding leaves the selection as it was, so a box
    // has no selection until one is made.
    void AddLanguage(const QString &name, int number);
    // The number of the selected entry. Throws LumoError when nothing is selected.
    int SelectedLanguage() const;
    // Replaces the entries by copies of source's entries, without a selection.
    void AssignEntries(const TLanguageComboBox &source);

    static QString EntryText(const QString &name, int number);
    static QString EntryName(const QString &entry);
    // Empty when the entry holds no number.
    static std::optional<int> EntryNumber(const QString &entry);

    // Every entry has this height.
    int entryHeight() const;
    // Draws an entry into rect, which the caller has filled: the picture in the 16 x 16 square
    // 2 pixels in from the left at the top (blank where the number has none), the name 4 pixels
    // after it on one line, centred vertically, ampersands as they are.
    void DrawEntry(QPainter &painter, QRect rect, const QString &entry, const QColor &textColor) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void appendEntry(const QString &entry);

    TImageList *m_images;
};

// Fills picker with the nineteen languages in number order, named from the UI language file,
// and gives it the flags; the item index then equals the language number. No entry is
// selected afterwards.
void FillLanguagePicker(TLanguageComboBox &picker, const QString &languageFile, const TImageList *flags);
